#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "GeneratorFixture.h"
#include "codegen/GenerationContext.h"
#include "codegen/SupportCopyStages.h"
#include "platform/Platform.h"

using namespace orven::codegen;
using orven::test::fileExists;
using orven::test::GeneratorWorkDir;
using orven::test::makeDirectories;
using orven::test::readFile;
using orven::test::writeFile;

namespace {
GenerationContext contextOf(const GeneratorWorkDir& dir, const std::string& output) {
    GenerationContext c;
    c.engineDirectory = orven::platform::currentDirectory();
    c.outputDirectory = output;
    (void)dir;
    return c;
}
}  // namespace

TEST(StageCopy, TheAceTaoTreeIsCopiedIntoTheOutputDirectory) {
    GeneratorWorkDir dir;
    dir.addSupportTrees();
    GenerationContext c = contextOf(dir, dir.output());
    std::string error;
    ASSERT_TRUE(AceTaoCopyStage(c).run(error)) << error;
    EXPECT_EQ(readFile(dir.out("ace/OS.h")), "// ace\n");
    EXPECT_EQ(readFile(dir.out("README")), "ace+tao\n");
    EXPECT_FALSE(fileExists(dir.out(".hidden")));
    EXPECT_FALSE(fileExists(dir.out("voxl.h")));
    EXPECT_EQ(orven::platform::currentDirectory(), c.engineDirectory);

    ASSERT_TRUE(VoxlCopyStage(c).run(error)) << error;
    EXPECT_EQ(readFile(dir.out("voxl.h")), "// voxl\n");
}

TEST(StageCopy, FailuresCarryTheCopysFailureDigit) {
    struct Case {
        std::string name;
        bool withTrees;
        // Prepares the output directory to provoke the failure.
        void (*prepare)(GeneratorWorkDir&);
        std::string output;  // relative to the work dir
        int code;
    };
    const Case cases[] = {
        {"missing trees", false, [](GeneratorWorkDir&) {}, "out", 1},
        {"output below a regular file", true,
         [](GeneratorWorkDir& d) { writeFile(d.file("plain"), "x"); }, "plain/out", 1},
        {"subdirectory blocked by a file", true,
         [](GeneratorWorkDir& d) { writeFile(d.out("ace"), "x"); }, "out", 2},
        {"file blocked by a directory", true,
         [](GeneratorWorkDir& d) { makeDirectories(d.out("README")); }, "out", 3},
    };
    for (const Case& c : cases) {
        GeneratorWorkDir dir;
        dir.addResourceDirectory();
        if (c.withTrees)
            dir.addSupportTrees();
        c.prepare(dir);
        std::string output = dir.file(c.output);
        GenerationContext context = contextOf(dir, output);
        std::string error;
        EXPECT_FALSE(AceTaoCopyStage(context).run(error)) << c.name;
        EXPECT_EQ(error, std::to_string(c.code) +
                             " Error copying ACE+TAO from "
                             "[./codegeneration/WindowsACE51TAO11CPP/ACE51TAO11] to [" +
                             output + "]")
            << c.name;
        EXPECT_EQ(orven::platform::currentDirectory(), context.engineDirectory) << c.name;
    }
}

TEST(StageCopy, VoxlFailureMessage) {
    GeneratorWorkDir dir;
    dir.addResourceDirectory();
    GenerationContext c = contextOf(dir, dir.output());
    std::string error;
    EXPECT_FALSE(VoxlCopyStage(c).run(error));
    EXPECT_EQ(error, "1 Error copying VOXL files to destination directory");

    dir.addSupportTrees();
    makeDirectories(dir.out("voxl.h"));
    EXPECT_FALSE(VoxlCopyStage(c).run(error));
    EXPECT_EQ(error, "3 Error copying VOXL files to destination directory");
    EXPECT_EQ(orven::platform::currentDirectory(), c.engineDirectory);
}
