// The help texts of varnel.
#pragma once

namespace varncli {

extern const char* const kMainHelp;
extern const char* const kApplyHelp;
extern const char* const kPresetsHelp;

}  // namespace varncli
