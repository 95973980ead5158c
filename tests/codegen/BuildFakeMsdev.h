// A scripted stand-in for the msdev build tool, for the build tests.
#pragma once

#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "TestSupport.h"

namespace orven::test {

// Replaces the search path for the lifetime of the object.
class ScopedPath {
  public:
    explicit ScopedPath(const std::string& path) {
        const char* old = std::getenv("PATH");
        saved_ = old ? old : "";
        ::setenv("PATH", path.c_str(), 1);
    }
    ~ScopedPath() { ::setenv("PATH", saved_.c_str(), 1); }
    ScopedPath(const ScopedPath&) = delete;
    ScopedPath& operator=(const ScopedPath&) = delete;
    const std::string& saved() const { return saved_; }

  private:
    std::string saved_;
};

// Puts a shell script named msdev with the given body first on the search
// path for the lifetime of the object.
class FakeMsdev {
  public:
    explicit FakeMsdev(const std::string& body)
        : path_(prepared(bin_, body) + ":" + currentPath()) {}

  private:
    static std::string currentPath() {
        const char* p = std::getenv("PATH");
        return p ? p : "";
    }
    static std::string prepared(const TempDir& bin, const std::string& body) {
        std::string script = bin.file("msdev");
        writeFile(script, "#!/bin/sh\n" + body);
        ::chmod(script.c_str(), 0755);
        return bin.path();
    }
    TempDir bin_;
    ScopedPath path_;
};

}  // namespace orven::test
