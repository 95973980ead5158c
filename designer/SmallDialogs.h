// The small dialogs: the module's general information (geninfo_dialog), the
// interpreter of compacted text (Dialog_compacted), the log viewer
// (Dialog_showlog), the directory chooser (Form_askdir) with its
// new-directory dialog (DialogNewDir), and the substitution form that asks
// the parameters of an atom (Auto_form).
#pragma once

#include <utility>
#include <vector>

#include "FlagDialog.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QVBoxLayout;
class QGridLayout;

namespace orven::designer {

class TextBox;
class DirectoryList;

class GenInfoDialog : public FlagDialog {
    Q_OBJECT
  public:
    GenInfoDialog(Routines& routines, QWidget* parent);
    // False (after its message) when the information cannot be read; the
    // dialog is then not shown.
    bool load();
    void update();

  private:
    QLineEdit* version_;
    QLineEdit* date_;
    QLineEdit* author_;
    TextBox* otherDependencies_;
    TextBox* comments_;
};

class CompactedDialog : public QDialog {
    Q_OBJECT
  public:
    CompactedDialog(Routines& routines, QWidget* parent);
    void interpret();
    void clearText();

  private:
    Routines& routines_;
    TextBox* text_;
};

class ShowLogDialog : public QDialog {
    Q_OBJECT
  public:
    explicit ShowLogDialog(QWidget* parent);
    void setLabel(const QString& label);
    void setLog(const QString& log);

  private:
    QLabel* label_;
    TextBox* log_;
};

class NewDirDialog : public FlagDialog {
    Q_OBJECT
  public:
    NewDirDialog(Routines& routines, QWidget* parent);
    QString name() const;
    void ok();

  private:
    QLineEdit* name_;
};

class AskDirDialog : public FlagDialog {
    Q_OBJECT
  public:
    AskDirDialog(Routines& routines, QWidget* parent);
    // The drive and directory lists show the working directory.
    void load();
    // The entry selected in the directory list.
    QString selectedDirectory() const;
    void driveChanged(int index);
    void newDirectory();
    // Where a new directory named name goes below the selected entry.
    static QString newDirectoryPath(const QString& parent, const QString& name);

  private:
    QComboBox* drives_;
    DirectoryList* dirs_;
};

class AutoForm : public FlagDialog {
    Q_OBJECT
  public:
    AutoForm(Routines& routines, QWidget* parent);
    void setFrameCaption(const QString& caption);
    void addentry(const QString& label, const QString& defaultText);
    void resetentries();
    int numentries() const { return static_cast<int>(entries_.size()); }
    bool readlastcommand() const { return flag() != 0; }
    std::pair<QString, bool> readentrylabel(int position) const;
    std::pair<QString, bool> readentryvalue(int position) const;

  private:
    struct Entry {
        QLabel* label;
        QLineEdit* box;
        bool disabled;
    };
    QGroupBox* frame_;
    QGridLayout* rows_;
    std::vector<Entry> entries_;
};

}  // namespace orven::designer
