// The external-object dialogs with real files: adding one and many files
// through the pickers, editing, erasing, reloading after a change,
// exporting, the marks of changed files and the count label.
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

#include "CodeTestSupport.h"
#include "ExternalObjects.h"
#include "Widgets.h"

namespace orven::designer::test {
namespace {

void writeText(const QString& path, const QByteArray& text) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(text);
}

QByteArray readText(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

void touchLater(const QString& path, int seconds) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    ASSERT_TRUE(f.setFileTime(QDateTime::currentDateTime().addSecs(seconds),
                              QFileDevice::FileModificationTime));
}

class Externals : public CodeEditing {
  protected:
    void SetUp() override {
        CodeEditing::SetUp();
        src_ = file("src");
        ASSERT_TRUE(QDir().mkpath(src_));
        writeText(src_ + "/pulse.h", "int pulses;\n");
        writeText(src_ + "/count.h", "int count;\n");
        writeText(src_ + "/lib(v2).h", "int lib;\n");
        writeText(file("extra.h"), "int extra;\n");
        form_->clearModified();
    }

    // Opens the dialog of a kind from the implementation page's button.
    void withDialog(const char* button, const std::function<void(ExternalObjectsDialog&)>& body) {
        bool shown = false;
        ui_.handleDialog([&](QDialog& d) {
            shown = true;
            auto* dialog = qobject_cast<ExternalObjectsDialog*>(&d);
            ASSERT_NE(dialog, nullptr) << d.objectName().toStdString();
            body(*dialog);
            if (d.isVisible()) {
                click(control<QAbstractButton>(&d, "Command_close"));
            }
        });
        click(ctl<QAbstractButton>(QString::fromLatin1(button)));
        EXPECT_TRUE(shown);
    }

    // Picks a file in Dialog_askexternalobject as a click in its lists does.
    void pickFile(QDialog& picker, const QString& dir, const QString& name) {
        auto* ask = qobject_cast<AskExternalObjectDialog*>(&picker);
        ASSERT_NE(ask, nullptr);
        ASSERT_TRUE(ask->browser().browse(dir));
        auto* files = control<QListWidget>(&picker, "File1");
        const auto found = files->findItems(name, Qt::MatchExactly);
        ASSERT_EQ(found.size(), 1) << name.toStdString();
        QTest::mouseClick(files->viewport(), Qt::LeftButton, {},
                          files->visualItemRect(found.front()).center());
    }

    static QStringList listed(ExternalObjectsDialog& d) {
        return items(control<QListWidget>(&d, "List_ExternalObjects"));
    }
    static QListWidget* list(ExternalObjectsDialog& d) {
        return control<QListWidget>(&d, "List_ExternalObjects");
    }
    static QString count(ExternalObjectsDialog& d) {
        return control<QLabel>(&d, "Label_externallist")->text();
    }
    QString item(const QString& name, bool mark = false) const {
        EngineBuffer date(128);
        GetDateOfFile(toEngine(src_ + "/" + name).constData(), date.data(), 128);
        return QString(mark ? "*" : " ") + "(" + name + ") @ [" + src_ + "] : " + date.trimmed();
    }

    QString src_;
};

TEST_F(Externals, OneFileIsAddedThroughThePicker) {
    withDialog("Command_external", [this](ExternalObjectsDialog& d) {
        EXPECT_EQ(d.windowTitle(), "[External Including]");
        EXPECT_EQ(control<QLabel>(&d, "Label_typeext")->text(), "0");
        EXPECT_EQ(count(d), "There are 0 external objects in the list:");
        EXPECT_EQ(d.flag(), 0);
        ui_.handleDialog([this](QDialog& picker) {
            EXPECT_EQ(picker.windowTitle(), "External Object Dialog");
            EXPECT_EQ(picker.findChild<QWidget*>("Drive1"), nullptr)
                << "no drive list where the platform has no drives";
            // OK without a file is refused.
            click(control<QAbstractButton>(&picker, "OKButton"));
            EXPECT_TRUE(picker.isVisible());
            pickFile(picker, src_, "pulse.h");
            EXPECT_EQ(control<QLineEdit>(&picker, "Text_path")->text(), src_);
            EXPECT_EQ(control<QLineEdit>(&picker, "Text_filename")->text(), "pulse.h");
            EXPECT_FALSE(control<QLineEdit>(&picker, "Text_lastmod")->text().isEmpty());
            click(control<QAbstractButton>(&picker, "OKButton"));
        });
        click(control<QAbstractButton>(&d, "Command_add"));
        EXPECT_EQ(takeBoxes(), QStringList({"ERROR|You must choose a file."}));
        EXPECT_EQ(listed(d), QStringList({item("pulse.h")}));
        EXPECT_EQ(count(d), "There is 1 external object in the list:");
        EXPECT_EQ(d.flag(), 1);
    });
    EXPECT_EQ(NumberOfExternalDataEntries(0), 1);
    EXPECT_TRUE(form_->oxaChanged());

    // The passive kind has its own list; a cancelled picker adds nothing.
    form_->clearModified();
    withDialog("Command_extpassive", [this](ExternalObjectsDialog& d) {
        EXPECT_EQ(d.windowTitle(), "[External Passive]");
        EXPECT_TRUE(listed(d).isEmpty());
        ui_.handleDialog([](QDialog& p) { click(control<QAbstractButton>(&p, "CancelButton")); });
        click(control<QAbstractButton>(&d, "Command_add"));
        EXPECT_EQ(d.flag(), 0);
    });
    EXPECT_FALSE(form_->oxaChanged());
    expectScriptDone();
}

TEST_F(Externals, ARelativePathBringsTheSuggestion) {
    struct Case {
        const char* path;
        bool asks;
    };
    const Case cases[] = {{"externals/lib", true}, {"./src", true}, {"", true}, {"/opt/x", false}};
    for (const Case& c : cases) {
        EXPECT_EQ(isAbsoluteExternalPath(c.path), !c.asks) << c.path;
    }
    AskExternalObjectDialog picker(form_->routines(), form_.get());
    picker.setFields("externals/lib", "pulse.h", "");
    picker.show();
    const QString suggestion =
        "Suggestion|Sure? Paths should be absolute for the file to be found and copied to the "
        "compilation directory.";
    ui_.answer(Answer::Cancel);
    click(control<QAbstractButton>(&picker, "OKButton"));
    EXPECT_TRUE(picker.isVisible()) << "Cancel keeps the picker open";
    ui_.answer(Answer::Ok);
    click(control<QAbstractButton>(&picker, "OKButton"));
    EXPECT_FALSE(picker.isVisible());
    EXPECT_EQ(picker.flag(), 1);
    EXPECT_EQ(takeBoxes(), QStringList({suggestion, suggestion}));
    expectScriptDone();
}

TEST_F(Externals, ManyFilesAreAddedEditedAndErased) {
    withDialog("Command_extcode", [this](ExternalObjectsDialog& d) {
        EXPECT_EQ(d.windowTitle(), "[External Compiling/Linking]");
        ui_.handleDialog([this](QDialog& picker) {
            auto* many = qobject_cast<AskManyExternalObjectsDialog*>(&picker);
            ASSERT_NE(many, nullptr);
            ASSERT_TRUE(many->browser().browse(src_));
            click(control<QAbstractButton>(&picker, "OKButton"));  // nothing selected
            EXPECT_TRUE(picker.isVisible());
            click(control<QAbstractButton>(&picker, "Command_selectall"));
            EXPECT_EQ(many->NumberOfSelected(), 3);
            click(control<QAbstractButton>(&picker, "Command_clearselected"));
            EXPECT_EQ(many->NumberOfSelected(), 0);
            auto* files = control<QListWidget>(&picker, "File1");
            for (const char* name : {"count.h", "lib(v2).h", "pulse.h"}) {
                files->findItems(name, Qt::MatchExactly).front()->setSelected(true);
            }
            EXPECT_EQ(many->DataNthSelected(1).mid(0, 2), QStringList({src_, "lib(v2).h"}));
            click(control<QAbstractButton>(&picker, "OKButton"));
        });
        click(control<QAbstractButton>(&d, "Command_AddMany"));
        EXPECT_EQ(takeBoxes(),
                  QStringList({"External Objects|You must select at least one file!"}));
        EXPECT_EQ(listed(d), QStringList({item("count.h"), item("lib(v2).h"), item("pulse.h")}));
        EXPECT_EQ(count(d), "There are 3 external objects in the list:");
        // The parts of an item read back whole, even with a parenthesis in the name.
        EXPECT_EQ(d.readexternalentry(2).name, "lib(v2).h");
        EXPECT_EQ(d.readexternalentry(2).path, src_);

        // Edit without a selection, then the second entry to another file.
        auto* list = control<QListWidget>(&d, "List_ExternalObjects");
        click(control<QAbstractButton>(&d, "Command_edit"));
        EXPECT_EQ(takeBoxes(), QStringList({"No Entry Selected|You must select an entry before "
                                            "editing!"}));
        ui_.handleDialog([this](QDialog& picker) {
            EXPECT_EQ(control<QLineEdit>(&picker, "Text_filename")->text(), "lib(v2).h");
            EXPECT_EQ(control<QLineEdit>(&picker, "Text_path")->text(), src_);
            control<QLineEdit>(&picker, "Text_path")->setText(dir_.path());
            control<QLineEdit>(&picker, "Text_filename")->setText("extra.h");
            click(control<QAbstractButton>(&picker, "OKButton"));
        });
        selectRow(list, 1);
        click(control<QAbstractButton>(&d, "Command_edit"));
        EXPECT_TRUE(listed(d)[1].startsWith(" (extra.h) @ [" + dir_.path() + "] : "));
        EXPECT_EQ(d.flag(), 1);
        // A change the engine refuses marks the old entry.
        ui_.handleDialog([](QDialog& picker) {
            control<QLineEdit>(&picker, "Text_filename")->setText("missing.h");
            click(control<QAbstractButton>(&picker, "OKButton"));
        });
        selectRow(list, 0);
        click(control<QAbstractButton>(&d, "Command_edit"));
        EXPECT_EQ(takeBoxes(),
                  QStringList({"Error Changing Entry|Error changing the external entry."}));
        EXPECT_EQ(listed(d)[0], item("count.h", true));
        EXPECT_TRUE(list->item(0)->isSelected()) << "a marked entry is selected";
        click(control<QAbstractButton>(&d, "Command_unmark"));
        EXPECT_EQ(listed(d)[0], item("count.h"));

        // Erase the first and the last: from the last to the first.
        click(control<QAbstractButton>(&d, "Command_deselect"));
        click(control<QAbstractButton>(&d, "Command_remove"));
        EXPECT_EQ(takeBoxes(), QStringList({"No Entry Selected|You must select an entry before "
                                            "removing!"}));
        list->item(0)->setSelected(true);
        list->item(2)->setSelected(true);
        click(control<QAbstractButton>(&d, "Command_remove"));
        ASSERT_EQ(listed(d).size(), 1);
        EXPECT_TRUE(listed(d)[0].startsWith(" (extra.h)"));
        EXPECT_EQ(NumberOfExternalDataEntries(1), 1);

        // Erase all asks, also on the second, empty round.
        ui_.answer(Answer::Ok);
        click(control<QAbstractButton>(&d, "Command_clearall"));
        EXPECT_TRUE(listed(d).isEmpty());
        ui_.answer(Answer::Ok);
        click(control<QAbstractButton>(&d, "Command_clearall"));
        EXPECT_TRUE(listed(d).isEmpty());
        EXPECT_EQ(takeBoxes(), QStringList(2, "Confirmation|Sure?"));
    });
    EXPECT_EQ(NumberOfExternalDataEntries(1), 0);
    EXPECT_TRUE(form_->oxaChanged());
    expectScriptDone();
}

TEST_F(Externals, ChangedFilesAreMarkedReloadedAndExported) {
    const QByteArray dir = toEngine(src_);
    ASSERT_EQ(ChangeExternalDataEntry(0, 0, dir.constData(), "pulse.h"), 1);
    ASSERT_EQ(ChangeExternalDataEntry(0, 1, dir.constData(), "count.h"), 1);
    writeText(src_ + "/pulse.h", "int pulses = 2;\n");
    touchLater(src_ + "/pulse.h", 120);

    ExternalObjectsDialog d(form_->routines(), form_.get());
    d.setKind(0);
    EXPECT_EQ(d.updatelistofexternals(false, true), 0) << "no marks without the time check";
    EXPECT_EQ(d.updatelistofexternals(true, false), 1);
    ASSERT_EQ(listed(d).size(), 2);
    EXPECT_TRUE(listed(d)[0].startsWith("*(pulse.h) @ [" + src_ + "] : "));
    EXPECT_EQ(listed(d)[1], item("count.h"));
    EXPECT_TRUE(list(d)->item(0)->isSelected()) << "a marked entry is selected";
    d.show();

    // Reload without a selection, then the marked entry.
    click(control<QAbstractButton>(&d, "Command_deselect"));
    click(control<QAbstractButton>(&d, "Command_reload"));
    EXPECT_EQ(takeBoxes(), QStringList({"No Entry Selected|You must select an entry before "
                                        "reloading!"}));
    auto* list = control<QListWidget>(&d, "List_ExternalObjects");
    selectRow(list, 0);
    click(control<QAbstractButton>(&d, "Command_reload"));
    EXPECT_EQ(takeBoxes(), QStringList({"Reloading Externals|All external entries reloaded"}));
    EXPECT_EQ(CheckModificationsDataEntry(0, 0), 1) << "the stored copy is current again";
    EXPECT_EQ(listed(d)[0], item("pulse.h"));
    EXPECT_EQ(d.updatelistofexternals(true, false), 0);

    // Export into a directory chosen in Form_askdir.
    const QString out = file("out");
    ASSERT_TRUE(QDir().mkdir(out));
    ui_.handleDialog([&](QDialog& ask) {
        EXPECT_EQ(ask.windowTitle(), "Destination Directory and Drive");
        ASSERT_TRUE(control<DirectoryList>(&ask, "Dir1")->setPath(out));
        click(control<QAbstractButton>(&ask, "Command_okdir"));
    });
    click(control<QAbstractButton>(&d, "Command_export"));
    EXPECT_EQ(takeBoxes(), QStringList({"Exporting Files|Files exported."}));
    EXPECT_EQ(readText(out + "/pulse.h"), "int pulses = 2;\n");
    EXPECT_EQ(readText(out + "/count.h"), "int count;\n");

    // A file that disappeared: marked only when missing files count.
    ASSERT_TRUE(QFile::remove(src_ + "/count.h"));
    EXPECT_EQ(d.updatelistofexternals(true, false), 0);
    EXPECT_EQ(d.updatelistofexternals(true, true), 1);
    selectRow(list, 1);
    click(control<QAbstractButton>(&d, "Command_reload"));
    EXPECT_EQ(takeBoxes(),
              QStringList({"Error Reloading|There are  1 entries that could not be reloaded. "
                           "They have been marked so you can edit them."}));
    EXPECT_TRUE(listed(d)[1].startsWith("*(count.h)"));
    expectScriptDone();
}

TEST_F(Externals, TheCheckAfterLoadingShowsTheChangedFilesMarked) {
    const QByteArray dir = toEngine(src_);
    ASSERT_EQ(ChangeExternalDataEntry(0, 0, dir.constData(), "pulse.h"), 1);
    ASSERT_EQ(ChangeExternalDataEntry(0, 1, dir.constData(), "count.h"), 1);
    setAuthor("A. Author");
    const QString path = file("counter.oxa");
    saveAs(path);
    action("File_close")->trigger();
    EXPECT_FALSE(form_->oxaPresent());
    touchLater(src_ + "/count.h", 120);
    EXPECT_EQ(takeBoxes(), QStringList());

    ui_.answerFile(path);
    ui_.answer(Answer::Yes);
    ui_.handleDialog([this](QDialog& d) {
        auto* dialog = qobject_cast<ExternalObjectsDialog*>(&d);
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(d.windowTitle(), "Modified include/compile externals");
        const QStringList shown = listed(*dialog);
        ASSERT_EQ(shown.size(), 2);
        EXPECT_TRUE(shown[0].startsWith(" (pulse.h)"));
        EXPECT_TRUE(shown[1].startsWith("*(count.h)"));
        click(control<QAbstractButton>(&d, "Command_reload"));  // the marked one is selected
        click(control<QAbstractButton>(&d, "Command_close"));
    });
    action("FileMenu_load")->trigger();
    EXPECT_EQ(takeBoxes(), QStringList({"External Files Changed|Some external entries have "
                                        "changed from last time. Want to reload?",
                                        "Reloading Externals|All external entries reloaded"}));
    EXPECT_EQ(CheckModificationsDataEntry(0, 1), 1);
    EXPECT_TRUE(form_->oxaChanged());
    expectScriptDone();
}

}  // namespace
}  // namespace orven::designer::test
