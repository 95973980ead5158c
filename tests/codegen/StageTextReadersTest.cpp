#include <gtest/gtest.h>

#include <string>

#include "codegen/ServiceParameters.h"
#include "codegen/SkeletonHeaderReader.h"

using namespace orven::codegen;

TEST(StageParameterList, BuildsInAndOutParametersWithAFinalComma) {
    struct Case {
        std::string input;
        std::string output;
        std::string expected;
    };
    const Case cases[] = {
        {"long a", "long b", "in long a, out long b,"},
        {"", "", ""},
        {"long a\nstring s\n", "", "in long a, in string s,"},
        {"", "double d", "out double d,"},
        // Blank and whitespace-only lines give no parameter and no separator.
        {"\n  \n\t\nlong a\n \t \n", " \n", "in long a,"},
        {" \t ", "\t", ""},
        // Control bytes and bytes of 128 or more become blanks, then trimmed.
        {"\tlong\ta\r", std::string("short\x01") + "b\xE9", "in long a, out short b,"},
        {"\r", "", ""},
        {"  long   a  ", "", "in long   a,"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(serviceParameterList(c.input, c.output), c.expected)
            << "[" << c.input << "] [" << c.output << "]";
    }
}

TEST(StageParameterList, OneDefinitionTextAlone) {
    EXPECT_EQ(definitionParameters("a\nb\n\nc", "in"), "in a, in b, in c");
    EXPECT_EQ(definitionParameters("", "out"), "");
}

namespace {
const std::string kHeader =
    "class POA_ORVEN_Arm {\n"
    "  virtual void Ping ( CORBA::Long x ) throw (( CORBA::SystemException )) = 0;\n"
    "  virtual void Stop (\n"
    "    ) throw ((\n"
    "    CORBA::SystemException\n"
    "  )) = 0;\n"
    "  virtual CORBA::Long Count ( const char * origin, CORBA::Long_out n ) throw ();\n"
    "  virtual void Broken (CORBA::Long x\n"
    "};\n";
}

TEST(StageSkeletonHeader, MethodArgumentsAreTheTrimmedParameterList) {
    struct Case {
        std::string method;
        std::string expected;
    };
    const std::string notFound =
        " /* Parameters not found in IDL file compilation. Consult OXA_ArmS.h file */ ";
    const Case cases[] = {
        {"Ping", "CORBA::Long x"},
        {"Stop", ""},
        {"Count", "const char * origin, CORBA::Long_out n"},
        {"Missing", notFound},
        {"Broken", notFound},  // no ")" after the "("
        {"Pin", notFound},     // only whole names followed by " (" count
    };
    for (const Case& c : cases)
        EXPECT_EQ(methodArguments(kHeader, "OXA_ArmS", c.method), c.expected) << c.method;
}

TEST(StageSkeletonHeader, ExceptionRaisingListDropsThePureVirtualMarker) {
    struct Case {
        std::string method;
        std::string expected;
    };
    const std::string notFound =
        " /* Exception raising list not found in IDL file compilation. Consult OXA_ArmS.h file "
        "*/ ";
    const Case cases[] = {
        {"Ping", "throw (( CORBA::SystemException ));"},
        {"Stop", "throw ((\n    CORBA::SystemException\n  ));"},
        {"Count", "throw ();"},
        {"Missing", notFound},
    };
    for (const Case& c : cases)
        EXPECT_EQ(methodExceptions(kHeader, "OXA_ArmS", c.method), c.expected) << c.method;
    EXPECT_EQ(methodExceptions("x Open (int) ", "S", "Open"),
              " /* Exception raising list not found in IDL file compilation. Consult S.h file */ ");
    // A "0" without an "=" before it is kept.
    EXPECT_EQ(methodExceptions(" f () throw (E0);", "S", "f"), "throw (E0);");
}

TEST(StageSkeletonHeader, AnEmptyHeaderMeansTheIdlWasNotCompiled) {
    EXPECT_EQ(methodArguments("", "OXA_ArmS", "Ping"),
              " /* IDL file not compiled. Consult the OXA_ArmS.h file for knowing the CORBA "
              "parameters of this method */ ");
    EXPECT_EQ(methodExceptions("", "OXA_ArmS", "Ping"),
              " /* IDL file not compiled. Consult the OXA_ArmS.h file for knowing the CORBA "
              "exception raising list of this method */ ");
}

TEST(StageSkeletonHeader, TheIndexFindsWhatASearchFinds) {
    const std::string headers[] = {
        kHeader,
        " Ping (a) x::Ping (b) Ping (c) ;  Ping (d);",
        "x  (y) ;\tPing (z);\n Ping  (w);",
        "virtual void Ping(int);",
        " Ping (",
        "",
        " 9x (a); _y_ (b); a-b (c);",
    };
    const std::string methods[] = {"Ping", "Stop", "Count", "",  "x",
                                   "9x",   "_y_",  "a-b",   "b", "Pin"};
    for (const std::string& h : headers) {
        SkeletonHeaderIndex index(h);
        for (const std::string& m : methods) {
            EXPECT_EQ(index.find(m), h.find(" " + m + " (")) << "[" << h << "] " << m;
            EXPECT_EQ(methodArguments(index, "S", m), methodArguments(h, "S", m))
                << "[" << h << "] " << m;
            EXPECT_EQ(methodExceptions(index, "S", m), methodExceptions(h, "S", m))
                << "[" << h << "] " << m;
        }
    }
}
