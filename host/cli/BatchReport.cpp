#include "host/cli/BatchReport.h"

#include <cstdio>
#include <cstdlib>

namespace VarnCli {

namespace {

// Tabs, line ends and backslashes in a field, so that one job is one line.
std::string Escape(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (c == '\\')
            out += "\\\\";
        else if (c == '\t')
            out += "\\t";
        else if (c == '\n')
            out += "\\n";
        else if (c == '\r')
            out += "\\r";
        else
            out += c;
    }
    return out;
}

std::vector<std::string> SplitEscaped(const std::string& line) {
    std::vector<std::string> fields(1);
    for (size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (c == '\t') {
            fields.emplace_back();
        } else if (c == '\\' && i + 1 < line.size()) {
            const char e = line[++i];
            fields.back() += e == 't' ? '\t' : e == 'n' ? '\n' : e == 'r' ? '\r' : e;
        } else {
            fields.back() += c;
        }
    }
    return fields;
}

std::string Json(const std::string& text) {
    std::string out = "\"";
    for (unsigned char c : text) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += char(c);
        } else if (c < 0x20) {
            char code[8];
            std::snprintf(code, sizeof code, "\\u%04x", c);
            out += code;
        } else {
            out += char(c);
        }
    }
    return out + "\"";
}

std::string Fixed(double value, int decimals) {
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    return text;
}

const char* StatusWord(PictureStatus status) {
    switch (status) {
        case PictureStatus::Made:
            return "made";
        case PictureStatus::Skipped:
            return "skipped";
        case PictureStatus::Failed:
            return "failed";
        case PictureStatus::Cancelled:
            return "cancelled";
        case PictureStatus::NotRun:
            break;
    }
    return "not run";
}

}  // namespace

std::string JobLine(const BatchItem& item) {
    return Escape(item.input) + "\t" + Escape(item.output) + "\t" +
           (item.seed ? std::to_string(*item.seed) : "-");
}

bool ParseJobLine(const std::string& line, BatchItem& item) {
    const std::vector<std::string> fields = SplitEscaped(line);
    if (fields.size() != 3 || fields[0].empty() || fields[1].empty()) return false;
    item.input = fields[0];
    item.output = fields[1];
    item.seed.reset();
    if (fields[2] != "-") item.seed = std::atoi(fields[2].c_str());
    return true;
}

std::string ReplyLine(const PictureResult& result) {
    return std::string(StatusWord(result.status)) + "\t" + Fixed(result.seconds, 4) + "\t" +
           std::to_string(result.exitStatus) + "\t" + Escape(result.error);
}

bool ParseReplyLine(const std::string& line, PictureResult& result) {
    const std::vector<std::string> fields = SplitEscaped(line);
    if (fields.size() != 4) return false;
    const PictureStatus known[] = {PictureStatus::Made, PictureStatus::Failed, PictureStatus::Cancelled};
    result.status = PictureStatus::NotRun;
    for (PictureStatus status : known) {
        if (fields[0] == StatusWord(status)) result.status = status;
    }
    result.seconds = std::atof(fields[1].c_str());
    result.exitStatus = std::atoi(fields[2].c_str());
    result.error = fields[3];
    return result.status != PictureStatus::NotRun;
}

BatchCounts Count(const std::vector<PictureResult>& results) {
    BatchCounts counts;
    counts.total = int(results.size());
    for (const PictureResult& r : results) {
        counts.made += r.status == PictureStatus::Made;
        counts.skipped += r.status == PictureStatus::Skipped;
        counts.failed += r.status == PictureStatus::Failed;
        counts.cancelled += r.status == PictureStatus::Cancelled;
    }
    return counts;
}

std::string BatchProgressLine(const BatchCounts& counts, double seconds) {
    std::string line = std::to_string(counts.Finished()) + "/" + std::to_string(counts.total) + " done";
    if (counts.failed > 0) line += ", " + std::to_string(counts.failed) + " failed";
    const int run = counts.made + counts.failed;
    if (run > 0 && seconds > 0) {
        const double rate = run / seconds;
        const long left = long((counts.total - counts.Finished()) / rate + 0.5);
        char tail[64];
        std::snprintf(tail, sizeof tail, ", %.1f pictures/s, %ld:%02ld left", rate, left / 60, left % 60);
        line += tail;
    }
    return line;
}

std::string BatchSummary(const BatchCounts& counts, double seconds) {
    std::string line = std::to_string(counts.total) + (counts.total == 1 ? " picture: " : " pictures: ") +
                       std::to_string(counts.made) + " made";
    if (counts.skipped > 0) line += ", " + std::to_string(counts.skipped) + " skipped (already there)";
    if (counts.failed > 0) line += ", " + std::to_string(counts.failed) + " failed";
    const int notMade = counts.total - counts.Finished() + counts.cancelled;
    if (notMade > 0) line += ", " + std::to_string(notMade) + " not made (stopped)";
    line += " in " + Fixed(seconds, 1) + " s";
    if (counts.made > 0 && seconds > 0) line += " (" + Fixed(counts.made / seconds, 1) + " pictures/s)";
    return line;
}

std::string BatchReportJson(const std::vector<BatchItem>& items, const std::vector<PictureResult>& results) {
    const BatchCounts counts = Count(results);
    std::string json = "{\n  \"total\": " + std::to_string(counts.total) +
                       ",\n  \"made\": " + std::to_string(counts.made) +
                       ",\n  \"skipped\": " + std::to_string(counts.skipped) +
                       ",\n  \"failed\": " + std::to_string(counts.failed) + ",\n  \"pictures\": [";
    for (size_t i = 0; i < items.size() && i < results.size(); ++i) {
        json += i == 0 ? "\n" : ",\n";
        json += "    {\"input\": " + Json(items[i].input) + ", \"output\": " + Json(items[i].output) +
                ", \"status\": " + Json(StatusWord(results[i].status)) +
                ", \"seconds\": " + Fixed(results[i].seconds, 4);
        if (items[i].seed) json += ", \"seed\": " + std::to_string(*items[i].seed);
        if (!results[i].error.empty()) json += ", \"error\": " + Json(results[i].error);
        json += "}";
    }
    return json + "\n  ]\n}\n";
}

}  // namespace VarnCli
