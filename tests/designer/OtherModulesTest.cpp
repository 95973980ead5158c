// What the designer takes from other module files: the signals of another
// module for an event handler, and dependencies on the services another
// module offers.
#include <QLabel>
#include <QLineEdit>
#include <QTest>

#include "DesignerFixture.h"
#include "Texts.h"
#include "orven.h"

namespace orven::designer::test {
namespace {

class OtherModules : public DesignerTest {
  protected:
    void SetUp() override {
        DesignerTest::SetUp();
        ASSERT_TRUE(start());
        // The server module, written by the engine and left.
        ASSERT_EQ(CreateNewOXAModule("Sensor", "A module that reads the force sensor"), 1);
        ASSERT_EQ(AddNewGroupOfServices("Main", "The main group of the sensor module"), 1);
        ASSERT_EQ(CreateOXAService("Main", "read", "Reads the force on the sensor"), 1);
        ASSERT_EQ(CreateOXAService("Main", "zero", "Sets the sensor's zero point"), 1);
        ASSERT_EQ(AddNewDefinedSignal("collision", "E", "4"), 1);
        ASSERT_EQ(AddNewDefinedSignal("overload", "N", "5"), 1);
        sensor_ = file("Sensor.oxa");
        ASSERT_EQ(SaveOXAModule(toEngine(sensor_).constData()), 1);
        ASSERT_EQ(CreateNewOXAModule("Empty", "A module that defines no signal at all"), 1);
        empty_ = file("Empty.oxa");
        ASSERT_EQ(SaveOXAModule(toEngine(empty_).constData()), 1);
        ASSERT_EQ(DeleteCurrentOXAModule(), 1);
        newModule("Arm");
        addGroup("Safety");
        addService("Safety", "onCollision");
        selectService("Safety", "onCollision");
        click(ctl<QAbstractButton>("Option_typeofservice1"));
        ui_.clearCalls();
    }
    void pickOtherSignal(const QString& item, bool accept = true) {
        ui_.answer(Answer::No);  // not of this module
        ui_.answerFile(sensor_);
        ui_.handleDialog([=](QDialog& d) {
            EXPECT_EQ(d.windowTitle(), "Signals Defined by Another OXA Module");
            EXPECT_EQ(control<QLabel>(&d, "Label_header")->text(),
                      "The loaded module defines 2 signal(s):");
            selectText(control<QListWidget>(&d, "List_Events"), item);
            click(control<QAbstractButton>(&d, accept ? "OKButton" : "CancelButton"));
        });
        click(ctl<QAbstractButton>("Command_wizardevent"));
    }
    QString sensor_;
    QString empty_;
};

TEST_F(OtherModules, AnEventOfAnotherModuleAddsADependencyOnIt) {
    pickOtherSignal("(E) collision  =>  4");
    EXPECT_EQ(takeBoxes(),
              QStringList({"Event Code Selection|Handler for an event defined in this module?"}));
    EXPECT_EQ(ctl<QLineEdit>("Text_codebeta")->text(), "collision");
    EXPECT_EQ(ctl<QLineEdit>("Text_betamodule")->text(), "Sensor");
    EXPECT_EQ(GetNumberOfModuleDependencies(), 1);
    EXPECT_NE(ExistsModuleDependency("Sensor", ""), 0);
    // Picking it again adds no second dependency.
    pickOtherSignal("(E) collision  =>  4");
    EXPECT_EQ(GetNumberOfModuleDependencies(), 1);
    EXPECT_EQ(takeBoxes().size(), 1);
    expectScriptDone();
}

TEST_F(OtherModules, NotificationsOfAnotherModuleCannotBeHandled) {
    pickOtherSignal("(N) overload, 5");
    EXPECT_EQ(takeBoxes().last(),
              "Event Code Selection|You cannot handle another's module notifications");
    EXPECT_EQ(ctl<QLineEdit>("Text_codebeta")->text(), "");
    // A cancelled picker takes nothing.
    pickOtherSignal("(E) collision  =>  4", false);
    EXPECT_EQ(ctl<QLineEdit>("Text_codebeta")->text(), "");
    EXPECT_EQ(GetNumberOfModuleDependencies(), 0);
    // A module without signals.
    ui_.answer(Answer::No);
    ui_.answerFile(empty_);
    click(ctl<QAbstractButton>("Command_wizardevent"));
    EXPECT_EQ(takeBoxes().last(), "Reading Signal List|The module defines no signal");
    ui_.answer(Answer::No);
    ui_.answerFile(file("missing.oxa"));
    click(ctl<QAbstractButton>("Command_wizardevent"));
    EXPECT_EQ(takeBoxes().last(), "Reading Signal List|Error reading signals from module");
    expectScriptDone();
}

TEST_F(OtherModules, DependenciesOnAWholeModuleOrOnItsServices) {
    ui_.handleDialog([this](QDialog& d) {
        auto* list = control<QListWidget>(&d, "List_Clients");
        // The whole module.
        ui_.answerFile(sensor_);
        ui_.answer(Answer::Yes);
        click(control<QAbstractButton>(&d, "Command_addvisual"));
        EXPECT_EQ(items(list), QStringList({"[Sensor]"}));
        // Two of its services, marked by clicks.
        ui_.answerFile(sensor_);
        ui_.answer(Answer::No);
        ui_.handleDialog([](QDialog& offered) {
            EXPECT_EQ(offered.windowTitle(), "Offered Services");
            auto* services = control<QListWidget>(&offered, "List_Services");
            EXPECT_EQ(control<QLabel>(&offered, "Label_number")->text(),
                      "The loaded module offers  2 services.");
            for (int row = 0; row < services->count(); ++row) {
                clickRow(services, row);
            }
            click(control<QAbstractButton>(&offered, "OKButton"));
        });
        click(control<QAbstractButton>(&d, "Command_addvisual"));
        EXPECT_EQ(list->count(), 3);
        EXPECT_EQ(control<QLabel>(&d, "Label_number")->text(),
                  "This module has currently  3 dependencies.");
        // The whole module again is a duplicate.
        ui_.answerFile(sensor_);
        ui_.answer(Answer::Yes);
        click(control<QAbstractButton>(&d, "Command_addvisual"));
        click(control<QAbstractButton>(&d, "CloseButton"));
    });
    click(ctl<QAbstractButton>("Command_clientlist"));
    const QStringList boxes = takeBoxes();
    EXPECT_EQ(boxes.last(), "|Error adding whole module dependency");
    EXPECT_EQ(GetNumberOfModuleDependencies(), 3);
    EXPECT_NE(ExistsModuleDependency("Sensor", "read"), 0);
    EXPECT_NE(ExistsModuleDependency("Sensor", "zero"), 0);
    EXPECT_EQ(NumberOfDependenciesOtherModule(), 0) << "the scratch list is cleared";
    EXPECT_TRUE(form_->oxaChanged());
    expectScriptDone();
}

}  // namespace
}  // namespace orven::designer::test
