#include "host/cli/BatchPlan.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <system_error>

namespace VarnCli {

namespace fs = std::filesystem;

namespace {

bool IsPicture(const fs::path& path) {
    std::string extension = path.extension().string();
    for (char& c : extension) c = char(std::tolower(static_cast<unsigned char>(c)));
    return extension == ".png" || extension == ".jpg" || extension == ".jpeg" || extension == ".bmp";
}

bool Inside(const fs::path& path, const fs::path& folder) {
    const auto mismatch = std::mismatch(folder.begin(), folder.end(), path.begin(), path.end());
    return mismatch.first == folder.end();
}

std::string OutputName(const fs::path& relative, OutputFormat format) {
    fs::path name = relative;
    name.replace_extension(format == OutputFormat::Jpeg ? ".jpg" : ".png");
    return name.generic_string();
}

void AddFolder(const fs::path& folder, const fs::path& outFolder, const BatchOptions& options,
               std::vector<BatchItem>& items, std::error_code& failure) {
    const auto add = [&](const fs::directory_entry& entry) {
        std::error_code ignored;
        if (!entry.is_regular_file(ignored) || !IsPicture(entry.path())) return;
        if (Inside(fs::weakly_canonical(entry.path(), ignored), outFolder)) return;
        BatchItem item;
        item.input = entry.path().string();
        item.relative = OutputName(entry.path().lexically_relative(folder), options.format);
        items.push_back(std::move(item));
    };
    if (options.recursive) {
        for (fs::recursive_directory_iterator it(folder, failure), end; !failure && it != end;
             it.increment(failure))
            add(*it);
    } else {
        for (fs::directory_iterator it(folder, failure), end; !failure && it != end; it.increment(failure))
            add(*it);
    }
}

}  // namespace

bool PlanBatch(const BatchOptions& options, std::vector<BatchItem>& items, std::string& error) {
    items.clear();
    std::error_code ignored;
    const fs::path outFolder = fs::weakly_canonical(options.outFolder, ignored);
    for (const std::string& input : options.inputs) {
        std::error_code failure;
        if (fs::is_directory(input, failure)) {
            AddFolder(input, outFolder, options, items, failure);
            if (failure) {
                error = "cannot list " + input + ": " + failure.message();
                return false;
            }
        } else if (fs::exists(input, failure)) {
            BatchItem item;
            item.input = input;
            item.relative = OutputName(fs::path(input).filename(), options.format);
            items.push_back(std::move(item));
        } else {
            error = "no file or folder " + input;
            return false;
        }
    }
    std::sort(items.begin(), items.end(),
              [](const BatchItem& a, const BatchItem& b) { return a.relative < b.relative; });
    for (size_t i = 1; i < items.size(); ++i) {
        if (items[i].relative == items[i - 1].relative) {
            error = items[i - 1].input + " and " + items[i].input + " would both make " + items[i].relative;
            return false;
        }
    }
    for (BatchItem& item : items) {
        item.output = (fs::path(options.outFolder) / fs::path(item.relative)).string();
        if (options.seedPerImage) {
            const std::optional<double> seed = options.settings.edits.Get("randomSeed");
            item.seed =
                SeedForPicture(item.relative, seed ? std::optional<int32_t>(int32_t(*seed)) : std::nullopt);
        }
    }
    return true;
}

std::vector<BatchItem> TakeShard(const std::vector<BatchItem>& items, int32_t index, int32_t count) {
    std::vector<BatchItem> share;
    for (size_t i = size_t(index - 1); i < items.size(); i += size_t(count)) share.push_back(items[i]);
    return share;
}

int32_t SeedForPicture(const std::string& relative, std::optional<int32_t> given) {
    // FNV-1a: fixed by its definition, so every build and machine agrees.
    uint32_t hash = 2166136261u;
    const auto mix = [&hash](uint8_t byte) { hash = (hash ^ byte) * 16777619u; };
    for (char c : relative) mix(uint8_t(c));
    if (given) {
        for (int shift = 0; shift < 32; shift += 8) mix(uint8_t(uint32_t(*given) >> shift));
    }
    return int32_t(hash % 10000u) + 1;
}

}  // namespace VarnCli
