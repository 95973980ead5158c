// The fixture of the designer's widget tests: a working directory with the
// engine's data and an "externals" directory, the scripted interaction, and
// the main window started on the offscreen platform against the real
// engine.
#pragma once

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QDialog>
#include <QLabel>
#include <QListWidget>
#include <QString>
#include <QTemporaryDir>
#include <memory>

#include "MainForm.h"
#include "ScriptedInteraction.h"

// Texts in test messages.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

namespace orven::designer::test {

// A description that passes the engine's description rule.
inline const QString kGoodDescription =
    QStringLiteral("A module that counts the pulses of a sensor");

// Presses a button the way a user does.
void click(QAbstractButton* button);
// The control of a window by its name; fails the test when it is missing.
template <class T>
T* control(QObject* window, const QString& name) {
    T* found = window->findChild<T*>(name);
    EXPECT_NE(found, nullptr) << "no control " << name.toStdString();
    return found;
}
// Fills Dialog_namedescr and presses "OK".
void acceptNameDialog(QDialog& dialog, const QString& name, const QString& description);

// The items of a list.
QStringList items(const QListWidget* list);
// Clicks and double-clicks an item of a list.
void clickRow(QListWidget* list, int row);
void doubleClickRow(QListWidget* list, int row);
// Selects the row of a list as a click does.
void selectRow(QListWidget* list, int row);
void selectText(QListWidget* list, const QString& text);

class DesignerTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    // Prepares the working directory; the parts can be left out.
    void prepareWorkDir(bool withExternals = true, bool withCatalogue = true);
    // Creates and starts the main window; false after the critical stop.
    bool start();

    QString file(const QString& name) const;
    QAction* action(const QString& name) const;
    template <class T>
    T* ctl(const QString& name) const {
        return control<T>(form_.get(), name);
    }

    // The scripted answers of a new module named name, then the command.
    void newModule(const QString& name, const QString& description = kGoodDescription);
    // Adds a group or a service through the Edit menu.
    void addGroup(const QString& name, const QString& description = kGoodDescription);
    void addService(const QString& group, const QString& name,
                    const QString& description = kGoodDescription);
    void selectService(const QString& group, const QString& service);
    // Sets the author through the general information dialog.
    void setAuthor(const QString& author);
    // Saves under the path through "Save Module As..."; the module must have
    // an author.
    void saveAs(const QString& path);

    // The boxes shown since the last call, as "title|text".
    QStringList takeBoxes();
    // Fails the test when scripted answers are left or calls went unanswered.
    void expectScriptDone();

    ScriptedInteraction ui_;
    std::unique_ptr<MainForm> form_;
    std::unique_ptr<MainForm::Options> options_;
    QTemporaryDir dir_;
    QString previousDir_;
    bool prepared_ = false;
};

}  // namespace orven::designer::test
