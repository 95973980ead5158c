#include "GenerationPage.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStatusBar>
#include <QTextCursor>
#include <QTextEdit>
#include <QVBoxLayout>
#include <memory>

#include "CodeEditor.h"
#include "MainForm.h"
#include "SmallDialogs.h"
#include "Texts.h"
#include "orven.h"

namespace orven::designer {

namespace {

QCheckBox* option(QWidget* parent, const char* name, const char* caption, bool ticked) {
    auto* box = new QCheckBox(QString::fromLatin1(caption), parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setChecked(ticked);
    return box;
}

}  // namespace

GenerationPage::GenerationPage(MainForm& form, QWidget* parent) : QWidget(parent), form_(form) {
    setObjectName(QStringLiteral("GenerationPage"));
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);

    auto* left = new QVBoxLayout;
    auto* frame2 = new QGroupBox(QStringLiteral("Code Generation"), this);
    frame2->setObjectName(QStringLiteral("Frame2"));
    auto* gen = new QVBoxLayout(frame2);
    auto* label4 = new QLabel(QStringLiteral("Available code generators:"), frame2);
    label4->setObjectName(QStringLiteral("Label4"));
    comboGenerators_ = new QComboBox(frame2);
    comboGenerators_->setObjectName(QStringLiteral("Combo_generators"));
    commandGenerate_ = new QPushButton(QStringLiteral("GENERATE"), frame2);
    commandGenerate_->setObjectName(QStringLiteral("Command_generate"));
    QFont bold = commandGenerate_->font();
    bold.setBold(true);
    commandGenerate_->setFont(bold);
    gen->addWidget(label4);
    gen->addWidget(comboGenerators_);
    gen->addWidget(commandGenerate_);
    left->addWidget(frame2);

    auto* frame4 = new QGroupBox(QStringLiteral("Support Features"), this);
    frame4->setObjectName(QStringLiteral("Frame4"));
    auto* support = new QVBoxLayout(frame4);
    pictureGenerator_ = new QTextEdit(frame4);
    pictureGenerator_->setObjectName(QStringLiteral("PictureGenerator"));
    pictureGenerator_->setReadOnly(true);
    support->addWidget(pictureGenerator_);
    left->addWidget(frame4, 1);
    layout->addLayout(left, 1);

    frameOptions_ = new QGroupBox(QStringLiteral("Generation Options"), this);
    frameOptions_->setObjectName(QStringLiteral("Frame_generationoptions"));
    auto* opts = new QVBoxLayout(frameOptions_);
    frameCompOpts_ =
        new QGroupBox(QStringLiteral("Desired Stages of C++ Code Generation"), frameOptions_);
    frameCompOpts_->setObjectName(QStringLiteral("frame_compopts_acetaocpp"));
    auto* cpp = new QVBoxLayout(frameCompOpts_);
    cpp->addWidget(new QLabel(QStringLiteral("Select the stages you need:"), frameCompOpts_));
    QWidget* f = frameCompOpts_;
    options_[kOrvenIdl] =
        option(f, "Check_orvenidl", "1.- Generation of the global ORVEN IDL file", true);
    options_[kIdl] = option(f, "Check_idl", "2.- Generation of the IDL file of the module", true);
    options_[kCompIdl] =
        option(f, "Check_compidl", "3.- Compilation of the IDL file of the module", true);
    options_[kImpl] = option(f, "Check_impl", "4.- Generation of the implementation classes", true);
    options_[kMain] = option(f, "Check_main", "5.- Generation of the main file", true);
    options_[kProj] = option(f, "Check_proj", "6.- Generation of the project files", true);
    options_[kOtherFiles] = option(f, "Check_otherfiles", "7.- Copy extra files", true);
    for (Option o : {kOrvenIdl, kIdl, kCompIdl, kImpl, kMain, kProj, kOtherFiles}) {
        cpp->addWidget(options_[o]);
    }
    auto* everything = new QPushButton(QStringLiteral("Do Everything"), frameCompOpts_);
    everything->setObjectName(QStringLiteral("Command_everystage"));
    cpp->addWidget(everything);
    options_[kFatalTaoIdl] =
        option(f, "Check_fatal_taoidl", "Stop generation on any TAO_IDL error", true);
    options_[kForceSuccess] = option(f, "Check_force_success", "Force TAO_IDL success", false);
    options_[kWithMfc] = option(f, "Check_withMFC", "With MFC", false);
    options_[kVoxl] = option(f, "Check_voxl", "Include VOXL", true);
    for (Option o : {kFatalTaoIdl, kForceSuccess, kWithMfc, kVoxl}) {
        cpp->addWidget(options_[o]);
    }
    opts->addWidget(frameCompOpts_);
    opts->addStretch();
    layout->addWidget(frameOptions_, 1);

    connect(comboGenerators_, &QComboBox::activated, this, [this] {
        if (!form_.eventsSuspended()) {
            form_.updateView(8);
        }
    });
    connect(everything, &QPushButton::clicked, this, &GenerationPage::doEverything);
    connect(commandGenerate_, &QPushButton::clicked, this, &GenerationPage::generate);
}

void GenerationPage::fillGenerators() {
    form_.suspendEvents();
    comboGenerators_->clear();
    const int n = NumberOfExistingGenerators();
    for (int g = 0; g < n; ++g) {
        EngineBuffer name(64);
        comboGenerators_->addItem(NameOfNthExistingGenerator(g, name.data(), 64) != 0
                                      ? name.trimmed()
                                      : QStringLiteral("<unknown generator>"));
    }
    if (n > 0) {
        comboGenerators_->setCurrentIndex(0);
    }
    form_.resumeEvents();
}

int GenerationPage::selectedGenerator() const {
    return comboGenerators_->currentIndex();
}

void GenerationPage::describeGenerator() {
    pictureGenerator_->clear();
    const int g = selectedGenerator();
    if (g >= 0) {
        QTextCursor cursor(pictureGenerator_->document());
        QTextCharFormat plain;
        QTextCharFormat bold;
        bold.setFontWeight(QFont::Bold);
        const int language = CodificationLanguageSupportedByNthGenerator(g);
        QString languageName = QStringLiteral("<unspecified>");
        if (language >= 0) {
            EngineBuffer name(64);
            GetCodificationLanguageName(language, name.data(), 64);
            languageName = name.trimmed();
        }
        cursor.insertText(QStringLiteral("Language: "), bold);
        cursor.insertText(languageName + "\n", plain);
        EngineBuffer compiler(64);
        cursor.insertText(QStringLiteral("Post-processing: "), bold);
        cursor.insertText((CompilerSupportedByNthGenerator(g, compiler.data(), 64) != 0
                               ? compiler.trimmed()
                               : QStringLiteral("<unspecified>")) +
                              "\n",
                          plain);
        const int platforms = NumberOfDefinedGeneralPlatforms();
        for (int p = 0; p < platforms; ++p) {
            EngineBuffer platform(32);
            if (NameOfGeneralPlatform(p, platform.data(), 32) == 0) {
                continue;
            }
            const int m = NumberOfPlatformsSupportedByNthGenerator(g, p);
            if (m <= 0) {
                continue;
            }
            cursor.insertText(platform.trimmed() + " Platforms:", bold);
            cursor.insertText(QStringLiteral(" "), plain);
            for (int j = 0; j < m; ++j) {
                EngineBuffer component(64);
                NameOfMthPlatformSupportedByNthGenerator(g, p, j, component.data(), 64);
                cursor.insertText(component.trimmed() + "   ", plain);
            }
            cursor.insertText(QStringLiteral("\n"), plain);
        }
    }
    evaluateAvailability();
}

void GenerationPage::evaluateAvailability() {
    const int g = selectedGenerator();
    const bool can = g >= 0 && GeneratorCanGenerate(g) == 1;
    commandGenerate_->setEnabled(can);
    frameOptions_->setVisible(can);
    frameCompOpts_->setVisible(can);
}

QString GenerationPage::optionsText() const {
    QString text;
    for (const QCheckBox* box : options_) {
        text += box->isChecked() ? QLatin1Char('*') : QLatin1Char(' ');
    }
    return text;
}

void GenerationPage::doEverything() {
    for (Option o : {kOrvenIdl, kIdl, kCompIdl, kImpl, kMain, kProj, kOtherFiles}) {
        options_[o]->setChecked(true);
    }
}

void GenerationPage::busy(const QString& step) {
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    form_.statusBar()->showMessage(step);
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void GenerationPage::idle() {
    form_.statusBar()->clearMessage();
    QGuiApplication::restoreOverrideCursor();
}

void GenerationPage::showVerificationLog(const QString& label, const QString& log) {
    ShowLogDialog dialog(form_.window());
    dialog.setWindowTitle(QStringLiteral("Automatic Verification Procedure"));
    dialog.setLabel(label);
    dialog.setLog(trimBlanks(log));
    form_.routines().showModal(dialog);
    form_.setModified();
}

void GenerationPage::generate() {
    Routines& routines = form_.routines();
    form_.checkChangedExternals(0, QStringLiteral("Modified include/compile externals"));
    form_.checkChangedExternals(1, QStringLiteral("Modified linking externals"));
    {
        EngineBuffer text(160);
        if (ValidateDescriptionsOXAModule(text.data(), 160) == 0) {
            routines.warning(QStringLiteral("*** EXPERIMENTAL VALIDATION SERVICE ***"),
                             "The " + text.text() + " seems invalid.");
        }
    }
    QString directory;
    {
        auto ask = std::make_unique<AskDirDialog>(routines, form_.window());
        ask->setWindowTitle(QStringLiteral("Output Directory and Drive"));
        ask->load();
        routines.showModal(*ask);
        if (ask->flag() != 1) {
            return;
        }
        directory = ask->selectedDirectory();
    }
    QString message;
    if (generateCpp(directory, selectedGenerator(), message)) {
        routines.warning(QStringLiteral("Generation Finished"),
                         QStringLiteral("Generation finished!"));
    } else {
        routines.warning(QStringLiteral("Error in Generation"), "Error: " + message);
    }
}

bool GenerationPage::generateCpp(const QString& directory, int generator, QString& message) {
    Routines& routines = form_.routines();
    const QByteArray dir = toEngine(directory);
    int r;
    EngineBuffer log(4096);
    busy(QStringLiteral("Verifying the module's code..."));
    r = GeneratorValidate(generator, 1, log.data(), 4096);
    idle();
    switch (r) {
        case -1:
            showVerificationLog(QStringLiteral("Error during verification. Partial log generated:"),
                                log.text());
            message = QStringLiteral("The Automatic Verification Procedure has failed!");
            return false;
        case 0:
            showVerificationLog(QStringLiteral("Some error in module could not be fixed:"),
                                log.text());
            message =
                QStringLiteral("The Automatic Verification Procedure has not fixed all errors!");
            return false;
        case 2:
            showVerificationLog(QStringLiteral("All errors in module have been fixed:"),
                                log.text());
            break;
        default:
            break;
    }

    EngineBuffer error(160);
    busy("Generating the code into " + directory + "...");
    r = Generate(generator, dir.constData(), 159, error.data(),
                 toEngine(optionsText()).constData());
    idle();
    if (r == 0) {
        message = error.trimmed();
        return false;
    }
    if (GetNumberOfModuleDependencies() > 0) {
        routines.information(
            QStringLiteral("Important Information"),
            QStringLiteral("Remember to copy into the directory the IDL files of \"client of\" "
                           "modules"));
    }
    if (!routines.askOk(QStringLiteral("Automatic Compilation and Linking"),
                        QStringLiteral("Compile and link automatically?"))) {
        return true;
    }
    busy(QStringLiteral("Compiling and linking the generated project..."));
    r = CompileLinkAutomatically(dir.constData());
    idle();
    if (r == 0) {
        message = QStringLiteral("An error occured before compilation.");
        return false;
    }
    const int n = NumberOfErrors();
    if (n > 0) {
        QStringList lines;
        for (int i = 0; i < n; ++i) {
            EngineBuffer record(512);
            const QString prefix = "(" + QString::number(i) + ") ";
            lines << prefix + (ReadError(i, record.data(), 512) != 0
                                   ? record.text()
                                   : QStringLiteral("<error reading error>"));
        }
        QString text = lines.join(QLatin1Char('\n'));
        CodeEdit edit;
        edit.title = "Errors (" + QString::number(n) + ")";
        edit.kind = 0;
        edit.showTiming = false;
        edit.maxLength = static_cast<int>(text.size());
        editCodeText(form_.editorContext(), text, edit);
    }
    return true;
}

}  // namespace orven::designer
