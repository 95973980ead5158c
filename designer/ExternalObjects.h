// The external-object dialogs: the list of the module's external entries of
// one kind (Dialog_externalobjects) with its two pickers, one file with
// editable fields (Dialog_askexternalobject) and several files of one
// directory (Dialog_askmanyexternalobjects).
//
// Entry kinds: 0 included, 1 compiled and linked, 3 passive (copied only).
// The pickers show a drive list only where the platform has drives.
#pragma once

#include <QStringList>

#include "FlagDialog.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;

namespace orven::designer {

class DirectoryList;

struct ExternalEntryText {
    QString path;
    QString name;
    QString timestamp;
};

// Whether a path is absolute for the pickers' suggestion: on Windows
// rooted ("\") or a drive path ("C:\"), elsewhere beginning with "/".
bool isAbsoluteExternalPath(const QString& path);

class ExternalObjectsDialog : public FlagDialog {
    Q_OBJECT
  public:
    ExternalObjectsDialog(Routines& routines, QWidget* parent);

    // The kind of the listed entries (the hidden Label_typeext).
    void setKind(int kind);
    int kind() const { return kind_; }

    // Fills the list from the engine; with checktime the entries whose
    // files changed are marked, and with countinexistent also those whose
    // files no longer exist. The number of marked entries.
    int updatelistofexternals(bool checktime, bool countinexistent);
    // Appends an item; with addtomodule the entry is first stored in the
    // module (false, after its message, when the engine refuses it).
    bool addexternalobjecttolist(const QString& path, const QString& name, const QString& timestamp,
                                 bool addtomodule, bool mark);
    // The entry shown at the position (counted from 1).
    ExternalEntryText readexternalentry(int position) const;
    // The text of a list item of an entry.
    static QString itemText(const ExternalEntryText& entry, bool mark);

    void addOne();
    void addMany();
    void edit();
    void remove();
    void clearAll();
    void reload();
    void exportFiles();
    void selectAll();
    void deselect();
    void unmark();

  private:
    void setItem(QListWidgetItem* item, const ExternalEntryText& entry, bool mark);
    bool readEngineEntry(int position, ExternalEntryText& entry) const;
    QList<int> selectedRows() const;
    void updateCount();

    int kind_ = 0;
    QListWidget* list_;
    QLabel* labelCount_;
    QLabel* labelType_;
};

// The directory browsing that both pickers share: an optional drive list,
// the directory list and the list of the directory's files.
class FileBrowser : public QObject {
    Q_OBJECT
  public:
    FileBrowser(Routines& routines, QWidget* owner, QComboBox* drives, DirectoryList* dirs,
                QListWidget* files);
    // Browses to the last browsed directory, or to the current one.
    void start();
    bool browse(const QString& dir);
    QString directory() const;
    // The last directory browsed by either picker (at first the program's
    // start directory).
    static QString lastDirectory(const Routines& routines);

  private:
    void driveChosen(int index);
    void fillFiles();
    Routines& routines_;
    QComboBox* drives_;
    DirectoryList* dirs_;
    QListWidget* files_;
};

class AskExternalObjectDialog : public FlagDialog {
    Q_OBJECT
  public:
    AskExternalObjectDialog(Routines& routines, QWidget* parent);
    void setFields(const QString& path, const QString& name, const QString& timestamp);
    QString path() const;
    QString fileName() const;
    QString timestamp() const;
    FileBrowser& browser() { return *browser_; }
    void fileClicked(QListWidgetItem* item);
    void ok();

  private:
    FileBrowser* browser_;
    QLineEdit* textPath_;
    QLineEdit* textFileName_;
    QLineEdit* textLastMod_;
};

class AskManyExternalObjectsDialog : public FlagDialog {
    Q_OBJECT
  public:
    AskManyExternalObjectsDialog(Routines& routines, QWidget* parent);
    int NumberOfSelected() const;
    // Directory, file name and timestamp of the n-th selected file.
    QStringList DataNthSelected(int n) const;
    FileBrowser& browser() { return *browser_; }
    void ok();

  private:
    FileBrowser* browser_;
    QListWidget* files_;
};

}  // namespace orven::designer
