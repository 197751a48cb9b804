// The few services of the operating system that varnel needs, once for POSIX and once for
// Windows.
#pragma once

#include <cstdio>
#include <memory>
#include <string>

#include "host/cli/Arguments.h"

namespace varncli {

// File name of the plug-in as it is installed beside the tool.
extern const char* const kPluginFileName;

// Full path of the running program; empty when the system cannot say.
std::string ProgramFile();

unsigned long ProcessId();

bool IsTerminal(std::FILE* stream);

// Ctrl-C asks the run to stop instead of ending the process, so that the plug-in sees an
// abort and no half-written file is left behind.
void CatchInterrupts();
bool Interrupted();

// Answers the plug-in's effect dialog from outside while it lives, as a user would: once the
// dialog of the calling thread is up, its OK or Cancel button is pressed. Only the Windows
// plug-in shows a dialog; elsewhere there is nothing to answer.
class DialogResponder {
public:
    static bool DialogsShown();
    explicit DialogResponder(DialogAnswer answer);
    ~DialogResponder();
    DialogResponder(const DialogResponder&) = delete;
    DialogResponder& operator=(const DialogResponder&) = delete;

private:
    struct Watch;
    std::unique_ptr<Watch> watch_;
};

}  // namespace varncli
