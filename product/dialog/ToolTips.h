// The main dialog's tool tips, without a window: the zoom controls name a string of their
// own; any other control shows the text after the first newline of the string that has
// the control's id, if there is one. The tip's text buffer holds 79 characters and a NUL.
#pragma once

#include <cstddef>
#include <string>

namespace ToolTips {

constexpr size_t kTextBuffer = 80;

// The string id for one of the four zoom controls, else 0.
int FixedStringFor(int controlId);

// The tip from a control's own string: false when the string has no newline.
bool TipFromString(const std::string& resource, std::string& tip);

// Copies at most kTextBuffer - 1 characters of text and always terminates.
void CopyTipText(const std::string& text, char (&buffer)[kTextBuffer]);

}  // namespace ToolTips
