// The routines that all windows of the designer share: the name and
// description dialog, the file dialog that keeps the working directory,
// the list helpers, message boxes, modal dialogs and the help documents.
#pragma once

#include <QGuiApplication>
#include <QListWidget>
#include <QString>

#include "Interaction.h"

class QDialog;
class QWidget;

namespace orven::designer {

// Shows the wait cursor while an object of it lives.
class WaitCursor {
  public:
    WaitCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QGuiApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

enum class HelpDocument { Designer, Odl, Atoms, Robotics };

struct NameAndDescription {
    bool accepted = false;
    QString name;
    QString description;
};

class Routines {
  public:
    Routines(Interaction& interaction, QWidget* window);

    Interaction& interaction() { return ui_; }
    QWidget* window() const { return window_; }
    void setWindow(QWidget* window) { window_ = window; }

    // Message boxes; an empty title is the program's default title.
    void warning(const QString& title, const QString& text) {
        ui_.message(title, text, Icon::Warning);
    }
    void information(const QString& title, const QString& text) {
        ui_.message(title, text, Icon::Information);
    }
    void plain(const QString& title, const QString& text) { ui_.message(title, text, Icon::None); }
    Answer ask(const QString& title, const QString& text, Buttons buttons) {
        return ui_.question(title, text, buttons, Icon::None);
    }
    bool askYes(const QString& title, const QString& text) {
        return ask(title, text, Buttons::YesNo) == Answer::Yes;
    }
    bool askOk(const QString& title, const QString& text) {
        return ask(title, text, Buttons::OkCancel) == Answer::Ok;
    }

    // Shows a dialog of the designer modally; the QDialog result code.
    int showModal(QDialog& dialog);

    // The name and description dialog (Dialog_namedescr), with the
    // description check of the engine after acceptance.
    NameAndDescription askNameAndDescription(const QString& title, const QString& name,
                                             const QString& description, int maxName,
                                             int maxDescription);

    // The file dialog; the working directory that was current before it is
    // current again afterwards. Empty when cancelled.
    QString askFileName(const QString& title, FileMode mode, const QString& pattern);

    // Opens one of the help documents.
    void openHelp(HelpDocument document);
    // Where the help documents are looked for: "help" in the start
    // directory, then the documents of the installation.
    QString helpFilePath(HelpDocument document) const;

    void setStartDirectory(const QString& dir) { startDirectory_ = dir; }
    const QString& startDirectory() const { return startDirectory_; }

    static QString selectedListText(const QListWidget* list);
    static void replaceSelectedListText(QListWidget* list, const QString& text);
    static void removeSelectedListItem(QListWidget* list);

  private:
    Interaction& ui_;
    QWidget* window_;
    QString startDirectory_;
};

}  // namespace orven::designer
