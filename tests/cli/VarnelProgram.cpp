#include "tests/cli/VarnelProgram.h"

#include "host/cli/System.h"

namespace CliTest {

VarnelProgramTest::VarnelProgramTest() : realPlugin(BesideTestProgram(VarnCli::kPluginFileName)) {}

ProgramResult VarnelProgramTest::Varnel(std::vector<std::string> args) {
    args.insert(args.begin(), BesideTestProgram(ProgramName("varnel")));
    return RunProgram(args);
}

ProgramResult VarnelProgramTest::Apply(const std::string& plugin, std::vector<std::string> args) {
    args.insert(args.begin(), {"apply", "--plugin", plugin});
    return Varnel(args);
}

std::string VarnelProgramTest::Input(const std::string& name, const VarnCli::Raster& image) {
    std::string error;
    EXPECT_TRUE(VarnCli::WritePngFile(folder / name, image, error)) << error;
    return folder / name;
}

}  // namespace CliTest
