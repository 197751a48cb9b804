#include "host/cli/PendingFile.h"

#include <atomic>
#include <filesystem>
#include <system_error>

#include "host/cli/System.h"

namespace VarnCli {

namespace fs = std::filesystem;

PendingFile::PendingFile(std::string targetPath) : target(std::move(targetPath)) {
    // Unique per process and per file, so that two runs or two outputs never share one.
    static std::atomic<unsigned> counter{0};
    const fs::path path(target);
    fs::path name = path.filename();
    name += ".varnel-" + std::to_string(ProcessId()) + "-" + std::to_string(counter++) + ".tmp";
    temporary = (path.parent_path() / name).string();
}

PendingFile::~PendingFile() {
    if (committed) return;
    std::error_code ignored;
    fs::remove(temporary, ignored);
}

bool PendingFile::Commit(std::string& error) {
    std::error_code failure;
    fs::rename(temporary, target, failure);
    if (failure) {
        error = failure.message();
        return false;
    }
    committed = true;
    return true;
}

}  // namespace VarnCli
