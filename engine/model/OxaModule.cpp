#include "model/OxaModule.h"

#include <iterator>

#include "model/TextRules.h"

namespace orven::model {

OxaModule::OxaModule(std::string name, std::string description, std::string externalsDirectory,
                     std::string temporaryGroupName)
    : ContainerObject(std::move(name), std::move(description)),
      externalsDirectory_(std::move(externalsDirectory)),
      temporaryGroupName_(std::move(temporaryGroupName)),
      externals_(externalsDirectory_, temporaryGroupName_) {}

OxaModule::~OxaModule() {
    // Groups go first, each with its services, while the module is whole.
    clearIncluded();
}

GroupOfServices* OxaModule::groupAt(std::size_t k) const {
    return dynamic_cast<GroupOfServices*>(includedAt(k));
}

GroupOfServices* OxaModule::addGroup(std::string name, std::string description) {
    if (!isValidName(name) || findIncluded(name) != nullptr)
        return nullptr;
    auto group = std::make_unique<GroupOfServices>(name, std::move(description));
    GroupOfServices* raw = group.get();
    if (!include(std::move(group)))
        return nullptr;
    return raw;
}

bool OxaModule::renameGroup(std::string_view oldName, std::string_view newName,
                            std::string description) {
    if (!renameIncluded(oldName, newName))
        return false;
    findIncluded(newName)->setDescription(std::move(description));
    return true;
}

Service* OxaModule::findService(std::string_view group, std::string_view service) const {
    GroupOfServices* g = findGroup(group);
    return g == nullptr ? nullptr : g->findService(service);
}

void OxaModule::setFilePath(std::string_view path) {
    filePath_.assign(path);
    for (char& c : filePath_) {
        if (c == '/')
            c = '\\';
    }
}

const CodeSection& OxaModule::section(ModuleSection which) const {
    switch (which) {
        case ModuleSection::PreDefinitions:
            return preDefinitions_;
        case ModuleSection::GlobalData:
            return globalData_;
        case ModuleSection::StartupCode:
            return startupCode_;
        case ModuleSection::PreEndingCode:
            return preEndingCode_;
        case ModuleSection::PostEndingCode:
            return postEndingCode_;
        case ModuleSection::GlobalCode:
            break;
    }
    return globalCode_;
}

CodeSection& OxaModule::section(ModuleSection which) {
    return const_cast<CodeSection&>(static_cast<const OxaModule*>(this)->section(which));
}

const CodeSection* OxaModule::sectionBySelector(int selector) const {
    switch (selector) {
        case 0:
        case 2:
        case 3:
        case 4:
        case 5:
        case 6:
            return &section(static_cast<ModuleSection>(selector));
        default:
            return nullptr;
    }
}

CodeSection* OxaModule::sectionBySelector(int selector) {
    return const_cast<CodeSection*>(
        static_cast<const OxaModule*>(this)->sectionBySelector(selector));
}

const SignalMap::value_type* OxaModule::signalAt(std::size_t k) const {
    if (k >= signals_.size())
        return nullptr;
    return &*std::next(signals_.begin(), static_cast<std::ptrdiff_t>(k));
}

bool OxaModule::addSignal(std::string name, int kind, std::string code) {
    if (kind != kBetaEvent && kind != kNotification)
        return false;
    if (!isValidSignalName(name) || !isValidSignalCode(code))
        return false;
    if (signals_.find(name) != signals_.end())
        return false;
    for (const auto& [existingName, signal] : signals_) {
        if (signal.kind() == kind && signal.code() == code)
            return false;
    }
    signals_.emplace(std::move(name), DefinedSignal(kind, std::move(code)));
    return true;
}

bool OxaModule::putSignal(std::string name, const DefinedSignal& signal) {
    if (signal.kind() != kBetaEvent && signal.kind() != kNotification)
        return false;
    if (!isValidSignalName(name) || !isValidSignalCode(signal.code()))
        return false;
    signals_.insert_or_assign(std::move(name), signal);
    return true;
}

bool OxaModule::removeSignalAt(std::size_t k) {
    if (k >= signals_.size())
        return false;
    signals_.erase(std::next(signals_.begin(), static_cast<std::ptrdiff_t>(k)));
    return true;
}

bool OxaModule::accepts(const LinkedObject& object) const {
    return dynamic_cast<const GroupOfServices*>(&object) != nullptr;
}

}  // namespace orven::model
