// The plug-in's entry, linked into the test programs.
#pragma once

#include "OrvLib/plugin/HostInterface.h"

extern "C" void PSCALL PluginMain(int16 selector, void* filterRecord, intptr_t* data, int16* result);
