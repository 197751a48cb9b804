#include "OrvLib/platform/Platform.h"

#include <dlfcn.h>

#include <chrono>
#include <climits>
#include <cstdlib>
#include <functional>
#include <utility>

#include "OrvLib/platform/FolderOrder.h"
#include "OrvLib/platform/headless/HeadlessPlatform.h"

namespace {
int enableHostWindowCalls = 0;
intptr_t lastHostWindow = 0;
std::function<uint32_t()> testClock;
}  // namespace

namespace OrvPlatform {

std::string ModuleFileName() {
    Dl_info info{};
    if (dladdr(reinterpret_cast<void*>(&ModuleFileName), &info) == 0 || info.dli_fname == nullptr) return {};
    std::string name = info.dli_fname;
    if (name.size() >= PATH_MAX) return {};
    return name;
}

std::string EnvironmentValue(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? value : std::string();
}

uint32_t Milliseconds() {
    if (testClock) return testClock();
    using namespace std::chrono;
    return uint32_t(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

void EnableHostWindow(intptr_t hostWindow) {
    ++enableHostWindowCalls;
    lastHostWindow = hostWindow;
}

}  // namespace OrvPlatform

namespace OrvHeadless {

int EnableHostWindowCalls() { return enableHostWindowCalls; }
intptr_t LastHostWindow() { return lastHostWindow; }
void SetClock(std::function<uint32_t()> clock) { testClock = std::move(clock); }

}  // namespace OrvHeadless

#include <dirent.h>
#include <sys/stat.h>

namespace OrvPlatform {

char PathSeparator() { return '/'; }
bool IsPathSeparator(char c) { return c == '/'; }

bool IsFile(const std::string& path) {
    struct stat st {};
    return stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool IsFolder(const std::string& path) {
    struct stat st {};
    return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool StampOf(const std::string& path, FileStamp* stamp) {
    struct stat st {};
    if (stat(path.c_str(), &st) != 0) return false;
    stamp->size = uint64_t(st.st_size);
    stamp->written = int64_t(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
    return true;
}

std::vector<std::string> ListFolder(const std::string& folder) {
    std::vector<std::string> names;
    DIR* dir = opendir(folder.empty() ? "." : folder.c_str());
    if (dir == nullptr) return names;
    while (const dirent* entry = readdir(dir)) names.emplace_back(entry->d_name);
    closedir(dir);
    SortFolderNames(names);
    return names;
}

intptr_t ShowWaitCursor() { return 1; }
void RestoreCursor(intptr_t) {}

}  // namespace OrvPlatform
