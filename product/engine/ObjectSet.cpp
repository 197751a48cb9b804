#include "product/engine/ObjectSet.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>

#include "OrvLib/image/OrvAutoPtr.h"
#include "OrvLib/platform/Platform.h"
#include "product/ObjectFileNames.h"

namespace {

const char* Path(const EffectParameters& p) { return p.path; }
size_t PathLength(const EffectParameters& p) { return strnlen(p.path, sizeof p.path - 1); }

// Restores the cursor on every way out of a folder load.
class WaitCursor {
public:
    ~WaitCursor() {
        if (shown) OrvPlatform::RestoreCursor(previous);
    }
    void ShowAfter(uint32_t start, uint32_t delay) {
        if (!shown && OrvPlatform::Milliseconds() - start > delay) {
            previous = OrvPlatform::ShowWaitCursor();
            shown = true;
        }
    }

private:
    bool shown = false;
    intptr_t previous = 0;
};

}  // namespace

int32_t ObjectWeight(const std::string& fileName) {
    const std::string stem = OrvPath::WithoutExtension(fileName);
    const size_t underscore = stem.find_last_of('_');
    if (underscore == std::string::npos) return 10;
    const char* text = stem.c_str() + underscore + 1;
    const char* p = text;
    while (*p == ' ' || (*p >= '\t' && *p <= '\r')) ++p;
    const char* sign = p;
    if (*p == '+' || *p == '-') ++p;
    if (*p < '0' || *p > '9') return 10;
    char* end = nullptr;
    errno = 0;
    const long long value = std::strtoll(sign, &end, 10);
    if (*end != '\0' || errno == ERANGE || value < INT32_MIN || value > INT32_MAX) return 10;
    return int32_t(value);
}

void ToTextureMap(OrvImage2& image) {
    const int32_t w = image.Width(), h = image.AbsHeight();
    OrvImage2 relief;
    OrvPalette grey;
    grey.MakeGreyRamp();
    relief.Create(w, h, 8, &grey);
    for (int32_t y = 0; y < h; ++y) {
        const uint8_t* s = image.RowAddress(y);
        uint8_t* d = relief.RowAddress(y);
        for (int32_t x = 0; x < w; ++x, s += 4) {
            d[x] = uint8_t(s[3] * (s[0] + s[1] + s[2] - 384) / 765 + 128);
        }
    }
    image.TakeFrom(relief);
    image.SetHasAlpha(false);
}

ObjectSet::ObjectSet(ObjectFileReader fileReader) : reader(std::move(fileReader)) {}

void ObjectSet::Clear() {
    current.objects.clear();
    current.choice = ObjectChoice{};
    current.files.clear();
    current.folder.clear();
    current.listing.clear();
    current.stamped = true;
}

// At most two sets, the preview's and the final run's, within the memory limit.
void ObjectSet::KeepCurrent() {
    if (current.outcome) kept.push_back(std::make_unique<Loaded>(std::move(current)));
    current = Loaded{};
    const auto bytes = [this] {
        int64_t sum = 0;
        for (const auto& set : kept) {
            for (const auto& object : set->objects) sum += object->TotalSize();
        }
        return sum;
    };
    while (kept.size() > 2 || (kept.size() > 1 && bytes() > kMemoryLimit)) kept.erase(kept.begin());
}

void ObjectSet::SetCacheKey(const EffectParameters& p) {
    KeepCurrent();
    std::memcpy(current.key.data(), &p, current.key.size());
}

bool ObjectSet::Loaded::Matches(const EffectParameters& p, bool preview) const {
    EffectParameters k;
    std::memcpy(&k, key.data(), sizeof k);
    return preview == forPreview && p.multipleImages == k.multipleImages &&
           p.applyAsTexture == k.applyAsTexture && PathLength(p) == PathLength(k) &&
           std::memcmp(Path(p), Path(k), PathLength(p)) == 0;
}

bool ObjectSet::Loaded::Unchanged() const {
    if (!stamped) return false;
    if (!folder.empty() && OrvPlatform::ListFolder(folder) != listing) return false;
    for (const auto& [file, stamp] : files) {
        OrvPlatform::FileStamp now;
        if (!OrvPlatform::StampOf(file, &now) || !(now == stamp)) return false;
    }
    return true;
}

void ObjectSet::Note(const std::string& file) {
    OrvPlatform::FileStamp stamp;
    if (OrvPlatform::StampOf(file, &stamp)) {
        current.files.emplace_back(file, stamp);
    } else {
        current.stamped = false;
    }
}

bool ObjectSet::Prepare(const EffectParameters& p, bool forPreview) {
    if (current.Matches(p, forPreview)) return current.outcome;
    // A batch's next picture with the same objects: decoding them again would give the same.
    for (auto it = kept.begin(); it != kept.end(); ++it) {
        if (!(*it)->Matches(p, forPreview) || !(*it)->Unchanged()) continue;
        std::unique_ptr<Loaded> again = std::move(*it);
        kept.erase(it);
        KeepCurrent();
        current = std::move(*again);
        return current.outcome;
    }
    KeepCurrent();
    std::memcpy(current.key.data(), &p, current.key.size());
    current.forPreview = forPreview;
    current.outcome = false;
    try {
        current.outcome = Load(p, forPreview);
    } catch (const std::bad_alloc&) {
        current.outcome = false;
    }
    if (!current.outcome) Clear();
    return current.outcome;
}

bool ObjectSet::Load(const EffectParameters& p, bool forPreview) {
    const std::string path(Path(p), PathLength(p));
    // An empty path would name the current folder or the drive's root.
    if (path.empty()) return false;
    const bool texture = p.applyAsTexture != 0;
    if (p.multipleImages) return LoadFolder(path, forPreview, texture);

    auto image = std::make_unique<OrvImage2>();
    if (!LoadObject(path, *image, forPreview, texture)) return false;
    choice.widths = {image->Width()};
    choice.heights = {image->AbsHeight()};
    choice.cumulativeWeights = {1};
    choice.meanWidth = image->Width();
    choice.meanHeight = image->AbsHeight();
    objects.push_back(std::move(image));
    return true;
}

bool ObjectSet::LoadFolder(const std::string& path, bool forPreview, bool texture) {
    std::string folder = path;
    if (OrvPlatform::IsFile(path)) {
        size_t cut = folder.size();
        while (cut > 0 && !OrvPlatform::IsPathSeparator(folder[cut - 1])) --cut;
        folder.resize(cut);
    }
    if (!folder.empty() && !OrvPlatform::IsPathSeparator(folder.back()))
        folder += OrvPlatform::PathSeparator();

    const uint32_t start = OrvPlatform::Milliseconds();
    WaitCursor cursor;
    uint64_t widthSum = 0, heightSum = 0, totalWeight = 0;
    int64_t bytes = 0;
    current.folder = folder;
    current.listing = OrvPlatform::ListFolder(folder);
    for (const std::string& name : current.listing) {
        if (IsThumbnailName(name)) continue;
        const std::string file = folder + name;
        if (file.size() > kLongestObjectPath) continue;  // could never be stored as a path
        auto image = std::make_unique<OrvImage2>();
        if (!LoadObject(file, *image, forPreview, texture)) continue;
        const int32_t weight = ObjectWeight(name);
        if (weight > 0) {
            widthSum += uint64_t(image->Width()) * uint64_t(weight);
            heightSum += uint64_t(image->AbsHeight()) * uint64_t(weight);
            totalWeight += uint64_t(weight);
        }
        bytes += image->TotalSize();
        choice.widths.push_back(image->Width());
        choice.heights.push_back(image->AbsHeight());
        choice.cumulativeWeights.push_back(totalWeight);
        objects.push_back(std::move(image));
        cursor.ShowAfter(start, kWaitCursorDelay);
        if (bytes > kMemoryLimit) break;
    }
    if (objects.empty() || totalWeight == 0 || totalWeight > kMostWeight) return false;
    choice.meanWidth = int32_t(widthSum / totalWeight);
    choice.meanHeight = int32_t(heightSum / totalWeight);
    return true;
}

bool ObjectSet::LoadObject(const std::string& file, OrvImage2& image, bool forPreview, bool texture) {
    Note(file);
    if (!reader(file, image) || image.IsEmpty()) return false;
    if (image.GetBitCount() != 32 && !image.ConvertDepth(32)) return false;
    if (!image.HasAlpha()) {
        image.SetHasAlpha(true);
        image.FillAlpha(255);
    }
    if (image.GetHeight() < 0) image.MakeTopDown();
    if (texture) {
        ToTextureMap(image);
    } else if (!forPreview) {
        for (int32_t y = 0; y < image.AbsHeight(); ++y) {
            uint8_t* px = image.RowAddress(y);
            for (int32_t x = 0; x < image.Width(); ++x, px += 4) std::swap(px[0], px[2]);
        }
    }
    return true;
}
