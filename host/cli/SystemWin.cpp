#include <io.h>

#include <cstdint>
#include <windows.h>

#include "host/cli/System.h"

namespace VarnCli {

namespace {
volatile LONG interrupted = 0;

// Runs on a thread of its own: only the flag is touched.
BOOL WINAPI OnConsoleEvent(DWORD event) {
    if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT) return FALSE;
    InterlockedExchange(&interrupted, 1);
    return TRUE;
}
}  // namespace

const char* const kPluginFileName = "Varnel.8bf";

std::string ProgramFile() {
    char name[MAX_PATH + 1];
    const DWORD length = GetModuleFileNameA(nullptr, name, sizeof name);
    if (length == 0 || length >= sizeof name - 1) return {};
    return std::string(name, length);
}

void SetEnvironmentValue(const char* name, const std::string& value) {
    SetEnvironmentVariableA(name, value.c_str());
}

double ProcessorSeconds() {
    FILETIME created, ended, kernel, user;
    if (!GetProcessTimes(GetCurrentProcess(), &created, &ended, &kernel, &user)) return 0.0;
    const auto seconds = [](const FILETIME& t) {
        return double((uint64_t(t.dwHighDateTime) << 32) | t.dwLowDateTime) * 1e-7;
    };
    return seconds(kernel) + seconds(user);
}

unsigned long ProcessId() { return GetCurrentProcessId(); }

bool IsTerminal(std::FILE* stream) { return _isatty(_fileno(stream)) != 0; }

void CatchInterrupts() { SetConsoleCtrlHandler(&OnConsoleEvent, TRUE); }

bool Interrupted() { return InterlockedCompareExchange(&interrupted, 0, 0) != 0; }

}  // namespace VarnCli
