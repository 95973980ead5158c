// The build of a generated project with the Visual C++ 6.0 driver "msdev".
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "codegen/BuildTool.h"

namespace orven::codegen {

// The Visual C++ 6.0 command-line driver: builds the project file
// <project>.dsp in its configuration "<project> - Win32 Release" with
//   msdev <project>.dsp /MAKE "<project> - Win32 Release" > tempfile.tmp
// run in the build directory, and reads tempfile.tmp (left there) back.
class MsdevBuild : public BuildTool {
  public:
    // The captured output is read up to this size; a longer output is cut at
    // its last line end within the limit.
    static constexpr std::size_t kMaxOutputBytes = 16u << 20;
    static constexpr std::string_view kOutputFile = "tempfile.tmp";

    MsdevBuild(std::string directory, std::string project, std::string tool = "msdev")
        : BuildTool(std::move(directory)), project_(std::move(project)), tool_(std::move(tool)) {}

    // Records the current directory, enters the build directory, runs the
    // command line and reads the captured output; always returns to the
    // recorded directory. False when the directory cannot be entered, the
    // project name is refused (it contains ".dsp", or a byte other than a
    // letter, digit, "_" or "-", which would reach the command interpreter),
    // the interpreter cannot be started or the output cannot be read.
    bool Build(std::string& output) override;

    const std::string& project() const { return project_; }
    const std::string& tool() const { return tool_; }

    // The command line for the project.
    std::string commandLine() const;

  private:
    std::string project_;
    std::string tool_;
};

// Reads at most `limit` bytes of a file; when the file is longer, the text is
// cut after its last line end within the limit. False when the file cannot
// be opened or read.
bool readBuildOutput(std::string_view path, std::size_t limit, std::string& output);

// The project name of a module: "OXA_" + identifier of the module name +
// "_project".
std::string projectNameForModule(std::string_view moduleName);

}  // namespace orven::codegen
