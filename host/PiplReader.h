// Reads a plug-in property list as hosts do, so that tests can check what a host would
// make of our resource.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace VarnHost {

struct PiplProperty {
    uint32_t vendor = 0;
    uint32_t key = 0;
    uint32_t storedLength = 0;
    std::vector<uint8_t> data;  // storedLength bytes
};

struct PiplInfo {
    std::vector<PiplProperty> properties;
    const PiplProperty* Find(uint32_t key) const;
    // What a host needs to list and call the filter.
    bool IsFilter() const;
    bool VersionAccepted() const;  // interface 4.0 or older
    std::string EntryPoint(bool x64) const;
    std::string CountedString(uint32_t key) const;
};

// False for anything a host would refuse: a wrong prelude or version, a count that
// does not match the properties present, lengths running past the end.
bool ReadPipl(const uint8_t* bytes, size_t size, PiplInfo& info);

}  // namespace VarnHost
