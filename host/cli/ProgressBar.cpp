#include "host/cli/ProgressBar.h"

#include <algorithm>

namespace VarnCli {

namespace {
constexpr int kCells = 40;
}

std::string ProgressLine(int32_t done, int32_t total, int cells) {
    int64_t filled = 0, percent = 0;
    if (total > 0) {
        const int64_t d = std::clamp<int64_t>(done, 0, total);
        filled = d * cells / total;
        percent = d * 100 / total;
    }
    std::string line =
        "[" + std::string(size_t(filled), '#') + std::string(size_t(cells - filled), '.') + "] ";
    const std::string number = std::to_string(percent);
    return line + std::string(3 - std::min<size_t>(3, number.size()), ' ') + number + "%";
}

ProgressBar::ProgressBar(std::FILE* stream, bool on) : out(stream), enabled(on) {}

void ProgressBar::Update(int32_t done, int32_t total) {
    if (!enabled) return;
    std::string line = ProgressLine(done, total, kCells);
    if (drawn && line == last) return;
    std::fprintf(out, "\rApplying %s", line.c_str());
    std::fflush(out);
    last = std::move(line);
    drawn = true;
}

void ProgressBar::Finish() {
    if (!drawn) return;
    // The plug-in reports a tile before counting it, so its last report is one short.
    Update(1, 1);
    EndLine();
}

void ProgressBar::Abandon() {
    if (drawn) EndLine();
}

void ProgressBar::EndLine() {
    std::fputc('\n', out);
    std::fflush(out);
    drawn = false;
}

}  // namespace VarnCli
