// The built varnel beside the test program, run as a user runs it, with a scratch folder
// for its files. Shared by the tests that run the program.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host/cli/ImageFile.h"
#include "tests/cli/RunProgram.h"
#include "tests/cli/TestFiles.h"

namespace CliTest {

class VarnelProgramTest : public ::testing::Test {
protected:
    ScratchFolder folder;
    // The real plug-in, installed beside the program with its library.
    const std::string realPlugin;

    VarnelProgramTest();
    ProgramResult Varnel(std::vector<std::string> args);
    // varnel apply --plugin PLUGIN ARGS...
    ProgramResult Apply(const std::string& plugin, std::vector<std::string> args);
    // Writes the image as a PNG in the scratch folder and gives its path.
    std::string Input(const std::string& name, const VarnCli::Raster& image);
};

}  // namespace CliTest
