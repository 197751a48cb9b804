#include "HelpViewerRecorder.h"

#include <vector>

namespace {

constexpr UINT kContextMenu = 16, kWmHelp = 17;
std::vector<RecordedHelpCall> calls;

}  // namespace

// The viewer's entry, exported by the ordinal the real viewer uses.
extern "C" HWND WINAPI RecordHtmlHelp(HWND caller, LPCSTR file, UINT command, DWORD_PTR data) {
    RecordedHelpCall call{};
    call.caller = caller;
    call.command = command;
    if (file != nullptr) lstrcpynA(call.file, file, sizeof call.file);
    if ((command == kContextMenu || command == kWmHelp) && data != 0) {
        const auto* table = reinterpret_cast<const DWORD*>(data);
        for (; call.pairCount < 128 && (table[0] != 0 || table[1] != 0); table += 2, ++call.pairCount) {
            call.pairs[2 * call.pairCount] = table[0];
            call.pairs[2 * call.pairCount + 1] = table[1];
        }
    }
    calls.push_back(call);
    return nullptr;
}

extern "C" __declspec(dllexport) int RecordedHelpCalls(RecordedHelpCall* out, int capacity) {
    int n = 0;
    for (; n < capacity && n < int(calls.size()); ++n) out[n] = calls[size_t(n)];
    return n;
}
