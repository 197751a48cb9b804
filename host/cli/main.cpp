// varnel: a command-line host for the Varnel filter plug-in.
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "host/cli/Arguments.h"
#include "host/cli/Commands.h"
#include "host/cli/Usage.h"

namespace {

using namespace VarnCli;

int UsageError(const char* command, const std::string& message) {
    std::fprintf(stderr, "varnel %s: %s\nRun 'varnel %s --help' for usage.\n", command, message.c_str(),
                 command);
    return kExitUsage;
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + (argc > 1 ? 2 : argc), argv + argc);
    const std::string command = argc > 1 ? argv[1] : "";
    if (command == "apply") {
        ApplyOptions options;
        const ParseOutcome parsed = ParseApplyArguments(args, options);
        if (parsed.status == ParseStatus::Help)
            return std::fputs(ApplyHelp().c_str(), stdout) >= 0 ? kExitOk : kExitUsage;
        if (parsed.status == ParseStatus::Error) return UsageError("apply", parsed.error);
        return RunApply(options, stderr);
    }
    if (command == "batch") {
        BatchOptions options;
        const ParseOutcome parsed = ParseBatchArguments(args, options);
        if (parsed.status == ParseStatus::Help)
            return std::fputs(kBatchHelp, stdout) >= 0 ? kExitOk : kExitUsage;
        if (parsed.status == ParseStatus::Error) return UsageError("batch", parsed.error);
        return RunBatch(options, stderr);
    }
    if (command == "presets") {
        PresetsOptions options;
        const ParseOutcome parsed = ParsePresetsArguments(args, options);
        if (parsed.status == ParseStatus::Help)
            return std::fputs(kPresetsHelp, stdout) >= 0 ? kExitOk : kExitUsage;
        if (parsed.status == ParseStatus::Error) return UsageError("presets", parsed.error);
        return RunPresets(options, stdout, stderr);
    }
    if (command == "--help" || command == "-h" || command == "help") {
        std::fputs(kMainHelp, stdout);
        return kExitOk;
    }
    if (command.empty()) {
        std::fputs("varnel: a command is needed\n", stderr);
    } else {
        std::fprintf(stderr, "varnel: unknown command %s\n", command.c_str());
    }
    std::fputs(kMainHelp, stderr);
    return kExitUsage;
}
