// Pictures read from files and made ready to copy: the preview of a chosen file (the open
// dialog's and the Image page's) and the thumbnails of the preset list. Each is fitted
// into its box with the aspect kept and its transparency flattened, so the control only
// has to copy it.
#pragma once

#include <string>

#include "OrvLib/ORVUTIL/OrvRect.h"
#include "OrvLib/image/OrvImage2.h"

// The preview: fitted into the client area less 2 pixels a side, a key colour turned into
// transparency, flattened onto the face colour. False, with image emptied, when the file
// cannot be read or fits into nothing.
bool PrepareChooserPreview(const std::string& path, OrvSize client, OrvColour face, OrvImage2& image);

// A thumbnail: fitted into the thumbnail box, transparency shown over a checkerboard of
// light grey and white squares of 10 pixels. False, image emptied, as above.
bool PrepareThumbnail(const std::string& path, OrvSize box, OrvImage2& image);
