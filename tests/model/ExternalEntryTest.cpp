#include <gtest/gtest.h>

#include "TestSupport.h"
#include "model/ExternalEntry.h"
#include "model/ModuleExternals.h"

using orven::model::ExternalEntry;
using orven::model::ExternalList;

TEST(ExternalEntry, DefaultsAndPathNormalising) {
    ExternalEntry e;
    EXPECT_TRUE(e.pathKnown());
    EXPECT_EQ(e.path(), "");
    EXPECT_EQ(e.name(), "");
    EXPECT_EQ(e.date(), 0u);
    e.setPath("C:/lib/sub\\x");
    EXPECT_EQ(e.path(), "C:\\lib\\sub\\x");
    e.setName("a/b.h");
    EXPECT_EQ(e.name(), "a/b.h");  // names are stored unchanged
    ExternalEntry copy = e;
    EXPECT_EQ(copy, e);
}

TEST(ExternalEntry, StorableEntries) {
    const std::string kName127(127, 'n');
    struct Case {
        const char* path;
        const char* name;
        bool known;
        bool storable;
    };
    const Case cases[] = {
        {"C:\\lib", "pulse.h", true, true}, {"dir$with$dollar", "a$b.h", true, true},
        {"line\nend", "a.h", true, false},  {"dir", "a\nb.h", true, false},
        {"dir]", "a.h", true, false},       {"[dir", "a.h", true, false},
        {"dir", "a]b.h", true, false},      {"dir", "a[b.h", true, false},
        {"*", "a.h", true, false},  // "*" is reserved for an unknown path
        {"*", "a.h", false, true},          {"dir", kName127.c_str(), true, true},
    };
    for (const Case& c : cases) {
        ExternalEntry e(c.path, c.name);
        e.setPathKnown(c.known);
        EXPECT_EQ(orven::model::isStorableEntry(e), c.storable) << c.path << " / " << c.name;
    }
    ExternalEntry tooLong("dir", std::string(128, 'n'));
    EXPECT_FALSE(orven::model::isStorableEntry(tooLong));
}

TEST(ExternalEntry, PlainFileNames) {
    struct Case {
        const char* name;
        bool plain;
    };
    const Case cases[] = {
        {"pulse.h", true}, {"..pulse", true}, {"", false},      {".", false},
        {"..", false},     {"../x", false},   {"..\\x", false}, {"/etc/x", false},
        {"\\x", false},    {"a/b", false},    {"a\\b", false},  {"C:x", false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(orven::model::isPlainFileName(c.name), c.plain) << c.name;
    }
}

TEST(ProjectFileSources, ExtensionRule) {
    orven::test::TempDir dir;
    const char* names[] = {"proj.Dsp", "proj.dsp.txt", "proj", "proj.", "proj.DSPX"};
    for (const char* n : names) {
        orven::test::writeFile(dir.file(n), "SOURCE=.\\main.cpp\n");
        ExternalList out{ExternalEntry("x", "y")};
        EXPECT_FALSE(orven::model::readProjectFileSources(dir.file(n), out)) << n;
        EXPECT_TRUE(out.empty()) << n;
    }
    ExternalList out{ExternalEntry("x", "y")};
    EXPECT_FALSE(orven::model::readProjectFileSources(dir.file("missing.dsp"), out));
    EXPECT_TRUE(out.empty());
}

TEST(ProjectFileSources, SourceLines) {
    orven::test::TempDir dir;
    std::string text =
        "# Microsoft Developer Studio Project File\r\n"
        "SOURCE=.\\src\\main.cpp\r\n"
        "SOURCE=main.c\r\n"
        "SOURCE=src/util.cpp\n"
        "SOURCE=.\\res\\app.rc\n"
        "SOURCE=\"..\\quoted.cpp\"\n"
        "SOURCE=..\\lib/x.C\n"
        "SOURCE=.\\up.CPP";  // no line end at the end of the file
    orven::test::writeFile(dir.file("proj.DSP"), text);
    ExternalList out;
    ASSERT_TRUE(orven::model::readProjectFileSources(dir.file("proj.DSP"), out));
    struct Want {
        const char* path;
        const char* name;
    };
    const Want want[] = {
        {".\\src", "main.cpp"}, {".", "main.c"}, {".", "src/util.cpp"},
        {"..", "lib/x.C"},      {".", "up.CPP"},
    };
    ASSERT_EQ(out.size(), std::size(want));
    for (std::size_t i = 0; i < out.size(); ++i) {
        EXPECT_EQ(out[i].path(), want[i].path) << i;
        EXPECT_EQ(out[i].name(), want[i].name) << i;
    }
    for (const ExternalEntry& e : out) {
        EXPECT_EQ(e.date(), 0u);
        EXPECT_TRUE(e.pathKnown());
    }
}

TEST(ProjectFileSources, EmptyAndKeyAtEnd) {
    orven::test::TempDir dir;
    orven::test::writeFile(dir.file("a.dsp"), "");
    orven::test::writeFile(dir.file("b.dsp"), "xx SOURCE=");
    ExternalList out;
    EXPECT_TRUE(orven::model::readProjectFileSources(dir.file("a.dsp"), out));
    EXPECT_TRUE(out.empty());
    EXPECT_TRUE(orven::model::readProjectFileSources(dir.file("b.dsp"), out));
    EXPECT_TRUE(out.empty());
}
