// The structural design page: the service design with its type, handled
// signal, characteristics, priority and data definitions.
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QScrollBar>
#include <QTest>

#include "DesignerFixture.h"
#include "Texts.h"
#include "Widgets.h"
#include "orven.h"

namespace orven::designer::test {
namespace {

QString chars(const char* service) {
    char b[8] = "xxxxxx";
    OXAServiceCharacteristics("Main", service, b);
    b[6] = '\0';
    return QString::fromLatin1(b);
}

QString inputData(const char* service) {
    const int n = LengthOXAServiceData(1, "Main", service);
    EngineBuffer b(n + 1);
    RetrieveOXAServiceInputData("Main", service, b.data(), n + 1);
    return b.text();
}

class StructuralPage : public DesignerTest {
  protected:
    void SetUp() override {
        DesignerTest::SetUp();
        ASSERT_TRUE(start());
        newModule("Counter");
        addGroup("Main");
        addService("Main", "reset");
        selectService("Main", "reset");
        form_->clearModified();
        ui_.clearCalls();
    }
    QCheckBox* box(int k) { return ctl<QCheckBox>("Check_srvchrs" + QString::number(k)); }
    bool shown(const char* name) { return ctl<QWidget>(QString::fromLatin1(name))->isVisible(); }
};

TEST_F(StructuralPage, ARegularServiceWithoutMonitorHasADynamicPriority) {
    EXPECT_EQ(ctl<QGroupBox>("Frame_serv")->title(), "Service: reset");
    EXPECT_TRUE(ctl<QRadioButton>("Option_typeofservice0")->isChecked());
    EXPECT_TRUE(shown("Label_dynprio"));
    EXPECT_EQ(ctl<QLabel>("Label_dynprio")->text(), "dynamic");
    EXPECT_FALSE(shown("Text_relprio"));
    EXPECT_FALSE(shown("VScroll_relprio"));
    EXPECT_TRUE(shown("Check_srvchrs0"));
    EXPECT_TRUE(shown("Check_srvchrs1"));
    EXPECT_TRUE(shown("Check_srvchrs3"));
    EXPECT_FALSE(shown("Frame_betaeventhandler"));
    EXPECT_TRUE(shown("Frame_inputdata"));
    EXPECT_TRUE(shown("Frame_outputdata"));
    EXPECT_EQ(box(0)->text(), "REENTRANT");
    EXPECT_EQ(box(5)->toolTip(),
              "The service priority is ignored; the service logic will run at the highest "
              "priority");
    EXPECT_EQ(ctl<QLabel>("LabelSrvSelected")->text(), "Main::reset");
    EXPECT_FALSE(form_->oxaChanged()) << "selecting changes nothing";

    click(box(1));  // MONITOR
    EXPECT_EQ(chars("reset"), " *    ");
    EXPECT_TRUE(form_->oxaChanged());
    EXPECT_TRUE(shown("Text_relprio"));
    EXPECT_TRUE(shown("VScroll_relprio"));
    EXPECT_FALSE(shown("Label_dynprio"));
    EXPECT_FALSE(shown("Check_srvchrs0")) << "a monitor hides REENTRANT";
    EXPECT_FALSE(shown("Frame_inputdata")) << "a monitor takes no input";
    EXPECT_TRUE(shown("Frame_outputdata"));

    click(box(4));  // UNPRIORITIZED
    EXPECT_EQ(chars("reset"), " *  * ");
    EXPECT_TRUE(shown("Label_dynprio"));
    EXPECT_EQ(ctl<QLabel>("Label_dynprio")->text(), "fixed");
    EXPECT_FALSE(shown("Text_relprio"));

    click(box(3));  // PERMANENT
    EXPECT_FALSE(shown("Frame_outputdata"));
    EXPECT_TRUE(takeBoxes().isEmpty());
}

TEST_F(StructuralPage, RefusedCharacteristicsAreUndoneInTheirBox) {
    // UNPRIORITIZED without MONITOR breaks the rules of a regular service.
    click(box(4));
    EXPECT_EQ(takeBoxes(),
              QStringList({"Change Characteristics|That produces some incompability"}));
    EXPECT_FALSE(box(4)->isChecked());
    EXPECT_EQ(chars("reset"), "      ");
    click(box(1));
    click(box(4));
    click(box(5));  // PRIORITIZED together with UNPRIORITIZED
    EXPECT_EQ(takeBoxes(),
              QStringList({"Change Characteristics|That produces some incompability"}));
    EXPECT_FALSE(box(5)->isChecked());
    EXPECT_TRUE(box(4)->isChecked());
    EXPECT_EQ(chars("reset"), " *  * ");
}

TEST_F(StructuralPage, ThePriorityIsClampedAndFollowsTheScrollBar) {
    click(box(1));
    auto* text = ctl<QLineEdit>("Text_relprio");
    auto* scroll = ctl<QScrollBar>("VScroll_relprio");
    struct Case {
        const char* typed;
        const char* shown;
        int value;
    };
    const Case cases[] = {{"40000", "32767", 32767}, {"-3", "0", 0},    {"12.5", "12.5", 12},
                          {"13.5", "13.5", 14},      {"abc", "abc", 0}, {"77", "77", 77}};
    for (const Case& c : cases) {
        text->setText(QString::fromLatin1(c.typed));
        EXPECT_EQ(text->text(), QString::fromLatin1(c.shown)) << c.typed;
        EXPECT_EQ(OXAServiceRelPriority("Main", "reset"), c.value) << c.typed;
        EXPECT_EQ(scroll->value(), 32767 - c.value) << c.typed;
    }
    scroll->setValue(32767 - 1000);
    EXPECT_EQ(text->text(), "1000");
    EXPECT_EQ(OXAServiceRelPriority("Main", "reset"), 1000);
    scroll->setValue(0);
    EXPECT_EQ(text->text(), "32767") << "the top of the scroll bar is the highest priority";
    EXPECT_TRUE(takeBoxes().isEmpty());
}

TEST_F(StructuralPage, ChoosingAHandlerTypeClearsTheCharacteristics) {
    click(box(1));
    click(box(2));
    ASSERT_EQ(chars("reset"), " **   ");
    // The type already chosen, clicked again, changes nothing.
    click(ctl<QAbstractButton>("Option_typeofservice0"));
    EXPECT_EQ(chars("reset"), " **   ");
    click(ctl<QAbstractButton>("Option_typeofservice1"));
    EXPECT_EQ(OXAServiceType("Main", "reset"), 1);
    EXPECT_EQ(chars("reset"), "      ");
    EXPECT_FALSE(box(2)->isChecked());
    EXPECT_FALSE(shown("Check_srvchrs0"));
    EXPECT_FALSE(shown("Check_srvchrs1"));
    EXPECT_FALSE(shown("Check_srvchrs3"));
    EXPECT_TRUE(shown("Check_srvchrs2"));
    EXPECT_TRUE(shown("Frame_betaeventhandler"));
    EXPECT_TRUE(shown("Label_betamodule"));
    EXPECT_TRUE(shown("Text_betamodule"));
    EXPECT_EQ(ctl<QLineEdit>("Text_codebeta")->text(), "");
    EXPECT_TRUE(shown("Text_relprio")) << "a handler has a relative priority";

    click(ctl<QAbstractButton>("Option_typeofservice2"));
    EXPECT_EQ(OXAServiceType("Main", "reset"), 2);
    EXPECT_FALSE(shown("Label_betamodule"));
    EXPECT_FALSE(shown("Text_betamodule"));
    EXPECT_FALSE(shown("Frame_inputdata"));
    EXPECT_FALSE(shown("Frame_outputdata"));
    EXPECT_TRUE(takeBoxes().isEmpty());
}

TEST_F(StructuralPage, ANotificationHandlerKeepsItsSignalWhenOtherSettingsChange) {
    ASSERT_EQ(AddNewDefinedSignal("ring", "N", "3"), 1);
    ASSERT_EQ(AddNewDefinedSignal("tick", "E", "7"), 1);
    click(ctl<QAbstractButton>("Option_typeofservice2"));
    // Picking the event tick for a notification handler is refused.
    ui_.handleDialog([](QDialog& d) {
        selectText(control<QListWidget>(&d, "List_Events"), "(E) tick  =>  7");
        click(control<QAbstractButton>(&d, "OKButton"));
    });
    click(ctl<QAbstractButton>("Command_wizardevent"));
    EXPECT_EQ(takeBoxes(), QStringList({"Notification Code Selection|For handling a beta event, "
                                        "better define an Event Handler service"}));
    ui_.handleDialog([](QDialog& d) {
        selectText(control<QListWidget>(&d, "List_Events"), "(N) ring, 3");
        click(control<QAbstractButton>(&d, "OKButton"));
    });
    click(ctl<QAbstractButton>("Command_wizardevent"));
    EXPECT_TRUE(takeBoxes().isEmpty());
    EXPECT_EQ(ctl<QLineEdit>("Text_codebeta")->text(), "ring");

    auto code = [] {
        EngineBuffer b(128);
        OXAServiceEventHandlerCode("Main", "reset", b.data(), 128);
        return b.text();
    };
    EXPECT_EQ(code(), "ring");
    click(box(2));
    EXPECT_EQ(code(), "ring");
    ctl<QLineEdit>("Text_relprio")->setText("9");
    EXPECT_EQ(OXAServiceRelPriority("Main", "reset"), 9);
    EXPECT_EQ(code(), "ring");
    EXPECT_EQ(ctl<QLineEdit>("Text_codebeta")->text(), "ring");
    expectScriptDone();
}

TEST_F(StructuralPage, AnEventHandlerRefusesANotificationOfThisModule) {
    ASSERT_EQ(AddNewDefinedSignal("ring", "N", "3"), 1);
    click(ctl<QAbstractButton>("Option_typeofservice1"));
    ui_.answer(Answer::Yes);
    ui_.handleDialog([](QDialog& d) {
        selectRow(control<QListWidget>(&d, "List_Events"), 0);
        click(control<QAbstractButton>(&d, "OKButton"));
    });
    click(ctl<QAbstractButton>("Command_wizardevent"));
    EXPECT_EQ(takeBoxes(),
              QStringList({"Event Code Selection|Handler for an event defined in this module?",
                           "Signal Code Selection|For a notification, better define a "
                           "Notification Handler service"}));
    EXPECT_EQ(ctl<QLineEdit>("Text_codebeta")->text(), "");
    // Without a selection nothing happens.
    ui_.answer(Answer::Yes);
    ui_.handleDialog([](QDialog& d) { click(control<QAbstractButton>(&d, "OKButton")); });
    click(ctl<QAbstractButton>("Command_wizardevent"));
    EXPECT_EQ(takeBoxes().size(), 1);
    // A regular service has no signal to get.
    click(ctl<QAbstractButton>("Option_typeofservice0"));
    form_->getSignal();
    EXPECT_TRUE(ui_.calls().empty());
    expectScriptDone();
}

TEST_F(StructuralPage, HandlerFieldsAreWrittenAsTheyAreTyped) {
    click(ctl<QAbstractButton>("Option_typeofservice1"));
    ctl<QLineEdit>("Text_codebeta")->setText("pulse");
    ctl<QLineEdit>("Text_betamodule")->setText("Clock");
    EngineBuffer code(128), module(32);
    OXAServiceEventHandlerCode("Main", "reset", code.data(), 128);
    OXAServiceEventGeneratorModule("Main", "reset", module.data(), 32);
    EXPECT_EQ(code.text(), "pulse");
    EXPECT_EQ(module.text(), "Clock");
}

TEST_F(StructuralPage, DataDefinitionsAreSetDiscardedOrAppliedAutomatically) {
    auto* input = ctl<TextBox>("RichTextBox1");
    input->setText("long x");
    EXPECT_EQ(inputData("reset"), "") << "nothing is written before \"Set\"";
    click(ctl<QAbstractButton>("Command_setinputdata"));
    EXPECT_EQ(inputData("reset"), "long x");
    input->setText("long y");
    click(ctl<QAbstractButton>("Command_discardinputdata"));
    EXPECT_EQ(input->text(), "long x");

    click(ctl<QAbstractButton>("Check_autoin"));
    EXPECT_FALSE(ctl<QWidget>("Command_setinputdata")->isEnabled());
    EXPECT_FALSE(ctl<QWidget>("Command_discardinputdata")->isEnabled());
    input->setText("long x\nshort z");
    EXPECT_EQ(inputData("reset"), "long x\nshort z");
    click(ctl<QAbstractButton>("Check_autoin"));
    EXPECT_TRUE(ctl<QWidget>("Command_setinputdata")->isEnabled());

    auto* output = ctl<TextBox>("RichTextBox2");
    output->setText("double d");
    click(ctl<QAbstractButton>("Command_setoutputdata"));
    const int n = LengthOXAServiceData(2, "Main", "reset");
    EngineBuffer b(n + 1);
    RetrieveOXAServiceOutputData("Main", "reset", b.data(), n + 1);
    EXPECT_EQ(b.text(), "double d");

    // Another service shows its own texts.
    addService("Main", "other");
    selectService("Main", "other");
    EXPECT_EQ(input->text(), "");
    selectService("Main", "reset");
    EXPECT_EQ(input->text(), "long x\nshort z");
    EXPECT_EQ(output->text(), "double d");
}

TEST_F(StructuralPage, TheDataLabelsOpenTheOdlHelp) {
    QTest::mouseClick(ctl<QLabel>("Label1"), Qt::LeftButton);
    ASSERT_EQ(ui_.calls().size(), 1u);
    EXPECT_EQ(ui_.calls()[0].kind, ScriptedInteraction::Kind::Document);
    EXPECT_TRUE(ui_.calls()[0].text.endsWith("/odl.html")) << ui_.calls()[0].text.toStdString();
    EXPECT_EQ(ctl<QLabel>("Label3")->toolTip(), "Click to view ODL help");
}

TEST_F(StructuralPage, SelectingAGroupHidesTheServiceDesign) {
    EXPECT_TRUE(shown("Frame_serv"));
    selectText(ctl<QListWidget>("List_Groups"), "<Default group>");
    EXPECT_FALSE(shown("Frame_serv"));
    EXPECT_FALSE(shown("Frame_inputdata"));
    EXPECT_EQ(ctl<QListWidget>("List_Services")->count(), 0);
    EXPECT_EQ(ctl<QGroupBox>("Frame_services")->title(), "Services of <Default group>");
    EXPECT_FALSE(action("Popup_srv_change")->isEnabled());
    EXPECT_TRUE(action("Popup_groups_delete")->isEnabled());
}

TEST_F(StructuralPage, TheModuleNameIsChangedFromItsLabel) {
    ui_.handleDialog([](QDialog& d) {
        EXPECT_EQ(d.windowTitle(), "Change Module IDs");
        EXPECT_EQ(control<QLineEdit>(&d, "Text1")->text(), "Counter");
        acceptNameDialog(d, "  Pulses  ", kGoodDescription + "   ");
    });
    QTest::mouseClick(ctl<QLabel>("Label_oxaname"), Qt::LeftButton);
    EXPECT_EQ(ctl<QLabel>("oxaids")->text(), "Pulses ");
    EXPECT_EQ(ctl<QLabel>("Label_oxaname")->text(), "Pulses");
    EngineBuffer name(32), description(2048);
    NameOXAModule(name.data(), 32);
    DescriptionOXAModule(description.data(), 2048);
    EXPECT_EQ(name.text(), "Pulses");
    EXPECT_EQ(description.text(), kGoodDescription);
    ui_.handleDialog([](QDialog& d) { acceptNameDialog(d, "Bad]", kGoodDescription); });
    QTest::mouseClick(ctl<QLabel>("oxaids"), Qt::LeftButton);
    EXPECT_EQ(takeBoxes(),
              QStringList({"Change name and description|Error in name or description"}));
    expectScriptDone();
}

}  // namespace
}  // namespace orven::designer::test
