// The main window's commands of the code editor, the external objects and
// the generation front end: the module code-section buttons, the editing of
// a service's server code, the external-object buttons of the
// implementation page and the external-file check's dialog.
#include <QAction>
#include <QComboBox>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>
#include <memory>
#include <vector>

#include "CodeEditor.h"
#include "ExternalObjects.h"
#include "GenerationPage.h"
#include "MainForm.h"
#include "Texts.h"
#include "orven.h"

namespace orven::designer {

namespace {

struct ModuleSection {
    const char* title;
    int lengthKind;
    int (*read)(char*, int);
    int (*write)(const char*);
    int timeIndex;  // -1: no time restriction
    int kind;
};

const std::vector<ModuleSection>& moduleSections() {
    static const std::vector<ModuleSection> sections = {
        {"Public Definitions", 0, RetrieveOXAModulePreDefinitions, ChangeOXAModulePreDefinitions,
         -1, 0},
        {"[Internal Status]", 2, RetrieveOXAModuleGlobalData, ChangeOXAModuleGlobalData, -1, 0},
        {"[Auxiliary Logic]", 6, RetrieveOXAModuleGlobalCode, ChangeOXAModuleGlobalCode, -1, 7},
        {"[Startup Logic]", 3, RetrieveOXAModuleStartupCode, ChangeOXAModuleStartupCode, 3, 1},
        {"[Pre-Ending Logic]", 4, RetrieveOXAModulePreEndingCode, ChangeOXAModulePreEndingCode, 4,
         2},
        {"[Post-Ending Logic]", 5, RetrieveOXAModulePostEndingCode, ChangeOXAModulePostEndingCode,
         5, 3},
    };
    return sections;
}

const QString kTimeTitle = QStringLiteral("ERROR Updating Time Restrictions");
const QString kTimeText = QStringLiteral("Time restriction could not be changed");

}  // namespace

void MainForm::buildCodeAndGeneration() {
    const std::pair<QPushButton*, int> sections[] = {
        {commandPredefinitions_, 0}, {commandGlobalData_, 1},    {commandGlobalCode_, 2},
        {commandEditStartup_, 3},    {commandEditPreEnding_, 4}, {commandEditPostEnding_, 5},
    };
    for (const auto& [button, section] : sections) {
        const int s = section;
        connect(button, &QPushButton::clicked, this, [this, s] { editModuleSection(s); });
    }
    connect(commandEditCode_, &QPushButton::clicked, this, &MainForm::editServiceCode);
    connect(popServiceEditCode_, &QAction::triggered, this, &MainForm::editServiceCode);
    connect(listServices_, &QListWidget::itemDoubleClicked, this, [this] { editServiceCode(); });

    const std::tuple<QPushButton*, int, const char*> externals[] = {
        {commandExternal_, 0, "[External Including]"},
        {commandExtCode_, 1, "[External Compiling/Linking]"},
        {commandExtPassive_, 3, "[External Passive]"},
    };
    for (const auto& [button, kind, caption] : externals) {
        const int k = kind;
        const QString c = QString::fromLatin1(caption);
        connect(button, &QPushButton::clicked, this, [this, k, c] {
            if (showExternalObjects(k, c)) {
                setModified();
            }
        });
    }
    reloadChangedExternals = [this](int kind, const QString& caption) {
        auto dialog = std::make_unique<ExternalObjectsDialog>(routines_, this);
        dialog->setWindowTitle(caption);
        dialog->setKind(kind);
        dialog->updatelistofexternals(true, false);
        routines_.showModal(*dialog);
        return dialog->flag() == 1;
    };

    generation_ = new GenerationPage(*this, frameImplementation_);
    if (auto* layout = qobject_cast<QVBoxLayout*>(frameImplementation_->layout())) {
        layout->insertWidget(0, generation_, 1);
    }
}

EditorContext MainForm::editorContext() {
    EditorContext context;
    context.routines = &routines_;
    context.parent = this;
    context.languagePosition = comboLang_->currentIndex();
    context.moduleChanged = [this] { setModified(); };
    return context;
}

void MainForm::editModuleSection(int section) {
    if (!oxaPresent_ || section < 0 || section >= static_cast<int>(moduleSections().size())) {
        return;
    }
    const ModuleSection& s = moduleSections()[static_cast<std::size_t>(section)];
    const int n = LengthOXAModuleData(s.lengthKind);
    EngineBuffer buffer(n + 1);
    s.read(buffer.data(), n + 1);
    QString text = buffer.text();
    CodeEdit edit;
    edit.title = QString::fromLatin1(s.title);
    edit.kind = s.kind;
    float pair[2] = {-1, -1};
    if (s.timeIndex >= 0) {
        edit.showTiming = RetrieveTimeRestriction(s.timeIndex, pair) == 1;
        edit.minimum = pair[0];
        edit.maximum = pair[1];
    }
    if (!editCodeText(editorContext(), text, edit)) {
        return;
    }
    if (s.timeIndex >= 0) {
        pair[0] = edit.minimum;
        pair[1] = edit.maximum;
        if (SetTimeRestriction(s.timeIndex, pair) == 0 && edit.showTiming) {
            routines_.warning(kTimeTitle, kTimeText);
        }
    }
    s.write(toEngine(trimBlanks(text)).constData());
    setModified();
}

void MainForm::editServiceCode() {
    const QString group = selectedGroup();
    const QString service = selectedService();
    if (!oxaPresent_ || group.isEmpty() || service.isEmpty()) {
        return;
    }
    const QByteArray g = toEngine(group);
    const QByteArray sv = toEngine(service);
    const int n = LengthOXAServiceData(0, g.constData(), sv.constData());
    EngineBuffer buffer(n + 1);
    RetrieveOXAServiceServerCode(g.constData(), sv.constData(), buffer.data(), n + 1);
    QString text = buffer.text();
    float pair[2] = {-1, -1};
    CodeEdit edit;
    edit.title = "Service [" + service + "]";
    edit.showTiming = RetrieveTimeRestrictionService(0, g.constData(), sv.constData(), pair) != 0;
    edit.minimum = pair[0];
    edit.maximum = pair[1];
    const int type = OXAServiceType(g.constData(), sv.constData());
    edit.kind = 4 + (type >= 0 && type <= 2 ? type : 0);
    if (!editCodeText(editorContext(), text, edit)) {
        return;
    }
    pair[0] = edit.minimum;
    pair[1] = edit.maximum;
    if (SetTimeRestrictionService(0, g.constData(), sv.constData(), pair) == 0 && edit.showTiming) {
        routines_.warning(kTimeTitle, kTimeText);
    }
    ChangeOXAServiceServerCode(g.constData(), sv.constData(),
                               toEngine(trimBlanks(text)).constData());
    setModified();
}

bool MainForm::showExternalObjects(int kind, const QString& caption) {
    auto dialog = std::make_unique<ExternalObjectsDialog>(routines_, this);
    dialog->setWindowTitle(caption);
    dialog->setKind(kind);
    dialog->updatelistofexternals(false, true);
    routines_.showModal(*dialog);
    return dialog->flag() == 1;
}

}  // namespace orven::designer
