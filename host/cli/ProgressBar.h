// The progress bar drawn on standard error while the final pass runs, fed by the host's
// progress callback.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

namespace VarnCli {

// One line of the bar without line control: "[#####.....]  50%". done is clamped into
// 0..total; a total of 0 or less draws an empty bar.
std::string ProgressLine(int32_t done, int32_t total, int cells);

class ProgressBar {
public:
    // Draws only when enabled (a terminal, not --quiet).
    ProgressBar(std::FILE* out, bool enabled);
    // Redraws in place, and only when the line changes.
    void Update(int32_t done, int32_t total);
    // Completes the line when a bar was drawn; Abandon leaves it as it stands.
    void Finish();
    void Abandon();

private:
    void EndLine();

    std::FILE* out;
    bool enabled;
    bool drawn = false;
    std::string last;
};

}  // namespace VarnCli
