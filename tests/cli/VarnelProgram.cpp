#include "tests/cli/VarnelProgram.h"

#include "host/cli/System.h"

namespace clitest {

VarnelProgramTest::VarnelProgramTest() : realPlugin(BesideTestProgram(varncli::kPluginFileName)) {}

ProgramResult VarnelProgramTest::Varnel(std::vector<std::string> args) {
    args.insert(args.begin(), BesideTestProgram(ProgramName("varnel")));
    return RunProgram(args);
}

ProgramResult VarnelProgramTest::Apply(const std::string& plugin, std::vector<std::string> args) {
    args.insert(args.begin(), {"apply", "--plugin", plugin});
    return Varnel(args);
}

std::string VarnelProgramTest::Input(const std::string& name, const varncli::Raster& image) {
    std::string error;
    EXPECT_TRUE(varncli::WritePngFile(folder / name, image, error)) << error;
    return folder / name;
}

}  // namespace clitest
