// The dialogs of module dependencies: the list of the module's dependencies
// (Dialog_clientlist), the editor of a new dependency (Dialog_dependency)
// and the picker of the services another module offers
// (Dialog_otherservices).
#pragma once

#include "FlagDialog.h"

class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;

namespace orven::designer {

class ClientListDialog : public FlagDialog {
    Q_OBJECT
  public:
    ClientListDialog(Routines& routines, QWidget* parent);
    void load();
    int selectedIndex() const;

    void add();
    void addFromModule();
    void remove();

  private:
    void readDependency(int position);
    void writeHeader();

    QLabel* labelNumber_;
    QListWidget* list_;
};

class DependencyDialog : public FlagDialog {
    Q_OBJECT
  public:
    DependencyDialog(Routines& routines, QWidget* parent);
    QString moduleName() const;
    QString serviceName() const;
    void ok();

  private:
    QLineEdit* text1_;
    QLineEdit* text2_;
};

class OtherServicesDialog : public FlagDialog {
    Q_OBJECT
  public:
    OtherServicesDialog(Routines& routines, QWidget* parent);
    // Fills the list from the engine's list of another module's services.
    void load();
    // One character per item: "*" marked, a blank otherwise.
    const QString& selected() const { return selected_; }
    QString itemText(int row) const;

  private:
    void toggle(int row);
    void clicked(QListWidgetItem* item);
    void doubleClicked(QListWidgetItem* item);
    void showMarks();

    QLabel* labelNumber_;
    QListWidget* list_;
    QString selected_;
};

}  // namespace orven::designer
