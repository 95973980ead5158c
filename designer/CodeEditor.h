// The code editor (Form_texteditor) with its assistant menu "&Quenor Atoms",
// and EditCodeText, the routine through which every code text of the
// module is edited. The assistant turns an atom of the assistant script of
// the module's codification language into code text, after its parameters
// were asked in the substitution form (Auto_form) or in a wizard.
#pragma once

#include <QDialog>
#include <QPointer>
#include <QStringList>
#include <array>
#include <functional>

class QAction;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QMenuBar;

namespace orven::designer {

class Routines;
class TextBox;
struct AtomMenuNode;

// The rules of a pair of time fields (minimum, maximum): a negative value
// becomes "INF"; an "INF" minimum makes the maximum "INF"; a maximum below
// the minimum is raised to it, and a minimum above the maximum is lowered
// to it. The rules apply only while the owner window is visible.
class TimeFields : public QObject {
    Q_OBJECT
  public:
    TimeFields(QWidget* owner, QLineEdit* minimum, QLineEdit* maximum);
    static bool infinite(const QString& text) { return text.left(3) == QLatin1String("INF"); }
    // The text of a time value: "INF" for a negative one.
    static QString textOf(float value);

  private:
    void minimumChanged();
    void maximumChanged();
    QWidget* owner_;
    QLineEdit* min_;
    QLineEdit* max_;
};

// What the editor needs from the main window.
struct EditorContext {
    Routines* routines = nullptr;
    QWidget* parent = nullptr;
    // The position selected in the main window's language list.
    int languagePosition = -1;
    // Marks the module modified (a wizard or an atom changed it).
    std::function<void()> moduleChanged;
};

// The arguments of EditCodeText besides the text.
struct CodeEdit {
    QString title;
    bool showTiming = false;
    float minimum = -1;
    float maximum = -1;
    int kind = 0;
    int maxLength = 0;  // 0: no limit
};

class TextEditorForm : public QDialog {
    Q_OBJECT
  public:
    explicit TextEditorForm(const EditorContext& context);
    ~TextEditorForm() override;

    // Fills the editor for one text and prepares the assistant menu.
    void prepare(const QString& text, const CodeEdit& edit);
    QString text() const;
    bool timingShown() const;
    float minimum() const;
    float maximum() const;
    int kind() const { return kind_; }

    QMenu* assistantMenu() const { return menuAssistant_; }
    QAction* atomAction(int row) const { return atoms_[static_cast<std::size_t>(row)]; }

    // Runs an atom: asks its parameters in the substitution form, prefilled
    // with the defaults, and inserts its text at the caret. The defaults
    // receive what the user typed. False when nothing was inserted.
    bool runAssistantMacro(const QString& macro, QStringList& defaults);
    // The command of an entry of the assistant menu.
    void atomCommand(int row);

    void ok();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void buildMenu(QMenu* menu, const std::vector<AtomMenuNode>& nodes);
    void prepareAssistant();
    void showCaretLine();
    void requestCommand();
    void dynamicRequestCommand();
    void sendBetaEventCommand();
    void sendNotificationCommand();
    void addDependency(const QString& module, const QString& service, const float* pair);
    QString moduleName(int size) const;

    EditorContext context_;
    Routines& routines_;
    int kind_ = 0;
    TextBox* text_;
    QLabel* labelTextPos_;
    QGroupBox* frameTiming_;
    QLineEdit* textMin_;
    QLineEdit* textMax_;
    QMenuBar* menuBar_;
    QMenu* menuAssistant_;
    std::array<QAction*, 39> atoms_{};
};

// EditCodeText: edits a code text in the editor. True when the user
// accepted; text and, when the timing fields were shown, the times of
// edit then hold the new values.
bool editCodeText(const EditorContext& context, QString& text, CodeEdit& edit);

}  // namespace orven::designer
