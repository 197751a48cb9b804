// A library built on the framework can be loaded, run, unloaded and loaded again in one
// process, as a host does with a plug-in; nothing of it stays registered in between.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

namespace {

using RunProbe = int (*)(int fail, char* className, int size, HMODULE* module);

TEST(FrameworkLibrary, LoadRunUnloadAndLoadAgain) {
    for (int round = 0; round < 3; ++round) {
        HMODULE library = LoadLibraryA("framework_probe.dll");
        ASSERT_NE(library, nullptr) << "round " << round;
        auto run =
            reinterpret_cast<RunProbe>(reinterpret_cast<void*>(GetProcAddress(library, "RunProbeDialog")));
        ASSERT_NE(run, nullptr);
        char className[128] = "";
        HMODULE module = nullptr;
        EXPECT_EQ(run(0, className, sizeof className, &module), IDOK) << "round " << round;
        EXPECT_EQ(module, library);
        EXPECT_NE(std::string(className).find("ProbeSwatch"), std::string::npos) << className;
        WNDCLASSEXA info{};
        info.cbSize = sizeof info;
        EXPECT_FALSE(GetClassInfoExA(library, className, &info)) << "class left registered: " << className;
        // A failure inside the library's modal loop stays inside the library.
        EXPECT_EQ(run(1, className, sizeof className, &module), -2);
        EXPECT_TRUE(FreeLibrary(library));
        EXPECT_EQ(GetModuleHandleA("framework_probe.dll"), nullptr);
    }
}

}  // namespace
