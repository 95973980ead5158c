// Expansion cases kept as files: one folder per case under cases/, holding
//   script.tpx    the script
//   case.txt      tab-separated lines: "zone NAME", "indent COUNT CHAR",
//                 "macro NAME VALUE", "rep ZONE AREA MACRO INDEX VALUE",
//                 "result ok|fail" (in values, \n and \t stand for a line
//                 feed and a tab)
//   expected.txt  the exact expanded text
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "TestSupport.h"
#include "macroscript/MacroScript.h"
#include "platform/Platform.h"

using namespace orven::macroscript;

namespace {

std::string casesDir() {
    return orven::test::sourceDir() + "/tests/macroscript/cases";
}

std::string unescape(const std::string& s) {
    std::string out;
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '\\' && i + 1 < s.size() && (s[i + 1] == 'n' || s[i + 1] == 't')) {
            out.push_back(s[i + 1] == 'n' ? '\n' : '\t');
            ++i;
        } else {
            out.push_back(s[i]);
        }
    }
    return out;
}

std::vector<std::string> fields(const std::string& line) {
    std::vector<std::string> out;
    std::stringstream in(line);
    std::string f;
    while (std::getline(in, f, '\t'))
        out.push_back(unescape(f));
    if (!line.empty() && line.back() == '\t')
        out.emplace_back();
    return out;
}

std::vector<std::string> caseNames() {
    std::vector<std::string> names;
    orven::platform::listDirectory(casesDir(), names);
    std::sort(names.begin(), names.end());
    return names;
}

class GoldenCase : public testing::TestWithParam<std::string> {};

}  // namespace

TEST_P(GoldenCase, ExpandsAsExpected) {
    const std::string dir = casesDir() + "/" + GetParam();
    std::unique_ptr<MacroScript> script = MacroScript::FromFile(dir + "/script.tpx");
    ASSERT_TRUE(script);
    std::string zone;
    int indent = 0;
    char indentChar = ' ';
    bool expectOk = true;
    std::stringstream caseFile(orven::test::readFile(dir + "/case.txt"));
    std::string line;
    while (std::getline(caseFile, line)) {
        std::vector<std::string> f = fields(line);
        if (f.empty() || f[0].empty() || f[0][0] == '#')
            continue;
        if (f[0] == "zone" && f.size() == 2) {
            zone = f[1];
        } else if (f[0] == "indent" && f.size() == 3 && !f[2].empty()) {
            indent = std::stoi(f[1]);
            indentChar = f[2][0];
        } else if (f[0] == "macro" && f.size() == 3) {
            ASSERT_TRUE(script->RegisterMacro(f[1], f[2])) << line;
        } else if (f[0] == "rep" && f.size() == 6) {
            script->RegisterRepetitionMacro(f[1], f[2], f[3],
                                            static_cast<unsigned>(std::stoul(f[4])), f[5]);
        } else if (f[0] == "result" && f.size() == 2) {
            expectOk = f[1] == "ok";
        } else {
            FAIL() << "bad line in case.txt: " << line;
        }
    }
    std::string text;
    EXPECT_EQ(script->ApplyZone(zone, text, indent, indentChar), expectOk);
    EXPECT_EQ(text, orven::test::readFile(dir + "/expected.txt"));
}

INSTANTIATE_TEST_SUITE_P(Cases, GoldenCase, testing::ValuesIn(caseNames()),
                         [](const testing::TestParamInfo<std::string>& info) {
                             std::string n = info.param;
                             for (char& c : n) {
                                 if (!std::isalnum(static_cast<unsigned char>(c)))
                                     c = '_';
                             }
                             return n;
                         });
