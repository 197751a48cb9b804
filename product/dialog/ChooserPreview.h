// The picture a file preview shows (the open dialog's preview and the Image page's custom
// preview): the file read as any object picture, fitted into the client area less 2 pixels
// a side, a key colour turned into transparency, and transparency flattened onto the
// scheme's face colour, so the control only has to copy it.
#pragma once

#include <string>

#include "OrvLib/ORVUTIL/OrvRect.h"
#include "OrvLib/image/OrvImage2.h"

// False, with image emptied, when the file cannot be read or fits into nothing.
bool PrepareChooserPreview(const std::string& path, OrvSize client, OrvColour face, OrvImage2& image);
