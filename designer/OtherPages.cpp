// The codification page (language choice and the code-section buttons), the
// non-portable page (deportabilization) and the implementation page of the
// main window.
#include <QButtonGroup>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <set>

#include "GenerationPage.h"
#include "MainForm.h"
#include "Texts.h"
#include "orven.h"

namespace orven::designer {

namespace {

QPushButton* makeButton(QWidget* parent, const char* name, const char* caption) {
    auto* b = new QPushButton(QString::fromLatin1(caption), parent);
    b->setObjectName(QString::fromLatin1(name));
    return b;
}

QString platformName(int platform) {
    EngineBuffer name(64);
    NameOfGeneralPlatform(platform, name.data(), 64);
    return name.trimmed();
}

}  // namespace

QWidget* MainForm::buildCodificationPage() {
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("Frame_Codification"));
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    frameCodLang_ = new QGroupBox(QStringLiteral("Codification Language"), page);
    frameCodLang_->setObjectName(QStringLiteral("Frame_codlang"));
    auto* lang = new QHBoxLayout(frameCodLang_);
    comboLang_ = new QComboBox(frameCodLang_);
    comboLang_->setObjectName(QStringLiteral("Combo_lang"));
    comboLang_->setMinimumWidth(240);
    lang->addWidget(comboLang_);
    lang->addStretch();
    layout->addWidget(frameCodLang_);

    frameOxaCodeEdition_ = new QGroupBox(QStringLiteral("Module's Codification"), page);
    frameOxaCodeEdition_->setObjectName(QStringLiteral("Frame_oxacodeedition"));
    auto* sections = new QGridLayout(frameOxaCodeEdition_);
    commandGlobalData_ = makeButton(frameOxaCodeEdition_, "Command_globaldata", "Internal Status");
    commandGlobalCode_ = makeButton(frameOxaCodeEdition_, "Command_globalcode", "Auxiliary logic");
    commandEditStartup_ = makeButton(frameOxaCodeEdition_, "Command_editstartup", "Startup logic");
    commandEditPreEnding_ =
        makeButton(frameOxaCodeEdition_, "Command_editpreending", "Pre-Ending logic");
    commandEditPostEnding_ =
        makeButton(frameOxaCodeEdition_, "Command_editpostending", "Post-Ending logic");
    sections->addWidget(commandGlobalData_, 0, 0);
    sections->addWidget(commandGlobalCode_, 0, 1);
    sections->addWidget(commandEditStartup_, 1, 0);
    sections->addWidget(commandEditPreEnding_, 1, 1);
    sections->addWidget(commandEditPostEnding_, 1, 2);
    layout->addWidget(frameOxaCodeEdition_);

    frameServiceCodification_ = new QGroupBox(QStringLiteral("Service's Codification"), page);
    frameServiceCodification_->setObjectName(QStringLiteral("Frame_servicecodification"));
    auto* service = new QHBoxLayout(frameServiceCodification_);
    service->addWidget(new QLabel(QStringLiteral("Service Selected:"), frameServiceCodification_));
    labelSrvSelected_ = new QLabel(frameServiceCodification_);
    labelSrvSelected_->setObjectName(QStringLiteral("LabelSrvSelected"));
    service->addWidget(labelSrvSelected_, 1);
    commandEditCode_ =
        makeButton(frameServiceCodification_, "Command_editcode", "Edit Routine Codification...");
    service->addWidget(commandEditCode_);
    layout->addWidget(frameServiceCodification_);
    layout->addStretch();

    connect(comboLang_, &QComboBox::activated, this, &MainForm::languageChosen);
    return page;
}

QWidget* MainForm::buildNonPortablePage() {
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("Frame_NonPortable"));
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    frameCompilationData_ =
        new QGroupBox(QStringLiteral("Deportabilization of the Module's Codification"), page);
    frameCompilationData_->setObjectName(QStringLiteral("Frame_compilationdata"));
    auto* grid = new QGridLayout(frameCompilationData_);
    platformOptions_ = new QVBoxLayout;
    platformGroup_ = new QButtonGroup(this);
    platformGroup_->setExclusive(true);
    grid->addLayout(platformOptions_, 0, 0, 3, 1);
    listDeportabilization_ = new QListWidget(frameCompilationData_);
    listDeportabilization_->setObjectName(QStringLiteral("GP_list_deportabilization"));
    listDeportabilization_->setSelectionMode(QAbstractItemView::MultiSelection);
    grid->addWidget(listDeportabilization_, 0, 1, 1, 2);
    auto* label5 = new QLabel(QStringLiteral("Add Component:"), frameCompilationData_);
    label5->setObjectName(QStringLiteral("Label5"));
    comboSelect_ = new QComboBox(frameCompilationData_);
    comboSelect_->setObjectName(QStringLiteral("GP_combo_select"));
    grid->addWidget(label5, 1, 1);
    grid->addWidget(comboSelect_, 1, 2);
    auto* buttons = new QHBoxLayout;
    QPushButton* clear = makeButton(frameCompilationData_, "Command_clearplatform", "Clear");
    QPushButton* remove =
        makeButton(frameCompilationData_, "Command_removedeportabilization", "Remove");
    QPushButton* backup = makeButton(frameCompilationData_, "Command_backupsupport", "Backup");
    QPushButton* restore = makeButton(frameCompilationData_, "Command_restoresupport", "Restore");
    QPushButton* clearAll =
        makeButton(frameCompilationData_, "Command_clearconfiguration", "Clear All");
    for (QPushButton* b : {clear, remove, backup, restore, clearAll}) {
        buttons->addWidget(b);
    }
    grid->addLayout(buttons, 2, 1, 1, 2);
    grid->setColumnStretch(2, 1);
    layout->addWidget(frameCompilationData_, 1);

    connect(platformGroup_, &QButtonGroup::idClicked, this, &MainForm::platformClicked);
    connect(comboSelect_, &QComboBox::activated, this, &MainForm::componentChosen);
    connect(clear, &QPushButton::clicked, this, &MainForm::clearPlatform);
    connect(remove, &QPushButton::clicked, this, &MainForm::removeComponents);
    connect(backup, &QPushButton::clicked, this, &MainForm::backupDeportabilization);
    connect(restore, &QPushButton::clicked, this, &MainForm::restoreDeportabilization);
    connect(clearAll, &QPushButton::clicked, this, &MainForm::clearAllDeportabilization);
    return page;
}

QWidget* MainForm::buildImplementationPage() {
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("Frame_Implementation"));
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    frame3_ = new QGroupBox(QStringLiteral("Additional Implementation Dependencies"), page);
    frame3_->setObjectName(QStringLiteral("Frame3"));
    auto* ext = new QHBoxLayout(frame3_);
    commandExternal_ = makeButton(frame3_, "Command_external", "External including");
    commandExtCode_ = makeButton(frame3_, "Command_extcode", "External compiling/linking");
    commandExtPassive_ = makeButton(frame3_, "Command_extpassive", "External passive");
    ext->addWidget(commandExternal_);
    ext->addWidget(commandExtCode_);
    ext->addWidget(commandExtPassive_);
    layout->addWidget(frame3_);
    layout->addStretch();
    return page;
}

// ---- Codification language ----------------------------------------------------------

void MainForm::fillLanguages() {
    suspendEvents();
    comboLang_->clear();
    const int n = NumberOfDefinedCodificationLanguages();
    for (int i = 0; i < n; ++i) {
        EngineBuffer name(64);
        GetCodificationLanguageName(i, name.data(), 64);
        comboLang_->addItem(name.trimmed());
    }
    comboLang_->addItem(QStringLiteral("- None -"));
    comboLang_->setCurrentIndex(n);
    resumeEvents();
}

void MainForm::showModuleLanguage() {
    suspendEvents();
    const int index = GetOXAModuleCodificationLanguage();
    comboLang_->setCurrentIndex(
        index >= 0 && index < comboLang_->count() ? index : comboLang_->count() - 1);
    resumeEvents();
}

void MainForm::languageChosen(int position) {
    if (noEvents_) {
        return;
    }
    const int none = NumberOfDefinedCodificationLanguages();
    const int current = GetOXAModuleCodificationLanguage();
    if (position == current) {
        return;
    }
    bool set = false;
    if (position == none) {
        set = false;
    } else if (current == none) {
        set = true;
    } else {
        set = routines_.askYes(QStringLiteral("Change Codification Language"),
                               QStringLiteral("Sure to change codification language? That will "
                                              "invalidate all the code already written!"));
    }
    if (set && SetOXAModuleCodificationLanguage(position) != 0) {
        updateView(19);
        return;
    }
    showModuleLanguage();
}

void MainForm::languageRefresh() {
    commandExtCode_->setEnabled(GetOXAModuleCodificationLanguage() != 2);
    commandGlobalCode_->setEnabled(true);
    generation_->evaluateAvailability();
    setModified();
}

// ---- Deportabilization ------------------------------------------------------------

void MainForm::createPlatformOptions() {
    for (QRadioButton* b : platformButtons_) {
        platformGroup_->removeButton(b);
        delete b;
    }
    platformButtons_.clear();
    const int n = NumberOfDefinedGeneralPlatforms();
    for (int p = 0; p < n; ++p) {
        auto* option = new QRadioButton(platformName(p), frameCompilationData_);
        option->setObjectName("GP_option_genplat" + QString::number(p));
        platformGroup_->addButton(option, p);
        platformOptions_->addWidget(option);
        platformButtons_.push_back(option);
    }
    platformOptions_->addStretch();
}

int MainForm::chosenPlatform() const {
    for (std::size_t p = 0; p < platformButtons_.size(); ++p) {
        if (platformButtons_[p]->isChecked()) {
            return static_cast<int>(p);
        }
    }
    return -1;
}

void MainForm::fillPlatform(int platform) {
    suspendEvents();
    listDeportabilization_->clear();
    const int n = NumberOfSelectedComponents(platform);
    platformButtons_[static_cast<std::size_t>(platform)]->setText(platformName(platform) + " (" +
                                                                  QString::number(n) + ")");
    for (int i = 0; i < n; ++i) {
        EngineBuffer name(128);
        if (NameOfComponent(platform, GetSelectedComponent(platform, i), name.data(), 128) != 0) {
            listDeportabilization_->addItem(name.trimmed());
        } else {
            listDeportabilization_->addItem(QStringLiteral("<unknown component>"));
        }
    }
    resumeEvents();
    suspendEvents();
    comboSelect_->clear();
    const int defined = NumberOfDefinedComponents(platform);
    comboSelect_->addItem("- " + QString::number(defined - n) + " to add -");
    for (int j = 0; j < defined; ++j) {
        EngineBuffer name(128);
        NameOfComponent(platform, j, name.data(), 128);
        const QString prefix = IsComponentSelected(platform, j) == 1
                                   ? QStringLiteral(" ---(selected)---> ")
                                   : QString();
        comboSelect_->addItem(prefix + name.trimmed());
    }
    comboSelect_->setCurrentIndex(0);
    resumeEvents();
}

void MainForm::refreshDeportabilization() {
    if (platformButtons_.empty()) {
        listDeportabilization_->clear();
        comboSelect_->clear();
        return;
    }
    for (std::size_t p = 0; p < platformButtons_.size(); ++p) {
        const int n = NumberOfSelectedComponents(static_cast<int>(p));
        platformButtons_[p]->setText(platformName(static_cast<int>(p)) + " (" + QString::number(n) +
                                     ")");
    }
    int platform = chosenPlatform();
    if (platform < 0) {
        platform = 0;  // none chosen: the first platform
    }
    suspendEvents();
    platformButtons_[static_cast<std::size_t>(platform)]->setChecked(true);
    resumeEvents();
    fillPlatform(platform);
}

void MainForm::platformClicked(int) {
    if (noEvents_) {
        return;
    }
    updateView(7);
}

void MainForm::componentChosen(int entry) {
    if (noEvents_ || entry < 1) {
        return;
    }
    const int platform = chosenPlatform();
    if (platform < 0) {
        return;
    }
    if (IsComponentSelected(platform, entry - 1) == 0) {
        if (SelectNewComponent(platform, entry - 1) != 0) {
            setModified();
        } else {
            routines_.warning(QStringLiteral("Adding Component"),
                              QStringLiteral("Could not add it. Already added?"));
        }
    }
    suspendEvents();
    comboSelect_->setCurrentIndex(0);
    resumeEvents();
    updateView(7);
}

void MainForm::removeComponents() {
    const int platform = chosenPlatform();
    if (platform < 0) {
        return;
    }
    if (!routines_.askYes(QStringLiteral("Remove Components"),
                          QStringLiteral("Sure to remove selected components?"))) {
        return;
    }
    std::vector<int> indexes;
    for (int j = 0; j < listDeportabilization_->count(); ++j) {
        if (listDeportabilization_->item(j)->isSelected()) {
            indexes.push_back(IndexOfSelectedComponent(platform, j));
        }
    }
    if (indexes.empty()) {
        return;
    }
    bool failed = false;
    for (int index : indexes) {
        if (DeselectComponent(platform, index) == 0) {
            failed = true;
        }
    }
    if (failed) {
        routines_.warning(QStringLiteral("Remove Platform Components"),
                          QStringLiteral("Error removing some component."));
    }
    setModified();
    updateView(7);
}

void MainForm::clearPlatform() {
    const int platform = chosenPlatform();
    if (platform < 0 || listDeportabilization_->count() == 0) {
        return;
    }
    const QString title = QStringLiteral("Clear Components");
    if (!routines_.askYes(title, QStringLiteral("Sure to clear these components?"))) {
        return;
    }
    if (DeselectComponent(platform, -1) == 0) {
        routines_.warning(title, QStringLiteral("Error clearing components."));
    }
    setModified();
    updateView(7);
}

void MainForm::backupDeportabilization() {
    const QString title = QStringLiteral("Deportabilization Backup");
    if (BackupCurrentDeportabilization() != 0) {
        routines_.information(title, QStringLiteral("Deportabilization backed-up"));
    } else {
        routines_.warning(title, QStringLiteral("Error backing-up deportabilization!"));
    }
}

void MainForm::restoreDeportabilization() {
    if (!routines_.askYes(QString(),
                          QStringLiteral("Sure to restore a previous deportabilization?"))) {
        return;
    }
    if (RestoreCurrentDeportabilization() != 0) {
        setModified();
    } else {
        routines_.warning(
            QStringLiteral("Restoring Deportabilization"),
            QStringLiteral("Error restoring deportabilization. Maybe not backed-up first?"));
    }
    updateView(7);
}

void MainForm::clearAllDeportabilization() {
    if (!routines_.askYes(QStringLiteral("Clear Deportabilization"),
                          QStringLiteral("Sure to clear current Deportabilization?"))) {
        return;
    }
    ClearDeportabilization();
    setModified();
    updateView(7);
}

}  // namespace orven::designer
