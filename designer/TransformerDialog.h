// Dialog_transformer: converts module files between the formats that the
// format transformer library knows.
#pragma once

#include <QDialog>
#include <QStringList>
#include <vector>

class QGroupBox;
class QRadioButton;
class QVBoxLayout;

namespace orven::designer {

class FormatTransformer;
class Routines;

class TransformerDialog : public QDialog {
    Q_OBJECT
  public:
    TransformerDialog(Routines& routines, FormatTransformer& transformer, QWidget* parent);
    ~TransformerDialog() override;
    // Initialises the library and builds the format panel; false (after its
    // messages, and after the finalisation) when a step fails.
    bool load();
    const QStringList& formatNames() const { return names_; }
    int selectedPosition() const;

    void consultFormat();
    void transform();
    // Finalises the library (once) and closes the dialog.
    void closeDialog();

  private:
    bool readFormats();
    void finish();

    Routines& routines_;
    FormatTransformer& transformer_;
    QGroupBox* frame_;
    QVBoxLayout* options_;
    std::vector<QRadioButton*> buttons_;
    QStringList names_;
    bool initialized_ = false;
};

}  // namespace orven::designer
