#include "OrvLib/image/OrvBitmapTypes.h"

#include <climits>
#include <cstddef>
#include <new>

OrvBitmapInfo* OrvAllocateBlock(int64_t bytes) {
    // Blocks are addressed with 32-bit offsets everywhere, so larger ones are refused.
    if (bytes < 0 || bytes > INT_MAX) throw std::bad_alloc();
    return reinterpret_cast<OrvBitmapInfo*>(new unsigned char[size_t(bytes > 0 ? bytes : 1)]());
}

void OrvFreeBlock(void* block) { delete[] static_cast<unsigned char*>(block); }
