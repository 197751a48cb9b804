// The objects the effect scatters: loaded from the record's path (one file, or every
// loadable image of a folder with its weight), normalised, and kept until the settings
// that define them change.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "OrvLib/image/OrvImage2.h"
#include "OrvLib/platform/Platform.h"
#include "product/engine/EffectParameters.h"
#include "product/engine/PlacementList.h"

// Reads one file into an image; false when it is not a loadable picture.
using ObjectFileReader = std::function<bool(const std::string& file, OrvImage2& image)>;

class ObjectSet {
public:
    static constexpr int64_t kMemoryLimit = 52428800;  // bytes of loaded objects
    static constexpr uint32_t kWaitCursorDelay = 500;  // milliseconds
    static constexpr uint64_t kMostWeight = 4294967295u;

    explicit ObjectSet(ObjectFileReader reader);

    // Loads the set for the record unless the same path, folder flag, texture flag and
    // channel order were loaded last time; a set that failed stays failed until then.
    // forPreview: objects in blue-green-red order like the proxies, else red-green-blue.
    bool Prepare(const EffectParameters& p, bool forPreview);
    // The record a reset leaves: its set counts as loaded (and empty). The sets loaded
    // before (for the preview and the final run) are kept aside: a Prepare for one of
    // their records takes it back, without decoding, when none of its files and folder
    // has changed since.
    void SetCacheKey(const EffectParameters& p);
    void Clear();

    const std::vector<std::unique_ptr<OrvImage2>>& Objects() const { return objects; }
    const ObjectChoice& Choice() const { return choice; }

private:
    bool Load(const EffectParameters& p, bool forPreview);
    bool LoadFolder(const std::string& path, bool forPreview, bool texture);
    bool LoadObject(const std::string& file, OrvImage2& image, bool forPreview, bool texture);
    void Note(const std::string& file);
    void KeepCurrent();

    // A loaded set with what it was loaded from.
    struct Loaded {
        std::vector<std::unique_ptr<OrvImage2>> objects;
        ObjectChoice choice;
        std::array<uint8_t, sizeof(EffectParameters)> key{};
        bool forPreview = false;
        bool outcome = false;
        std::vector<std::pair<std::string, OrvPlatform::FileStamp>> files;  // every file read
        std::string folder;                                                 // listed, if any
        std::vector<std::string> listing;
        bool stamped = true;  // false once a file could not be examined
        bool Matches(const EffectParameters& p, bool preview) const;
        bool Unchanged() const;
    };

    ObjectFileReader reader;
    Loaded current;
    std::vector<std::unique_ptr<Loaded>> kept;  // the latest last
    // The current set, named as before.
    std::vector<std::unique_ptr<OrvImage2>>& objects = current.objects;
    ObjectChoice& choice = current.choice;
};

// The weight at the end of a file name: leaf_3.png weighs 3; without a valid number
// after the last underscore (or one outside 32 bits) a file weighs 10.
int32_t ObjectWeight(const std::string& fileName);

// Turns a 32-bit object into an 8-bit relief map: 128 is neutral, opaque black 0,
// opaque white 255, transparent 128.
void ToTextureMap(OrvImage2& image);
