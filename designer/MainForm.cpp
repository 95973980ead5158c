// The main window: its construction, start-up and shut-down, the caption,
// the view updates and the module commands.
#include "MainForm.h"

#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDateTime>
#include <QDir>
#include <QEventLoop>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QStatusBar>
#include <QTabBar>
#include <QTimer>
#include <QVBoxLayout>

#include "GenerationPage.h"
#include "SmallDialogs.h"
#include "StartupWindows.h"
#include "Texts.h"
#include "TransformerDialog.h"
#include "Widgets.h"
#include "orven.h"

namespace orven::designer {

namespace {

QAction* addEntry(QMenu* menu, const char* name, const char* caption) {
    QAction* action = menu->addAction(QString::fromLatin1(caption));
    action->setObjectName(QString::fromLatin1(name));
    return action;
}

}  // namespace

MainForm::MainForm(Interaction& interaction, Options options)
    : routines_(interaction, this), options_(std::move(options)) {
    setObjectName(QStringLiteral("MainForm"));
    if (!options_.transformer) {
        options_.transformer = [] { return std::make_unique<LibraryTransformer>(); };
    }
    timer1_ = new QTimer(this);
    timer1_->setObjectName(QStringLiteral("Timer1"));
    timer1_->setSingleShot(false);
    connect(timer1_, &QTimer::timeout, this, [this] { timerEnd_ = true; });
    buildMenus();
    buildPages();
    buildStatusBar();
    buildCodeAndGeneration();
    resize(1100, 760);
    updateCaption();
}

MainForm::~MainForm() {
    if (engineReady_) {
        FinalizeOrvenInterface();
        engineReady_ = false;
    }
}

// ---- Construction -----------------------------------------------------

void MainForm::buildMenus() {
    QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
    file->setObjectName(QStringLiteral("FileMenu"));
    fileNew_ = addEntry(file, "FileMenu_new", "&New module...");
    fileClose_ = addEntry(file, "File_close", "&Close Module");
    file->addSeparator();
    fileLoad_ = addEntry(file, "FileMenu_load", "&Load module...");
    fileSaveAs_ = addEntry(file, "FileMenu_save", "&Save Module As...");
    fileSave_ = addEntry(file, "FileMenu_saveauto", "Sa&ve Module...");
    file->addSeparator();
    fileQuit_ = addEntry(file, "FileMenu_quit", "&Quit");

    QMenu* edit = menuBar()->addMenu(QStringLiteral("&Edit"));
    edit->setObjectName(QStringLiteral("EditMenu"));
    editAddGroup_ = addEntry(edit, "EditMenu_addGroup", "Add a new &Group of Services...");
    editNewService_ = addEntry(edit, "EditMenu_newserv", "Add a new Service...");

    QMenu* tools = menuBar()->addMenu(QStringLiteral("&Tools"));
    tools->setObjectName(QStringLiteral("Toolsmenu"));
    toolsCompact_ = addEntry(tools, "ToolsMenu_compact", "&Interpret compacted text...");
    toolsExtractDsp_ =
        addEntry(tools, "Toolsmenu_extractexternaldsp", "&Extract external code from .DSP...");
    toolsTransformer_ = addEntry(tools, "Toolsmenu_transformer", "&Transform .oxa formats...");

    QMenu* help = menuBar()->addMenu(QStringLiteral("&Help"));
    help->setObjectName(QStringLiteral("helpmenu"));
    QAction* odl = addEntry(help, "helpmenu_odl", "Help on ODL...");
    QAction* atoms = addEntry(help, "helpmenu_quenoratoms", "Help on Quenor Atoms...");
    help->addSeparator();
    QAction* voxl = addEntry(help, "helpmenu_voxl", "Help on the VOXL Robotics Programming Tools");
    help->addSeparator();
    QAction* about = addEntry(help, "helpmenu_about", "&About...");

    popupGroups_ = new QMenu(QStringLiteral("__Group of Services"), this);
    popupGroups_->setObjectName(QStringLiteral("Popup_groups"));
    popGroupAdd_ = addEntry(popupGroups_, "Popup_groups_add", "Add new group");
    popGroupChange_ = addEntry(popupGroups_, "Popup_groups_change",
                               "Change name and description of selected group...");
    popGroupDelete_ = addEntry(popupGroups_, "Popup_groups_delete", "Delete selected group");
    popupServices_ = new QMenu(QStringLiteral("__Services"), this);
    popupServices_->setObjectName(QStringLiteral("Popup_srv"));
    popServiceAdd_ = addEntry(popupServices_, "Popup_srv_add", "Add new service");
    popServiceChange_ = addEntry(popupServices_, "Popup_srv_change",
                                 "Change name and description of selected service");
    popServiceEditCode_ = addEntry(popupServices_, "Popup_srv_editcode", "Edit Codification...");
    popServiceDelete_ = addEntry(popupServices_, "Popup_srv_delete", "Delete selected service");

    connect(fileNew_, &QAction::triggered, this, &MainForm::newModule);
    connect(fileClose_, &QAction::triggered, this, &MainForm::closeModule);
    connect(fileLoad_, &QAction::triggered, this, &MainForm::loadModule);
    connect(fileSaveAs_, &QAction::triggered, this, &MainForm::saveModuleAs);
    connect(fileSave_, &QAction::triggered, this, &MainForm::saveModule);
    connect(fileQuit_, &QAction::triggered, this, &MainForm::quit);
    connect(editAddGroup_, &QAction::triggered, this, &MainForm::addGroup);
    connect(editNewService_, &QAction::triggered, this, &MainForm::newService);
    connect(toolsCompact_, &QAction::triggered, this, &MainForm::interpretCompactedText);
    connect(toolsExtractDsp_, &QAction::triggered, this, &MainForm::extractExternalsFromDsp);
    connect(toolsTransformer_, &QAction::triggered, this, &MainForm::transformFormats);
    connect(odl, &QAction::triggered, this, [this] { routines_.openHelp(HelpDocument::Odl); });
    connect(atoms, &QAction::triggered, this, [this] { routines_.openHelp(HelpDocument::Atoms); });
    connect(voxl, &QAction::triggered, this,
            [this] { routines_.openHelp(HelpDocument::Robotics); });
    connect(about, &QAction::triggered, this, &MainForm::showAbout);
    connect(popGroupAdd_, &QAction::triggered, this, &MainForm::addGroup);
    connect(popGroupChange_, &QAction::triggered, this, &MainForm::renameGroup);
    connect(popGroupDelete_, &QAction::triggered, this, &MainForm::deleteGroup);
    connect(popServiceAdd_, &QAction::triggered, this, &MainForm::newService);
    connect(popServiceChange_, &QAction::triggered, this, &MainForm::renameService);
    connect(popServiceDelete_, &QAction::triggered, this, &MainForm::deleteService);

    // The program's help (F1).
    auto* helpKey = new QAction(this);
    helpKey->setShortcut(QKeySequence::HelpContents);
    addAction(helpKey);
    connect(helpKey, &QAction::triggered, this,
            [this] { routines_.openHelp(HelpDocument::Designer); });
}

void MainForm::buildPages() {
    auto* central = new QWidget(this);
    central->setObjectName(QStringLiteral("MainForm_client"));
    auto* layout = new QVBoxLayout(central);
    auto* top = new QHBoxLayout;
    auto* tabs = new QVBoxLayout;
    tabStrip1_ = new QTabBar(central);
    tabStrip1_->setObjectName(QStringLiteral("TabStrip1"));
    tabStrip1_->setExpanding(false);
    struct Tab {
        const char* caption;
        const char* key;
        const char* tip;
    };
    const Tab tabs1[] = {
        {"Portable Design", "portable",
         "Part of the Design that Doesn't Depend on the Implementation"},
        {"Non-Portable Design", "nonportable",
         "Part of the Design that Depends on the Implementation"},
        {"Implementation", "implementation", "Implementation of the Design"},
    };
    for (const Tab& t : tabs1) {
        int i = tabStrip1_->addTab(QString::fromLatin1(t.caption));
        tabStrip1_->setTabData(i, QString::fromLatin1(t.key));
        tabStrip1_->setTabToolTip(i, QString::fromLatin1(t.tip));
    }
    tabStrip2_ = new QTabBar(central);
    tabStrip2_->setObjectName(QStringLiteral("TabStrip2"));
    tabStrip2_->setExpanding(false);
    const Tab tabs2[] = {
        {"Structural Design", "structural",
         "Part of the Portable Design that Specifies the Structure of the Module"},
        {"Codification Design", "codification",
         "Part of the Portable Design that Specifies the Codification of the Module"},
    };
    for (const Tab& t : tabs2) {
        int i = tabStrip2_->addTab(QString::fromLatin1(t.caption));
        tabStrip2_->setTabData(i, QString::fromLatin1(t.key));
        tabStrip2_->setTabToolTip(i, QString::fromLatin1(t.tip));
    }
    tabs->addWidget(tabStrip1_);
    tabs->addWidget(tabStrip2_);
    top->addLayout(tabs, 1);
    image1_ = new ClickableLabel(central);
    image1_->setObjectName(QStringLiteral("Image1"));
    image1_->setPixmap(logoPicture(QSize(150, 48)));
    top->addWidget(image1_, 0, Qt::AlignRight | Qt::AlignTop);
    layout->addLayout(top);

    frameStructural_ = buildStructuralPage();
    frameCodification_ = buildCodificationPage();
    frameNonPortable_ = buildNonPortablePage();
    frameImplementation_ = buildImplementationPage();
    for (QWidget* frame :
         {frameStructural_, frameCodification_, frameNonPortable_, frameImplementation_}) {
        frame->setParent(central);
        layout->addWidget(frame, 1);
        frame->hide();
    }
    layout->addStretch(0);
    setCentralWidget(central);
    connect(tabStrip1_, &QTabBar::tabBarClicked, this, [this](int index) {
        if (index >= 0) {
            tabStrip1_->setCurrentIndex(index);
        }
        updateView(1);
    });
    connect(tabStrip1_, &QTabBar::currentChanged, this, [this] { updateView(1); });
    connect(tabStrip2_, &QTabBar::currentChanged, this, [this] { updateView(1); });
    connect(image1_, &ClickableLabel::clicked, this, &MainForm::showAbout);
}

void MainForm::buildStatusBar() {
    QStatusBar* bar = statusBar();
    bar->setObjectName(QStringLiteral("StatusBar1"));
    panelIds_ = new ClickableLabel(bar);
    panelIds_->setObjectName(QStringLiteral("oxaids"));
    panelIds_->setToolTip(QStringLiteral("Change name and description of the OXA module"));
    panelIds_->setMinimumWidth(260);
    panelIds_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panelPriority_ = new ClickableLabel(bar);
    panelPriority_->setObjectName(QStringLiteral("oxaprio"));
    panelPriority_->setToolTip(QStringLiteral("Change relative priority of the OXA module"));
    panelPriority_->setMinimumWidth(90);
    panelPriority_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    imageModified_ = new ClickableLabel(bar);
    imageModified_->setObjectName(QStringLiteral("Image_modified"));
    imageModified_->setPixmap(modifiedPicture());
    imageModified_->setToolTip(QStringLiteral("The module has changes that are not saved"));
    imageModified_->setVisible(false);
    bar->addWidget(panelIds_);
    bar->addWidget(panelPriority_);
    bar->addWidget(imageModified_);
    connect(panelIds_, &ClickableLabel::clicked, this, [this] {
        if (oxaPresent_) {
            changeModuleIds();
        }
    });
    connect(panelPriority_, &ClickableLabel::clicked, this, [this] {
        if (oxaPresent_) {
            changeModulePriority();
        }
    });
    connect(imageModified_, &ClickableLabel::clicked, this, &MainForm::showAbout);
}

// ---- State --------------------------------------------------------------

void MainForm::setModified() {
    oxaChanged_ = true;
    imageModified_->setVisible(true);
}

void MainForm::clearModified() {
    oxaChanged_ = false;
    imageModified_->setVisible(false);
}

void MainForm::updateCaption() {
    if (isMinimized() && oxaChanged_) {
        setWindowTitle(QStringLiteral("* Module Designer"));
        return;
    }
    char version[8] = "      ";
    ORVENVersion(version);
    version[7] = '\0';
    setWindowTitle("Module Designer v" + trimBlanks(fromEngine(version, 6)));
}

void MainForm::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange) {
        updateCaption();
    }
}

void MainForm::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    updateCaption();
}

// ---- Start-up and shut-down ---------------------------------------------

bool MainForm::startUp() {
    const QString start = QDir::currentPath();
    routines_.setStartDirectory(start);
    oxaPresent_ = false;
    oxaPath_.clear();
    clearModified();
    splash_ = std::make_unique<SplashWindow>();
    splash_->show();
    timerEnd_ = false;
    timer1_->start(options_.splashMilliseconds);
    clearModified();
    resumeEvents();

    bool ok = true;
    try {
        if (!QDir::setCurrent(QStringLiteral("externals"))) {
            ok = false;
        } else if (!QDir::setCurrent(start)) {
            ok = false;
        }
        if (ok) {
            EngineBuffer message(512);
            if (InitializeOrvenInterface("externals", "", message.data(), 512) == 0) {
                routines_.warning(QStringLiteral("Initializing"),
                                  "Error initializing: " + message.trimmed());
                ok = false;
            } else {
                engineReady_ = true;
            }
        }
        if (ok) {
            updateView(0);
        }
    } catch (...) {
        ok = false;
    }
    if (!ok) {
        criticalStop();
        return false;
    }
    if (!timerEnd_) {
        QEventLoop loop;
        connect(timer1_, &QTimer::timeout, &loop, &QEventLoop::quit);
        loop.exec();
    }
    timer1_->stop();
    splash_->close();
    splash_.reset();
    return true;
}

void MainForm::criticalStop() {
    routines_.plain(QString(), QStringLiteral("Critical Error in Starting."));
    timer1_->stop();
    if (splash_) {
        splash_->close();
        splash_.reset();
    }
    shutDown();
    close();
}

void MainForm::shutDown() {
    if (shutDown_) {
        return;
    }
    shutDown_ = true;
    closeModuleAsking(false);
    if (engineReady_) {
        engineReady_ = false;
        if (FinalizeOrvenInterface() == 0) {
            routines_.plain(QString(), QStringLiteral("Error finalizing internal DLL"));
        }
    }
}

void MainForm::closeEvent(QCloseEvent* event) {
    shutDown();
    event->accept();
}

void MainForm::quit() {
    close();
}

// ---- View updates -------------------------------------------------------

void MainForm::updateView(int code) {
    switch (code) {
        case 0:
            commandPredefinitions_->setToolTip(
                QStringLiteral("Types and values publically defined by the module and "
                               "accessable from other modules"));
            commandGlobalData_->setToolTip(
                QStringLiteral("Internal status of the module, accessable from all the services"));
            commandGlobalCode_->setToolTip(QStringLiteral(
                "Internal logic (private) of the module, accessable from all the services"));
            commandEditStartup_->setToolTip(
                QStringLiteral("Logic executed at starting time, before beginning to serve "
                               "service requests"));
            commandEditPreEnding_->setToolTip(
                QStringLiteral("Logic executed at finishing time, just BEFORE ending all the "
                               "pendant requests to services"));
            commandEditPostEnding_->setToolTip(
                QStringLiteral("Logic executed at finishing time, just AFTER ending all the "
                               "pendant requests to services"));
            commandExternal_->setToolTip(QStringLiteral("External Including data / code"));
            commandExtCode_->setToolTip(QStringLiteral("External Compilation / Linking code"));
            commandExtPassive_->setToolTip(
                QStringLiteral("Files that are simply copied into the generated target directory"));
            fillLanguages();
            createPlatformOptions();
            generation_->fillGenerators();
            generation_->describeGenerator();
            moduleClosed();
            break;
        case 1:
            pageVisibility();
            break;
        case 2:
            showModule();
            break;
        case 3:
            moduleClosed();
            break;
        case 4:
            groupSelected();
            break;
        case 5:
            serviceSelected();
            break;
        case 6:
            refreshServiceDetails();
            break;
        case 7:
            refreshDeportabilization();
            break;
        case 8:
            generation_->describeGenerator();
            break;
        case 10:
            editNewService_->setEnabled(false);
            popGroupChange_->setEnabled(false);
            popGroupDelete_->setEnabled(false);
            listServices_->clear();
            frameServices_->setTitle(QStringLiteral("Services"));
            frameServices_->setEnabled(false);
            frameServ_->hide();
            frameInputData_->hide();
            frameOutputData_->hide();
            frameServiceCodification_->hide();
            break;
        case 12:
            popServiceChange_->setEnabled(false);
            popServiceEditCode_->setEnabled(false);
            popServiceDelete_->setEnabled(false);
            frameServ_->hide();
            frameInputData_->hide();
            frameOutputData_->hide();
            frameServiceCodification_->hide();
            break;
        case 14:
            setInput_->setEnabled(!autoIn_->isChecked());
            discardInput_->setEnabled(!autoIn_->isChecked());
            break;
        case 15:
            setOutput_->setEnabled(!autoOut_->isChecked());
            discardOutput_->setEnabled(!autoOut_->isChecked());
            break;
        case 16: {
            EngineBuffer name(32), description(2048);
            NameOXAModule(name.data(), 32);
            DescriptionOXAModule(description.data(), 2048);
            labelOxaName_->setText(name.trimmed());
            labelOxaDescr_->setText(description.trimmed());
            break;
        }
        case 18:
            labelOxaName_->setToolTip(oxaPath_);
            break;
        case 19:
            languageRefresh();
            break;
        default:
            break;
    }
}

void MainForm::pageVisibility() {
    const QString key1 = tabStrip1_->tabData(tabStrip1_->currentIndex()).toString();
    const QString key2 = tabStrip2_->tabData(tabStrip2_->currentIndex()).toString();
    tabStrip2_->setVisible(key1 == QLatin1String("portable"));
    QWidget* shown = nullptr;
    if (oxaPresent_) {
        if (key1 == QLatin1String("portable")) {
            shown = key2 == QLatin1String("codification") ? frameCodification_ : frameStructural_;
        } else if (key1 == QLatin1String("nonportable")) {
            shown = frameNonPortable_;
        } else {
            shown = frameImplementation_;
        }
    }
    for (QWidget* frame :
         {frameStructural_, frameCodification_, frameNonPortable_, frameImplementation_}) {
        frame->setVisible(frame == shown);
    }
}

void MainForm::showModule() {
    WaitCursor wait;
    EngineBuffer name(32), description(2048);
    NameOXAModule(name.data(), 32);
    DescriptionOXAModule(description.data(), 2048);
    const int priority = OXAModulePriority();
    panelIds_->setText(name.text() + " ");
    panelPriority_->setText(QString::number(priority) + " ");
    fileClose_->setEnabled(true);
    fileSaveAs_->setEnabled(true);
    fileSave_->setEnabled(true);
    editAddGroup_->setEnabled(true);
    toolsExtractDsp_->setEnabled(true);
    editNewService_->setEnabled(false);
    popGroupAdd_->setEnabled(true);
    popServiceAdd_->setEnabled(true);
    popGroupChange_->setEnabled(false);
    popGroupDelete_->setEnabled(false);
    popServiceChange_->setEnabled(false);
    popServiceEditCode_->setEnabled(false);
    popServiceDelete_->setEnabled(false);
    labelOxaName_->setToolTip(oxaPath_);
    labelOxaName_->setText(name.trimmed());
    labelOxaDescr_->setText(description.trimmed());
    labelOxaName_->setEnabled(true);
    labelOxaDescr_->setEnabled(true);
    oxaRelprioOld_ = -1;
    commandClientList_->setEnabled(true);
    commandBetaEventList_->setEnabled(true);
    commandGenInfo_->setEnabled(true);
    commandPredefinitions_->setEnabled(true);
    suspendEvents();
    listServices_->clear();
    listGroups_->clear();
    resumeEvents();
    fillGroups();
    frameGroups_->setEnabled(true);
    frameServices_->setTitle(QStringLiteral("Services"));
    frameServices_->setEnabled(false);
    frameServ_->hide();
    frameInputData_->hide();
    frameOutputData_->hide();
    frameOxaCodeEdition_->setEnabled(true);
    for (QPushButton* b : {commandGlobalData_, commandGlobalCode_, commandEditStartup_,
                           commandEditPreEnding_, commandEditPostEnding_}) {
        b->setEnabled(true);
    }
    frameCodLang_->setEnabled(true);
    showModuleLanguage();
    frameCompilationData_->setEnabled(true);
    if (chosenPlatform() < 0 && !platformButtons_.empty()) {
        suspendEvents();
        platformButtons_.front()->setChecked(true);
        resumeEvents();
    }
    refreshDeportabilization();
    frameServiceCodification_->hide();
    frameImplementation_->setEnabled(true);
    frameNonPortable_->setEnabled(true);
    pageVisibility();
    languageRefresh();
    clearModified();
}

void MainForm::moduleClosed() {
    for (QAction* a : {fileClose_, fileSaveAs_, fileSave_, editAddGroup_, editNewService_,
                       toolsExtractDsp_, popGroupAdd_, popGroupChange_, popGroupDelete_,
                       popServiceAdd_, popServiceChange_, popServiceEditCode_, popServiceDelete_}) {
        a->setEnabled(false);
    }
    panelIds_->setText(QString());
    panelPriority_->setText(QString());
    labelOxaName_->setText(QString());
    labelOxaName_->setToolTip(QString());
    labelOxaDescr_->setText(QString());
    labelOxaName_->setEnabled(false);
    labelOxaDescr_->setEnabled(false);
    suspendEvents();
    listGroups_->clear();
    listServices_->clear();
    listDeportabilization_->clear();
    comboSelect_->clear();
    resumeEvents();
    frameServ_->hide();
    frameInputData_->hide();
    frameOutputData_->hide();
    frameServiceCodification_->hide();
    pageVisibility();
}

// ---- Module commands ------------------------------------------------------

bool MainForm::closeModuleAsking(bool checkDeportabilization) {
    if (!oxaPresent_) {
        return true;
    }
    if (oxaChanged_) {
        if (checkDeportabilization && IsDeportabilizationEmpty() == 1) {
            if (!routines_.askYes(
                    QStringLiteral("Deportabilization Empty"),
                    QStringLiteral("No deportabilization. Is the module completely portable?"))) {
                routines_.plain(
                    QStringLiteral("Non-portable Module Detected"),
                    QStringLiteral(
                        "Then, go to the non-portable design and deportabilize the codification"));
                return false;
            }
        }
        if (!routines_.askYes(QStringLiteral("Close module"),
                              QStringLiteral("Discard module's changes?"))) {
            if (!saveModuleAs()) {
                return false;
            }
        }
    }
    checkChangedExternals(0, QStringLiteral("Modified include/compile externals"));
    checkChangedExternals(1, QStringLiteral("Modified linking externals"));
    if (DeleteCurrentOXAModule() != 0) {
        oxaPresent_ = false;
        clearModified();
        oxaPath_.clear();
        updateView(3);
    } else {
        routines_.warning(QStringLiteral("Close Module"),
                          QStringLiteral("Impossible to close module"));
    }
    return true;
}

void MainForm::newModule() {
    if (!closeModuleAsking(true)) {
        return;
    }
    NameAndDescription ids = routines_.askNameAndDescription(QStringLiteral("New module"),
                                                             QString(), QString(), 32, 2048);
    if (!ids.accepted) {
        return;
    }
    if (CreateNewOXAModule(toEngine(ids.name).constData(), toEngine(ids.description).constData()) ==
        0) {
        routines_.warning(QStringLiteral("Create new Module"),
                          QStringLiteral("Error creating new module"));
    }
    oxaPresent_ = true;
    oxaPath_.clear();
    clearModified();
    if (AddNewGroupOfServices("<Default group>", "Default group of services") == 0) {
        routines_.warning(QStringLiteral("Create new Module"),
                          QStringLiteral("Error creating default group of services"));
    }
    updateView(2);
}

void MainForm::loadModule() {
    if (!closeModuleAsking(true)) {
        return;
    }
    const QString path = routines_.askFileName(QStringLiteral("Load Module"), FileMode::Open,
                                               QStringLiteral("*.oxa"));
    if (path.isEmpty()) {
        return;
    }
    loadModuleFromFile(path);
}

void MainForm::loadSucceeded(const QString& path, bool checkExternals) {
    oxaPresent_ = true;
    clearModified();
    oxaPath_ = path;
    updateView(2);
    if (checkExternals) {
        checkChangedExternals(0, QStringLiteral("Modified include/compile externals"));
        checkChangedExternals(1, QStringLiteral("Modified linking externals"));
    }
}

void MainForm::loadModuleFromFile(const QString& path) {
    const QByteArray enginePath = toEngine(path);
    EngineBuffer message(128);
    int r;
    {
        WaitCursor wait;
        r = LoadOXAModule(enginePath.constData(), 128, message.data());
    }
    if (r == 1) {
        loadSucceeded(path, true);
        return;
    }
    const QString text = message.trimmed();
    routines_.warning(QStringLiteral("Load Module"), "Error loading module - " + text);
    if (text.left(14) != QLatin1String("invalid format")) {
        return;
    }
    if (!routines_.askYes(QStringLiteral("Transform Format"),
                          QStringLiteral("Want to transform to the newest format?"))) {
        return;
    }
    std::unique_ptr<FormatTransformer> transformer = options_.transformer();
    QString log;
    int result = 0;
    {
        WaitCursor wait;
        if (transformer->initialize() != 0) {
            const int n = transformer->numberOfFormats();
            EngineBuffer logBuffer(16384);
            result = transformer->transformFile(enginePath.constData(), enginePath.constData(),
                                                n - 1, logBuffer.data(), 16384);
            log = logBuffer.trimmed();
            transformer->finalize();
        } else {
            log = transformer->problem().isEmpty()
                      ? QStringLiteral("The format transformer could not be initialised.")
                      : transformer->problem();
        }
    }
    {
        ShowLogDialog viewer(this);
        viewer.setWindowTitle(QStringLiteral("Transformation Log"));
        viewer.setLabel(QStringLiteral("(You can copy text from this box to the clipboard)"));
        viewer.setLog(log);
        routines_.showModal(viewer);
    }
    if (result != 2) {
        routines_.warning(QStringLiteral("Transform File Format"),
                          QStringLiteral("Error transforming file"));
        return;
    }
    EngineBuffer again(128);
    int reloaded;
    {
        WaitCursor wait;
        reloaded = LoadOXAModule(enginePath.constData(), 128, again.data());
    }
    if (reloaded == 1) {
        loadSucceeded(path, false);
    } else {
        routines_.warning(QStringLiteral("Reload File"),
                          QStringLiteral("Error reloading transformed file"));
    }
}

bool MainForm::prepareGeneralInfoForSave() {
    EngineBuffer v(16), d(32), a(48), o(512), c(1024);
    if (GetOXAModuleGeneralInfo(16, v.data(), 32, d.data(), 48, a.data(), 512, o.data(), 1024,
                                c.data()) == 0) {
        return true;
    }
    bool goOn = true;
    if (a.trimmed().isEmpty()) {
        routines_.warning(QStringLiteral("Saving Module"),
                          QStringLiteral("The author of the module must be filled in."));
        goOn = false;
    }
    const QString now =
        trimBlanks(QLocale::system().toString(QDateTime::currentDateTime(), QLocale::ShortFormat));
    if (SetOXAModuleGeneralInfo(toEngine(v.text()).constData(), toEngine(now).constData(),
                                toEngine(a.text()).constData(), toEngine(o.text()).constData(),
                                toEngine(c.text()).constData()) == 0) {
        routines_.warning(QStringLiteral("Saving Module"),
                          QStringLiteral("Error setting date in general info."));
    }
    return goOn;
}

bool MainForm::saveTo(const QString& path) {
    WaitCursor wait;
    return SaveOXAModule(toEngine(path).constData()) != 0;
}

bool MainForm::saveModule() {
    if (oxaPath_.isEmpty()) {
        return saveModuleAs();
    }
    if (!prepareGeneralInfoForSave()) {
        return false;
    }
    if (!saveTo(oxaPath_)) {
        routines_.warning(QStringLiteral("Save Module"),
                          QStringLiteral("Error saving the module."));
        return false;
    }
    clearModified();
    updateView(18);
    return true;
}

bool MainForm::saveModuleAs() {
    if (!prepareGeneralInfoForSave()) {
        return false;
    }
    const QString path = routines_.askFileName(QStringLiteral("Save Module As"), FileMode::Save,
                                               QStringLiteral("*.oxa"));
    if (path.isEmpty()) {
        return false;
    }
    if (!saveTo(path)) {
        routines_.warning(QStringLiteral("Save Module"),
                          QStringLiteral("Error saving the module."));
        return false;
    }
    oxaPath_ = path;
    clearModified();
    updateView(18);
    return true;
}

void MainForm::changeModuleIds() {
    EngineBuffer name(32), description(2048);
    NameOXAModule(name.data(), 32);
    DescriptionOXAModule(description.data(), 2048);
    NameAndDescription ids = routines_.askNameAndDescription(
        QStringLiteral("Change Module IDs"), name.trimmed(), description.trimmed(), 32, 2048);
    if (!ids.accepted) {
        return;
    }
    const QString newName = trimBlanks(ids.name);
    if (ChangeNameDescriptionOXAModule(toEngine(newName).constData(),
                                       toEngine(trimBlanks(ids.description)).constData()) != 0) {
        panelIds_->setText(newName + " ");
        setModified();
        updateView(16);
    } else {
        routines_.plain(QStringLiteral("Change name and description"),
                        QStringLiteral("Error in name or description"));
    }
}

void MainForm::changeModulePriority() {
    std::optional<QString> answer = routines_.interaction().inputText(
        QStringLiteral("Change Module Priority"), QStringLiteral("Enter new priority."),
        QString::number(OXAModulePriority()));
    if (!answer) {
        return;
    }
    const QString text = trimBlanks(*answer);
    if (text.isEmpty()) {
        return;
    }
    const double v = leadingNumber(text);
    long long value;
    if (v > 32767) {
        value = 32767;
    } else if (v < 0) {
        value = 0;
    } else {
        value = roundHalfEven(v);
    }
    ChangeOXAModulePriority(static_cast<int>(value));
    panelPriority_->setText(QString::number(value) + " ");
    setModified();
}

void MainForm::checkChangedExternals(int kind, const QString& caption) {
    int changed = 0;
    const int n = NumberOfExternalDataEntries(kind);
    for (int j = 0; j < n; ++j) {
        EngineBuffer path(256), name(128), date(128);
        if (RetrieveExternalDataEntry(kind, j, path.data(), name.data(), date.data(), 256, 128,
                                      128) == 0) {
            ++changed;  // an entry that cannot be read is listed as marked
        } else if (CheckModificationsDataEntry(kind, j) == 0) {
            ++changed;
        }
    }
    if (changed <= 0) {
        return;
    }
    if (!routines_.askYes(
            QStringLiteral("External Files Changed"),
            QStringLiteral("Some external entries have changed from last time. Want to reload?"))) {
        return;
    }
    if (reloadChangedExternals && reloadChangedExternals(kind, caption)) {
        setModified();
    }
}

void MainForm::extractExternalsFromDsp() {
    const QString path =
        routines_.askFileName(QStringLiteral(".DSP File"), FileMode::Open, QStringLiteral("*.dsp"));
    if (path.isEmpty()) {
        return;
    }
    const bool replace = routines_.askOk(QStringLiteral("Add to Current External Code"),
                                         QStringLiteral("Clear current external code?"));
    int r;
    {
        WaitCursor wait;
        r = ReadExternalCodeFromDSP(toEngine(path).constData());
    }
    if (r == 0) {
        routines_.warning(QStringLiteral("ERROR"), QStringLiteral("Error reading external code."));
        return;
    }
    const int n = NumberOfExternalDataEntries(2);
    routines_.plain(QStringLiteral("DSP Interpreted"),
                    "Interpreted " + withSign(n) + " external compile entries");
    int set;
    {
        WaitCursor wait;
        set = SetExternalCodeFromReadExternals(replace ? 1 : 0);
    }
    if (set == 0) {
        routines_.warning(QStringLiteral("ERROR"),
                          QStringLiteral("Error changing external code of the module."));
        return;
    }
    const int m = NumberOfExternalDataEntries(1);
    if (m == n) {
        routines_.information(QStringLiteral("Done"), QStringLiteral("External code changed ok."));
    } else {
        routines_.warning(
            QStringLiteral("Retrieving Externals from DSP"),
            QStringLiteral("Some or all of the entries are not found in their paths"));
    }
    setModified();
}

void MainForm::interpretCompactedText() {
    CompactedDialog dialog(routines_, this);
    dialog.clearText();
    routines_.showModal(dialog);
}

void MainForm::transformFormats() {
    std::unique_ptr<FormatTransformer> transformer = options_.transformer();
    auto dialog = std::make_unique<TransformerDialog>(routines_, *transformer, this);
    if (dialog->load()) {
        routines_.showModal(*dialog);
    }
    dialog.reset();
}

void MainForm::showAbout() {
    AboutBox about(routines_, this);
    routines_.showModal(about);
}

}  // namespace orven::designer
