// The code assistant scripts (data/quenoratoms/CPP and JAVA) and the atom
// library of the C++ generator, read as text.
#include <gtest/gtest.h>

#include <map>
#include <regex>
#include <string>
#include <vector>

#include "TestSupport.h"

namespace {

struct Zone {
    std::vector<std::string> declared;  // macro names after the zone name
    std::string body;
};

// Zones of a script: "#TPX-ZONE(name,a,b)#body#TPX-ENDZONE(name)#".
std::map<std::string, Zone> readZones(const std::string& path) {
    std::string text = orven::test::readFile(path);
    std::map<std::string, Zone> zones;
    const std::string open = "#TPX-ZONE(";
    size_t at = 0;
    while ((at = text.find(open, at)) != std::string::npos) {
        size_t close = text.find(")#", at);
        if (close == std::string::npos)
            break;
        std::string args = text.substr(at + open.size(), close - at - open.size());
        std::vector<std::string> parts;
        size_t b = 0, c;
        while ((c = args.find(',', b)) != std::string::npos) {
            parts.push_back(args.substr(b, c - b));
            b = c + 1;
        }
        parts.push_back(args.substr(b));
        std::string end = "#TPX-ENDZONE(" + parts[0] + ")#";
        size_t bodyStart = close + 2;
        size_t e = text.find(end, bodyStart);
        if (e == std::string::npos)
            break;
        Zone z;
        z.declared.assign(parts.begin() + 1, parts.end());
        z.body = text.substr(bodyStart, e - bodyStart);
        EXPECT_EQ(zones.count(parts[0]), 0u) << "zone defined twice: " << parts[0];
        zones[parts[0]] = z;
        at = e + end.size();
    }
    return zones;
}

std::string dataPath(const std::string& rel) {
    return orven::test::sourceDir() + "/data/" + rel;
}

// The atoms of the assistant menu: the number of values the designer passes
// (-1: the menu entry has no command) and whether the C++ target has them.
struct Atom {
    const char* name;
    int values;
    bool implemented;
    const char* applicability;  // nullptr: everywhere
};

const Atom kAtoms[] = {
    {"request-synchronous&blocking", 11, true, nullptr},
    {"request-dynamic&blocking", 23, false, nullptr},
    {"request-asynchronous&nonblocking", -1, false, nullptr},
    {"waitreply-asynchronous&nonblocking", -1, false, nullptr},
    {"getserviceinfo", -1, false, nullptr},
    {"blockrequests", -1, false, nullptr},
    {"cleanpendantrequests", -1, false, nullptr},
    {"terminateservice", 2, true, "---RBN-"},
    {"criticalzonecreate", 3, true, nullptr},
    {"criticalzonedestroy", 2, true, nullptr},
    {"criticalzoneenter", 3, true, nullptr},
    {"criticalzoneleave", 3, true, nullptr},
    {"numberofcriticalzones", 2, true, nullptr},
    {"set-timeoutcommunications", -1, true, nullptr},
    {"get-timeoutcommunications", -1, true, nullptr},
    {"rt-suspend", 4, true, nullptr},
    {"get-currenttime", 3, true, nullptr},
    {"difftimes", 7, true, nullptr},
    {"get-timestamp", 3, true, nullptr},
    {"set-beta-handler", -1, false, nullptr},
    {"remove-beta-handler", -1, false, nullptr},
    {"send-beta-event", 4, true, nullptr},
    {"wait-beta-event", -1, false, "SE-RBNX"},
    {"get-event-origin", 3, true, "----BN-"},
    {"send-notification", 3, true, nullptr},
    {"request-module-info", -1, false, nullptr},
    {"get-application-info", -1, false, nullptr},
    {"check-disconnection", 2, true, nullptr},
    {"return-server-routine", 1, true, "---RBN-"},
    {"output-text", 3, true, nullptr},
    {"read-commandlineargument", 4, true, nullptr},
    {"shutdown-module", 2, true, "SE-RBNX"},
    {"disable-menu", 2, false, nullptr},
    {"enable-menu", 2, false, nullptr},
    {"activate-local-channel", 4, true, nullptr},
    {"deactivate-local-channel", 3, true, nullptr},
    {"send-message-local-channel", 6, true, nullptr},
    {"receive-message-local-channel", 10, true, nullptr},
    {"user-log", 2, true, nullptr},
};

TEST(AssistantScripts, EveryAtomHasAZoneWithApplicabilityAndItsParameters) {
    ASSERT_EQ(sizeof kAtoms / sizeof kAtoms[0], 39u);
    for (const char* script :
         {"quenoratoms/CPP/quenoratoms.tpx", "quenoratoms/JAVA/quenoratoms.tpx"}) {
        std::map<std::string, Zone> zones = readZones(dataPath(script));
        EXPECT_EQ(zones.size(), 39u) << script;
        for (const Atom& a : kAtoms) {
            SCOPED_TRACE(std::string(script) + ": " + a.name);
            auto it = zones.find(a.name);
            ASSERT_NE(it, zones.end());
            const Zone& z = it->second;
            ASSERT_FALSE(z.declared.empty());
            const std::string& app = z.declared[0];
            ASSERT_EQ(app.size(), 8u);
            EXPECT_EQ(app[0], '_');
            const std::string letters = "SEORBNX";
            for (size_t i = 0; i < 7; ++i)
                EXPECT_TRUE(app[i + 1] == letters[i] || app[i + 1] == '-') << app;
            EXPECT_EQ(app.substr(1), a.applicability ? a.applicability : "SEORBNX");
            // Names the user is asked for: all but the applicability name.
            int asked = 0;
            for (size_t i = 1; i < z.declared.size(); ++i) {
                EXPECT_FALSE(z.declared[i].empty());
                EXPECT_NE(z.declared[i][0], '_');
                ++asked;
            }
            if (a.values >= 0) {
                EXPECT_EQ(asked, a.values);
            }
            EXPECT_EQ(z.declared.back(), "comment");
        }
    }
}

TEST(AssistantScripts, CppAtomsAreInclusionsOfTheAtomLibrary) {
    std::map<std::string, Zone> cpp = readZones(dataPath("quenoratoms/CPP/quenoratoms.tpx"));
    std::map<std::string, Zone> lib =
        readZones(dataPath("codegeneration/WindowsACE51TAO11CPP/quenoratoms.tpx"));
    EXPECT_EQ(lib.size(), 39u);
    for (const Atom& a : kAtoms) {
        SCOPED_TRACE(a.name);
        const Zone& z = cpp[a.name];
        auto l = lib.find(a.name);
        ASSERT_NE(l, lib.end());
        // The library takes the same parameters, without the applicability name.
        std::vector<std::string> asked(z.declared.begin() + 1, z.declared.end());
        EXPECT_EQ(l->second.declared, asked);
        if (!a.implemented) {
            EXPECT_EQ(z.body, "<Not implemented>");
            EXPECT_NE(l->second.body.find("#error"), std::string::npos);
            continue;
        }
        std::string expected = "#TPX-LIT##TPX-INCLUDE(" + std::string(a.name) + ",#TPX-ENDLIT#";
        for (size_t i = 0; i < asked.size(); ++i)
            expected += (i ? ",'" : "'") + std::string("#TPX-MACRO(") + asked[i] + ",)#'";
        expected += ")#";
        EXPECT_EQ(z.body, expected);
        EXPECT_EQ(l->second.body.find("#error"), std::string::npos);
    }
}

TEST(AssistantScripts, JavaAtomsAreJavaOrNotImplemented) {
    std::map<std::string, Zone> java = readZones(dataPath("quenoratoms/JAVA/quenoratoms.tpx"));
    int implemented = 0;
    for (const auto& [name, z] : java) {
        SCOPED_TRACE(name);
        if (z.body == "<Not implemented>")
            continue;
        ++implemented;
        EXPECT_EQ(z.body.find("#TPX-INCLUDE"), std::string::npos);
        EXPECT_EQ(z.body.find("ORVEN::"), std::string::npos);  // no C++ run time
        EXPECT_EQ(z.body.find("std::"), std::string::npos);
    }
    EXPECT_GE(implemented, 5);
    EXPECT_NE(java["rt-suspend"].body.find("Thread.sleep"), std::string::npos);
}

}  // namespace
