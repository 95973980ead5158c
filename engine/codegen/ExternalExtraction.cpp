#include "codegen/ExternalExtraction.h"

#include "model/ExternalEntry.h"
#include "model/OxaModule.h"

namespace orven::codegen {

bool extractExternalFile(const model::OxaModule& module, std::string_view name,
                         std::string_view directory, std::string& error) {
    const model::TemporaryExternals* store = module.externals().store();
    if (store == nullptr)
        return true;
    int position = store->indexOf(name);
    if (position < 0) {
        error = "Internal error indexing external file";
        return false;
    }
    if (!model::isPlainFileName(name) ||
        !store->copyOut(static_cast<std::size_t>(position), directory, name)) {
        error = "Error copying external file to the compiling path";
        return false;
    }
    return true;
}

}  // namespace orven::codegen
