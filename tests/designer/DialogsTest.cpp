// The small dialogs: signals, dependencies, general information, the
// directory chooser, the substitution form and the format transformer.
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>

#include "DependencyDialogs.h"
#include "DesignerFixture.h"
#include "FormatTransformer.h"
#include "SignalDialogs.h"
#include "SmallDialogs.h"
#include "Texts.h"
#include "TransformerDialog.h"
#include "Widgets.h"
#include "orven.h"

namespace orven::designer::test {
namespace {

class Dialogs : public DesignerTest {
  protected:
    void SetUp() override {
        DesignerTest::SetUp();
        ASSERT_TRUE(start());
        newModule("Counter");
        ui_.clearCalls();
    }
};

TEST_F(Dialogs, TheSignalListAddsRemovesAndClears) {
    ASSERT_EQ(AddNewDefinedSignal("tick", "E", "7"), 1);
    BetaEventListDialog dialog(form_->routines(), form_.get());
    dialog.load();
    auto* list = control<QListWidget>(&dialog, "List_Events");
    EXPECT_EQ(items(list), QStringList({"(E) tick  =>  7"}));
    EXPECT_EQ(dialog.flag(), 0);

    // Remove without a selection does nothing and asks nothing.
    click(control<QAbstractButton>(&dialog, "Command_remove"));
    EXPECT_TRUE(ui_.calls().empty());

    // A cancelled new signal adds nothing, even with both fields filled.
    ui_.handleDialog([](QDialog& d) {
        control<QLineEdit>(&d, "Event_name")->setText("ring");
        control<QLineEdit>(&d, "Event_code")->setText("3");
        click(control<QAbstractButton>(&d, "CancelButton"));
    });
    click(control<QAbstractButton>(&dialog, "Command_add"));
    EXPECT_EQ(NumberOfDefinedSignals(), 1);
    EXPECT_EQ(dialog.flag(), 0);

    // Both fields are needed.
    ui_.handleDialog([](QDialog& d) {
        control<QLineEdit>(&d, "Event_name")->setText("ring");
        click(control<QAbstractButton>(&d, "OKButton"));
        EXPECT_TRUE(d.isVisible());
        click(control<QAbstractButton>(&d, "CancelButton"));
    });
    click(control<QAbstractButton>(&dialog, "Command_add"));
    EXPECT_EQ(takeBoxes().filter("|").last(),
              "New Signal Definition|Both name and code must be filled");

    // A duplicate is refused by the engine.
    ui_.handleDialog([](QDialog& d) {
        control<QLineEdit>(&d, "Event_name")->setText("tick");
        control<QLineEdit>(&d, "Event_code")->setText("8");
        click(control<QAbstractButton>(&d, "OKButton"));
    });
    click(control<QAbstractButton>(&dialog, "Command_add"));
    EXPECT_EQ(takeBoxes(),
              QStringList({"Generate event|Not possible to add that signal. Maybe duplicated or "
                           "mispelled?"}));

    // Remove with its question.
    selectRow(list, 0);
    ui_.answer(Answer::Cancel);
    click(control<QAbstractButton>(&dialog, "Command_remove"));
    EXPECT_EQ(NumberOfDefinedSignals(), 1);
    selectRow(list, 0);
    ui_.answer(Answer::Ok);
    click(control<QAbstractButton>(&dialog, "Command_remove"));
    EXPECT_EQ(NumberOfDefinedSignals(), 0);
    EXPECT_EQ(dialog.flag(), 1);
    EXPECT_EQ(control<QLabel>(&dialog, "Label_number")->text(), "This module defines 0 signal(s):");
    EXPECT_EQ(takeBoxes(), QStringList(2, "Cut signal|Sure to remove selected signal?"));

    ASSERT_EQ(AddNewDefinedSignal("a", "E", "1"), 1);
    ASSERT_EQ(AddNewDefinedSignal("b", "N", "2"), 1);
    dialog.fill();
    ui_.answer(Answer::Ok);
    click(control<QAbstractButton>(&dialog, "Command_clear"));
    EXPECT_EQ(takeBoxes(), QStringList({"Clear list|Sure to clear all signals in the list?"}));
    EXPECT_EQ(NumberOfDefinedSignals(), 0);
    EXPECT_EQ(list->count(), 0);
    expectScriptDone();
}

TEST_F(Dialogs, TheDefinedSignalsButtonMarksTheModuleOnlyWhenChanged) {
    ui_.handleDialog([](QDialog& d) { click(control<QAbstractButton>(&d, "OKButton")); });
    click(ctl<QAbstractButton>("Command_betaeventlist"));
    EXPECT_FALSE(form_->oxaChanged());
    ui_.handleDialog([this](QDialog& d) {
        ui_.handleDialog([](QDialog& input) {
            control<QLineEdit>(&input, "Event_name")->setText("a");
            control<QLineEdit>(&input, "Event_code")->setText("1");
            click(control<QAbstractButton>(&input, "OKButton"));
        });
        click(control<QAbstractButton>(&d, "Command_add"));
        auto* list = control<QListWidget>(&d, "List_Events");
        ASSERT_EQ(list->count(), 1);
        // A double click closes the list.
        doubleClickRow(list, 0);
        EXPECT_FALSE(d.isVisible());
    });
    click(ctl<QAbstractButton>("Command_betaeventlist"));
    EXPECT_TRUE(form_->oxaChanged()) << "the result flag marks the module";
    expectScriptDone();
}

TEST_F(Dialogs, TheDependencyListAndItsEditor) {
    ClientListDialog dialog(form_->routines(), form_.get());
    dialog.load();
    auto* header = control<QLabel>(&dialog, "Label_number");
    auto* list = control<QListWidget>(&dialog, "List_Clients");
    EXPECT_EQ(header->text(), "This module has currently  0 dependencies.");
    // Remove without a selection does nothing.
    click(control<QAbstractButton>(&dialog, "Command_remove"));
    EXPECT_TRUE(ui_.calls().empty());

    ui_.handleDialog([](QDialog& d) {
        EXPECT_EQ(d.windowTitle(), "New Dependency");
        click(control<QAbstractButton>(&d, "Command1"));
        EXPECT_TRUE(d.isVisible()) << "a module name is needed";
        control<QLineEdit>(&d, "Text1")->setText("Clock");
        click(control<QAbstractButton>(&d, "Command1"));
        EXPECT_TRUE(d.isVisible()) << "\"No\" to a whole-module dependency keeps the dialog";
        control<QLineEdit>(&d, "Text2")->setText("tick");
        click(control<QAbstractButton>(&d, "Command1"));
    });
    ui_.answer(Answer::No);
    click(control<QAbstractButton>(&dialog, "Command_add"));
    EXPECT_EQ(takeBoxes(),
              QStringList({"Module Name|Module Name is mandatory.",
                           "Special Dependency|Sure to enter a dependency on a whole module?"}));
    EXPECT_EQ(items(list), QStringList({"[Clock]:[tick]@(0,INF)"}));
    EXPECT_EQ(header->text(), "This module has currently  1 dependency.");
    EXPECT_EQ(dialog.flag(), 1);

    // The same dependency again is refused.
    ui_.handleDialog([](QDialog& d) {
        control<QLineEdit>(&d, "Text1")->setText("Clock");
        control<QLineEdit>(&d, "Text2")->setText("tick");
        click(control<QAbstractButton>(&d, "Command1"));
    });
    click(control<QAbstractButton>(&dialog, "Command_add"));
    EXPECT_EQ(takeBoxes(),
              QStringList({"|Error adding module dependency (dependency probably duplicated)"}));
    // Cancel adds nothing.
    ui_.handleDialog([](QDialog& d) { click(control<QAbstractButton>(&d, "Command2")); });
    click(control<QAbstractButton>(&dialog, "Command_add"));
    EXPECT_EQ(list->count(), 1);

    selectRow(list, 0);
    ui_.clearCalls();
    click(control<QAbstractButton>(&dialog, "Command_remove"));
    EXPECT_TRUE(ui_.calls().empty()) << "no confirmation";
    EXPECT_EQ(GetNumberOfModuleDependencies(), 0);
    EXPECT_EQ(header->text(), "This module has currently  0 dependencies.");
    expectScriptDone();
}

TEST_F(Dialogs, OfferedServicesAreMarkedByClicks) {
    ASSERT_EQ(AddNewGroupOfServices("Main", "The main group of the module"), 1);
    for (const char* s : {"alpha", "beta", "gamma"}) {
        ASSERT_EQ(CreateOXAService("Main", s, "A service of the main group here"), 1);
    }
    ASSERT_EQ(LoadThisModuleAsDependencies(), 1);
    OtherServicesDialog dialog(form_->routines(), form_.get());
    dialog.load();
    dialog.show();
    auto* list = control<QListWidget>(&dialog, "List_Services");
    const int n = list->count();
    ASSERT_EQ(n, 3);
    EXPECT_EQ(control<QLabel>(&dialog, "Label_number")->text(),
              "The loaded module offers " + withSign(n) + " services.");
    EXPECT_EQ(dialog.selected(), QString(n, ' '));
    clickRow(list, 0);
    clickRow(list, 2);
    EXPECT_EQ(dialog.selected().left(3), "* *");
    clickRow(list, 0);
    EXPECT_EQ(dialog.selected().left(3), "  *");
    // A double click marks exactly that item and accepts.
    doubleClickRow(list, 1);
    EXPECT_EQ(dialog.flag(), 1);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.selected(), " *" + QString(n - 1, ' '));
    const ServiceReference ref = parseServiceReference(dialog.itemText(1));
    EXPECT_EQ(ref.module, "Counter");
    ClearOtherModuleDependencies();
}

TEST_F(Dialogs, GeneralInformationIsShownAndUpdated) {
    ASSERT_EQ(SetOXAModuleGeneralInfo("1.0", "today", "Me", "none", " comments "), 1);
    ui_.handleDialog([](QDialog& d) {
        EXPECT_EQ(d.windowTitle(), "Module's General Information");
        EXPECT_EQ(control<QLineEdit>(&d, "Text_vr")->text(), "1.0");
        EXPECT_EQ(control<QLineEdit>(&d, "Text_vr")->maxLength(), 16);
        EXPECT_EQ(control<QLineEdit>(&d, "Text_au")->maxLength(), 48);
        EXPECT_EQ(control<TextBox>(&d, "RichTextBox2")->text(), " comments ") << "untrimmed";
        EXPECT_EQ(control<TextBox>(&d, "RichTextBox1")->maxLength(), 512);
        control<QLineEdit>(&d, "Text_vr")->setText("1.1");
        click(control<QAbstractButton>(&d, "Command_update"));
        EXPECT_TRUE(d.isVisible()) << "the dialog stays open";
        click(control<QAbstractButton>(&d, "CloseButton"));
    });
    click(ctl<QAbstractButton>("Command_geninfo"));
    EngineBuffer v(16), dt(32), a(48), o(512), c(1024);
    GetOXAModuleGeneralInfo(16, v.data(), 32, dt.data(), 48, a.data(), 512, o.data(), 1024,
                            c.data());
    EXPECT_EQ(v.text(), "1.1");
    EXPECT_EQ(a.text(), "Me");
    EXPECT_TRUE(form_->oxaChanged());
    expectScriptDone();
}

TEST_F(Dialogs, NewDirectoriesGoBelowTheSelectedEntry) {
    EXPECT_EQ(AskDirDialog::newDirectoryPath("/", "new"), "/new");
    EXPECT_EQ(AskDirDialog::newDirectoryPath("/work", " new "), "/work/new");
    EXPECT_EQ(AskDirDialog::newDirectoryPath("/work/", "new"), "/work/new");

    AskDirDialog dialog(form_->routines(), form_.get());
    dialog.load();
    EXPECT_EQ(dialog.selectedDirectory(), QDir::currentPath());
    ui_.handleDialog([](QDialog& d) {
        EXPECT_EQ(d.windowTitle(), "New Directory");
        click(control<QAbstractButton>(&d, "OKButton"));
        EXPECT_TRUE(d.isVisible());
        control<QLineEdit>(&d, "TextDirName")->setText("made");
        click(control<QAbstractButton>(&d, "OKButton"));
    });
    click(control<QAbstractButton>(&dialog, "Command_createdir"));
    EXPECT_EQ(takeBoxes(), QStringList({"|A name must be entered"}));
    EXPECT_TRUE(QFileInfo(file("made")).isDir());
    EXPECT_EQ(dialog.selectedDirectory(), file("made"));
    // The same directory again cannot be created.
    ui_.handleDialog([](QDialog& d) {
        control<QLineEdit>(&d, "TextDirName")->setText("..");
        click(control<QAbstractButton>(&d, "OKButton"));
    });
    click(control<QAbstractButton>(&dialog, "Command_createdir"));
    EXPECT_EQ(takeBoxes(), QStringList({"Create Directory|Could not create the directory"}));
    dialog.show();
    click(control<QAbstractButton>(&dialog, "Command_okdir"));
    EXPECT_EQ(dialog.flag(), 1);
    expectScriptDone();
}

TEST_F(Dialogs, TheSubstitutionFormAsksItsEntries) {
    AutoForm form(form_->routines(), form_.get());
    EXPECT_EQ(form.numentries(), 0);
    form.addentry("value: ", "0");
    form.addentry("!fixed: ", "x");
    EXPECT_EQ(form.numentries(), 2);
    auto* label = control<QLabel>(&form, "autolabel1");
    auto* box = control<QLineEdit>(&form, "autotextbox1");
    EXPECT_EQ(label->text(), "fixed: ");
    EXPECT_FALSE(box->isEnabled());
    EXPECT_EQ(form.readentrylabel(1), std::make_pair(QString("!fixed: "), true));
    EXPECT_EQ(form.readentryvalue(0), std::make_pair(QString("0"), true));
    EXPECT_EQ(form.readentrylabel(2), std::make_pair(QString(), false));
    EXPECT_EQ(form.readentryvalue(-1), std::make_pair(QString(), false));
    form.show();
    click(control<QAbstractButton>(&form, "Command1"));
    EXPECT_TRUE(form.readlastcommand());
    form.resetentries();
    EXPECT_EQ(form.numentries(), 0);
    EXPECT_EQ(form.findChild<QLabel*>("autolabel0"), nullptr);
    click(control<QAbstractButton>(&form, "Command3"));
    ASSERT_EQ(ui_.calls().size(), 1u);
    EXPECT_TRUE(ui_.calls()[0].text.endsWith("quenoratoms.html"));
}

// A transformer with three formats whose conversions are not supported.
class ThreeFormats : public FormatTransformer {
  public:
    int initialize() override { return 1; }
    int finalize() override {
        ++finalized;
        return 1;
    }
    int numberOfFormats() override { return 3; }
    int idOfFirstFormat(int* id) override {
        *id = 1;
        return 1;
    }
    int idOfNextFormat(int id, int* next) override {
        *next = id * 2;
        return 1;
    }
    int nameOfFormat(int id, char* buffer, int size) override {
        std::snprintf(buffer, static_cast<std::size_t>(size), "F%d", id);
        return 1;
    }
    int readFileFormat(const char*, char*, int) override { return 0; }
    int transformFile(const char*, const char*, int position, char* log, int size) override {
        transformedInto = position;
        std::snprintf(log, static_cast<std::size_t>(size), "nothing to do");
        return 1;
    }
    int finalized = 0;
    int transformedInto = -1;
};

TEST_F(Dialogs, TheTransformerListsItsFormats) {
    ThreeFormats transformer;
    {
        TransformerDialog dialog(form_->routines(), transformer, form_.get());
        ASSERT_TRUE(dialog.load());
        EXPECT_EQ(dialog.formatNames(), QStringList({"F1", "F2", "F4"}));
        for (int i = 0; i < 3; ++i) {
            EXPECT_NE(dialog.findChild<QRadioButton*>("opto_" + QString::number(i)), nullptr);
        }
        EXPECT_TRUE(control<QRadioButton>(&dialog, "opto_2")->isChecked());
        EXPECT_EQ(control<QRadioButton>(&dialog, "opto_1")->text(), "F2");
        click(control<QAbstractButton>(&dialog, "opto_1"));
        ui_.answerFile(file("a.oxa"));
        ui_.answerFile(file("b.oxa"));
        QString log;
        ui_.handleDialog([&](QDialog& d) {
            EXPECT_EQ(d.windowTitle(), "Generated Log");
            log = control<TextBox>(&d, "RichTextBox1")->text();
            d.accept();
        });
        click(control<QAbstractButton>(&dialog, "Command_convert"));
        EXPECT_EQ(transformer.transformedInto, 1);
        EXPECT_EQ(log, "nothing to do");
        EXPECT_EQ(takeBoxes(), QStringList({"Convert File|Conversion not supported."}));
        ui_.answerFile(file("a.oxa"));
        click(control<QAbstractButton>(&dialog, "Command_readformat"));
        EXPECT_EQ(takeBoxes(), QStringList({"Read File Format|Error reading format of file"}));
    }
    EXPECT_EQ(transformer.finalized, 1) << "finalised once when the dialog goes";
    expectScriptDone();
}

TEST_F(Dialogs, TheTransformerMenuUsesTheLibrary) {
    const QString path = file("m.oxa");
    ASSERT_EQ(SaveOXAModule(toEngine(path).constData()), 1);
    ui_.handleDialog([&](QDialog& d) {
        EXPECT_EQ(d.windowTitle(), ".OXA File Format Transformer");
        EXPECT_EQ(control<QRadioButton>(&d, "opto_1")->text(), "FF200704");
        EXPECT_TRUE(control<QRadioButton>(&d, "opto_1")->isChecked());
        ui_.answerFile(path);
        click(control<QAbstractButton>(&d, "Command_readformat"));
        click(control<QAbstractButton>(&d, "opto_0"));
        ui_.answerFile(path);
        ui_.answerFile(file("older.oxa"));
        ui_.handleDialog([](QDialog& log) { log.accept(); });
        click(control<QAbstractButton>(&d, "Command_convert"));
        click(control<QAbstractButton>(&d, "Command_exit"));
    });
    action("Toolsmenu_transformer")->trigger();
    EXPECT_EQ(takeBoxes(), QStringList({"Read File Format|The file has the format: [FF200704]",
                                        "Convert File|File successfully converted."}));
    QFile older(file("older.oxa"));
    ASSERT_TRUE(older.open(QIODevice::ReadOnly));
    EXPECT_TRUE(older.readLine().startsWith("Format info: [FF200703]"));
    expectScriptDone();
}

TEST_F(Dialogs, AFailingTransformerClosesItsDialog) {
    struct NoFormats : ThreeFormats {
        int numberOfFormats() override { return 0; }
    } transformer;
    TransformerDialog dialog(form_->routines(), transformer, form_.get());
    EXPECT_FALSE(dialog.load());
    EXPECT_EQ(takeBoxes(),
              QStringList({"ERROR|ORVEN Transformer does not recognize any format",
                           "ERROR|ORVEN Transformer could not init the list of file formats"}));
    EXPECT_EQ(transformer.finalized, 1);
}

}  // namespace
}  // namespace orven::designer::test
