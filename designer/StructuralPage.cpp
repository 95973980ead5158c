// The structural design page of the main window: groups, services and the
// design of the selected service.
#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <memory>

#include "DependencyDialogs.h"
#include "MainForm.h"
#include "SignalDialogs.h"
#include "SmallDialogs.h"
#include "Texts.h"
#include "Widgets.h"
#include "orven.h"

namespace orven::designer {

namespace {

const char* const kCharNames[6] = {"REENTRANT", "MONITOR",       "MODIFIER",
                                   "PERMANENT", "UNPRIORITIZED", "PRIORITIZED"};
const char* const kCharTips[6] = {
    "The service will run concurrently with other reentrants. Take care of deadlocks!",
    "The service logic starts after the startup of the module, automatically",
    "The service modifies the internal status of the module",
    "The service logic is automatically repeated in an endless loop",
    "The service priority is ignored; the logic will run at the lowest priority",
    "The service priority is ignored; the service logic will run at the highest priority"};

enum Characteristic {
    Reentrant = 0,
    Monitor = 1,
    Modifier = 2,
    Permanent = 3,
    Unprio = 4,
    Prio = 5
};

bool isSet(const QString& chars, int index) {
    return index < chars.size() && chars[index] == QLatin1Char('*');
}

QPushButton* makeButton(QWidget* parent, const char* name, const char* caption) {
    auto* b = new QPushButton(QString::fromLatin1(caption), parent);
    b->setObjectName(QString::fromLatin1(name));
    return b;
}

}  // namespace

QWidget* MainForm::buildStructuralPage() {
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("Frame_Structural"));
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);

    // Module's design.
    frameOxaGenerals_ = new QGroupBox(QStringLiteral("Module's Design"), page);
    frameOxaGenerals_->setObjectName(QStringLiteral("Frame_oxagenerals"));
    auto* generals = new QGridLayout(frameOxaGenerals_);
    auto* titleName = new QLabel(QStringLiteral("Module's name:"), frameOxaGenerals_);
    titleName->setObjectName(QStringLiteral("Label_title_oxaname"));
    labelOxaName_ = new ClickableLabel(frameOxaGenerals_);
    labelOxaName_->setObjectName(QStringLiteral("Label_oxaname"));
    QFont bold = labelOxaName_->font();
    bold.setBold(true);
    labelOxaName_->setFont(bold);
    auto* titleDescr = new QLabel(QStringLiteral("Description:"), frameOxaGenerals_);
    titleDescr->setObjectName(QStringLiteral("Label_title_oxadescr"));
    labelOxaDescr_ = new ClickableLabel(frameOxaGenerals_);
    labelOxaDescr_->setObjectName(QStringLiteral("Label_oxadescr"));
    labelOxaDescr_->setWordWrap(true);
    labelOxaDescr_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    commandPredefinitions_ =
        makeButton(frameOxaGenerals_, "Command_predefinitions", "Public defs. (ODL)");
    commandBetaEventList_ =
        makeButton(frameOxaGenerals_, "Command_betaeventlist", "Defined Signals...");
    commandBetaEventList_->setToolTip(
        QStringLiteral("List of beta events and notifications defined by this module"));
    commandClientList_ = makeButton(frameOxaGenerals_, "Command_clientlist", "Deps...");
    commandClientList_->setToolTip(QStringLiteral("List of services requested from this module"));
    commandGenInfo_ = makeButton(frameOxaGenerals_, "Command_geninfo", "General...");
    commandGenInfo_->setToolTip(QStringLiteral("Change the general information of the module"));
    generals->addWidget(titleName, 0, 0);
    generals->addWidget(labelOxaName_, 0, 1);
    generals->addWidget(titleDescr, 1, 0, Qt::AlignTop);
    generals->addWidget(labelOxaDescr_, 1, 1);
    generals->setColumnStretch(1, 1);
    auto* generalButtons = new QVBoxLayout;
    auto* row1 = new QHBoxLayout;
    row1->addWidget(commandPredefinitions_);
    row1->addWidget(commandBetaEventList_);
    auto* row2 = new QHBoxLayout;
    row2->addWidget(commandClientList_);
    row2->addWidget(commandGenInfo_);
    generalButtons->addLayout(row1);
    generalButtons->addLayout(row2);
    generals->addLayout(generalButtons, 0, 2, 2, 1);
    layout->addWidget(frameOxaGenerals_);

    auto* body = new QHBoxLayout;
    // Groups and services.
    frameGroups_ = new QGroupBox(QStringLiteral("Groups of Services"), page);
    frameGroups_->setObjectName(QStringLiteral("Frame_groups"));
    auto* groupsLayout = new QVBoxLayout(frameGroups_);
    listGroups_ = new QListWidget(frameGroups_);
    listGroups_->setObjectName(QStringLiteral("List_Groups"));
    listGroups_->setContextMenuPolicy(Qt::CustomContextMenu);
    groupsLayout->addWidget(listGroups_);
    frameServices_ = new QGroupBox(QStringLiteral("Services"), page);
    frameServices_->setObjectName(QStringLiteral("Frame_services"));
    auto* servicesLayout = new QVBoxLayout(frameServices_);
    listServices_ = new QListWidget(frameServices_);
    listServices_->setObjectName(QStringLiteral("List_Services"));
    listServices_->setContextMenuPolicy(Qt::CustomContextMenu);
    servicesLayout->addWidget(listServices_);
    auto* lists = new QVBoxLayout;
    lists->addWidget(frameGroups_, 1);
    lists->addWidget(frameServices_, 2);
    body->addLayout(lists, 2);

    // Service's design.
    auto* right = new QVBoxLayout;
    frameServ_ = new QGroupBox(QStringLiteral("Service's Design"), page);
    frameServ_->setObjectName(QStringLiteral("Frame_serv"));
    auto* serv = new QGridLayout(frameServ_);
    auto* typeFrame = new QGroupBox(QStringLiteral("Type of Service"), frameServ_);
    typeFrame->setObjectName(QStringLiteral("frame_typeofservice"));
    auto* typeLayout = new QVBoxLayout(typeFrame);
    typeGroup_ = new QButtonGroup(this);
    const char* const typeCaptions[3] = {"Regular Service", "Event Handler",
                                         "Notification Handler"};
    const char* const typeTips[3] = {"Not executed due to the arrival of an event",
                                     "Executed when an event arrives",
                                     "Executed when a notification arrives"};
    for (int t = 0; t < 3; ++t) {
        optionType_[t] = new QRadioButton(QString::fromLatin1(typeCaptions[t]), typeFrame);
        optionType_[t]->setObjectName("Option_typeofservice" + QString::number(t));
        optionType_[t]->setToolTip(QString::fromLatin1(typeTips[t]));
        typeGroup_->addButton(optionType_[t], t);
        typeLayout->addWidget(optionType_[t]);
    }
    serv->addWidget(typeFrame, 0, 0);

    frameBetaEventHandler_ = new QGroupBox(QStringLiteral("Signal Handler"), frameServ_);
    frameBetaEventHandler_->setObjectName(QStringLiteral("Frame_betaeventhandler"));
    auto* handler = new QGridLayout(frameBetaEventHandler_);
    commandWizardEvent_ =
        makeButton(frameBetaEventHandler_, "Command_wizardevent", "Get signal...");
    auto* labelCode = new QLabel(QStringLiteral("Signal Identifier:"), frameBetaEventHandler_);
    labelCode->setObjectName(QStringLiteral("Label_codebeta"));
    textCodeBeta_ = new QLineEdit(frameBetaEventHandler_);
    textCodeBeta_->setObjectName(QStringLiteral("Text_codebeta"));
    textCodeBeta_->setToolTip(QStringLiteral("Identifier of the event"));
    labelBetaModule_ = new QLabel(QStringLiteral("From Module:"), frameBetaEventHandler_);
    labelBetaModule_->setObjectName(QStringLiteral("Label_betamodule"));
    textBetaModule_ = new QLineEdit(frameBetaEventHandler_);
    textBetaModule_->setObjectName(QStringLiteral("Text_betamodule"));
    textBetaModule_->setToolTip(QStringLiteral("Module where the event code is defined"));
    handler->addWidget(labelCode, 0, 0);
    handler->addWidget(textCodeBeta_, 0, 1);
    handler->addWidget(labelBetaModule_, 1, 0);
    handler->addWidget(textBetaModule_, 1, 1);
    handler->addWidget(commandWizardEvent_, 2, 1, Qt::AlignRight);
    serv->addWidget(frameBetaEventHandler_, 1, 0);

    auto* priority = new QHBoxLayout;
    labelServRelPrio_ = new QLabel(QStringLiteral("Priority:"), frameServ_);
    labelServRelPrio_->setObjectName(QStringLiteral("Label_servrelprio"));
    textRelPrio_ = new QLineEdit(frameServ_);
    textRelPrio_->setObjectName(QStringLiteral("Text_relprio"));
    textRelPrio_->setToolTip(QStringLiteral("Relative priority of the service within its module"));
    textRelPrio_->setMaximumWidth(80);
    vscrollRelPrio_ = new QScrollBar(Qt::Vertical, frameServ_);
    vscrollRelPrio_->setObjectName(QStringLiteral("VScroll_relprio"));
    vscrollRelPrio_->setRange(0, 32767);
    vscrollRelPrio_->setFixedHeight(40);
    labelDynPrio_ = new QLabel(QStringLiteral("dynamic"), frameServ_);
    labelDynPrio_->setObjectName(QStringLiteral("Label_dynprio"));
    priority->addWidget(labelServRelPrio_);
    priority->addWidget(textRelPrio_);
    priority->addWidget(vscrollRelPrio_);
    priority->addWidget(labelDynPrio_);
    priority->addStretch();
    serv->addLayout(priority, 2, 0);

    frameCharacteristics_ = new QGroupBox(QStringLiteral("Service's Characteristics"), frameServ_);
    frameCharacteristics_->setObjectName(QStringLiteral("Frame_characteristics"));
    auto* chars = new QVBoxLayout(frameCharacteristics_);
    for (int k = 0; k < 6; ++k) {
        checkChars_[k] = new QCheckBox(QString::fromLatin1(kCharNames[k]), frameCharacteristics_);
        checkChars_[k]->setObjectName("Check_srvchrs" + QString::number(k));
        checkChars_[k]->setToolTip(QString::fromLatin1(kCharTips[k]));
        chars->addWidget(checkChars_[k]);
    }
    chars->addStretch();
    serv->addWidget(frameCharacteristics_, 0, 1, 3, 1);
    right->addWidget(frameServ_);

    auto makeDataFrame = [&](const char* frameName, const char* labelName, const char* caption,
                             const char* boxName, const char* setName, const char* discardName,
                             const char* autoName, TextBox*& box, QPushButton*& set,
                             QPushButton*& discard, QCheckBox*& automatic) {
        auto* frame = new QGroupBox(page);
        frame->setObjectName(QString::fromLatin1(frameName));
        auto* l = new QGridLayout(frame);
        auto* label = new ClickableLabel(QString::fromLatin1(caption), frame);
        label->setObjectName(QString::fromLatin1(labelName));
        label->setToolTip(QStringLiteral("Click to view ODL help"));
        label->setCursor(Qt::PointingHandCursor);
        connect(label, &ClickableLabel::clicked, this,
                [this] { routines_.openHelp(HelpDocument::Odl); });
        box = new TextBox(frame);
        box->setObjectName(QString::fromLatin1(boxName));
        box->setFont(QFont(QStringLiteral("Monospace")));
        set = makeButton(frame, setName, "Set");
        discard = makeButton(frame, discardName, "Discard");
        automatic = new QCheckBox(QStringLiteral("Auto"), frame);
        automatic->setObjectName(QString::fromLatin1(autoName));
        l->addWidget(label, 0, 0, 1, 3);
        l->addWidget(box, 1, 0, 1, 3);
        l->addWidget(set, 2, 0);
        l->addWidget(discard, 2, 1);
        l->addWidget(automatic, 2, 2);
        return frame;
    };
    frameInputData_ = makeDataFrame(
        "Frame_inputdata", "Label1", "Input data (ODL):", "RichTextBox1", "Command_setinputdata",
        "Command_discardinputdata", "Check_autoin", inputText_, setInput_, discardInput_, autoIn_);
    frameOutputData_ =
        makeDataFrame("Frame_outputdata", "Label3", "Output data (ODL):", "RichTextBox2",
                      "Command_setoutputdata", "Command_discardoutputdata", "Check_autoout",
                      outputText_, setOutput_, discardOutput_, autoOut_);
    auto* data = new QHBoxLayout;
    data->addWidget(frameInputData_);
    data->addWidget(frameOutputData_);
    right->addLayout(data, 1);
    right->addStretch(0);
    body->addLayout(right, 5);
    layout->addLayout(body, 1);

    // Handlers.
    connect(listGroups_, &QListWidget::itemSelectionChanged, this, [this] {
        if (!noEvents_ && !listGroups_->selectedItems().isEmpty()) {
            updateView(4);
        }
    });
    connect(listServices_, &QListWidget::itemSelectionChanged, this, [this] {
        if (!noEvents_ && !listServices_->selectedItems().isEmpty()) {
            updateView(5);
        }
    });
    connect(listGroups_, &QWidget::customContextMenuRequested, this, [this](const QPoint& pos) {
        if (oxaPresent_) {
            popupGroups_->popup(listGroups_->viewport()->mapToGlobal(pos));
        }
    });
    connect(listServices_, &QWidget::customContextMenuRequested, this, [this](const QPoint& pos) {
        if (oxaPresent_ && frameServices_->isEnabled()) {
            popupServices_->popup(listServices_->viewport()->mapToGlobal(pos));
        }
    });
    connect(typeGroup_, &QButtonGroup::idClicked, this, &MainForm::typeClicked);
    for (int k = 0; k < 6; ++k) {
        connect(checkChars_[k], &QCheckBox::clicked, this, [this, k] { characteristicClicked(k); });
    }
    connect(textRelPrio_, &QLineEdit::textChanged, this, &MainForm::relativePriorityTyped);
    connect(vscrollRelPrio_, &QScrollBar::valueChanged, this, &MainForm::relativePriorityScrolled);
    connect(textCodeBeta_, &QLineEdit::textChanged, this, &MainForm::handlerCodeEdited);
    connect(textBetaModule_, &QLineEdit::textChanged, this, &MainForm::handlerModuleEdited);
    connect(commandWizardEvent_, &QPushButton::clicked, this, &MainForm::getSignal);
    connect(setInput_, &QPushButton::clicked, this, &MainForm::setInputData);
    connect(discardInput_, &QPushButton::clicked, this, &MainForm::discardInputData);
    connect(autoIn_, &QCheckBox::toggled, this, &MainForm::autoInputToggled);
    connect(inputText_, &QPlainTextEdit::textChanged, this, &MainForm::inputDataEdited);
    connect(setOutput_, &QPushButton::clicked, this, &MainForm::setOutputData);
    connect(discardOutput_, &QPushButton::clicked, this, &MainForm::discardOutputData);
    connect(autoOut_, &QCheckBox::toggled, this, &MainForm::autoOutputToggled);
    connect(outputText_, &QPlainTextEdit::textChanged, this, &MainForm::outputDataEdited);
    connect(commandBetaEventList_, &QPushButton::clicked, this, &MainForm::showDefinedSignals);
    connect(commandClientList_, &QPushButton::clicked, this, &MainForm::showDependencies);
    connect(commandGenInfo_, &QPushButton::clicked, this, &MainForm::showGeneralInfo);
    connect(labelOxaName_, &ClickableLabel::clicked, this, [this] {
        if (oxaPresent_) {
            changeModuleIds();
        }
    });
    connect(labelOxaDescr_, &ClickableLabel::clicked, this, [this] {
        if (oxaPresent_) {
            changeModuleIds();
        }
    });
    return page;
}

QString MainForm::selectedGroup() const {
    return Routines::selectedListText(listGroups_);
}
QString MainForm::selectedService() const {
    return Routines::selectedListText(listServices_);
}

// ---- Lists ----------------------------------------------------------------

void MainForm::fillGroups() {
    const int n = NumberOfGroups();
    suspendEvents();
    for (int i = 0; i < n; ++i) {
        EngineBuffer name(32);
        if (GetNameOfGroupByPos(i, 32, name.data()) == 0) {
            routines_.warning(QStringLiteral("Load Module"),
                              "Error reading group #" + withSign(i) + " from the module.");
        }
        listGroups_->addItem(name.text());
    }
    resumeEvents();
}

void MainForm::groupSelected() {
    const QString group = selectedGroup();
    editNewService_->setEnabled(true);
    popServiceAdd_->setEnabled(true);
    popGroupChange_->setEnabled(true);
    popGroupDelete_->setEnabled(true);
    popServiceChange_->setEnabled(false);
    popServiceEditCode_->setEnabled(false);
    popServiceDelete_->setEnabled(false);
    frameServices_->setEnabled(true);
    frameServ_->hide();
    frameInputData_->hide();
    frameOutputData_->hide();
    frameServiceCodification_->hide();
    frameServices_->setTitle("Services of " + group);
    WaitCursor wait;
    const QByteArray g = toEngine(group);
    suspendEvents();
    listServices_->clear();
    const int n = NumberOfServices(g.constData());
    QStringList names;
    names.reserve(n);
    for (int i = 0; i < n; ++i) {
        EngineBuffer name(32);
        if (GetNameOfServiceByPos(g.constData(), i, 32, name.data()) == 0) {
            routines_.warning(QStringLiteral("Select Group of Services"),
                              "Error reading the service #" + withSign(i) + " from the group.");
        }
        names << name.text();
    }
    listServices_->addItems(names);
    resumeEvents();
}

void MainForm::serviceSelected() {
    popServiceChange_->setEnabled(true);
    popServiceEditCode_->setEnabled(true);
    popServiceDelete_->setEnabled(true);
    fillServiceDesign();
    frameServ_->show();
    labelSrvSelected_->setText(selectedGroup() + "::" + selectedService());
    frameServiceCodification_->show();
}

QString MainForm::readCharacteristics(bool* ok) const {
    const QByteArray g = toEngine(selectedGroup());
    const QByteArray s = toEngine(selectedService());
    char buffer[8] = "      ";
    const int r = OXAServiceCharacteristics(g.constData(), s.constData(), buffer);
    buffer[6] = '\0';
    if (ok != nullptr) {
        *ok = r != 0;
    }
    if (r == 0) {
        return QStringLiteral("      ");
    }
    return QString::fromLatin1(buffer, 6);
}

void MainForm::loadDataText(int kind) {
    const QByteArray g = toEngine(selectedGroup());
    const QByteArray s = toEngine(selectedService());
    const int length = LengthOXAServiceData(kind, g.constData(), s.constData());
    EngineBuffer text(length + 1);
    if (kind == 1) {
        RetrieveOXAServiceInputData(g.constData(), s.constData(), text.data(), length + 1);
        inputText_->setText(text.text());
    } else {
        RetrieveOXAServiceOutputData(g.constData(), s.constData(), text.data(), length + 1);
        outputText_->setText(text.text());
    }
}

void MainForm::fillServiceDesign() {
    const QString service = selectedService();
    const QByteArray g = toEngine(selectedGroup());
    const QByteArray s = toEngine(service);
    suspendEvents();
    frameServ_->setTitle("Service: " + service);
    const int type = OXAServiceType(g.constData(), s.constData());
    bool ok = true;
    const QString chars = readCharacteristics(&ok);
    if (!ok) {
        routines_.warning(QStringLiteral("Select Service"),
                          QStringLiteral("Error reading service characteristics."));
    }
    labelServRelPrio_->show();
    const int priority = OXAServiceRelPriority(g.constData(), s.constData());
    relprioOld_ = -1;
    textRelPrio_->setText(QString::number(priority));
    vscrollRelPrio_->setValue(32767 - priority);
    frameCharacteristics_->show();
    if (type == 1 || type == 2) {
        EngineBuffer code(128), module(32);
        OXAServiceEventHandlerCode(g.constData(), s.constData(), code.data(), 128);
        OXAServiceEventGeneratorModule(g.constData(), s.constData(), module.data(), 32);
        optionType_[type]->setChecked(true);
        textCodeBeta_->setText(code.trimmed());
        textBetaModule_->setText(module.trimmed());
        labelBetaModule_->setVisible(type == 1);
        textBetaModule_->setVisible(type == 1);
        frameBetaEventHandler_->show();
    } else {
        optionType_[0]->setChecked(true);
        frameBetaEventHandler_->hide();
        loadDataText(1);
        loadDataText(2);
        showDataFrames(type, chars);
    }
    showCharacteristics(type, chars);
    resumeEvents();
}

void MainForm::refreshServiceDetails() {
    const QByteArray g = toEngine(selectedGroup());
    const QByteArray s = toEngine(selectedService());
    const int type = OXAServiceType(g.constData(), s.constData());
    const QString chars = readCharacteristics(nullptr);
    EngineBuffer code(128), module(32);
    OXAServiceEventHandlerCode(g.constData(), s.constData(), code.data(), 128);
    OXAServiceEventGeneratorModule(g.constData(), s.constData(), module.data(), 32);
    if (type == 1 || type == 2) {
        frameBetaEventHandler_->show();
        textCodeBeta_->setText(code.trimmed());
        if (type == 1) {
            textBetaModule_->setText(module.trimmed());
            labelBetaModule_->show();
            textBetaModule_->show();
        } else {
            textBetaModule_->setText(QString());
            labelBetaModule_->hide();
            textBetaModule_->hide();
        }
    } else {
        frameBetaEventHandler_->hide();
    }
    showCharacteristics(type, chars);
    showDataFrames(type, chars);
}

void MainForm::showCharacteristics(int type, const QString& chars) {
    for (int k = 0; k < 6; ++k) {
        QSignalBlocker block(checkChars_[k]);
        checkChars_[k]->setChecked(isSet(chars, k));
    }
    const bool fixedPrio = isSet(chars, Unprio) || isSet(chars, Prio);
    if (type == 1 || type == 2) {
        checkChars_[Monitor]->hide();
        checkChars_[Permanent]->hide();
        checkChars_[Reentrant]->hide();
        if (fixedPrio) {
            labelDynPrio_->setText(QStringLiteral("fixed"));
            labelDynPrio_->show();
            textRelPrio_->hide();
            vscrollRelPrio_->hide();
        } else {
            labelDynPrio_->hide();
            textRelPrio_->show();
            vscrollRelPrio_->show();
        }
        return;
    }
    checkChars_[Monitor]->show();
    checkChars_[Permanent]->show();
    const bool monitor = isSet(chars, Monitor);
    if (fixedPrio || !monitor) {
        if (monitor) {
            checkChars_[Reentrant]->hide();
            labelDynPrio_->setText(QStringLiteral("fixed"));
        } else {
            checkChars_[Reentrant]->show();
            labelDynPrio_->setText(QStringLiteral("dynamic"));
        }
        labelDynPrio_->show();
        textRelPrio_->hide();
        vscrollRelPrio_->hide();
    } else {
        checkChars_[Reentrant]->hide();
        labelDynPrio_->hide();
        textRelPrio_->show();
        vscrollRelPrio_->show();
    }
}

void MainForm::showDataFrames(int type, const QString& chars) {
    if (type == 0) {
        frameInputData_->setVisible(!isSet(chars, Monitor));
        frameOutputData_->setVisible(!isSet(chars, Permanent));
    } else if (type == 2) {
        frameInputData_->hide();
        frameOutputData_->hide();
    }
}

int MainForm::selectedType() const {
    const int id = typeGroup_->checkedId();
    return id < 0 ? 0 : id;
}

// ---- Group and service commands ------------------------------------------------

void MainForm::addGroup() {
    NameAndDescription ids = routines_.askNameAndDescription(
        QStringLiteral("New Group of Services"), QString(), QString(), 32, 2048);
    if (!ids.accepted) {
        return;
    }
    const QString title = QStringLiteral("Create a Group of Services");
    const QByteArray name = toEngine(ids.name);
    if (ExistGroupOfServices(name.constData()) == 1) {
        routines_.warning(title, QStringLiteral("There is already a group with that name."));
        return;
    }
    if (AddNewGroupOfServices(name.constData(), toEngine(ids.description).constData()) != 0) {
        listGroups_->addItem(ids.name);
        setModified();
    } else {
        routines_.warning(title, QStringLiteral("Error creating group of services"));
    }
}

void MainForm::newService() {
    const QString group = selectedGroup();
    NameAndDescription ids = routines_.askNameAndDescription(QStringLiteral("New Service"),
                                                             QString(), QString(), 32, 2048);
    if (!ids.accepted) {
        return;
    }
    const QByteArray g = toEngine(group);
    const QByteArray name = toEngine(ids.name);
    if (ExistOXAService(g.constData(), name.constData()) == 1) {
        routines_.warning(QStringLiteral("Create Service"),
                          QStringLiteral("There is already a service with that name."));
        return;
    }
    if (CreateOXAService(g.constData(), name.constData(), toEngine(ids.description).constData()) !=
        0) {
        suspendEvents();
        listServices_->addItem(ids.name);
        resumeEvents();
        setModified();
    } else {
        routines_.warning(QStringLiteral("Create New Service"),
                          QStringLiteral("Error creating new service."));
    }
}

void MainForm::renameGroup() {
    const QString group = selectedGroup();
    if (group.isEmpty()) {
        return;
    }
    const QString title = QStringLiteral("Change Group IDs");
    const QByteArray g = toEngine(group);
    EngineBuffer description(2048);
    if (DescriptionGroupOfServices(g.constData(), description.data(), 2048) == 0) {
        routines_.warning(title,
                          QStringLiteral("Error reading description of the group of services."));
        return;
    }
    NameAndDescription ids =
        routines_.askNameAndDescription(title, group, description.trimmed(), 32, 2048);
    if (!ids.accepted) {
        return;
    }
    if (ChangeNameDescriptionGroup(g.constData(), toEngine(ids.name).constData(),
                                   toEngine(trimBlanks(ids.description)).constData()) != 0) {
        setModified();
        suspendEvents();
        Routines::replaceSelectedListText(listGroups_, ids.name);
        resumeEvents();
        frameServices_->setTitle("Services of " + selectedGroup());
    } else {
        routines_.warning(title, QStringLiteral("Error changing name of group. Used name?"));
    }
}

void MainForm::deleteGroup() {
    const QString group = selectedGroup();
    if (group.isEmpty()) {
        return;
    }
    const QString title = QStringLiteral("Delete Group of Services");
    if (!routines_.askOk(title, QStringLiteral("Sure to delete selected group?"))) {
        return;
    }
    const int r = DeleteGroupOfServices(toEngine(group).constData());
    if (r == 1 || r == 2) {
        suspendEvents();
        Routines::removeSelectedListItem(listGroups_);
        listGroups_->clearSelection();
        resumeEvents();
        updateView(10);
        setModified();
        if (r == 2) {
            routines_.warning(title, QStringLiteral("Undefined error erasing the selected group"));
        }
    } else if (r == 0) {
        routines_.warning(title, QStringLiteral("Error erasing the selected group"));
    } else {
        routines_.warning(title, QStringLiteral("Error calling DLL routine"));
    }
}

void MainForm::renameService() {
    const QString group = selectedGroup();
    const QString service = selectedService();
    if (service.isEmpty()) {
        return;
    }
    const QString title = QStringLiteral("Change Service IDs");
    const QByteArray g = toEngine(group);
    const QByteArray s = toEngine(service);
    EngineBuffer description(2048);
    if (DescriptionOXAService(g.constData(), s.constData(), description.data(), 2048) == 0) {
        routines_.warning(title, QStringLiteral("Impossible to retrieve service description"));
        return;
    }
    NameAndDescription ids =
        routines_.askNameAndDescription(title, service, description.trimmed(), 32, 2048);
    if (!ids.accepted) {
        return;
    }
    if (ChangeOXAServiceIDs(g.constData(), s.constData(), toEngine(ids.name).constData(),
                            toEngine(trimBlanks(ids.description)).constData()) != 0) {
        setModified();
        suspendEvents();
        Routines::replaceSelectedListText(listServices_, ids.name);
        resumeEvents();
        frameServ_->setTitle("Service: " + selectedService());
        labelSrvSelected_->setText(selectedGroup() + "::" + selectedService());
    } else {
        routines_.warning(title, QStringLiteral("Error changing service IDs."));
    }
}

void MainForm::deleteService() {
    const QString group = selectedGroup();
    const QString service = selectedService();
    if (service.isEmpty()) {
        return;
    }
    const QString title = QStringLiteral("Delete Service");
    if (!routines_.askOk(title, QStringLiteral("Sure to delete service?"))) {
        return;
    }
    if (DeleteOXAService(toEngine(group).constData(), toEngine(service).constData()) != 0) {
        setModified();
        suspendEvents();
        Routines::removeSelectedListItem(listServices_);
        listServices_->clearSelection();
        resumeEvents();
        updateView(12);
    } else {
        routines_.warning(title, QStringLiteral("Impossible to delete the selected service."));
    }
}

// ---- Service design handlers ----------------------------------------------------

void MainForm::typeClicked(int type) {
    if (noEvents_) {
        return;
    }
    const QByteArray g = toEngine(selectedGroup());
    const QByteArray s = toEngine(selectedService());
    if (OXAServiceType(g.constData(), s.constData()) == type) {
        return;  // the same type chosen again changes nothing
    }
    ChangeOXAServiceChars(g.constData(), s.constData(), "      ");
    ChangeOXAServiceType(g.constData(), s.constData(), type);
    SetOXAServiceEventHandlerCode(g.constData(), s.constData(), "");
    SetOXAServiceEventGeneratorModule(g.constData(), s.constData(), "");
    setModified();
    updateView(6);
}

void MainForm::characteristicClicked(int index) {
    if (noEvents_ || index < 0 || index > 5) {
        return;
    }
    bool ok = true;
    const QString chars = readCharacteristics(&ok);
    if (!ok) {
        routines_.warning(QStringLiteral("Service Characteristics"),
                          QStringLiteral("Error reading characteristics of the service."));
        return;
    }
    QCheckBox* box = checkChars_[index];
    const bool ticked = box->isChecked();
    const QString changed = chars.left(index) +
                            (ticked ? QStringLiteral("*") : QStringLiteral(" ")) +
                            chars.right(5 - index);
    const QByteArray g = toEngine(selectedGroup());
    const QByteArray s = toEngine(selectedService());
    if (ChangeOXAServiceChars(g.constData(), s.constData(), toEngine(changed).constData()) == 0) {
        routines_.warning(QStringLiteral("Change Characteristics"),
                          QStringLiteral("That produces some incompability"));
        QSignalBlocker block(box);
        box->setChecked(!ticked);
    }
    setModified();
    updateView(6);
}

void MainForm::relativePriorityTyped() {
    if (noEvents_) {
        return;
    }
    const double number = leadingNumber(textRelPrio_->text());
    long long value;
    if (number > 32767) {
        value = 32767;
        QSignalBlocker block(textRelPrio_);
        textRelPrio_->setText(QStringLiteral("32767"));
    } else if (number < 0) {
        value = 0;
        QSignalBlocker block(textRelPrio_);
        textRelPrio_->setText(QStringLiteral("0"));
    } else {
        value = roundHalfEven(number);
    }
    if (value != relprioOld_) {
        relprioOld_ = static_cast<qint16>(value);
        QSignalBlocker block(vscrollRelPrio_);
        vscrollRelPrio_->setValue(32767 - static_cast<int>(value));
    }
    ChangeOXAServiceRelPrio(toEngine(selectedGroup()).constData(),
                            toEngine(selectedService()).constData(), static_cast<int>(value));
    setModified();
    updateView(6);
}

void MainForm::relativePriorityScrolled(int position) {
    if (noEvents_) {
        return;
    }
    const int value = 32767 - position;
    if (value != relprioOld_) {
        relprioOld_ = static_cast<qint16>(value);
        QSignalBlocker block(textRelPrio_);
        textRelPrio_->setText(QString::number(value));
    }
    if (ChangeOXAServiceRelPrio(toEngine(selectedGroup()).constData(),
                                toEngine(selectedService()).constData(), value) == 0) {
        routines_.warning(QStringLiteral("Change Priority"),
                          QStringLiteral("Error changing service priority"));
    }
    setModified();
    updateView(6);
}

void MainForm::handlerCodeEdited() {
    if (noEvents_) {
        return;
    }
    SetOXAServiceEventHandlerCode(toEngine(selectedGroup()).constData(),
                                  toEngine(selectedService()).constData(),
                                  toEngine(textCodeBeta_->text()).constData());
    setModified();
}

void MainForm::handlerModuleEdited() {
    if (noEvents_) {
        return;
    }
    SetOXAServiceEventGeneratorModule(toEngine(selectedGroup()).constData(),
                                      toEngine(selectedService()).constData(),
                                      toEngine(textBetaModule_->text()).constData());
    setModified();
}

void MainForm::getSignal() {
    const int type = selectedType();
    if (type == 0) {
        return;
    }
    if (type == 1) {
        if (routines_.askYes(QStringLiteral("Event Code Selection"),
                             QStringLiteral("Handler for an event defined in this module?"))) {
            int index;
            {
                auto list = std::make_unique<BetaEventListDialog>(routines_, this);
                list->load();
                routines_.showModal(*list);
                index = list->selectedIndex();
            }
            if (index < 0) {
                return;
            }
            QString name, kind, code;
            if (!readSignal(false, index, name, kind, code)) {
                routines_.plain(
                    QStringLiteral("Reading signal from list"),
                    QStringLiteral("Error reading signal from list of defined signals"));
                return;
            }
            if (kind == QLatin1String("N")) {
                routines_.warning(
                    QStringLiteral("Signal Code Selection"),
                    QStringLiteral(
                        "For a notification, better define a Notification Handler service"));
                return;
            }
            EngineBuffer module(32);
            NameOXAModule(module.data(), 32);
            textCodeBeta_->setText(trimBlanks(name));
            textBetaModule_->setText(module.trimmed());
            return;
        }
        const QString path = routines_.askFileName(QStringLiteral("Server Module"), FileMode::Open,
                                                   QStringLiteral("*.oxa"));
        if (path.isEmpty()) {
            return;
        }
        const QString title = QStringLiteral("Reading Signal List");
        int read;
        {
            WaitCursor wait;
            read = ReadOtherModuleDefinedSignals(toEngine(path).constData());
        }
        if (read == 0) {
            routines_.warning(title, QStringLiteral("Error reading signals from module"));
            return;
        }
        if (NumberOfOtherDefinedSignals() == 0) {
            routines_.warning(title, QStringLiteral("The module defines no signal"));
            return;
        }
        auto dialog = std::make_unique<OtherEventsDialog>(routines_, this);
        dialog->load();
        routines_.showModal(*dialog);
        const int index = dialog->selectedIndex();
        const bool accepted = dialog->flag() == 1;
        dialog.reset();
        if (!accepted || index < 0) {
            return;
        }
        QString name, kind, code;
        if (!readSignal(true, index, name, kind, code)) {
            routines_.plain(QStringLiteral("Retrieving other module signal"),
                            QStringLiteral("Error reading signal definition"));
            return;
        }
        if (kind == QLatin1String("N")) {
            routines_.warning(QStringLiteral("Event Code Selection"),
                              QStringLiteral("You cannot handle another's module notifications"));
            return;
        }
        EngineBuffer module(32);
        OtherDefinedSignalsModuleName(module.data(), 32);
        const QString moduleName = module.trimmed();
        textCodeBeta_->setText(trimBlanks(name));
        textBetaModule_->setText(moduleName);
        const QByteArray m = toEngine(moduleName);
        if (ExistsModuleDependency(m.constData(), "") == 0) {
            const float pair[2] = {0, 0};
            if (AddModuleDependency(m.constData(), "", pair) == 0) {
                routines_.warning(
                    QString(),
                    QStringLiteral("Error adding module dependency (probably duplicated)"));
            }
        }
        return;
    }
    // A notification handler.
    int index;
    {
        auto list = std::make_unique<BetaEventListDialog>(routines_, this);
        list->load();
        routines_.showModal(*list);
        index = list->selectedIndex();
    }
    if (index < 0) {
        return;
    }
    const QString title = QStringLiteral("Notification Code Selection");
    QString name, kind, code;
    if (!readSignal(false, index, name, kind, code)) {
        routines_.plain(title, QStringLiteral("Error reading notification from list of signals"));
        return;
    }
    if (kind != QLatin1String("N")) {
        routines_.warning(
            title,
            QStringLiteral("For handling a beta event, better define an Event Handler service"));
        return;
    }
    textCodeBeta_->setText(trimBlanks(name));
    textBetaModule_->setText(QString());
}

void MainForm::setInputData() {
    ChangeOXAServiceInputData(toEngine(selectedGroup()).constData(),
                              toEngine(selectedService()).constData(),
                              toEngine(inputText_->text()).constData());
    setModified();
}

void MainForm::discardInputData() {
    loadDataText(1);
    setModified();
}

void MainForm::autoInputToggled() {
    if (autoIn_->isChecked() && !noEvents_) {
        setInputData();
    }
    updateView(14);
}

void MainForm::inputDataEdited() {
    if (!noEvents_ && autoIn_->isChecked()) {
        setInputData();
    }
}

void MainForm::setOutputData() {
    ChangeOXAServiceOutputData(toEngine(selectedGroup()).constData(),
                               toEngine(selectedService()).constData(),
                               toEngine(outputText_->text()).constData());
    setModified();
}

void MainForm::discardOutputData() {
    loadDataText(2);
    setModified();
}

void MainForm::autoOutputToggled() {
    if (autoOut_->isChecked() && !noEvents_) {
        setOutputData();
    }
    updateView(15);
}

void MainForm::outputDataEdited() {
    if (!noEvents_ && autoOut_->isChecked()) {
        setOutputData();
    }
}

// ---- Module-level dialogs ---------------------------------------------------------

void MainForm::showDefinedSignals() {
    auto dialog = std::make_unique<BetaEventListDialog>(routines_, this);
    dialog->load();
    routines_.showModal(*dialog);
    if (dialog->flag() == 1) {
        setModified();
    }
}

void MainForm::showDependencies() {
    auto dialog = std::make_unique<ClientListDialog>(routines_, this);
    dialog->load();
    routines_.showModal(*dialog);
    if (dialog->flag() == 1) {
        setModified();
    }
}

void MainForm::showGeneralInfo() {
    auto dialog = std::make_unique<GenInfoDialog>(routines_, this);
    if (!dialog->load()) {
        return;
    }
    routines_.showModal(*dialog);
    if (dialog->flag() == 1) {
        setModified();
    }
}

}  // namespace orven::designer
