#include <windows.h>

#include <mutex>

#include "host/cli/ChildProcess.h"

namespace VarnCli {

namespace {

// Inheritable pipe ends exist only while this is held, so a child started by another
// thread never inherits ours.
std::mutex starting;

}  // namespace

struct ChildProcess::Impl {
    PROCESS_INFORMATION process{};
    HANDLE input = nullptr;
    HANDLE output = nullptr;
    int status = -1;
};

ChildProcess::ChildProcess() : impl(std::make_unique<Impl>()) {}

ChildProcess::~ChildProcess() {
    CloseInput();
    if (impl->process.hProcess != nullptr) {
        if (impl->status < 0 && WaitForSingleObject(impl->process.hProcess, 0) == WAIT_TIMEOUT)
            TerminateProcess(impl->process.hProcess, 130);
        Wait();
        CloseHandle(impl->process.hProcess);
        CloseHandle(impl->process.hThread);
    }
    if (impl->output != nullptr) CloseHandle(impl->output);
}

bool ChildProcess::Start(const std::vector<std::string>& args, std::string& error) {
    std::lock_guard<std::mutex> lock(starting);
    SECURITY_ATTRIBUTES inherit{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    HANDLE childInput = nullptr, childOutput = nullptr;
    if (!CreatePipe(&childInput, &impl->input, &inherit, 0)) {
        error = "cannot make a pipe";
        return false;
    }
    if (!CreatePipe(&impl->output, &childOutput, &inherit, 0)) {
        CloseHandle(childInput);
        error = "cannot make a pipe";
        return false;
    }
    SetHandleInformation(impl->input, HANDLE_FLAG_INHERIT, 0);
    SetHandleInformation(impl->output, HANDLE_FLAG_INHERIT, 0);
    std::string commandLine;
    for (const std::string& arg : args) commandLine += (commandLine.empty() ? "" : " ") + QuoteArgument(arg);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = childInput;
    startup.hStdOutput = childOutput;
    startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    const BOOL started = CreateProcessA(args[0].c_str(), &commandLine[0], nullptr, nullptr, TRUE, 0, nullptr,
                                        nullptr, &startup, &impl->process);
    CloseHandle(childInput);
    CloseHandle(childOutput);
    if (!started) {
        impl->process = PROCESS_INFORMATION{};
        error = "cannot start " + args[0] + " (error " + std::to_string(GetLastError()) + ")";
        return false;
    }
    return true;
}

bool ChildProcess::WriteLine(const std::string& line) {
    const std::string text = line + "\n";
    DWORD wrote = 0;
    return impl->input != nullptr &&
           WriteFile(impl->input, text.data(), DWORD(text.size()), &wrote, nullptr) && wrote == text.size();
}

bool ChildProcess::ReadMore() {
    char chunk[4096];
    DWORD got = 0;
    if (impl->output == nullptr || !ReadFile(impl->output, chunk, sizeof chunk, &got, nullptr) || got == 0)
        return false;
    pending.append(chunk, got);
    return true;
}

void ChildProcess::CloseInput() {
    if (impl->input != nullptr) CloseHandle(impl->input);
    impl->input = nullptr;
}

void ChildProcess::Interrupt() {
    if (impl->process.hProcess != nullptr && impl->status < 0) TerminateProcess(impl->process.hProcess, 130);
}

int ChildProcess::Wait() {
    if (impl->process.hProcess == nullptr) return -1;
    if (impl->status >= 0) return impl->status;
    WaitForSingleObject(impl->process.hProcess, INFINITE);
    DWORD code = 0;
    GetExitCodeProcess(impl->process.hProcess, &code);
    impl->status = int(code);
    return impl->status;
}

}  // namespace VarnCli
