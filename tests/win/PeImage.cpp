#include "tests/win/PeImage.h"

namespace {

const IMAGE_DATA_DIRECTORY* Directory(HMODULE module, int index) {
    auto base = reinterpret_cast<const BYTE*>(module);
    auto dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    auto nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY* dir = &nt->OptionalHeader.DataDirectory[index];
    return dir->VirtualAddress == 0 ? nullptr : dir;
}

}  // namespace

std::vector<std::string> ExportedNames(HMODULE module) {
    std::vector<std::string> names;
    const IMAGE_DATA_DIRECTORY* dir = Directory(module, IMAGE_DIRECTORY_ENTRY_EXPORT);
    if (dir == nullptr) return names;
    auto base = reinterpret_cast<const BYTE*>(module);
    auto exports = reinterpret_cast<const IMAGE_EXPORT_DIRECTORY*>(base + dir->VirtualAddress);
    auto nameRvas = reinterpret_cast<const DWORD*>(base + exports->AddressOfNames);
    for (DWORD i = 0; i < exports->NumberOfNames; ++i) {
        names.emplace_back(reinterpret_cast<const char*>(base + nameRvas[i]));
    }
    // Exports by ordinal only would be invisible above.
    if (exports->NumberOfFunctions != exports->NumberOfNames) names.emplace_back("<ordinal-only export>");
    return names;
}

std::vector<std::string> ImportedLibraries(HMODULE module) {
    std::vector<std::string> names;
    const IMAGE_DATA_DIRECTORY* dir = Directory(module, IMAGE_DIRECTORY_ENTRY_IMPORT);
    if (dir == nullptr) return names;
    auto base = reinterpret_cast<const BYTE*>(module);
    for (auto d = reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(base + dir->VirtualAddress); d->Name != 0;
         ++d) {
        names.emplace_back(reinterpret_cast<const char*>(base + d->Name));
    }
    return names;
}
