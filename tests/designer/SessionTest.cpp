// A whole session in the designer: a new module, its groups and services,
// the service design, signals and dependencies through their dialogs, the
// general information, saving with the author check, closing with the
// portability and discard questions, and loading the module again.
#include <QCheckBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QScrollBar>

#include "DesignerFixture.h"
#include "Texts.h"
#include "orven.h"

namespace orven::designer::test {
namespace {

QString engineText(int (*read)(char*, int), int size) {
    EngineBuffer b(size);
    read(b.data(), size);
    return b.text();
}

QString handlerCode(const char* group, const char* service) {
    EngineBuffer b(128);
    OXAServiceEventHandlerCode(group, service, b.data(), 128);
    return b.text();
}

QString characteristics(const char* group, const char* service) {
    char b[8] = "xxxxxx";
    OXAServiceCharacteristics(group, service, b);
    b[6] = '\0';
    return QString::fromLatin1(b);
}

QString author() {
    EngineBuffer v(16), d(32), a(48), o(512), c(1024);
    GetOXAModuleGeneralInfo(16, v.data(), 32, d.data(), 48, a.data(), 512, o.data(), 1024,
                            c.data());
    return a.text();
}

QString date() {
    EngineBuffer v(16), d(32), a(48), o(512), c(1024);
    GetOXAModuleGeneralInfo(16, v.data(), 32, d.data(), 48, a.data(), 512, o.data(), 1024,
                            c.data());
    return d.text();
}

TEST_F(DesignerTest, NewModuleShowsItsDefaultGroup) {
    ASSERT_TRUE(start());
    newModule("Counter");
    EXPECT_TRUE(takeBoxes().isEmpty());
    EXPECT_TRUE(form_->oxaPresent());
    EXPECT_FALSE(form_->oxaChanged()) << "showing a module leaves it unmodified";
    EXPECT_EQ(form_->oxaPath(), "");
    EXPECT_EQ(items(ctl<QListWidget>("List_Groups")), QStringList({"<Default group>"}));
    EXPECT_EQ(ctl<QLabel>("oxaids")->text(), "Counter ");
    EXPECT_EQ(ctl<QLabel>("oxaprio")->text(), "0 ");
    EXPECT_EQ(ctl<QLabel>("Label_oxaname")->text(), "Counter");
    EXPECT_EQ(ctl<QLabel>("Label_oxadescr")->text(), kGoodDescription);
    EXPECT_TRUE(ctl<QWidget>("Frame_Structural")->isVisible());
    EXPECT_TRUE(action("File_close")->isEnabled());
    EXPECT_TRUE(action("EditMenu_addGroup")->isEnabled());
    EXPECT_FALSE(action("EditMenu_newserv")->isEnabled());
    EXPECT_TRUE(action("Popup_groups_add")->isEnabled());
    EXPECT_FALSE(action("Popup_groups_delete")->isEnabled());
    EXPECT_FALSE(ctl<QWidget>("Frame_serv")->isVisible());
    EXPECT_FALSE(ctl<QWidget>("Frame_services")->isEnabled());
    expectScriptDone();
}

TEST_F(DesignerTest, TheNameDialogAsksForAName) {
    ASSERT_TRUE(start());
    ui_.handleDialog([&](QDialog& d) {
        EXPECT_EQ(d.windowTitle(), "New module");
        EXPECT_EQ(control<QLabel>(&d, "Label1")->text(), "Name (32 chrs; '[' or ']' not allowed):");
        EXPECT_EQ(control<QLabel>(&d, "Label2")->text(), "Description (2048 chrs):");
        EXPECT_EQ(control<QLineEdit>(&d, "Text1")->maxLength(), 32);
        click(control<QAbstractButton>(&d, "OKButton"));
        EXPECT_TRUE(d.isVisible()) << "an empty name keeps the dialog open";
        control<QLineEdit>(&d, "Text1")->setText("   ");
        click(control<QAbstractButton>(&d, "OKButton"));
        EXPECT_TRUE(d.isVisible()) << "blanks are no name either";
        control<QLineEdit>(&d, "Text1")->setText("Counter");
        click(control<QAbstractButton>(&d, "OKButton"));
    });
    action("FileMenu_new")->trigger();
    ASSERT_FALSE(ui_.calls().empty());
    EXPECT_EQ(ui_.calls().back().icon, Icon::Warning);
    // An empty description becomes "<no description>", which fails the
    // description rule: the experimental validation warns.
    EXPECT_EQ(takeBoxes(), QStringList({"Name|Name is mandatory.", "Name|Name is mandatory.",
                                        "*** EXPERIMENTAL VALIDATION SERVICE ***|From ORVEN MD "
                                        "v1.31, you are encouraged to enter valid descriptions!"}));
    EXPECT_EQ(engineText(DescriptionOXAModule, 2048), "<no description>");
    expectScriptDone();
}

TEST_F(DesignerTest, CancellingTheNameDialogCreatesNothing) {
    ASSERT_TRUE(start());
    ui_.handleDialog([](QDialog& d) { click(control<QAbstractButton>(&d, "CancelButton")); });
    action("FileMenu_new")->trigger();
    EXPECT_FALSE(form_->oxaPresent());
    EXPECT_EQ(IsDefinedCurrentOXAModule(), 0);
    expectScriptDone();
}

TEST_F(DesignerTest, GroupsAndServicesAreCreatedRenamedAndDeleted) {
    ASSERT_TRUE(start());
    newModule("Counter");
    auto* groups = ctl<QListWidget>("List_Groups");
    auto* services = ctl<QListWidget>("List_Services");
    addGroup("Motion");
    addGroup("Sensors");
    EXPECT_TRUE(form_->oxaChanged());
    EXPECT_EQ(items(groups), QStringList({"<Default group>", "Motion", "Sensors"}));
    addGroup("Motion");
    addGroup("Bad[name]");
    EXPECT_EQ(takeBoxes(),
              QStringList({"Create a Group of Services|There is already a group with that name.",
                           "Create a Group of Services|Error creating group of services"}));
    EXPECT_EQ(groups->count(), 3);

    addService("Motion", "move");
    addService("Motion", "stop");
    addService("Motion", "home");
    EXPECT_EQ(ctl<QGroupBox>("Frame_services")->title(), "Services of Motion");
    EXPECT_EQ(items(services), QStringList({"move", "stop", "home"}));
    EXPECT_EQ(NumberOfServices("Motion"), 3);
    addService("Motion", "move");
    EXPECT_EQ(takeBoxes(),
              QStringList({"Create Service|There is already a service with that name."}));

    // Renaming a group shows its name and description.
    selectText(groups, "Sensors");
    EXPECT_TRUE(action("Popup_groups_change")->isEnabled());
    ui_.handleDialog([](QDialog& d) {
        EXPECT_EQ(d.windowTitle(), "Change Group IDs");
        EXPECT_EQ(control<QLineEdit>(&d, "Text1")->text(), "Sensors");
        acceptNameDialog(d, "Sensing", kGoodDescription + " and more");
    });
    action("Popup_groups_change")->trigger();
    EXPECT_EQ(items(groups), QStringList({"<Default group>", "Motion", "Sensing"}));
    EXPECT_EQ(ExistGroupOfServices("Sensing"), 1);
    EXPECT_EQ(ExistGroupOfServices("Sensors"), 0);
    // A rename onto a used name is refused.
    ui_.handleDialog([](QDialog& d) { acceptNameDialog(d, "Motion", kGoodDescription); });
    action("Popup_groups_change")->trigger();
    EXPECT_EQ(takeBoxes(),
              QStringList({"Change Group IDs|Error changing name of group. Used name?"}));

    // Deleting a group; cancelling the question keeps it.
    ui_.answer(Answer::Cancel);
    action("Popup_groups_delete")->trigger();
    EXPECT_EQ(ExistGroupOfServices("Sensing"), 1);
    ui_.answer(Answer::Ok);
    action("Popup_groups_delete")->trigger();
    EXPECT_EQ(takeBoxes(),
              QStringList({"Delete Group of Services|Sure to delete selected group?",
                           "Delete Group of Services|Sure to delete selected group?"}));
    EXPECT_EQ(items(groups), QStringList({"<Default group>", "Motion"}));
    EXPECT_EQ(ExistGroupOfServices("Sensing"), 0);
    EXPECT_FALSE(action("EditMenu_newserv")->isEnabled());
    EXPECT_FALSE(ctl<QWidget>("Frame_services")->isEnabled());
    EXPECT_EQ(services->count(), 0);

    // Renaming and deleting services.
    selectService("Motion", "stop");
    ui_.handleDialog([](QDialog& d) {
        EXPECT_EQ(d.windowTitle(), "Change Service IDs");
        acceptNameDialog(d, "halt", kGoodDescription);
    });
    action("Popup_srv_change")->trigger();
    // Selecting the group again listed the services in the engine's order.
    EXPECT_EQ(items(services), QStringList({"home", "move", "halt"}));
    EXPECT_EQ(ExistOXAService("Motion", "halt"), 1);
    EXPECT_EQ(ctl<QGroupBox>("Frame_serv")->title(), "Service: halt");
    selectText(services, "home");
    ui_.answer(Answer::Ok);
    action("Popup_srv_delete")->trigger();
    EXPECT_EQ(takeBoxes(), QStringList({"Delete Service|Sure to delete service?"}));
    EXPECT_EQ(items(services), QStringList({"move", "halt"}));
    EXPECT_EQ(ExistOXAService("Motion", "home"), 0);
    EXPECT_FALSE(ctl<QWidget>("Frame_serv")->isVisible());
    EXPECT_FALSE(action("Popup_srv_delete")->isEnabled());
    expectScriptDone();
}

TEST_F(DesignerTest, SavingNeedsAnAuthorButStampsTheDate) {
    ASSERT_TRUE(start());
    newModule("Counter");
    EXPECT_EQ(date(), "");
    action("FileMenu_save")->trigger();
    EXPECT_EQ(takeBoxes(),
              QStringList({"Saving Module|The author of the module must be filled in."}));
    EXPECT_NE(date(), "") << "the date is stamped even when the author is missing";
    EXPECT_TRUE(ui_.calls().empty()) << "no file dialog";
    // "Save" of a module without a path is "Save As".
    action("FileMenu_saveauto")->trigger();
    EXPECT_EQ(takeBoxes(),
              QStringList({"Saving Module|The author of the module must be filled in."}));
    expectScriptDone();
}

TEST_F(DesignerTest, AWholeSessionIsSavedAndLoadedAgain) {
    ASSERT_TRUE(start());
    newModule("Counter");
    addGroup("Motion");
    addService("Motion", "move");
    addService("Motion", "watch");

    // Signals through their dialogs.
    ui_.handleDialog([&](QDialog& d) {
        EXPECT_EQ(d.windowTitle(), "Signals Defined");
        EXPECT_EQ(control<QLabel>(&d, "Label_number")->text(), "This module defines 0 signal(s):");
        ui_.handleDialog([](QDialog& input) {
            EXPECT_EQ(input.windowTitle(), "New Signal Definition");
            control<QLineEdit>(&input, "Event_name")->setText("tick");
            control<QLineEdit>(&input, "Event_code")->setText("7");
            click(control<QAbstractButton>(&input, "OKButton"));
        });
        click(control<QAbstractButton>(&d, "Command_add"));
        ui_.handleDialog([](QDialog& input) {
            control<QLineEdit>(&input, "Event_name")->setText("ring");
            control<QLineEdit>(&input, "Event_code")->setText("3");
            click(control<QAbstractButton>(&input, "Check_notification"));
            click(control<QAbstractButton>(&input, "OKButton"));
        });
        click(control<QAbstractButton>(&d, "Command_add"));
        EXPECT_EQ(items(control<QListWidget>(&d, "List_Events")),
                  QStringList({"(N) ring, 3", "(E) tick  =>  7"}));
        EXPECT_EQ(control<QLabel>(&d, "Label_number")->text(), "This module defines 2 signal(s):");
        click(control<QAbstractButton>(&d, "OKButton"));
    });
    click(ctl<QAbstractButton>("Command_betaeventlist"));
    EXPECT_EQ(NumberOfDefinedSignals(), 2);

    // The service move handles the event tick of this module.
    selectService("Motion", "move");
    click(ctl<QAbstractButton>("Option_typeofservice1"));
    ui_.answer(Answer::Yes);
    ui_.handleDialog([](QDialog& d) {
        selectText(control<QListWidget>(&d, "List_Events"), "(E) tick  =>  7");
        click(control<QAbstractButton>(&d, "OKButton"));
    });
    click(ctl<QAbstractButton>("Command_wizardevent"));
    EXPECT_EQ(takeBoxes(), QStringList({"Event Code Selection|Handler for an event defined in "
                                        "this module?"}));
    EXPECT_EQ(ctl<QLineEdit>("Text_codebeta")->text(), "tick");
    EXPECT_EQ(ctl<QLineEdit>("Text_betamodule")->text(), "Counter");
    EXPECT_EQ(handlerCode("Motion", "move"), "tick");

    // The service watch is a monitor with a relative priority.
    selectService("Motion", "watch");
    click(ctl<QAbstractButton>("Check_srvchrs1"));
    ctl<QLineEdit>("Text_relprio")->setText("250");
    EXPECT_EQ(OXAServiceRelPriority("Motion", "watch"), 250);
    EXPECT_EQ(characteristics("Motion", "watch"), " *    ");

    // Dependencies through their dialogs.
    ui_.handleDialog([&](QDialog& d) {
        EXPECT_EQ(d.windowTitle(), "Client of");
        EXPECT_EQ(control<QLabel>(&d, "Label_number")->text(),
                  "This module has currently  0 dependencies.");
        ui_.handleDialog([](QDialog& dep) {
            control<QLineEdit>(&dep, "Text1")->setText("Clock");
            control<QLineEdit>(&dep, "Text2")->setText("tick");
            click(control<QAbstractButton>(&dep, "Command1"));
        });
        click(control<QAbstractButton>(&d, "Command_add"));
        EXPECT_EQ(control<QLabel>(&d, "Label_number")->text(),
                  "This module has currently  1 dependency.");
        ui_.answer(Answer::Yes);
        ui_.handleDialog([](QDialog& dep) {
            control<QLineEdit>(&dep, "Text1")->setText("Logger");
            click(control<QAbstractButton>(&dep, "Command1"));
        });
        click(control<QAbstractButton>(&d, "Command_add"));
        EXPECT_EQ(items(control<QListWidget>(&d, "List_Clients")),
                  QStringList({"[Clock]:[tick]@(0,INF)", "[Logger]"}));
        click(control<QAbstractButton>(&d, "CloseButton"));
    });
    click(ctl<QAbstractButton>("Command_clientlist"));
    EXPECT_EQ(takeBoxes(), QStringList({"Special Dependency|Sure to enter a dependency on a whole "
                                        "module?"}));
    EXPECT_EQ(GetNumberOfModuleDependencies(), 2);

    // General information and saving.
    setAuthor("A. Author");
    EXPECT_EQ(author(), "A. Author");
    const QString path = file("counter.oxa");
    saveAs(path);
    EXPECT_TRUE(takeBoxes().isEmpty());
    ASSERT_TRUE(QFile::exists(path));
    EXPECT_EQ(form_->oxaPath(), path);
    EXPECT_FALSE(form_->oxaChanged());
    EXPECT_EQ(ctl<QLabel>("Label_oxaname")->toolTip(), path);

    // A change, then closing: the portability and discard questions.
    addGroup("Extra");
    ui_.answer(Answer::Yes);
    ui_.answer(Answer::Yes);
    action("File_close")->trigger();
    EXPECT_EQ(takeBoxes(),
              QStringList({"Deportabilization Empty|No deportabilization. Is the module completely "
                           "portable?",
                           "Close module|Discard module's changes?"}));
    EXPECT_FALSE(form_->oxaPresent());
    EXPECT_EQ(IsDefinedCurrentOXAModule(), 0);
    EXPECT_EQ(ctl<QListWidget>("List_Groups")->count(), 0);
    EXPECT_EQ(ctl<QLabel>("oxaids")->text(), "");

    // Loading shows the same values.
    ui_.answerFile(path);
    action("FileMenu_load")->trigger();
    EXPECT_TRUE(takeBoxes().isEmpty());
    EXPECT_TRUE(form_->oxaPresent());
    EXPECT_FALSE(form_->oxaChanged());
    EXPECT_EQ(form_->oxaPath(), path);
    EXPECT_EQ(ctl<QLabel>("oxaids")->text(), "Counter ");
    EXPECT_EQ(items(ctl<QListWidget>("List_Groups")), QStringList({"<Default group>", "Motion"}));
    selectService("Motion", "move");
    EXPECT_EQ(items(ctl<QListWidget>("List_Services")), QStringList({"move", "watch"}));
    EXPECT_TRUE(ctl<QRadioButton>("Option_typeofservice1")->isChecked());
    EXPECT_EQ(ctl<QLineEdit>("Text_codebeta")->text(), "tick");
    EXPECT_EQ(ctl<QLineEdit>("Text_betamodule")->text(), "Counter");
    selectService("Motion", "watch");
    EXPECT_TRUE(ctl<QCheckBox>("Check_srvchrs1")->isChecked());
    EXPECT_EQ(ctl<QLineEdit>("Text_relprio")->text(), "250");
    EXPECT_EQ(ctl<QScrollBar>("VScroll_relprio")->value(), 32767 - 250);
    EXPECT_EQ(NumberOfDefinedSignals(), 2);
    EXPECT_EQ(GetNumberOfModuleDependencies(), 2);
    EXPECT_EQ(author(), "A. Author");
    EXPECT_FALSE(form_->oxaChanged()) << "looking changes nothing";
    expectScriptDone();
}

}  // namespace
}  // namespace orven::designer::test
