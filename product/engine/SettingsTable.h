// Every setting of the stored block in one table: where it lives, its type, default and
// range, how a bad stored value is read, and its command-line option. The block's reset,
// its sanitised reading, the command line with its help and the session dumps all come
// from here, so a new setting is one row plus its own logic.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "product/engine/EffectParameters.h"

// The extension after the first 328 bytes: a tag, the length of the fields that follow
// it, then the fields. Fields a block's length does not cover read as their defaults.
constexpr uint32_t kExtensionOffset = sizeof(EffectParameters);
constexpr uint32_t kExtensionFieldsOffset = kExtensionOffset + 8;
// This version's fields, reserved bytes included; the first version's were 24.
constexpr uint32_t kExtensionFieldsLength = 304;
constexpr uint32_t kSettingsBlockSize = kExtensionFieldsOffset + kExtensionFieldsLength;
constexpr char kExtensionTag[4] = {'V', 'R', 'N', 'X'};

// Text is the 260-byte path of the first block, ShortText a 256-byte path of the extension.
enum class SettingType : uint8_t { Text, Int32, UInt8, Double, ShortText };

inline bool IsText(SettingType type) { return type == SettingType::Text || type == SettingType::ShortText; }

// How a stored value outside the range is read.
enum class BadRead : uint8_t {
    AsStored,    // used as it is (flags read as on when not zero)
    Terminated,  // text: its last byte is read as the terminator
    Held,        // held to [heldMin, heldMax]; NaN gives the default
    Scale,       // not finite or not positive gives the default, then held
    Angle,       // not finite gives 0; outside (-360, 360) taken modulo 360, keeping its sign
    Choice,      // a value past the last choice gives the default
};

struct SettingRow {
    const char* name;  // the field's name in code, docs and dumps
    uint32_t offset;   // in the block
    SettingType type;
    double defaultValue;
    double minimum, maximum;  // what the dialog and the command line write
    bool maximumIncluded;
    BadRead bad;
    double heldMin, heldMax;     // with Held and Scale
    bool reset;                  // written when the block is reset to its defaults
    const char* flag;            // command-line option, or null
    const char* valueName;       // the option's value ("N"), or null for a switch that writes 1
    const char* help;            // one line, for --help and the docs
    const char* const* choices;  // names of a Choice field's values, null-terminated
};

const std::vector<SettingRow>& SettingRows();
const SettingRow* FindSetting(const std::string& name);
bool InExtension(const SettingRow& row);
size_t SettingSize(SettingType type);

// A field's stored value (little-endian), as a double; text fields give 0.
double StoredValue(const SettingRow& row, const uint8_t* block);
// Writes v, converted to the field's type (v must fit it).
void StoreValue(const SettingRow& row, uint8_t* block, double v);
// The value the engine uses for a stored value, by the row's bad-value rule.
double SanitizedValue(const SettingRow& row, double stored);

// True when the block's size and tag show an extension whose length fits the block.
bool HasExtension(const uint8_t* block, size_t size);
// Whether a block of this size, as it stands, holds row's field (defaults otherwise).
bool HoldsField(const SettingRow& row, const uint8_t* block, size_t size);
// Every field as the engine reads it, extension fields at their defaults where absent.
double ReadSetting(const SettingRow& row, const uint8_t* block, size_t size);
// A block of kSettingsBlockSize bytes or more that lacks this version's extension (or
// holds a corrupt one) gets the tag, the length and its fields' defaults; a valid one is
// kept, unknown later fields included.
void CompleteExtension(uint8_t* block, size_t size);

// The defaults, row by row; padding and fields without a reset (orderByDepth) are kept.
void ResetSettings(uint8_t* block, size_t size);
