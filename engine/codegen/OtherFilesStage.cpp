#include "codegen/OtherFilesStage.h"

#include "codegen/ExternalExtraction.h"
#include "model/OxaModule.h"
#include "platform/Platform.h"

namespace orven::codegen {

bool staysInside(std::string_view path) {
    if (path.empty() || path[0] == '/' || path[0] == '\\')
        return false;
    if (path.size() >= 2 && path[1] == ':')  // a drive
        return false;
    std::size_t start = 0;
    while (start <= path.size()) {
        std::size_t end = path.find_first_of("/\\", start);
        if (end == std::string_view::npos)
            end = path.size();
        if (path.substr(start, end - start) == "..")
            return false;
        start = end + 1;
    }
    return true;
}

bool OtherFilesStage::run(std::string& error) {
    std::string list;
    if (!platform::readWholeFile(context_.resource(kOtherFilesList), list, true)) {
        error = "Other files list not found";
        return false;
    }
    std::size_t start = 0;
    while (start < list.size()) {
        std::size_t end = list.find('\n', start);
        if (end == std::string::npos)
            end = list.size();
        std::string line = list.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.empty())
            break;
        if (!staysInside(line) ||
            !platform::copyFile(context_.resource(line), context_.output(line))) {
            error = "Could not copy file [" + line + "]";
            return false;
        }
        start = end + 1;
    }

    const model::OxaModule& module = *context_.module;
    for (const model::ExternalEntry& entry : module.externals().list(model::kExternalPassive)) {
        if (!extractExternalFile(module, entry.name(), context_.outputDirectory, error))
            return false;
    }
    return true;
}

}  // namespace orven::codegen
