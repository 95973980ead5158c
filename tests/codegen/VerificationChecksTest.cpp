// The verification checks as functions on one text: findings, positions,
// repairs, markers and results.
#include <gtest/gtest.h>

#include <string>

#include "codegen/Verification.h"

using namespace orven::codegen;

namespace {

const std::string kRules = std::string("Quenor spe") + "cification";

std::string corbaLine(std::size_t pos, bool fixed) {
    return "\t-Found the construction 'CORBA::' inside codification (at position " +
           std::to_string(pos) + "), which is non-portable " +
           (fixed ? "(fixed)." : "(NOT FIXED).") + "\n";
}

std::string stringLine(std::size_t pos, bool fixed) {
    return "\t-Found a ODL string manipulation function without the qualifier (at position " +
           std::to_string(pos) + "), which is non-portable " +
           (fixed ? "(fixed)." : "(NOT FIXED).") + "\n";
}

std::string termLine(std::size_t pos, const std::string& status) {
    return "\t-Found an incorrect or undesirable term (at position " + std::to_string(pos) +
           ") which compromises " + kRules + " (" + status + ").\n";
}

const std::string kMarker = " /*- *** WHAT FOLLOWS IS INCORRECT IN QUENOR *** -*/ ";

}  // namespace

TEST(VerificationChecks, CombineRule) {
    struct Case {
        int acc, next, expected;
    };
    const Case cases[] = {
        {0, 1, 0},   {0, 2, 0},   {0, -1, 0},  {0, 0, 0},    // 0 stays
        {1, 1, 1},   {1, 2, 2},   {1, 0, 0},   {1, -1, -1},  // 1 takes the next
        {2, 1, 2},   {2, 2, 2},   {2, 0, 0},   {2, -1, -1},  // 2 survives 1 and 2
        {-1, 1, -1}, {-1, 2, -1}, {-1, 0, -1}, {7, 1, -1},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(combineResults(c.acc, c.next), c.expected) << c.acc << " with " << c.next;
    }
}

TEST(VerificationChecks, WarningMarkerIs53BytesEndingInTheMarkedTail) {
    EXPECT_EQ(kWarningMarker.size(), 53u);
    EXPECT_EQ(std::string(kWarningMarker), kMarker);
}

TEST(VerificationChecks, PublicDefinitionsUnion) {
    std::string report = "untouched";
    EXPECT_EQ(checkPublicDefinitions("struct A { long x; };", report), 1);
    EXPECT_EQ(report, "untouched");
    EXPECT_EQ(checkPublicDefinitions("// a reunion of types\nstruct A {};", report), 0);
    EXPECT_EQ(report,
              "-Found the use of 'union' ODL type in the public definitions, which is "
              "deprecated.");
    report.clear();
    EXPECT_EQ(checkPublicDefinitions("UNION U", report), 1);  // case-sensitive
    EXPECT_EQ(report, "");
}

TEST(VerificationChecks, CorbaConstruction) {
    struct Case {
        const char* text;
        bool fix;
        const char* after;
        int result;
        std::string findings;
    };
    const Case cases[] = {
        {"x = CORBA::ORB_init(a, b);", true, "x = ORVEN::ORB_init(a, b);", 2, corbaLine(4, true)},
        {"x = CORBA::ORB_init(a, b);", false, "x = CORBA::ORB_init(a, b);", 0, corbaLine(4, false)},
        {"CORBA::Long a; CORBA::Long b;", true, "ORVEN::Long a; ORVEN::Long b;", 2,
         corbaLine(0, true) + corbaLine(15, true)},
        {"CORBA::CORBA::", true, "ORVEN::ORVEN::", 2, corbaLine(0, true) + corbaLine(7, true)},
        {"CORBA: CORBA :: corba::", true, "CORBA: CORBA :: corba::", 1, ""},
        {"", true, "", 1, ""},
    };
    for (const Case& c : cases) {
        std::string text = c.text;
        std::string findings;
        EXPECT_EQ(checkCorbaConstruction(text, c.fix, findings), c.result) << c.text;
        EXPECT_EQ(text, c.after) << c.text;
        EXPECT_EQ(findings, c.findings) << c.text;
    }
}

TEST(VerificationChecks, StringFunctions) {
    struct Case {
        const char* text;
        bool fix;
        const char* after;
        int result;
        std::string findings;
    };
    const Case cases[] = {
        // At the start: the repaired call is reported at its new position 7.
        {"string_free(p)", true, "ORVEN::string_free(p)", 2, stringLine(7, true)},
        {"string_free(p)", false, "string_free(p)", 0, stringLine(0, false)},
        // Before position 7 the qualifier is not looked at.
        {"X::string_free(p)", true, "X::ORVEN::string_free(p)", 2, stringLine(10, true)},
        {"X::string_free(p)", false, "X::string_free(p)", 0, stringLine(3, false)},
        // From position 7 on any qualifier ending in "::" is accepted.
        {"s = CORBA::string_dup(t);", true, "s = CORBA::string_dup(t);", 1, ""},
        {"abcdefg::string_alloc(3)", true, "abcdefg::string_alloc(3)", 1, ""},
        {"abcd : string_alloc(3)", false, "abcd : string_alloc(3)", 0, stringLine(7, false)},
        // Three functions, earliest first, each with its own position.
        {"a=string_alloc(1); string_dup(a); string_free(a);", true,
         "a=ORVEN::string_alloc(1); ORVEN::string_dup(a); ORVEN::string_free(a);", 2,
         stringLine(9, true) + stringLine(33, true) + stringLine(55, true)},
        {"a=string_alloc(1); string_dup(a); string_free(a);", false,
         "a=string_alloc(1); string_dup(a); string_free(a);", 0,
         stringLine(2, false) + stringLine(19, false) + stringLine(34, false)},
        {"string_dup (x); my_string_free(y)", false, "string_dup (x); my_string_free(y)", 0,
         stringLine(19, false)},
        {"", true, "", 1, ""},
    };
    for (const Case& c : cases) {
        std::string text = c.text;
        std::string findings;
        EXPECT_EQ(checkStringFunctions(text, c.fix, findings), c.result) << c.text;
        EXPECT_EQ(text, c.after) << c.text;
        EXPECT_EQ(findings, c.findings) << c.text;
    }
}

TEST(VerificationChecks, CorbaRepairQualifiesAStringFunction) {
    std::string text = "CORBA::string_dup(s)";
    std::string findings;
    int r1 = checkCorbaConstruction(text, true, findings);
    int r2 = checkStringFunctions(text, true, findings);
    EXPECT_EQ(r1, 2);
    EXPECT_EQ(r2, 1);
    EXPECT_EQ(text, "ORVEN::string_dup(s)");
    EXPECT_EQ(findings, corbaLine(0, true));
}

TEST(VerificationChecks, UndesirableTerms) {
    struct Case {
        std::string text;
        int kind;
        bool fix;
        std::string after;
        int result;
        std::string findings;
    };
    const Case cases[] = {
        {"return 0;", kKindServerCode, true, kMarker + "return 0;", 0, termLine(53, "INDICATED")},
        {"return 0;", kKindServerCode, false, "return 0;", 0, termLine(0, "NOT FIXED")},
        // No term applies to the global code.
        {"#include <x.h>\nreturn 0;", kKindGlobalCode, true, "#include <x.h>\nreturn 0;", 1, ""},
        {"#include <x.h>\n", kKindGlobalData, true, kMarker + "#include <x.h>\n", 0,
         termLine(53, "INDICATED")},
        {"#include <x.h>\n", kKindStartup, false, "#include <x.h>\n", 0, termLine(0, "NOT FIXED")},
        {"#include <x.h>\n", kKindEnding, false, "#include <x.h>\n", 0, termLine(0, "NOT FIXED")},
        // Return forms.
        {"return;", kKindServerCode, true, "return;", 1, ""},
        {"returned", kKindServerCode, true, "returned", 1, ""},
        {"return(x);", kKindServerCode, false, "return(x);", 0, termLine(0, "NOT FIXED")},
        {"return x;", kKindServerCode, false, "return x;", 0, termLine(0, "NOT FIXED")},
        // Earliest term first; every marker shifts the later positions.
        {"a; return(1); return 2; #include", kKindServerCode, true,
         "a; " + kMarker + "return(1); " + kMarker + "return 2; " + kMarker + "#include", 0,
         termLine(56, "INDICATED") + termLine(120, "INDICATED") + termLine(183, "INDICATED")},
        // An already marked term is reported again, not marked twice.
        {kMarker + "return 0;", kKindServerCode, true, kMarker + "return 0;", 0,
         termLine(53, "NOT FIXED")},
        // The marked tail must stand right before the term.
        {"x -*/ return 1;", kKindServerCode, true, "x -*/ return 1;", 0, termLine(6, "NOT FIXED")},
        {"x-*/ return 1;", kKindServerCode, true, "x-*/ " + kMarker + "return 1;", 0,
         termLine(58, "INDICATED")},
        {" -*/ return 1;", kKindServerCode, true, " -*/ " + kMarker + "return 1;", 0,
         termLine(58, "INDICATED")},  // before position 6 the tail is not looked at
        {"", kKindServerCode, true, "", 1, ""},
    };
    for (const Case& c : cases) {
        std::string text = c.text;
        std::string findings;
        EXPECT_EQ(checkUndesirableTerms(text, c.kind, c.fix, findings), c.result) << c.text;
        EXPECT_EQ(text, c.after) << c.text;
        EXPECT_EQ(findings, c.findings) << c.text;
    }
}

TEST(VerificationChecks, MarkingTwiceInsertsOneMarker) {
    std::string text = "int a;\nreturn x;\n";
    std::string first, second;
    EXPECT_EQ(checkUndesirableTerms(text, kKindServerCode, true, first), 0);
    std::string marked = text;
    EXPECT_EQ(checkUndesirableTerms(text, kKindServerCode, true, second), 0);
    EXPECT_EQ(text, marked);
    EXPECT_EQ(first, termLine(7 + 53, "INDICATED"));
    EXPECT_EQ(second, termLine(7 + 53, "NOT FIXED"));
}

TEST(VerificationChecks, ManyFindingsStayLinear) {
    // A large text full of findings: the repairs must not rescan or move the
    // whole text for every finding.
    std::string text;
    for (int i = 0; i < 50000; ++i)
        text += "return CORBA::string_dup(x);\n";
    text += "#include";
    std::string findings;
    EXPECT_EQ(checkCorbaConstruction(text, true, findings), 2);
    EXPECT_EQ(checkStringFunctions(text, true, findings), 1);
    EXPECT_EQ(checkUndesirableTerms(text, kKindServerCode, true, findings), 0);
    EXPECT_EQ(text.size(), 50000u * (29 + 53) + 53 + 8);
    EXPECT_EQ(text.substr(0, 53 + 7), kMarker + "return ");
    EXPECT_EQ(text.substr(text.size() - 8), "#include");
}

TEST(Verifier, HeadingsFindingsAndResult) {
    Verifier v(true);
    std::string global = "x = CORBA::ORB_init(a, b);";
    std::string data = "int a;";
    std::string server = "return 0;";
    EXPECT_TRUE(v.checkSection(Verifier::moduleSectionHeading("Auxiliary Logic", true),
                               kKindGlobalCode, global));
    EXPECT_FALSE(v.checkSection(Verifier::moduleSectionHeading("Internal Status", false),
                                kKindGlobalData, data));
    EXPECT_TRUE(v.checkSection(Verifier::serviceHeading("Get", "Main"), kKindServerCode, server));
    EXPECT_EQ(v.result(), 0);
    EXPECT_EQ(v.report(), "-Results of checking Auxiliary Logic:\n\n" + corbaLine(4, true) +
                              "\n\n-Results of checking Service 'Get' of group 'Main':\n\n" +
                              termLine(53, "INDICATED"));
    EXPECT_EQ(global, "x = ORVEN::ORB_init(a, b);");
    EXPECT_EQ(server, kMarker + "return 0;");
}

TEST(Verifier, FailureAppendsTheErrorAndSticks) {
    Verifier v(true);
    std::string startup = "CORBA::Long a;";
    v.checkSection(Verifier::moduleSectionHeading("Startup Logic", false), kKindStartup, startup);
    EXPECT_EQ(v.result(), 2);
    v.fail();
    EXPECT_EQ(v.result(), -1);
    EXPECT_EQ(v.report(), "\n\n-Results of checking Startup Logic:\n\n" + corbaLine(0, true) +
                              "-ERROR in checking!");
}
