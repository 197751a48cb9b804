// The plug-in property list ("PIPL" resource) that hosts read before loading the library.
// Windows layout: a 1 prelude, version 0, a property count, then the properties, each
// with its length already rounded up to 4 so that hosts that step by the stored length
// and hosts that round it both land on the next property.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

struct PiplFilterCase {
    uint8_t inputHandling;
    uint8_t outputHandling;
    uint8_t flags1;
    uint8_t flags2;
};

enum : uint8_t {
    piplHandlingCantFilter = 0,
    piplHandlingNone = 1,
    piplFlagDontCopyToDestination = 0x01,
    piplFlagWorksWithBlankData = 0x02,
    piplFlagFiltersLayerMask = 0x04,
    piplFlagWritesOutsideSelection = 0x08,
};

struct PiplDescription {
    std::string name;
    std::string category;
    uint16_t versionMajor = 4;
    uint16_t versionMinor = 0;
    std::string entryPoint;
    bool x64 = false;                    // entry key '8664' instead of 'wx86'
    std::array<uint8_t, 2> modeFlags{};  // FlagSet: mode m is bit 0x80 >> (m % 8) of byte m / 8
    std::string enableExpression;
    std::array<PiplFilterCase, 7> cases{};
};

constexpr uint32_t PiplCode(const char (&s)[5]) {
    return (uint32_t(uint8_t(s[0])) << 24) | (uint32_t(uint8_t(s[1])) << 16) |
           (uint32_t(uint8_t(s[2])) << 8) | uint32_t(uint8_t(s[3]));
}

std::vector<uint8_t> BuildPipl(const PiplDescription& description);
