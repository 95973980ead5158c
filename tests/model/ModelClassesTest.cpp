// The model classes where the exports cannot reach them: the container
// rules, the value types and the setters used by the module-file reader.
#include <gtest/gtest.h>

#include <limits>
#include <memory>
#include <string>
#include <vector>

#include "model/Dependencies.h"
#include "model/OxaModule.h"
#include "model/TextRules.h"

using namespace orven::model;

namespace {
std::vector<std::string> groupNames(const OxaModule& m) {
    std::vector<std::string> names;
    for (const auto& [name, object] : m.included())
        names.push_back(name);
    return names;
}
}  // namespace

TEST(Container, OrdersNamesByBytes) {
    OxaModule m("M", "");
    for (const char* n : {"beta", "alpha", "Alpha", "abc", "ab", "\xe9t\xe9", "zeta", ""}) {
        ASSERT_NE(m.addGroup(n, ""), nullptr) << n;
    }
    // The byte 233 sorts after every ASCII letter (bytes compare unsigned).
    EXPECT_EQ(groupNames(m), (std::vector<std::string>{"", "Alpha", "ab", "abc", "alpha", "beta",
                                                       "zeta", "\xe9t\xe9"}));
    EXPECT_EQ(m.groupAt(1)->name(), "Alpha");
    EXPECT_EQ(m.groupAt(8), nullptr);
}

TEST(Container, IncludeExcludeAndLinks) {
    OxaModule m("M", "");
    GroupOfServices* g = m.addGroup("G", "first");
    ASSERT_NE(g, nullptr);
    EXPECT_EQ(g->link(), &m);
    EXPECT_EQ(g->module(), &m);
    EXPECT_EQ(m.addGroup("G", "second"), nullptr);
    EXPECT_EQ(m.findGroup("G")->description(), "first");

    // A module holds groups only; a group holds services only.
    EXPECT_FALSE(m.include(std::make_unique<Service>("S", "")));
    EXPECT_FALSE(g->include(std::make_unique<GroupOfServices>("H", "")));
    EXPECT_FALSE(m.include(nullptr));

    std::unique_ptr<LinkedObject> out = m.exclude("G");
    ASSERT_NE(out, nullptr);
    EXPECT_EQ(out->link(), nullptr);
    EXPECT_EQ(m.groupCount(), 0u);
    EXPECT_EQ(m.exclude("G"), nullptr);
    EXPECT_TRUE(m.include(std::move(out)));
    EXPECT_EQ(m.findGroup("G"), g);
    EXPECT_EQ(g->link(), &m);
}

TEST(Container, RenameKeepsOrderAndRefusesTakenNames) {
    OxaModule m("M", "");
    GroupOfServices* a = m.addGroup("A", "a");
    m.addGroup("B", "b");
    EXPECT_FALSE(m.renameIncluded("A", "B"));
    EXPECT_FALSE(m.renameIncluded("missing", "C"));
    EXPECT_FALSE(m.renameIncluded("A", "x[1]"));
    EXPECT_FALSE(m.renameIncluded("A", "two\nlines"));
    EXPECT_EQ(groupNames(m), (std::vector<std::string>{"A", "B"}));
    EXPECT_TRUE(m.renameIncluded("A", "C"));
    EXPECT_EQ(groupNames(m), (std::vector<std::string>{"B", "C"}));
    EXPECT_EQ(m.findGroup("C"), a);
    EXPECT_EQ(a->name(), "C");
    EXPECT_TRUE(m.renameIncluded("C", "C"));
}

TEST(Container, NamesThatAFileCannotHoldAreRefused) {
    OxaModule m("M", "");
    for (const char* bad : {"a[", "]", "two\nlines", "cr\r"}) {
        EXPECT_EQ(m.addGroup(bad, ""), nullptr) << bad;
        EXPECT_FALSE(m.setName(bad)) << bad;
    }
    EXPECT_EQ(m.name(), "M");
    GroupOfServices* g = m.addGroup("G", "");
    EXPECT_EQ(g->addService("s\nt", ""), nullptr);
    // Free texts may hold line feeds.
    m.setDescription("line one\nline two");
    EXPECT_EQ(m.description(), "line one\nline two");
}

TEST(Container, FindServiceAcrossGroups) {
    OxaModule m("M", "");
    m.addGroup("G1", "")->addService("run", "1");
    m.addGroup("G2", "")->addService("run", "2");
    EXPECT_EQ(m.findService("G1", "run")->description(), "1");
    EXPECT_EQ(m.findService("G2", "run")->description(), "2");
    EXPECT_EQ(m.findService("G3", "run"), nullptr);
    EXPECT_EQ(m.findService("G1", "walk"), nullptr);
    EXPECT_EQ(m.findService("G1", "run")->link(), m.findGroup("G1"));
}

TEST(ModuleMembers, NewModule) {
    OxaModule m("M", "D", "externals");
    EXPECT_EQ(m.heading(), "OXA Module: ");
    EXPECT_EQ(m.typeTag(), "OXA");
    EXPECT_EQ(m.externalsDirectory(), "externals");
    EXPECT_EQ(m.temporaryGroupName(), "xtrnl");
    EXPECT_EQ(m.priority(), 0);
    EXPECT_EQ(m.lowestPriority(), 0);
    EXPECT_EQ(m.highestPriority(), 0);
    EXPECT_EQ(m.filePath(), "");
    EXPECT_EQ(m.generalInfo(), GeneralInfo{});
    EXPECT_TRUE(m.dependencies().empty());
    EXPECT_EQ(m.signalCount(), 0u);
    GroupOfServices g("G", "");
    EXPECT_EQ(g.heading(), "Group of Services: ");
    EXPECT_EQ(g.typeTag(), "SGr");
    Service s("S", "");
    EXPECT_EQ(s.heading(), "Service: ");
    EXPECT_EQ(s.typeTag(), "Srv");
}

TEST(ModuleMembers, FilePathUsesBackslashes) {
    OxaModule m("M", "");
    m.setFilePath("dir/sub\\file.oxa");
    EXPECT_EQ(m.filePath(), "dir\\sub\\file.oxa");
}

TEST(ModuleMembers, SectionsBySelector) {
    OxaModule m("M", "");
    const std::pair<int, const CodeSection*> expected[] = {
        {0, &m.preDefinitions()}, {2, &m.globalData()},     {3, &m.startupCode()},
        {4, &m.preEndingCode()},  {5, &m.postEndingCode()}, {6, &m.globalCode()},
    };
    for (const auto& [selector, section] : expected) {
        EXPECT_EQ(m.sectionBySelector(selector), section) << selector;
        EXPECT_EQ(&m.section(static_cast<ModuleSection>(selector)), section) << selector;
    }
    for (int bad : {-1, 1, 7, 1000})
        EXPECT_EQ(m.sectionBySelector(bad), nullptr) << bad;
    m.setSection(ModuleSection::StartupCode, CodeSection("n = 0;", TimeRestriction(0.5f, 2.0f)));
    EXPECT_EQ(m.startupCode().text(), "n = 0;");
    EXPECT_EQ(m.startupCode().timeRestriction().maximum(), 2.0f);
}

TEST(TimeRestrictionSetter, Rules) {
    struct Case {
        float min, max;
        bool accepted;
        float storedMin, storedMax;
    };
    const Case cases[] = {
        {-1, -1, true, -1, -1}, {0.5f, 2, true, 0.5f, 2},  {2, 1, false, -1, -1},
        {-5, 4, true, -1, -1},  {1, -3, true, 1, -1},      {0, 0, true, 0, 0},
        {3, 3, true, 3, 3},     {-0.5f, -7, true, -1, -1},
    };
    for (const Case& c : cases) {
        TimeRestriction r;
        EXPECT_EQ(r.set(c.min, c.max), c.accepted) << c.min << "," << c.max;
        EXPECT_EQ(r.minimum(), c.storedMin) << c.min << "," << c.max;
        EXPECT_EQ(r.maximum(), c.storedMax) << c.min << "," << c.max;
    }
    // A refusal leaves the old value.
    TimeRestriction r(1, 2);
    EXPECT_FALSE(r.set(5, 4));
    EXPECT_EQ(r, TimeRestriction(1, 2));
    // A NaN is no time.
    EXPECT_TRUE(r.set(std::numeric_limits<float>::quiet_NaN(), 1));
    EXPECT_EQ(r, TimeRestriction());
}

TEST(TimeRestrictionIncludes, Rules) {
    struct Case {
        float omin, omax, imin, imax;
        bool included;
    };
    const Case cases[] = {
        {-1, -1, -1, -1, true},  {-1, -1, 0.5f, 1, false}, {1, -1, 2, 3, true},
        {1, -1, 0.5f, 3, false}, {1, -1, -1, -1, true},    {1, 5, 2, -1, false},
        {1, 5, 2, 5, true},      {1, 5, 1, 6, false},      {1, 5, -1, -1, false},
        {1, 5, 0, 5, false},     {2, 1, -1, -1, true},  // a refused outer pair is unset
    };
    for (const Case& c : cases) {
        EXPECT_EQ(TimeRestriction(c.omin, c.omax).includes(TimeRestriction(c.imin, c.imax)),
                  c.included)
            << c.omin << "," << c.omax << " / " << c.imin << "," << c.imax;
    }
}

TEST(ServiceRules, Characteristics) {
    struct Case {
        int type;
        std::uint32_t flags;
        bool accepted;
        int priorityType;  // after the call
    };
    const Case cases[] = {
        {0, 0, true, 3},
        {0, kMonitor, true, 4},
        {0, kMonitor | kUnprioritized, true, 1},
        {0, kMonitor | kPrioritized, true, 2},
        {0, kUnprioritized, false, 3},
        {0, kPrioritized, false, 3},
        {0, kMonitor | kUnprioritized | kPrioritized, false, 3},
        {0, kReentrant | kPermanent | kModifier, true, 3},
        {1, kPermanent, false, 4},
        {1, kMonitor, false, 4},
        {1, kUnprioritized | kPrioritized, false, 4},
        {2, kUnprioritized, true, 1},
        {2, kPrioritized | kReentrant, true, 2},
        {1, kModifier, true, 4},
    };
    for (const Case& c : cases) {
        Service s("S", "");
        ASSERT_TRUE(s.setType(c.type));
        EXPECT_EQ(s.setCharacteristics(c.flags), c.accepted) << c.type << " " << c.flags;
        EXPECT_EQ(s.characteristics(), c.accepted ? c.flags : 0u) << c.type << " " << c.flags;
        EXPECT_EQ(s.priorityType(), c.priorityType) << c.type << " " << c.flags;
    }
}

TEST(ServiceRules, FlagsAreReplacedNotMerged) {
    Service s("S", "");
    ASSERT_TRUE(s.setCharacteristics(kMonitor | kUnprioritized));
    EXPECT_FALSE(s.setCharacteristics(kMonitor | kUnprioritized | kPrioritized));
    EXPECT_EQ(s.characteristics(), kMonitor | kUnprioritized);
    ASSERT_TRUE(s.setCharacteristics(kReentrant));
    EXPECT_EQ(s.characteristics(), kReentrant);
}

TEST(ServiceRules, TypeChangesKeepFlagsAndRefuseUnknownTypes) {
    Service s("S", "");
    ASSERT_TRUE(s.setCharacteristics(kMonitor | kPermanent));
    EXPECT_TRUE(s.setType(kBetaEventHandler));
    EXPECT_EQ(s.characteristics(), kMonitor | kPermanent);
    // A type the module file cannot hold.
    for (int bad : {-1, 3, 42})
        EXPECT_FALSE(s.setType(bad)) << bad;
    EXPECT_EQ(s.type(), kBetaEventHandler);
}

TEST(ServiceRules, RelativePriorityNeedsAPriorityType) {
    Service s("S", "");
    EXPECT_FALSE(s.setRelativePriority(5));
    EXPECT_EQ(s.relativePriority(), 0);
    ASSERT_TRUE(s.setCharacteristics(kMonitor));
    EXPECT_TRUE(s.setRelativePriority(-5));
    EXPECT_EQ(s.relativePriority(), -5);
}

TEST(ServiceRules, HandlerMembers) {
    Service s("S", "");
    std::string out = "untouched";
    EXPECT_EQ(s.storedEventHandlerCode(), "0");
    EXPECT_FALSE(s.eventHandlerCode(out));
    EXPECT_FALSE(s.setEventHandlerCode("17"));
    EXPECT_FALSE(s.setEventGeneratorModule("Clock"));

    ASSERT_TRUE(s.setType(kBetaEventHandler));
    for (const char* bad : {"a(", ")", "[x", "x]", "{", "}", "two\nlines"}) {
        EXPECT_FALSE(s.setEventHandlerCode(bad)) << bad;
    }
    EXPECT_TRUE(s.setEventHandlerCode("17"));
    EXPECT_TRUE(s.setEventGeneratorModule("Clock"));
    EXPECT_FALSE(s.setEventGeneratorModule("Clo\nck"));
    EXPECT_TRUE(s.eventHandlerCode(out));
    EXPECT_EQ(out, "17");
    EXPECT_TRUE(s.eventGeneratorModule(out));
    EXPECT_EQ(out, "Clock");

    ASSERT_TRUE(s.setType(kNotificationHandler));
    EXPECT_TRUE(s.eventHandlerCode(out));
    EXPECT_FALSE(s.eventGeneratorModule(out));
    EXPECT_FALSE(s.setEventGeneratorModule("Other"));
    EXPECT_EQ(s.storedEventGeneratorModule(), "Clock");
}

TEST(ServiceRules, SectionsBySelector) {
    Service s("S", "");
    EXPECT_EQ(s.section(0), &s.serverCode());
    EXPECT_EQ(s.section(1), &s.inputData());
    EXPECT_EQ(s.section(2), &s.outputData());
    for (int bad : {-1, 3, 100})
        EXPECT_EQ(s.section(bad), nullptr) << bad;
}

TEST(Signals, AddRules) {
    OxaModule m("M", "");
    EXPECT_TRUE(m.addSignal("zeta", kBetaEvent, "17"));
    EXPECT_TRUE(m.addSignal("alpha", kNotification, "17"));
    EXPECT_FALSE(m.addSignal("other", kBetaEvent, "17"));    // same kind and code
    EXPECT_FALSE(m.addSignal("zeta", kNotification, "18"));  // name taken
    EXPECT_FALSE(m.addSignal("x", 2, "19"));
    EXPECT_FALSE(m.addSignal("x", kBetaEvent, "a)b"));
    EXPECT_FALSE(m.addSignal("x)", kBetaEvent, "20"));
    EXPECT_FALSE(m.addSignal("two\nlines", kBetaEvent, "21"));
    EXPECT_FALSE(m.addSignal("x", kBetaEvent, "2\n2"));
    ASSERT_EQ(m.signalCount(), 2u);
    EXPECT_EQ(m.signalAt(0)->first, "alpha");
    EXPECT_EQ(m.signalAt(1)->first, "zeta");
    EXPECT_EQ(m.signalAt(2), nullptr);
    EXPECT_TRUE(m.removeSignalAt(0));
    EXPECT_FALSE(m.removeSignalAt(1));
    EXPECT_EQ(m.signalAt(0)->first, "zeta");
}

TEST(Signals, ReaderKeepsTheLaterValue) {
    OxaModule m("M", "");
    EXPECT_TRUE(m.putSignal("s", DefinedSignal(kBetaEvent, "1")));
    EXPECT_TRUE(m.putSignal("s", DefinedSignal(kNotification, "2")));
    EXPECT_FALSE(m.putSignal("t", DefinedSignal(5, "3")));
    ASSERT_EQ(m.signalCount(), 1u);
    EXPECT_EQ(m.signals().at("s"), DefinedSignal(kNotification, "2"));
    EXPECT_EQ(signalKindLetter(kBetaEvent), 'E');
    EXPECT_EQ(signalKindLetter(kNotification), 'N');
    EXPECT_EQ(signalKindFromLetter('N'), kNotification);
    EXPECT_FALSE(signalKindFromLetter('e').has_value());
}

TEST(DependencyListRules, AddRemoveAndDependedModules) {
    DependencyList list;
    EXPECT_TRUE(list.add({"Clock", "tick"}));
    EXPECT_FALSE(list.add({"Clock", "tick", TimeRestriction(1, 2)}));
    EXPECT_TRUE(list.add({"Motor", ""}));
    EXPECT_TRUE(list.add({"Clock", "tock"}));
    EXPECT_TRUE(list.add({"Clock", ""}));
    EXPECT_FALSE(list.add({"Cl]ock", "x"}));
    EXPECT_FALSE(list.add({"Clock", "x\ny"}));
    EXPECT_EQ(list.size(), 4u);
    EXPECT_EQ(list.dependedModules(), (std::vector<std::string>{"Clock", "Motor"}));
    EXPECT_TRUE(list.contains("Clock", ""));
    EXPECT_FALSE(list.contains("clock", ""));
    EXPECT_EQ(list.at(2)->serviceName(), "tock");
    EXPECT_EQ(list.at(4), nullptr);
    EXPECT_TRUE(list.removeAt(0));
    EXPECT_FALSE(list.removeAt(3));
    EXPECT_EQ(list.at(0)->moduleName(), "Motor");
}

TEST(TextRules, DescriptionRule) {
    struct Case {
        std::string text;
        bool valid;
    };
    const Case cases[] = {
        {std::string(26, 'a') + std::string(5, ' '), false},  // 31 bytes
        {std::string(32, 'a'), false},                        // no space
        {std::string(67, 'a') + std::string(33, ' '), true},  // 0.33 exactly
        {std::string(66, 'a') + std::string(34, ' '), false},
        {std::string(39, 'a') + " ", true},
        {std::string(31, 'a') + " ", true},
        {std::string(30, 'a') + "\t\n", false},  // tabs and line feeds are no spaces
    };
    for (const Case& c : cases) {
        EXPECT_EQ(isValidDescription(c.text), c.valid) << '"' << c.text << '"';
    }
}
