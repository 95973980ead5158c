#include "GeneratorFixture.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

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
