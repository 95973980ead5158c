// The module file of the worked Counter module, built through the exports,
// byte for byte: the text part with its line ends, tabs and "$", then the
// appendix with its embedded file.
#include <gtest/gtest.h>
#include <utime.h>

#include <cstring>
#include <filesystem>

#include "TestSupport.h"
#include "model/TemporaryExternals.h"
#include "orven.h"

using orven::test::readFile;
using orven::test::writeFile;

namespace {

// The layout as it reads on paper: an arrow stands for a tab, every line
// ends with carriage return and line feed on disk.
const char* const kCounterLayout = R"LAYOUT(Format info: [FF200704]
OXA Module: 
[Counter]
Description:
→CompactStr(13)
→→436f756e74732070756c736573
→EndCompactStr
Linked to the object: []
Includes (1) objects.
Included object #0 (SGr) :
→Group of Services: 
→[Main]
→Description:
→→CompactStr(14)
→→→4261736963207365727669636573
→→EndCompactStr
→Linked to the object: [Counter]
→Includes (1) objects.
→Included object #0 (Srv) :
→→Service: 
→→[reset]
→→Description:
→→→CompactStr(12)
→→→→5365747320746f207a65726f
→→→EndCompactStr
→→Linked to the object: [Main]
→→Type: 0
→→Event Handler Code: (0)
→→Event Generator Module: ()
→→Characteristics: <R>
→→Relative priority: (0)
→→Input data definition:[INF,INF]
CompactStr(0)
EndCompactStr
→→Output data definition:[INF,INF]
CompactStr(0)
EndCompactStr
→→Server code:[0.500000,2.000000]
CompactStr(6)
→6e203d20303b
EndCompactStr
Relative priority: (3)
External data: (0)
External code: (1) [lib]/[pulse.h]@1199145600 
External passive: (0)
Global data:[INF,INF]
CompactStr(7)
→6c6f6e67206e3b
EndCompactStr
Global code:[INF,INF]
CompactStr(0)
EndCompactStr
Pre-definitions:[INF,INF]
CompactStr(0)
EndCompactStr
Startup code:[INF,INF]
CompactStr(6)
→6e203d20303b
EndCompactStr
Pre-ending code:[INF,INF]
CompactStr(0)
EndCompactStr
Post-ending code:[INF,INF]
CompactStr(0)
EndCompactStr
Codification language:
→(P)
Deportabilization:
→[{(H):0|}{(E):1|(E0000)}{(R):0|}{(F):0|}{(C):0|}]
Dependencies:
→{(1) [Clock]:[tick]@[INF,INF]}
Defined signals:
→[{(overflow):(E):(17)}]
General information:
→CompactStr(3)
→→312e30
→EndCompactStr
→CompactStr(24)
→→547565204a616e2030312031303a30303a30302032303038
→EndCompactStr
→CompactStr(9)
→→412e20417574686f72
→EndCompactStr
→CompactStr(0)
→EndCompactStr
→CompactStr(0)
→EndCompactStr
$)LAYOUT";

std::string onDisk(std::string layout) {
    std::string out;
    const std::string arrow = "\u2192";
    for (std::size_t i = 0; i < layout.size();) {
        if (layout.compare(i, arrow.size(), arrow) == 0) {
            out.push_back('\t');
            i += arrow.size();
        } else if (layout[i] == '\n') {
            out.append("\r\n");
            ++i;
        } else {
            out.push_back(layout[i++]);
        }
    }
    return out;
}

std::string u32(std::uint32_t v) {
    std::string s(4, '\0');
    for (int i = 0; i < 4; ++i)
        s[i] = static_cast<char>((v >> (8 * i)) & 0xff);
    return s;
}

class CounterModule : public ::testing::Test {
  protected:
    void SetUp() override {
        orven::model::TemporaryExternals::resetCounterForTests();
        FinalizeOrvenInterface();
        char error[128];
        ASSERT_EQ(InitializeOrvenInterface("externals", nullptr, error, sizeof error), 1) << error;
    }
    void TearDown() override { FinalizeOrvenInterface(); }

    void buildCounter() {
        std::filesystem::create_directory(work.file("lib"));
        writeFile(work.file("lib/pulse.h"), kPulse);
        struct utimbuf t {};
        t.actime = t.modtime = 1199145600;
        ASSERT_EQ(::utime(work.file("lib/pulse.h").c_str(), &t), 0);

        ASSERT_EQ(CreateNewOXAModule("Counter", "Counts pulses"), 1);
        ASSERT_EQ(AddNewGroupOfServices("Main", "Basic services"), 1);
        ASSERT_EQ(CreateOXAService("Main", "reset", "Sets to zero"), 1);
        ASSERT_EQ(ChangeOXAServiceChars("Main", "reset", "*     "), 1);
        ChangeOXAServiceServerCode("Main", "reset", "n = 0;");
        const float serverTime[2] = {0.5f, 2.0f};
        ASSERT_EQ(SetTimeRestrictionService(0, "Main", "reset", serverTime), 1);
        ChangeOXAModulePriority(3);
        ASSERT_EQ(ChangeExternalDataEntry(1, 0, "lib", "pulse.h"), 1);
        ChangeOXAModuleGlobalData("long n;");
        ChangeOXAModuleStartupCode("n = 0;");
        ASSERT_EQ(SetOXAModuleCodificationLanguage(0), 1);
        ASSERT_EQ(SelectNewComponent(1, 0), 1);  // E0000
        const float any[2] = {-1.0f, -1.0f};
        ASSERT_EQ(AddModuleDependency("Clock", "tick", any), 1);
        ASSERT_EQ(AddNewDefinedSignal("overflow", "E", "17"), 1);
        ASSERT_EQ(SetOXAModuleGeneralInfo("1.0", "Tue Jan 01 10:00:00 2008", "A. Author", "", ""),
                  1);
    }

    const std::string kPulse = "#define PULSE_MAX 1000\n";
    orven::test::EngineWorkDir work;
};

}  // namespace

TEST_F(CounterModule, SavedFileMatchesTheLayoutByteForByte) {
    buildCounter();
    ASSERT_EQ(SaveOXAModule("counter.oxa"), 1);
    const std::string file = readFile(work.file("counter.oxa"));
    const std::string text = onDisk(kCounterLayout);
    ASSERT_GE(file.size(), text.size());
    EXPECT_EQ(file.substr(0, text.size()), text);

    // The appendix: one file, its 136-byte record, then its bytes.
    std::string record(128, '\0');
    std::memcpy(record.data(), "pulse.h", 7);
    const auto first = static_cast<std::uint32_t>(text.size() + 4 + 136);
    record += u32(first) + u32(static_cast<std::uint32_t>(kPulse.size()));
    EXPECT_EQ(file.substr(text.size()), u32(1) + record + kPulse);
    EXPECT_EQ(file.size(), text.size() + 4 + 136 + kPulse.size());
}

TEST_F(CounterModule, LoadsBackAndSavesTheSameBytes) {
    buildCounter();
    ASSERT_EQ(SaveOXAModule("counter.oxa"), 1);
    DeleteCurrentOXAModule();
    // The source file is gone: the module carries its copy.
    std::filesystem::remove(work.file("lib/pulse.h"));
    char error[256] = "x";
    ASSERT_EQ(LoadOXAModule("counter.oxa", sizeof error, error), 1) << error;
    EXPECT_STREQ(error, "");
    char buf[64];
    NameOXAModule(buf, sizeof buf);
    EXPECT_STREQ(buf, "Counter");
    EXPECT_EQ(OXAModulePriority(), 3);
    RetrieveOXAServiceServerCode("Main", "reset", buf, sizeof buf);
    EXPECT_STREQ(buf, "n = 0;");
    float pair[2];
    ASSERT_EQ(RetrieveTimeRestrictionService(0, "Main", "reset", pair), 1);
    EXPECT_EQ(pair[0], 0.5f);
    EXPECT_EQ(pair[1], 2.0f);
    ASSERT_EQ(NumberOfExternalDataEntries(1), 1);
    char path[256], name[128], date[128];
    ASSERT_EQ(RetrieveExternalDataEntry(1, 0, path, name, date, 256, 128, 128), 1);
    EXPECT_STREQ(path, "lib");
    EXPECT_STREQ(name, "pulse.h");
    ASSERT_EQ(SaveOXAModule("again.oxa"), 1);
    EXPECT_EQ(readFile(work.file("again.oxa")), readFile(work.file("counter.oxa")));
    // The stored copy is what goes out.
    std::filesystem::create_directory(work.file("out"));
    ASSERT_EQ(CopyExternalsIntoFiles(1, "out"), 1);
    EXPECT_EQ(readFile(work.file("out/pulse.h")), kPulse);
}
