// Exports of the current module's codification language and of its
// deportabilization (its selection of non-portable components).
#include "api/Boundary.h"
#include "api/EngineState.h"
#include "catalogues/CodificationLanguage.h"
#include "catalogues/Deportabilization.h"
#include "orven.h"

using namespace orven;
using catalogues::CodificationLanguage;
using catalogues::Component;
using catalogues::Deportabilization;
using catalogues::PlatformCategory;

namespace {

// The platform at a position; none when out of range.
PlatformCategory platformAt(int position) {
    return PlatformCategory::atPosition(position);
}

// The component at a position of a platform's list of catalogue components.
Component componentAt(PlatformCategory platform, int position) {
    return engine().catalogue.componentOfCategoryAt(platform, position);
}

// The selected component at a position of a platform's selection, as its
// position in the platform's component list; -1 when there is none.
int selectedPosition(const Deportabilization& d, PlatformCategory platform, int position) {
    std::vector<Component> selected = d.SelectedOfCategory(platform);
    if (position < 0 || position >= static_cast<int>(selected.size()))
        return -1;
    return engine().catalogue.positionInCategory(selected[position]);
}

}  // namespace

ORVEN_API GetOXAModuleCodificationLanguage(void) {
    return api::guarded([] {
        const auto& module = engine().module;
        return module ? module->codificationLanguage().position() : 0;
    });
}

ORVEN_API SetOXAModuleCodificationLanguage(int position) {
    return api::guarded([&] {
        auto& module = engine().module;
        CodificationLanguage language = CodificationLanguage::atPosition(position);
        if (!module || language.isNone())
            return 0;
        module->setCodificationLanguage(language);
        return 1;
    });
}

ORVEN_API SelectNewComponent(int platformPosition, int componentPosition) {
    return api::guarded([&] {
        auto& module = engine().module;
        PlatformCategory platform = platformAt(platformPosition);
        if (!module || platform.isNone())
            return 0;
        Component c = componentAt(platform, componentPosition);
        if (c.isNone())
            return 0;
        return module->deportabilization().Select(c, engine().catalogue) ? 1 : 0;
    });
}

ORVEN_API DeselectComponent(int platformPosition, int componentPosition) {
    return api::guarded([&] {
        auto& module = engine().module;
        PlatformCategory platform = platformAt(platformPosition);
        if (!module || platform.isNone())
            return 0;
        if (componentPosition < 0) {
            module->deportabilization().clearCategory(platform);
            return 1;
        }
        Component c = componentAt(platform, componentPosition);
        if (c.isNone())
            return 0;
        return module->deportabilization().Deselect(c) ? 1 : 0;
    });
}

ORVEN_API IsComponentSelected(int platformPosition, int componentPosition) {
    return api::guarded([&] {
        const auto& module = engine().module;
        PlatformCategory platform = platformAt(platformPosition);
        if (!module || platform.isNone())
            return 0;
        Component c = componentAt(platform, componentPosition);
        if (c.isNone())
            return 0;
        return module->deportabilization().IsSelected(c, engine().catalogue) ? 1 : 0;
    });
}

ORVEN_API NumberOfSelectedComponents(int platformPosition) {
    return api::guarded([&] {
        const auto& module = engine().module;
        PlatformCategory platform = platformAt(platformPosition);
        if (!module || platform.isNone())
            return 0;
        return static_cast<int>(module->deportabilization().SelectedOfCategory(platform).size());
    });
}

ORVEN_API GetSelectedComponent(int platformPosition, int selected) {
    return api::guarded([&] {
        const auto& module = engine().module;
        PlatformCategory platform = platformAt(platformPosition);
        if (!module || platform.isNone())
            return 0;
        int position = selectedPosition(module->deportabilization(), platform, selected);
        return position < 0 ? 0 : position;
    });
}

ORVEN_API IndexOfSelectedComponent(int platformPosition, int selected) {
    return GetSelectedComponent(platformPosition, selected);
}

ORVEN_API ClearDeportabilization(void) {
    return api::guarded([] {
        auto& module = engine().module;
        if (!module)
            return 0;
        module->setDeportabilization(Deportabilization());
        return 1;
    });
}

ORVEN_API IsDeportabilizationEmpty(void) {
    return api::guarded([] {
        const auto& module = engine().module;
        return !module || module->deportabilization() == Deportabilization() ? 1 : 0;
    });
}

ORVEN_API BackupCurrentDeportabilization(void) {
    return api::guarded([] {
        EngineState& e = engine();
        if (!e.module)
            return 0;
        e.deportabilizationBackup = e.module->deportabilization();
        e.deportabilizationBackupTaken = true;
        return 1;
    });
}

ORVEN_API RestoreCurrentDeportabilization(void) {
    return api::guarded([] {
        EngineState& e = engine();
        if (!e.module || !e.deportabilizationBackupTaken)
            return 0;
        e.module->setDeportabilization(e.deportabilizationBackup);
        return 1;
    });
}
