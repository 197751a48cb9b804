#include "host/cli/Usage.h"

#include <algorithm>

#include "product/engine/SettingsTable.h"

namespace VarnCli {

const char* const kMainHelp =
    "Usage: varnel COMMAND [OPTIONS]\n"
    "\n"
    "Runs the Varnel filter plug-in on image files, as an image editor would.\n"
    "\n"
    "Commands:\n"
    "  apply INPUT OUTPUT [OPTIONS]   filter INPUT (PNG, JPEG or BMP) into OUTPUT (PNG)\n"
    "  presets [OPTIONS]              list the preset library beside the plug-in\n"
    "\n"
    "Run 'varnel COMMAND --help' for the options of a command.\n"
    "\n"
    "Exit status: 0 success, 1 bad usage or a file that cannot be read or written,\n"
    "2 an error reported by the plug-in, 130 cancelled.\n";

const char* const kApplyHelpHead =
    "Usage: varnel apply INPUT OUTPUT [OPTIONS]\n"
    "\n"
    "Filters INPUT (PNG, JPEG or BMP; RGB, grey, or with transparency) and writes OUTPUT as\n"
    "a PNG with the same channels. OUTPUT appears only when the run succeeds.\n"
    "\n"
    "Objects (at most one; default: what the parameter block holds):\n"
    "  --object FILE              one object image\n"
    "  --folder DIR               every image in DIR\n"
    "  --preset CATEGORY/NAME     a preset of the library beside the plug-in\n"
    "\n"
    "Settings (each writes its field of the parameter block, exactly as given):\n";

const char* const kApplyHelpTail =
    "\n"
    "Run:\n"
    "  --mask FILE                selection: an 8-bit grey image of INPUT's size,\n"
    "                             255 fully selected\n"
    "  --params FILE              start from this saved parameter block (328 bytes,\n"
    "                             or more with the extension)\n"
    "  --save-params FILE         save the parameter block of the run\n"
    "  --plugin FILE              the plug-in to load (default: the one beside varnel)\n"
    "  --quiet                    no progress bar\n"
    "  --timing                   print how long the plug-in's run took\n"
    "  --threads N                drawing threads (1 to 8; default: the machine's cores,\n"
    "                             at most 8); every count gives the same pixels\n"
    "  -h, --help                 this help\n"
    "\n"
    "The dialog (Windows): the plug-in shows its dialog on every run; varnel presses OK\n"
    "as soon as it is up, with the settings above.\n"
    "  --cancel                   press Cancel instead (exit status 130, nothing written)\n"
    "  --dialog                   leave the dialog to you: choose, look at the previews,\n"
    "                             then OK or Cancel; --save-params keeps what you chose\n"
    "\n"
    "Options also take the form --name=VALUE.\n";

const char* const kPresetsHelp =
    "Usage: varnel presets [OPTIONS]\n"
    "\n"
    "Lists the categories and presets of the library in the Varnel folder beside the\n"
    "plug-in, in the order the plug-in shows them.\n"
    "\n"
    "  --names                    one CATEGORY/NAME a line, as --preset takes it\n"
    "  --plugin FILE              the plug-in whose library to list\n"
    "  -h, --help                 this help\n";

std::string SettingsHelp() {
    constexpr size_t kColumn = 29, kWidth = 88;
    std::string text;
    for (const SettingRow& row : SettingRows()) {
        if (row.flag == nullptr) continue;
        std::string line = std::string("  ") + row.flag;
        if (row.valueName != nullptr) line += std::string(" ") + row.valueName;
        line.resize(std::max(line.size() + 1, kColumn), ' ');
        // Words wrap under the help column.
        std::string word;
        for (const char* c = row.help;; ++c) {
            if (*c != ' ' && *c != 0) {
                word += *c;
                continue;
            }
            if (line.size() + word.size() > kWidth) {
                text += line + "\n";
                line.assign(kColumn, ' ');
            } else if (line.size() > kColumn && line.back() != ' ') {
                line += ' ';
            }
            line += word;
            word.clear();
            if (*c == 0) break;
        }
        text += line + "\n";
    }
    return text;
}

std::string ApplyHelp() { return kApplyHelpHead + SettingsHelp() + kApplyHelpTail; }

}  // namespace VarnCli
