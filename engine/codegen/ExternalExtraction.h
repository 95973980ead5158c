// Extraction of a module's stored external files into the output directory.
#pragma once

#include <string>
#include <string_view>

namespace orven::model {
class OxaModule;
}

namespace orven::codegen {

// Copies the stored copy of the external file of that name into the
// directory. Nothing is done (true) when the module has no store. Fails with
// "Internal error indexing external file" when the store has no such file
// and with "Error copying external file to the compiling path" when the copy
// fails or the name would lead out of the directory ("..", an absolute path,
// a "/" or "\" in it).
bool extractExternalFile(const model::OxaModule& module, std::string_view name,
                         std::string_view directory, std::string& error);

}  // namespace orven::codegen
