#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "TestSupport.h"
#include "platform/Platform.h"

namespace p = orven::platform;
using orven::test::readFile;
using orven::test::TempDir;
using orven::test::writeFile;

TEST(Platform, EnginePathsBecomeNativePaths) {
    EXPECT_EQ(p::nativePath("quenoratoms\\CPP\\quenoratoms.tpx"),
              "quenoratoms/CPP/quenoratoms.tpx");
    EXPECT_EQ(p::nativePath("externals\\xtrnl_0.tmp"), "externals/xtrnl_0.tmp");
    EXPECT_EQ(p::enginePath("a/b/c"), "a\\b\\c");
}

TEST(Platform, EngineFormPathsOpenRealFiles) {
    TempDir dir;
    std::filesystem::create_directories(dir.file("externals"));
    writeFile(dir.file("externals/xtrnl_0.tmp"), "abc");
    p::File f = p::openExisting(p::enginePath(dir.file("externals/xtrnl_0.tmp")));
    ASSERT_TRUE(f);
    char buf[3];
    ASSERT_TRUE(f.read(buf, 3));
    EXPECT_EQ(std::string(buf, 3), "abc");
}

TEST(Platform, ReadOnlyFilesCountAsMissingWhenOpenedAsExisting) {
    TempDir dir;
    writeFile(dir.file("ro.txt"), "x");
    ::chmod(dir.file("ro.txt").c_str(), 0444);
    EXPECT_FALSE(p::openExisting(dir.file("ro.txt")));
    EXPECT_TRUE(p::openForReading(dir.file("ro.txt")));
    EXPECT_FALSE(p::openExisting(dir.file("missing.txt")));
    EXPECT_FALSE(p::openExisting(dir.path()));  // a directory is no file
}

TEST(Platform, CopyFileCopiesEveryByteAndRefusesMissingSources) {
    TempDir dir;
    std::string big;
    for (int i = 0; i < 40000; ++i)
        big.push_back(static_cast<char>(i * 7));
    writeFile(dir.file("a.bin"), big);
    ASSERT_TRUE(p::copyFile(dir.file("a.bin"), dir.file("b.bin")));
    EXPECT_EQ(readFile(dir.file("b.bin")), big);
    EXPECT_FALSE(p::copyFile(dir.file("none"), dir.file("c.bin")));
    EXPECT_FALSE(orven::test::fileExists(dir.file("c.bin")));
}

TEST(Platform, AtomicReplaceKeepsThePreviousFileWhenWritingFails) {
    TempDir dir;
    writeFile(dir.file("m.oxa"), "old");
    ASSERT_TRUE(p::replaceFileAtomically(dir.file("m.oxa"), "new"));
    EXPECT_EQ(readFile(dir.file("m.oxa")), "new");
    // The temporary file cannot be created where a directory stands in its way.
    std::filesystem::create_directories(dir.file("m.oxa.saving"));
    EXPECT_FALSE(p::replaceFileAtomically(dir.file("m.oxa"), "newer"));
    EXPECT_EQ(readFile(dir.file("m.oxa")), "new");
}

TEST(Platform, CopyTreeSkipsDotEntriesAndReportsCodes) {
    TempDir dir;
    std::filesystem::create_directories(dir.file("src/sub"));
    std::filesystem::create_directories(dir.file("dst"));
    writeFile(dir.file("src/a.h"), "a");
    writeFile(dir.file("src/sub/b.h"), "b");
    writeFile(dir.file("src/.hidden"), "h");
    EXPECT_EQ(p::copyTree(dir.file("src"), dir.file("dst")), 0);
    EXPECT_EQ(readFile(dir.file("dst/sub/b.h")), "b");
    EXPECT_FALSE(orven::test::fileExists(dir.file("dst/.hidden")));
    EXPECT_EQ(p::copyTree(dir.file("nosuch"), dir.file("dst")), 1);
}

TEST(Platform, CtimeLayout) {
    std::string t = p::ctimeText(0);
    ASSERT_EQ(t.size(), 24u);
    EXPECT_TRUE(t.substr(20) == "1970" || t.substr(20) == "1969") << t;  // local time
}

TEST(Platform, CommandExitCodes) {
    EXPECT_EQ(p::runCommand("true"), 0);
    EXPECT_EQ(p::runCommand("exit 3"), 3);
}
