// Base of a host plug-in: one virtual handler per selector, each doing nothing.
#pragma once

#include "OrvLib/framework/CWinApp.h"

class OrvPSPlugin : public CWinApp {
public:
    virtual void OnAbout() {}
    virtual void OnParameters() {}
    virtual void OnPrepare() {}
    virtual void OnStart() {}
    virtual void OnContinue() {}
    virtual void OnFinish() {}
};
