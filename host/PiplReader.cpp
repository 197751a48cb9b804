#include "host/PiplReader.h"

#include <algorithm>
#include <cstring>

#include "OrvLib/plugin/Pipl.h"

namespace VarnHost {

namespace {

uint32_t ReadU32(const uint8_t* p) {
    return uint32_t(p[0]) | (uint32_t(p[1]) << 8) | (uint32_t(p[2]) << 16) | (uint32_t(p[3]) << 24);
}

}  // namespace

const PiplProperty* PiplInfo::Find(uint32_t key) const {
    for (const PiplProperty& p : properties) {
        if (p.key == key) return &p;
    }
    return nullptr;
}

bool PiplInfo::IsFilter() const {
    const PiplProperty* kind = Find(PiplCode("kind"));
    return kind != nullptr && kind->data.size() >= 4 && ReadU32(kind->data.data()) == PiplCode("8BFM");
}

bool PiplInfo::VersionAccepted() const {
    const PiplProperty* vers = Find(PiplCode("vers"));
    if (vers == nullptr || vers->data.size() < 4) return false;
    const uint32_t v = ReadU32(vers->data.data());
    const uint32_t major = v >> 16, minor = v & 0xFFFF;
    return major < 4 || (major == 4 && minor == 0);
}

std::string PiplInfo::EntryPoint(bool x64) const {
    const PiplProperty* p = Find(x64 ? PiplCode("8664") : PiplCode("wx86"));
    if (p == nullptr) return {};
    const auto end = std::find(p->data.begin(), p->data.end(), uint8_t(0));
    return std::string(p->data.begin(), end);
}

std::string PiplInfo::CountedString(uint32_t key) const {
    const PiplProperty* p = Find(key);
    if (p == nullptr || p->data.empty() || size_t(p->data[0]) + 1 > p->data.size()) return {};
    return std::string(p->data.begin() + 1, p->data.begin() + 1 + p->data[0]);
}

bool ReadPipl(const uint8_t* bytes, size_t size, PiplInfo& info) {
    info.properties.clear();
    if (size < 10 || bytes[0] != 1 || bytes[1] != 0 || ReadU32(bytes + 2) != 0) return false;
    const uint32_t count = ReadU32(bytes + 6);
    size_t at = 10;
    for (uint32_t i = 0; i < count; ++i) {
        if (size - at < 16) return false;
        PiplProperty p;
        p.vendor = ReadU32(bytes + at);
        p.key = ReadU32(bytes + at + 4);
        p.storedLength = ReadU32(bytes + at + 12);
        const size_t step = (size_t(p.storedLength) + 3) & ~size_t(3);
        if (size - at - 16 < step) return false;
        p.data.assign(bytes + at + 16, bytes + at + 16 + p.storedLength);
        info.properties.push_back(std::move(p));
        at += 16 + step;
    }
    return at == size;
}

}  // namespace VarnHost
