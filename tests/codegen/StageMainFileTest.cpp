#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "GeneratorFixture.h"
#include "codegen/MainFileStage.h"
#include "model/OxaModule.h"

using namespace orven::codegen;
using namespace orven::test;
namespace model = orven::model;

namespace {
const std::string Z = "MAIN_FILE";

std::vector<Registration> simpleMacros(const std::string& name, const std::string& id,
                                       const std::string& deps, const std::string& monitors,
                                       const std::string& hasDeps, const std::string& events,
                                       const std::string& groups, const std::string& maxServices) {
    return {mac("ORVENversion", "03.800"), mac("OXAname", name),
            mac("numberofdeps", deps),     mac("implname", "OXA_" + id + "_i"),
            mac("classname", id),          mac("therearemonitors", monitors),
            mac("therearedeps", hasDeps),  mac("therearebetaevents", events),
            mac("numberofgroups", groups), mac("maxnumberofservices", maxServices)};
}

void monitorEntries(std::vector<Registration>& to, std::uint32_t m, const std::string& service,
                    const std::string& id, const std::string& g, const std::string& s) {
    for (const char* area : {"monitor_routines", "monitor_thread_creation"}) {
        to.push_back(rep(Z, area, "monitor_service_id", m, id));
        to.push_back(rep(Z, area, "monitor_service", m, service));
        to.push_back(rep(Z, area, "indexofgroup", m, g));
        to.push_back(rep(Z, area, "indexofservice", m, s));
    }
    to.push_back(rep(Z, "monitor_handles", "themonitorname", m, id));
    to.push_back(rep(Z, "monitor_thread_completion", "monitorname", m, id));
}

void run(GeneratorWorkDir& dir, const model::OxaModule& m,
         const std::vector<Registration>& expected, const std::string& file) {
    StageRun stage(dir, m);
    std::string error;
    ASSERT_TRUE(MainFileStage(stage.context).run(error)) << error;
    EXPECT_TRUE(sameRegistrations(stage.trace.entries(), expected));
    EXPECT_EQ(readFile(dir.out(file)), expectedPrint(Z, expected));
}
}  // namespace

TEST(StageMainFile, HandlersMonitorsAndDependenciesWithTheirOwnIndexes) {
    GeneratorWorkDir dir;
    dir.addResource("scripts.tpx", fixtureScripts());
    auto m = cppModule("Robot Arm");
    // Group "A": a beta handler for Camera's event, a plain regular service,
    // a monitor. Group "B": a notification handler, a beta handler without
    // producer, a second monitor.
    model::Service& fromCamera = addService(*m, "A", "a1 seen", 1);
    ASSERT_TRUE(fromCamera.setEventHandlerCode("SEEN"));
    ASSERT_TRUE(fromCamera.setEventGeneratorModule("Camera"));
    addService(*m, "A", "a2", 0);
    addService(*m, "A", "a3", 0, model::kMonitor);
    ASSERT_TRUE(addService(*m, "B", "b1", 2).setEventHandlerCode("S"));
    ASSERT_TRUE(addService(*m, "B", "b2", 1).setEventHandlerCode("LOCAL"));
    addService(*m, "B", "b3 watch", 0, model::kMonitor | model::kUnprioritized);
    addService(*m, "B", "b4", 0);
    ASSERT_TRUE(m->dependencies().add(model::ModuleDependency("Base Unit", "go")));
    ASSERT_TRUE(m->dependencies().add(model::ModuleDependency("Camera", "")));
    ASSERT_TRUE(m->dependencies().add(model::ModuleDependency("Base Unit", "stop")));

    std::vector<Registration> e = {
        rep(Z, "betaevents", "betaeventcode", 0, "ORVEN::Camera::SEEN"),
        rep(Z, "betaevents", "indexofgroup", 0, "0"),
        rep(Z, "betaevents", "indexofservice", 0, "0"),
        rep(Z, "betaevents", "betaeventhandler", 0, "a1_seen"),
        rep(Z, "dependencies_headers", "corbaChfile", 0, "OXA_CameraC"),
    };
    monitorEntries(e, 0, "a3", "a3", "0", "2");
    for (const Registration& r :
         {rep(Z, "betaevents", "betaeventcode", 1, "ORVEN::Robot_Arm::S"),
          rep(Z, "betaevents", "indexofgroup", 1, "1"),
          rep(Z, "betaevents", "indexofservice", 1, "0"),
          rep(Z, "betaevents", "betaeventhandler", 1, "b1"),
          rep(Z, "betaevents", "betaeventcode", 2, "ORVEN::Robot_Arm::LOCAL"),
          rep(Z, "betaevents", "indexofgroup", 2, "1"),
          rep(Z, "betaevents", "indexofservice", 2, "1"),
          rep(Z, "betaevents", "betaeventhandler", 2, "b2")}) {
        e.push_back(r);
    }
    monitorEntries(e, 1, "b3 watch", "b3_watch", "1", "2");
    // Dependencies: index j in their areas, d continues after the handlers'
    // headers in "dependencies_headers".
    const struct {
        std::uint32_t j, d;
        std::string name, id;
    } deps[] = {{0, 1, "Base Unit", "Base_Unit"}, {1, 2, "Camera", "Camera"}};
    for (const auto& dep : deps) {
        e.push_back(rep(Z, "dependencies", "objectname", dep.j, dep.id));
        e.push_back(rep(Z, "dependencies", "objectvar", dep.j, dep.id + "_var"));
        e.push_back(rep(Z, "dependencies_headers", "corbaChfile", dep.d, "OXA_" + dep.id + "C"));
        e.push_back(rep(Z, "retrieve_deps", "objectname", dep.j, dep.name));
        e.push_back(rep(Z, "retrieve_deps", "objectvar", dep.j, dep.id + "_var"));
        e.push_back(rep(Z, "retrieve_deps", "objectclass", dep.j, dep.id));
        e.push_back(rep(Z, "depdynreq", "objname", dep.j, dep.name));
        e.push_back(rep(Z, "depdynreq", "objvar", dep.j, dep.id + "_var"));
    }
    for (const Registration& r :
         simpleMacros("Robot Arm", "Robot_Arm", "2", "TRUE", "TRUE", "TRUE", "2", "4"))
        e.push_back(r);
    run(dir, *m, e, "OXA_Robot_Arm_main.cpp");
}

TEST(StageMainFile, ANotificationHandlerAloneHasNoDependencyHeader) {
    GeneratorWorkDir dir;
    dir.addResource("scripts.tpx", fixtureScripts());
    auto m = cppModule("Robot Arm");
    ASSERT_TRUE(addService(*m, "G", "onS", 2).setEventHandlerCode("S"));
    std::vector<Registration> e = {
        rep(Z, "betaevents", "betaeventcode", 0, "ORVEN::Robot_Arm::S"),
        rep(Z, "betaevents", "indexofgroup", 0, "0"),
        rep(Z, "betaevents", "indexofservice", 0, "0"),
        rep(Z, "betaevents", "betaeventhandler", 0, "onS"),
    };
    for (const Registration& r :
         simpleMacros("Robot Arm", "Robot_Arm", "0", "FALSE", "FALSE", "TRUE", "1", "1"))
        e.push_back(r);
    run(dir, *m, e, "OXA_Robot_Arm_main.cpp");
}

TEST(StageMainFile, OnlySimpleMacrosWithoutHandlersMonitorsOrDependencies) {
    GeneratorWorkDir dir;
    dir.addResource("scripts.tpx", fixtureScripts());
    auto m = cppModule("Plain");
    // Groups of 2, 5 and 3 regular services: nothing in any area.
    const int sizes[] = {2, 5, 3};
    for (int g = 0; g < 3; ++g) {
        for (int s = 0; s < sizes[g]; ++s)
            addService(*m, "g" + std::to_string(g), "s" + std::to_string(s), 0);
    }
    run(dir, *m, simpleMacros("Plain", "Plain", "0", "FALSE", "FALSE", "FALSE", "3", "5"),
        "OXA_Plain_main.cpp");

    auto empty = cppModule("Empty");
    run(dir, *empty, simpleMacros("Empty", "Empty", "0", "FALSE", "FALSE", "FALSE", "0", "0"),
        "OXA_Empty_main.cpp");
}

TEST(StageMainFile, Failures) {
    struct Case {
        std::string name;
        std::string scripts;  // empty: no scripts file
        bool outputUnderFile;
        std::string error;
        bool written;
    };
    const Case cases[] = {
        {"no scripts", "", false, "File of code macroscripts not found", false},
        {"no zone", fixtureScripts({"MAIN_FILE"}), false,
         "Error applying macros on main file macroscript", true},
        {"unwritable output", fixtureScripts(), true, "Impossible to write main file", false},
    };
    for (const Case& c : cases) {
        GeneratorWorkDir dir;
        dir.addResourceDirectory();
        if (!c.scripts.empty())
            dir.addResource("scripts.tpx", c.scripts);
        auto m = cppModule("Arm");
        StageRun stage(dir, *m);
        if (c.outputUnderFile) {
            writeFile(dir.file("plain"), "x");
            stage.context.outputDirectory = dir.file("plain/out");
        }
        std::string error;
        EXPECT_FALSE(MainFileStage(stage.context).run(error)) << c.name;
        EXPECT_EQ(error, c.error) << c.name;
        EXPECT_EQ(fileExists(dir.out("OXA_Arm_main.cpp")), c.written) << c.name;
    }
}
