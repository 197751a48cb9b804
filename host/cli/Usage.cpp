#include "host/cli/Usage.h"

namespace varncli {

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

const char* const kApplyHelp =
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
    "Settings (each writes its field of the parameter block, exactly as given):\n"
    "  --density N                copies, percent of the full count (1 to 100)\n"
    "  --scale F                  scale factor (0.1 to 10)\n"
    "  --random-scale F           random scaling ratio (1 = off, up to 10)\n"
    "  --rotation DEG             rotation (0 up to 360)\n"
    "  --random-rotation DEG      half-width of the random rotation (0 = off, up to 180)\n"
    "  --opacity N                opacity of the copies (0 to 255)\n"
    "  --order-by-depth           draw far copies first\n"
    "  --fade-with-depth          fade far copies\n"
    "  --desaturate-with-depth    grey far copies\n"
    "  --seed N                   random seed (1 to 10000)\n"
    "  --texture                  apply the objects as a relief texture\n"
    "  --texture-amount N         strength of the relief, percent (1 to 100)\n"
    "  --whole-objects            only copies lying wholly inside the selection\n"
    "  --no-overlap               copies must not overlap\n"
    "\n"
    "Run:\n"
    "  --mask FILE                selection: an 8-bit grey image of INPUT's size,\n"
    "                             255 fully selected\n"
    "  --params FILE              start from this saved parameter block (328 bytes)\n"
    "  --save-params FILE         save the parameter block of the run\n"
    "  --plugin FILE              the plug-in to load (default: the one beside varnel)\n"
    "  --quiet                    no progress bar\n"
    "  -h, --help                 this help\n"
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

}  // namespace varncli
