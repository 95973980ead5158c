// Exports of the external entries: the module's three lists (kinds 0, 1
// and 3) and the entries read from a project file (kind 2).
#include <cstddef>
#include <string>

#include "api/Boundary.h"
#include "api/EngineState.h"
#include "model/ModuleExternals.h"
#include "model/OxaModule.h"
#include "orven.h"
#include "platform/Platform.h"

using namespace orven;
using orven::api::guarded;
using orven::api::textIn;
using orven::api::textOut;
using orven::model::ExternalEntry;
using orven::model::ExternalList;
using orven::model::ModuleExternals;

namespace {

// The list of a kind: the module's for 0, 1 and 3, the read-externals list
// for 2; none for another kind.
const ExternalList* listOfKind(const model::OxaModule& module, int kind) {
    if (kind == model::kReadExternals)
        return &engine().readExternals;
    if (ModuleExternals::isModuleKind(kind))
        return &module.externals().list(kind);
    return nullptr;
}

}  // namespace

ORVEN_API NumberOfExternalDataEntries(int kind) {
    return guarded([&] {
        model::OxaModule* m = engine().module.get();
        if (m == nullptr)
            return 0;
        const ExternalList* list = listOfKind(*m, kind);
        return list == nullptr ? 0 : static_cast<int>(list->size());
    });
}

ORVEN_API RetrieveExternalDataEntry(int kind, int position, char* pathBuffer, char* nameBuffer,
                                    char* dateBuffer, int pathSize, int nameSize, int dateSize) {
    return guarded([&] {
        model::OxaModule* m = engine().module.get();
        if (m == nullptr)
            return 0;
        const ExternalList* list = listOfKind(*m, kind);
        if (list == nullptr || position < 0 || static_cast<std::size_t>(position) >= list->size())
            return 0;
        const ExternalEntry& e = (*list)[static_cast<std::size_t>(position)];
        textOut(e.path(), pathBuffer, pathSize);
        textOut(e.name(), nameBuffer, nameSize);
        textOut(platform::ctimeText(e.date()), dateBuffer, dateSize);
        return 1;
    });
}

ORVEN_API ChangeExternalDataEntry(int kind, int position, const char* path, const char* name) {
    return guarded([&] {
        model::OxaModule* m = engine().module.get();
        if (m == nullptr || position < 0)
            return 0;
        const std::string p = textIn(path);
        const std::string n = textIn(name);
        const auto at = static_cast<std::size_t>(position);
        if (kind == model::kReadExternals) {
            ExternalEntry entry(p, n, 0);
            if (!model::isStorableEntry(entry))
                return 0;
            return model::changePlainEntry(engine().readExternals, at, entry) ? 1 : 0;
        }
        if (!ModuleExternals::isModuleKind(kind))
            return 0;
        return m->externals().changeEntry(kind, at, p, n) ? 1 : 0;
    });
}

ORVEN_API DeleteExternalDataEntry(int kind, int position) {
    return guarded([&] {
        model::OxaModule* m = engine().module.get();
        if (m == nullptr || position < 0)
            return 0;
        const auto at = static_cast<std::size_t>(position);
        if (kind == model::kReadExternals) {
            ExternalList& list = engine().readExternals;
            if (at < list.size())
                list.erase(list.begin() + static_cast<std::ptrdiff_t>(at));
            else
                list.clear();
            return 1;
        }
        if (!ModuleExternals::isModuleKind(kind))
            return 0;
        return m->externals().deleteEntry(kind, at) ? 1 : 0;
    });
}

ORVEN_API CheckModificationsDataEntry(int kind, int position) {
    return guarded(
        [&] {
            model::OxaModule* m = engine().module.get();
            if (m == nullptr)
                return 2;
            const ExternalList* list = listOfKind(*m, kind);
            if (list == nullptr || position < 0 ||
                static_cast<std::size_t>(position) >= list->size())
                return 2;
            return model::checkEntryModification((*list)[static_cast<std::size_t>(position)]);
        },
        2);
}

ORVEN_API CopyExternalsIntoFiles(int kind, const char* directory) {
    return guarded([&] {
        model::OxaModule* m = engine().module.get();
        if (m == nullptr || !ModuleExternals::isModuleKind(kind))
            return 0;
        return m->externals().copyOut(kind, textIn(directory)) ? 1 : 0;
    });
}

ORVEN_API ReadExternalCodeFromDSP(const char* projectFilePath) {
    return guarded([&] {
        engine().readExternals.clear();
        return model::readProjectFileSources(textIn(projectFilePath), engine().readExternals) ? 1
                                                                                              : 0;
    });
}

ORVEN_API SetExternalCodeFromReadExternals(int mode) {
    return guarded([&] {
        model::OxaModule* m = engine().module.get();
        if (m == nullptr)
            return 0;
        ExternalList list;
        if (mode != 1)
            list = m->externals().list(model::kExternalCode);
        list.insert(list.end(), engine().readExternals.begin(), engine().readExternals.end());
        // A refused list shows only in the number of entries afterwards.
        m->externals().setExternalList(model::kExternalCode, std::move(list));
        return 1;
    });
}
