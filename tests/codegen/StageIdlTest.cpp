#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "GeneratorFixture.h"
#include "codegen/GlobalIdlStage.h"
#include "codegen/IdlStage.h"
#include "model/OxaModule.h"

using namespace orven::codegen;
using namespace orven::test;
namespace model = orven::model;

namespace {
const std::string kNotCallable = "/* THIS SERVICE SHOULD NOT BE CALLED BY ANY MODULE */";

// The seven registrations of one service of the IDL file.
void serviceEntries(std::vector<Registration>& to, std::uint32_t k, const std::string& group,
                    const std::string& service, const std::string& parms,
                    const std::string& comment, const std::string& id = "") {
    const std::string z = "IDL_FILE";
    to.push_back(rep(z, "services", "groupname", k, group));
    to.push_back(rep(z, "services", "groupdescr", k, group + " group description"));
    to.push_back(rep(z, "services", "servicename", k, service));
    to.push_back(rep(z, "services", "servicedescr", k, service + " service description"));
    to.push_back(rep(z, "services", "serviceid", k, id.empty() ? service : id));
    to.push_back(rep(z, "services", "serviceparms", k, parms));
    to.push_back(rep(z, "services", "comment", k, comment));
}
}  // namespace

TEST(StageIdl, RegistersEveryServiceSignalAndMacroInOrder) {
    GeneratorWorkDir dir;
    dir.addResource("scripts.tpx", fixtureScripts());
    auto m = cppModule("Robot Arm");
    // Group "Alpha" sorts before "Beta"; its three services take k = 0..2.
    addService(*m, "Beta", "move it", 0).setInputData(model::CodeSection("long a\n\n  \n"));
    m->findService("Beta", "move it")->setOutputData(model::CodeSection("long b\n"));
    addService(*m, "Beta", "watch", 0, model::kMonitor)
        .setInputData(model::CodeSection("long ignored"));
    addService(*m, "Beta", "onBump", 1);
    addService(*m, "Beta", "onNote", 2);
    addService(*m, "Alpha", "c", 0);
    addService(*m, "Alpha", "a", 0);
    addService(*m, "Alpha", "b", 0);
    ASSERT_TRUE(m->addSignal("Zeta", model::kNotification, "7"));
    ASSERT_TRUE(m->addSignal("Bump", model::kBetaEvent, "3"));
    model::CodeSection pre("typedef long T;\nconst long X = 1;\n");
    m->setSection(model::ModuleSection::PreDefinitions, pre);

    StageRun run(dir, *m);
    std::string error;
    ASSERT_TRUE(IdlStage(run.context).run(error)) << error;

    std::vector<Registration> expected;
    serviceEntries(expected, 0, "Alpha", "a", "", "(Regular Service)");
    serviceEntries(expected, 1, "Alpha", "b", "", "(Regular Service)");
    serviceEntries(expected, 2, "Alpha", "c", "", "(Regular Service)");
    // k runs across groups: the first service of the second group has index 3.
    serviceEntries(expected, 3, "Beta", "move it", "in long a, out long b,", "(Regular Service)",
                   "move_it");
    serviceEntries(expected, 4, "Beta", "onBump", "in string origin " + kNotCallable + ",",
                   "(Beta Event Handler)");
    serviceEntries(expected, 5, "Beta", "onNote", "in string origin " + kNotCallable + ",",
                   "(Notification Handler)");
    serviceEntries(expected, 6, "Beta", "watch", kNotCallable, "(Regular Service)");
    // Signals in name order.
    expected.push_back(rep("IDL_FILE", "betaeventsproduced", "betaeventname", 0, "Bump"));
    expected.push_back(rep("IDL_FILE", "betaeventsproduced", "betaeventcode", 0, "103"));
    expected.push_back(
        rep("IDL_FILE", "betaeventsproduced", "comment", 0, "Beta Event Definition"));
    expected.push_back(rep("IDL_FILE", "betaeventsproduced", "betaeventname", 1, "Zeta"));
    expected.push_back(rep("IDL_FILE", "betaeventsproduced", "betaeventcode", 1, "207"));
    expected.push_back(rep("IDL_FILE", "betaeventsproduced", "comment", 1,
                           "Notification Definition, SHOULD NOT BE USED OUTSIDE THIS MODULE"));
    expected.push_back(mac("ORVENversion", "03.800"));
    expected.push_back(mac("OXAname", "Robot Arm"));
    expected.push_back(mac("OXAid", "Robot_Arm"));
    expected.push_back(mac("predefinitions", "\t\ttypedef long T;\n\t\tconst long X = 1;\n"));
    EXPECT_TRUE(sameRegistrations(run.trace.entries(), expected));
    EXPECT_EQ(readFile(dir.out("OXA_Robot_Arm.idl")), expectedPrint("IDL_FILE", expected));
}

TEST(StageIdl, AModuleWithoutServicesOrSignalsRegistersOnlyItsMacros) {
    GeneratorWorkDir dir;
    dir.addResource("scripts.tpx", fixtureScripts());
    auto m = cppModule("3D view");
    StageRun run(dir, *m);
    std::string error;
    ASSERT_TRUE(IdlStage(run.context).run(error)) << error;
    std::vector<Registration> expected = {mac("ORVENversion", "03.800"), mac("OXAname", "3D view"),
                                          mac("OXAid", "x_3D_view"), mac("predefinitions", "")};
    EXPECT_TRUE(sameRegistrations(run.trace.entries(), expected));
    EXPECT_EQ(readFile(dir.out("OXA_x_3D_view.idl")), expectedPrint("IDL_FILE", expected));
}

TEST(StageIdl, FailuresOfTheIdlAndGlobalIdlFiles) {
    struct Case {
        std::string name;
        bool global;
        bool withScripts;
        bool withoutZone;
        bool outputUnderFile;
        std::string error;
        bool fileWritten;
    };
    const Case cases[] = {
        {"idl: no scripts", false, false, false, false, "File of code macroscripts not found",
         false},
        {"idl: no zone", false, true, true, false, "Error applying macros on IDL file macroscript",
         true},
        {"idl: unwritable output", false, true, false, true, "Impossible to write IDL file", false},
        {"global: no scripts", true, false, false, false, "File of code macroscripts not found",
         false},
        {"global: no zone", true, true, true, false,
         "Error applying macros on ORVEN IDL file macroscript", true},
        {"global: unwritable output", true, true, false, true, "Impossible to write ORVEN IDL file",
         false},
    };
    for (const Case& c : cases) {
        GeneratorWorkDir dir;
        dir.addResourceDirectory();
        if (c.withScripts) {
            dir.addResource("scripts.tpx", c.withoutZone
                                               ? fixtureScripts({"IDL_FILE", "ORVEN_IDL_FILE"})
                                               : fixtureScripts());
        }
        auto m = cppModule("Arm");
        StageRun run(dir, *m);
        if (c.outputUnderFile) {
            writeFile(dir.file("plain"), "x");
            run.context.outputDirectory = dir.file("plain/out");
        }
        std::string error;
        bool ok =
            c.global ? GlobalIdlStage(run.context).run(error) : IdlStage(run.context).run(error);
        EXPECT_FALSE(ok) << c.name;
        EXPECT_EQ(error, c.error) << c.name;
        std::string file = dir.out(c.global ? "orven.idl" : "OXA_Arm.idl");
        EXPECT_EQ(fileExists(file), c.fileWritten) << c.name;
        if (c.fileWritten) {
            // The expansion's text with the engine's error line is written.
            EXPECT_EQ(readFile(file), "\n**** PARSING ERROR **** : zone not found") << c.name;
        }
    }
}

TEST(StageGlobalIdl, RegistersVersionAndModuleName) {
    GeneratorWorkDir dir;
    dir.addResource("scripts.tpx", fixtureScripts());
    auto m = cppModule("Robot Arm");
    StageRun run(dir, *m);
    std::string error;
    ASSERT_TRUE(GlobalIdlStage(run.context).run(error)) << error;
    std::vector<Registration> expected = {mac("ORVENversion", "03.800"),
                                          mac("OXAname", "Robot Arm")};
    EXPECT_TRUE(sameRegistrations(run.trace.entries(), expected));
    EXPECT_EQ(readFile(dir.out("orven.idl")), expectedPrint("ORVEN_IDL_FILE", expected));
}
