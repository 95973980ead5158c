// Exports of the engine itself: start and end, and the general utilities
// that belong to no model object.
#include <cstddef>
#include <cstring>
#include <string>

#include "api/Boundary.h"
#include "api/EngineState.h"
#include "model/TextRules.h"
#include "model/TimeRestriction.h"
#include "orven.h"
#include "platform/Platform.h"

using namespace orven;
using orven::api::guarded;
using orven::api::textIn;
using orven::api::textOut;

namespace {
constexpr char kVersion[] = "03.800";
constexpr char kDefaultExternalsDirectory[] = "externals";
// The externals directory must stay under this many bytes.
constexpr std::size_t kExternalsDirectoryLimit = 160;
constexpr char kComponentsFile[] = "nonportable.cps";
}  // namespace

ORVEN_API InitializeOrvenInterface(const char* externalsDirectory, const char* reserved,
                                   char* errorBuffer, int errorSize) {
    (void)reserved;  // has no effect
    return guarded([&] {
        EngineState& e = engine();
        e.ready = false;
        e.deportabilizationBackupTaken = true;
        e.module.reset();
        e.macroScript.reset();

        std::string directory = textIn(externalsDirectory);
        if (directory.empty())
            directory = kDefaultExternalsDirectory;
        if (directory.size() >= kExternalsDirectoryLimit) {
            textOut("Externals directory name too long", errorBuffer, errorSize);
            return 0;
        }
        e.externalsDirectory = directory;

        if (!e.catalogue.LoadComponents(kComponentsFile)) {
            textOut("Could not initiate non-portable component definitions", errorBuffer,
                    errorSize);
            return 0;
        }
        e.deportabilizationBackupTaken = false;
        e.ready = true;
        return 1;
    });
}

ORVEN_API FinalizeOrvenInterface(void) {
    return guarded([&] {
        EngineState& e = engine();
        e.module.reset();
        e.priorityCalculator.reset();
        e.application.reset();
        e.ready = false;
        return 1;
    });
}

ORVEN_API ORVENVersion(char* buffer) {
    return guarded([&] {
        if (buffer == nullptr)
            return 0;
        std::memcpy(buffer, kVersion, sizeof kVersion);
        return static_cast<int>(sizeof kVersion);
    });
}

ORVEN_API IsDefinedCurrentOXAModule(void) {
    return guarded([&] { return engine().module ? 1 : 0; });
}

ORVEN_API ValidateDescription(const char* text) {
    return guarded([&] { return model::isValidDescription(textIn(text)) ? 1 : 0; });
}

ORVEN_API TimeIncluded(const float* outerPair, const float* innerPair) {
    return guarded([&] {
        if (outerPair == nullptr || innerPair == nullptr)
            return 0;
        const model::TimeRestriction outer(outerPair[0], outerPair[1]);
        const model::TimeRestriction inner(innerPair[0], innerPair[1]);
        return outer.includes(inner) ? 1 : 0;
    });
}

ORVEN_API GetDateOfFile(const char* filePath, char* buffer, int size) {
    return guarded([&] {
        const std::string path = textIn(filePath);
        if (path.empty())
            return 0;
        {
            platform::File file = platform::openExisting(path);
            if (!file)
                return 0;
        }
        const platform::FileStatus status = platform::fileStatus(path);
        if (!status.exists)
            return 0;
        textOut(platform::ctimeText(status.modificationTime), buffer, size);
        return 1;
    });
}
