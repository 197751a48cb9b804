// varnel apply: one filter run over an image file, driven as an image editor drives it.
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <new>
#include <optional>
#include <system_error>

#include "host/DialogResponder.h"
#include "host/MemoryHost.h"
#include "host/PluginModule.h"
#include "host/cli/Commands.h"
#include "host/cli/FilterSession.h"
#include "host/cli/ImageFile.h"
#include "host/cli/PendingFile.h"
#include "host/cli/PresetLibrary.h"
#include "host/cli/ProgressBar.h"
#include "host/cli/System.h"
#include "product/engine/WorkerPool.h"

namespace VarnCli {

namespace fs = std::filesystem;

namespace {

double MillisecondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

std::vector<uint8_t> ReadMask(const std::string& path, const Raster& input) {
    Raster mask;
    std::string error;
    if (!ReadImageFile(path, mask, error)) throw UsageFailure("cannot read the mask " + path + ": " + error);
    if (mask.channels != 1) throw UsageFailure("the mask " + path + " is not a grey image");
    if (mask.width != input.width || mask.height != input.height) {
        throw UsageFailure("the mask " + path + " is " + std::to_string(mask.width) + " x " +
                           std::to_string(mask.height) + ", the input " + std::to_string(input.width) +
                           " x " + std::to_string(input.height));
    }
    return std::move(mask.pixels);
}

// Every file is complete before the first one takes its name.
void WriteOutputs(const VarnHost::MemoryHost& host, const ApplyOptions& options) {
    std::string error;
    PendingFile output(options.output);
    Encoding encoding;
    encoding.pngLevel = options.pngLevel < 0 ? kDefaultPngLevel : options.pngLevel;
    encoding.jpegQuality = options.jpegQuality;
    encoding.threads = options.threads;
    if (!WriteImageFile(output.TemporaryPath(), OutputFormatOf(options.output), ToRaster(host.Image()), error,
                        encoding)) {
        throw UsageFailure("cannot write " + options.output + ": " + error);
    }
    std::optional<PendingFile> savedBlock;
    if (!options.saveParams.empty()) {
        savedBlock.emplace(options.saveParams);
        if (!WriteFileBytes(savedBlock->TemporaryPath(), host.HandleBytes(host.Parameters()), error)) {
            throw UsageFailure("cannot write " + options.saveParams + ": " + error);
        }
    }
    if (Interrupted()) throw Failure{kExitCancelled, "cancelled"};
    if (!output.Commit(error)) throw UsageFailure("cannot write " + options.output + ": " + error);
    if (savedBlock && !savedBlock->Commit(error)) {
        throw UsageFailure("cannot write " + options.saveParams + ": " + error);
    }
}

void Apply(const ApplyOptions& options, std::FILE* err) {
    if (options.dialog != DialogAnswer::Ok && !VarnHost::DialogResponder::DialogsShown()) {
        throw UsageFailure(std::string(options.dialog == DialogAnswer::Cancel ? "--cancel" : "--dialog") +
                           " needs the Windows plug-in: the plug-in of this system shows no dialog");
    }
    const auto reading = std::chrono::steady_clock::now();
    Raster input = ReadInput(options.input);
    const double readMs = MillisecondsSince(reading);
    const std::vector<uint8_t> mask =
        options.mask.empty() ? std::vector<uint8_t>() : ReadMask(options.mask, input);
    const FilterSession session(options);

    VarnHost::MemoryHost host;
    host.SetImage(ToHostImage(std::move(input)));
    if (!options.mask.empty()) host.SetMask(mask);
    ProgressBar bar(err, !options.quiet && IsTerminal(err));
    host.SetProgressHook([&bar](int32_t done, int32_t total) { bar.Update(done, total); });
    host.SetAbortHook(&Interrupted);

    if (options.threads > 0) SetEnvironmentValue(kThreadsVariable, std::to_string(options.threads));
    const auto start = std::chrono::steady_clock::now();
    const double processorStart = ProcessorSeconds();
    const OSErr result = session.Filter(host);
    if (options.afterRun) options.afterRun(result, host);
    const auto took = std::chrono::steady_clock::now() - start;
    const double processor = ProcessorSeconds() - processorStart;
    if (result != noErr) {
        bar.Abandon();
        throw PluginFailure(result, host);
    }
    bar.Finish();
    const auto writing = std::chrono::steady_clock::now();
    WriteOutputs(host, options);
    if (options.timing) {
        const double ms = std::chrono::duration<double, std::milli>(took).count();
        std::fprintf(err,
                     "varnel: the plug-in ran for %.1f ms (%.1f ms of processor time); reading took %.1f ms, "
                     "writing %.1f ms\n",
                     ms, processor * 1000.0, readMs, MillisecondsSince(writing));
    }
}

}  // namespace

std::string PluginFileToLoad(const std::string& given) {
    if (!given.empty()) return given;
    return (fs::path(ProgramFile()).parent_path() / kPluginFileName).string();
}

std::string DescribeResult(OSErr code) {
    const char* words = nullptr;
    switch (code) {
        case paramErr:
            words = "a bad parameter";
            break;
        case memFullErr:
            words = "out of memory";
            break;
        case nilHandleErr:
            words = "an invalid handle";
            break;
        case filterBadParameters:
            words = "bad filter parameters";
            break;
        case filterBadMode:
            words = "an image mode it does not support";
            break;
        case errPlugInHostInsufficient:
            words = "a host service missing";
            break;
        default:
            break;
    }
    const std::string text = "error code " + std::to_string(code);
    return words == nullptr ? text : text + " (" + words + ")";
}

int RunApply(const ApplyOptions& options, std::FILE* err) {
    CatchInterrupts();
    try {
        Apply(options, err);
    } catch (const Failure& failure) {
        std::fprintf(err, "varnel: %s\n", failure.message.c_str());
        return failure.status;
    } catch (const std::bad_alloc&) {
        std::fprintf(err, "varnel: not enough memory for %s\n", options.input.c_str());
        return kExitUsage;
    }
    return kExitOk;
}

}  // namespace VarnCli
