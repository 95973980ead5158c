#include <gtest/gtest.h>

#include <string>

#include "TestSupport.h"
#include "catalogues/ComponentCatalogue.h"
#include "catalogues/Deportabilization.h"
#include "orven.h"

using namespace orven::catalogues;
using orven::test::TempDir;
using orven::test::writeFile;

namespace {

struct LoadCase {
    const char* what;
    std::string content;
    bool ok;
    int rows;
};

}  // namespace

TEST(ComponentsFile, LoadRules) {
    const LoadCase cases[] = {
        {"first line empty", "\nH0001,\"a\"\n", true, 0},
        {"comment, two lines, empty line, third line",
         "# c\nH0001,\"a\"\nE0001,\"b\"\n\nC0001,\"c\"\n", true, 2},
        {"plus line skipped", "+ Hardware\nH0001,\"a\"\n", true, 1},
        {"CRLF line ends", "H0001,\"a\"\r\nR0002,\"b\"\r\n\r\nF0001,\"x\"\r\n", true, 2},
        {"no final line end", "H0001,\"a\"\nC0006,\"b\"", true, 2},
        {"too short stops with rows before", "H0001,\"a\"\nC1,\"x\"\nE0001,\"b\"\n", false, 1},
        {"unknown category letter", "X0001,\"a\"\n", false, 0},
        {"leading blank", " H0001,\"a\"\n", false, 0},
        {"no comma", "H0001 \"a\"\n", false, 0},
        {"one quote only", "H0001,\"a\n", false, 0},
        {"no quotes", "H0001,abc\n", false, 0},
        {"binary garbage", std::string("\x01\xff\x00\x7f\x80garbage\n", 13), false, 0},
        {"line far too long", "H0001,\"" + std::string(100000, 'a') + "\"\n", false, 0},
    };
    for (const LoadCase& c : cases) {
        TempDir dir;
        writeFile(dir.file("c.cps"), c.content);
        ComponentCatalogue catalogue;
        EXPECT_EQ(catalogue.LoadComponents(dir.file("c.cps")), c.ok) << c.what;
        EXPECT_EQ(catalogue.size(), c.rows) << c.what;
    }
}

TEST(ComponentsFile, LineFieldsAreTakenAsTheyStand) {
    CatalogueEntry e;
    ASSERT_TRUE(ComponentCatalogue::parseComponentLine("C0006, \"ORB, with naming\" x", e));
    EXPECT_EQ(e.identifier, "C0006");
    EXPECT_EQ(e.name, "ORB, with naming");
    EXPECT_EQ(e.category.name(), "Communications");
}

TEST(ComponentsFile, MoreThanTheCapacityFailsAndStoresNoMore) {
    TempDir dir;
    std::string content;
    for (int i = 0; i < 1200; ++i)
        content += "H" + std::to_string(10000 + i) + ",\"c\"\n";
    writeFile(dir.file("big.cps"), content);
    ComponentCatalogue catalogue;
    EXPECT_FALSE(catalogue.LoadComponents(dir.file("big.cps")));
    EXPECT_EQ(catalogue.size(), ComponentCatalogue::kCapacity);
}

TEST(ComponentsFile, MissingFileEmptiesTheCatalogue) {
    ComponentCatalogue catalogue;
    catalogue.add({"x", PlatformCategory(PlatformCategory::kHardware), "H0001"});
    EXPECT_FALSE(catalogue.LoadComponents("/nonexistent/dir/file.cps"));
    EXPECT_EQ(catalogue.size(), 0);
}

TEST(ComponentsFile, ShippedCatalogueCoversEveryPlatform) {
    ComponentCatalogue catalogue;
    ASSERT_TRUE(catalogue.LoadComponents(orven::test::sourceDir() + "/data/nonportable.cps"));
    EXPECT_GE(catalogue.size(), 20);
    for (const PlatformCategory& c : PlatformCategory::defined()) {
        EXPECT_FALSE(catalogue.ComponentsOfCategory(c).empty()) << c.name();
    }
    EXPECT_FALSE(catalogue.ComponentFromIdentifier("C0006").isNone());
    EXPECT_FALSE(catalogue.ComponentFromIdentifier("E0000").isNone());
}

TEST(TextualForms, LanguagesAndCategories) {
    struct Case {
        const char* text;
        const char* name;
        bool complete;
    };
    const Case languages[] = {
        {"(P)", "Standard C++/STL", true},
        {"  (C)", "Standard C", true},
        {"(J)", "Sun's JAVA", true},
        {"(X)", "Null", true},
        {"(-)", "Null", true},
        {"(P", "Null", false},
        {"", "Null", false},
    };
    for (const Case& c : languages) {
        std::size_t pos = 0;
        CodificationLanguage l(1);
        EXPECT_EQ(CodificationLanguage::read(c.text, pos, l), c.complete) << c.text;
        EXPECT_EQ(l.name(), c.name) << c.text;
    }
    EXPECT_EQ(CodificationLanguage().textualForm(), "(-)");
    EXPECT_EQ(CodificationLanguage(3).textualForm(), "(J)");
    EXPECT_EQ(PlatformCategory(4).textualForm(), "(F)");
    std::size_t pos = 0;
    PlatformCategory c;
    EXPECT_TRUE(PlatformCategory::read("xx(R)yy", pos, c));
    EXPECT_EQ(c.name(), "Real-Time");
    EXPECT_EQ(pos, 5u);
}

class DeportabilizationTest : public ::testing::Test {
  protected:
    void SetUp() override {
        // H1 at row 0 and H2 at row 5: positions 0 and 1 of Hardware.
        cat.add({"H1", PlatformCategory(1), "H0001"});
        cat.add({"E0", PlatformCategory(2), "E0000"});
        cat.add({"E1", PlatformCategory(2), "E0001"});
        cat.add({"C6", PlatformCategory(5), "C0006"});
        cat.add({"R1", PlatformCategory(3), "R0001"});
        cat.add({"H2", PlatformCategory(1), "H0002"});
    }
    Component at(int i) const { return Component(i, cat); }
    ComponentCatalogue cat;
};

TEST_F(DeportabilizationTest, SelectAndDeselectOnce) {
    Deportabilization d;
    EXPECT_TRUE(d.empty());
    EXPECT_TRUE(d.Select(at(1), cat));
    EXPECT_FALSE(d.Select(at(1), cat));
    EXPECT_FALSE(d.Select(Component(), cat));  // no component: no category
    EXPECT_FALSE(d.Select(Component(99, cat), cat));
    EXPECT_TRUE(d.IsSelected(at(1), cat));
    EXPECT_TRUE(d.Deselect(at(1)));
    EXPECT_FALSE(d.Deselect(at(1)));
    EXPECT_TRUE(d.empty());
}

TEST_F(DeportabilizationTest, TextualFormRoundTrip) {
    Deportabilization d;
    d.Select(at(1), cat);
    EXPECT_EQ(d.textualForm(cat), "[{(H):0|}{(E):1|(E0000)}{(R):0|}{(F):0|}{(C):0|}]");
    d.Select(at(5), cat);
    d.Select(at(0), cat);
    d.Select(at(3), cat);
    std::string text = d.textualForm(cat);
    EXPECT_EQ(text, "[{(H):2|(H0001),(H0002)}{(E):1|(E0000)}{(R):0|}{(F):0|}{(C):1|(C0006)}]");
    Deportabilization back;
    std::size_t pos = 0;
    ASSERT_TRUE(Deportabilization::read(text, pos, cat, back));
    EXPECT_EQ(pos, text.size());
    EXPECT_TRUE(back == d);
}

TEST_F(DeportabilizationTest, ReadingToleratesUnknownAndMisplacedComponents) {
    Deportabilization back;
    std::size_t pos = 0;
    // An unknown identifier and a component filed under the wrong platform are dropped.
    ASSERT_TRUE(Deportabilization::read(
        "[{(H):2|(Z9999),(E0000)}{(E):1|(E0001)}{(R):0|}{(F):0|}{(C):0|(-)}]", pos, cat, back));
    EXPECT_EQ(back.SelectedOfCategory(PlatformCategory(1)).size(), 0u);
    EXPECT_EQ(back.SelectedOfCategory(PlatformCategory(2)).size(), 1u);
    const char* incomplete[] = {"", "[", "[{(H):0|}{(E):1|(E0000", "[{(H):0|}{(E):0|}{(R):0|}"};
    for (const char* text : incomplete) {
        std::size_t p = 0;
        EXPECT_FALSE(Deportabilization::read(text, p, cat, back)) << text;
    }
}

TEST(CatalogueExports, LanguagesPlatformsAndComponents) {
    orven::test::EngineWorkDir work;
    ASSERT_EQ(LoadComponentsFile("nonportable.cps"), 1);
    EXPECT_EQ(NumberOfDefinedCodificationLanguages(), 3);
    char buf[64];
    EXPECT_EQ(GetCodificationLanguageName(3, buf, sizeof buf), 1);
    EXPECT_STREQ(buf, "Null");
    EXPECT_EQ(GetCodificationLanguageName(4, buf, sizeof buf), 0);
    EXPECT_EQ(GetCodificationLanguageName(-1, buf, sizeof buf), 0);
    EXPECT_EQ(GetCodificationLanguageName(0, nullptr, 10), 0);
    EXPECT_EQ(GetCodificationLanguageName(2, buf, sizeof buf), 1);
    EXPECT_STREQ(buf, "Sun's JAVA");

    EXPECT_EQ(GetAssistantMacroScriptFile(1, buf, sizeof buf), 0);
    EXPECT_STREQ(buf, "");
    EXPECT_EQ(GetAssistantMacroScriptFile(0, buf, sizeof buf), 1);
    EXPECT_STREQ(buf, "quenoratoms\\CPP\\quenoratoms.tpx");
    EXPECT_EQ(GetAssistantMacroScriptFile(3, buf, sizeof buf), 0);
    EXPECT_EQ(GetAssistantMacroScriptFile(0, nullptr, 0), 0);

    EXPECT_EQ(NumberOfDefinedGeneralPlatforms(), 5);
    const char* names[] = {"Hardware", "Execution", "Real-Time", "Fault-Tolerance",
                           "Communications"};
    for (int p = 0; p < 5; ++p) {
        EXPECT_EQ(NameOfGeneralPlatform(p, buf, sizeof buf), 1);
        EXPECT_STREQ(buf, names[p]);
        EXPECT_GT(NumberOfDefinedComponents(p), 0);
    }
    EXPECT_EQ(NameOfGeneralPlatform(5, buf, sizeof buf), 0);
    EXPECT_EQ(NumberOfDefinedComponents(-3), 0);
    EXPECT_EQ(NameOfComponent(4, 5, buf, sizeof buf), 1);
    EXPECT_STREQ(buf, "CORBA 2.x ORB with naming service");
    EXPECT_EQ(NameOfComponent(4, NumberOfDefinedComponents(4), buf, sizeof buf), 0);
    EXPECT_EQ(NameOfComponent(4, -1, buf, sizeof buf), 0);
    EXPECT_EQ(NameOfComponent(0, 0, nullptr, 8), 0);
    char small[4];
    EXPECT_EQ(NameOfGeneralPlatform(0, small, sizeof small), 1);
    EXPECT_STREQ(small, "Har");
    EXPECT_EQ(LoadComponentsFile(nullptr), 0);
    EXPECT_EQ(NumberOfDefinedComponents(0), 0);
}
