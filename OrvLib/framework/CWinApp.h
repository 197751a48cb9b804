// The application object of our framework layer. The plug-in object is one; it lives
// for as long as the host keeps the library loaded.
#pragma once

class CWinApp {
public:
    CWinApp() = default;
    virtual ~CWinApp() = default;
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;
};
