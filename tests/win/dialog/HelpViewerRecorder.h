// A help viewer that shows nothing and keeps what it was asked, so that a test can see what
// reaches the system's help service. The plug-in finds its viewer through the registry; a
// test points that lookup here for its own process only (see RecordingHelpViewer).
#pragma once

#include <windows.h>

#include <cstdint>

struct RecordedHelpCall {
    HWND caller;
    UINT command;
    char file[520];
    // The control id and help id pairs of a pop-up help request, up to the zero pair.
    uint32_t pairs[256];
    int pairCount;
};

// Exported by the recorder: copies up to capacity calls, oldest first; the number kept.
typedef int (*RecordedHelpCallsProc)(RecordedHelpCall* out, int capacity);
