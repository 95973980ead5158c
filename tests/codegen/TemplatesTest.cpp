// The code macro scripts of the C++ generator (scripts.tpx) and the
// resources beside them. The text checks need nothing but the files; the
// expansion checks fill the zones with the macros the stages register and
// compile what comes out against the ORB and the run-time support.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "TestSupport.h"

#if __has_include("macroscript/MacroScript.h")
#include "macroscript/MacroScript.h"
#include "macroscript/TextFunctions.h"
#define ORVEN_TEMPLATES_EXPAND 1
#endif

namespace {

using orven::test::fileExists;
using orven::test::readFile;

std::string resources() {
    return orven::test::sourceDir() + "/data/codegeneration/WindowsACE51TAO11CPP/";
}

std::string zoneBody(const std::string& text, const std::string& zone) {
    std::string open = "#TPX-ZONE(" + zone + ")#";
    size_t b = text.find(open);
    size_t e = text.find("#TPX-ENDZONE(" + zone + ")#");
    if (b == std::string::npos || e == std::string::npos || e < b)
        return std::string();
    return text.substr(b + open.size(), e - b - open.size());
}

struct ZoneUse {
    const char* zone;
    std::vector<const char*> macros;                               // simple macros
    std::vector<std::pair<const char*, const char*>> repetitions;  // area, macro
};

// What each stage registers; every template uses all of it.
const ZoneUse kZones[] = {
    {"ORVEN_IDL_FILE", {"ORVENversion", "OXAname"}, {}},
    {"IDL_FILE",
     {"ORVENversion", "OXAname", "OXAid", "predefinitions"},
     {{"services", "groupname"},
      {"services", "groupdescr"},
      {"services", "servicename"},
      {"services", "servicedescr"},
      {"services", "serviceid"},
      {"services", "serviceparms"},
      {"services", "comment"},
      {"betaeventsproduced", "betaeventname"},
      {"betaeventsproduced", "betaeventcode"},
      {"betaeventsproduced", "comment"}}},
    {"IMPL_HEADER_FILE",
     {"ORVENversion", "OXAname", "implprot", "corbaroot", "classname", "globaldata",
      "externaldata"},
     {{"services", "groupname"},
      {"services", "servicename"},
      {"services", "servicemethod"},
      {"services", "serviceparms"},
      {"services", "serviceexcps"}}},
    {"IMPL_BODY_FILE",
     {"withVOXL", "ORVENversion", "OXAname", "implheader", "myselfChfile", "classname",
      "startupcode", "globalcode", "preendingcode", "postendingcode"},
     {{"services", "ismonitor"},
      {"services", "isdynamicprio"},
      {"services", "indexofgroup"},
      {"services", "indexofservice"},
      {"services", "isserializing"},
      {"services", "servicemethod"},
      {"services", "serviceparms"},
      {"services", "servicecode"},
      {"services", "servicepermanent"},
      {"dependencies_headers", "corbaChfile"},
      {"dependencies", "objectname"},
      {"dependencies", "objectvar"}}},
    {"MAIN_FILE",
     {"ORVENversion", "OXAname", "numberofdeps", "implname", "classname", "therearemonitors",
      "therearedeps", "therearebetaevents", "numberofgroups", "maxnumberofservices"},
     {{"betaevents", "betaeventcode"},
      {"betaevents", "indexofgroup"},
      {"betaevents", "indexofservice"},
      {"betaevents", "betaeventhandler"},
      {"monitor_routines", "monitor_service_id"},
      {"monitor_routines", "monitor_service"},
      {"monitor_routines", "indexofgroup"},
      {"monitor_routines", "indexofservice"},
      {"monitor_thread_creation", "monitor_service_id"},
      {"monitor_thread_creation", "monitor_service"},
      {"monitor_thread_creation", "indexofgroup"},
      {"monitor_thread_creation", "indexofservice"},
      {"monitor_handles", "themonitorname"},
      {"monitor_thread_completion", "monitorname"},
      {"dependencies_headers", "corbaChfile"},
      {"dependencies", "objectname"},
      {"dependencies", "objectvar"},
      {"retrieve_deps", "objectname"},
      {"retrieve_deps", "objectvar"},
      {"retrieve_deps", "objectclass"},
      {"depdynreq", "objname"},
      {"depdynreq", "objvar"}}},
    {"DSW_FILE_ZONE", {"OXAName", "ORVENversion", "ProjectFileName"}, {}},
    {"DSP_FILE_ZONE",
     {"WithMFC", "withVOXL", "DSPFileName", "ORVENVersion", "MainFile", "ImplFiles", "CORBAFiles",
      "IDLFile", "CORBACompiler"},
     {{"server_objects", "serverCfile"},
      {"server_idls", "serverIDLFile"},
      {"server_headers", "serverCheaderfile"},
      {"external_toinclude", "externaltoinclude"},
      {"external_tocompile", "externaltocompile"},
      {"external_libs", "externaltolink"}}},
};

TEST(Templates, EveryZoneUsesWhatItsStageRegisters) {
    std::string text = readFile(resources() + "scripts.tpx");
    ASSERT_FALSE(text.empty());
    for (const ZoneUse& z : kZones) {
        SCOPED_TRACE(z.zone);
        std::string body = zoneBody(text, z.zone);
        ASSERT_FALSE(body.empty());
        for (const char* m : z.macros) {
            bool used = body.find(std::string("#TPX-MACRO(") + m + ",") != std::string::npos ||
                        body.find(std::string("#TPX-IF(") + m + ",") != std::string::npos;
            EXPECT_TRUE(used) << m;
        }
        for (const auto& [area, macro] : z.repetitions) {
            EXPECT_NE(body.find(std::string("#TPX-REPAREA(") + area + ")#"), std::string::npos)
                << area;
            EXPECT_NE(body.find(std::string("(") + area + "," + macro + ","), std::string::npos)
                << area << " " << macro;
        }
    }
}

TEST(Templates, ResourceTreesAndOtherFilesExist) {
    // The trees copied into every output directory must hold files.
    for (const char* f :
         {"voxl/voxl/orven_voxl.h", "voxl/voxl/orven_comms.h", "voxl/voxl/orven_comms.cpp",
          "voxl/voxl/orven_exec.h", "voxl/voxl/orven_exec.cpp", "voxl/voxl/orven_rt.h",
          "voxl/voxl/orven_rt.cpp", "voxl/voxl/orven_ft.h", "voxl/voxl/orven_ft.cpp",
          "ACE51TAO11/ACE51TAO11/orven_orb.h"})
        EXPECT_FALSE(readFile(resources() + f).empty()) << f;
    // Every VOXL source is listed in the project template.
    std::string dsp = zoneBody(readFile(resources() + "scripts.tpx"), "DSP_FILE_ZONE");
    for (const char* f : {"orven_comms.cpp", "orven_exec.cpp", "orven_rt.cpp", "orven_ft.cpp"})
        EXPECT_NE(dsp.find(std::string("SOURCE=.\\voxl\\") + f), std::string::npos) << f;
    // The list of other files ends at its first empty line; each file exists.
    std::string list = readFile(resources() + "otherfileslist.txt");
    size_t b = 0;
    int n = 0;
    while (b < list.size()) {
        size_t e = list.find('\n', b);
        std::string line = list.substr(b, e == std::string::npos ? std::string::npos : e - b);
        if (line.empty())
            break;
        EXPECT_TRUE(fileExists(resources() + line)) << line;
        ++n;
        if (e == std::string::npos)
            break;
        b = e + 1;
    }
    EXPECT_GE(n, 1);
}

#ifdef ORVEN_TEMPLATES_EXPAND

using orven::macroscript::ConvertToIdentifier;
using orven::macroscript::IndentLines;
using orven::macroscript::MacroScript;
using orven::test::TempDir;
using orven::test::writeFile;

int run(const std::string& dir, const std::string& command, std::string& out) {
    std::string line = "cd '" + dir + "' && " + command + " > run_out.txt 2>&1";
    int status = std::system(line.c_str());
    out = readFile(dir + "/run_out.txt");
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

struct Rep {
    std::string area, macro;
    unsigned index;
    std::string value;
};

std::string expand(const std::string& zone,
                   const std::vector<std::pair<std::string, std::string>>& macros,
                   const std::vector<Rep>& reps) {
    MacroScript script(readFile(resources() + "scripts.tpx"));
    for (const auto& [n, v] : macros)
        EXPECT_TRUE(script.RegisterMacro(n, v));
    for (const Rep& r : reps)
        script.RegisterRepetitionMacro(zone, r.area, r.macro, r.index, r.value);
    std::string out;
    EXPECT_TRUE(script.ApplyZone(zone, out, 0, '\t')) << zone << "\n" << out;
    return out;
}

// Module code interpreted against the atom library, as the body stage does.
std::string interpret(const std::string& code) {
    MacroScript script(readFile(resources() + "quenoratoms.tpx") +
                       "#TPX-ZONE(__iNtErPrEtInGzOnE__)#" + code +
                       "#TPX-ENDZONE(__iNtErPrEtInGzOnE__)#");
    std::string out;
    EXPECT_TRUE(script.ApplyZone("__iNtErPrEtInGzOnE__", out, 0, '\t')) << out;
    return out;
}

// An atom as the code assistant writes it into module code.
std::string atom(const std::string& name,
                 const std::vector<std::pair<std::string, std::string>>& values) {
    MacroScript script(
        readFile(orven::test::sourceDir() + "/data/quenoratoms/CPP/quenoratoms.tpx"));
    for (const auto& [n, v] : values)
        script.RegisterMacro(n, v);
    std::string out;
    EXPECT_TRUE(script.ApplyZone(name, out, 0, ' ')) << name;
    return out;
}

TEST(Templates, AssistantAtomsExpandAndInterpret) {
    std::string a = atom("rt-suspend", {{"seconds", "1"}, {"error_var", "err"}});
    EXPECT_EQ(a, "#TPX-INCLUDE(rt-suspend,'1','','err','')#");
    EXPECT_EQ(interpret(a), "/* real-time suspend */ err = ORVEN::rtSuspend(1, 0);");
    std::string r = atom("request-synchronous&blocking", {{"service", "Move"},
                                                          {"module", "Arm"},
                                                          {"method", "Move"},
                                                          {"object", "REMOTE_Arm_var"},
                                                          {"arguments", "1, 2, total"},
                                                          {"max_time", "INF"}});
    std::string code = interpret(r);
    EXPECT_NE(code.find("REMOTE_Arm_var->Move(1, 2, total, orven_request.info());"),
              std::string::npos)
        << code;
    EXPECT_NE(code.find("\"Move\", \"Arm\", -1, -1, -1"), std::string::npos) << code;
    // Every atom expands with no value given (the editor's probe) and, when
    // it is not <Not implemented>, interprets against the library.
    MacroScript cpp(readFile(orven::test::sourceDir() + "/data/quenoratoms/CPP/quenoratoms.tpx"));
    for (const char* name :
         {"terminateservice", "criticalzonecreate", "get-currenttime", "difftimes", "output-text",
          "read-commandlineargument", "receive-message-local-channel", "user-log"}) {
        std::string out;
        ASSERT_TRUE(cpp.ApplyZone(name, out, 0, ' ')) << name;
        EXPECT_FALSE(interpret(out).empty()) << name;
    }
}

// Runs the stages' registrations on a sample and checks the output compiles.
TEST(Templates, GeneratedModulesCompileAgainstTheOrbAndVoxl) {
    TempDir dir;
    auto write = [&](const std::string& name, const std::string& text) {
        writeFile(dir.file(name), text);
    };
    write("orven.idl",
          expand("ORVEN_IDL_FILE", {{"ORVENversion", "03.800"}, {"OXAname", "Arm"}}, {}));
    // The module Camera (a dependency) and the module Robot Arm.
    write("OXA_Camera.idl",
          expand("IDL_FILE",
                 {{"ORVENversion", "03.800"},
                  {"OXAname", "Camera"},
                  {"OXAid", "Camera"},
                  {"predefinitions", ""}},
                 {{"services", "groupname", 0, "Imaging"},
                  {"services", "servicename", 0, "Snap"},
                  {"services", "serviceid", 0, "Snap"},
                  {"services", "serviceparms", 0, "out long count,"},
                  {"services", "comment", 0, "(Regular Service)"},
                  {"betaeventsproduced", "betaeventname", 0, "Ready"},
                  {"betaeventsproduced", "betaeventcode", 0, "101"},
                  {"betaeventsproduced", "comment", 0, "Beta Event Definition"}}));
    const std::string handler =
        "in string origin /* THIS SERVICE SHOULD NOT BE CALLED BY ANY MODULE */,";
    const std::string monitor = "/* THIS SERVICE SHOULD NOT BE CALLED BY ANY MODULE */";
    struct Svc {
        const char* group;
        const char* name;
        int type;  // 0 regular, 1 beta handler, 2 notification handler, 3 monitor
        const char* idlParms;
        const char* code;
        bool permanent;
    };
    const Svc svcs[] = {
        {"Motion", "Move", 0, "in long x, in long y, out long total,",
         "total = x + y + twice(moves);\n#TPX-INCLUDE(send-beta-event,'Moved','Robot_Arm','Robot "
         "Arm','')#",
         false},
        {"Motion", "OnReady", 1, handler.c_str(),
         "#TPX-INCLUDE(get-event-origin,'lastOrigin','','')#", false},
        {"Motion", "Watch", 3, monitor.c_str(),
         "::CORBA::Long count = "
         "0;\n#TPX-INCLUDE(rt-suspend,'0','100000','','')#\n#TPX-INCLUDE(request-synchronous&"
         "blocking,'Snap','Camera','Snap','REMOTE_Camera_var','count','','0','INF','','','')#",
         true},
        {"Status", "OnDone", 2, handler.c_str(), "#TPX-INCLUDE(return-server-routine,'')#", false},
        {"Status", "Ping", 0, "", "#TPX-INCLUDE(terminateservice,'\"bye\"','')#", false},
    };
    std::vector<Rep> idl;
    for (unsigned k = 0; k < 5; ++k) {
        const Svc& s = svcs[k];
        const char* comment = s.type == 1   ? "(Beta Event Handler)"
                              : s.type == 2 ? "(Notification Handler)"
                                            : "(Regular Service)";
        for (const auto& [m, v] :
             std::vector<std::pair<std::string, std::string>>{{"groupname", s.group},
                                                              {"groupdescr", ""},
                                                              {"servicename", s.name},
                                                              {"servicedescr", "a service"},
                                                              {"serviceid", s.name},
                                                              {"serviceparms", s.idlParms},
                                                              {"comment", comment}})
            idl.push_back({"services", m, k, v});
    }
    idl.push_back({"betaeventsproduced", "betaeventname", 0, "Done"});
    idl.push_back({"betaeventsproduced", "betaeventcode", 0, "201"});
    idl.push_back({"betaeventsproduced", "comment", 0, "Notification Definition"});
    idl.push_back({"betaeventsproduced", "betaeventname", 1, "Moved"});
    idl.push_back({"betaeventsproduced", "betaeventcode", 1, "102"});
    idl.push_back({"betaeventsproduced", "comment", 1, "Beta Event Definition"});
    write("OXA_Robot_Arm.idl",
          expand("IDL_FILE",
                 {{"ORVENversion", "03.800"},
                  {"OXAname", "Robot Arm"},
                  {"OXAid", "Robot_Arm"},
                  {"predefinitions", "\t\ttypedef sequence<long> Positions;\n"}},
                 idl));
    std::string out;
    ASSERT_EQ(run(dir.path(), orven::test::binaryDir() + "/tools/bin/tao_idl OXA_Camera.idl", out),
              0)
        << out;
    ASSERT_EQ(
        run(dir.path(), orven::test::binaryDir() + "/tools/bin/tao_idl OXA_Robot_Arm.idl", out), 0)
        << out;
    std::string skeleton = readFile(dir.file("OXA_Robot_ArmS.h"));
    auto params = [&](const std::string& m) {
        size_t at = skeleton.find(" " + m + " (");
        size_t open = skeleton.find('(', at);
        size_t close = skeleton.find(')', open);
        std::string t = skeleton.substr(open + 1, close - open - 1);
        return t.substr(1, t.size() - 2);
    };

    std::vector<Rep> header, body, mainReps;
    const unsigned groupOf[] = {0, 0, 0, 1, 1};
    const unsigned posOf[] = {0, 1, 2, 0, 1};
    for (unsigned k = 0; k < 5; ++k) {
        const Svc& s = svcs[k];
        std::string p, e;
        if (s.type == 1 || s.type == 2) {
            p = "const char *origin, ORVEN::EnteringInfo & orveninfo";
            e = "; // THIS SERVICE SHOULD NOT BE CALLED BY ANY MODULE";
        } else if (s.type == 3) {
            p = "ORVEN::EnteringInfo & orveninfo";
            e = "; // THIS SERVICE SHOULD NOT BE CALLED BY ANY MODULE";
        } else {
            p = params(s.name);
            e = ";";
        }
        for (const auto& [m, v] :
             std::vector<std::pair<std::string, std::string>>{{"groupname", s.group},
                                                              {"groupdescr", ""},
                                                              {"servicename", s.name},
                                                              {"servicedescr", ""},
                                                              {"servicemethod", s.name},
                                                              {"serviceparms", p},
                                                              {"serviceexcps", e}})
            header.push_back({"services", m, k, v});
        std::string code = interpret(s.code);
        IndentLines(code, 1, '\t');
        for (const auto& [m, v] : std::vector<std::pair<std::string, std::string>>{
                 {"ismonitor", s.type == 3 ? "TRUE" : "FALSE"},
                 {"isdynamicprio", s.type == 0 ? "TRUE" : "FALSE"},
                 {"indexofgroup", std::to_string(groupOf[k])},
                 {"indexofservice", std::to_string(posOf[k])},
                 {"isserializing", s.type == 0 || s.type == 3 ? "TRUE" : "FALSE"},
                 {"servicemethod", s.name},
                 {"serviceparms", p},
                 {"servicecode", code},
                 {"servicepermanent", s.permanent ? "TRUE" : "FALSE"}})
            body.push_back({"services", m, k, v});
    }
    body.push_back({"dependencies_headers", "corbaChfile", 0, "OXA_CameraC"});
    body.push_back({"dependencies", "objectname", 0, "Camera"});
    body.push_back({"dependencies", "objectvar", 0, "Camera_var"});
    write("OXA_Robot_Arm_i.h",
          expand("IMPL_HEADER_FILE",
                 {{"ORVENversion", "03.800"},
                  {"OXAname", "Robot Arm"},
                  {"implprot", "OXA_ROBOT_ARM_I"},
                  {"corbaroot", "OXA_Robot_ArmS"},
                  {"classname", "Robot_Arm"},
                  {"globaldata", "\tint moves = 0;\n\tstd::string lastOrigin;\n"},
                  {"externaldata", "#include <cmath>\n"}},
                 header));
    write("OXA_Robot_Arm_i.cpp",
          expand("IMPL_BODY_FILE",
                 {{"withVOXL", "true"},
                  {"ORVENversion", "03.800"},
                  {"OXAname", "Robot Arm"},
                  {"implheader", "OXA_Robot_Arm_i.h"},
                  {"myselfChfile", "OXA_Robot_ArmC"},
                  {"classname", "Robot_Arm"},
                  {"startupcode", "\t" + interpret("#TPX-INCLUDE(criticalzonecreate,'2','','')#")},
                  {"globalcode", "static int twice(int v) { return 2 * v; }\n"},
                  {"preendingcode", "\t" + interpret("#TPX-INCLUDE(user-log,'\"ending\"','')#")},
                  {"postendingcode", ""}},
                 body));
    mainReps = {{"betaevents", "betaeventcode", 0, "ORVEN::Camera::Ready"},
                {"betaevents", "indexofgroup", 0, "0"},
                {"betaevents", "indexofservice", 0, "1"},
                {"betaevents", "betaeventhandler", 0, "OnReady"},
                {"dependencies_headers", "corbaChfile", 0, "OXA_CameraC"},
                {"betaevents", "betaeventcode", 1, "ORVEN::Robot_Arm::Done"},
                {"betaevents", "indexofgroup", 1, "1"},
                {"betaevents", "indexofservice", 1, "0"},
                {"betaevents", "betaeventhandler", 1, "OnDone"}};
    for (const char* area : {"monitor_routines", "monitor_thread_creation"}) {
        mainReps.push_back({area, "monitor_service_id", 0, "Watch"});
        mainReps.push_back({area, "monitor_service", 0, "Watch"});
        mainReps.push_back({area, "indexofgroup", 0, "0"});
        mainReps.push_back({area, "indexofservice", 0, "2"});
    }
    mainReps.push_back({"monitor_handles", "themonitorname", 0, "Watch"});
    mainReps.push_back({"monitor_thread_completion", "monitorname", 0, "Watch"});
    mainReps.push_back({"dependencies", "objectname", 0, "Camera"});
    mainReps.push_back({"dependencies", "objectvar", 0, "Camera_var"});
    mainReps.push_back({"dependencies_headers", "corbaChfile", 1, "OXA_CameraC"});
    mainReps.push_back({"retrieve_deps", "objectname", 0, "Camera"});
    mainReps.push_back({"retrieve_deps", "objectvar", 0, "Camera_var"});
    mainReps.push_back({"retrieve_deps", "objectclass", 0, "Camera"});
    mainReps.push_back({"depdynreq", "objname", 0, "Camera"});
    mainReps.push_back({"depdynreq", "objvar", 0, "Camera_var"});
    write("OXA_Robot_Arm_main.cpp", expand("MAIN_FILE",
                                           {{"ORVENversion", "03.800"},
                                            {"OXAname", "Robot Arm"},
                                            {"numberofdeps", "1"},
                                            {"implname", "OXA_Robot_Arm_i"},
                                            {"classname", "Robot_Arm"},
                                            {"therearemonitors", "TRUE"},
                                            {"therearedeps", "TRUE"},
                                            {"therearebetaevents", "TRUE"},
                                            {"numberofgroups", "2"},
                                            {"maxnumberofservices", "3"}},
                                           mainReps));
    std::string dsp = expand("DSP_FILE_ZONE",
                             {{"WithMFC", "false"},
                              {"withVOXL", "true"},
                              {"DSPFileName", "OXA_Robot_Arm_project"},
                              {"ORVENVersion", "03.800"},
                              {"MainFile", "OXA_Robot_Arm_main"},
                              {"ImplFiles", "OXA_Robot_Arm_i"},
                              {"CORBAFiles", "OXA_Robot_Arm"},
                              {"IDLFile", "OXA_Robot_Arm"},
                              {"Directory", dir.path()},
                              {"CORBACompiler", "tao_idl"}},
                             {{"server_objects", "serverCfile", 0, "OXA_CameraC"},
                              {"server_idls", "serverIDLFile", 0, "OXA_Camera"},
                              {"server_headers", "serverCheaderfile", 0, "OXA_CameraC"},
                              {"external_libs", "externaltolink", 0, "mathlib.LIB"}});
    for (const char* line : {"SOURCE=.\\OXA_Robot_Arm_main.cpp", "SOURCE=.\\OXA_Robot_Arm_i.cpp",
                             "SOURCE=.\\OXA_Robot_ArmC.cpp", "SOURCE=.\\OXA_CameraC.cpp",
                             "SOURCE=.\\orvenC.cpp", "SOURCE=.\\mathlib.LIB",
                             "/I \".\" /I \"ACE51TAO11\" /I \"voxl\"", " mathlib.LIB /nologo"})
        EXPECT_NE(dsp.find(line), std::string::npos) << line;
    EXPECT_NE(expand("DSW_FILE_ZONE",
                     {{"OXAName", "Robot Arm"},
                      {"ORVENversion", "03.800"},
                      {"ProjectFileName", "OXA_Robot_Arm_project"}},
                     {})
                  .find("Project: \"OXA_Robot_Arm_project\"=\".\\OXA_Robot_Arm_project.dsp\""),
              std::string::npos);

    std::string voxl = resources() + "voxl/voxl";
    for (const char* src : {"OXA_Robot_Arm_i.cpp", "OXA_Robot_Arm_main.cpp"}) {
        EXPECT_EQ(
            run(dir.path(),
                "g++ -std=gnu++17 -fsyntax-only -Wall -Werror -I. -I'" + voxl + "' " + src, out),
            0)
            << src << "\n"
            << out << "\n"
            << readFile(dir.file(src));
    }
}

#endif

}  // namespace
