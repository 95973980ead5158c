// The wizards of the assistant: their source buttons, their time fields,
// the values they pass to the atom when accepted and when dismissed, the
// deadlock and time-requirement warnings and the dependency added after
// the atom.
#include <QCheckBox>
#include <QLineEdit>
#include <QTest>

#include "AtomTable.h"
#include "CodeTestSupport.h"
#include "Wizards.h"

namespace orven::designer::test {
namespace {

const QString kDeadlock =
    "Potential Deadlock Warning|Remember not to request services of the same module from a "
    "non-reentrant service, or to request any non-reentrat service of the same module!";
const QString kTimeFailed =
    "TIME REQUIREMENT FAILED|The time requirements of the request are not fulfilled by the "
    "target service!";

class Wizards : public CodeEditing {
  protected:
    // A module file "Clock" with the service Time::tick (time restriction
    // 1 to 3), the beta event alarm (5) and the notification ring (3).
    void beforeModule() override {
        clock_ = file("clock.oxa");
        ASSERT_EQ(CreateNewOXAModule("Clock", kGoodDescription.toLatin1().constData()), 1);
        ASSERT_EQ(AddNewGroupOfServices("Time", kGoodDescription.toLatin1().constData()), 1);
        ASSERT_EQ(CreateOXAService("Time", "tick", kGoodDescription.toLatin1().constData()), 1);
        const float pair[2] = {1, 3};
        ASSERT_NE(SetTimeRestrictionService(0, "Time", "tick", pair), 0);
        ASSERT_EQ(AddNewDefinedSignal("alarm", "E", "5"), 1);
        ASSERT_EQ(AddNewDefinedSignal("ring", "N", "3"), 1);
        ASSERT_EQ(SaveOXAModule(toEngine(clock_).constData()), 1);
        ASSERT_EQ(DeleteCurrentOXAModule(), 1);
    }
    void SetUp() override {
        CodeEditing::SetUp();
        chooseLanguage(0);
        form_->clearModified();
        ui_.clearCalls();
    }

    // Runs the atom of the row in the startup editor: the wizard handler,
    // then the substitution form, whose entries are recorded and accepted
    // (or cancelled). Returns the text of the editor afterwards.
    QString runAtom(int row, std::function<void(QDialog&)> wizard, bool acceptForm = true) {
        QString text;
        editSection("Command_editstartup", [&](TextEditorForm& e) {
            // The substitution form comes after the wizard and its own dialogs.
            ui_.handleDialog([&](QDialog& w) {
                wizard(w);
                ui_.handleDialog([&](QDialog& form) {
                    auto* autoForm = qobject_cast<AutoForm*>(&form);
                    ASSERT_NE(autoForm, nullptr) << form.objectName().toStdString();
                    std::tie(labels_, values_) = entries(*autoForm);
                    click(control<QAbstractButton>(&form, acceptForm ? "Command1" : "Command2"));
                });
            });
            e.atomCommand(row);
            text = codeBox(e)->toPlainText();
            click(control<QAbstractButton>(&e, "Command2"));
        });
        return text;
    }

    QString clock_;
    QStringList labels_;
    QStringList values_;
};

QLineEdit* edit(QDialog& d, const char* name) {
    return control<QLineEdit>(&d, name);
}
QCheckBox* check(QDialog& d, const char* name) {
    return control<QCheckBox>(&d, name);
}

TEST_F(Wizards, ARequestOfThisVeryModuleWarnsOfDeadlockAndOfTheTimeRequirement) {
    const float own[2] = {1, 3};
    ASSERT_NE(SetTimeRestrictionService(0, "Main", "Count", own), 0);
    const QString text = runAtom(kRowRequest, [this](QDialog& w) {
        EXPECT_EQ(w.windowTitle(), "Assistant Wizard - request-synchronous&blocking");
        EXPECT_EQ(edit(w, "Text_mint")->text(), "0");
        EXPECT_EQ(edit(w, "Text_maxt")->text(), "INF");
        EXPECT_FALSE(check(w, "Check_own")->isChecked());
        ui_.handleDialog([](QDialog& services) {
            auto* list = control<QListWidget>(&services, "List_Services");
            ASSERT_EQ(items(list), QStringList({"[Counter]:[Count]@(1,3)"}));
            emit list->itemDoubleClicked(list->item(0));
        });
        click(control<QAbstractButton>(&w, "Command_fromown"));
        EXPECT_EQ(edit(w, "Text1")->text(), "<this very module>");
        EXPECT_EQ(edit(w, "Text2")->text(), "Count");
        EXPECT_TRUE(check(w, "Check_own")->isChecked());
        EXPECT_FALSE(check(w, "Check_adddep")->isChecked());
        EXPECT_FALSE(check(w, "Check_adddep")->isEnabled());
        // A negative minimum makes the interval unbounded; then 0.5 to 2.
        edit(w, "Text_mint")->setText("-1");
        EXPECT_EQ(edit(w, "Text_maxt")->text(), "INF");
        edit(w, "Text_mint")->setText("0.5");
        edit(w, "Text_maxt")->setText("2");
        click(control<QAbstractButton>(&w, "OKButton"));
    });
    EXPECT_EQ(takeBoxes(), QStringList({kDeadlock, kTimeFailed}));
    EXPECT_EQ(labels_.first(), "service: ");
    EXPECT_EQ(values_, QStringList({"Count", "Counter", "Count", "object", "", "err_var", "0.5",
                                    "2", "", "", ""}));
    EXPECT_EQ(text,
              "#TPX-INCLUDE(request-synchronous&blocking,'Count','Counter','Count','object','',"
              "'err_var','0.5','2','','','')#");
    EXPECT_EQ(GetNumberOfModuleDependencies(), 0) << "no dependency on this very module";
    EXPECT_EQ(NumberOfDependenciesOtherModule(), 0) << "the scratch list is cleared";
    expectScriptDone();
}

TEST_F(Wizards, ARequestOfAnotherModuleFileAddsItsDependencyAfterTheAtom) {
    auto wizard = [this](QDialog& w) {
        ui_.answerFile(clock_);
        ui_.handleDialog([](QDialog& services) {
            auto* list = control<QListWidget>(&services, "List_Services");
            ASSERT_EQ(items(list), QStringList({"[Clock]:[tick]@(1,3)"}));
            list->item(0)->setSelected(true);
            emit list->itemClicked(list->item(0));
            click(control<QAbstractButton>(&services, "OKButton"));
        });
        click(control<QAbstractButton>(&w, "Command_fromfile"));
        EXPECT_EQ(edit(w, "Text1")->text(), "Clock");
        EXPECT_EQ(edit(w, "Text2")->text(), "tick");
        EXPECT_TRUE(check(w, "Check_adddep")->isChecked());
        EXPECT_TRUE(check(w, "Check_adddep")->isEnabled());
        click(control<QAbstractButton>(&w, "OKButton"));
    };
    const QString text = runAtom(kRowRequest, wizard);
    EXPECT_TRUE(takeBoxes().isEmpty()) << "0 to INF accepts the target's 1 to 3";
    EXPECT_EQ(values_, QStringList({"tick", "Clock", "tick", "REMOTE_Clock_var", "", "err_var", "0",
                                    "INF", "", "", ""}));
    EXPECT_TRUE(text.startsWith("#TPX-INCLUDE(request-synchronous&blocking,'tick','Clock',"));
    ASSERT_EQ(GetNumberOfModuleDependencies(), 1);
    EngineBuffer module(32), service(32);
    float pair[2] = {0, 0};
    ASSERT_EQ(ReadModuleDependency(0, module.data(), service.data(), 32, 32, pair), 1);
    EXPECT_EQ(module.trimmed(), "Clock");
    EXPECT_EQ(service.trimmed(), "tick");
    EXPECT_FLOAT_EQ(pair[0], 1);
    EXPECT_FLOAT_EQ(pair[1], 3);
    EXPECT_TRUE(form_->oxaChanged()) << "the added dependency marks the module";

    // The same request again: the dependency exists, nothing is added.
    runAtom(kRowRequest, wizard);
    EXPECT_TRUE(takeBoxes().isEmpty());
    EXPECT_EQ(GetNumberOfModuleDependencies(), 1);
    expectScriptDone();
}

TEST_F(Wizards, ARequestFromTheDependenciesAndADismissedWizard) {
    const float pair[2] = {0, -1};
    ASSERT_EQ(AddModuleDependency("Clock", "tick", pair), 1);
    ASSERT_EQ(AddModuleDependency("Clock", "", pair), 1);
    struct Case {
        int row;
        const char* module;
        const char* service;
    };
    for (const Case& c : {Case{0, "Clock", "tick"}, Case{1, "Clock", ""}}) {
        SCOPED_TRACE(c.row);
        runAtom(kRowRequest, [&](QDialog& w) {
            ui_.handleDialog([&](QDialog& deps) {
                selectRow(control<QListWidget>(&deps, "List_Clients"), c.row);
                click(control<QAbstractButton>(&deps, "CloseButton"));
            });
            click(control<QAbstractButton>(&w, "Command_fromdeps"));
            EXPECT_EQ(edit(w, "Text1")->text(), c.module);
            EXPECT_EQ(edit(w, "Text2")->text(), c.service);
            EXPECT_FALSE(check(w, "Check_adddep")->isChecked());
            EXPECT_FALSE(check(w, "Check_adddep")->isEnabled());
            click(control<QAbstractButton>(&w, "CancelButton"));
        });
        // Dismissed: the atom still runs, with the time values 0 and INF.
        EXPECT_EQ(values_, QStringList({"", "", "", "", "", "", "0", "INF", "", "", ""}));
    }
    EXPECT_EQ(GetNumberOfModuleDependencies(), 2);
    expectScriptDone();
}

TEST_F(Wizards, TheDynamicRequestPassesItsParametersAndDirections) {
    runAtom(kRowDynamicRequest, [](QDialog& w) {
        EXPECT_EQ(w.windowTitle(), "Assistant Wizard - dynamic-request-synchronous&blocking");
        EXPECT_EQ(edit(w, "Text_mint")->text(), "0");
        EXPECT_EQ(edit(w, "Text_maxt")->text(), "INF");
        edit(w, "Text_service")->setText(" reset ");
        check(w, "Check_fromown")->setChecked(true);
        EXPECT_TRUE(edit(w, "Text_module")->isHidden());
        check(w, "Check_fromown")->setChecked(false);
        EXPECT_FALSE(edit(w, "Text_module")->isHidden());
        check(w, "Check_fromown")->setChecked(true);
        edit(w, "Text_parms0")->setText("a");
        edit(w, "Text_parms1")->setText("b");
        check(w, "inout1")->setChecked(true);
        click(control<QAbstractButton>(&w, "OKButton"));
    });
    EXPECT_EQ(takeBoxes(), QStringList({kDeadlock}));
    QStringList expected = {"\"This module\"", "reset", "a", "I", "b", "O"};
    for (int i = 2; i < 8; ++i) {
        expected << ""
                 << "I";
    }
    expected << "err_var"
             << "0"
             << "INF"
             << ""
             << "";
    EXPECT_EQ(values_, expected);

    runAtom(kRowDynamicRequest,
            [](QDialog& w) { click(control<QAbstractButton>(&w, "CancelButton")); });
    QStringList dismissed = {"", ""};
    for (int i = 0; i < 8; ++i) {
        dismissed << ""
                  << "I";
    }
    dismissed << ""
              << "0"
              << "INF"
              << ""
              << "";
    EXPECT_EQ(values_, dismissed);
    expectScriptDone();
}

TEST_F(Wizards, TheBetaEventOfThisModuleIsSentWithoutDependency) {
    ASSERT_EQ(AddNewDefinedSignal("alarm", "E", "5"), 1);
    ASSERT_EQ(AddNewDefinedSignal("ring", "N", "3"), 1);
    const QString text = runAtom(kRowSendBetaEvent, [this](QDialog& w) {
        EXPECT_EQ(w.windowTitle(), "Assistant Wizard - Send Beta Event");
        // A notification is refused and leaves the fields as they were.
        ui_.handleDialog([](QDialog& list) {
            selectRow(control<QListWidget>(&list, "List_Events"), 1);
            click(control<QAbstractButton>(&list, "OKButton"));
        });
        click(control<QAbstractButton>(&w, "Command_fromown"));
        EXPECT_EQ(takeBoxes(), QStringList({"Send Beta Event Wizard|This quenor atom is not for "
                                            "sending notifications"}));
        EXPECT_EQ(edit(w, "Text_eventname")->text(), "");
        ui_.handleDialog([](QDialog& list) {
            selectRow(control<QListWidget>(&list, "List_Events"), 0);
            click(control<QAbstractButton>(&list, "OKButton"));
        });
        check(w, "Check_adddep")->setChecked(true);
        click(control<QAbstractButton>(&w, "Command_fromown"));
        EXPECT_EQ(edit(w, "Text_eventname")->text(), "alarm");
        EXPECT_EQ(edit(w, "Text_eventcode")->text(), "5");
        EXPECT_EQ(edit(w, "Text_moduletext")->text(), "Counter");
        EXPECT_EQ(edit(w, "Text_eventmodule")->text(), "Counter");
        EXPECT_FALSE(check(w, "Check_adddep")->isChecked());
        click(control<QAbstractButton>(&w, "OKButton"));
    });
    EXPECT_EQ(values_, QStringList({"alarm", "Counter", "Counter", ""}));
    EXPECT_EQ(text, "#TPX-INCLUDE(send-beta-event,'alarm','Counter','Counter','')#");
    EXPECT_EQ(GetNumberOfModuleDependencies(), 0);
    expectScriptDone();
}

TEST_F(Wizards, TheBetaEventOfAnotherModuleAddsAWholeModuleDependency) {
    runAtom(kRowSendBetaEvent, [this](QDialog& w) {
        ui_.answerFile(clock_);
        ui_.handleDialog([](QDialog& list) {
            auto* events = control<QListWidget>(&list, "List_Events");
            ASSERT_EQ(items(events), QStringList({"(E) alarm  =>  5", "(N) ring, 3"}));
            selectRow(events, 0);
            click(control<QAbstractButton>(&list, "OKButton"));
        });
        check(w, "Check_adddep")->setChecked(true);
        click(control<QAbstractButton>(&w, "Command_fromother"));
        EXPECT_EQ(edit(w, "Text_eventname")->text(), "alarm");
        EXPECT_EQ(edit(w, "Text_moduletext")->text(), "Clock");
        EXPECT_EQ(edit(w, "Text_eventmodule")->text(), "Clock");
        EXPECT_TRUE(check(w, "Check_adddep")->isChecked()) << "the user's choice is kept";
        click(control<QAbstractButton>(&w, "OKButton"));
    });
    EXPECT_EQ(values_, QStringList({"alarm", "Clock", "Clock", ""}));
    ASSERT_EQ(GetNumberOfModuleDependencies(), 1);
    EngineBuffer module(32), service(32);
    float pair[2] = {-5, -5};
    ASSERT_EQ(ReadModuleDependency(0, module.data(), service.data(), 32, 32, pair), 1);
    EXPECT_EQ(module.trimmed(), "Clock");
    EXPECT_EQ(service.trimmed(), "");
    EXPECT_TRUE(form_->oxaChanged());

    // A module file without signals.
    const QString empty = file("empty.oxa");
    ASSERT_EQ(SaveOXAModule(toEngine(empty).constData()), 1);
    runAtom(kRowSendBetaEvent, [&](QDialog& w) {
        ui_.answerFile(empty);
        click(control<QAbstractButton>(&w, "Command_fromother"));
        click(control<QAbstractButton>(&w, "CancelButton"));
    });
    EXPECT_EQ(takeBoxes(), QStringList({"Reading Signal List|The module defines no signal"}));
    EXPECT_EQ(values_, QStringList({"", "", "", ""}));
    expectScriptDone();
}

TEST_F(Wizards, TheNotificationWizardTakesOnlyNotifications) {
    ASSERT_EQ(AddNewDefinedSignal("alarm", "E", "5"), 1);
    ASSERT_EQ(AddNewDefinedSignal("ring", "N", "3"), 1);
    runAtom(kRowSendNotification, [this](QDialog& w) {
        EXPECT_EQ(w.windowTitle(), "Assistant Wizard - Send Notification");
        ui_.handleDialog([](QDialog& list) {
            selectRow(control<QListWidget>(&list, "List_Events"), 0);
            click(control<QAbstractButton>(&list, "OKButton"));
        });
        click(control<QAbstractButton>(&w, "Command_fromown"));
        EXPECT_EQ(takeBoxes(), QStringList({"Send Notification Wizard|This quenor atom is only "
                                            "for sending notifications"}));
        ui_.handleDialog([](QDialog& list) {
            selectRow(control<QListWidget>(&list, "List_Events"), 1);
            click(control<QAbstractButton>(&list, "OKButton"));
        });
        click(control<QAbstractButton>(&w, "Command_fromown"));
        EXPECT_EQ(edit(w, "Text_eventname")->text(), "ring");
        EXPECT_EQ(edit(w, "Text_eventcode")->text(), "3");
        click(control<QAbstractButton>(&w, "OKButton"));
    });
    EXPECT_EQ(values_, QStringList({"ring", "Counter", ""}));

    runAtom(kRowSendNotification,
            [](QDialog& w) { click(control<QAbstractButton>(&w, "CancelButton")); });
    EXPECT_EQ(values_, QStringList({"", "", ""}));
    expectScriptDone();
}

}  // namespace
}  // namespace orven::designer::test
