// Building a generated project with an outside build tool and capturing what
// the tool writes on its standard output.
#pragma once

#include <string>
#include <utility>

namespace orven::codegen {

// A build of the project in one working directory.
class BuildTool {
  public:
    explicit BuildTool(std::string directory) : directory_(std::move(directory)) {}
    virtual ~BuildTool() = default;
    BuildTool(const BuildTool&) = delete;
    BuildTool& operator=(const BuildTool&) = delete;

    // Runs the build; true when it ran and its output was captured into
    // `output` (whether the build itself succeeded is up to the output).
    virtual bool Build(std::string& output) = 0;

    const std::string& directory() const { return directory_; }

  private:
    std::string directory_;
};

}  // namespace orven::codegen
