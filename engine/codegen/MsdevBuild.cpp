#include "codegen/MsdevBuild.h"

#include <algorithm>

#include "macroscript/TextFunctions.h"
#include "platform/Platform.h"

namespace orven::codegen {

namespace {

// Only these bytes of a project name may reach the command line.
bool isSafeProjectName(std::string_view name) {
    if (name.empty())
        return false;
    return std::all_of(name.begin(), name.end(), [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
               c == '_' || c == '-';
    });
}

// Changes back to a recorded directory when it goes.
class ReturnTo {
  public:
    explicit ReturnTo(std::string dir) : dir_(std::move(dir)) {}
    ~ReturnTo() { platform::changeDirectory(dir_); }
    ReturnTo(const ReturnTo&) = delete;
    ReturnTo& operator=(const ReturnTo&) = delete;

  private:
    std::string dir_;
};

}  // namespace

std::string MsdevBuild::commandLine() const {
    std::string line = tool_;
    line += ' ';
    line += project_;
    line += ".dsp /MAKE \"";
    line += project_;
    line += " - Win32 Release\" > ";
    line += kOutputFile;
    return line;
}

bool MsdevBuild::Build(std::string& output) {
    std::string previous = platform::currentDirectory();
    if (previous.empty())
        return false;
    if (!platform::changeDirectory(directory()))
        return false;
    ReturnTo back(previous);
    if (project_.find(".dsp") != std::string::npos || !isSafeProjectName(project_))
        return false;
    if (platform::runCommand(commandLine()) == -1)
        return false;
    std::string captured;
    if (!readBuildOutput(kOutputFile, kMaxOutputBytes, captured))
        return false;
    output = std::move(captured);
    return true;
}

bool readBuildOutput(std::string_view path, std::size_t limit, std::string& output) {
    platform::FileStatus status = platform::fileStatus(path);
    if (!status.exists || status.isDirectory)
        return false;
    platform::File file = platform::openForReading(path);
    if (!file)
        return false;
    bool cut = status.size > limit;
    std::string text(cut ? limit : static_cast<std::size_t>(status.size), '\0');
    if (!text.empty() && !file.read(text.data(), text.size()))
        return false;
    if (cut) {
        std::size_t end = text.find_last_of("\r\n");
        text.resize(end == std::string::npos ? 0 : end + 1);
    }
    output = std::move(text);
    return true;
}

std::string projectNameForModule(std::string_view moduleName) {
    return "OXA_" + macroscript::ConvertToIdentifier(moduleName) + "_project";
}

}  // namespace orven::codegen
