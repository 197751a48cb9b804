// A file that appears under its name only when complete: it is written under a temporary
// name in the same folder (so that the rename cannot cross file systems) and renamed on
// Commit; without a Commit the temporary file is removed and an existing file of that
// name is left as it was.
#pragma once

#include <string>

namespace VarnCli {

class PendingFile {
public:
    explicit PendingFile(std::string target);
    ~PendingFile();
    PendingFile(const PendingFile&) = delete;
    PendingFile& operator=(const PendingFile&) = delete;

    const std::string& TemporaryPath() const { return temporary; }
    const std::string& Target() const { return target; }
    // Replaces any file at the target. False with `error` set when the rename fails.
    bool Commit(std::string& error);

private:
    std::string target;
    std::string temporary;
    bool committed = false;
};

}  // namespace VarnCli
