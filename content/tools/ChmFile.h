// Just enough of the compiled HTML help container to list its files and to clear the
// compile time that chmcmd writes into it, so that the same sources give the same file.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace Chm {

struct Entry {
    std::string name;  // "/Welcome.htm", "/#SYSTEM", ...
    uint64_t section = 0, offset = 0, length = 0;
};

// The directory of a help file; false when the bytes are not one this reader knows.
bool ReadDirectory(const std::vector<uint8_t>& file, std::vector<Entry>& entries);

// The compile time in the header and in the "#SYSTEM" file; false when not found.
bool ReadTimeStamps(const std::vector<uint8_t>& file, uint32_t& header, uint32_t& system);

// Sets both compile times to zero; false (and the bytes unchanged) when either is not found.
bool ClearTimeStamps(std::vector<uint8_t>& file);

}  // namespace Chm
