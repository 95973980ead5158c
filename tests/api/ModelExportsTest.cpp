// The model exports, called the way the designer calls them.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "orven.h"

namespace {

class ModelExports : public ::testing::Test {
  protected:
    void SetUp() override {
        DeleteCurrentOXAModule();
        ASSERT_EQ(CreateNewOXAModule("Counter", "Counts pulses"), 1);
    }
    void TearDown() override { DeleteCurrentOXAModule(); }

    static std::vector<std::string> groups() {
        std::vector<std::string> names;
        char buf[64];
        for (int k = 0; k < NumberOfGroups(); ++k) {
            EXPECT_EQ(GetNameOfGroupByPos(k, sizeof buf, buf), 1);
            names.push_back(buf);
        }
        return names;
    }
    static std::vector<std::string> services(const char* group) {
        std::vector<std::string> names;
        char buf[64];
        for (int k = 0; k < NumberOfServices(group); ++k) {
            EXPECT_EQ(GetNameOfServiceByPos(group, k, sizeof buf, buf), 1);
            names.push_back(buf);
        }
        return names;
    }
    static std::string moduleName() {
        char buf[64];
        NameOXAModule(buf, sizeof buf);
        return buf;
    }
};

// Every model export, without a current module, fails quietly.
TEST(ModelExportsWithoutModule, FailQuietly) {
    DeleteCurrentOXAModule();
    char buf[16];
    float pair[2] = {7, 7};
    EXPECT_EQ(DeleteCurrentOXAModule(), 0);
    EXPECT_EQ(IsDefinedCurrentOXAModule(), 0);
    EXPECT_EQ(ChangeNameDescriptionOXAModule("a", "b"), 0);
    std::strcpy(buf, "junk");
    NameOXAModule(buf, sizeof buf);
    EXPECT_STREQ(buf, "");
    std::strcpy(buf, "junk");
    DescriptionOXAModule(buf, sizeof buf);
    EXPECT_STREQ(buf, "");
    EXPECT_EQ(ValidateDescriptionsOXAModule(buf, sizeof buf), 0);
    EXPECT_EQ(AddNewGroupOfServices("G", ""), 0);
    EXPECT_EQ(ExistGroupOfServices("G"), 0);
    EXPECT_EQ(NumberOfGroups(), 0);
    EXPECT_EQ(GetNameOfGroupByPos(0, sizeof buf, buf), 0);
    EXPECT_EQ(NumberOfServices("G"), 0);
    EXPECT_EQ(CreateOXAService("G", "S", ""), 0);
    EXPECT_EQ(OXAModulePriority(), 0);
    EXPECT_EQ(LengthOXAModuleData(0), 0);
    EXPECT_EQ(RetrieveTimeRestriction(3, pair), 0);
    EXPECT_EQ(SetTimeRestriction(3, pair), 0);
    std::strcpy(buf, "junk");
    RetrieveOXAModuleStartupCode(buf, sizeof buf);
    EXPECT_STREQ(buf, "");
    ChangeOXAModuleStartupCode("x");
    EXPECT_EQ(GetOXAModuleGeneralInfo(4, buf, 4, buf, 4, buf, 4, buf, 4, buf), 0);
    EXPECT_EQ(SetOXAModuleGeneralInfo("1", "2", "3", "4", "5"), 0);
    EXPECT_EQ(NumberOfDefinedSignals(), 0);
    EXPECT_EQ(ClearDefinedSignals(), 0);
    EXPECT_EQ(AddNewDefinedSignal("s", "E", "1"), 0);
    EXPECT_EQ(GetNumberOfModuleDependencies(), 0);
    EXPECT_EQ(AddModuleDependency("Clock", "tick", pair), 0);
    EXPECT_EQ(ExistsModuleDependency("Clock", "tick"), 0);
    EXPECT_EQ(OXAServiceType("G", "S"), -1);
}

TEST_F(ModelExports, CreateReplacesAndRefusesBrackets) {
    ASSERT_EQ(AddNewGroupOfServices("Main", ""), 1);
    EXPECT_EQ(CreateNewOXAModule("Bad[1]", ""), 0);
    EXPECT_EQ(moduleName(), "Counter");  // the current module is kept
    EXPECT_EQ(NumberOfGroups(), 1);
    EXPECT_EQ(CreateNewOXAModule("Second", "x"), 1);
    EXPECT_EQ(moduleName(), "Second");
    EXPECT_EQ(NumberOfGroups(), 0);
    EXPECT_EQ(IsDefinedCurrentOXAModule(), 1);
    EXPECT_EQ(DeleteCurrentOXAModule(), 1);
    EXPECT_EQ(IsDefinedCurrentOXAModule(), 0);
}

TEST_F(ModelExports, NamesWithLineEndsAreRefused) {
    EXPECT_EQ(CreateNewOXAModule("two\nlines", ""), 0);
    EXPECT_EQ(ChangeNameDescriptionOXAModule("two\nlines", ""), 0);
    EXPECT_EQ(AddNewGroupOfServices("a\nb", ""), 0);
    ASSERT_EQ(AddNewGroupOfServices("G", ""), 1);
    EXPECT_EQ(CreateOXAService("G", "a\nb", ""), 0);
    ASSERT_EQ(CreateOXAService("G", "S", ""), 1);
    EXPECT_EQ(ChangeNameDescriptionGroup("G", "G\n", ""), 0);
    EXPECT_EQ(ChangeOXAServiceIDs("G", "S", "S\nT", ""), 0);
    // A carriage return alone is removed on the way in, so "a\r" is "a".
    EXPECT_EQ(AddNewGroupOfServices("a\r", ""), 1);
    EXPECT_EQ(ExistGroupOfServices("a"), 1);
    EXPECT_EQ(groups(), (std::vector<std::string>{"G", "a"}));
    EXPECT_EQ(services("G"), (std::vector<std::string>{"S"}));
}

TEST_F(ModelExports, ModuleNameAndDescription) {
    EXPECT_EQ(ChangeNameDescriptionOXAModule("Pulse[", "d"), 0);
    EXPECT_EQ(ChangeNameDescriptionOXAModule("Pulse", "line one\r\nline two"), 1);
    char buf[64];
    EXPECT_EQ(moduleName(), "Pulse");
    DescriptionOXAModule(buf, sizeof buf);
    EXPECT_STREQ(buf, "line one\nline two");
    DescriptionOXAModule(buf, 5);
    EXPECT_STREQ(buf, "line");
}

TEST_F(ModelExports, GroupsAreListedInByteOrder) {
    for (const char* n : {"beta", "Alpha", "alpha", "abc", "ab"}) {
        ASSERT_EQ(AddNewGroupOfServices(n, ""), 1) << n;
    }
    EXPECT_EQ(groups(), (std::vector<std::string>{"Alpha", "ab", "abc", "alpha", "beta"}));
    char buf[8] = "junk";
    EXPECT_EQ(GetNameOfGroupByPos(5, sizeof buf, buf), 0);
    EXPECT_EQ(GetNameOfGroupByPos(-1, sizeof buf, buf), 0);
    EXPECT_EQ(GetNameOfGroupByPos(1 << 30, sizeof buf, buf), 0);
    EXPECT_EQ(GetNameOfGroupByPos(0, sizeof buf, nullptr), 0);
    EXPECT_EQ(GetNameOfGroupByPos(0, 3, buf), 1);
    EXPECT_STREQ(buf, "Al");
}

TEST_F(ModelExports, GroupRules) {
    ASSERT_EQ(AddNewGroupOfServices("A", "old"), 1);
    EXPECT_EQ(AddNewGroupOfServices("A", "new"), 0);
    char buf[16];
    EXPECT_EQ(DescriptionGroupOfServices("A", buf, sizeof buf), 1);
    EXPECT_STREQ(buf, "old");
    EXPECT_EQ(DescriptionGroupOfServices("missing", buf, sizeof buf), 0);
    EXPECT_EQ(DescriptionGroupOfServices("A", nullptr, sizeof buf), 0);

    EXPECT_EQ(AddNewGroupOfServices("x[", ""), 0);
    EXPECT_EQ(AddNewGroupOfServices("]", ""), 0);
    EXPECT_EQ(AddNewGroupOfServices("", "empty"), 1);
    EXPECT_EQ(AddNewGroupOfServices(nullptr, "again"), 0);  // null is the empty name
    EXPECT_EQ(ExistGroupOfServices(""), 1);
    EXPECT_EQ(ExistGroupOfServices(nullptr), 1);
    EXPECT_EQ(NumberOfGroups(), 2);
}

TEST_F(ModelExports, RenameGroup) {
    ASSERT_EQ(AddNewGroupOfServices("A", "a"), 1);
    ASSERT_EQ(AddNewGroupOfServices("B", "b"), 1);
    ASSERT_EQ(CreateOXAService("A", "run", ""), 1);
    char buf[16];

    EXPECT_EQ(ChangeNameDescriptionGroup("A", "A", "changed"), 1);
    DescriptionGroupOfServices("A", buf, sizeof buf);
    EXPECT_STREQ(buf, "changed");
    EXPECT_EQ(groups(), (std::vector<std::string>{"A", "B"}));

    EXPECT_EQ(ChangeNameDescriptionGroup("A", "B", "clash"), 0);
    DescriptionGroupOfServices("A", buf, sizeof buf);
    EXPECT_STREQ(buf, "changed");
    DescriptionGroupOfServices("B", buf, sizeof buf);
    EXPECT_STREQ(buf, "b");

    EXPECT_EQ(ChangeNameDescriptionGroup("missing", "C", ""), 0);
    EXPECT_EQ(ChangeNameDescriptionGroup("A", "C[", ""), 0);
    EXPECT_EQ(ChangeNameDescriptionGroup("A", "C", "c"), 1);
    EXPECT_EQ(groups(), (std::vector<std::string>{"B", "C"}));
    EXPECT_EQ(ExistOXAService("C", "run"), 1);  // services move with the group
}

TEST_F(ModelExports, DeleteGroupTakesItsServices) {
    ASSERT_EQ(AddNewGroupOfServices("G", ""), 1);
    ASSERT_EQ(CreateOXAService("G", "a", ""), 1);
    ASSERT_EQ(CreateOXAService("G", "b", ""), 1);
    EXPECT_EQ(NumberOfServices("G"), 2);
    EXPECT_EQ(DeleteGroupOfServices("missing"), 0);
    EXPECT_EQ(DeleteGroupOfServices("G"), 1);
    EXPECT_EQ(NumberOfServices("G"), 0);
    EXPECT_EQ(ExistOXAService("G", "a"), 0);
    EXPECT_EQ(DeleteGroupOfServices("G"), 0);
}

TEST_F(ModelExports, ServicesPerGroup) {
    ASSERT_EQ(AddNewGroupOfServices("G1", ""), 1);
    ASSERT_EQ(AddNewGroupOfServices("G2", ""), 1);
    EXPECT_EQ(CreateOXAService("G1", "run", "one"), 1);
    EXPECT_EQ(CreateOXAService("G2", "run", "two"), 1);
    EXPECT_EQ(CreateOXAService("G1", "run", "again"), 0);
    EXPECT_EQ(CreateOXAService("G3", "run", ""), 0);
    EXPECT_EQ(CreateOXAService("G1", "r[un", ""), 0);
    EXPECT_EQ(ExistOXAService("G1", "run"), 1);
    EXPECT_EQ(ExistOXAService("G3", "run"), 0);
    char buf[16];
    EXPECT_EQ(DescriptionOXAService("G2", "run", buf, sizeof buf), 1);
    EXPECT_STREQ(buf, "two");
    EXPECT_EQ(DescriptionOXAService("G2", "walk", buf, sizeof buf), 0);
    EXPECT_EQ(DescriptionOXAService("G2", "run", nullptr, 4), 0);

    ASSERT_EQ(CreateOXAService("G1", "alpha", ""), 1);
    EXPECT_EQ(services("G1"), (std::vector<std::string>{"alpha", "run"}));
    EXPECT_EQ(GetNameOfServiceByPos("G1", 2, sizeof buf, buf), 0);
    EXPECT_EQ(GetNameOfServiceByPos("G1", -3, sizeof buf, buf), 0);
    EXPECT_EQ(GetNameOfServiceByPos("G9", 0, sizeof buf, buf), 0);
    EXPECT_EQ(GetNameOfServiceByPos("G1", 0, sizeof buf, nullptr), 0);

    EXPECT_EQ(DeleteOXAService("G1", "walk"), 0);
    EXPECT_EQ(DeleteOXAService("G1", "run"), 1);
    EXPECT_EQ(ExistOXAService("G1", "run"), 0);
    EXPECT_EQ(ExistOXAService("G2", "run"), 1);
}

TEST_F(ModelExports, RenameService) {
    ASSERT_EQ(AddNewGroupOfServices("G", ""), 1);
    ASSERT_EQ(CreateOXAService("G", "a", "A"), 1);
    ASSERT_EQ(CreateOXAService("G", "b", "B"), 1);
    ASSERT_EQ(ChangeOXAServiceServerCode("G", "a", "n = 0;"), 1);
    EXPECT_EQ(ChangeOXAServiceIDs("G", "a", "b", "x"), 0);
    EXPECT_EQ(ChangeOXAServiceIDs("H", "a", "c", "x"), 0);
    EXPECT_EQ(ChangeOXAServiceIDs("G", "z", "c", "x"), 0);
    EXPECT_EQ(ChangeOXAServiceIDs("G", "a", "a", "same"), 1);
    EXPECT_EQ(ChangeOXAServiceIDs("G", "a", "c", "C"), 1);
    EXPECT_EQ(services("G"), (std::vector<std::string>{"b", "c"}));
    char buf[16];
    DescriptionOXAService("G", "c", buf, sizeof buf);
    EXPECT_STREQ(buf, "C");
    RetrieveOXAServiceServerCode("G", "c", buf, sizeof buf);
    EXPECT_STREQ(buf, "n = 0;");
}

TEST_F(ModelExports, ValidateDescriptions) {
    const std::string good = "A description that is long enough";  // 33 bytes, 5 spaces
    char buf[64];
    std::strcpy(buf, "junk");
    EXPECT_EQ(ValidateDescriptionsOXAModule(buf, sizeof buf), 0);
    EXPECT_STREQ(buf, "Description of the module");
    ASSERT_EQ(ChangeNameDescriptionOXAModule("Counter", good.c_str()), 1);
    EXPECT_EQ(ValidateDescriptionsOXAModule(buf, sizeof buf), 1);
    ASSERT_EQ(AddNewGroupOfServices("Main", good.c_str()), 1);
    ASSERT_EQ(AddNewGroupOfServices("Aux", "short"), 1);
    EXPECT_EQ(ValidateDescriptionsOXAModule(buf, sizeof buf), 0);
    EXPECT_STREQ(buf, "Description of services group [Aux]");
    ASSERT_EQ(ChangeNameDescriptionGroup("Aux", "Aux", good.c_str()), 1);
    ASSERT_EQ(CreateOXAService("Main", "zeta", "short"), 1);
    ASSERT_EQ(CreateOXAService("Main", "alpha", "short"), 1);
    EXPECT_EQ(ValidateDescriptionsOXAModule(buf, sizeof buf), 0);
    EXPECT_STREQ(buf, "Description of service [alpha]");
    EXPECT_EQ(ValidateDescriptionsOXAModule(nullptr, 0), 0);
}

TEST_F(ModelExports, SectionTextsAndLengths) {
    struct Section {
        int selector;
        int (*change)(const char*);
        int (*retrieve)(char*, int);
    };
    const Section sections[] = {
        {0, ChangeOXAModulePreDefinitions, RetrieveOXAModulePreDefinitions},
        {2, ChangeOXAModuleGlobalData, RetrieveOXAModuleGlobalData},
        {3, ChangeOXAModuleStartupCode, RetrieveOXAModuleStartupCode},
        {4, ChangeOXAModulePreEndingCode, RetrieveOXAModulePreEndingCode},
        {5, ChangeOXAModulePostEndingCode, RetrieveOXAModulePostEndingCode},
        {6, ChangeOXAModuleGlobalCode, RetrieveOXAModuleGlobalCode},
    };
    for (const Section& s : sections) {
        const std::string text = "section " + std::to_string(s.selector) + "\r\nsecond line";
        s.change(text.c_str());
    }
    for (const Section& s : sections) {
        const std::string expected = "section " + std::to_string(s.selector) + "\nsecond line";
        const int n = LengthOXAModuleData(s.selector);
        EXPECT_EQ(n, static_cast<int>(expected.size())) << s.selector;
        // The designer's pattern: length, then n + 1 bytes with size 0.
        std::vector<char> buf(static_cast<std::size_t>(n) + 1, 'X');
        s.retrieve(buf.data(), 0);
        EXPECT_EQ(std::string(buf.data()), expected) << s.selector;
    }
    for (int bad : {1, 7, -1})
        EXPECT_EQ(LengthOXAModuleData(bad), 0) << bad;

    // Null and negative sizes write nothing and do not crash.
    char small[4] = {'X', 'X', 'X', 'X'};
    RetrieveOXAModuleGlobalData(small, -1);
    EXPECT_EQ(small[0], 'X');
    RetrieveOXAModuleGlobalData(nullptr, 10);
    ChangeOXAModuleGlobalData(nullptr);
    EXPECT_EQ(LengthOXAModuleData(2), 0);
}

TEST_F(ModelExports, SectionTimeRestrictions) {
    struct Case {
        float in[2];
        float out[2];
    };
    const Case cases[] = {
        {{0.5f, 2.0f}, {0.5f, 2.0f}},
        {{2.0f, 1.0f}, {-1.0f, -1.0f}},  // refused: the restriction is cleared
        {{-5.0f, 4.0f}, {-1.0f, -1.0f}},
        {{1.0f, -3.0f}, {1.0f, -1.0f}},
    };
    for (const Case& c : cases) {
        ASSERT_EQ(SetTimeRestriction(3, c.in), 1);
        float got[2] = {99, 99};
        ASSERT_EQ(RetrieveTimeRestriction(3, got), 1);
        EXPECT_EQ(got[0], c.out[0]) << c.in[0] << "," << c.in[1];
        EXPECT_EQ(got[1], c.out[1]) << c.in[0] << "," << c.in[1];
    }
    float pair[2] = {1.0f, 2.0f};
    EXPECT_EQ(RetrieveTimeRestriction(1, pair), 0);
    EXPECT_EQ(SetTimeRestriction(1, pair), 0);
    EXPECT_EQ(SetTimeRestriction(7, pair), 0);
    EXPECT_EQ(SetTimeRestriction(3, nullptr), 0);
    EXPECT_EQ(RetrieveTimeRestriction(3, nullptr), 0);

    // Changing the text keeps the restriction.
    ASSERT_EQ(SetTimeRestriction(2, pair), 1);
    ChangeOXAModuleGlobalData("long n;");
    float got[2];
    ASSERT_EQ(RetrieveTimeRestriction(2, got), 1);
    EXPECT_EQ(got[0], 1.0f);
    EXPECT_EQ(got[1], 2.0f);
}

TEST_F(ModelExports, PriorityAndGeneralInfo) {
    EXPECT_EQ(OXAModulePriority(), 0);
    ChangeOXAModulePriority(-12);
    EXPECT_EQ(OXAModulePriority(), -12);

    ASSERT_EQ(SetOXAModuleGeneralInfo("1.0", "today", "me", "libc", "one\r\ntwo"), 1);
    char version[4], date[32], author[48], other[512], comments[1024];
    ASSERT_EQ(GetOXAModuleGeneralInfo(sizeof version, version, sizeof date, date, sizeof author,
                                      author, sizeof other, other, sizeof comments, comments),
              1);
    EXPECT_STREQ(version, "1.0");
    EXPECT_STREQ(date, "today");
    EXPECT_STREQ(author, "me");
    EXPECT_STREQ(other, "libc");
    EXPECT_STREQ(comments, "one\ntwo");

    ASSERT_EQ(SetOXAModuleGeneralInfo("12345", nullptr, nullptr, nullptr, nullptr), 1);
    ASSERT_EQ(GetOXAModuleGeneralInfo(sizeof version, version, sizeof date, date, 0, nullptr, -4,
                                      other, sizeof comments, comments),
              1);
    EXPECT_STREQ(version, "123");
    EXPECT_STREQ(date, "");
    EXPECT_STREQ(other, "libc");  // a negative size writes nothing
}

class ServiceExports : public ModelExports {
  protected:
    void SetUp() override {
        ModelExports::SetUp();
        ASSERT_EQ(AddNewGroupOfServices("G", ""), 1);
        ASSERT_EQ(CreateOXAService("G", "S", ""), 1);
    }
    static std::string chars() {
        char buf[7] = {0};
        EXPECT_EQ(OXAServiceCharacteristics("G", "S", buf), 1);
        return std::string(buf, 6);
    }
};

TEST_F(ServiceExports, NewService) {
    EXPECT_EQ(OXAServiceType("G", "S"), 0);
    EXPECT_EQ(chars(), "      ");
    EXPECT_EQ(OXAServicePriorityType("G", "S"), 3);
    EXPECT_EQ(OXAServiceRelPriority("G", "S"), 0);
    EXPECT_EQ(ChangeOXAServiceRelPrio("G", "S", 4), 0);
    char buf[8] = "junk";
    EXPECT_EQ(OXAServiceEventHandlerCode("G", "S", buf, sizeof buf), 0);
    EXPECT_STREQ(buf, "junk");
    EXPECT_EQ(OXAServiceEventGeneratorModule("G", "S", buf, sizeof buf), 0);
    for (int sel = 0; sel < 3; ++sel)
        EXPECT_EQ(LengthOXAServiceData(sel, "G", "S"), 0);
}

TEST_F(ServiceExports, CharacteristicsByType) {
    struct Case {
        int type;
        const char* flags;
        int accepted;
        int priorityType;
    };
    const Case cases[] = {
        {0, " *  * ", 1, 1},                       // MONITOR + UNPRIORITIZED
        {0, " *   *", 1, 2},                       // MONITOR + PRIORITIZED
        {0, " *    ", 1, 4},                       // MONITOR
        {0, "    * ", 0, 3},                       // UNPRIORITIZED alone
        {2, "    * ", 1, 1}, {1, "   *  ", 0, 4},  // PERMANENT on a beta-event handler
        {0, " *  **", 0, 3}, {1, "    **", 0, 4},
        {2, "    **", 0, 4}, {0, "*", 1, 3},  // a short text clears the other flags
    };
    for (const Case& c : cases) {
        ASSERT_EQ(CreateNewOXAModule("M", ""), 1);
        ASSERT_EQ(AddNewGroupOfServices("G", ""), 1);
        ASSERT_EQ(CreateOXAService("G", "S", ""), 1);
        ChangeOXAServiceType("G", "S", c.type);
        EXPECT_EQ(ChangeOXAServiceChars("G", "S", c.flags), c.accepted) << c.flags;
        EXPECT_EQ(OXAServicePriorityType("G", "S"), c.priorityType) << c.flags;
    }
}

TEST_F(ServiceExports, CharacteristicsLayout) {
    ASSERT_EQ(ChangeOXAServiceChars("G", "S", "*  *  "), 1);
    EXPECT_EQ(chars(), "*  *  ");
    // Exactly six bytes are written, no terminator.
    char buf[8];
    std::memset(buf, 'X', sizeof buf);
    ASSERT_EQ(OXAServiceCharacteristics("G", "S", buf), 1);
    EXPECT_EQ(buf[6], 'X');
    EXPECT_EQ(OXAServiceCharacteristics("G", "S", nullptr), 0);
    EXPECT_EQ(OXAServiceCharacteristics("G", "T", buf), 0);
    EXPECT_EQ(ChangeOXAServiceChars("G", "T", "*"), 0);
    EXPECT_EQ(ChangeOXAServiceChars("G", "S", nullptr), 1);
    EXPECT_EQ(chars(), "      ");
}

TEST_F(ServiceExports, RelativePriority) {
    ASSERT_EQ(ChangeOXAServiceChars("G", "S", " *    "), 1);
    EXPECT_EQ(ChangeOXAServiceRelPrio("G", "S", 7), 1);
    EXPECT_EQ(OXAServiceRelPriority("G", "S"), 7);
    EXPECT_EQ(ChangeOXAServiceRelPrio("G", "T", 7), 0);
    EXPECT_EQ(OXAServiceRelPriority("G", "T"), 0);
    EXPECT_EQ(OXAServicePriorityType("G", "T"), 0);
}

TEST_F(ServiceExports, HandlerMembers) {
    EXPECT_EQ(SetOXAServiceEventHandlerCode("G", "S", "17"), 0);
    ChangeOXAServiceType("G", "S", 1);
    EXPECT_EQ(OXAServiceType("G", "S"), 1);
    EXPECT_EQ(SetOXAServiceEventHandlerCode("G", "S", "a{"), 0);
    EXPECT_EQ(SetOXAServiceEventHandlerCode("G", "S", "a\nb"), 0);
    EXPECT_EQ(SetOXAServiceEventHandlerCode("G", "S", "17"), 1);
    EXPECT_EQ(SetOXAServiceEventGeneratorModule("G", "S", "Clock"), 1);
    EXPECT_EQ(SetOXAServiceEventGeneratorModule("G", "S", "Clo\nck"), 0);
    char buf[16];
    EXPECT_EQ(OXAServiceEventHandlerCode("G", "S", buf, sizeof buf), 1);
    EXPECT_STREQ(buf, "17");
    EXPECT_EQ(OXAServiceEventGeneratorModule("G", "S", buf, sizeof buf), 1);
    EXPECT_STREQ(buf, "Clock");
    EXPECT_EQ(OXAServiceEventHandlerCode("G", "S", nullptr, 4), 0);

    // Back to a regular service: stored but not readable; readable again later.
    ChangeOXAServiceType("G", "S", 0);
    std::strcpy(buf, "junk");
    EXPECT_EQ(OXAServiceEventHandlerCode("G", "S", buf, sizeof buf), 0);
    EXPECT_STREQ(buf, "junk");
    ChangeOXAServiceType("G", "S", 1);
    EXPECT_EQ(OXAServiceEventHandlerCode("G", "S", buf, sizeof buf), 1);
    EXPECT_STREQ(buf, "17");

    ChangeOXAServiceType("G", "S", 2);
    EXPECT_EQ(OXAServiceEventGeneratorModule("G", "S", buf, sizeof buf), 0);
    EXPECT_EQ(SetOXAServiceEventGeneratorModule("G", "S", "Other"), 0);
    EXPECT_EQ(OXAServiceEventHandlerCode("G", "S", buf, sizeof buf), 1);

    // Types a module file cannot hold are refused.
    EXPECT_EQ(ChangeOXAServiceType("G", "S", 3), 0);
    EXPECT_EQ(ChangeOXAServiceType("G", "S", -1), 0);
    EXPECT_EQ(OXAServiceType("G", "S"), 2);
}

TEST_F(ServiceExports, Sections) {
    struct Section {
        int selector;
        int (*change)(const char*, const char*, const char*);
        int (*retrieve)(const char*, const char*, char*, int);
    };
    const Section sections[] = {
        {0, ChangeOXAServiceServerCode, RetrieveOXAServiceServerCode},
        {1, ChangeOXAServiceInputData, RetrieveOXAServiceInputData},
        {2, ChangeOXAServiceOutputData, RetrieveOXAServiceOutputData},
    };
    for (const Section& s : sections) {
        const std::string text = "code " + std::to_string(s.selector) + "\r\nmore";
        s.change("G", "S", text.c_str());
        float pair[2] = {static_cast<float>(s.selector), 10.0f};
        EXPECT_EQ(SetTimeRestrictionService(s.selector, "G", "S", pair), 1);
    }
    for (const Section& s : sections) {
        const std::string expected = "code " + std::to_string(s.selector) + "\nmore";
        const int n = LengthOXAServiceData(s.selector, "G", "S");
        EXPECT_EQ(n, static_cast<int>(expected.size()));
        std::vector<char> buf(static_cast<std::size_t>(n) + 1);
        s.retrieve("G", "S", buf.data(), 0);
        EXPECT_EQ(std::string(buf.data()), expected);
        float pair[2];
        ASSERT_EQ(RetrieveTimeRestrictionService(s.selector, "G", "S", pair), 1);
        EXPECT_EQ(pair[0], static_cast<float>(s.selector));
        EXPECT_EQ(pair[1], 10.0f);
        // Not found: the buffer is cleared.
        char small[4] = "abc";
        s.retrieve("G", "T", small, sizeof small);
        EXPECT_STREQ(small, "");
    }
    float pair[2] = {3.0f, 1.0f};
    EXPECT_EQ(SetTimeRestrictionService(0, "G", "S", pair), 1);
    ASSERT_EQ(RetrieveTimeRestrictionService(0, "G", "S", pair), 1);
    EXPECT_EQ(pair[0], -1.0f);
    EXPECT_EQ(pair[1], -1.0f);
    EXPECT_EQ(LengthOXAServiceData(3, "G", "S"), 0);
    EXPECT_EQ(RetrieveTimeRestrictionService(3, "G", "S", pair), 0);
    EXPECT_EQ(SetTimeRestrictionService(-1, "G", "S", pair), 0);
    EXPECT_EQ(SetTimeRestrictionService(0, "G", "S", nullptr), 0);
    EXPECT_EQ(RetrieveTimeRestrictionService(0, "G", "T", pair), 0);
    // Changing the text keeps the time restriction.
    float set[2] = {1.0f, 2.0f};
    ASSERT_EQ(SetTimeRestrictionService(1, "G", "S", set), 1);
    ChangeOXAServiceInputData("G", "S", "long x;");
    ASSERT_EQ(RetrieveTimeRestrictionService(1, "G", "S", pair), 1);
    EXPECT_EQ(pair[1], 2.0f);
}

TEST_F(ModelExports, Signals) {
    EXPECT_EQ(AddNewDefinedSignal("zeta", "E", "17"), 1);
    EXPECT_EQ(AddNewDefinedSignal("alpha", "N", "18"), 1);
    EXPECT_EQ(AddNewDefinedSignal("other", "E", "17"), 0);
    EXPECT_EQ(AddNewDefinedSignal("other", "N", "17"), 1);
    EXPECT_EQ(AddNewDefinedSignal("x", "X", "1"), 0);
    EXPECT_EQ(AddNewDefinedSignal("x", "", "1"), 0);
    EXPECT_EQ(AddNewDefinedSignal("x", "E", "a)"), 0);
    EXPECT_EQ(AddNewDefinedSignal("x)", "E", "2"), 0);
    EXPECT_EQ(AddNewDefinedSignal("x\ny", "E", "3"), 0);
    EXPECT_EQ(AddNewDefinedSignal("x", "E", "3\n"), 0);
    EXPECT_EQ(AddNewDefinedSignal(nullptr, "E", "4"), 0);
    EXPECT_EQ(AddNewDefinedSignal("x", nullptr, "4"), 0);
    EXPECT_EQ(AddNewDefinedSignal("x", "E", nullptr), 0);
    EXPECT_EQ(AddNewDefinedSignal("zeta", "N", "99"), 0);
    ASSERT_EQ(NumberOfDefinedSignals(), 3);

    const char* names[] = {"alpha", "other", "zeta"};
    const char kinds[] = {'N', 'N', 'E'};
    const char* codes[] = {"18", "17", "17"};
    for (int k = 0; k < 3; ++k) {
        char name[16], code[16], kind[2] = {'X', 'X'};
        ASSERT_EQ(ReadDefinedSignal(k, name, sizeof name, kind, code, sizeof code), 1);
        EXPECT_STREQ(name, names[k]);
        EXPECT_EQ(kind[0], kinds[k]);
        EXPECT_EQ(kind[1], 'X');  // exactly one byte
        EXPECT_STREQ(code, codes[k]);
    }
    char name[16], code[16], kind;
    EXPECT_EQ(ReadDefinedSignal(3, name, sizeof name, &kind, code, sizeof code), 0);
    EXPECT_EQ(ReadDefinedSignal(-1, name, sizeof name, &kind, code, sizeof code), 0);
    EXPECT_EQ(ReadDefinedSignal(0, nullptr, 0, &kind, code, sizeof code), 0);
    EXPECT_EQ(ReadDefinedSignal(0, name, sizeof name, nullptr, code, sizeof code), 0);
    EXPECT_EQ(ReadDefinedSignal(0, name, sizeof name, &kind, nullptr, 0), 0);

    EXPECT_EQ(RemoveDefinedSignal(3), 0);
    EXPECT_EQ(RemoveDefinedSignal(-1), 0);
    EXPECT_EQ(RemoveDefinedSignal(1), 1);
    ASSERT_EQ(ReadDefinedSignal(1, name, sizeof name, &kind, code, sizeof code), 1);
    EXPECT_STREQ(name, "zeta");
    EXPECT_EQ(ClearDefinedSignals(), 1);
    EXPECT_EQ(NumberOfDefinedSignals(), 0);
}

TEST_F(ModelExports, Dependencies) {
    float none[2] = {-1.0f, -1.0f};
    float refused[2] = {3.0f, 1.0f};
    float some[2] = {0.5f, 2.0f};
    EXPECT_EQ(AddModuleDependency("Clock", "tick", some), 1);
    EXPECT_EQ(AddModuleDependency("Clock", "tick", none), 0);
    EXPECT_EQ(AddModuleDependency("Clock", "tock", refused), 1);
    EXPECT_EQ(AddModuleDependency("Motor", nullptr, none), 1);
    EXPECT_EQ(AddModuleDependency("Motor", "", none), 0);
    EXPECT_EQ(AddModuleDependency("Motor", "x", nullptr), 0);
    EXPECT_EQ(AddModuleDependency("Mo]tor", "x", none), 0);
    EXPECT_EQ(AddModuleDependency("Motor", "x\ny", none), 0);
    ASSERT_EQ(GetNumberOfModuleDependencies(), 3);
    EXPECT_EQ(ExistsModuleDependency("Clock", "tock"), 1);
    EXPECT_EQ(ExistsModuleDependency("Motor", nullptr), 1);
    EXPECT_EQ(ExistsModuleDependency("Clock", ""), 0);

    struct Expected {
        const char* module;
        const char* service;
        float min, max;
    };
    const Expected expected[] = {
        {"Clock", "tick", 0.5f, 2.0f}, {"Clock", "tock", -1, -1}, {"Motor", "", -1, -1}};
    for (int k = 0; k < 3; ++k) {
        char module[16], service[16];
        float pair[2];
        ASSERT_EQ(ReadModuleDependency(k, module, service, sizeof module, sizeof service, pair), 1);
        EXPECT_STREQ(module, expected[k].module);
        EXPECT_STREQ(service, expected[k].service);
        EXPECT_EQ(pair[0], expected[k].min);
        EXPECT_EQ(pair[1], expected[k].max);
    }
    char module[16], service[16];
    float pair[2];
    EXPECT_EQ(ReadModuleDependency(3, module, service, 16, 16, pair), 0);
    EXPECT_EQ(ReadModuleDependency(-2, module, service, 16, 16, pair), 0);
    EXPECT_EQ(ReadModuleDependency(0, nullptr, service, 16, 16, pair), 0);
    EXPECT_EQ(ReadModuleDependency(0, module, nullptr, 16, 16, pair), 0);
    EXPECT_EQ(ReadModuleDependency(0, module, service, 16, 16, nullptr), 0);
    EXPECT_EQ(RemoveModuleDependency(3), 0);
    EXPECT_EQ(RemoveModuleDependency(-1), 0);
    EXPECT_EQ(RemoveModuleDependency(0), 1);
    ASSERT_EQ(ReadModuleDependency(0, module, service, 16, 16, pair), 1);
    EXPECT_STREQ(service, "tock");
}

}  // namespace
