// The help texts of varnel.
#pragma once

#include <string>

namespace VarnCli {

extern const char* const kMainHelp;
// The settings' lines, one option each, from the settings table.
std::string SettingsHelp();
std::string ApplyHelp();
extern const char* const kBatchHelp;
extern const char* const kPresetsHelp;

}  // namespace VarnCli
