// Dialog_namedescr: asks a name and a description.
#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

namespace orven::designer {

class Routines;
class TextBox;

class NameDescrDialog : public QDialog {
    Q_OBJECT
  public:
    NameDescrDialog(Routines& routines, QWidget* parent);
    void prepare(const QString& title, const QString& name, const QString& description, int maxName,
                 int maxDescription);
    QString name() const;
    QString description() const;

    // "OK": an empty name is refused with a message and the dialog stays.
    void ok();

  private:
    Routines& routines_;
    QLabel* labelName_;
    QLabel* labelDescription_;
    QLineEdit* text1_;
    TextBox* richTextBox2_;
};

}  // namespace orven::designer
