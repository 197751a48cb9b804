#include "OrvLib/plugin/Pipl.h"

#include <algorithm>
#include <stdexcept>

namespace {

void PutU16(std::vector<uint8_t>& out, uint16_t v) {
    out.push_back(uint8_t(v));
    out.push_back(uint8_t(v >> 8));
}

void PutU32(std::vector<uint8_t>& out, uint32_t v) {
    for (int i = 0; i < 4; ++i) out.push_back(uint8_t(v >> (8 * i)));
}

void PutProperty(std::vector<uint8_t>& out, uint32_t key, std::vector<uint8_t> data) {
    while (data.size() % 4 != 0) data.push_back(0);
    PutU32(out, PiplCode("8BIM"));
    PutU32(out, key);
    PutU32(out, 0);
    PutU32(out, uint32_t(data.size()));
    out.insert(out.end(), data.begin(), data.end());
}

std::vector<uint8_t> CountedString(const std::string& s) {
    if (s.size() > 255) throw std::length_error("PIPL string longer than 255 characters");
    std::vector<uint8_t> data(s.size() + 1);
    data[0] = uint8_t(s.size());
    std::copy(s.begin(), s.end(), data.begin() + 1);
    return data;
}

std::vector<uint8_t> CString(const std::string& s) {
    std::vector<uint8_t> data(s.begin(), s.end());
    data.push_back(0);
    return data;
}

std::vector<uint8_t> U32Data(uint32_t v) {
    std::vector<uint8_t> data;
    PutU32(data, v);
    return data;
}

}  // namespace

std::vector<uint8_t> BuildPipl(const PiplDescription& d) {
    std::vector<uint8_t> out;
    PutU16(out, 1);
    PutU32(out, 0);
    PutU32(out, 8);
    PutProperty(out, PiplCode("kind"), U32Data(PiplCode("8BFM")));
    PutProperty(out, PiplCode("name"), CountedString(d.name));
    PutProperty(out, PiplCode("catg"), CountedString(d.category));
    PutProperty(out, PiplCode("vers"), U32Data((uint32_t(d.versionMajor) << 16) | d.versionMinor));
    PutProperty(out, d.x64 ? PiplCode("8664") : PiplCode("wx86"), CString(d.entryPoint));
    PutProperty(out, PiplCode("mode"), {d.modeFlags[0], d.modeFlags[1]});
    PutProperty(out, PiplCode("enbl"), CString(d.enableExpression));
    std::vector<uint8_t> cases;
    for (const PiplFilterCase& c : d.cases) {
        cases.insert(cases.end(), {c.inputHandling, c.outputHandling, c.flags1, c.flags2});
    }
    PutProperty(out, PiplCode("fici"), cases);
    return out;
}
