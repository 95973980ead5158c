// Exports of the module model: the module, its groups and services, the
// module's code sections, priority and general information, the details of
// services, the defined signals and the dependencies.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "api/Boundary.h"
#include "api/EngineState.h"
#include "model/OxaModule.h"
#include "model/TextRules.h"
#include "orven.h"

using namespace orven;
using orven::api::clearOut;
using orven::api::guarded;
using orven::api::textIn;
using orven::api::textOut;

namespace {

model::OxaModule* currentModule() {
    return engine().module.get();
}

// A position from the boundary as an index; negative ones never match.
bool validPosition(int position, std::size_t count) {
    return position >= 0 && static_cast<std::size_t>(position) < count;
}

int retrieveModuleSection(model::ModuleSection which, char* buffer, int size) {
    return guarded([&] {
        clearOut(buffer, size);
        model::OxaModule* m = currentModule();
        if (m == nullptr)
            return 0;
        textOut(m->section(which).text(), buffer, size);
        return 1;
    });
}

int changeModuleSection(model::ModuleSection which, const char* text) {
    return guarded([&] {
        model::OxaModule* m = currentModule();
        if (m == nullptr)
            return 0;
        m->section(which).setText(textIn(text));
        return 1;
    });
}

// The time restriction of a pair from the boundary, built by the setter (a
// refused pair gives no restriction).
model::TimeRestriction restrictionOf(const float* pair) {
    return model::TimeRestriction(pair[0], pair[1]);
}

void writePair(const model::TimeRestriction& r, float* pair) {
    pair[0] = r.minimum();
    pair[1] = r.maximum();
}

int retrieveServiceSection(model::ServiceSection which, const char* group, const char* service,
                           char* buffer, int size) {
    return guarded([&] {
        clearOut(buffer, size);
        model::Service* s = engine().findService(textIn(group), textIn(service));
        if (s == nullptr)
            return 0;
        textOut(s->section(static_cast<int>(which))->text(), buffer, size);
        return 1;
    });
}

int changeServiceSection(model::ServiceSection which, const char* group, const char* service,
                         const char* text) {
    return guarded([&] {
        model::Service* s = engine().findService(textIn(group), textIn(service));
        if (s == nullptr)
            return 0;
        s->section(static_cast<int>(which))->setText(textIn(text));
        return 1;
    });
}

}  // namespace

// ---- module, groups of services and services ------------------------------

ORVEN_API CreateNewOXAModule(const char* name, const char* description) {
    return guarded([&] {
        std::string n = textIn(name);
        if (!model::isValidName(n))
            return 0;
        auto module = std::make_unique<model::OxaModule>(std::move(n), textIn(description),
                                                         engine().externalsDirectory,
                                                         model::kTemporaryGroupName);
        engine().module = std::move(module);
        return 1;
    });
}

ORVEN_API DeleteCurrentOXAModule(void) {
    return guarded([&] {
        if (!engine().module)
            return 0;
        engine().module.reset();
        return 1;
    });
}

ORVEN_API ValidateDescriptionsOXAModule(char* buffer, int size) {
    return guarded([&] {
        model::OxaModule* m = currentModule();
        if (m == nullptr)
            return 0;
        auto fail = [&](const std::string& message) {
            textOut(message, buffer, size);
            return 0;
        };
        if (!model::isValidDescription(m->description()))
            return fail("Description of the module");
        for (const auto& [groupName, groupObject] : m->included()) {
            if (!model::isValidDescription(groupObject->description())) {
                return fail("Description of services group [" + groupName + "]");
            }
            const auto* group = dynamic_cast<const model::GroupOfServices*>(groupObject.get());
            if (group == nullptr)
                continue;
            for (const auto& [serviceName, service] : group->included()) {
                if (!model::isValidDescription(service->description())) {
                    return fail("Description of service [" + serviceName + "]");
                }
            }
        }
        return 1;
    });
}

ORVEN_API ChangeNameDescriptionOXAModule(const char* name, const char* description) {
    return guarded([&] {
        model::OxaModule* m = currentModule();
        if (m == nullptr || !m->setName(textIn(name)))
            return 0;
        m->setDescription(textIn(description));
        return 1;
    });
}

ORVEN_API NameOXAModule(char* buffer, int size) {
    return guarded([&] {
        clearOut(buffer, size);
        model::OxaModule* m = currentModule();
        if (m == nullptr)
            return 0;
        textOut(m->name(), buffer, size);
        return 1;
    });
}

ORVEN_API DescriptionOXAModule(char* buffer, int size) {
    return guarded([&] {
        clearOut(buffer, size);
        model::OxaModule* m = currentModule();
        if (m == nullptr)
            return 0;
        textOut(m->description(), buffer, size);
        return 1;
    });
}

ORVEN_API AddNewGroupOfServices(const char* name, const char* description) {
    return guarded([&] {
        model::OxaModule* m = currentModule();
        if (m == nullptr)
            return 0;
        return m->addGroup(textIn(name), textIn(description)) != nullptr ? 1 : 0;
    });
}

ORVEN_API ExistGroupOfServices(const char* name) {
    return guarded([&] { return engine().findGroup(textIn(name)) != nullptr ? 1 : 0; });
}

ORVEN_API ChangeNameDescriptionGroup(const char* oldName, const char* newName,
                                     const char* description) {
    return guarded([&] {
        model::OxaModule* m = currentModule();
        if (m == nullptr)
            return 0;
        return m->renameGroup(textIn(oldName), textIn(newName), textIn(description)) ? 1 : 0;
    });
}

ORVEN_API DescriptionGroupOfServices(const char* group, char* buffer, int size) {
    return guarded([&] {
        model::GroupOfServices* g = engine().findGroup(textIn(group));
        if (g == nullptr || buffer == nullptr)
            return 0;
        textOut(g->description(), buffer, size);
        return 1;
    });
}

ORVEN_API DeleteGroupOfServices(const char* name) {
    return guarded([&] {
        model::OxaModule* m = currentModule();
        if (m == nullptr)
            return 0;
        return m->removeGroup(textIn(name)) ? 1 : 0;
    });
}

ORVEN_API NumberOfGroups(void) {
    return guarded([&] {
        model::OxaModule* m = currentModule();
        return m == nullptr ? 0 : static_cast<int>(m->groupCount());
    });
}

ORVEN_API GetNameOfGroupByPos(int position, int size, char* buffer) {
    return guarded([&] {
        model::OxaModule* m = currentModule();
        if (m == nullptr || buffer == nullptr || !validPosition(position, m->groupCount())) {
            return 0;
        }
        textOut(m->groupAt(static_cast<std::size_t>(position))->name(), buffer, size);
        return 1;
    });
}

ORVEN_API NumberOfServices(const char* group) {
    return guarded([&] {
        model::GroupOfServices* g = engine().findGroup(textIn(group));
        return g == nullptr ? 0 : static_cast<int>(g->serviceCount());
    });
}

ORVEN_API GetNameOfServiceByPos(const char* group, int position, int size, char* buffer) {
    return guarded([&] {
        model::GroupOfServices* g = engine().findGroup(textIn(group));
        if (g == nullptr || buffer == nullptr || !validPosition(position, g->serviceCount())) {
            return 0;
        }
        textOut(g->serviceAt(static_cast<std::size_t>(position))->name(), buffer, size);
        return 1;
    });
}

ORVEN_API CreateOXAService(const char* group, const char* name, const char* description) {
    return guarded([&] {
        model::GroupOfServices* g = engine().findGroup(textIn(group));
        if (g == nullptr)
            return 0;
        return g->addService(textIn(name), textIn(description)) != nullptr ? 1 : 0;
    });
}

ORVEN_API ExistOXAService(const char* group, const char* service) {
    return guarded(
        [&] { return engine().findService(textIn(group), textIn(service)) != nullptr ? 1 : 0; });
}

ORVEN_API DeleteOXAService(const char* group, const char* service) {
    return guarded([&] {
        model::GroupOfServices* g = engine().findGroup(textIn(group));
        if (g == nullptr)
            return 0;
        return g->removeService(textIn(service)) ? 1 : 0;
    });
}

ORVEN_API ChangeOXAServiceIDs(const char* group, const char* oldName, const char* newName,
                              const char* description) {
    return guarded([&] {
        model::GroupOfServices* g = engine().findGroup(textIn(group));
        if (g == nullptr)
            return 0;
        return g->renameService(textIn(oldName), textIn(newName), textIn(description)) ? 1 : 0;
    });
}

ORVEN_API DescriptionOXAService(const char* group, const char* service, char* buffer, int size) {
    return guarded([&] {
        model::Service* s = engine().findService(textIn(group), textIn(service));
        if (s == nullptr || buffer == nullptr)
            return 0;
        textOut(s->description(), buffer, size);
        return 1;
    });
}

// ---- module code sections, priority and general information --------------

ORVEN_API OXAModulePriority(void) {
    return guarded([&] {
        model::OxaModule* m = currentModule();
        return m == nullptr ? 0 : m->priority();
    });
}

ORVEN_API ChangeOXAModulePriority(int priority) {
    return guarded([&] {
        model::OxaModule* m = currentModule();
        if (m == nullptr)
            return 0;
        m->setPriority(priority);
        return 1;
    });
}

ORVEN_API LengthOXAModuleData(int selector) {
    return guarded([&] {
        model::OxaModule* m = currentModule();
        const model::CodeSection* s = m == nullptr ? nullptr : m->sectionBySelector(selector);
        return s == nullptr ? 0 : static_cast<int>(s->text().size());
    });
}

ORVEN_API RetrieveTimeRestriction(int selector, float* pair) {
    return guarded([&] {
        model::OxaModule* m = currentModule();
        const model::CodeSection* s = m == nullptr ? nullptr : m->sectionBySelector(selector);
        if (s == nullptr || pair == nullptr)
            return 0;
        writePair(s->timeRestriction(), pair);
        return 1;
    });
}

ORVEN_API SetTimeRestriction(int selector, const float* pair) {
    return guarded([&] {
        model::OxaModule* m = currentModule();
        model::CodeSection* s = m == nullptr ? nullptr : m->sectionBySelector(selector);
        if (s == nullptr || pair == nullptr)
            return 0;
        s->setTimeRestriction(restrictionOf(pair));
        return 1;
    });
}

ORVEN_API RetrieveOXAModuleGlobalData(char* buffer, int size) {
    return retrieveModuleSection(model::ModuleSection::GlobalData, buffer, size);
}
ORVEN_API ChangeOXAModuleGlobalData(const char* text) {
    return changeModuleSection(model::ModuleSection::GlobalData, text);
}
ORVEN_API RetrieveOXAModuleGlobalCode(char* buffer, int size) {
    return retrieveModuleSection(model::ModuleSection::GlobalCode, buffer, size);
}
ORVEN_API ChangeOXAModuleGlobalCode(const char* text) {
    return changeModuleSection(model::ModuleSection::GlobalCode, text);
}
ORVEN_API RetrieveOXAModulePreDefinitions(char* buffer, int size) {
    return retrieveModuleSection(model::ModuleSection::PreDefinitions, buffer, size);
}
ORVEN_API ChangeOXAModulePreDefinitions(const char* text) {
    return changeModuleSection(model::ModuleSection::PreDefinitions, text);
}
ORVEN_API RetrieveOXAModuleStartupCode(char* buffer, int size) {
    return retrieveModuleSection(model::ModuleSection::StartupCode, buffer, size);
}
ORVEN_API ChangeOXAModuleStartupCode(const char* text) {
    return changeModuleSection(model::ModuleSection::StartupCode, text);
}
ORVEN_API RetrieveOXAModulePreEndingCode(char* buffer, int size) {
    return retrieveModuleSection(model::ModuleSection::PreEndingCode, buffer, size);
}
ORVEN_API ChangeOXAModulePreEndingCode(const char* text) {
    return changeModuleSection(model::ModuleSection::PreEndingCode, text);
}
ORVEN_API RetrieveOXAModulePostEndingCode(char* buffer, int size) {
    return retrieveModuleSection(model::ModuleSection::PostEndingCode, buffer, size);
}
ORVEN_API ChangeOXAModulePostEndingCode(const char* text) {
    return changeModuleSection(model::ModuleSection::PostEndingCode, text);
}

ORVEN_API GetOXAModuleGeneralInfo(int versionSize, char* version, int dateSize, char* date,
                                  int authorSize, char* author, int otherDependenciesSize,
                                  char* otherDependencies, int commentsSize, char* comments) {
    return guarded([&] {
        model::OxaModule* m = currentModule();
        if (m == nullptr)
            return 0;
        const model::GeneralInfo& info = m->generalInfo();
        textOut(info.version, version, versionSize);
        textOut(info.date, date, dateSize);
        textOut(info.author, author, authorSize);
        textOut(info.otherDependencies, otherDependencies, otherDependenciesSize);
        textOut(info.comments, comments, commentsSize);
        return 1;
    });
}

ORVEN_API SetOXAModuleGeneralInfo(const char* version, const char* date, const char* author,
                                  const char* otherDependencies, const char* comments) {
    return guarded([&] {
        model::OxaModule* m = currentModule();
        if (m == nullptr)
            return 0;
        model::GeneralInfo info;
        info.version = textIn(version);
        info.date = textIn(date);
        info.author = textIn(author);
        info.otherDependencies = textIn(otherDependencies);
        info.comments = textIn(comments);
        m->setGeneralInfo(info);
        return 1;
    });
}

// ---- service details -------------------------------------------------------

ORVEN_API OXAServiceCharacteristics(const char* group, const char* service, char* sixByteBuffer) {
    return guarded([&] {
        model::Service* s = engine().findService(textIn(group), textIn(service));
        if (s == nullptr || sixByteBuffer == nullptr)
            return 0;
        for (int k = 0; k < 6; ++k) {
            sixByteBuffer[k] = (s->characteristics() & (1u << k)) ? '*' : ' ';
        }
        return 1;
    });
}

ORVEN_API ChangeOXAServiceChars(const char* group, const char* service, const char* sixByteText) {
    return guarded([&] {
        model::Service* s = engine().findService(textIn(group), textIn(service));
        if (s == nullptr)
            return 0;
        // Bytes past the end of a shorter text count as cleared flags.
        const std::string text = textIn(sixByteText);
        std::uint32_t flags = 0;
        for (std::size_t k = 0; k < 6 && k < text.size(); ++k) {
            if (text[k] == '*')
                flags |= 1u << k;
        }
        return s->setCharacteristics(flags) ? 1 : 0;
    });
}

ORVEN_API OXAServiceType(const char* group, const char* service) {
    return guarded(
        [&] {
            model::Service* s = engine().findService(textIn(group), textIn(service));
            return s == nullptr ? -1 : s->type();
        },
        -1);
}

ORVEN_API ChangeOXAServiceType(const char* group, const char* service, int type) {
    return guarded([&] {
        model::Service* s = engine().findService(textIn(group), textIn(service));
        return s != nullptr && s->setType(type) ? 1 : 0;
    });
}

ORVEN_API OXAServiceEventHandlerCode(const char* group, const char* service, char* buffer,
                                     int size) {
    return guarded([&] {
        model::Service* s = engine().findService(textIn(group), textIn(service));
        std::string code;
        if (s == nullptr || buffer == nullptr || !s->eventHandlerCode(code))
            return 0;
        textOut(code, buffer, size);
        return 1;
    });
}

ORVEN_API SetOXAServiceEventHandlerCode(const char* group, const char* service, const char* code) {
    return guarded([&] {
        model::Service* s = engine().findService(textIn(group), textIn(service));
        return s != nullptr && s->setEventHandlerCode(textIn(code)) ? 1 : 0;
    });
}

ORVEN_API OXAServiceEventGeneratorModule(const char* group, const char* service, char* buffer,
                                         int size) {
    return guarded([&] {
        model::Service* s = engine().findService(textIn(group), textIn(service));
        std::string module;
        if (s == nullptr || buffer == nullptr || !s->eventGeneratorModule(module))
            return 0;
        textOut(module, buffer, size);
        return 1;
    });
}

ORVEN_API SetOXAServiceEventGeneratorModule(const char* group, const char* service,
                                            const char* moduleName) {
    return guarded([&] {
        model::Service* s = engine().findService(textIn(group), textIn(service));
        return s != nullptr && s->setEventGeneratorModule(textIn(moduleName)) ? 1 : 0;
    });
}

ORVEN_API OXAServiceRelPriority(const char* group, const char* service) {
    return guarded([&] {
        model::Service* s = engine().findService(textIn(group), textIn(service));
        return s == nullptr ? 0 : s->relativePriority();
    });
}

ORVEN_API ChangeOXAServiceRelPrio(const char* group, const char* service, int priority) {
    return guarded([&] {
        model::Service* s = engine().findService(textIn(group), textIn(service));
        return s != nullptr && s->setRelativePriority(priority) ? 1 : 0;
    });
}

ORVEN_API OXAServicePriorityType(const char* group, const char* service) {
    return guarded([&] {
        model::Service* s = engine().findService(textIn(group), textIn(service));
        return s == nullptr ? 0 : s->priorityType();
    });
}

ORVEN_API RetrieveOXAServiceInputData(const char* group, const char* service, char* buffer,
                                      int size) {
    return retrieveServiceSection(model::ServiceSection::InputData, group, service, buffer, size);
}
ORVEN_API ChangeOXAServiceInputData(const char* group, const char* service, const char* text) {
    return changeServiceSection(model::ServiceSection::InputData, group, service, text);
}
ORVEN_API RetrieveOXAServiceOutputData(const char* group, const char* service, char* buffer,
                                       int size) {
    return retrieveServiceSection(model::ServiceSection::OutputData, group, service, buffer, size);
}
ORVEN_API ChangeOXAServiceOutputData(const char* group, const char* service, const char* text) {
    return changeServiceSection(model::ServiceSection::OutputData, group, service, text);
}
ORVEN_API RetrieveOXAServiceServerCode(const char* group, const char* service, char* buffer,
                                       int size) {
    return retrieveServiceSection(model::ServiceSection::ServerCode, group, service, buffer, size);
}
ORVEN_API ChangeOXAServiceServerCode(const char* group, const char* service, const char* text) {
    return changeServiceSection(model::ServiceSection::ServerCode, group, service, text);
}

ORVEN_API LengthOXAServiceData(int selector, const char* group, const char* service) {
    return guarded([&] {
        model::Service* s = engine().findService(textIn(group), textIn(service));
        const model::CodeSection* c = s == nullptr ? nullptr : s->section(selector);
        return c == nullptr ? 0 : static_cast<int>(c->text().size());
    });
}

ORVEN_API RetrieveTimeRestrictionService(int selector, const char* group, const char* service,
                                         float* pair) {
    return guarded([&] {
        model::Service* s = engine().findService(textIn(group), textIn(service));
        const model::CodeSection* c = s == nullptr ? nullptr : s->section(selector);
        if (c == nullptr || pair == nullptr)
            return 0;
        writePair(c->timeRestriction(), pair);
        return 1;
    });
}

ORVEN_API SetTimeRestrictionService(int selector, const char* group, const char* service,
                                    const float* pair) {
    return guarded([&] {
        model::Service* s = engine().findService(textIn(group), textIn(service));
        model::CodeSection* c = s == nullptr ? nullptr : s->section(selector);
        if (c == nullptr || pair == nullptr)
            return 0;
        c->setTimeRestriction(restrictionOf(pair));
        return 1;
    });
}

// ---- signals and module dependencies ---------------------------------------

ORVEN_API NumberOfDefinedSignals(void) {
    return guarded([&] {
        model::OxaModule* m = currentModule();
        return m == nullptr ? 0 : static_cast<int>(m->signalCount());
    });
}

ORVEN_API ClearDefinedSignals(void) {
    return guarded([&] {
        model::OxaModule* m = currentModule();
        if (m == nullptr)
            return 0;
        m->clearSignals();
        return 1;
    });
}

ORVEN_API ReadDefinedSignal(int position, char* nameBuffer, int nameSize, char* kindOut,
                            char* codeBuffer, int codeSize) {
    return guarded([&] {
        model::OxaModule* m = currentModule();
        if (m == nullptr || nameBuffer == nullptr || kindOut == nullptr || codeBuffer == nullptr ||
            !validPosition(position, m->signalCount())) {
            return 0;
        }
        const auto* entry = m->signalAt(static_cast<std::size_t>(position));
        textOut(entry->first, nameBuffer, nameSize);
        *kindOut = model::signalKindLetter(entry->second.kind());
        textOut(entry->second.code(), codeBuffer, codeSize);
        return 1;
    });
}

ORVEN_API AddNewDefinedSignal(const char* name, const char* kindText, const char* code) {
    return guarded([&] {
        model::OxaModule* m = currentModule();
        if (m == nullptr || name == nullptr || kindText == nullptr || code == nullptr)
            return 0;
        const std::string letter = textIn(kindText);
        std::optional<int> kind = model::signalKindFromLetter(letter.empty() ? '\0' : letter[0]);
        if (!kind)
            return 0;
        return m->addSignal(textIn(name), *kind, textIn(code)) ? 1 : 0;
    });
}

ORVEN_API RemoveDefinedSignal(int position) {
    return guarded([&] {
        model::OxaModule* m = currentModule();
        if (m == nullptr || position < 0)
            return 0;
        return m->removeSignalAt(static_cast<std::size_t>(position)) ? 1 : 0;
    });
}

ORVEN_API GetNumberOfModuleDependencies(void) {
    return guarded([&] {
        model::OxaModule* m = currentModule();
        return m == nullptr ? 0 : static_cast<int>(m->dependencies().size());
    });
}

ORVEN_API ExistsModuleDependency(const char* moduleName, const char* serviceName) {
    return guarded([&] {
        model::OxaModule* m = currentModule();
        if (m == nullptr)
            return 0;
        return m->dependencies().contains(textIn(moduleName), textIn(serviceName)) ? 1 : 0;
    });
}

ORVEN_API ReadModuleDependency(int position, char* moduleBuffer, char* serviceBuffer,
                               int moduleSize, int serviceSize, float* pair) {
    return guarded([&] {
        model::OxaModule* m = currentModule();
        if (m == nullptr || moduleBuffer == nullptr || serviceBuffer == nullptr ||
            pair == nullptr || !validPosition(position, m->dependencies().size())) {
            return 0;
        }
        const model::ModuleDependency* d = m->dependencies().at(static_cast<std::size_t>(position));
        textOut(d->moduleName(), moduleBuffer, moduleSize);
        textOut(d->serviceName(), serviceBuffer, serviceSize);
        writePair(d->timeRestriction(), pair);
        return 1;
    });
}

ORVEN_API AddModuleDependency(const char* moduleName, const char* serviceName, const float* pair) {
    return guarded([&] {
        model::OxaModule* m = currentModule();
        if (m == nullptr || pair == nullptr)
            return 0;
        model::ModuleDependency d(textIn(moduleName), textIn(serviceName), restrictionOf(pair));
        return m->dependencies().add(d) ? 1 : 0;
    });
}

ORVEN_API RemoveModuleDependency(int position) {
    return guarded([&] {
        model::OxaModule* m = currentModule();
        if (m == nullptr || position < 0)
            return 0;
        return m->dependencies().removeAt(static_cast<std::size_t>(position)) ? 1 : 0;
    });
}
