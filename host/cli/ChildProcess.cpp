#include "host/cli/ChildProcess.h"

namespace VarnCli {

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
