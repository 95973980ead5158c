// The IDL compiler stand-in "tao_idl" (tools/tao_idl) on sample files.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <regex>
#include <string>

#include "TestSupport.h"

namespace {

using orven::test::fileExists;
using orven::test::readFile;
using orven::test::TempDir;
using orven::test::writeFile;

std::string taoIdl() {
    return orven::test::binaryDir() + "/tools/bin/tao_idl";
}

// Runs a command line in dir; its exit code, stderr in err.
int runIn(const std::string& dir, const std::string& command, std::string& err) {
    std::string line = "cd '" + dir + "' && " + command + " 2> tao_idl_err.txt";
    int status = std::system(line.c_str());
    err = readFile(dir + "/tao_idl_err.txt");
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// The global IDL of the generated modules, as the code macro scripts give it.
std::string globalIdl() {
    std::string scripts = readFile(orven::test::sourceDir() +
                                   "/data/codegeneration/WindowsACE51TAO11CPP/scripts.tpx");
    const std::string open = "#TPX-ZONE(ORVEN_IDL_FILE)#";
    size_t b = scripts.find(open);
    size_t e = scripts.find("#TPX-ENDZONE(ORVEN_IDL_FILE)#");
    if (b == std::string::npos || e == std::string::npos)
        return std::string();
    std::string body = scripts.substr(b + open.size(), e - b - open.size());
    return std::regex_replace(body, std::regex("#TPX-MACRO\\(([^,)]*),([^)]*)\\)#"), "$2");
}

// The two readers the implementation stage applies to the skeleton header.
std::string methodArguments(const std::string& header, const std::string& m) {
    size_t at = header.find(" " + m + " (");
    if (at == std::string::npos)
        return "<not found>";
    size_t open = header.find('(', at);
    size_t close = header.find(')', open);
    std::string t = header.substr(open + 1, close - open - 1);
    size_t first = t.find_first_not_of(" \t\n");
    size_t last = t.find_last_not_of(" \t\n");
    return first == std::string::npos ? "" : t.substr(first, last - first + 1);
}

std::string methodExceptions(const std::string& header, const std::string& m) {
    size_t at = header.find(" " + m + " (");
    if (at == std::string::npos)
        return "<not found>";
    size_t close = header.find(')', at);
    size_t semi = header.find(';', close);
    std::string t = header.substr(close + 1, semi - close - 1);
    size_t zero = t.rfind('0');
    if (zero != std::string::npos) {
        size_t eq = t.rfind('=', zero);
        if (eq != std::string::npos)
            t = t.substr(0, eq);
    }
    size_t first = t.find_first_not_of(" \t\n");
    size_t last = t.find_last_not_of(" \t\n");
    return (first == std::string::npos ? "" : t.substr(first, last - first + 1)) + ";";
}

const char* kArmIdl = R"(#include "orven.idl"
module ORVEN {
	module Arm {
		typedef sequence<long> Positions;
		const long Moved = 102;
		interface OXA_Arm : ORVEN::OxaModule {
			void Move(in long x, in Positions p, out long total, inout string label, in ORVEN::EnteringInfo orveninfo);
			void Watch(/* not callable */ in ORVEN::EnteringInfo orveninfo);
			void OnReady(in string origin, in ORVEN::EnteringInfo orveninfo);
		};
	};
};
)";

TEST(TaoIdl, WritesClientAndSkeletonFilesWithReadableDeclarations) {
    TempDir dir;
    std::string orven = globalIdl();
    ASSERT_FALSE(orven.empty());
    writeFile(dir.file("orven.idl"), orven);
    writeFile(dir.file("OXA_Arm.idl"), kArmIdl);
    std::string err;
    ASSERT_EQ(runIn(dir.path(), taoIdl() + " OXA_Arm.idl", err), 0) << err;
    for (const char* f : {"OXA_ArmC.h", "OXA_ArmC.cpp", "OXA_ArmS.h", "OXA_ArmS.cpp", "orvenC.h",
                          "orvenC.cpp", "orvenS.h", "orvenS.cpp"})
        EXPECT_TRUE(fileExists(dir.file(f))) << f;

    std::string s = readFile(dir.file("OXA_ArmS.h"));
    EXPECT_NE(s.find("#include \"OXA_ArmC.h\""), std::string::npos);
    EXPECT_NE(s.find("// Skeleton: POA_ORVEN::Arm::OXA_Arm"), std::string::npos);
    struct Case {
        const char* method;
        const char* arguments;
    };
    const Case cases[] = {
        {"Move",
         "::CORBA::Long x, const ::ORVEN::Arm::Positions& p, ::CORBA::Long& total, char*& label, "
         "const ::ORVEN::EnteringInfo& orveninfo"},
        {"Watch", "const ::ORVEN::EnteringInfo& orveninfo"},
        {"OnReady", "const char* origin, const ::ORVEN::EnteringInfo& orveninfo"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(methodArguments(s, c.method), c.arguments) << c.method;
        EXPECT_EQ(methodExceptions(s, c.method), ";") << c.method;
    }
    // One declaration per operation of the module's interface, nothing of the base.
    EXPECT_EQ(s.find("orven_subscribe"), std::string::npos);
    std::string o = readFile(dir.file("orvenS.h"));
    EXPECT_NE(o.find("virtual void orven_deliver ( const char* origin, ::CORBA::Long eventcode, "
                     "const ::ORVEN::EnteringInfo& info ) = 0;"),
              std::string::npos)
        << o;
    // Other modules include the client header under this name.
    EXPECT_NE(readFile(dir.file("OXA_ArmC.h")).find("#include \"orvenC.h\""), std::string::npos);

    // The skeleton headers are valid C++ for the ORB's headers, also where
    // the mapping leaves type names unqualified (ModuleInfo of orven.idl).
    ASSERT_EQ(runIn(dir.path(), "g++ -fsyntax-only -I. OXA_ArmS.cpp", err), 0) << err;
    ASSERT_EQ(runIn(dir.path(), "g++ -fsyntax-only -I. orvenS.cpp", err), 0) << err;
}

TEST(TaoIdl, BadIdlGivesDiagnosticsAndFailure) {
    TempDir dir;
    struct Case {
        const char* text;
        const char* diagnostic;
    };
    const Case cases[] = {
        {"module M {\n  interface I { void f(in lng a); };\n};\n", "tao_idl: \"bad.idl\", line 2:"},
        {"module M {\n  interface I { void f(in long a) };\n};\n", "tao_idl: \"bad.idl\", line 2:"},
        {"module M {\n  module M2 { interface M2 { }; };\n};\n", "tao_idl: \"bad.idl\", line 2:"},
        {"#include \"missing.idl\"\nmodule M { };\n", "bad.idl"},
    };
    for (const Case& c : cases) {
        writeFile(dir.file("bad.idl"), c.text);
        std::string err;
        EXPECT_NE(runIn(dir.path(), taoIdl() + " bad.idl", err), 0) << c.text;
        EXPECT_NE(err.find(c.diagnostic), std::string::npos) << c.text << "\n" << err;
        EXPECT_FALSE(fileExists(dir.file("badS.h"))) << c.text;
    }
}

TEST(TaoIdl, CommandLineMistakes) {
    TempDir dir;
    std::string err;
    EXPECT_EQ(runIn(dir.path(), taoIdl(), err), 3);
    EXPECT_NE(err.find("usage"), std::string::npos);
    EXPECT_EQ(runIn(dir.path(), taoIdl() + " -I", err), 3);
    EXPECT_EQ(runIn(dir.path(), taoIdl() + " absent.idl", err), 1);
    EXPECT_NE(err.find("tao_idl: \"absent.idl\""), std::string::npos) << err;
    // omniidl that cannot be run
    writeFile(dir.file("ok.idl"), "module M { };\n");
    EXPECT_EQ(runIn(dir.path(), "ORVEN_OMNIIDL=/nonexistent/omniidl " + taoIdl() + " ok.idl", err),
              2);
    EXPECT_NE(err.find("cannot run"), std::string::npos) << err;
}

}  // namespace
