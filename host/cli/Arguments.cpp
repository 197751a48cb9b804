#include "host/cli/Arguments.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <cstdio>
#include <cstring>
#include <functional>

#include "host/cli/ImageFile.h"
#include "product/engine/SettingsTable.h"

namespace VarnCli {

namespace {

// Decimal text only: no leading space, hexadecimal, infinity or NaN, nothing after it.
bool ParseDecimal(const std::string& text, double& value) {
    if (text.empty() || std::isspace(static_cast<unsigned char>(text[0]))) return false;
    for (char c : text) {
        if (!std::isdigit(static_cast<unsigned char>(c)) && std::strchr("+-.eE", c) == nullptr) return false;
    }
    errno = 0;
    char* end = nullptr;
    value = std::strtod(text.c_str(), &end);
    return end == text.c_str() + text.size() && errno == 0 && std::isfinite(value);
}

bool ParseWhole(const std::string& text, long long min, long long max, int32_t& value) {
    if (text.empty() || std::isspace(static_cast<unsigned char>(text[0]))) return false;
    errno = 0;
    char* end = nullptr;
    const long long v = std::strtoll(text.c_str(), &end, 10);
    if (end != text.c_str() + text.size() || errno != 0 || v < min || v > max) return false;
    value = int32_t(v);
    return true;
}

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

using Setter = std::function<bool(const std::string& value, ApplyOptions& options, std::string& error)>;

template <typename Options>
struct OptionRule {
    const char* name;
    bool takesValue;
    std::function<bool(const std::string& value, Options& options, std::string& error)> set;
};

std::string Number(double v) {
    char text[32];
    std::snprintf(text, sizeof text, "%g", v);
    return text;
}

// The option of a settings-table row; ranges are those the dialog can write, so a block
// made here is one the plug-in knows.
Setter SettingOption(const SettingRow& row) {
    const std::string name = row.flag;
    if (row.valueName == nullptr) {
        return [&row](const std::string&, ApplyOptions& options, std::string&) {
            options.edits.Set(row.name, 1);
            return true;
        };
    }
    return [&row, name](const std::string& value, ApplyOptions& options, std::string& error) {
        if (IsText(row.type)) {
            const size_t longest = SettingSize(row.type) - 1;
            if (value.empty() || value.size() > longest) {
                error = name + " takes a path of 1 to " + std::to_string(longest) + " bytes";
                return false;
            }
            options.edits.texts[row.name] = value;
            return true;
        }
        if (row.choices != nullptr) {
            std::string names;
            for (int32_t k = 0; row.choices[k] != nullptr; ++k) {
                if (value == row.choices[k]) {
                    options.edits.Set(row.name, k);
                    return true;
                }
                names += std::string(k > 0 ? ", " : "") + row.choices[k];
            }
            error = name + " takes one of " + names + ", not " + Quoted(value);
            return false;
        }
        const std::string range = Number(row.minimum) + (row.maximumIncluded ? " to " : " up to ") +
                                  Number(row.maximum) + (row.maximumIncluded ? "" : " (not included)");
        if (row.type == SettingType::Double) {
            double v = 0;
            if (!ParseDecimal(value, v) || v < row.minimum || v > row.maximum ||
                (!row.maximumIncluded && v == row.maximum)) {
                error = name + " takes a number from " + range + ", not " + Quoted(value);
                return false;
            }
            options.edits.Set(row.name, v);
            return true;
        }
        int32_t v = 0;
        if (!ParseWhole(value, (long long)row.minimum, (long long)row.maximum, v)) {
            error = name + " takes a whole number from " + range + ", not " + Quoted(value);
            return false;
        }
        options.edits.Set(row.name, v);
        return true;
    };
}

Setter Text(std::string ApplyOptions::*field) {
    return [=](const std::string& value, ApplyOptions& options, std::string&) {
        options.*field = value;
        return true;
    };
}

Setter WholeOption(const char* name, long long min, long long max, int32_t ApplyOptions::*field) {
    return [=](const std::string& value, ApplyOptions& options, std::string& error) {
        if (!ParseWhole(value, min, max, options.*field)) {
            error = std::string(name) + " takes a whole number from " + std::to_string(min) + " to " +
                    std::to_string(max) + ", not " + Quoted(value);
            return false;
        }
        return true;
    };
}

const char* const kObjectSourcesClash = "--object, --folder and --preset exclude each other";

// --object and --folder are the dialog's custom entry: a path, its kind and category -1.
Setter Objects(const char* name, uint8_t folder) {
    return [=](const std::string& value, ApplyOptions& options, std::string& error) {
        const std::optional<double> kind = options.edits.Get("multipleImages");
        if (!options.preset.empty() || (kind && *kind != folder)) {
            error = kObjectSourcesClash;
            return false;
        }
        if (value.empty() || value.size() > kMaxBlockPath) {
            error = std::string(name) + " takes a path of 1 to " + std::to_string(kMaxBlockPath) + " bytes";
            return false;
        }
        options.edits.path = value;
        options.edits.Set("multipleImages", folder);
        options.edits.Set("presetCategory", -1);
        return true;
    };
}

Setter Answer(DialogAnswer answer) {
    return [answer](const std::string&, ApplyOptions& options, std::string& error) {
        if (options.dialog != DialogAnswer::Ok && options.dialog != answer) {
            error = "--cancel and --dialog exclude each other";
            return false;
        }
        options.dialog = answer;
        return true;
    };
}

std::vector<OptionRule<ApplyOptions>> SettingOptionRules() {
    std::vector<OptionRule<ApplyOptions>> rules;
    for (const SettingRow& row : SettingRows()) {
        if (row.flag != nullptr) rules.push_back({row.flag, row.valueName != nullptr, SettingOption(row)});
    }
    return rules;
}

// The objects, settings and run options of apply that batch takes too.
const std::vector<OptionRule<ApplyOptions>>& SharedOptionRules() {
    static const std::vector<OptionRule<ApplyOptions>> rules = [] {
        std::vector<OptionRule<ApplyOptions>> all = SettingOptionRules();
        const std::vector<OptionRule<ApplyOptions>> own = {
            {"--object", true, Objects("--object", 0)},
            {"--folder", true, Objects("--folder", 1)},
            {"--preset", true,
             [](const std::string& value, ApplyOptions& options, std::string& error) {
                 const size_t slash = value.find('/');
                 if (options.edits.path) {
                     error = kObjectSourcesClash;
                     return false;
                 }
                 if (slash == 0 || slash == std::string::npos || slash + 1 == value.size()) {
                     error = "--preset takes CATEGORY/NAME, not " + Quoted(value);
                     return false;
                 }
                 options.preset = value;
                 return true;
             }},
            {"--params", true, Text(&ApplyOptions::paramsFile)},
            {"--plugin", true, Text(&ApplyOptions::plugin)},
            {"--quiet", false,
             [](const std::string&, ApplyOptions& options, std::string&) {
                 options.quiet = true;
                 return true;
             }},
            {"--threads", true,
             [](const std::string& value, ApplyOptions& options, std::string& error) {
                 if (!ParseWhole(value, 1, 8, options.threads)) {
                     error = "--threads takes a whole number from 1 to 8, not " + Quoted(value);
                     return false;
                 }
                 return true;
             }},
            {"--png-level", true, WholeOption("--png-level", 0, 9, &ApplyOptions::pngLevel)},
            {"--quality", true, WholeOption("--quality", 1, 100, &ApplyOptions::jpegQuality)},
        };
        all.insert(all.begin(), own.begin(), own.end());
        return all;
    }();
    return rules;
}

const std::vector<OptionRule<ApplyOptions>>& ApplyOptionRules() {
    static const std::vector<OptionRule<ApplyOptions>> rules = [] {
        std::vector<OptionRule<ApplyOptions>> all = SharedOptionRules();
        all.insert(all.end(), {
                                  {"--mask", true, Text(&ApplyOptions::mask)},
                                  {"--save-params", true, Text(&ApplyOptions::saveParams)},
                                  {"--cancel", false, Answer(DialogAnswer::Cancel)},
                                  {"--dialog", false, Answer(DialogAnswer::Person)},
                                  {"--timing", false,
                                   [](const std::string&, ApplyOptions& options, std::string&) {
                                       options.timing = true;
                                       return true;
                                   }},
                              });
        return all;
    }();
    return rules;
}

template <typename Options>
std::function<bool(const std::string&, Options&, std::string&)> Switch(bool Options::*field) {
    return [=](const std::string&, Options& options, std::string&) {
        options.*field = true;
        return true;
    };
}

// --shard K/N: the K-th of N shares, K from 1 to N.
bool ParseShard(const std::string& value, BatchOptions& options, std::string& error) {
    const size_t slash = value.find('/');
    int32_t index = 0, count = 0;
    if (slash == std::string::npos || !ParseWhole(value.substr(0, slash), 1, 1000000, index) ||
        !ParseWhole(value.substr(slash + 1), 1, 1000000, count) || index > count) {
        error = "--shard takes K/N with K from 1 to N, not " + Quoted(value);
        return false;
    }
    options.shardIndex = index;
    options.shardCount = count;
    return true;
}

const std::vector<OptionRule<BatchOptions>>& BatchOptionRules() {
    static const std::vector<OptionRule<BatchOptions>> rules = [] {
        std::vector<OptionRule<BatchOptions>> all;
        for (const OptionRule<ApplyOptions>& shared : SharedOptionRules()) {
            const auto set = shared.set;
            all.push_back({shared.name, shared.takesValue,
                           [set](const std::string& value, BatchOptions& options, std::string& error) {
                               return set(value, options.settings, error);
                           }});
        }
        all.insert(all.end(),
                   {
                       {"--out", true,
                        [](const std::string& value, BatchOptions& options, std::string&) {
                            options.outFolder = value;
                            return true;
                        }},
                       {"--recursive", false, Switch(&BatchOptions::recursive)},
                       {"--format", true,
                        [](const std::string& value, BatchOptions& options, std::string& error) {
                            if (value != "png" && value != "jpeg") {
                                error = "--format takes png or jpeg, not " + Quoted(value);
                                return false;
                            }
                            options.format = value == "png" ? OutputFormat::Png : OutputFormat::Jpeg;
                            return true;
                        }},
                       {"--seed-per-image", false, Switch(&BatchOptions::seedPerImage)},
                       {"--jobs", true,
                        [](const std::string& value, BatchOptions& options, std::string& error) {
                            if (!ParseWhole(value, 1, 256, options.jobs)) {
                                error = "--jobs takes a whole number from 1 to 256, not " + Quoted(value);
                                return false;
                            }
                            return true;
                        }},
                       {"--report", true,
                        [](const std::string& value, BatchOptions& options, std::string&) {
                            options.report = value;
                            return true;
                        }},
                       {"--overwrite", false, Switch(&BatchOptions::overwrite)},
                       {"--shard", true, &ParseShard},
                       {"--worker", false, Switch(&BatchOptions::worker)},
                   });
        return all;
    }();
    return rules;
}

const std::vector<OptionRule<PresetsOptions>>& PresetsOptionRules() {
    static const std::vector<OptionRule<PresetsOptions>> rules = {
        {"--plugin", true,
         [](const std::string& value, PresetsOptions& options, std::string&) {
             options.plugin = value;
             return true;
         }},
        {"--names", false,
         [](const std::string&, PresetsOptions& options, std::string&) {
             options.names = true;
             return true;
         }},
    };
    return rules;
}

// Options may come before, between and after the operands; "--" ends them. A value is
// the next argument or follows "=". A later option overrides an earlier one.
template <typename Options>
ParseOutcome ParseOptions(const std::vector<std::string>& args, const std::vector<OptionRule<Options>>& rules,
                          Options& options, std::vector<std::string>& operands) {
    // Help wins wherever it stands, even after a bad option.
    for (const std::string& arg : args) {
        if (arg == "--") break;
        if (arg == "--help" || arg == "-h") return ParseOutcome{ParseStatus::Help, {}};
    }
    bool optionsEnded = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (optionsEnded || arg.size() < 2 || arg[0] != '-') {
            operands.push_back(arg);
            continue;
        }
        if (arg == "--") {
            optionsEnded = true;
            continue;
        }
        const size_t equals = arg.find('=');
        const std::string name = arg.substr(0, equals);
        const OptionRule<Options>* option = nullptr;
        for (const auto& s : rules) {
            if (name == s.name) option = &s;
        }
        if (option == nullptr) return ParseOutcome{ParseStatus::Error, "unknown option " + name};
        std::string value;
        if (equals != std::string::npos) {
            if (!option->takesValue) return ParseOutcome{ParseStatus::Error, name + " takes no value"};
            value = arg.substr(equals + 1);
        } else if (option->takesValue) {
            if (i + 1 == args.size()) return ParseOutcome{ParseStatus::Error, name + " needs a value"};
            value = args[++i];
        }
        std::string error;
        if (!option->set(value, options, error)) return ParseOutcome{ParseStatus::Error, error};
    }
    return ParseOutcome{};
}

}  // namespace

void ApplyEdits(const BlockEdits& e, std::vector<uint8_t>& block) {
    if (block.size() < sizeof(EffectParameters)) block.resize(sizeof(EffectParameters), 0);
    std::vector<std::string> named;
    for (const auto& field : e.fields) named.push_back(field.first);
    for (const auto& text : e.texts) named.push_back(text.first);
    for (const std::string& name : named) {
        const SettingRow* row = FindSetting(name);
        if (row == nullptr || !InExtension(*row) || block.size() >= kSettingsBlockSize) continue;
        block.resize(kSettingsBlockSize, 0);
        CompleteExtension(block.data(), block.size());
    }
    if (e.path) {
        // Every byte after the text is cleared, so that a stored block never carries an
        // older, longer path behind the new one.
        std::memset(block.data(), 0, sizeof EffectParameters::path);
        std::memcpy(block.data(), e.path->data(), std::min(e.path->size(), kMaxBlockPath));
    }
    for (const auto& [name, value] : e.fields) {
        if (const SettingRow* row = FindSetting(name)) StoreValue(*row, block.data(), value);
    }
    for (const auto& [name, text] : e.texts) {
        const SettingRow* row = FindSetting(name);
        if (row == nullptr || row->offset + SettingSize(row->type) > block.size()) continue;
        std::memset(block.data() + row->offset, 0, SettingSize(row->type));
        std::memcpy(block.data() + row->offset, text.data(),
                    std::min(text.size(), SettingSize(row->type) - 1));
    }
}

ParseOutcome ParseApplyArguments(const std::vector<std::string>& args, ApplyOptions& options) {
    std::vector<std::string> operands;
    ParseOutcome outcome = ParseOptions(args, ApplyOptionRules(), options, operands);
    if (outcome.status != ParseStatus::Run) return outcome;
    if (operands.size() != 2) {
        return ParseOutcome{ParseStatus::Error, operands.size() < 2
                                                    ? "INPUT and OUTPUT are needed"
                                                    : "unexpected argument " + Quoted(operands[2])};
    }
    options.input = operands[0];
    options.output = operands[1];
    if (options.input.empty() || options.output.empty())
        return ParseOutcome{ParseStatus::Error, "empty file name"};
    if (OutputFormatOf(options.output) == ImageFormat::Unknown) {
        return ParseOutcome{ParseStatus::Error,
                            "OUTPUT must end in .png, .jpg or .jpeg, not " + Quoted(options.output)};
    }
    return outcome;
}

ParseOutcome ParseBatchArguments(const std::vector<std::string>& args, BatchOptions& options) {
    options.arguments = args;
    ParseOutcome outcome = ParseOptions(args, BatchOptionRules(), options, options.inputs);
    if (outcome.status != ParseStatus::Run || options.worker) return outcome;
    if (options.inputs.empty()) return ParseOutcome{ParseStatus::Error, "at least one INPUT is needed"};
    if (options.outFolder.empty()) return ParseOutcome{ParseStatus::Error, "--out DIR is needed"};
    return outcome;
}

ParseOutcome ParsePresetsArguments(const std::vector<std::string>& args, PresetsOptions& options) {
    std::vector<std::string> operands;
    ParseOutcome outcome = ParseOptions(args, PresetsOptionRules(), options, operands);
    if (outcome.status == ParseStatus::Run && !operands.empty()) {
        return ParseOutcome{ParseStatus::Error, "unexpected argument " + Quoted(operands[0])};
    }
    return outcome;
}

}  // namespace VarnCli
