// The words of a batch: the lines between the batch and its worker processes, the progress
// line, the closing summary and the JSON report.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "host/cli/BatchPlan.h"

namespace VarnCli {

enum class PictureStatus { NotRun, Made, Skipped, Failed, Cancelled };

struct PictureResult {
    PictureStatus status = PictureStatus::NotRun;
    double seconds = 0;
    int exitStatus = 0;  // of a failure, as apply would have ended
    std::string error;
};

// One picture for a worker: its input, output and seed, tab-separated and escaped.
std::string JobLine(const BatchItem& item);
bool ParseJobLine(const std::string& line, BatchItem& item);
// A worker's answer: "made", "failed" or "cancelled" with the seconds it took.
std::string ReplyLine(const PictureResult& result);
bool ParseReplyLine(const std::string& line, PictureResult& result);

struct BatchCounts {
    int total = 0, made = 0, skipped = 0, failed = 0, cancelled = 0;
    int Finished() const { return made + skipped + failed + cancelled; }
};
BatchCounts Count(const std::vector<PictureResult>& results);

// "12/200 done, 1 failed, 3.4 pictures/s, 0:52 left"; the rate and time left only once a
// picture was made.
std::string BatchProgressLine(const BatchCounts& counts, double seconds);
// "200 pictures: 180 made, 19 skipped (already there), 1 failed in 61.2 s (2.9 pictures/s)"
std::string BatchSummary(const BatchCounts& counts, double seconds);
std::string BatchReportJson(const std::vector<BatchItem>& items, const std::vector<PictureResult>& results);

}  // namespace VarnCli
