#include "GeneratorFixture.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>

namespace fs = std::filesystem;

namespace orven::test {

void makeDirectories(const std::string& path) {
    std::error_code ec;
    fs::create_directories(path, ec);
    ASSERT_FALSE(ec) << "cannot create " << path;
}

GeneratorWorkDir::GeneratorWorkDir() : dir_(), cwd_(dir_.path()) {
    makeDirectories(output());
}

GeneratorWorkDir::~GeneratorWorkDir() {
    if (pathChanged_)
        ::setenv("PATH", oldPath_.c_str(), 1);
}

void GeneratorWorkDir::addResourceDirectory() {
    makeDirectories(file(kResources));
}

void GeneratorWorkDir::addSupportTrees() {
    makeDirectories(resource("ACE51TAO11/ace"));
    writeFile(resource("ACE51TAO11/ace/OS.h"), "// ace\n");
    writeFile(resource("ACE51TAO11/README"), "ace+tao\n");
    writeFile(resource("ACE51TAO11/.hidden"), "skip me\n");
    makeDirectories(resource("voxl"));
    writeFile(resource("voxl/voxl.h"), "// voxl\n");
}

void GeneratorWorkDir::addResource(const std::string& name, const std::string& contents) {
    makeDirectories(fs::path(resource(name)).parent_path().string());
    writeFile(resource(name), contents);
}

void GeneratorWorkDir::addFakeIdlCompiler() {
    makeDirectories(file("bin"));
    std::string script = file("bin/tao_idl");
    writeFile(
        script,
        "#!/bin/sh\n"
        "echo \"$PWD $*\" >> '" +
            file("idl.log") +
            "'\n"
            "if [ -n \"$FAKE_IDL_HEADER\" ]; then cp \"$FAKE_IDL_HEADER\" \"${1%.idl}S.h\"; fi\n"
            "exit ${FAKE_IDL_EXIT:-0}\n");
    ::chmod(script.c_str(), 0755);
    if (!pathChanged_) {
        const char* old = std::getenv("PATH");
        oldPath_ = old ? old : "";
        pathChanged_ = true;
    }
    std::string path = file("bin") + ":" + oldPath_;
    ::setenv("PATH", path.c_str(), 1);
}

}  // namespace orven::test

#include <map>
#include <set>
#include <tuple>

namespace orven::test {

using orven::codegen::Registration;

const std::vector<FixtureZone>& fixtureZones() {
    static const std::vector<FixtureZone> zones = {
        {"ORVEN_IDL_FILE", {"ORVENversion", "OXAname"}, {}},
        {"IDL_FILE",
         {"ORVENversion", "OXAname", "OXAid", "predefinitions"},
         {{"services",
           {"groupname", "groupdescr", "servicename", "servicedescr", "serviceid", "serviceparms",
            "comment"}},
          {"betaeventsproduced", {"betaeventname", "betaeventcode", "comment"}}}},
        {"IMPL_HEADER_FILE",
         {"ORVENversion", "OXAname", "implprot", "corbaroot", "classname", "globaldata",
          "externaldata"},
         {{"services",
           {"groupname", "groupdescr", "servicename", "servicedescr", "servicemethod",
            "serviceparms", "serviceexcps"}}}},
        {"IMPL_BODY_FILE",
         {"withVOXL", "ORVENversion", "OXAname", "implheader", "myselfChfile", "classname",
          "startupcode", "globalcode", "preendingcode", "postendingcode"},
         {{"services",
           {"ismonitor", "isdynamicprio", "indexofgroup", "indexofservice", "isserializing",
            "servicemethod", "serviceparms", "servicecode", "servicepermanent"}},
          {"dependencies_headers", {"corbaChfile"}},
          {"dependencies", {"objectname", "objectvar"}}}},
        {"MAIN_FILE",
         {"ORVENversion", "OXAname", "numberofdeps", "implname", "classname", "therearemonitors",
          "therearedeps", "therearebetaevents", "numberofgroups", "maxnumberofservices"},
         {{"betaevents", {"betaeventcode", "indexofgroup", "indexofservice", "betaeventhandler"}},
          {"monitor_routines",
           {"monitor_service_id", "monitor_service", "indexofgroup", "indexofservice"}},
          {"monitor_thread_creation",
           {"monitor_service_id", "monitor_service", "indexofgroup", "indexofservice"}},
          {"monitor_handles", {"themonitorname"}},
          {"monitor_thread_completion", {"monitorname"}},
          {"dependencies_headers", {"corbaChfile"}},
          {"dependencies", {"objectname", "objectvar"}},
          {"retrieve_deps", {"objectname", "objectvar", "objectclass"}},
          {"depdynreq", {"objname", "objvar"}}}},
        {"DSW_FILE_ZONE", {"OXAName", "ORVENversion", "ProjectFileName"}, {}},
        {"DSP_FILE_ZONE",
         {"WithMFC", "withVOXL", "DSPFileName", "ORVENVersion", "MainFile", "ImplFiles",
          "CORBAFiles", "IDLFile", "Directory", "CORBACompiler"},
         {{"server_objects", {"serverCfile"}},
          {"server_idls", {"serverIDLFile"}},
          {"server_headers", {"serverCheaderfile"}},
          {"external_toinclude", {"externaltoinclude"}},
          {"external_tocompile", {"externaltocompile"}},
          {"external_libs", {"externaltolink"}}}},
    };
    return zones;
}

std::string fixtureScripts(const std::vector<std::string>& without) {
    std::string s = "Fixture scripts: every zone prints what it receives.\n\n";
    for (const FixtureZone& z : fixtureZones()) {
        if (std::find(without.begin(), without.end(), z.name) != without.end())
            continue;
        s += "#TPX-ZONE(" + z.name + ")#zone " + z.name + "\n";
        for (const std::string& m : z.macros)
            s += m + "=[#TPX-MACRO(" + m + ",<unset>)#]\n";
        for (const FixtureArea& a : z.areas) {
            s += "#TPX-REPAREA(" + a.name + ")#" + a.name + "##TPX-REPINDEX(" + a.name + ")#:";
            for (const std::string& m : a.macros)
                s += " " + m + "=[#TPX-REPMACRO(" + a.name + "," + m + ",<unset>)#]";
            s += "\n#TPX-ENDREPAREA(" + a.name + ")#";
        }
        s += "#TPX-ENDZONE(" + z.name + ")#\n\n";
    }
    return s;
}

std::string expectedPrint(const std::string& zone, const std::vector<Registration>& regs) {
    std::map<std::string, std::string> macros;
    std::map<std::tuple<std::string, std::string, std::string, std::uint32_t>, std::string> reps;
    std::map<std::string, std::uint32_t> counts;
    for (const Registration& r : regs) {
        switch (r.kind) {
            case Registration::Macro:
                macros[r.name] = r.value;
                break;
            case Registration::Repetition:
                reps.emplace(std::make_tuple(r.zone, r.area, r.name, r.index), r.value);
                counts[r.area] = std::max(counts[r.area], r.index + 1);
                break;
            case Registration::Clean:
                macros.clear();
                reps.clear();
                counts.clear();
                break;
        }
    }
    const FixtureZone* z = nullptr;
    for (const FixtureZone& candidate : fixtureZones()) {
        if (candidate.name == zone)
            z = &candidate;
    }
    if (z == nullptr)
        return "<no such fixture zone>";
    std::string s = "zone " + zone + "\n";
    for (const std::string& m : z->macros) {
        auto it = macros.find(m);
        s += m + "=[" + (it == macros.end() ? "<unset>" : it->second) + "]\n";
    }
    for (const FixtureArea& a : z->areas) {
        for (std::uint32_t i = 0; i < counts[a.name]; ++i) {
            s += a.name + "#" + std::to_string(i) + ":";
            for (const std::string& m : a.macros) {
                auto it = reps.find(std::make_tuple(zone, a.name, m, i));
                s += " " + m + "=[" + (it == reps.end() ? "<unset>" : it->second) + "]";
            }
            s += "\n";
        }
    }
    return s;
}

::testing::AssertionResult sameRegistrations(const std::vector<Registration>& actual,
                                             const std::vector<Registration>& expected) {
    std::size_t n = std::min(actual.size(), expected.size());
    for (std::size_t i = 0; i < n; ++i) {
        if (!(actual[i] == expected[i])) {
            return ::testing::AssertionFailure()
                   << "registration " << i << " is " << actual[i] << ", expected " << expected[i];
        }
    }
    if (actual.size() > n)
        return ::testing::AssertionFailure() << "extra registration " << n << ": " << actual[n];
    if (expected.size() > n)
        return ::testing::AssertionFailure() << "missing registration " << n << ": " << expected[n];
    return ::testing::AssertionSuccess();
}

}  // namespace orven::test

#include "catalogues/CodificationLanguage.h"
#include "platform/Platform.h"

namespace orven::test {

std::unique_ptr<model::OxaModule> cppModule(const std::string& name) {
    auto m = std::make_unique<model::OxaModule>(name, name + " module description");
    m->setCodificationLanguage(
        catalogues::CodificationLanguage(catalogues::CodificationLanguage::kCpp));
    return m;
}

model::Service& addService(model::OxaModule& module, const std::string& group,
                           const std::string& service, int type, std::uint32_t flags) {
    model::GroupOfServices* g = module.findGroup(group);
    if (g == nullptr)
        g = module.addGroup(group, group + " group description");
    EXPECT_NE(g, nullptr) << group;
    model::Service* s = g->addService(service, service + " service description");
    EXPECT_NE(s, nullptr) << service;
    EXPECT_TRUE(s->setType(type)) << service;
    EXPECT_TRUE(s->setCharacteristics(flags)) << service;
    return *s;
}

StageRun::StageRun(const GeneratorWorkDir& dir, const model::OxaModule& module) {
    context.module = &module;
    context.engineDirectory = platform::currentDirectory();
    context.outputDirectory = dir.output();
    context.trace = &trace;
}

}  // namespace orven::test
