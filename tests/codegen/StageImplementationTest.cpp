#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "GeneratorFixture.h"
#include "codegen/ImplementationStage.h"
#include "model/OxaModule.h"

using namespace orven::codegen;
using namespace orven::test;
namespace model = orven::model;

namespace {
const std::string kHandlerParms = "const char *origin, ORVEN::EnteringInfo & orveninfo";
const std::string kMonitorParms = "ORVEN::EnteringInfo & orveninfo";
const std::string kNotCallable = "; // THIS SERVICE SHOULD NOT BE CALLED BY ANY MODULE";

// An atom library with one atom LOG(text).
const std::string kAtoms =
    "Atoms.\n#TPX-ZONE(LOG,text)#log(\"#TPX-MACRO(text,?)#\");#TPX-ENDZONE(LOG)#\n";

void headerEntries(std::vector<Registration>& to, std::uint32_t k, const std::string& group,
                   const std::string& service, const std::string& method, const std::string& parms,
                   const std::string& excps) {
    const std::string z = "IMPL_HEADER_FILE";
    to.push_back(rep(z, "services", "groupname", k, group));
    to.push_back(rep(z, "services", "groupdescr", k, group + " group description"));
    to.push_back(rep(z, "services", "servicename", k, service));
    to.push_back(rep(z, "services", "servicedescr", k, service + " service description"));
    to.push_back(rep(z, "services", "servicemethod", k, method));
    to.push_back(rep(z, "services", "serviceparms", k, parms));
    to.push_back(rep(z, "services", "serviceexcps", k, excps));
}

struct BodyService {
    std::string monitor, dynamic, group, service, serializing, method, parms, code, permanent;
};
void bodyEntries(std::vector<Registration>& to, std::uint32_t k, const BodyService& b) {
    const std::string z = "IMPL_BODY_FILE";
    to.push_back(rep(z, "services", "ismonitor", k, b.monitor));
    to.push_back(rep(z, "services", "isdynamicprio", k, b.dynamic));
    to.push_back(rep(z, "services", "indexofgroup", k, b.group));
    to.push_back(rep(z, "services", "indexofservice", k, b.service));
    to.push_back(rep(z, "services", "isserializing", k, b.serializing));
    to.push_back(rep(z, "services", "servicemethod", k, b.method));
    to.push_back(rep(z, "services", "serviceparms", k, b.parms));
    to.push_back(rep(z, "services", "servicecode", k, b.code));
    to.push_back(rep(z, "services", "servicepermanent", k, b.permanent));
}

// Splits a trace at the first registration of the body zone.
std::vector<Registration> part(const std::vector<Registration>& all, bool body) {
    std::vector<Registration> header, rest;
    bool inBody = false;
    for (const Registration& r : all) {
        if (r.kind == Registration::Repetition && r.zone == "IMPL_BODY_FILE")
            inBody = true;
        if (r.kind == Registration::Macro && r.name == "withVOXL")
            inBody = true;
        (inBody ? rest : header).push_back(r);
    }
    return body ? rest : header;
}

// Module "my module": group "G1" (a regular service "ping" and a monitor
// "watch dog", PERMANENT), group "G2" (a reentrant regular service "calc", a
// beta-event handler "onBump" and a notification handler "onNote").
std::unique_ptr<model::OxaModule> sampleModule() {
    auto m = cppModule("my module");
    addService(*m, "G1", "ping", 0).setServerCode(model::CodeSection("pong();\n"));
    addService(*m, "G1", "watch dog", 0, model::kMonitor | model::kPermanent | model::kPrioritized)
        .setServerCode(model::CodeSection("#TPX-INCLUDE(LOG,watching)#\nsleep(1);"));
    addService(*m, "G2", "calc", 0, model::kReentrant);
    addService(*m, "G2", "onBump", 1);
    addService(*m, "G2", "onNote", 2);
    return m;
}

const std::string kSkeleton =
    "class POA_ORVEN_my_module {\n"
    "  virtual void ping ( CORBA::Long x ) throw (( CORBA::SystemException )) = 0;\n"
    "  virtual CORBA::Long calc (  ) throw (( CORBA::SystemException )) = 0;\n"
    "};\n";
}  // namespace

TEST(StageImplementation, NotCompiledIdlGivesCommentsAndEveryValueInOrder) {
    GeneratorWorkDir dir;
    dir.addResource("scripts.tpx", fixtureScripts());
    dir.addResource("quenoratoms.tpx", kAtoms);
    auto m = sampleModule();
    m->externals().setExternalList(
        model::kExternalData,
        {model::ExternalEntry("C:\\inc", "pulse.h"), model::ExternalEntry("C:\\inc", "limits.h")});
    m->setSection(model::ModuleSection::GlobalData, model::CodeSection("int count;\nint max;"));
    m->setSection(model::ModuleSection::StartupCode,
                  model::CodeSection("#TPX-INCLUDE(LOG,start)#\nbegin();"));
    m->setSection(model::ModuleSection::PreEndingCode, model::CodeSection("pre();"));
    m->setSection(model::ModuleSection::PostEndingCode, model::CodeSection("post();\n"));
    m->setSection(model::ModuleSection::GlobalCode, model::CodeSection("int helper() {\n}\n"));
    ASSERT_TRUE(m->dependencies().add(model::ModuleDependency("Camera", "grab")));
    ASSERT_TRUE(m->dependencies().add(model::ModuleDependency("Camera", "")));
    ASSERT_TRUE(m->dependencies().add(model::ModuleDependency("Base Unit", "go")));

    StageRun run(dir, *m);
    std::string error;
    // Not compiled: no skeleton header is read, even when one is there.
    writeFile(dir.out("OXA_my_moduleS.h"), kSkeleton);
    ASSERT_TRUE(ImplementationStage(run.context, false, true).run(error)) << error;

    const std::string params =
        " /* IDL file not compiled. Consult the OXA_my_moduleS.h file for knowing the CORBA "
        "parameters of this method */ ";
    const std::string excps =
        " /* IDL file not compiled. Consult the OXA_my_moduleS.h file for knowing the CORBA "
        "exception raising list of this method */ ";
    std::vector<Registration> header;
    headerEntries(header, 0, "G1", "ping", "ping", params, excps);
    headerEntries(header, 1, "G1", "watch dog", "watch_dog", kMonitorParms, kNotCallable);
    headerEntries(header, 2, "G2", "calc", "calc", params, excps);
    headerEntries(header, 3, "G2", "onBump", "onBump", kHandlerParms, kNotCallable);
    headerEntries(header, 4, "G2", "onNote", "onNote", kHandlerParms, kNotCallable);
    header.push_back(mac("ORVENversion", "03.800"));
    header.push_back(mac("OXAname", "my module"));
    header.push_back(mac("implprot", "OXA_MY_MODULE_I"));
    header.push_back(mac("corbaroot", "OXA_my_moduleS"));
    header.push_back(mac("classname", "my_module"));
    header.push_back(mac("globaldata", "\tint count;\n\tint max;"));
    header.push_back(mac("externaldata", "#include \"pulse.h\"\n#include \"limits.h\"\n"));
    EXPECT_TRUE(sameRegistrations(part(run.trace.entries(), false), header));
    EXPECT_EQ(readFile(dir.out("OXA_my_module_i.h")), expectedPrint("IMPL_HEADER_FILE", header));

    std::vector<Registration> body;
    bodyEntries(body, 0,
                {"FALSE", "TRUE", "0", "0", "TRUE", "ping", params, "\tpong();\n", "FALSE"});
    // A monitor is a regular service: serializing unless REENTRANT.
    bodyEntries(body, 1,
                {"TRUE", "FALSE", "0", "1", "TRUE", "watch_dog", kMonitorParms,
                 "\tlog(\"watching\");\n\tsleep(1);", "TRUE"});
    // A service in the second group at position 0: indexes 1 and 0, k = 2.
    bodyEntries(body, 2, {"FALSE", "TRUE", "1", "0", "FALSE", "calc", params, "", "FALSE"});
    bodyEntries(body, 3,
                {"FALSE", "FALSE", "1", "1", "FALSE", "onBump", kHandlerParms, "", "FALSE"});
    bodyEntries(body, 4,
                {"FALSE", "FALSE", "1", "2", "FALSE", "onNote", kHandlerParms, "", "FALSE"});
    const std::string z = "IMPL_BODY_FILE";
    body.push_back(rep(z, "dependencies_headers", "corbaChfile", 0, "OXA_CameraC"));
    body.push_back(rep(z, "dependencies", "objectname", 0, "Camera"));
    body.push_back(rep(z, "dependencies", "objectvar", 0, "Camera_var"));
    body.push_back(rep(z, "dependencies_headers", "corbaChfile", 1, "OXA_Base_UnitC"));
    body.push_back(rep(z, "dependencies", "objectname", 1, "Base_Unit"));
    body.push_back(rep(z, "dependencies", "objectvar", 1, "Base_Unit_var"));
    body.push_back(mac("withVOXL", "true"));
    body.push_back(mac("ORVENversion", "03.800"));
    body.push_back(mac("OXAname", "my module"));
    body.push_back(mac("implheader", "OXA_my_module_i.h"));
    body.push_back(mac("myselfChfile", "OXA_my_moduleC"));
    body.push_back(mac("classname", "my_module"));
    body.push_back(mac("startupcode", "\tlog(\"start\");\n\tbegin();"));
    body.push_back(mac("globalcode", "int helper() {\n}\n"));
    body.push_back(mac("preendingcode", "\tpre();"));
    body.push_back(mac("postendingcode", "\tpost();\n"));
    EXPECT_TRUE(sameRegistrations(part(run.trace.entries(), true), body));
    EXPECT_EQ(readFile(dir.out("OXA_my_module_i.cpp")), expectedPrint("IMPL_BODY_FILE", body));
}

TEST(StageImplementation, CompiledIdlTakesParametersAndExceptionsFromTheSkeleton) {
    GeneratorWorkDir dir;
    dir.addResource("scripts.tpx", fixtureScripts());
    dir.addResource("quenoratoms.tpx", kAtoms);
    auto m = sampleModule();
    addService(*m, "G2", "lost", 0);  // not in the skeleton header
    writeFile(dir.out("OXA_my_moduleS.h"), kSkeleton);
    StageRun run(dir, *m);
    std::string error;
    ASSERT_TRUE(ImplementationStage(run.context, true, false).run(error)) << error;

    std::vector<Registration> header;
    const std::string raising = "throw (( CORBA::SystemException ));";
    headerEntries(header, 0, "G1", "ping", "ping", "CORBA::Long x", raising);
    headerEntries(header, 1, "G1", "watch dog", "watch_dog", kMonitorParms, kNotCallable);
    // An empty parameter list gives "void".
    headerEntries(header, 2, "G2", "calc", "calc", "void", raising);
    headerEntries(
        header, 3, "G2", "lost", "lost",
        " /* Parameters not found in IDL file compilation. Consult OXA_my_moduleS.h file */ ",
        " /* Exception raising list not found in IDL file compilation. Consult OXA_my_moduleS.h "
        "file */ ");
    headerEntries(header, 4, "G2", "onBump", "onBump", kHandlerParms, kNotCallable);
    headerEntries(header, 5, "G2", "onNote", "onNote", kHandlerParms, kNotCallable);
    std::vector<Registration> trace = part(run.trace.entries(), false);
    trace.resize(std::min(trace.size(), header.size()));
    EXPECT_TRUE(sameRegistrations(trace, header));

    // The body uses the same parameters; without VOXL.
    std::vector<Registration> body = part(run.trace.entries(), true);
    auto value = [&](const std::string& name, std::uint32_t k) {
        for (const Registration& r : body) {
            if (r.name == name && r.index == k && r.zone == "IMPL_BODY_FILE" &&
                r.area == "services")
                return r.value;
        }
        return std::string("<none>");
    };
    EXPECT_EQ(value("serviceparms", 0), "CORBA::Long x");
    EXPECT_EQ(value("serviceparms", 2), "void");
    EXPECT_EQ(value("servicemethod", 3), "lost");
    auto voxl = std::find_if(body.begin(), body.end(),
                             [](const Registration& r) { return r.name == "withVOXL"; });
    ASSERT_NE(voxl, body.end());
    EXPECT_EQ(voxl->value, "false");
}

TEST(StageImplementation, AModuleWithoutServicesOrDependencies) {
    GeneratorWorkDir dir;
    dir.addResource("scripts.tpx", fixtureScripts());
    dir.addResource("quenoratoms.tpx", kAtoms);
    auto m = cppModule("Empty");
    StageRun run(dir, *m);
    std::string error;
    ASSERT_TRUE(ImplementationStage(run.context, true, true).run(error) == false);
    // Compiled but no skeleton header: the header part fails first.
    EXPECT_EQ(error, "Thought that IDL was compiled, but files were not found");
    EXPECT_FALSE(fileExists(dir.out("OXA_Empty_i.cpp")));

    run.trace.clear();
    ASSERT_TRUE(ImplementationStage(run.context, false, true).run(error)) << error;
    for (const Registration& r : run.trace.entries())
        EXPECT_EQ(r.kind, Registration::Macro) << r;
}

TEST(StageImplementation, FailuresEndTheStageWithTheirMessage) {
    struct Case {
        std::string name;
        // Changes the module or the resources to provoke the failure.
        void (*prepare)(GeneratorWorkDir&, model::OxaModule&, std::string& output);
        std::string error;
        bool headerWritten;
        bool bodyWritten;
    };
    using model::CodeSection;
    using model::ModuleSection;
    const Case cases[] = {
        {"no scripts",
         [](GeneratorWorkDir& d, model::OxaModule&, std::string&) {
             std::filesystem::remove(d.resource("scripts.tpx"));
         },
         "File of code macroscripts not found", true, false},
        {"unwritable output",
         [](GeneratorWorkDir& d, model::OxaModule&, std::string& out) {
             writeFile(d.file("plain"), "x");
             out = d.file("plain/out");
         },
         "Impossible to write implementation .h file", false, false},
        {"no header zone",
         [](GeneratorWorkDir& d, model::OxaModule&, std::string&) {
             d.addResource("scripts.tpx", fixtureScripts({"IMPL_HEADER_FILE"}));
         },
         "Error applying macros on implementation header file macroscript", true, false},
        {"no body zone",
         [](GeneratorWorkDir& d, model::OxaModule&, std::string&) {
             d.addResource("scripts.tpx", fixtureScripts({"IMPL_BODY_FILE"}));
         },
         "Error applying macros on implementation body file macroscript", true, true},
        {"service code with an unterminated directive",
         [](GeneratorWorkDir&, model::OxaModule& m, std::string&) {
             m.findService("G1", "ping")->setServerCode(CodeSection("#TPX-IF(x)# never ends"));
         },
         "Error interpreting code of service ping", true, true},
        {"startup code",
         [](GeneratorWorkDir&, model::OxaModule& m, std::string&) {
             m.setSection(ModuleSection::StartupCode, CodeSection("#TPX-MACRO(x"));
         },
         "Error interpreting startup code", true, true},
        {"pre-ending code",
         [](GeneratorWorkDir&, model::OxaModule& m, std::string&) {
             m.setSection(ModuleSection::PreEndingCode, CodeSection("#TPX-INCLUDE(NOPE)#"));
         },
         "Error interpreting pre-ending code", true, true},
        {"post-ending code",
         [](GeneratorWorkDir&, model::OxaModule& m, std::string&) {
             m.setSection(ModuleSection::PostEndingCode,
                          CodeSection("#TPX-ZONE(Z)##TPX-ENDZONE(Z)#"));
         },
         "Error interpreting post-ending code", true, true},
        {"global code",
         [](GeneratorWorkDir&, model::OxaModule& m, std::string&) {
             m.setSection(ModuleSection::GlobalCode, CodeSection("#TPX-UNKNOWN#"));
         },
         "Error interpreting global code", true, true},
        {"no atom library",
         [](GeneratorWorkDir& d, model::OxaModule&, std::string&) {
             std::filesystem::remove(d.resource("quenoratoms.tpx"));
         },
         "Error interpreting code of service ping", true, true},
    };
    for (const Case& c : cases) {
        GeneratorWorkDir dir;
        dir.addResource("scripts.tpx", fixtureScripts());
        dir.addResource("quenoratoms.tpx", kAtoms);
        auto m = sampleModule();
        StageRun run(dir, *m);
        c.prepare(dir, *m, run.context.outputDirectory);
        std::string error;
        EXPECT_FALSE(ImplementationStage(run.context, false, true).run(error)) << c.name;
        EXPECT_EQ(error, c.error) << c.name;
        EXPECT_EQ(fileExists(dir.out("OXA_my_module_i.h")), c.headerWritten) << c.name;
        EXPECT_EQ(fileExists(dir.out("OXA_my_module_i.cpp")), c.bodyWritten) << c.name;
    }
}
