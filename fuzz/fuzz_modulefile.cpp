// Module files of any shape, read from disk with their appendix: the loader
// never crashes, hangs or allocates without bound, leaves no temporary file
// behind, and a module it accepts is written again to a text that reads back
// to the same text.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>

#include "catalogues/ComponentCatalogue.h"
#include "model/OxaModule.h"
#include "model/persistence/ModuleFileReader.h"
#include "model/persistence/ModuleFileWriter.h"
#include "platform/Platform.h"

namespace orven_fuzz {

using namespace orven;

void require(bool condition) {
    if (!condition)
        std::abort();
}

struct Setup {
    std::string dir;
    std::string file;
    std::string externals;
    catalogues::ComponentCatalogue catalogue;

    Setup() {
        char pattern[] = "/tmp/orven-fuzz-modulefile-XXXXXX";
        require(::mkdtemp(pattern) != nullptr);
        dir = pattern;
        file = dir + "/input.oxa";
        externals = dir + "/externals";
        require(platform::makeDirectory(externals));
        const char* lines[] = {"H0001,\"Servo board\"", "E0000,\"Threads\"", "R0001,\"Scheduling\"",
                               "C0006,\"ORB\"", "F0001,\"Watchdog\""};
        for (const char* l : lines) {
            catalogues::CatalogueEntry e;
            require(catalogues::ComponentCatalogue::parseComponentLine(l, e));
            require(catalogue.add(e));
        }
    }
};

Setup& setup() {
    static Setup s;
    return s;
}

bool externalsEmpty() {
    std::vector<std::string> names;
    return platform::listDirectory(setup().externals, names) && names.empty();
}

}  // namespace orven_fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace orven;
    using namespace orven_fuzz;
    Setup& s = setup();
    {
        platform::File out = platform::createFile(s.file);
        require(static_cast<bool>(out));
        require(out.write(data, size));
    }
    std::string first;
    {
        std::unique_ptr<model::OxaModule> module;
        std::string message;
        const bool loaded = model::persistence::loadModuleFile(
            s.file, s.externals, model::kTemporaryGroupName, s.catalogue, module, message);
        require(loaded == (module != nullptr));
        if (loaded) {
            first = model::persistence::moduleFileText(*module, s.catalogue);
        } else {
            require(externalsEmpty());
        }
    }
    // The module's temporary files go with it.
    require(externalsEmpty());
    if (!first.empty()) {
        std::unique_ptr<model::OxaModule> again;
        std::string message;
        require(model::persistence::readModuleText(first, s.catalogue, again, message));
        require(model::persistence::moduleFileText(*again, s.catalogue) == first);
    }
    return 0;
}
