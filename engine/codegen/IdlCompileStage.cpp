#include "codegen/IdlCompileStage.h"

#include "platform/Platform.h"

namespace orven::codegen {

void splitPath(std::string_view path, std::string& directory, std::string& fileName) {
    std::size_t cut = path.find_last_of("/\\");
    if (cut == std::string_view::npos) {
        directory = ".";
        fileName = std::string(path);
        return;
    }
    directory = std::string(path.substr(0, cut));
    if (directory.empty())
        directory = std::string(path.substr(0, 1));  // the root directory
    fileName = std::string(path.substr(cut + 1));
}

bool IdlCompileStage::run(std::string& error) {
    platform::FileStatus status = platform::fileStatus(idlPath_);
    if (!status.exists || status.isDirectory) {
        error = "IDL file not found";
        return false;
    }
    std::string directory;
    std::string fileName;
    splitPath(idlPath_, directory, fileName);
    if (!platform::changeDirectory(directory)) {
        context_.returnToEngineDirectory();
        error = "Path of IDL file not reachable";
        return false;
    }
    // The file name is the module's base name, an identifier, so the command
    // line needs no quoting.
    int exitCode = platform::runCommand(compiler_ + " " + fileName);
    int errorNumber = platform::lastErrorNumber();
    if (!context_.returnToEngineDirectory()) {
        error = "Impossible to return to ORVEN path after compilation of the IDL file";
        return false;
    }
    if (exitCode != 0) {
        error = "Compilation of IDL file failed (tao_idl=" + std::to_string(exitCode) +
                ", errno=" + std::to_string(errorNumber) + ")";
        return false;
    }
    return true;
}

}  // namespace orven::codegen
