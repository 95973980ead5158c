// The atom table of the code editor's assistant menu ("&Quenor Atoms"): the
// 39 rows with their menu entries and macro names, the menu tree that holds
// them, the letters that enable an atom per code-section kind and the
// default parameter values of every atom command.
#pragma once

#include <QString>
#include <QStringList>
#include <array>
#include <optional>
#include <vector>

namespace orven::designer {

struct AtomRow {
    const char* entry;    // object name of the menu entry
    const char* caption;  // menu caption
    const char* macro;    // zone of the assistant script that makes the text
};

inline constexpr int kAtomRows = 39;
const std::array<AtomRow, kAtomRows>& atomRows();

// Rows whose command first opens a wizard.
enum AtomWizardRow {
    kRowRequest = 0,
    kRowDynamicRequest = 1,
    kRowSendBetaEvent = 21,
    kRowSendNotification = 24,
};

// The code-section kinds of the editor.
enum CodeKind {
    kKindDefinitions = 0,  // public definitions, internal status: no assistant
    kKindStartup = 1,
    kKindPreEnding = 2,
    kKindPostEnding = 3,
    kKindRegularService = 4,
    kKindEventHandler = 5,
    kKindNotificationHandler = 6,
    kKindAuxiliary = 7,
};

// Whether the applicability letters of an atom (seven letters, "SEORBNX"
// with "-" for an excluded section) allow it in code of the kind.
bool atomApplies(const QString& letters, int kind);

// The default parameter values of the command of a row that runs its atom
// directly; nothing for the wizard rows and the rows without a command.
// moduleName is the name of the edited module (the output-text atom
// offers it).
std::optional<QStringList> atomDefaults(int row, const QString& moduleName);
// Whether the row's entry does anything when chosen.
bool atomHasCommand(int row);

// One node of the assistant menu tree: a submenu with children, a row of
// the atom table, or a separator.
struct AtomMenuNode {
    enum class Type { Menu, Row, Separator };
    Type type;
    const char* name = nullptr;     // object name of a submenu
    const char* caption = nullptr;  // caption of a submenu
    int row = -1;
    std::vector<AtomMenuNode> children;
};
// The children of "&Quenor Atoms" before its closing separator and "&Help".
const std::vector<AtomMenuNode>& atomMenuTree();

}  // namespace orven::designer
