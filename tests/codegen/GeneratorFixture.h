// Helpers of the code-generation tests: an engine directory with the
// generator's resource directory, fake support trees, fixture scripts and
// a fake IDL compiler on the search path.
#pragma once

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
