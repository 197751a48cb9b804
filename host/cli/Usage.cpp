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
    "  apply INPUT OUTPUT [OPTIONS]   filter INPUT (PNG, JPEG or BMP) into OUTPUT (PNG or JPEG)\n"
    "  batch INPUT... --out DIR       filter every picture of files and folders, on all cores\n"
    "  presets [OPTIONS]              list the preset library beside the plug-in\n"
    "\n"
    "Run 'varnel COMMAND --help' for the options of a command.\n"
    "\n"
    "Exit status: 0 success, 1 bad usage or a file that cannot be read or written,\n"
    "2 an error reported by the plug-in, 130 cancelled.\n";

const char* const kApplyHelpHead =
    "Usage: varnel apply INPUT OUTPUT [OPTIONS]\n"
    "\n"
    "Filters INPUT (PNG, JPEG or BMP; RGB, grey, or with transparency) and writes OUTPUT\n"
    "in the format its name ends in: .png (the same channels) or .jpg/.jpeg (the colour).\n"
    "OUTPUT appears only when the run succeeds.\n"
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
    "  --timing                   print how long the plug-in's run, reading and writing took\n"
    "  --threads N                drawing threads (1 to 8; default: the machine's cores,\n"
    "                             at most 8); every count gives the same pixels\n"
    "  --png-level N              zlib level of a PNG output (0 to 9; default 2, fast)\n"
    "  --quality Q                quality of a JPEG output (1 to 100; default 90)\n"
    "  -h, --help                 this help\n"
    "\n"
    "The dialog (Windows): the plug-in shows its dialog on every run; varnel presses OK\n"
    "as soon as it is up, with the settings above.\n"
    "  --cancel                   press Cancel instead (exit status 130, nothing written)\n"
    "  --dialog                   leave the dialog to you: choose, look at the previews,\n"
    "                             then OK or Cancel; --save-params keeps what you chose\n"
    "\n"
    "Options also take the form --name=VALUE.\n";

const char* const kBatchHelp =
    "Usage: varnel batch INPUT... --out DIR [OPTIONS]\n"
    "\n"
    "Filters every picture of the files and folders given (.png, .jpg, .jpeg, .bmp) with one\n"
    "setting, in worker processes that each load the plug-in once. Each output keeps its\n"
    "input's path below the folder given (a file given alone: its name) under DIR. Outputs\n"
    "that exist are skipped, so a run stopped by Ctrl-C goes on where it stopped when run\n"
    "again; an output appears only when complete. A picture that fails is reported and\n"
    "the batch goes on.\n"
    "\n"
    "  --out DIR                  the output folder\n"
    "  --recursive                the pictures of subfolders too\n"
    "  --format png|jpeg          the outputs' format (default png; jpeg names end in .jpg)\n"
    "  --seed-per-image           each picture's seed from its path below DIR (and --seed);\n"
    "                             otherwise every picture gets the same seed\n"
    "  --jobs N                   worker processes (default: one per core)\n"
    "  --overwrite                make outputs that exist again\n"
    "  --shard K/N                only the K-th of N equal shares of the sorted pictures, so\n"
    "                             that N runs on N machines together make the whole batch\n"
    "  --report FILE              each picture's status, time and error as JSON\n"
    "  --quiet                    no progress line and no summary\n"
    "\n"
    "The objects, settings and --params, --plugin, --threads, --png-level and --quality are\n"
    "those of 'varnel apply' (see varnel apply --help). By default each worker draws with\n"
    "the cores divided by the workers.\n"
    "\n"
    "Exit status: 0 every picture made or skipped, 1 bad usage, 2 a picture failed,\n"
    "130 stopped by Ctrl-C.\n";

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
