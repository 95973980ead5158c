#include "CodeEditor.h"

#include <QAction>
#include <QEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTextBlock>
#include <QVBoxLayout>
#include <memory>

#include "AtomTable.h"
#include "Routines.h"
#include "SmallDialogs.h"
#include "Texts.h"
#include "Widgets.h"
#include "Wizards.h"
#include "orven.h"

namespace orven::designer {

// ---- Time fields ---------------------------------------------------------

TimeFields::TimeFields(QWidget* owner, QLineEdit* minimum, QLineEdit* maximum)
    : QObject(owner), owner_(owner), min_(minimum), max_(maximum) {
    connect(min_, &QLineEdit::textChanged, this, &TimeFields::minimumChanged);
    connect(max_, &QLineEdit::textChanged, this, &TimeFields::maximumChanged);
}

QString TimeFields::textOf(float value) {
    return value < 0 ? QStringLiteral("INF") : trimBlanks(timeText(value));
}

void TimeFields::minimumChanged() {
    if (!owner_->isVisible()) {
        return;
    }
    if (!infinite(min_->text()) && leadingNumber(min_->text()) < 0) {
        min_->setText(QStringLiteral("INF"));
        return;  // the change of the text applies the rest of the rules
    }
    if (infinite(min_->text())) {
        if (max_->text() != QLatin1String("INF")) {
            max_->setText(QStringLiteral("INF"));
        }
    } else if (!infinite(max_->text()) &&
               leadingNumber(max_->text()) < leadingNumber(min_->text())) {
        min_->setText(max_->text());
    }
}

void TimeFields::maximumChanged() {
    if (!owner_->isVisible()) {
        return;
    }
    if (!infinite(max_->text()) && leadingNumber(max_->text()) < 0) {
        max_->setText(QStringLiteral("INF"));
        return;
    }
    if (!infinite(max_->text()) &&
        (infinite(min_->text()) || leadingNumber(max_->text()) < leadingNumber(min_->text()))) {
        max_->setText(min_->text());
    }
}

// ---- The editor window ---------------------------------------------------------

TextEditorForm::TextEditorForm(const EditorContext& context)
    : QDialog(context.parent), context_(context), routines_(*context.routines) {
    setObjectName(QStringLiteral("Form_texteditor"));
    setModal(true);
    auto* layout = new QVBoxLayout(this);
    menuBar_ = new QMenuBar(this);
    menuBar_->setNativeMenuBar(false);
    layout->setMenuBar(menuBar_);
    menuAssistant_ = menuBar_->addMenu(QStringLiteral("&Quenor Atoms"));
    menuAssistant_->setObjectName(QStringLiteral("menu_assistant"));
    buildMenu(menuAssistant_, atomMenuTree());
    menuAssistant_->addSeparator();
    QAction* help = menuAssistant_->addAction(QStringLiteral("&Help"));
    help->setObjectName(QStringLiteral("menuass_help"));
    connect(help, &QAction::triggered, this, [this] { routines_.openHelp(HelpDocument::Atoms); });

    text_ = new TextBox(this);
    text_->setObjectName(QStringLiteral("RichTextBox1"));
    QFont font(QStringLiteral("Courier New"), 10);
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    text_->setFont(font);
    text_->setLineWrapMode(QPlainTextEdit::NoWrap);
    text_->installEventFilter(this);
    layout->addWidget(text_, 1);

    auto* bottom = new QHBoxLayout;
    labelTextPos_ = new QLabel(QStringLiteral("Text position: 0"), this);
    labelTextPos_->setObjectName(QStringLiteral("Label_textpos"));
    bottom->addWidget(labelTextPos_);
    frameTiming_ =
        new QGroupBox(QStringLiteral("Time interval that this logic is expected to take"), this);
    frameTiming_->setObjectName(QStringLiteral("Frame_timing"));
    auto* timing = new QHBoxLayout(frameTiming_);
    textMin_ = new QLineEdit(frameTiming_);
    textMin_->setObjectName(QStringLiteral("Text_mint"));
    textMax_ = new QLineEdit(frameTiming_);
    textMax_->setObjectName(QStringLiteral("Text_maxt"));
    timing->addWidget(new QLabel(QStringLiteral("Minimum:"), frameTiming_));
    timing->addWidget(textMin_);
    timing->addWidget(new QLabel(QStringLiteral("Maximum:"), frameTiming_));
    timing->addWidget(textMax_);
    bottom->addWidget(frameTiming_, 1);
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("Command1"));
    ok->setAutoDefault(false);
    auto* discard = new QPushButton(QStringLiteral("Discard"), this);
    discard->setObjectName(QStringLiteral("Command2"));
    discard->setAutoDefault(false);
    bottom->addWidget(ok);
    bottom->addWidget(discard);
    layout->addLayout(bottom);
    new TimeFields(this, textMin_, textMax_);

    connect(ok, &QPushButton::clicked, this, &TextEditorForm::ok);
    connect(discard, &QPushButton::clicked, this, &QDialog::reject);
    connect(text_, &QPlainTextEdit::cursorPositionChanged, this, &TextEditorForm::showCaretLine);
    connect(text_, &QPlainTextEdit::selectionChanged, this, &TextEditorForm::showCaretLine);
    installEventFilter(this);
    // 2200 by 6564 twips at 15 twips a pixel.
    setMinimumSize(438, 147);
    resize(760, 520);
}

TextEditorForm::~TextEditorForm() {
    UnloadMacroScript();
}

void TextEditorForm::buildMenu(QMenu* menu, const std::vector<AtomMenuNode>& nodes) {
    for (const AtomMenuNode& node : nodes) {
        switch (node.type) {
            case AtomMenuNode::Type::Separator:
                menu->addSeparator();
                break;
            case AtomMenuNode::Type::Menu: {
                QMenu* sub = menu->addMenu(QString::fromLatin1(node.caption));
                sub->setObjectName(QString::fromLatin1(node.name));
                buildMenu(sub, node.children);
                break;
            }
            case AtomMenuNode::Type::Row: {
                const AtomRow& row = atomRows()[static_cast<std::size_t>(node.row)];
                QAction* action = menu->addAction(QString::fromLatin1(row.caption));
                action->setObjectName(QString::fromLatin1(row.entry));
                const int r = node.row;
                connect(action, &QAction::triggered, this, [this, r] { atomCommand(r); });
                atoms_[static_cast<std::size_t>(node.row)] = action;
                break;
            }
        }
    }
}

void TextEditorForm::prepare(const QString& text, const CodeEdit& edit) {
    QString code = text;
    const qsizetype nul = code.indexOf(QChar(0));
    if (nul >= 0) {
        code.truncate(nul);
    }
    frameTiming_->setVisible(edit.showTiming);
    if (edit.showTiming) {
        textMin_->setText(TimeFields::textOf(edit.minimum));
        textMax_->setText(TimeFields::textOf(edit.maximum));
    }
    kind_ = edit.kind;
    text_->setMaxLength(edit.maxLength);
    text_->setText(code);
    setWindowTitle("Edit - " + edit.title);
    QTextCursor cursor = text_->textCursor();
    cursor.setPosition(0);
    text_->setTextCursor(cursor);
    showCaretLine();
    prepareAssistant();
}

QString TextEditorForm::text() const {
    return text_->toPlainText();
}

bool TextEditorForm::timingShown() const {
    return !frameTiming_->isHidden();
}

float TextEditorForm::minimum() const {
    return timeValue(textMin_->text());
}

float TextEditorForm::maximum() const {
    return timeValue(textMax_->text());
}

void TextEditorForm::showCaretLine() {
    labelTextPos_->setText("Line " + withSign(text_->textCursor().blockNumber() + 1));
}

void TextEditorForm::ok() {
    accept();
}

bool TextEditorForm::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_G && (key->modifiers() & Qt::ControlModifier)) {
            ok();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TextEditorForm::prepareAssistant() {
    if (kind_ == kKindDefinitions) {
        menuAssistant_->menuAction()->setVisible(false);
        return;
    }
    menuAssistant_->menuAction()->setVisible(true);
    const QString title = QStringLiteral("Quenor Atoms Definition File");
    EngineBuffer file(160);
    if (GetAssistantMacroScriptFile(context_.languagePosition, file.data(), 160) == 0) {
        routines_.warning(title, QStringLiteral("Quenor Atoms Menu not available. Try selecting "
                                                "another codification language"));
        menuAssistant_->menuAction()->setEnabled(false);
        return;
    }
    if (LoadMacroScript(toEngine(file.trimmed()).constData()) == 0) {
        routines_.warning(title, QStringLiteral("Error loading Quenor Atoms definition file"));
        menuAssistant_->menuAction()->setEnabled(false);
        return;
    }
    menuAssistant_->menuAction()->setEnabled(true);
    for (int r = 0; r < kAtomRows; ++r) {
        const QByteArray macro = QByteArray(atomRows()[static_cast<std::size_t>(r)].macro);
        bool enabled = false;
        EngineBuffer probe(32);
        if (MakeMacroSubstitutions(macro.constData(), probe.data(), 30, 0, " ") == 1 &&
            probe.trimmed() != QLatin1String("<Not implemented>")) {
            EngineBuffer letters(32);
            enabled = ApplicabilityOfMacroScriptZone(macro.constData(), letters.data()) == 1 &&
                      atomApplies(letters.text(), kind_);
        }
        atoms_[static_cast<std::size_t>(r)]->setEnabled(enabled);
    }
}

bool TextEditorForm::runAssistantMacro(const QString& macro, QStringList& defaults) {
    const QByteArray zone = toEngine(macro);
    const int c = NumberOfMacrosFromMacroScript(zone.constData());
    if (c < 0) {
        routines_.warning(QString(),
                          QStringLiteral("Error interpreting assistant macro script file"));
        return false;
    }
    auto form = std::make_unique<AutoForm>(routines_, this);
    form->setWindowTitle(macro);
    form->setFrameCaption(QStringLiteral("Please fill in these values:"));
    form->resetentries();
    int next = 0;
    for (int p = 0; p < c; ++p) {
        EngineBuffer name(100);
        if (GetMacroNameFromMacroScript(p, zone.constData(), name.data(), 100) == 0) {
            routines_.warning(
                QString(),
                QStringLiteral("Error retrieving macro names from assistant macro script file"));
            return false;
        }
        const QString parameter = name.trimmed();
        if (parameter.startsWith(QLatin1Char('_'))) {
            continue;
        }
        form->addentry(parameter + ": ", next < defaults.size() ? defaults[next] : QString());
        ++next;
    }
    if (form->numentries() > 0) {
        routines_.showModal(*form);
        if (!form->readlastcommand()) {
            return false;
        }
    }
    // Substitutions registered for a failed atom must not leak into the next.
    struct Cleaner {
        ~Cleaner() { CleanMacroSubstitutions(); }
    } cleaner;
    for (int i = 0; i < form->numentries(); ++i) {
        const auto [label, labelFound] = form->readentrylabel(i);
        const auto [value, valueFound] = form->readentryvalue(i);
        if (!labelFound || !valueFound) {
            routines_.warning(
                QString(),
                QStringLiteral("Error retrieving macro names and values from dialog window"));
            return false;
        }
        const qsizetype colon = label.lastIndexOf(QLatin1Char(':'));
        if (colon < 1) {
            routines_.warning(QString(), QStringLiteral("Error accessing substitutions of macros"));
            return false;
        }
        const QString parameter = label.left(colon);
        static const QString prohibited = QStringLiteral("()#,");
        bool suspicious = false;
        for (QChar ch : value) {
            suspicious = suspicious || prohibited.contains(ch);
        }
        if (suspicious && !routines_.askYes(QStringLiteral("Parameter Checking"),
                                            QStringLiteral("In general, characters '#', ')', '(', "
                                                           "and ',' are prohibited within "
                                                           "parameters. Proceed?"))) {
            return false;
        }
        if (RegisterMacroSubstitution(toEngine(parameter).constData(),
                                      toEngine(value).constData()) == 0) {
            routines_.warning(QString(),
                              QStringLiteral("Error registering substitutions of macros"));
            return false;
        }
        while (defaults.size() <= i) {
            defaults << QString();
        }
        defaults[i] = trimBlanks(value);
    }
    EngineBuffer result(2000);
    if (MakeMacroSubstitutions(zone.constData(), result.data(), 2000, 0, " ") == 0) {
        routines_.warning(QString(), QStringLiteral("Error substituting macros"));
        return false;
    }
    text_->textCursor().insertText(result.trimmed());
    return true;
}

QString TextEditorForm::moduleName(int size) const {
    EngineBuffer name(size);
    NameOXAModule(name.data(), size);
    return name.trimmed();
}

namespace {

QString identifier(const QString& text, int size) {
    EngineBuffer out(size);
    ConvertToIdentifier(toEngine(text).constData(), out.data(), size);
    return out.trimmed();
}

}  // namespace

void TextEditorForm::addDependency(const QString& module, const QString& service,
                                   const float* pair) {
    if (ExistsModuleDependency(toEngine(module).constData(), toEngine(service).constData()) != 0) {
        return;
    }
    if (AddModuleDependency(toEngine(module).constData(), toEngine(service).constData(), pair) ==
        0) {
        routines_.warning(QString(),
                          QStringLiteral("Error adding module dependency (probably duplicated)"));
        return;
    }
    if (context_.moduleChanged) {
        context_.moduleChanged();
    }
}

void TextEditorForm::atomCommand(int row) {
    if (row < 0 || row >= kAtomRows) {
        return;
    }
    switch (row) {
        case kRowRequest:
            requestCommand();
            return;
        case kRowDynamicRequest:
            dynamicRequestCommand();
            return;
        case kRowSendBetaEvent:
            sendBetaEventCommand();
            return;
        case kRowSendNotification:
            sendNotificationCommand();
            return;
        default:
            break;
    }
    std::optional<QStringList> defaults = atomDefaults(row, moduleName(32));
    if (!defaults) {
        return;  // an entry without a command
    }
    runAssistantMacro(QString::fromLatin1(atomRows()[static_cast<std::size_t>(row)].macro),
                      *defaults);
}

void TextEditorForm::requestCommand() {
    const QString e;
    QStringList values;
    bool accepted = false;
    bool addDep = false;
    float target[2] = {0, 0};
    {
        auto wizard = std::make_unique<RequestWizard>(routines_, this);
        wizard->moduleChanged = context_.moduleChanged;
        routines_.showModal(*wizard);
        accepted = wizard->ok();
        if (accepted) {
            const bool own = wizard->ownService();
            const QString service = wizard->serviceName();
            const QString module = own ? moduleName(127) : wizard->moduleName();
            values << service << module << identifier(service, 64)
                   << (own ? QStringLiteral("object") : "REMOTE_" + identifier(module, 64) + "_var")
                   << e << QStringLiteral("err_var") << wizard->minimumText()
                   << wizard->maximumText() << e << e << e;
            if (own) {
                routines_.warning(QStringLiteral("Potential Deadlock Warning"),
                                  QStringLiteral("Remember not to request services of the same "
                                                 "module from a non-reentrant service, or to "
                                                 "request any non-reentrat service of the same "
                                                 "module!"));
            }
            const float requested[2] = {timeValue(wizard->minimumText()),
                                        timeValue(wizard->maximumText())};
            target[0] = wizard->targetMinimum();
            target[1] = wizard->targetMaximum();
            if (TimeIncluded(requested, target) == 0) {
                routines_.warning(
                    QStringLiteral("TIME REQUIREMENT FAILED"),
                    QStringLiteral(
                        "The time requirements of the request are not fulfilled by the target "
                        "service!"));
            }
            addDep = wizard->addDependency();
        } else {
            values << e << e << e << e << e << e << QStringLiteral("0") << QStringLiteral("INF")
                   << e << e << e;
        }
    }
    const bool done = runAssistantMacro(QString::fromLatin1(atomRows()[kRowRequest].macro), values);
    if (done && accepted && addDep) {
        addDependency(values.value(1), values.value(0), target);
    }
}

void TextEditorForm::dynamicRequestCommand() {
    const QString e;
    QStringList values;
    {
        auto wizard = std::make_unique<DynamicRequestWizard>(routines_, this);
        routines_.showModal(*wizard);
        if (wizard->ok()) {
            if (wizard->fromThisModule()) {
                routines_.warning(QStringLiteral("Potential Deadlock Warning"),
                                  QStringLiteral("Remember not to request services of the same "
                                                 "module from a non-reentrant service, or to "
                                                 "request any non-reentrat service of the same "
                                                 "module!"));
                values << QStringLiteral("\"This module\"");
            } else {
                values << wizard->moduleName();
            }
            values << wizard->serviceName();
            for (int i = 0; i < DynamicRequestWizard::kParameters; ++i) {
                values << wizard->parameter(i)
                       << (wizard->output(i) ? QStringLiteral("O") : QStringLiteral("I"));
            }
            values << QStringLiteral("err_var") << wizard->minimumText() << wizard->maximumText()
                   << e << e;
        } else {
            values << e << e;
            for (int i = 0; i < DynamicRequestWizard::kParameters; ++i) {
                values << e << QStringLiteral("I");
            }
            values << e << QStringLiteral("0") << QStringLiteral("INF") << e << e;
        }
    }
    runAssistantMacro(QString::fromLatin1(atomRows()[kRowDynamicRequest].macro), values);
}

void TextEditorForm::sendBetaEventCommand() {
    const QString e;
    QStringList values;
    bool accepted = false;
    bool addDep = false;
    {
        auto wizard = std::make_unique<SendBetaEventWizard>(routines_, this);
        wizard->moduleChanged = context_.moduleChanged;
        routines_.showModal(*wizard);
        accepted = wizard->ok();
        if (accepted) {
            values << wizard->eventName() << wizard->eventModule() << wizard->moduleText() << e;
            addDep = wizard->addDependency();
        } else {
            values << e << e << e << e;
        }
    }
    const bool done =
        runAssistantMacro(QString::fromLatin1(atomRows()[kRowSendBetaEvent].macro), values);
    if (done && accepted && addDep) {
        const float whole[2] = {0, 0};
        addDependency(values.value(2), QString(), whole);
    }
}

void TextEditorForm::sendNotificationCommand() {
    const QString e;
    QStringList values;
    {
        auto wizard = std::make_unique<SendNotificationWizard>(routines_, this);
        wizard->moduleChanged = context_.moduleChanged;
        routines_.showModal(*wizard);
        if (wizard->ok()) {
            values << wizard->notificationName() << identifier(moduleName(32), 32) << e;
        } else {
            values << e << e << e;
        }
    }
    runAssistantMacro(QString::fromLatin1(atomRows()[kRowSendNotification].macro), values);
}

// ---- EditCodeText -----------------------------------------------------------

bool editCodeText(const EditorContext& context, QString& text, CodeEdit& edit) {
    Routines& routines = *context.routines;
    if (GetOXAModuleCodificationLanguage() >= NumberOfDefinedCodificationLanguages() &&
        edit.kind != kKindDefinitions) {
        routines.warning(QStringLiteral("Edit Code"),
                         QStringLiteral("Cannot edit if no codification language is selected"));
        return false;
    }
    auto editor = std::make_unique<TextEditorForm>(context);
    editor->prepare(text, edit);
    const int result = routines.showModal(*editor);
    if (result != QDialog::Accepted) {
        return false;
    }
    text = editor->text();
    if (editor->timingShown()) {
        edit.minimum = editor->minimum();
        edit.maximum = editor->maximum();
    }
    return true;
}

}  // namespace orven::designer
