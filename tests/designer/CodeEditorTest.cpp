// The code editor: the code-section buttons with the language check, the
// editor window, its timing fields, the assistant menu with the enabling of
// atoms per code section, and atoms run through the substitution form.
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QMenu>
#include <QTest>

#include "AtomTable.h"
#include "CodeEditor.h"
#include "CodeTestSupport.h"
#include "SmallDialogs.h"
#include "Texts.h"
#include "Widgets.h"
#include "orven.h"

namespace orven::designer::test {
namespace {

using Editing = CodeEditing;

struct SectionCase {
    const char* button;
    const char* caption;
    bool opensWithoutLanguage;
    bool assistant;
};

const SectionCase kSections[] = {
    {"Command_predefinitions", "Edit - Public Definitions", true, false},
    {"Command_globaldata", "Edit - [Internal Status]", true, false},
    {"Command_globalcode", "Edit - [Auxiliary Logic]", false, true},
    {"Command_editstartup", "Edit - [Startup Logic]", false, true},
    {"Command_editpreending", "Edit - [Pre-Ending Logic]", false, true},
    {"Command_editpostending", "Edit - [Post-Ending Logic]", false, true},
};

TEST_F(Editing, EveryCodeSectionOpensOnlyWithALanguageUnlessItHoldsDefinitions) {
    for (bool withLanguage : {false, true}) {
        if (withLanguage) {
            chooseLanguage(0);
        }
        for (const SectionCase& c : kSections) {
            SCOPED_TRACE(std::string(c.button) + (withLanguage ? " with" : " without"));
            ui_.clearCalls();
            const bool opens = withLanguage || c.opensWithoutLanguage;
            bool shown = false;
            if (opens) {
                ui_.handleDialog([&](QDialog& d) {
                    shown = true;
                    TextEditorForm* editor = asEditor(d);
                    ASSERT_NE(editor, nullptr);
                    EXPECT_EQ(d.windowTitle(), c.caption);
                    EXPECT_EQ(editor->assistantMenu()->menuAction()->isVisible(), c.assistant);
                    if (c.assistant) {
                        EXPECT_TRUE(editor->assistantMenu()->menuAction()->isEnabled());
                    }
                    click(control<QAbstractButton>(&d, "Command2"));
                });
            }
            click(ctl<QAbstractButton>(c.button));
            EXPECT_EQ(shown, opens);
            if (!opens) {
                EXPECT_EQ(takeBoxes(),
                          QStringList({"Edit Code|Cannot edit if no codification language is "
                                       "selected"}));
            } else {
                EXPECT_TRUE(takeBoxes().isEmpty());
            }
        }
    }
    expectScriptDone();
}

TEST_F(Editing, AcceptedTextIsStoredTrimmedAndDiscardedTextIsNot) {
    chooseLanguage(0);
    form_->clearModified();
    editSection("Command_editstartup", [](TextEditorForm& e) {
        codeBox(e)->setPlainText("  start();\nrun();  ");
        click(control<QAbstractButton>(&e, "Command1"));
    });
    EXPECT_EQ(moduleText(RetrieveOXAModuleStartupCode, 3), "start();\nrun();");
    EXPECT_TRUE(form_->oxaChanged());

    form_->clearModified();
    editSection("Command_editstartup", [](TextEditorForm& e) {
        EXPECT_EQ(codeBox(e)->toPlainText(), "start();\nrun();");
        codeBox(e)->setPlainText("lost");
        click(control<QAbstractButton>(&e, "Command2"));
    });
    EXPECT_EQ(moduleText(RetrieveOXAModuleStartupCode, 3), "start();\nrun();");
    EXPECT_FALSE(form_->oxaChanged()) << "a discarded edit changes nothing";

    // Ctrl+G in the text acts as "OK".
    editSection("Command_editstartup", [](TextEditorForm& e) {
        codeBox(e)->setPlainText("by key");
        QTest::keyClick(codeBox(e), Qt::Key_G, Qt::ControlModifier);
        EXPECT_FALSE(e.isVisible());
    });
    EXPECT_EQ(moduleText(RetrieveOXAModuleStartupCode, 3), "by key");
    expectScriptDone();
}

TEST_F(Editing, TheEditorWindowShowsTheCaretLineInAFixedPitchFont) {
    chooseLanguage(0);
    ASSERT_EQ(ChangeOXAModuleGlobalCode("one\ntwo\nthree"), 1);
    editSection("Command_globalcode", [](TextEditorForm& e) {
        TextBox* text = codeBox(e);
        auto* label = control<QLabel>(&e, "Label_textpos");
        EXPECT_EQ(label->text(), "Line  1") << "the caret starts at the beginning";
        EXPECT_EQ(text->textCursor().position(), 0);
        EXPECT_FALSE(text->textCursor().hasSelection());
        EXPECT_EQ(text->font().family(), "Courier New");
        EXPECT_EQ(text->font().pointSize(), 10);
        EXPECT_TRUE(text->font().fixedPitch());
        text->moveCursor(QTextCursor::End);
        EXPECT_EQ(label->text(), "Line  3");
        EXPECT_EQ(e.minimumSize(), QSize(438, 147));
        EXPECT_TRUE(control<QGroupBox>(&e, "Frame_timing")->isHidden())
            << "the auxiliary logic has no time restriction";
        click(control<QAbstractButton>(&e, "Command2"));
    });
    expectScriptDone();
}

struct TimingCase {
    const char* field;  // the field typed into
    const char* typed;
    const char* minimum;
    const char* maximum;
};

TEST_F(Editing, TheTimingFieldsKeepAValidInterval) {
    chooseLanguage(0);
    const TimingCase cases[] = {
        {"Text_mint", "-1", "INF", "INF"},  // a negative minimum: everything unbounded
        {"Text_maxt", "1", "2", "2"},       // a maximum below the minimum is raised to it
        {"Text_mint", "12", "10", "10"},    // a minimum above the maximum is lowered to it
        {"Text_maxt", "-3", "2", "INF"},    // a negative maximum is unbounded
        {"Text_mint", "5", "5", "10"},
    };
    editSection("Command_editstartup", [&](TextEditorForm& e) {
        auto* min = control<QLineEdit>(&e, "Text_mint");
        auto* max = control<QLineEdit>(&e, "Text_maxt");
        ASSERT_FALSE(control<QGroupBox>(&e, "Frame_timing")->isHidden());
        for (const TimingCase& c : cases) {
            SCOPED_TRACE(std::string(c.field) + " " + c.typed);
            min->setText("2");
            max->setText("10");
            ASSERT_EQ(min->text(), "2");
            ASSERT_EQ(max->text(), "10");
            control<QLineEdit>(&e, c.field)->setText(c.typed);
            EXPECT_EQ(min->text(), c.minimum);
            EXPECT_EQ(max->text(), c.maximum);
        }
        click(control<QAbstractButton>(&e, "Command1"));
    });
    float pair[2] = {0, 0};
    ASSERT_EQ(RetrieveTimeRestriction(3, pair), 1);
    EXPECT_FLOAT_EQ(pair[0], 5);
    EXPECT_FLOAT_EQ(pair[1], 10);

    // The stored pair is shown when the editor opens again.
    editSection("Command_editstartup", [](TextEditorForm& e) {
        EXPECT_EQ(control<QLineEdit>(&e, "Text_mint")->text(), "5");
        EXPECT_EQ(control<QLineEdit>(&e, "Text_maxt")->text(), "10");
        control<QLineEdit>(&e, "Text_maxt")->setText("INF");
        click(control<QAbstractButton>(&e, "Command1"));
    });
    ASSERT_EQ(RetrieveTimeRestriction(3, pair), 1);
    EXPECT_FLOAT_EQ(pair[0], 5);
    EXPECT_LT(pair[1], 0);
    expectScriptDone();
}

TEST_F(Editing, AnAtomInsertsItsTextAtTheCaret) {
    chooseLanguage(0);
    ASSERT_EQ(ChangeOXAModuleStartupCode("begin();\n"), 1);
    editSection("Command_editstartup", [this](TextEditorForm& e) {
        codeBox(e)->moveCursor(QTextCursor::End);
        QStringList labels, defaults;
        ui_.handleDialog([&](QDialog& form) {
            auto* autoForm = qobject_cast<AutoForm*>(&form);
            ASSERT_NE(autoForm, nullptr);
            EXPECT_EQ(form.windowTitle(), "criticalzonecreate");
            EXPECT_EQ(control<QGroupBox>(&form, "Frame_auto")->title(),
                      "Please fill in these values:");
            std::tie(labels, defaults) = entries(*autoForm);
            control<QLineEdit>(&form, "autotextbox0")->setText("3");
            click(control<QAbstractButton>(&form, "Command1"));
        });
        QAction* create = e.findChild<QAction*>("menuass_czones_create");
        ASSERT_NE(create, nullptr);
        ASSERT_TRUE(create->isEnabled());
        create->trigger();
        EXPECT_EQ(labels, QStringList({"count: ", "result_var: ", "comment: "}));
        EXPECT_EQ(defaults, QStringList({"1", "result", ""}));
        EXPECT_EQ(codeBox(e)->toPlainText(),
                  "begin();\n#TPX-INCLUDE(criticalzonecreate,'3','result','')#");
        click(control<QAbstractButton>(&e, "Command1"));
    });
    EXPECT_EQ(moduleText(RetrieveOXAModuleStartupCode, 3),
              "begin();\n#TPX-INCLUDE(criticalzonecreate,'3','result','')#");
    expectScriptDone();
}

TEST_F(Editing, ACancelledOrRefusedAtomInsertsNothing) {
    chooseLanguage(0);
    const QString question =
        "Parameter Checking|In general, characters '#', ')', '(', and ',' are prohibited within "
        "parameters. Proceed?";
    editSection("Command_editstartup", [&](TextEditorForm& e) {
        // Cancelled substitution form.
        ui_.handleDialog([](QDialog& form) { click(control<QAbstractButton>(&form, "Command2")); });
        e.atomAction(12)->trigger();
        EXPECT_EQ(codeBox(e)->toPlainText(), "");

        // Each suspicious value asks once; "No" inserts nothing.
        ui_.handleDialog([](QDialog& form) {
            control<QLineEdit>(&form, "autotextbox0")->setText("a,b");
            control<QLineEdit>(&form, "autotextbox1")->setText("(x)");
            click(control<QAbstractButton>(&form, "Command1"));
        });
        ui_.answer(Answer::Yes);
        ui_.answer(Answer::No);
        ui_.clearCalls();
        e.atomAction(10)->trigger();
        EXPECT_EQ(ui_.boxes(), QStringList({question, question}));
        EXPECT_EQ(codeBox(e)->toPlainText(), "");

        // "Yes" for the one value inserts it; the earlier values are gone.
        ui_.handleDialog([](QDialog& form) {
            control<QLineEdit>(&form, "autotextbox0")->setText("a,b");
            click(control<QAbstractButton>(&form, "Command1"));
        });
        ui_.answer(Answer::Yes);
        ui_.clearCalls();
        e.atomAction(12)->trigger();
        EXPECT_EQ(ui_.boxes(), QStringList({question}));
        EXPECT_EQ(codeBox(e)->toPlainText(), "#TPX-INCLUDE(numberofcriticalzones,'a,b','')#");
        click(control<QAbstractButton>(&e, "Command2"));
    });
    expectScriptDone();
}

TEST_F(Editing, TheOutputTextAtomOffersTheModuleName) {
    chooseLanguage(0);
    editSection("Command_editstartup", [&](TextEditorForm& e) {
        QStringList defaults;
        ui_.handleDialog([&](QDialog& form) {
            defaults = entries(*qobject_cast<AutoForm*>(&form)).second;
            click(control<QAbstractButton>(&form, "Command1"));
        });
        e.findChild<QAction*>("menuass_misc_text")->trigger();
        EXPECT_EQ(defaults, QStringList({"Counter", "", ""}));
        click(control<QAbstractButton>(&e, "Command2"));
    });
    expectScriptDone();
}

struct EnablingCase {
    const char* opener;  // a code-section button, or "service"
    int row;
    bool enabled;
};

TEST_F(Editing, AtomsAreEnabledWhereTheirApplicabilityAllowsThem) {
    chooseLanguage(0);
    const EnablingCase cases[] = {
        {"Command_editstartup", 8, true},       // criticalzonecreate: everywhere
        {"Command_editstartup", 7, false},      // terminateservice: service code only
        {"service", 7, true},                   //
        {"Command_editstartup", 23, false},     // get-event-origin: handlers only
        {"service", 23, false},                 //
        {"Command_editpostending", 31, false},  // shutdown-module: not after ending
        {"Command_editpreending", 31, true},    //
        {"Command_globalcode", 28, false},      // return-server-routine: service code only
        {"Command_globalcode", 2, false},       // request-asynchronous: not implemented
        {"service", 2, false},                  //
        {"service", 1, false},                  // request-dynamic: not implemented
        {"Command_globalcode", 0, true},        // request-synchronous
    };
    selectService("Main", "Count");
    for (const EnablingCase& c : cases) {
        SCOPED_TRACE(std::string(c.opener) + " row " + std::to_string(c.row));
        auto check = [&](TextEditorForm& e) {
            EXPECT_EQ(e.atomAction(c.row)->isEnabled(), c.enabled);
            EXPECT_EQ(e.atomAction(c.row)->objectName(), atomRows()[c.row].entry);
            click(control<QAbstractButton>(&e, "Command2"));
        };
        if (std::string(c.opener) == "service") {
            ui_.handleDialog([&](QDialog& d) { check(*asEditor(d)); });
            click(ctl<QAbstractButton>("Command_editcode"));
        } else {
            editSection(c.opener, check);
        }
    }
    expectScriptDone();
}

TEST_F(Editing, TheAssistantMenuHoldsTheWholeTree) {
    chooseLanguage(0);
    editSection("Command_editstartup", [](TextEditorForm& e) {
        QMenu* menu = e.assistantMenu();
        EXPECT_EQ(menu->title(), "&Quenor Atoms");
        QStringList top;
        for (QAction* a : menu->actions()) {
            top << (a->isSeparator() ? "-" : a->text());
        }
        EXPECT_EQ(top, QStringList({"Co&mmunications Platform", "E&xecution Platform",
                                    "Real-&Time Platform", "&Fault-Tolerance Platform",
                                    "&Hardware Platform", "&Miscelaneous", "-", "&Help"}));
        auto* services = e.findChild<QMenu*>("menuass_servs");
        ASSERT_NE(services, nullptr);
        QStringList entries;
        for (QAction* a : services->actions()) {
            entries << (a->isSeparator() ? "-" : a->objectName());
        }
        EXPECT_EQ(entries, QStringList({"menuass_servs_request", "menuass_servs_dynrequest",
                                        "menuass_servs_requestasync", "menuass_servs_waitreply",
                                        "-", "menuass_servs_info", "-", "menuass_servs_block",
                                        "menuass_servs_clean", "-", "menuass_servs_terminate"}));
        for (int r = 0; r < kAtomRows; ++r) {
            ASSERT_NE(e.atomAction(r), nullptr) << "row " << r << " is in the menu";
            EXPECT_EQ(e.atomAction(r)->text(), atomRows()[r].caption);
        }
        click(control<QAbstractButton>(&e, "Command2"));
    });
    expectScriptDone();
}

TEST_F(Editing, ALanguageWithoutAssistantScriptLeavesTheEditorUsable) {
    chooseLanguage(1);  // Standard C has no assistant script
    ui_.clearCalls();
    editSection("Command_editstartup", [](TextEditorForm& e) {
        EXPECT_TRUE(e.assistantMenu()->menuAction()->isVisible());
        EXPECT_FALSE(e.assistantMenu()->menuAction()->isEnabled());
        codeBox(e)->setPlainText("x = 1;");
        click(control<QAbstractButton>(&e, "Command1"));
    });
    EXPECT_EQ(takeBoxes(), QStringList({"Quenor Atoms Definition File|Quenor Atoms Menu not "
                                        "available. Try selecting another codification "
                                        "language"}));
    EXPECT_EQ(moduleText(RetrieveOXAModuleStartupCode, 3), "x = 1;");
    expectScriptDone();
}

TEST_F(Editing, AServicesCodeIsEditedFromTheButtonThePopupAndADoubleClick) {
    chooseLanguage(2);
    selectService("Main", "Count");
    editService([](TextEditorForm& e) {
        EXPECT_EQ(e.windowTitle(), "Edit - Service [Count]");
        EXPECT_EQ(e.kind(), 4);
        EXPECT_FALSE(control<QGroupBox>(&e, "Frame_timing")->isHidden());
        codeBox(e)->setPlainText(" count++; ");
        control<QLineEdit>(&e, "Text_mint")->setText("1");
        control<QLineEdit>(&e, "Text_maxt")->setText("4");
        click(control<QAbstractButton>(&e, "Command1"));
    });
    EXPECT_EQ(serviceCode("Main", "Count"), "count++;");
    float pair[2] = {0, 0};
    ASSERT_NE(RetrieveTimeRestrictionService(0, "Main", "Count", pair), 0);
    EXPECT_FLOAT_EQ(pair[0], 1);
    EXPECT_FLOAT_EQ(pair[1], 4);

    ui_.handleDialog([](QDialog& d) {
        EXPECT_EQ(control<TextBox>(&d, "RichTextBox1")->toPlainText(), "count++;");
        click(control<QAbstractButton>(&d, "Command2"));
    });
    ui_.clearCalls();
    action("Popup_srv_editcode")->trigger();
    EXPECT_EQ(ui_.calls().size(), 1u) << "the pop-up entry opens the editor";
    auto* list = ctl<QListWidget>("List_Services");
    ui_.handleDialog([](QDialog& d) { click(control<QAbstractButton>(&d, "Command2")); });
    emit list->itemDoubleClicked(list->item(0));
    EXPECT_EQ(ui_.calls().size(), 2u) << "a double click opens the editor";
    expectScriptDone();
}

}  // namespace
}  // namespace orven::designer::test
