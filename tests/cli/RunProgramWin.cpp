#include <windows.h>

#include <filesystem>

#include "host/cli/ChildProcess.h"
#include "host/cli/System.h"
#include "tests/cli/RunProgram.h"
#include "tests/cli/TestFiles.h"

namespace CliTest {

namespace {

HANDLE Inheritable(const std::string& path) {
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    return CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit, CREATE_ALWAYS,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
}

}  // namespace

ProgramResult RunProgram(const std::vector<std::string>& args) {
    ScratchFolder folder;
    const std::string outFile = folder / "out", errFile = folder / "err";
    std::string line;
    for (const std::string& a : args) line += (line.empty() ? "" : " ") + VarnCli::QuoteArgument(a);
    ProgramResult result;
    HANDLE out = Inheritable(outFile), err = Inheritable(errFile);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = out;
    startup.hStdError = err;
    PROCESS_INFORMATION process{};
    if (CreateProcessA(args[0].c_str(), &line[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup,
                       &process)) {
        WaitForSingleObject(process.hProcess, INFINITE);
        DWORD code = 0;
        GetExitCodeProcess(process.hProcess, &code);
        result.status = int(code);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
    CloseHandle(out);
    CloseHandle(err);
    const std::vector<uint8_t> o = ReadBytes(outFile), e = ReadBytes(errFile);
    result.out.assign(o.begin(), o.end());
    result.err.assign(e.begin(), e.end());
    return result;
}

ProgramResult RunProgramOnTerminal(const std::vector<std::string>&) { return ProgramResult{}; }

bool PosixSystem() { return false; }

std::string BesideTestProgram(const std::string& name) {
    return (std::filesystem::path(VarnCli::ProgramFile()).parent_path() / name).string();
}

std::string ProgramName(const std::string& base) { return base + ".exe"; }

}  // namespace CliTest
