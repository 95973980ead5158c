// The generation part of the implementation page: the list of the engine's
// generators with the description of the selected one, the options of the
// C++ generator and "GENERATE", which checks the module, asks for the
// output directory, runs the automatic verification, generates, and on
// request compiles and links the result and shows the build errors.
#pragma once

#include <QGroupBox>
#include <QString>
#include <array>

class QCheckBox;
class QComboBox;
class QPushButton;
class QTextEdit;

namespace orven::designer {

class MainForm;

class GenerationPage : public QWidget {
  public:
    GenerationPage(MainForm& form, QWidget* parent);

    // Fills the generator list and selects the first one (start-up).
    void fillGenerators();
    // The description of the selected generator, then its availability.
    void describeGenerator();
    // "GENERATE" enabled and the options shown only when the selected
    // generator can generate the module.
    void evaluateAvailability();
    int selectedGenerator() const;

    // The option text passed to Generate: one character per option, "*"
    // when ticked and a blank when not.
    QString optionsText() const;
    void doEverything();

    // The "GENERATE" command.
    void generate();
    // Verification, generation and the optional build into directory; false
    // with the message when a step fails.
    bool generateCpp(const QString& directory, int generator, QString& message);

  private:
    void busy(const QString& step);
    void idle();
    void showVerificationLog(const QString& label, const QString& log);

    MainForm& form_;
    QComboBox* comboGenerators_;
    QPushButton* commandGenerate_;
    QTextEdit* pictureGenerator_;
    QGroupBox* frameOptions_;
    QGroupBox* frameCompOpts_;
    // In the order of the option text.
    enum Option {
        kIdl,
        kCompIdl,
        kImpl,
        kMain,
        kProj,
        kOrvenIdl,
        kOtherFiles,
        kFatalTaoIdl,
        kForceSuccess,
        kWithMfc,
        kVoxl,
        kOptions
    };
    std::array<QCheckBox*, kOptions> options_{};
};

}  // namespace orven::designer
