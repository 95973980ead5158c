#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstring>

#include "TestSupport.h"
#include "model/TemporaryExternals.h"
#include "platform/Platform.h"

using orven::model::TemporaryExternals;
using orven::test::fileExists;
using orven::test::readFile;
using orven::test::writeFile;

namespace {

std::string u32(std::uint32_t v) {
    std::string s(4, '\0');
    for (int i = 0; i < 4; ++i)
        s[i] = static_cast<char>((v >> (8 * i)) & 0xff);
    return s;
}

std::string record(const std::string& name, std::uint32_t position, std::uint32_t size) {
    std::string r(128, '\0');
    std::memcpy(r.data(), name.data(), name.size());
    return r + u32(position) + u32(size);
}

void makeReadOnly(const std::string& path) {
    ::chmod(path.c_str(), 0444);
}

class Store : public ::testing::Test {
  protected:
    void SetUp() override { TemporaryExternals::resetCounterForTests(); }
    orven::test::EngineWorkDir work;
};

}  // namespace

TEST_F(Store, TemporaryNamesCountAndSkipExistingFiles) {
    TemporaryExternals store("externals", "xtrnl");
    EXPECT_EQ(store.newTemporaryName(), "externals\\xtrnl_0.tmp");
    writeFile(work.file("externals/xtrnl_2.tmp"), "keep");
    makeReadOnly(work.file("externals/xtrnl_2.tmp"));
    EXPECT_EQ(store.newTemporaryName(), "externals\\xtrnl_1.tmp");
    // An existing file is never taken, not even a read-only one.
    EXPECT_EQ(store.newTemporaryName(), "externals\\xtrnl_3.tmp");
    // The counter is shared by every store of the process.
    TemporaryExternals other("ext/dir", "g");
    EXPECT_EQ(other.directory(), "ext\\dir");
    EXPECT_EQ(other.newTemporaryName(), "ext\\dir\\g_4.tmp");
    EXPECT_EQ(readFile(work.file("externals/xtrnl_2.tmp")), "keep");
}

TEST_F(Store, AddFileCopiesBytesAndRemoveAtDeletesThem) {
    std::string bytes("pulse\0\xff\r\n", 9);
    writeFile(work.file("pulse.h"), bytes);
    {
        TemporaryExternals store("externals", "xtrnl");
        ASSERT_TRUE(store.addFile(".", "pulse.h"));
        ASSERT_EQ(store.size(), 1u);
        const auto& r = store.records()[0];
        EXPECT_EQ(r.name, "pulse.h");
        EXPECT_EQ(r.temporaryPath, "externals\\xtrnl_0.tmp");
        EXPECT_EQ(r.size, 9u);
        EXPECT_EQ(readFile(work.file("externals/xtrnl_0.tmp")), bytes);
        EXPECT_EQ(store.indexOf("pulse.h"), 0);
        EXPECT_EQ(store.indexOf("other.h"), -1);
        ASSERT_TRUE(store.addFile(work.path(), "pulse.h"));  // a second record of the name
        EXPECT_EQ(store.indexOf("pulse.h"), 0);
        EXPECT_TRUE(store.removeAt(0));
        EXPECT_FALSE(fileExists(work.file("externals/xtrnl_0.tmp")));
        EXPECT_EQ(store.indexOf("pulse.h"), 0);
        EXPECT_FALSE(store.removeAt(1));
        EXPECT_TRUE(fileExists(work.file("externals/xtrnl_1.tmp")));
    }
    // The store takes its files with it.
    EXPECT_FALSE(fileExists(work.file("externals/xtrnl_1.tmp")));
}

TEST_F(Store, AddFileFailuresLeaveNothingBehind) {
    writeFile(work.file("ro.h"), "x");
    makeReadOnly(work.file("ro.h"));
    TemporaryExternals store("externals", "xtrnl");
    EXPECT_FALSE(store.addFile(".", "missing.h"));
    EXPECT_FALSE(store.addFile(".", "ro.h"));
    EXPECT_FALSE(store.addFile(".", "externals"));  // a directory is no file
    EXPECT_EQ(store.size(), 0u);
    std::vector<std::string> names;
    ASSERT_TRUE(orven::platform::listDirectory(work.file("externals"), names));
    EXPECT_TRUE(names.empty());
}

TEST_F(Store, MissingExternalsDirectoryIsCreated) {
    writeFile(work.file("a.h"), "a");
    TemporaryExternals store("fresh", "xtrnl");
    ASSERT_TRUE(store.addFile(".", "a.h"));
    EXPECT_EQ(readFile(work.file("fresh/xtrnl_0.tmp")), "a");
}

TEST_F(Store, CopyOutStaysInsideTheDirectory) {
    writeFile(work.file("a.h"), "content");
    orven::platform::makeDirectory(work.file("out"));
    TemporaryExternals store("externals", "xtrnl");
    ASSERT_TRUE(store.addFile(".", "a.h"));
    writeFile(work.file("out/b.h"), "old");
    EXPECT_TRUE(store.copyOut(0, "out", "b.h"));
    EXPECT_EQ(readFile(work.file("out/b.h")), "content");
    EXPECT_FALSE(store.copyOut(1, "out", "c.h"));
    const char* hostile[] = {
        "..", ".", "", "../escaped.h", "..\\escaped.h", "sub/x.h", "/tmp/escaped.h"};
    for (const char* name : hostile) {
        EXPECT_FALSE(store.copyOut(0, "out", name)) << name;
    }
    EXPECT_FALSE(fileExists(work.file("escaped.h")));
    EXPECT_FALSE(store.copyOut(0, "no/such/dir", "a.h"));
}

TEST_F(Store, AppendixLayout) {
    writeFile(work.file("a.h"), "AAA");
    writeFile(work.file("b.h"), "");
    writeFile(work.file("c.h"), "CCCCC");
    TemporaryExternals store("externals", "xtrnl");
    ASSERT_TRUE(store.addFile(".", "a.h"));
    ASSERT_TRUE(store.addFile(".", "b.h"));
    ASSERT_TRUE(store.addFile(".", "c.h"));
    writeFile(work.file("m.oxa"), "text$");
    ASSERT_TRUE(store.appendTo(work.file("m.oxa"), 5));
    const std::uint32_t first = 5 + 4 + 3 * 136;
    std::string want = "text$" + u32(3) + record("a.h", first, 3) + record("b.h", first + 3, 0) +
                       record("c.h", first + 3, 5) + "AAACCCCC";
    EXPECT_EQ(readFile(work.file("m.oxa")), want);

    TemporaryExternals empty("externals", "xtrnl");
    writeFile(work.file("e.oxa"), "$");
    ASSERT_TRUE(empty.appendTo(work.file("e.oxa"), 1));
    EXPECT_EQ(readFile(work.file("e.oxa")), std::string("$\0\0\0\0", 5));
}

TEST_F(Store, ExtractReadsTheAppendixBack) {
    const std::uint32_t first = 5 + 4 + 2 * 136;
    std::string file =
        "text$" + u32(2) + record("a.h", first, 3) + record("c.h", first + 3, 5) + "AAACCCCC";
    writeFile(work.file("m.oxa"), file);
    TemporaryExternals store("externals", "xtrnl");
    ASSERT_TRUE(store.extract(work.file("m.oxa"), 5));
    ASSERT_EQ(store.size(), 2u);
    EXPECT_EQ(store.records()[0].name, "a.h");
    EXPECT_EQ(store.records()[1].name, "c.h");
    EXPECT_EQ(readFile(orven::platform::nativePath(store.records()[0].temporaryPath)), "AAA");
    EXPECT_EQ(readFile(orven::platform::nativePath(store.records()[1].temporaryPath)), "CCCCC");
    // Extracting again replaces the records and their files.
    std::string old0 = orven::platform::nativePath(store.records()[0].temporaryPath);
    ASSERT_TRUE(store.extract(work.file("m.oxa"), 5));
    EXPECT_FALSE(fileExists(old0));
    EXPECT_EQ(store.size(), 2u);
}

TEST_F(Store, ExtractRefusesDamagedAppendices) {
    const std::uint32_t first = 1 + 4 + 136;
    struct Case {
        const char* what;
        std::string bytes;
    };
    std::string name127(127, 'n');
    std::string full128(128, 'm');
    const Case cases[] = {
        {"no count", "$\x01\x00"},
        {"count beyond the file", "$" + u32(0xffffffff) + record("a", first, 0)},
        {"table cut short", "$" + u32(2) + record("a", first, 0)},
        {"position beyond the end", "$" + u32(1) + record("a", 0x7fffffff, 1) + "x"},
        {"size beyond the end", "$" + u32(1) + record("a", first, 2) + "x"},
        {"huge size", "$" + u32(1) + record("a", first, 0xffffffff) + "x"},
        {"content inside the table", "$" + u32(1) + record("a", 2, 1) + "x"},
        {"files larger than the rest of the file",
         "$" + u32(2) + record("a", first + 136, 1) + record("b", first + 136, 1) + "x"},
    };
    for (const Case& c : cases) {
        writeFile(work.file("bad.oxa"), c.bytes);
        TemporaryExternals store("externals", "xtrnl");
        EXPECT_FALSE(store.extract(work.file("bad.oxa"), 1)) << c.what;
        EXPECT_EQ(store.size(), 0u) << c.what;
    }
    // A position past the end of the file.
    TemporaryExternals store("externals", "xtrnl");
    EXPECT_FALSE(store.extract(work.file("bad.oxa"), 1u << 30));
    EXPECT_FALSE(store.extract(work.file("missing.oxa"), 0));
    std::vector<std::string> names;
    ASSERT_TRUE(orven::platform::listDirectory(work.file("externals"), names));
    EXPECT_TRUE(names.empty()) << names.size();

    // A name field without zero byte is taken as its 128 bytes; names of 127
    // bytes come back whole.
    std::string ok = "$" + u32(2) + record(name127, 1 + 4 + 272, 0);
    std::string r = record("", 1 + 4 + 272, 0);
    std::memcpy(r.data(), full128.data(), 128);
    writeFile(work.file("names.oxa"), ok + r);
    ASSERT_TRUE(store.extract(work.file("names.oxa"), 1));
    EXPECT_EQ(store.records()[0].name, name127);
    EXPECT_EQ(store.records()[1].name, full128);
}

TEST_F(Store, AppendToRefusesNamesTheFieldCannotHold) {
    writeFile(work.file(std::string(128, 'n')), "x");
    TemporaryExternals store("externals", "xtrnl");
    ASSERT_TRUE(store.addFile(".", std::string(128, 'n')));
    writeFile(work.file("m.oxa"), "$");
    EXPECT_FALSE(store.appendTo(work.file("m.oxa"), 1));
}
