// The base of the designer's small dialogs: a dialog with a hidden result
// flag (a check box, by default named "Check1") that its opener reads after
// the modal show. "Hiding" the dialog keeps its controls for the opener.
#pragma once

#include <QCheckBox>
#include <QDialog>
#include <initializer_list>

class QPushButton;
class QLayout;
class QHBoxLayout;

namespace orven::designer {

class Routines;

class FlagDialog : public QDialog {
    Q_OBJECT
  public:
    FlagDialog(Routines& routines, QWidget* parent, const QString& name, const QString& caption,
               const QString& flagName = QStringLiteral("Check1"));
    int flag() const { return flag_->isChecked() ? 1 : 0; }
    void setFlag(int value) { flag_->setChecked(value != 0); }

  protected:
    // Sets the flag and hides the dialog.
    void hideWith(int value);
    QPushButton* button(const QString& name, const QString& caption);
    // A row of buttons pushed to the right edge of the dialog.
    static QHBoxLayout* rightAlignedRow(std::initializer_list<QPushButton*> buttons);
    Routines& routines_;

  private:
    QCheckBox* flag_;
};

}  // namespace orven::designer
