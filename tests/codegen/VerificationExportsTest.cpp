// Verification of the current module through GeneratorValidate: reports,
// repairs and markers in the module's sections, results.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "orven.h"

namespace {

const std::string kMarker = " /*- *** WHAT FOLLOWS IS INCORRECT IN QUENOR *** -*/ ";
const std::string kRules = std::string("Quenor spe") + "cification";
const std::string kUnion =
    "-Found the use of 'union' ODL type in the public definitions, which is deprecated.";

std::string corbaLine(int pos, bool fixed) {
    return "\t-Found the construction 'CORBA::' inside codification (at position " +
           std::to_string(pos) + "), which is non-portable " +
           (fixed ? "(fixed)." : "(NOT FIXED).") + "\n";
}

std::string stringLine(int pos, bool fixed) {
    return "\t-Found a ODL string manipulation function without the qualifier (at position " +
           std::to_string(pos) + "), which is non-portable " +
           (fixed ? "(fixed)." : "(NOT FIXED).") + "\n";
}

std::string termLine(int pos, const std::string& status) {
    return "\t-Found an incorrect or undesirable term (at position " + std::to_string(pos) +
           ") which compromises " + kRules + " (" + status + ").\n";
}

std::string heading(const std::string& word) {
    return "\n\n-Results of checking " + word + ":\n\n";
}

std::string serviceHeading(const std::string& service, const std::string& group) {
    return "\n\n-Results of checking Service '" + service + "' of group '" + group + "':\n\n";
}

class VerificationExports : public ::testing::Test {
  protected:
    void SetUp() override {
        DeleteCurrentOXAModule();
        ASSERT_EQ(CreateNewOXAModule("Arm", "The arm of the robot, with its joints"), 1);
    }
    void TearDown() override { DeleteCurrentOXAModule(); }

    static int validate(bool fix, std::string& report, int generator = 0) {
        static char buf[65536];
        std::strcpy(buf, "untouched");
        int result = GeneratorValidate(generator, fix ? 1 : 0, buf, sizeof buf);
        report = buf;
        return result;
    }
    static void addService(const char* group, const char* service, const char* code) {
        if (ExistGroupOfServices(group) != 1) {
            ASSERT_EQ(AddNewGroupOfServices(group, ""), 1);
        }
        ASSERT_EQ(CreateOXAService(group, service, ""), 1);
        ASSERT_EQ(ChangeOXAServiceServerCode(group, service, code), 1);
    }
    static std::string serverCode(const char* group, const char* service) {
        static char buf[65536];
        RetrieveOXAServiceServerCode(group, service, buf, sizeof buf);
        return buf;
    }
    template <class Get>
    static std::string text(Get get) {
        static char buf[65536];
        get(buf, static_cast<int>(sizeof buf));
        return buf;
    }
    static std::string globalCode() { return text(RetrieveOXAModuleGlobalCode); }
    static std::string globalData() { return text(RetrieveOXAModuleGlobalData); }
    static std::string startup() { return text(RetrieveOXAModuleStartupCode); }
};

}  // namespace

TEST_F(VerificationExports, WorkedExample) {
    ChangeOXAModuleGlobalCode("x = CORBA::ORB_init(a, b);");
    addService("Main", "Get", "return 0;");
    std::string report;
    EXPECT_EQ(validate(true, report), 0);
    EXPECT_EQ(report, "-Results of checking Auxiliary Logic:\n\n" + corbaLine(4, true) +
                          serviceHeading("Get", "Main") + termLine(53, "INDICATED"));
    EXPECT_EQ(globalCode(), "x = ORVEN::ORB_init(a, b);");
    EXPECT_EQ(serverCode("Main", "Get"), kMarker + "return 0;");
}

TEST_F(VerificationExports, CleanModuleGivesOneAndAnEmptyReport) {
    ChangeOXAModuleGlobalCode("#include <x.h>\nint f() { return 1; }");
    ChangeOXAModuleStartupCode("start();");
    addService("Main", "Get", "x = ORVEN::string_dup(s);");
    std::string report;
    EXPECT_EQ(validate(true, report), 1);
    EXPECT_EQ(report, "");
}

TEST_F(VerificationExports, UnionInPublicDefinitionsStopsTheChecks) {
    ChangeOXAModulePreDefinitions("// a reunion of the types\nstruct A { long x; };");
    ChangeOXAModuleStartupCode("CORBA::Long a;");
    std::string report;
    EXPECT_EQ(validate(true, report), 0);
    EXPECT_EQ(report, kUnion);
    EXPECT_EQ(startup(), "CORBA::Long a;");   // nothing repaired
    EXPECT_EQ(validate(true, report, 1), 0);  // before the generator is looked at
    EXPECT_EQ(report, kUnion);
}

TEST_F(VerificationExports, CorbaInStartupCode) {
    ChangeOXAModuleStartupCode("CORBA::Long a;");
    std::string report;
    EXPECT_EQ(validate(false, report), 0);
    EXPECT_EQ(report, heading("Startup Logic") + corbaLine(0, false));
    EXPECT_EQ(startup(), "CORBA::Long a;");
    EXPECT_EQ(validate(true, report), 2);
    EXPECT_EQ(report, heading("Startup Logic") + corbaLine(0, true));
    EXPECT_EQ(startup(), "ORVEN::Long a;");
    EXPECT_EQ(validate(true, report), 1);
}

TEST_F(VerificationExports, RepairKeepsTheTimeRestriction) {
    const float pair[2] = {1.5f, 4.0f};
    ASSERT_EQ(SetTimeRestriction(3, pair), 1);
    ChangeOXAModuleStartupCode("CORBA::Long a;");
    addService("Main", "Get", "return x;");
    ASSERT_EQ(SetTimeRestrictionService(0, "Main", "Get", pair), 1);
    std::string report;
    validate(true, report);
    float got[2] = {0, 0};
    ASSERT_EQ(RetrieveTimeRestriction(3, got), 1);
    EXPECT_EQ(got[0], 1.5f);
    EXPECT_EQ(got[1], 4.0f);
    ASSERT_EQ(RetrieveTimeRestrictionService(0, "Main", "Get", got), 1);
    EXPECT_EQ(got[0], 1.5f);
    EXPECT_EQ(got[1], 4.0f);
}

TEST_F(VerificationExports, StringFunctions) {
    struct Case {
        const char* code;
        bool fix;
        int result;
        std::string findings;
        const char* after;
    };
    const Case cases[] = {
        {"CORBA::string_dup(s)", true, 2, corbaLine(0, true), "ORVEN::string_dup(s)"},
        {"string_free(p)", true, 2, stringLine(7, true), "ORVEN::string_free(p)"},
        {"X::string_free(p)", false, 0, stringLine(3, false), "X::string_free(p)"},
        {"X::string_free(p)", true, 2, stringLine(10, true), "X::ORVEN::string_free(p)"},
    };
    for (const Case& c : cases) {
        ChangeOXAModuleGlobalCode(c.code);
        std::string report;
        EXPECT_EQ(validate(c.fix, report), c.result) << c.code;
        EXPECT_EQ(report, "-Results of checking Auxiliary Logic:\n\n" + c.findings) << c.code;
        EXPECT_EQ(globalCode(), c.after) << c.code;
    }
}

TEST_F(VerificationExports, IncludeIsAFindingOnlyOutsideTheGlobalCode) {
    ChangeOXAModuleGlobalCode("#include <x.h>\n");
    std::string report;
    EXPECT_EQ(validate(false, report), 1);
    ChangeOXAModuleGlobalData("#include <x.h>\n");
    EXPECT_EQ(validate(false, report), 0);
    EXPECT_EQ(report, heading("Internal Status") + termLine(0, "NOT FIXED"));
}

TEST_F(VerificationExports, ReturnForms) {
    struct Case {
        const char* code;
        int result;
    };
    const Case cases[] = {{"return;", 1}, {"returned", 1}, {"return(x);", 0}, {"return x;", 0}};
    for (const Case& c : cases) {
        ChangeOXAModulePreEndingCode(c.code);
        std::string report;
        EXPECT_EQ(validate(false, report), c.result) << c.code;
        EXPECT_EQ(report,
                  c.result == 1 ? "" : heading("Pre-ending Logic") + termLine(0, "NOT FIXED"))
            << c.code;
    }
}

TEST_F(VerificationExports, MarkingOnceThenNotFixed) {
    ChangeOXAModulePostEndingCode("cleanup();\nreturn x;");
    std::string report;
    EXPECT_EQ(validate(true, report), 0);
    EXPECT_EQ(report, heading("Post-ending Logic") + termLine(11 + 53, "INDICATED"));
    EXPECT_EQ(validate(true, report), 0);
    EXPECT_EQ(report, heading("Post-ending Logic") + termLine(11 + 53, "NOT FIXED"));
    char buf[256];
    RetrieveOXAModulePostEndingCode(buf, sizeof buf);
    EXPECT_EQ(std::string(buf), "cleanup();\n" + kMarker + "return x;");
}

TEST_F(VerificationExports, CombineRuleOverSections) {
    // Startup: one repaired and one not; the post-ending code is only repaired.
    ChangeOXAModuleStartupCode("CORBA::Long x; return x;");
    ChangeOXAModulePostEndingCode("CORBA::Long y;");
    std::string report;
    EXPECT_EQ(validate(true, report), 0);
    EXPECT_EQ(report, heading("Startup Logic") + corbaLine(0, true) +
                          termLine(15 + 53, "INDICATED") + heading("Post-ending Logic") +
                          corbaLine(0, true));
    // Only repairs everywhere: 2.
    ChangeOXAModuleStartupCode("CORBA::Long x;");
    ChangeOXAModulePostEndingCode("string_alloc(3);");
    addService("Main", "Get", "CORBA::Long z;");
    EXPECT_EQ(validate(true, report), 2);
}

TEST_F(VerificationExports, SectionsAndServicesInOrder) {
    ChangeOXAModuleGlobalCode("CORBA::A");
    ChangeOXAModuleGlobalData("CORBA::B");
    ChangeOXAModuleStartupCode("CORBA::C");
    ChangeOXAModulePreEndingCode("CORBA::D");
    ChangeOXAModulePostEndingCode("CORBA::E");
    addService("Zeta", "b", "CORBA::F");
    addService("Zeta", "a", "CORBA::G");
    addService("Alpha", "z", "CORBA::H");
    ChangeOXAModulePreDefinitions("struct S {};");  // examined by the union check only
    std::string report;
    EXPECT_EQ(validate(false, report), 0);
    const std::string f = corbaLine(0, false);
    EXPECT_EQ(report, "-Results of checking Auxiliary Logic:\n\n" + f + heading("Internal Status") +
                          f + heading("Startup Logic") + f + heading("Pre-ending Logic") + f +
                          heading("Post-ending Logic") + f + serviceHeading("z", "Alpha") + f +
                          serviceHeading("a", "Zeta") + f + serviceHeading("b", "Zeta") + f);
}

TEST_F(VerificationExports, InputAndOutputDataAreNotExamined) {
    addService("Main", "Get", "");
    ASSERT_EQ(ChangeOXAServiceInputData("Main", "Get", "CORBA::Long a; return x;"), 1);
    ASSERT_EQ(ChangeOXAServiceOutputData("Main", "Get", "CORBA::Long b;"), 1);
    std::string report;
    EXPECT_EQ(validate(true, report), 1);
    EXPECT_EQ(report, "");
}

TEST_F(VerificationExports, OtherGeneratorGivesMinusOneAndLeavesTheBuffer) {
    ChangeOXAModuleGlobalCode("CORBA::Long a;");
    std::string report;
    EXPECT_EQ(validate(true, report, 1), -1);
    EXPECT_EQ(report, "untouched");
    EXPECT_EQ(validate(true, report, -1), -1);
    EXPECT_EQ(report, "untouched");
    EXPECT_EQ(globalCode(), "CORBA::Long a;");
}

TEST(VerificationExportsWithoutModule, ErrorRetrievingPublicDefinitions) {
    DeleteCurrentOXAModule();
    char buf[64];
    for (int generator : {0, 1}) {
        std::strcpy(buf, "untouched");
        EXPECT_EQ(GeneratorValidate(generator, 1, buf, sizeof buf), -1);
        EXPECT_STREQ(buf, "Error retrieving public definitions!");
    }
    EXPECT_EQ(GeneratorValidate(0, 1, nullptr, 10), -1);
}

TEST_F(VerificationExports, ReportIsCutToTheBuffer) {
    ChangeOXAModuleStartupCode("CORBA::Long a;");
    char buf[11];
    EXPECT_EQ(GeneratorValidate(0, 1, buf, sizeof buf), 2);
    EXPECT_STREQ(buf, "\n\n-Results");
    EXPECT_EQ(GeneratorValidate(0, 1, nullptr, 0), 1);
}
