// The help texts of varnel.
#pragma once

namespace VarnCli {

extern const char* const kMainHelp;
extern const char* const kApplyHelp;
extern const char* const kBatchHelp;
extern const char* const kPresetsHelp;

}  // namespace VarnCli
