// varnel apply with the dialog left to a person, for sessions driven from outside Wine:
// while the plug-in runs, the windows of this process are published for the driver to
// aim at, and afterwards a report says what the host received and what the block holds.
//
//   varnel-session-host --windows FILE --report FILE INPUT OUTPUT [apply options]
#include <windows.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "WindowPublisher.h"
#include "host/MemoryHost.h"
#include "host/cli/Arguments.h"
#include "host/cli/Commands.h"
#include "host/cli/ImageFile.h"
#include "product/engine/SettingsTable.h"

namespace {

struct RunSeen {
    int16_t result = 0;
    bool ran = false;
    std::vector<uint8_t> pixels;
    std::vector<uint8_t> block;
};

std::string Quoted(const std::string& text) {
    std::string out = "\"";
    for (char c : text) {
        if (c == '"' || c == '\\') out += '\\';
        out += c;
    }
    return out + "\"";
}

// Every field of the settings table as the block holds it (absent extension fields as
// their defaults).
std::string BlockJson(const std::vector<uint8_t>& bytes) {
    if (bytes.size() < sizeof(EffectParameters)) return "null";
    std::string json;
    for (const SettingRow& row : SettingRows()) {
        json += (json.empty() ? "{\"" : ",\"") + std::string(row.name) + "\":";
        if (IsText(row.type)) {
            const char* text = reinterpret_cast<const char*>(bytes.data()) + row.offset;
            const bool held = HoldsField(row, bytes.data(), bytes.size());
            json +=
                Quoted(held ? std::string(text, strnlen(text, SettingSize(row.type) - 1)) : std::string());
            continue;
        }
        const double v =
            HoldsField(row, bytes.data(), bytes.size()) ? StoredValue(row, bytes.data()) : row.defaultValue;
        char number[32];
        std::snprintf(number, sizeof number, row.type == SettingType::Double ? "%.17g" : "%.0f", v);
        json += number;
    }
    return json + "}";
}

int Usage() {
    std::fputs("usage: varnel-session-host --windows FILE --report FILE INPUT OUTPUT [apply options]\n",
               stderr);
    return VarnCli::kExitUsage;
}

}  // namespace

int main(int argc, char** argv) {
    std::string windowsFile, reportFile;
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if ((arg == "--windows" || arg == "--report") && i + 1 < argc) {
            (arg == "--windows" ? windowsFile : reportFile) = argv[++i];
        } else {
            args.push_back(arg);
        }
    }
    VarnCli::ApplyOptions options;
    if (windowsFile.empty() || reportFile.empty() ||
        VarnCli::ParseApplyArguments(args, options).status != VarnCli::ParseStatus::Run)
        return Usage();
    options.dialog = VarnHost::DialogAnswer::Person;

    VarnCli::Raster input;
    std::string error;
    if (!VarnCli::ReadImageFile(options.input, input, error) || input.channels != 3) {
        std::fprintf(stderr, "varnel-session-host: %s must be an RGB picture %s\n", options.input.c_str(),
                     error.c_str());
        return VarnCli::kExitUsage;
    }
    RunSeen seen;
    options.afterRun = [&seen](int16_t result, const VarnHost::MemoryHost& host) {
        seen.ran = true;
        seen.result = result;
        seen.pixels = host.Image().pixels;
        seen.block = host.HandleBytes(host.Parameters());
    };
    // Loaded before the publisher's thread starts, so that the plug-in's loading never
    // waits on a window call of that thread (nor that thread on the loader).
    const std::string pluginFile = VarnCli::PluginFileToLoad(options.plugin);
    HMODULE plugin = LoadLibraryA(pluginFile.c_str());
    if (plugin == nullptr) {
        std::fprintf(stderr, "varnel-session-host: cannot load %s\n", pluginFile.c_str());
        return VarnCli::kExitUsage;
    }
    int status = 0;
    {
        Sessions::WindowPublisher publisher(windowsFile, 100);
        status = VarnCli::RunApply(options, stderr);
    }
    FreeLibrary(plugin);
    const std::string report = "{\"exit\":" + std::to_string(status) +
                               ",\"ran\":" + (seen.ran ? "true" : "false") +
                               ",\"result\":" + std::to_string(seen.result) +
                               ",\"imageChanged\":" + (seen.pixels != input.pixels ? "true" : "false") +
                               ",\"block\":" + BlockJson(seen.block) + "}\n";
    if (!VarnCli::WriteFileBytes(reportFile, std::vector<uint8_t>(report.begin(), report.end()), error)) {
        std::fprintf(stderr, "varnel-session-host: cannot write %s: %s\n", reportFile.c_str(), error.c_str());
        return VarnCli::kExitUsage;
    }
    return status;
}
