// Runs a program beside the test program and collects what it says and its exit status.
#pragma once

#include <string>
#include <vector>

namespace CliTest {

struct ProgramResult {
    int status = -1;
    std::string out;
    std::string err;
};

// args[0] is the program's file; standard output and error are caught in full.
ProgramResult RunProgram(const std::vector<std::string>& args);

// The same with standard error on a pseudo terminal, as in an interactive shell. Only
// where PosixSystem() is true.
ProgramResult RunProgramOnTerminal(const std::vector<std::string>& args);

// Pseudo terminals and SIGINT as POSIX has them.
bool PosixSystem();

// A file in the folder of the running test program (where the build puts every program).
std::string BesideTestProgram(const std::string& name);

// The name of a program on this system: "varnel" or "varnel.exe".
std::string ProgramName(const std::string& base);

}  // namespace CliTest
