// Exports of the catalogues: codification languages, general platforms and
// the component catalogue.
#include "api/Boundary.h"
#include "api/EngineState.h"
#include "catalogues/CodificationLanguage.h"
#include "orven.h"

using namespace orven;
using catalogues::CodificationLanguage;
using catalogues::PlatformCategory;

namespace {
int languageCount() {
    return static_cast<int>(CodificationLanguage::defined().size());
}
}  // namespace

ORVEN_API LoadComponentsFile(const char* path) {
    return api::guarded(
        [&] { return engine().catalogue.LoadComponents(api::textIn(path)) ? 1 : 0; });
}

ORVEN_API NumberOfDefinedCodificationLanguages(void) {
    return languageCount();
}

ORVEN_API GetCodificationLanguageName(int position, char* buffer, int size) {
    return api::guarded([&] {
        if (position == languageCount()) {
            api::textOut(CodificationLanguage().name(), buffer, size);
            return 1;
        }
        if (position < 0 || position > languageCount() || buffer == nullptr)
            return 0;
        api::textOut(CodificationLanguage::atPosition(position).name(), buffer, size);
        return 1;
    });
}

ORVEN_API GetAssistantMacroScriptFile(int position, char* buffer, int size) {
    return api::guarded([&] {
        if (buffer == nullptr || position < 0 || position >= languageCount())
            return 0;
        std::string path = CodificationLanguage::atPosition(position).assistantScriptPath();
        api::textOut(path, buffer, size);
        return path.empty() ? 0 : 1;
    });
}

ORVEN_API NumberOfDefinedGeneralPlatforms(void) {
    return static_cast<int>(PlatformCategory::defined().size());
}

ORVEN_API NameOfGeneralPlatform(int position, char* buffer, int size) {
    return api::guarded([&] {
        PlatformCategory category = PlatformCategory::atPosition(position);
        if (category.isNone() || buffer == nullptr)
            return 0;
        api::textOut(category.name(), buffer, size);
        return 1;
    });
}

ORVEN_API NumberOfDefinedComponents(int platformPosition) {
    return api::guarded([&] {
        PlatformCategory category = PlatformCategory::atPosition(platformPosition);
        if (category.isNone())
            return 0;
        return static_cast<int>(engine().catalogue.ComponentsOfCategory(category).size());
    });
}

ORVEN_API NameOfComponent(int platformPosition, int componentPosition, char* buffer, int size) {
    return api::guarded([&] {
        PlatformCategory category = PlatformCategory::atPosition(platformPosition);
        if (category.isNone() || buffer == nullptr)
            return 0;
        catalogues::Component c =
            engine().catalogue.componentOfCategoryAt(category, componentPosition);
        if (c.isNone())
            return 0;
        api::textOut(engine().catalogue.ComponentDisplayName(c), buffer, size);
        return 1;
    });
}
