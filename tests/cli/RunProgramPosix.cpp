#include <fcntl.h>
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>

#include "host/cli/System.h"
#include "tests/cli/RunProgram.h"
#include "tests/cli/TestFiles.h"

extern char** environ;

namespace CliTest {

namespace {

// Runs with standard output to a file and standard error to `errPath`, opened in the child.
ProgramResult Spawn(const std::vector<std::string>& args, const std::string& outFile,
                    const std::string& errPath, int errFlags) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, outFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    posix_spawn_file_actions_addopen(&actions, 2, errPath.c_str(), errFlags, 0600);
    std::vector<char*> argv;
    for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    ProgramResult result;
    pid_t child = 0;
    if (posix_spawn(&child, argv[0], &actions, nullptr, argv.data(), environ) == 0) {
        int status = 0;
        while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
        }
        result.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    }
    posix_spawn_file_actions_destroy(&actions);
    const std::vector<uint8_t> out = ReadBytes(outFile);
    result.out.assign(out.begin(), out.end());
    return result;
}

}  // namespace

ProgramResult RunProgram(const std::vector<std::string>& args) {
    ScratchFolder folder;
    const std::string errFile = folder / "err";
    ProgramResult result = Spawn(args, folder / "out", errFile, O_WRONLY | O_CREAT | O_TRUNC);
    const std::vector<uint8_t> err = ReadBytes(errFile);
    result.err.assign(err.begin(), err.end());
    return result;
}

ProgramResult RunProgramOnTerminal(const std::vector<std::string>& args) {
    ScratchFolder folder;
    const int terminal = posix_openpt(O_RDWR | O_NOCTTY);
    if (terminal < 0 || grantpt(terminal) != 0 || unlockpt(terminal) != 0) {
        ADD_FAILURE() << "no pseudo terminal";
        return ProgramResult{};
    }
    // The little the program writes fits in the terminal's buffer, so it is read afterwards.
    ProgramResult result = Spawn(args, folder / "out", ptsname(terminal), O_RDWR | O_NOCTTY);
    fcntl(terminal, F_SETFL, O_NONBLOCK);
    char chunk[4096];
    ssize_t got = 0;
    while ((got = read(terminal, chunk, sizeof chunk)) > 0) result.err.append(chunk, size_t(got));
    close(terminal);
    return result;
}

bool PosixSystem() { return true; }

std::string BesideTestProgram(const std::string& name) {
    return (std::filesystem::path(VarnCli::ProgramFile()).parent_path() / name).string();
}

std::string ProgramName(const std::string& base) { return base; }

}  // namespace CliTest
