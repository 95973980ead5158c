// Helpers shared by the engine's tests.
#pragma once

#include <string>

namespace orven::test {

// The source tree and the build tree of this build.
std::string sourceDir();
std::string binaryDir();

// A fresh directory under the system's temporary directory, removed with
// everything in it when the object goes.
class TempDir {
  public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::string& path() const { return path_; }
    std::string file(const std::string& name) const { return path_ + "/" + name; }

  private:
    std::string path_;
};

// Changes the process's current directory for the lifetime of the object.
class ScopedCwd {
  public:
    explicit ScopedCwd(const std::string& dir);
    ~ScopedCwd();

  private:
    std::string previous_;
};

// Writes a file (bytes as given); fails the test when it cannot.
void writeFile(const std::string& path, const std::string& bytes);
// Reads a whole file as bytes; empty when it cannot be read.
std::string readFile(const std::string& path);
bool fileExists(const std::string& path);

// A working directory for the engine: a temporary directory holding a copy
// of the project's data/ and an empty "externals" directory, made current
// for the lifetime of the object.
class EngineWorkDir {
  public:
    EngineWorkDir();
    const std::string& path() const { return dir_.path(); }
    std::string file(const std::string& name) const { return dir_.file(name); }

  private:
    TempDir dir_;
    ScopedCwd cwd_;
};

}  // namespace orven::test
