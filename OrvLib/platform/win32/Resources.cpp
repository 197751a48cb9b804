#include "OrvLib/platform/Resources.h"

#include "OrvLib/platform/win32/ThisModule.h"

namespace OrvPlatform {

std::vector<uint8_t> ModuleResource(const void* module, int id, const char* typeName) {
    HMODULE owner = module != nullptr ? static_cast<HMODULE>(const_cast<void*>(module)) : OrvThisModule();
    if (owner == nullptr || typeName == nullptr) return {};
    HRSRC found = FindResourceA(owner, MAKEINTRESOURCEA(id), typeName);
    if (found == nullptr) return {};
    DWORD size = SizeofResource(owner, found);
    HGLOBAL loaded = size != 0 ? LoadResource(owner, found) : nullptr;
    const void* data = loaded != nullptr ? LockResource(loaded) : nullptr;
    if (data == nullptr) return {};
    // Resource memory belongs to the mapped module; the caller gets bytes of its own.
    const auto* bytes = static_cast<const uint8_t*>(data);
    return std::vector<uint8_t>(bytes, bytes + size);
}

}  // namespace OrvPlatform
