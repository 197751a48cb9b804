#include "host/cli/ChildProcess.h"

namespace VarnCli {

std::string QuoteArgument(const std::string& arg) {
    if (!arg.empty() && arg.find_first_of(" \t\"") == std::string::npos) return arg;
    std::string quoted = "\"";
    size_t backslashes = 0;
    for (char c : arg) {
        if (c == '\\') {
            ++backslashes;
            continue;
        }
        quoted.append(c == '"' ? backslashes * 2 + 1 : backslashes, '\\');
        backslashes = 0;
        quoted += c;
    }
    quoted.append(backslashes * 2, '\\');
    return quoted + "\"";
}

bool ChildProcess::ReadLine(std::string& line) {
    for (;;) {
        const size_t end = pending.find('\n');
        if (end != std::string::npos) {
            line = pending.substr(0, end);
            pending.erase(0, end + 1);
            // A Windows child in text mode ends its lines with CR LF.
            if (!line.empty() && line.back() == '\r') line.pop_back();
            return true;
        }
        if (ended || !ReadMore()) {
            ended = true;
            return false;
        }
    }
}

}  // namespace VarnCli
