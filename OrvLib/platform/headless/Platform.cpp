#include "OrvLib/platform/Platform.h"

#include <dlfcn.h>

#include <chrono>
#include <climits>

#include "OrvLib/platform/headless/HeadlessPlatform.h"

namespace {
int enableHostWindowCalls = 0;
}

namespace OrvPlatform {

std::string ModuleFileName() {
    Dl_info info{};
    if (dladdr(reinterpret_cast<void*>(&ModuleFileName), &info) == 0 || info.dli_fname == nullptr) return {};
    std::string name = info.dli_fname;
    if (name.size() >= PATH_MAX) return {};
    return name;
}

uint32_t Milliseconds() {
    using namespace std::chrono;
    return uint32_t(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

void EnableHostWindow() { ++enableHostWindowCalls; }

}  // namespace OrvPlatform

namespace OrvHeadless {

int EnableHostWindowCalls() { return enableHostWindowCalls; }

}  // namespace OrvHeadless
