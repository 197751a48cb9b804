// The few services of the operating system that varnel needs, once for POSIX and once for
// Windows.
#pragma once

#include <cstdio>
#include <string>

namespace VarnCli {

// File name of the plug-in as it is installed beside the tool.
extern const char* const kPluginFileName;

// Full path of the running program; empty when the system cannot say.
std::string ProgramFile();

unsigned long ProcessId();

// Processor time this process has used so far, all threads, in seconds.
double ProcessorSeconds();

// Sets a variable of this process's environment, which the loaded plug-in reads.
void SetEnvironmentValue(const char* name, const std::string& value);

bool IsTerminal(std::FILE* stream);

// Ctrl-C asks the run to stop instead of ending the process, so that the plug-in sees an
// abort and no half-written file is left behind.
void CatchInterrupts();
bool Interrupted();

}  // namespace VarnCli
