#include <unistd.h>

#include <climits>
#include <csignal>
#include <ctime>
#include <cstdlib>

#include "host/cli/System.h"

namespace VarnCli {

namespace {
volatile std::sig_atomic_t interrupted = 0;
void OnInterrupt(int) { interrupted = 1; }
}  // namespace

const char* const kPluginFileName = "Varnel.so";

std::string ProgramFile() {
    char name[PATH_MAX];
    const ssize_t length = readlink("/proc/self/exe", name, sizeof name);
    if (length <= 0 || size_t(length) >= sizeof name) return {};
    return std::string(name, size_t(length));
}

void SetEnvironmentValue(const char* name, const std::string& value) { setenv(name, value.c_str(), 1); }

double ProcessorSeconds() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) + double(t.tv_nsec) * 1e-9;
}

unsigned long ProcessId() { return static_cast<unsigned long>(getpid()); }

bool IsTerminal(std::FILE* stream) { return isatty(fileno(stream)) != 0; }

void CatchInterrupts() {
    struct sigaction action {};
    action.sa_handler = &OnInterrupt;
    // A second Ctrl-C ends a run that no longer answers.
    action.sa_flags = SA_RESETHAND;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, nullptr);
}

bool Interrupted() { return interrupted != 0; }

}  // namespace VarnCli
