#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "GeneratorFixture.h"
#include "codegen/OtherFilesStage.h"
#include "codegen/ProjectFilesStage.h"
#include "model/OxaModule.h"

using namespace orven::codegen;
using namespace orven::test;
namespace model = orven::model;

namespace {
const std::string Z = "DSP_FILE_ZONE";

void stubEntries(std::vector<Registration>& to, std::uint32_t r, const std::string& id) {
    to.push_back(rep(Z, "server_objects", "serverCfile", r, "OXA_" + id + "C"));
    to.push_back(rep(Z, "server_idls", "serverIDLFile", r, "OXA_" + id));
    to.push_back(rep(Z, "server_headers", "serverCheaderfile", r, "OXA_" + id + "C"));
}

std::vector<Registration> dspMacros(const std::string& stem, const std::string& output,
                                    const std::string& mfc, const std::string& voxl) {
    return {mac("WithMFC", mfc),
            mac("withVOXL", voxl),
            mac("DSPFileName", stem + "_project"),
            mac("ORVENVersion", "03.800"),
            mac("MainFile", stem + "_main"),
            mac("ImplFiles", stem + "_i"),
            mac("CORBAFiles", stem),
            mac("IDLFile", stem),
            mac("Directory", output),
            mac("CORBACompiler", "tao_idl")};
}

// A module whose externals are stored in the work dir's "externals".
std::unique_ptr<model::OxaModule> storedModule(GeneratorWorkDir& dir, const std::string& name) {
    makeDirectories(dir.file("externals"));
    makeDirectories(dir.file("src"));
    auto m = std::make_unique<model::OxaModule>(name, "description", "externals");
    m->setCodificationLanguage(
        orven::catalogues::CodificationLanguage(orven::catalogues::CodificationLanguage::kCpp));
    return m;
}

// Stores files (written into src/ first) as one external list of the module.
void storeList(GeneratorWorkDir& dir, model::OxaModule& m, int kind,
               const std::vector<std::string>& names) {
    model::ExternalList list;
    for (const std::string& n : names) {
        writeFile(dir.file("src/" + n), "contents of " + n + "\n");
        list.emplace_back(dir.file("src"), n);
    }
    ASSERT_TRUE(m.externals().setExternalList(kind, list));
}
}  // namespace

TEST(StageProjectFiles, WorkspaceThenProjectFromACleanEnvironment) {
    GeneratorWorkDir dir;
    dir.addResource("scripts.tpx", fixtureScripts());
    auto m = storedModule(dir, "Arm");
    ASSERT_TRUE(m->dependencies().add(model::ModuleDependency("Camera", "grab")));
    ASSERT_TRUE(m->dependencies().add(model::ModuleDependency("Base Unit", "")));
    ASSERT_TRUE(m->dependencies().add(model::ModuleDependency("Camera", "")));
    // Producers: a dependency (no second entry), the module itself (none),
    // Lidar twice (once), one without producer (none).
    auto producer = [&](const std::string& group, const std::string& service,
                        const std::string& g) {
        model::Service& s = addService(*m, group, service, 1);
        ASSERT_TRUE(s.setEventHandlerCode("E"));
        ASSERT_TRUE(s.setEventGeneratorModule(g));
    };
    producer("H", "fromCamera", "Camera");
    producer("H", "fromSelf", "Arm");
    producer("H", "fromLidar", "Lidar 2");
    producer("I", "fromLidarAgain", "Lidar 2");
    producer("I", "fromNobody", "");
    storeList(dir, *m, model::kExternalData, {"pulse.h", "limits.hpp"});
    storeList(dir, *m, model::kExternalCode,
              {"util.cxx", "a.cpp", "mathlib.LIB", "b.C", "c.obj", "noext", "d.c", "e.CPP", "f.OBJ",
               "g.lib"});
    storeList(dir, *m, model::kExternalPassive, {"readme.txt"});

    StageRun run(dir, *m);
    std::string error;
    ASSERT_TRUE(ProjectFilesStage(run.context, true, false).run(error)) << error;

    std::vector<Registration> dsw = {mac("OXAName", "Arm"), mac("ORVENversion", "03.800"),
                                     mac("ProjectFileName", "OXA_Arm_project")};
    std::vector<Registration> dsp;
    stubEntries(dsp, 0, "Camera");
    stubEntries(dsp, 1, "Base_Unit");
    dsp.push_back(rep(Z, "external_toinclude", "externaltoinclude", 0, "pulse.h"));
    dsp.push_back(rep(Z, "external_toinclude", "externaltoinclude", 1, "limits.hpp"));
    dsp.push_back(rep(Z, "external_tocompile", "externaltocompile", 0, "a.cpp"));
    dsp.push_back(rep(Z, "external_libs", "externaltolink", 0, "mathlib.LIB"));
    dsp.push_back(rep(Z, "external_tocompile", "externaltocompile", 1, "b.C"));
    dsp.push_back(rep(Z, "external_libs", "externaltolink", 1, "c.obj"));
    dsp.push_back(rep(Z, "external_tocompile", "externaltocompile", 2, "d.c"));
    dsp.push_back(rep(Z, "external_tocompile", "externaltocompile", 3, "e.CPP"));
    dsp.push_back(rep(Z, "external_libs", "externaltolink", 2, "f.OBJ"));
    dsp.push_back(rep(Z, "external_libs", "externaltolink", 3, "g.lib"));
    stubEntries(dsp, 2, "Lidar_2");
    for (const Registration& r : dspMacros("OXA_Arm", dir.output(), "true", "false"))
        dsp.push_back(r);

    std::vector<Registration> expected = dsw;
    expected.push_back(Registration::clean());
    expected.insert(expected.end(), dsp.begin(), dsp.end());
    EXPECT_TRUE(sameRegistrations(run.trace.entries(), expected));
    EXPECT_EQ(readFile(dir.out("OXA_Arm_workspace.dsw")), expectedPrint("DSW_FILE_ZONE", dsw));
    EXPECT_EQ(readFile(dir.out("OXA_Arm_project.dsp")), expectedPrint(Z, dsp));
    // Including and compiling/linking files are extracted, whatever their
    // extension; passive files are not part of this stage.
    for (std::string n : {"pulse.h", "limits.hpp", "util.cxx", "noext", "mathlib.LIB"})
        EXPECT_EQ(readFile(dir.out(n)), "contents of " + n + "\n") << n;
    EXPECT_FALSE(fileExists(dir.out("readme.txt")));
}

TEST(StageProjectFiles, AModuleWithoutStoreRegistersItsEntriesWithoutFiles) {
    GeneratorWorkDir dir;
    dir.addResource("scripts.tpx", fixtureScripts());
    auto m = cppModule("Arm");
    ASSERT_TRUE(m->externals().setExternalList(model::kExternalCode,
                                               {model::ExternalEntry("C:\\lib", "x.cpp")}));
    StageRun run(dir, *m);
    std::string error;
    ASSERT_TRUE(ProjectFilesStage(run.context, false, true).run(error)) << error;
    std::vector<Registration> expected = {
        mac("OXAName", "Arm"), mac("ORVENversion", "03.800"),
        mac("ProjectFileName", "OXA_Arm_project"), Registration::clean(),
        rep(Z, "external_tocompile", "externaltocompile", 0, "x.cpp")};
    for (const Registration& r : dspMacros("OXA_Arm", dir.output(), "false", "true"))
        expected.push_back(r);
    EXPECT_TRUE(sameRegistrations(run.trace.entries(), expected));
    EXPECT_FALSE(fileExists(dir.out("x.cpp")));
}

TEST(StageProjectFiles, Failures) {
    struct Case {
        std::string name;
        void (*prepare)(GeneratorWorkDir&, model::OxaModule&, std::string& output);
        std::string error;
        bool dsw, dsp;
    };
    const Case cases[] = {
        {"no scripts",
         [](GeneratorWorkDir& d, model::OxaModule&, std::string&) {
             std::filesystem::remove(d.resource("scripts.tpx"));
         },
         "Makefiles macroscripts file not found", false, false},
        {"no workspace zone",
         [](GeneratorWorkDir& d, model::OxaModule&, std::string&) {
             d.addResource("scripts.tpx", fixtureScripts({"DSW_FILE_ZONE"}));
         },
         "Error applying macros to DSW macroscript", false, false},
        {"no project zone",
         [](GeneratorWorkDir& d, model::OxaModule&, std::string&) {
             d.addResource("scripts.tpx", fixtureScripts({"DSP_FILE_ZONE"}));
         },
         "Error applying macros to DSP macroscript", true, false},
        {"unwritable output",
         [](GeneratorWorkDir& d, model::OxaModule&, std::string& out) {
             writeFile(d.file("plain"), "x");
             out = d.file("plain/out");
         },
         "Impossible to write DSW file", false, false},
        {"project file blocked",
         [](GeneratorWorkDir& d, model::OxaModule&, std::string&) {
             makeDirectories(d.out("OXA_Arm_project.dsp"));
         },
         "Impossible to write DSP file", true, true},
        {"stored copy missing",
         [](GeneratorWorkDir& d, model::OxaModule& m, std::string&) {
             storeList(d, m, model::kExternalData, {"a.h"});
             ASSERT_TRUE(m.externals().assignList(
                 model::kExternalCode, {model::ExternalEntry(d.file("src"), "gone.cpp")}));
         },
         "Internal error indexing external file", true, false},
        {"extraction blocked",
         [](GeneratorWorkDir& d, model::OxaModule& m, std::string&) {
             storeList(d, m, model::kExternalCode, {"a.cpp"});
             makeDirectories(d.out("a.cpp"));
         },
         "Error copying external file to the compiling path", true, false},
    };
    for (const Case& c : cases) {
        GeneratorWorkDir dir;
        dir.addResource("scripts.tpx", fixtureScripts());
        auto m = storedModule(dir, "Arm");
        StageRun run(dir, *m);
        c.prepare(dir, *m, run.context.outputDirectory);
        std::string error;
        EXPECT_FALSE(ProjectFilesStage(run.context, false, false).run(error)) << c.name;
        EXPECT_EQ(error, c.error) << c.name;
        EXPECT_EQ(fileExists(dir.out("OXA_Arm_workspace.dsw")), c.dsw) << c.name;
        EXPECT_EQ(fileExists(dir.out("OXA_Arm_project.dsp")), c.dsp) << c.name;
    }
}

TEST(StageProjectFiles, ExternalNamesThatWouldLeaveTheOutputDirectoryAreRefused) {
    for (std::string name : {"../escaped.h", "sub/x.h", "sub\\x.h", "/abs.h"}) {
        GeneratorWorkDir dir;
        dir.addResource("scripts.tpx", fixtureScripts());
        auto m = storedModule(dir, "Arm");
        // The entry's name leads out of its directory; the store keeps a copy
        // under that name, as a module file may carry it.
        makeDirectories(dir.file("src/sub/sub"));
        writeFile(dir.file("src/escaped.h"), "x");
        writeFile(dir.file("src/sub/sub/x.h"), "x");
        writeFile(dir.file("src/sub/abs.h"), "x");
        ASSERT_TRUE(m->externals().setExternalList(
            model::kExternalData, {model::ExternalEntry(dir.file("src/sub"), name)}))
            << name;
        StageRun run(dir, *m);
        std::string error;
        EXPECT_FALSE(ProjectFilesStage(run.context, false, false).run(error)) << name;
        EXPECT_EQ(error, "Error copying external file to the compiling path") << name;
        EXPECT_FALSE(fileExists(dir.file("escaped.h"))) << name;
        EXPECT_FALSE(fileExists(dir.out("sub"))) << name;
        EXPECT_FALSE(fileExists("/abs.h")) << name;
    }
}

TEST(StageProjectFiles, ExtensionsAreTheTextAfterTheLastDot) {
    EXPECT_EQ(fileExtension("a.b.cpp"), "cpp");
    EXPECT_EQ(fileExtension("noext"), "");
    EXPECT_EQ(fileExtension("trailing."), "");
    EXPECT_EQ(fileExtension(".hidden"), "hidden");
}

TEST(StageOtherFiles, TheListEndsAtItsFirstEmptyLine) {
    GeneratorWorkDir dir;
    dir.addResource("otherfileslist.txt", "first.txt\r\nsub/second.h\n\nthird.txt\n");
    dir.addResource("first.txt", "1");
    dir.addResource("sub/second.h", "2");
    dir.addResource("third.txt", "3");
    makeDirectories(dir.out("sub"));
    auto m = storedModule(dir, "Arm");
    storeList(dir, *m, model::kExternalPassive, {"manual.pdf", "notes.txt"});
    storeList(dir, *m, model::kExternalCode, {"not_here.cpp"});
    StageRun run(dir, *m);
    std::string error;
    ASSERT_TRUE(OtherFilesStage(run.context).run(error)) << error;
    EXPECT_EQ(readFile(dir.out("first.txt")), "1");
    EXPECT_EQ(readFile(dir.out("sub/second.h")), "2");
    EXPECT_FALSE(fileExists(dir.out("third.txt")));
    EXPECT_EQ(readFile(dir.out("manual.pdf")), "contents of manual.pdf\n");
    EXPECT_EQ(readFile(dir.out("notes.txt")), "contents of notes.txt\n");
    EXPECT_FALSE(fileExists(dir.out("not_here.cpp")));
    EXPECT_TRUE(run.trace.entries().empty());
}

TEST(StageOtherFiles, Failures) {
    struct Case {
        std::string name;
        std::string list;  // empty: no list
        std::string error;
    };
    const Case cases[] = {
        {"no list", "", "Other files list not found"},
        {"missing file", "first.txt\nmissing.txt\n", "Could not copy file [missing.txt]"},
        {"leaves the output directory", "../first.txt\n", "Could not copy file [../first.txt]"},
        {"absolute", "/etc/hostname\n", "Could not copy file [/etc/hostname]"},
    };
    for (const Case& c : cases) {
        GeneratorWorkDir dir;
        dir.addResource("first.txt", "1");
        if (!c.list.empty())
            dir.addResource("otherfileslist.txt", c.list);
        auto m = cppModule("Arm");
        StageRun run(dir, *m);
        std::string error;
        EXPECT_FALSE(OtherFilesStage(run.context).run(error)) << c.name;
        EXPECT_EQ(error, c.error) << c.name;
        EXPECT_FALSE(fileExists(dir.file("first.txt"))) << c.name;
    }
    EXPECT_TRUE(staysInside("a/b.h"));
    EXPECT_TRUE(staysInside("a..b"));
    EXPECT_FALSE(staysInside("a/../../b"));
    EXPECT_FALSE(staysInside("C:\\x"));
    EXPECT_FALSE(staysInside(""));
}

TEST(StageOtherFiles, PassiveFilesNeedTheirStoredCopies) {
    GeneratorWorkDir dir;
    dir.addResource("otherfileslist.txt", "\n");
    auto m = storedModule(dir, "Arm");
    ASSERT_TRUE(m->externals().assignList(model::kExternalPassive,
                                          {model::ExternalEntry(dir.file("src"), "lost.txt")}));
    StageRun run(dir, *m);
    std::string error;
    EXPECT_FALSE(OtherFilesStage(run.context).run(error));
    EXPECT_EQ(error, "Internal error indexing external file");
}
