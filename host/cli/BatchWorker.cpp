// A worker of varnel batch: the plug-in loaded once, then picture after picture through
// its entry point as apply runs one, each output written under a temporary name first.
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <new>
#include <system_error>

#include "host/cli/BatchReport.h"
#include "host/cli/Commands.h"
#include "host/cli/FilterSession.h"
#include "host/cli/PendingFile.h"
#include "host/cli/System.h"
#include "product/engine/WorkerPool.h"

namespace VarnCli {

namespace fs = std::filesystem;

namespace {

bool ReadLine(std::FILE* in, std::string& line) {
    line.clear();
    for (int c = std::fgetc(in); c != EOF; c = std::fgetc(in)) {
        if (c == '\n') return true;
        if (c != '\r') line += char(c);
    }
    return !line.empty();
}

void Answer(std::FILE* out, const std::string& line) {
    std::fprintf(out, "%s\n", line.c_str());
    std::fflush(out);
}

void FilterPicture(const FilterSession& session, const Encoding& encoding, const BatchItem& job) {
    VarnHost::MemoryHost host;
    host.SetImage(ToHostImage(ReadInput(job.input)));
    host.SetAbortHook(&Interrupted);
    const OSErr result = session.Filter(host, job.seed);
    if (result != noErr) throw PluginFailure(result, host);
    std::error_code failure;
    fs::create_directories(fs::path(job.output).parent_path(), failure);
    PendingFile output(job.output);
    std::string error;
    if (!WriteImageFile(output.TemporaryPath(), OutputFormatOf(job.output), ToRaster(host.Image()), error,
                        encoding)) {
        throw UsageFailure("cannot write " + job.output + ": " + error);
    }
    if (Interrupted()) throw Failure{kExitCancelled, "cancelled"};
    if (!output.Commit(error)) throw UsageFailure("cannot write " + job.output + ": " + error);
}

PictureResult Run(const FilterSession& session, const Encoding& encoding, const BatchItem& job) {
    const auto start = std::chrono::steady_clock::now();
    PictureResult result;
    result.status = PictureStatus::Made;
    try {
        FilterPicture(session, encoding, job);
    } catch (const Failure& failure) {
        result.status = failure.status == kExitCancelled ? PictureStatus::Cancelled : PictureStatus::Failed;
        result.exitStatus = failure.status;
        result.error = failure.message;
    } catch (const std::bad_alloc&) {
        result.status = PictureStatus::Failed;
        result.exitStatus = kExitUsage;
        result.error = "not enough memory for " + job.input;
    }
    result.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    return result;
}

}  // namespace

int RunBatchWorker(const BatchOptions& options, std::FILE* in, std::FILE* out) {
    CatchInterrupts();
    const ApplyOptions& settings = options.settings;
    if (settings.threads > 0) SetEnvironmentValue(kThreadsVariable, std::to_string(settings.threads));
    Encoding encoding;
    encoding.pngLevel = settings.pngLevel < 0 ? kDefaultPngLevel : settings.pngLevel;
    encoding.jpegQuality = settings.jpegQuality;
    encoding.threads = settings.threads;
    std::unique_ptr<FilterSession> session;
    try {
        session = std::make_unique<FilterSession>(settings);
    } catch (const Failure& failure) {
        PictureResult fatal;
        fatal.status = PictureStatus::Failed;
        fatal.exitStatus = failure.status;
        fatal.error = failure.message;
        Answer(out, ReplyLine(fatal));
        return failure.status;
    }
    Answer(out, "ready");
    std::string line;
    BatchItem job;
    while (!Interrupted() && ReadLine(in, line) && ParseJobLine(line, job)) {
        const PictureResult result = Run(*session, encoding, job);
        Answer(out, ReplyLine(result));
        if (result.status == PictureStatus::Cancelled) return kExitCancelled;
    }
    return Interrupted() ? kExitCancelled : kExitOk;
}

}  // namespace VarnCli
