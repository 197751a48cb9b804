// The command line of varnel, parsed without touching any file: what to run and which
// fields of the plug-in's parameter block to write.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "host/DialogResponder.h"
#include "product/engine/EffectParameters.h"

namespace VarnHost {
class MemoryHost;
}

namespace VarnCli {

enum ExitStatus : int {
    kExitOk = 0,
    kExitUsage = 1,  // bad usage, or a file that cannot be read or written
    kExitPlugin = 2,
    kExitCancelled = 130,
};

// Fields of the block named on the command line; the others keep what the block holds.
struct BlockEdits {
    std::optional<std::string> path;
    std::map<std::string, double> fields;      // by their names in the settings table
    std::map<std::string, std::string> texts;  // the extension's path fields, by name

    void Set(const std::string& name, double value) { fields[name] = value; }
    std::optional<double> Get(const std::string& name) const {
        const auto found = fields.find(name);
        return found == fields.end() ? std::nullopt : std::optional<double>(found->second);
    }
};

// Writes exactly the named fields; every other byte, padding included, is kept. A block
// too short for an extension field named is first completed with the extension's defaults.
void ApplyEdits(const BlockEdits& edits, std::vector<uint8_t>& block);

// How the effect dialog of the Windows plug-in is answered: OK as soon as it is up, Cancel,
// or left to the person at the screen.
using VarnHost::DialogAnswer;

struct ApplyOptions {
    std::string input;
    std::string output;
    std::string preset;  // CATEGORY/NAME, resolved against the library at run time
    std::string mask;
    std::string paramsFile;
    std::string saveParams;
    std::string plugin;  // empty: the plug-in installed beside the tool
    bool quiet = false;
    DialogAnswer dialog = DialogAnswer::Ok;
    int32_t threads = 0;       // 0: the plug-in's choice
    bool timing = false;       // report how long the plug-in's run took
    int32_t pngLevel = -1;     // zlib level of a PNG output; -1: the fast default
    int32_t jpegQuality = 90;  // of a JPEG output
    BlockEdits edits;          // --object and --folder are already in here
    // For a program that embeds the command: the plug-in's result and the host's state
    // right after the filter run, before anything is written.
    std::function<void(int16_t result, const VarnHost::MemoryHost& host)> afterRun;
};

// How batch outputs are named and written.
enum class OutputFormat { Png, Jpeg };

struct BatchOptions {
    ApplyOptions settings;  // the objects, settings and run options shared with apply
    std::vector<std::string> inputs;
    std::string outFolder;
    bool recursive = false;
    OutputFormat format = OutputFormat::Png;
    bool seedPerImage = false;
    int32_t jobs = 0;  // 0: one per core
    std::string report;
    bool overwrite = false;
    int32_t shardIndex = 1;  // 1..shardCount
    int32_t shardCount = 1;
    // A worker process started by a batch: jobs come on standard input.
    bool worker = false;
    std::vector<std::string> arguments;  // as given, for starting the workers
};

struct PresetsOptions {
    std::string plugin;
    bool names = false;  // one CATEGORY/NAME a line, for scripts
};

enum class ParseStatus { Run, Help, Error };

struct ParseOutcome {
    ParseStatus status = ParseStatus::Run;
    std::string error;  // with Error: what was wrong, naming the option
};

// The arguments after "apply", "batch" and "presets".
ParseOutcome ParseApplyArguments(const std::vector<std::string>& args, ApplyOptions& options);
ParseOutcome ParseBatchArguments(const std::vector<std::string>& args, BatchOptions& options);
ParseOutcome ParsePresetsArguments(const std::vector<std::string>& args, PresetsOptions& options);

// Longest path the block holds: its last byte is always the terminating NUL.
constexpr size_t kMaxBlockPath = sizeof(EffectParameters::path) - 1;

}  // namespace VarnCli
