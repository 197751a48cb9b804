// The pictures of a batch: which files, where each output goes, which share a shard takes
// and which seed a picture gets. Everything here depends only on the names, never on the
// machine, the worker or the order, so that shards and reruns agree.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "host/cli/Arguments.h"

namespace VarnCli {

struct BatchItem {
    std::string input;
    std::string relative;  // the output's path below the output folder, with '/'
    std::string output;
    std::optional<int32_t> seed;  // with --seed-per-image
};

// Files are taken as named; folders give their pictures (.png, .jpg, .jpeg, .bmp), with
// `recursive` those of every subfolder too, named below the folder as they stand, and
// never anything inside the output folder. Sorted by output path. False, with `error`,
// for a missing input or two inputs that would make the same output.
bool PlanBatch(const BatchOptions& options, std::vector<BatchItem>& items, std::string& error);

// Share index (1..count) of count: every count-th item from the index-th on.
std::vector<BatchItem> TakeShard(const std::vector<BatchItem>& items, int32_t index, int32_t count);

// A seed from 1 to 10000 out of a stable hash of the relative path and the seed given.
int32_t SeedForPicture(const std::string& relative, std::optional<int32_t> given);

}  // namespace VarnCli
