// Helpers of the code-generation tests: an engine directory with the
// generator's resource directory, fake support trees, fixture scripts and
// a fake IDL compiler on the search path.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "TestSupport.h"

namespace orven::test {

// The resource directory below an engine directory.
inline const std::string kResources = "codegeneration/WindowsACE51TAO11CPP/";

// A temporary engine directory, made current, with an output directory
// "out" beside the resources. What the resource directory holds is up to
// the test (see the add... helpers).
class GeneratorWorkDir {
  public:
    GeneratorWorkDir();
    ~GeneratorWorkDir();
    GeneratorWorkDir(const GeneratorWorkDir&) = delete;
    GeneratorWorkDir& operator=(const GeneratorWorkDir&) = delete;
    const std::string& path() const { return dir_.path(); }
    std::string file(const std::string& name) const { return dir_.file(name); }
    std::string resource(const std::string& name) const { return file(kResources + name); }
    std::string output() const { return file("out"); }
    std::string out(const std::string& name) const { return file("out/" + name); }

    // The resource directory itself (empty).
    void addResourceDirectory();
    // A small ACE+TAO tree and VOXL tree.
    void addSupportTrees();
    // A resource file with the given contents.
    void addResource(const std::string& name, const std::string& contents);
    // A fake "tao_idl" in bin/, put first on the search path for the life of
    // the object: it appends its working directory and arguments to
    // idl.log, copies the file named by $FAKE_IDL_HEADER (if set) to the
    // skeleton header of the IDL file and exits with $FAKE_IDL_EXIT (0 when
    // unset).
    void addFakeIdlCompiler();
    std::string idlLog() const { return readFile(file("idl.log")); }

  private:
    TempDir dir_;
    ScopedCwd cwd_;
    std::string oldPath_;
    bool pathChanged_ = false;
};

// Makes a directory and its parents; fails the test when it cannot.
void makeDirectories(const std::string& path);

}  // namespace orven::test

#include <vector>

#include "codegen/RegistrationTrace.h"

namespace orven::test {

// What a fixture zone prints: its simple macros, and for each repetition
// area the macros of every repetition.
struct FixtureArea {
    std::string name;
    std::vector<std::string> macros;
};
struct FixtureZone {
    std::string name;
    std::vector<std::string> macros;
    std::vector<FixtureArea> areas;
};

// The zones of the code macro scripts with every macro and area the stages
// register.
const std::vector<FixtureZone>& fixtureZones();

// A "scripts.tpx" whose zones print every value they receive: a line
// "name=[value]" per simple macro ("<unset>" when not registered), then per
// area one line per repetition "area#i: m1=[v1] m2=[v2] ...". Zones named in
// `without` are left out.
std::string fixtureScripts(const std::vector<std::string>& without = {});

// What the fixture zone prints for a list of registrations (the expansion
// rules for simple macros and repetitions, applied by hand).
std::string expectedPrint(const std::string& zone,
                          const std::vector<orven::codegen::Registration>& registrations);

// Shorthands for expected registrations.
inline orven::codegen::Registration mac(std::string name, std::string value) {
    return orven::codegen::Registration::macro(std::move(name), std::move(value));
}
inline orven::codegen::Registration rep(std::string zone, std::string area, std::string name,
                                        std::uint32_t index, std::string value) {
    return orven::codegen::Registration::repetition(std::move(zone), std::move(area),
                                                    std::move(name), index, std::move(value));
}

// Compares two registration lists entry by entry, naming the first
// difference.
::testing::AssertionResult sameRegistrations(
    const std::vector<orven::codegen::Registration>& actual,
    const std::vector<orven::codegen::Registration>& expected);

}  // namespace orven::test

#include <memory>

#include "codegen/GenerationContext.h"
#include "model/OxaModule.h"

namespace orven::test {

// A C++ module without externals store.
std::unique_ptr<orven::model::OxaModule> cppModule(const std::string& name);

// Adds a service (and its group when missing, described "<group> group
// description"), described "<service> service description"; fails the test
// when the model refuses the type or the flags.
orven::model::Service& addService(orven::model::OxaModule& module, const std::string& group,
                                  const std::string& service, int type = 0,
                                  std::uint32_t flags = 0);

// A context for running one stage: the current directory as engine
// directory, the work dir's "out" as output directory, with a trace.
struct StageRun {
    explicit StageRun(const GeneratorWorkDir& dir, const orven::model::OxaModule& module);
    orven::codegen::GenerationContext context;
    orven::codegen::RegistrationTrace trace;
};

}  // namespace orven::test
