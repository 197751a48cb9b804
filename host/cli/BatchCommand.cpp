// varnel batch: the pictures of files and folders through worker processes, each of which
// loads the plug-in once. This process only shares out the pictures, draws the progress
// and keeps the account of every picture.
#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <filesystem>
#include <mutex>
#include <new>
#include <optional>
#include <set>
#include <system_error>
#include <thread>

#include "host/cli/BatchPlan.h"
#include "host/cli/BatchReport.h"
#include "host/cli/ChildProcess.h"
#include "host/cli/Commands.h"
#include "host/cli/FilterSession.h"
#include "host/cli/PendingFile.h"
#include "host/cli/System.h"

namespace VarnCli {

namespace fs = std::filesystem;

namespace {

using Clock = std::chrono::steady_clock;

// What the worker threads of this process share; each drives one worker process.
struct Dispatch {
    std::mutex lock;
    std::condition_variable changed;
    const std::vector<BatchItem>* items = nullptr;
    std::vector<PictureResult> results;
    std::vector<size_t> queue;
    size_t next = 0;
    std::set<ChildProcess*> running;
    std::vector<std::string> failures;  // messages not yet printed
    std::optional<Failure> fatal;       // a worker that could not start
    int driving = 0;

    bool Take(size_t& index) {
        std::lock_guard<std::mutex> hold(lock);
        if (fatal || Interrupted() || next == queue.size()) return false;
        index = queue[next++];
        return true;
    }
    void Record(size_t index, const PictureResult& result) {
        std::lock_guard<std::mutex> hold(lock);
        results[index] = result;
        const std::string& input = (*items)[index].input;
        // Most messages name the file already.
        if (result.status == PictureStatus::Failed)
            failures.push_back(result.error.find(input) == std::string::npos ? input + ": " + result.error
                                                                             : result.error);
        changed.notify_all();
    }
};

// One worker process after another (a new one when one dies) until the queue is empty.
void Drive(Dispatch& d, const std::vector<std::string>& workerArgs) {
    size_t index = 0;
    bool more = true;
    while (more && d.Take(index)) {
        ChildProcess child;
        std::string error, line;
        PictureResult result;
        if (!child.Start(workerArgs, error) || !child.ReadLine(line) || line != "ready") {
            std::lock_guard<std::mutex> hold(d.lock);
            if (!d.fatal) {
                if (!error.empty())
                    d.fatal = Failure{kExitUsage, "cannot start a worker: " + error};
                else if (ParseReplyLine(line, result))
                    d.fatal = Failure{result.exitStatus, result.error};
                else
                    d.fatal = Failure{kExitUsage, "a worker ended at its start"};
            }
            d.results[index].status = PictureStatus::NotRun;
            break;
        }
        {
            std::lock_guard<std::mutex> hold(d.lock);
            d.running.insert(&child);
        }
        for (;;) {
            const auto start = Clock::now();
            if (!child.WriteLine(JobLine((*d.items)[index])) || !child.ReadLine(line) ||
                !ParseReplyLine(line, result)) {
                // The worker died on this picture: it fails, and a fresh worker goes on.
                result = PictureResult{};
                result.status = Interrupted() ? PictureStatus::Cancelled : PictureStatus::Failed;
                result.exitStatus = kExitPlugin;
                result.seconds = std::chrono::duration<double>(Clock::now() - start).count();
                result.error = "the worker process ended (status " + std::to_string(child.Wait()) + ")";
                d.Record(index, result);
                more = !Interrupted();
                break;
            }
            d.Record(index, result);
            if (result.status == PictureStatus::Cancelled || !d.Take(index)) {
                more = false;
                break;
            }
        }
        child.CloseInput();
        child.Wait();
        std::lock_guard<std::mutex> hold(d.lock);
        d.running.erase(&child);
    }
    std::lock_guard<std::mutex> hold(d.lock);
    --d.driving;
    d.changed.notify_all();
}

// A worker stopped hard leaves its temporary file; it is ours to remove.
void RemoveLeftovers(const BatchItem& item) {
    const fs::path output(item.output);
    const std::string prefix = output.filename().string() + ".varnel-";
    std::error_code failure;
    for (fs::directory_iterator it(output.parent_path(), failure), end; !failure && it != end;
         it.increment(failure)) {
        const std::string name = it->path().filename().string();
        if (name.compare(0, prefix.size(), prefix) == 0 && it->path().extension() == ".tmp") {
            std::error_code ignored;
            fs::remove(it->path(), ignored);
        }
    }
}

class ProgressLine {
public:
    ProgressLine(std::FILE* out, bool on) : out(out), on(on) {}
    void Draw(const std::string& text) {
        if (!on) return;
        std::fprintf(out, "\r%s%s", text.c_str(), std::string(Padding(text.size()), ' ').c_str());
        std::fflush(out);
        width = text.size();
    }
    void Clear() {
        if (!on || width == 0) return;
        std::fprintf(out, "\r%s\r", std::string(width, ' ').c_str());
        width = 0;
    }

private:
    size_t Padding(size_t size) const { return width > size ? width - size : 0; }
    std::FILE* out;
    bool on;
    size_t width = 0;
};

std::vector<std::string> WorkerArguments(const BatchOptions& options, int threads) {
    std::vector<std::string> args = {ProgramFile(), "batch", "--worker", "--threads",
                                     std::to_string(threads)};
    // Given options come after, so that a --threads given wins.
    args.insert(args.end(), options.arguments.begin(), options.arguments.end());
    return args;
}

int Batch(const BatchOptions& options, std::FILE* err) {
    const auto start = Clock::now();
    std::vector<BatchItem> items;
    std::string error;
    if (!PlanBatch(options, items, error)) throw UsageFailure(error);
    items = TakeShard(items, options.shardIndex, options.shardCount);
    std::error_code failure;
    fs::create_directories(options.outFolder, failure);
    if (failure) throw UsageFailure("cannot make " + options.outFolder + ": " + failure.message());

    Dispatch d;
    d.items = &items;
    d.results.resize(items.size());
    for (size_t i = 0; i < items.size(); ++i) {
        if (!options.overwrite && fs::exists(items[i].output, failure))
            d.results[i].status = PictureStatus::Skipped;
        else
            d.queue.push_back(i);
    }
    const int cores = int(std::max(1u, std::thread::hardware_concurrency()));
    const int jobs = std::min<int>(options.jobs > 0 ? options.jobs : cores, int(d.queue.size()));
    // Workers times drawing threads stays within the cores.
    const int threads =
        options.settings.threads > 0 ? options.settings.threads : std::clamp(cores / std::max(jobs, 1), 1, 8);
    const std::vector<std::string> workerArgs = WorkerArguments(options, threads);

    ProgressLine progress(err, !options.settings.quiet && IsTerminal(err));
    std::vector<std::thread> drivers;
    d.driving = jobs;
    for (int j = 0; j < jobs; ++j) drivers.emplace_back(Drive, std::ref(d), std::cref(workerArgs));
    bool forwarded = false;
    {
        std::unique_lock<std::mutex> hold(d.lock);
        for (;;) {
            for (const std::string& message : d.failures) {
                progress.Clear();
                std::fprintf(err, "varnel: %s\n", message.c_str());
            }
            d.failures.clear();
            const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
            progress.Draw(BatchProgressLine(Count(d.results), seconds));
            if (d.driving == 0) break;
            if (Interrupted() && !forwarded) {
                for (ChildProcess* child : d.running) child->Interrupt();
                forwarded = true;
            }
            d.changed.wait_for(hold, std::chrono::milliseconds(200));
        }
    }
    for (std::thread& driver : drivers) driver.join();
    progress.Clear();
    // A worker that was interrupted or died may have left its temporary file.
    for (size_t i = 0; i < items.size(); ++i) {
        if (d.results[i].status == PictureStatus::Cancelled || d.results[i].status == PictureStatus::Failed)
            RemoveLeftovers(items[i]);
    }
    const BatchCounts counts = Count(d.results);
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    if (!options.settings.quiet) std::fprintf(err, "varnel: %s\n", BatchSummary(counts, seconds).c_str());
    if (!options.report.empty()) {
        PendingFile report(options.report);
        const std::string json = BatchReportJson(items, d.results);
        if (!WriteFileBytes(report.TemporaryPath(), std::vector<uint8_t>(json.begin(), json.end()), error) ||
            !report.Commit(error)) {
            throw UsageFailure("cannot write " + options.report + ": " + error);
        }
    }
    if (d.fatal) throw *d.fatal;
    if (Interrupted()) return kExitCancelled;
    return counts.failed > 0 ? kExitPlugin : kExitOk;
}

}  // namespace

int RunBatch(const BatchOptions& options, std::FILE* err) {
    if (options.worker) return RunBatchWorker(options, stdin, stdout);
    CatchInterrupts();
    try {
        return Batch(options, err);
    } catch (const Failure& failure) {
        std::fprintf(err, "varnel: %s\n", failure.message.c_str());
        return failure.status;
    } catch (const std::bad_alloc&) {
        std::fprintf(err, "varnel: not enough memory\n");
        return kExitUsage;
    }
}

}  // namespace VarnCli
