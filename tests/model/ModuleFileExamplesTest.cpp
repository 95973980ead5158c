// The example module files load, keep their external files, and are
// written again byte for byte.
#include <gtest/gtest.h>

#include <filesystem>

#include "TestSupport.h"
#include "orven.h"

using orven::test::readFile;

TEST(ModuleFileExamples, LoadAndSaveAgain) {
    FinalizeOrvenInterface();
    orven::test::EngineWorkDir work;
    ASSERT_EQ(InitializeOrvenInterface("externals", nullptr, nullptr, 0), 1);
    std::filesystem::copy(orven::test::sourceDir() + "/examples", work.path(),
                          std::filesystem::copy_options::recursive |
                              std::filesystem::copy_options::overwrite_existing);
    struct Example {
        const char* file;
        const char* name;
        int externals[4];  // entries of kinds 0 .. 3 (2 unused)
    };
    const Example examples[] = {{"counter.oxa", "Counter", {0, 1, 0, 0}},
                                {"camera.oxa", "Camera", {1, 1, 0, 1}},
                                {"robot_arm.oxa", "Robot Arm", {1, 1, 0, 1}}};
    for (const Example& e : examples) {
        char error[256];
        ASSERT_EQ(LoadOXAModule(e.file, sizeof error, error), 1) << e.file << ": " << error;
        char name[64];
        NameOXAModule(name, sizeof name);
        EXPECT_STREQ(name, e.name);
        for (int kind : {0, 1, 3})
            EXPECT_EQ(NumberOfExternalDataEntries(kind), e.externals[kind]) << e.file;
        const std::string again = std::string(e.file) + ".again";
        ASSERT_EQ(SaveOXAModule(again.c_str()), 1);
        EXPECT_TRUE(readFile(work.file(again)) == readFile(work.file(e.file))) << e.file;
    }
    // The arm depends on services the camera offers.
    ASSERT_EQ(LoadOtherModuleAsDependencies("camera.oxa"), 1);
    EXPECT_EQ(NumberOfDependenciesOtherModule(), 2);  // grabFrame, setExposure
    EXPECT_EQ(ExistsModuleDependency("Camera", "grabFrame"), 1);
    FinalizeOrvenInterface();
}
