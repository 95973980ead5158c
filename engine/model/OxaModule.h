// The OXA module: the unit the system designs, stores and generates. It
// includes its groups of services by name and holds every other member of a
// module (code sections, signals, dependencies, general information, ...).
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

#include "catalogues/CodificationLanguage.h"
#include "catalogues/Deportabilization.h"
#include "model/CodeSection.h"
#include "model/Dependencies.h"
#include "model/DesignObject.h"
#include "model/GeneralInfo.h"
#include "model/GroupOfServices.h"
#include "model/ModuleExternals.h"
#include "model/Signals.h"

namespace orven::model {

// The group name of every module's temporary external files.
inline constexpr const char* kTemporaryGroupName = "xtrnl";

// The six code sections of a module, numbered by their selectors.
enum class ModuleSection : int {
    PreDefinitions = 0,  // public definitions
    GlobalData = 2,      // internal status
    StartupCode = 3,
    PreEndingCode = 4,
    PostEndingCode = 5,
    GlobalCode = 6,  // auxiliary logic
};

class OxaModule : public ContainerObject {
  public:
    // A module with that name and description. The externals directory and
    // the temporary group name are those of the module's store of external
    // files (none when either is empty).
    OxaModule(std::string name, std::string description, std::string externalsDirectory = {},
              std::string temporaryGroupName = kTemporaryGroupName);
    ~OxaModule() override;

    std::string heading() const override { return "OXA Module: "; }
    std::string typeTag() const override { return "OXA"; }

    const std::string& externalsDirectory() const { return externalsDirectory_; }
    const std::string& temporaryGroupName() const { return temporaryGroupName_; }

    // ---- groups of services
    std::size_t groupCount() const { return includedCount(); }
    GroupOfServices* findGroup(std::string_view name) const {
        return findIncludedAs<GroupOfServices>(name);
    }
    // The group at position k in name order, or none.
    GroupOfServices* groupAt(std::size_t k) const;
    // A new empty group linked to the module; none when the name is invalid
    // or taken.
    GroupOfServices* addGroup(std::string name, std::string description);
    // Removes and deletes the group with its services; false when there is none.
    bool removeGroup(std::string_view name) { return erase(name); }
    // Renames a group and replaces its description (rename rules of
    // ContainerObject::renameIncluded).
    bool renameGroup(std::string_view oldName, std::string_view newName, std::string description);
    // The service of that group; none when either does not exist.
    Service* findService(std::string_view group, std::string_view service) const;

    // ---- file path of the module file last saved or loaded ("\" separators)
    const std::string& filePath() const { return filePath_; }
    // Every "/" becomes "\".
    void setFilePath(std::string_view path);

    // ---- priority and the range computed by an application's calculation
    int priority() const { return priority_; }
    void setPriority(int priority) { priority_ = priority; }
    int lowestPriority() const { return lowestPriority_; }
    int highestPriority() const { return highestPriority_; }
    void setPriorityRange(int lowest, int highest) {
        lowestPriority_ = lowest;
        highestPriority_ = highest;
    }

    // ---- external entries and the store of external files
    const ModuleExternals& externals() const { return externals_; }
    ModuleExternals& externals() { return externals_; }

    // ---- code sections
    const CodeSection& section(ModuleSection which) const;
    CodeSection& section(ModuleSection which);
    void setSection(ModuleSection which, const CodeSection& section) {
        this->section(which) = section;
    }
    // A section by selector (0, 2 ... 6); none for 1 and anything else.
    const CodeSection* sectionBySelector(int selector) const;
    CodeSection* sectionBySelector(int selector);
    const CodeSection& globalData() const { return globalData_; }
    const CodeSection& globalCode() const { return globalCode_; }
    const CodeSection& preDefinitions() const { return preDefinitions_; }
    const CodeSection& startupCode() const { return startupCode_; }
    const CodeSection& preEndingCode() const { return preEndingCode_; }
    const CodeSection& postEndingCode() const { return postEndingCode_; }

    // ---- codification language and deportabilization
    const catalogues::CodificationLanguage& codificationLanguage() const {
        return codificationLanguage_;
    }
    void setCodificationLanguage(const catalogues::CodificationLanguage& language) {
        codificationLanguage_ = language;
    }
    const catalogues::Deportabilization& deportabilization() const { return deportabilization_; }
    catalogues::Deportabilization& deportabilization() { return deportabilization_; }
    void setDeportabilization(const catalogues::Deportabilization& deportabilization) {
        deportabilization_ = deportabilization;
    }

    // ---- dependencies on services of other modules
    const DependencyList& dependencies() const { return dependencies_; }
    DependencyList& dependencies() { return dependencies_; }
    void setDependencies(const DependencyList& list) { dependencies_ = list; }

    // ---- defined signals
    const SignalMap& signals() const { return signals_; }
    std::size_t signalCount() const { return signals_.size(); }
    // The signal at position k in name order, or none.
    const SignalMap::value_type* signalAt(std::size_t k) const;
    // Adds a signal: refused when the kind is neither beta event nor
    // notification, the name or code cannot be stored (isValidSignalName,
    // isValidSignalCode), the name is taken, or a signal of the same kind has
    // the same code.
    bool addSignal(std::string name, int kind, std::string code);
    // Stores a signal as read from a module file: a name read twice keeps
    // the later value. Refused only for a kind, name or code that cannot be
    // stored.
    bool putSignal(std::string name, const DefinedSignal& signal);
    bool removeSignalAt(std::size_t k);
    void clearSignals() { signals_.clear(); }

    // ---- general information
    const GeneralInfo& generalInfo() const { return generalInfo_; }
    void setGeneralInfo(const GeneralInfo& info) { generalInfo_ = info; }

  protected:
    bool accepts(const LinkedObject& object) const override;

  private:
    std::string externalsDirectory_;
    std::string temporaryGroupName_;
    ModuleExternals externals_;
    std::string filePath_;
    int priority_ = 0;
    int lowestPriority_ = 0;
    int highestPriority_ = 0;
    CodeSection globalData_;
    CodeSection globalCode_;
    CodeSection preDefinitions_;
    CodeSection startupCode_;
    CodeSection preEndingCode_;
    CodeSection postEndingCode_;
    catalogues::CodificationLanguage codificationLanguage_;
    catalogues::Deportabilization deportabilization_;
    DependencyList dependencies_;
    SignalMap signals_;
    GeneralInfo generalInfo_;
};

}  // namespace orven::model
