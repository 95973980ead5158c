// Applications, conceptual units and the priority calculation.
#include <gtest/gtest.h>

#include <filesystem>

#include "TestSupport.h"
#include "api/EngineState.h"
#include "applications/Application.h"
#include "applications/PriorityLevels.h"
#include "model/TemporaryExternals.h"
#include "model/persistence/ModuleFileReader.h"
#include "orven.h"

using orven::engine;
using orven::test::writeFile;

namespace {

struct ServiceSpec {
    const char* name;
    const char* chars;  // six-byte characteristics text
    int type;
    int relativePriority;
};

class Applications : public ::testing::Test {
  protected:
    void SetUp() override {
        orven::model::TemporaryExternals::resetCounterForTests();
        FinalizeOrvenInterface();
        ASSERT_EQ(InitializeOrvenInterface("externals", nullptr, nullptr, 0), 1);
    }
    void TearDown() override { FinalizeOrvenInterface(); }

    // Saves a module of one group "G" with the given services.
    void makeModule(const std::string& file, const char* name,
                    std::initializer_list<ServiceSpec> services) {
        ASSERT_EQ(CreateNewOXAModule(name, "d"), 1);
        ASSERT_EQ(AddNewGroupOfServices("G", "g"), 1);
        for (const ServiceSpec& s : services) {
            ASSERT_EQ(CreateOXAService("G", s.name, "d"), 1);
            ChangeOXAServiceType("G", s.name, s.type);
            ASSERT_EQ(ChangeOXAServiceChars("G", s.name, s.chars), 1) << s.name;
            if (s.relativePriority != 0) {
                ASSERT_EQ(ChangeOXAServiceRelPrio("G", s.name, s.relativePriority), 1);
            }
        }
        ASSERT_EQ(SaveOXAModule(file.c_str()), 1);
        DeleteCurrentOXAModule();
    }

    int addModule(int unit, const std::string& file, std::string* message = nullptr) {
        char buf[256] = "junk";
        int r = AddModuleToConceptualUnit(unit, file.c_str(), sizeof buf, buf);
        if (message != nullptr)
            *message = buf;
        return r;
    }

    int servicePriority(int unit, int module, const char* service) {
        return engine()
            .application->moduleAt(unit, module)
            ->findService("G", service)
            ->relativePriority();
    }
    std::pair<int, int> range(int unit, int module) {
        auto* m = engine().application->moduleAt(unit, module);
        return {m->lowestPriority(), m->highestPriority()};
    }
    std::string priorityStringOf(int unit, int module, int offset) {
        char buf[256];
        if (ReadPriorityStringOfModule(unit, module, offset, buf, sizeof buf) != 1)
            return "<none>";
        return buf;
    }

    orven::test::EngineWorkDir work;
};

}  // namespace

TEST(PriorityLevels, OrderAndLevels) {
    orven::applications::PriorityLevels<int> levels;
    EXPECT_TRUE(levels.insert(1, 5.0));
    EXPECT_TRUE(levels.insert(2, 1.0));
    EXPECT_TRUE(levels.insert(3, 5.0));
    EXPECT_TRUE(levels.insert(4, 3.0));
    EXPECT_FALSE(levels.insert(1, 9.0));
    EXPECT_EQ(levels.levelCount(), 3u);
    EXPECT_EQ(levels.itemsOfLevel(0), std::vector<int>{2});
    EXPECT_EQ(levels.itemsOfLevel(2), (std::vector<int>{1, 3}));  // equal values keep their order
    EXPECT_TRUE(levels.itemsOfLevel(3).empty());
    EXPECT_EQ(levels.levelOf(4), 1);
    EXPECT_EQ(levels.levelOf(9), -1);
    // Large values stay apart.
    orven::applications::PriorityLevels<int> big;
    big.insert(1, 16777216.0);
    big.insert(2, 16777217.0);
    EXPECT_EQ(big.levelCount(), 2u);
}

TEST_F(Applications, CreatingAndDeleting) {
    EXPECT_EQ(ExistsApplication(), 0);
    EXPECT_EQ(CreateNewApplication("App", "d"), 1);
    EXPECT_EQ(ExistsApplication(), 1);
    EXPECT_EQ(CreateNewApplication("Bad]", "d"), 0);
    EXPECT_EQ(ExistsApplication(), 0);
    EXPECT_EQ(AddNewConceptualUnit("U", "d"), 0);
    ASSERT_EQ(CreateNewApplication("App", "d"), 1);
    EXPECT_EQ(AddNewConceptualUnit("U2", "d"), 1);
    EXPECT_EQ(AddNewConceptualUnit("U1", "d"), 1);
    EXPECT_EQ(AddNewConceptualUnit("U1", "d"), 0);
    EXPECT_EQ(AddNewConceptualUnit("[U]", "d"), 0);
    EXPECT_EQ(NumberOfConceptualUnits(), 2);
    EXPECT_EQ(engine().application->unitAt(0)->name(), "U1");
    EXPECT_EQ(DeleteCurrentApplication(), 1);
    EXPECT_EQ(DeleteCurrentApplication(), 1);
    EXPECT_EQ(NumberOfConceptualUnits(), 0);
    EXPECT_EQ(NumberOfPriorityCalculators(), 1);
    char name[64];
    EXPECT_EQ(NameOfPriorityCalculator(0, name, sizeof name), 1);
    EXPECT_STREQ(name, "Quenor 1.0 spe" "cification");
    EXPECT_EQ(NameOfPriorityCalculator(1, name, sizeof name), 0);
}

TEST_F(Applications, AddingModulesAndTheirMessages) {
    makeModule("a.oxa", "A", {{"s", "      ", 0, 0}});
    writeFile(work.file("bad.oxa"), "Format info: [FF200703]\r\n");
    std::string message;
    EXPECT_EQ(addModule(0, "a.oxa", &message), 0);
    EXPECT_EQ(message, "No current application created.");
    ASSERT_EQ(CreateNewApplication("App", "d"), 1);
    EXPECT_EQ(addModule(0, "a.oxa", &message), 0);
    EXPECT_EQ(message, "Invalid Conceptual Unit index.");
    ASSERT_EQ(AddNewConceptualUnit("U", "d"), 1);
    EXPECT_EQ(addModule(1, "a.oxa", &message), 0);
    EXPECT_EQ(message, "Invalid Conceptual Unit index.");
    EXPECT_EQ(addModule(-1, "a.oxa", &message), 0);
    EXPECT_EQ(addModule(0, "missing.oxa", &message), 0);
    EXPECT_EQ(message, "Could not open module file.");
    EXPECT_EQ(addModule(0, "bad.oxa", &message), 0);
    EXPECT_EQ(message, "invalid format: FF200703, expected FF200704");
    EXPECT_EQ(addModule(0, "a.oxa", &message), 1);
    EXPECT_EQ(message, "");
    EXPECT_EQ(addModule(0, "a.oxa", &message), 0);
    EXPECT_EQ(message, "Could not insert module into its conceptual unit.");
    EXPECT_EQ(NumberOfModulesInConceptualUnit(0), 1);
    EXPECT_EQ(NumberOfModulesInConceptualUnit(1), 0);
    EXPECT_EQ(ModuleInConceptualUnitByOXAFile(0, "a.oxa"), 0);
    EXPECT_EQ(ModuleInConceptualUnitByOXAFile(0, "other.oxa"), 1);
    EXPECT_EQ(ModuleInConceptualUnitByOXAFile(3, "a.oxa"), 0);
    EXPECT_EQ(SetModulePriorityIntoApplication(0, 0, 9), 1);
    EXPECT_EQ(engine().application->moduleAt(0, 0)->priority(), 9);
    EXPECT_EQ(SetModulePriorityIntoApplication(0, 1, 9), 0);
    // The current module is not involved.
    EXPECT_EQ(IsDefinedCurrentOXAModule(), 0);
}

TEST_F(Applications, ModulesOfOnePriorityShareTheirBand) {
    makeModule("a.oxa", "A", {{"m", " *    ", 0, 3}});
    makeModule("b.oxa", "B", {{"m", " *    ", 0, 8}});
    ASSERT_EQ(CreateNewApplication("App", "d"), 1);
    ASSERT_EQ(AddNewConceptualUnit("U", "d"), 1);
    ASSERT_EQ(addModule(0, "a.oxa"), 1);
    ASSERT_EQ(addModule(0, "b.oxa"), 1);
    ASSERT_EQ(SetModulePriorityIntoApplication(0, 0, 5), 1);
    ASSERT_EQ(SetModulePriorityIntoApplication(0, 1, 5), 1);
    ASSERT_EQ(CalculatePrioritiesOfApplication(0), 1);
    EXPECT_EQ(range(0, 0), range(0, 1));
    EXPECT_EQ(range(0, 0), std::make_pair(0, 4));
    EXPECT_EQ(NumberOfPrioritiesUsed(), 5);
}

TEST_F(Applications, TwoLevelsWithLowestAndHighestServices) {
    // MONITOR + UNPRIORITIZED: type 1; MONITOR + PRIORITIZED: type 2.
    for (const char* f : {"a.oxa", "b.oxa"}) {
        makeModule(f, f[0] == 'a' ? "A" : "B",
                   {{"low", " *  * ", 0, 0}, {"high", " *   *", 0, 0}, {"plain", "      ", 0, 0}});
    }
    ASSERT_EQ(CreateNewApplication("App", "d"), 1);
    ASSERT_EQ(AddNewConceptualUnit("U", "d"), 1);
    ASSERT_EQ(addModule(0, "a.oxa"), 1);
    ASSERT_EQ(addModule(0, "b.oxa"), 1);
    ASSERT_EQ(SetModulePriorityIntoApplication(0, 0, 1), 1);
    ASSERT_EQ(SetModulePriorityIntoApplication(0, 1, 7), 1);
    EXPECT_EQ(NumberOfPrioritiesUsed(), 0);
    EXPECT_EQ(priorityStringOf(0, 0, 0), "<none>");  // no calculation yet
    ASSERT_EQ(CalculatePrioritiesOfApplication(0), 1);
    EXPECT_EQ(range(0, 0), std::make_pair(0, 3));
    EXPECT_EQ(servicePriority(0, 0, "low"), 1);
    EXPECT_EQ(servicePriority(0, 0, "high"), 2);
    EXPECT_EQ(range(0, 1), std::make_pair(4, 7));
    EXPECT_EQ(servicePriority(0, 1, "low"), 5);
    EXPECT_EQ(servicePriority(0, 1, "high"), 6);
    EXPECT_EQ(NumberOfPrioritiesUsed(), 8);
    // Services in name order: high, low, plain.
    EXPECT_EQ(priorityStringOf(0, 1, 0), "M4:7,G0S0:6,G0S1:5,G0S2:*");
    EXPECT_EQ(priorityStringOf(0, 1, 100), "M104:107,G0S0:106,G0S1:105,G0S2:*");
    // A cut string.
    char small[4];
    EXPECT_EQ(ReadPriorityStringOfModule(0, 1, 0, small, sizeof small), 2);
    EXPECT_STREQ(small, "M4:");
    EXPECT_EQ(ReadPriorityStringOfModule(0, 2, 0, small, sizeof small), 0);
    EXPECT_EQ(ReadPriorityStringOfModule(1, 0, 0, small, sizeof small), 0);
    // Another calculator index fails and discards the kept one.
    EXPECT_EQ(CalculatePrioritiesOfApplication(1), 0);
    EXPECT_EQ(ReadPriorityStringOfModule(0, 1, 0, small, sizeof small), 0);
    EXPECT_EQ(NumberOfPrioritiesUsed(), 0);
}

TEST_F(Applications, RelativePrioritiesGiveRanks) {
    makeModule("a.oxa", "A",
               {{"a", " *    ", 0, 10},
                {"b", " *    ", 0, 10},
                {"c", " *    ", 0, 30},
                {"h", "      ", 2, 0}});  // a notification handler without flags: type 4
    ASSERT_EQ(CreateNewApplication("App", "d"), 1);
    ASSERT_EQ(AddNewConceptualUnit("U", "d"), 1);
    ASSERT_EQ(addModule(0, "a.oxa"), 1);
    ASSERT_EQ(CalculatePrioritiesOfApplication(0), 1);
    EXPECT_EQ(servicePriority(0, 0, "a"), 3);  // base 0 + 2 + rank 1 (h has 0)
    EXPECT_EQ(servicePriority(0, 0, "b"), 3);
    EXPECT_EQ(servicePriority(0, 0, "c"), 4);
    EXPECT_EQ(servicePriority(0, 0, "h"), 2);
    EXPECT_EQ(range(0, 0), std::make_pair(0, 6));
    EXPECT_EQ(NumberOfPrioritiesUsed(), 7);
}

TEST_F(Applications, PriorityStringOfTheExample) {
    makeModule("a.oxa", "A", {{"x", " *    ", 0, 0}, {"y", "      ", 0, 0}});
    ASSERT_EQ(CreateNewApplication("App", "d"), 1);
    ASSERT_EQ(AddNewConceptualUnit("U", "d"), 1);
    ASSERT_EQ(addModule(0, "a.oxa"), 1);
    ASSERT_EQ(CalculatePrioritiesOfApplication(0), 1);
    auto* m = engine().application->moduleAt(0, 0);
    m->setPriorityRange(4, 9);
    ASSERT_TRUE(m->findService("G", "x")->setRelativePriority(5));
    EXPECT_EQ(priorityStringOf(0, 0, 10), "M14:19,G0S0:15,G0S1:*");
    // Numbers are unsigned 32-bit.
    EXPECT_EQ(priorityStringOf(0, 0, -20), "M4294967280:4294967285,G0S0:4294967281,G0S1:*");
}

TEST_F(Applications, EmptyApplicationAndUnsignedOrder) {
    ASSERT_EQ(CreateNewApplication("App", "d"), 1);
    ASSERT_EQ(CalculatePrioritiesOfApplication(0), 1);
    EXPECT_EQ(NumberOfPrioritiesUsed(), 0);
    makeModule("a.oxa", "A", {});
    makeModule("b.oxa", "B", {});
    ASSERT_EQ(AddNewConceptualUnit("U", "d"), 1);
    ASSERT_EQ(addModule(0, "a.oxa"), 1);
    ASSERT_EQ(addModule(0, "b.oxa"), 1);
    ASSERT_EQ(SetModulePriorityIntoApplication(0, 0, -1), 1);  // the highest as unsigned
    ASSERT_EQ(SetModulePriorityIntoApplication(0, 1, 2), 1);
    ASSERT_EQ(CalculatePrioritiesOfApplication(0), 1);
    EXPECT_EQ(range(0, 1), std::make_pair(0, 3));
    EXPECT_EQ(range(0, 0), std::make_pair(4, 7));
    // Adding a unit keeps the calculator.
    ASSERT_EQ(AddNewConceptualUnit("V", "d"), 1);
    EXPECT_EQ(NumberOfPrioritiesUsed(), 8);
    ASSERT_EQ(CreateNewApplication("New", "d"), 1);
    EXPECT_EQ(NumberOfPrioritiesUsed(), 0);
}

TEST_F(Applications, ConceptualUnitReader) {
    makeModule("a.oxa", "A", {});
    makeModule("b.oxa", "B", {});
    const std::string unitText =
        "Conceptual Unit: \r\n[Unit]\r\nDescription:\r\n\tCompactStr(0)\r\n\tEndCompactStr\r\n"
        "Linked to the object: [App]\r\n(ignored)\r\nModules: (4.7)\r\n[a.oxa]\r\n[]\r\n"
        "[b.oxa]\r\n[a.oxa]\r\n";
    namespace p = orven::model::persistence;
    {
        p::TextReader in{std::string_view(unitText)};
        p::ModuleFileReader reader(in, engine().catalogue, "externals");
        orven::applications::ConceptualUnit unit("<no name>", "<No description>");
        ASSERT_TRUE(orven::applications::readConceptualUnit(reader, unit, "App", false));
        EXPECT_EQ(unit.name(), "Unit");
        ASSERT_EQ(unit.moduleCount(), 2u);  // the second a.oxa is not included
        EXPECT_EQ(unit.moduleAt(0)->name(), "A");
        EXPECT_EQ(unit.moduleAt(0)->link(), &unit);
    }
    // With skip-ahead on, lines that do not fit are passed over; off, they fail.
    const std::string noisy = "noise\r\n" + unitText;
    {
        p::TextReader in{std::string_view(noisy)};
        p::ModuleFileReader reader(in, engine().catalogue, "externals");
        orven::applications::ConceptualUnit unit("<no name>", "<No description>");
        EXPECT_TRUE(orven::applications::readConceptualUnit(reader, unit, "App", true));
    }
    {
        p::TextReader in{std::string_view(noisy)};
        p::ModuleFileReader reader(in, engine().catalogue, "externals");
        orven::applications::ConceptualUnit unit("<no name>", "<No description>");
        EXPECT_FALSE(orven::applications::readConceptualUnit(reader, unit, "App", false));
    }
    // A path line without brackets fails; the end of the input fails.
    for (const std::string& bad : {unitText.substr(0, unitText.find("[a.oxa]")) + "a.oxa\r\n",
                                   unitText.substr(0, unitText.find("[b.oxa]"))}) {
        p::TextReader in{std::string_view(bad)};
        p::ModuleFileReader reader(in, engine().catalogue, "externals");
        orven::applications::ConceptualUnit unit("<no name>", "<No description>");
        EXPECT_FALSE(orven::applications::readConceptualUnit(reader, unit, "App", false));
    }
    // An application includes units through the object reader.
    const std::string appText =
        "[App]\r\nDescription:\r\n\tCompactStr(0)\r\n\tEndCompactStr\r\n"
        "Linked to the object: []\r\nIncludes (1) objects.\r\n"
        "Included object #0 (CU) :\r\n" +
        unitText;
    p::TextReader in{std::string_view(appText)};
    p::ModuleFileReader reader(in, engine().catalogue, "externals");
    orven::applications::enableConceptualUnits(reader);
    orven::applications::OrvenApplication app("<no name>", "<No description>");
    ASSERT_TRUE(reader.readCommonLines(app, "", false));
    ASSERT_TRUE(reader.readIncludedObjects(app, false));
    ASSERT_EQ(app.unitCount(), 1u);
    EXPECT_EQ(app.unitAt(0)->moduleCount(), 2u);
}
