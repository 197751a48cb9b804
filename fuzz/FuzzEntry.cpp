// libFuzzer's entry for one target, chosen at build time.
#include "ParameterTarget.h"
#include "ReaderTargets.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    return VARNEL_FUZZ_TARGET(data, size);
}
