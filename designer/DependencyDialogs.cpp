#include "DependencyDialogs.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>
#include <memory>

#include "Routines.h"
#include "Texts.h"
#include "orven.h"

namespace orven::designer {

namespace {

struct Dependency {
    bool ok = false;
    QString module;
    QString service;
    float pair[2] = {0, -1};
};

Dependency readDependencyAt(bool other, int position) {
    Dependency d;
    EngineBuffer module(32);
    EngineBuffer service(32);
    int r = other
                ? ReadOtherModuleDependency(position, module.data(), service.data(), 32, 32, d.pair)
                : ReadModuleDependency(position, module.data(), service.data(), 32, 32, d.pair);
    d.ok = r != 0;
    d.module = module.text();
    d.service = service.text();
    return d;
}

}  // namespace

ClientListDialog::ClientListDialog(Routines& routines, QWidget* parent)
    : FlagDialog(routines, parent, QStringLiteral("Dialog_clientlist"),
                 QStringLiteral("Client of")) {
    auto* layout = new QVBoxLayout(this);
    labelNumber_ = new QLabel(this);
    labelNumber_->setObjectName(QStringLiteral("Label_number"));
    list_ = new QListWidget(this);
    list_->setObjectName(QStringLiteral("List_Clients"));
    layout->addWidget(labelNumber_);
    auto* row = new QHBoxLayout;
    row->addWidget(list_, 1);
    auto* buttons = new QVBoxLayout;
    QPushButton* add = button(QStringLiteral("Command_add"), QStringLiteral("Add"));
    QPushButton* addVisual =
        button(QStringLiteral("Command_addvisual"), QStringLiteral("Add from Module"));
    QPushButton* remove = button(QStringLiteral("Command_remove"), QStringLiteral("Remove"));
    QPushButton* close = button(QStringLiteral("CloseButton"), QStringLiteral("Close"));
    buttons->addWidget(add);
    buttons->addWidget(addVisual);
    buttons->addWidget(remove);
    buttons->addStretch();
    buttons->addWidget(close);
    row->addLayout(buttons);
    layout->addLayout(row);
    auto* label1 = new QLabel(
        QStringLiteral("-Remember that you can add a dependency on a whole module by leaving "
                       "the service part empty."),
        this);
    label1->setObjectName(QStringLiteral("Label1"));
    label1->setWordWrap(true);
    auto* label2 = new QLabel(
        QStringLiteral("-This very module should not appear in this dependencies list. "), this);
    label2->setObjectName(QStringLiteral("Label2"));
    label2->setWordWrap(true);
    layout->addWidget(label1);
    layout->addWidget(label2);
    connect(add, &QPushButton::clicked, this, &ClientListDialog::add);
    connect(addVisual, &QPushButton::clicked, this, &ClientListDialog::addFromModule);
    connect(remove, &QPushButton::clicked, this, &ClientListDialog::remove);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    connect(list_, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
    resize(500, 340);
}

void ClientListDialog::readDependency(int position) {
    Dependency d = readDependencyAt(false, position);
    const QString text = d.ok ? formatServiceReference(d.module, d.service, d.pair[0], d.pair[1])
                              : QStringLiteral("<error reading dependency>");
    list_->insertItem(position, text);
}

void ClientListDialog::writeHeader() {
    const int n = list_->count();
    labelNumber_->setText("This module has currently " + withSign(n) + " dependenc" +
                          (n == 1 ? "y" : "ies") + ".");
}

void ClientListDialog::load() {
    list_->clear();
    const int n = GetNumberOfModuleDependencies();
    for (int i = 0; i < n; ++i) {
        readDependency(i);
    }
    writeHeader();
    setFlag(0);
}

int ClientListDialog::selectedIndex() const {
    const auto items = list_->selectedItems();
    return items.isEmpty() ? -1 : list_->row(items.front());
}

void ClientListDialog::add() {
    const int n = list_->count();
    auto dialog = std::make_unique<DependencyDialog>(routines_, this);
    routines_.showModal(*dialog);
    if (dialog->flag() == 1) {
        const float pair[2] = {0, -1};
        if (AddModuleDependency(toEngine(dialog->moduleName()).constData(),
                                toEngine(dialog->serviceName()).constData(), pair) != 0) {
            readDependency(n);
            setFlag(1);
        } else {
            routines_.warning(
                QString(),
                QStringLiteral("Error adding module dependency (dependency probably duplicated)"));
        }
    }
    writeHeader();
}

void ClientListDialog::addFromModule() {
    const QString path = routines_.askFileName(QStringLiteral("Server Module"), FileMode::Open,
                                               QStringLiteral("*.oxa"));
    if (path.isEmpty()) {
        return;
    }
    const QByteArray enginePath = toEngine(path);
    if (routines_.askYes(
            QStringLiteral("Special Dependency"),
            QStringLiteral("Want to add a dependency representing the whole module?"))) {
        EngineBuffer module(32);
        EngineBuffer service(32);
        float pair[2] = {0, 0};
        if (ReadOtherModuleAsWholeDependency(enginePath.constData(), module.data(), service.data(),
                                             32, 32, pair) == 0) {
            routines_.warning(QString(),
                              QStringLiteral("Error retrieving whole module dependency"));
            return;
        }
        if (AddModuleDependency(toEngine(module.trimmed()).constData(),
                                toEngine(service.trimmed()).constData(), pair) != 0) {
            readDependency(GetNumberOfModuleDependencies() - 1);
            setFlag(1);
            writeHeader();
        } else {
            routines_.warning(QString(), QStringLiteral("Error adding whole module dependency"));
        }
        return;
    }
    if (LoadOtherModuleAsDependencies(enginePath.constData()) == 0) {
        routines_.warning(QString(), QStringLiteral("Error reading services from module"));
        return;
    }
    auto dialog = std::make_unique<OtherServicesDialog>(routines_, this);
    dialog->load();
    routines_.showModal(*dialog);
    if (dialog->flag() == 1) {
        const QString marks = dialog->selected();
        for (int k = 1; k <= marks.size(); ++k) {
            if (marks[k - 1] != QLatin1Char('*')) {
                continue;
            }
            ServiceReference ref = parseServiceReference(dialog->itemText(k - 1));
            const float pair[2] = {ref.minimum, ref.maximum};
            if (AddModuleDependency(toEngine(ref.module).constData(),
                                    toEngine(ref.service).constData(), pair) != 0) {
                readDependency(GetNumberOfModuleDependencies() - 1);
                setFlag(1);
            } else {
                routines_.warning(QString(), QStringLiteral("Error adding module dependency"));
            }
            writeHeader();
        }
    }
    ClearOtherModuleDependencies();
}

void ClientListDialog::remove() {
    const int position = selectedIndex();
    if (position < 0) {
        return;
    }
    if (RemoveModuleDependency(position) != 0) {
        delete list_->takeItem(position);
        setFlag(1);
    } else {
        routines_.warning(QString(), QStringLiteral("Error removing selected dependency"));
    }
    writeHeader();
}

DependencyDialog::DependencyDialog(Routines& routines, QWidget* parent)
    : FlagDialog(routines, parent, QStringLiteral("Dialog_dependency"),
                 QStringLiteral("New Dependency")) {
    auto* grid = new QGridLayout(this);
    text1_ = new QLineEdit(this);
    text1_->setObjectName(QStringLiteral("Text1"));
    text2_ = new QLineEdit(this);
    text2_->setObjectName(QStringLiteral("Text2"));
    grid->addWidget(new QLabel(QStringLiteral("OXA Module Name:"), this), 0, 0);
    grid->addWidget(text1_, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("Service Name:"), this), 1, 0);
    grid->addWidget(text2_, 1, 1);
    QPushButton* ok = button(QStringLiteral("Command1"), QStringLiteral("OK"));
    QPushButton* cancel = button(QStringLiteral("Command2"), QStringLiteral("Cancel"));
    ok->setDefault(true);
    QHBoxLayout* buttons = rightAlignedRow({ok, cancel});
    grid->addLayout(buttons, 2, 0, 1, 2);
    connect(ok, &QPushButton::clicked, this, &DependencyDialog::ok);
    connect(cancel, &QPushButton::clicked, this, [this] { hideWith(0); });
}

QString DependencyDialog::moduleName() const {
    return text1_->text();
}
QString DependencyDialog::serviceName() const {
    return text2_->text();
}

void DependencyDialog::ok() {
    if (trimBlanks(text1_->text()).isEmpty()) {
        routines_.warning(QStringLiteral("Module Name"),
                          QStringLiteral("Module Name is mandatory."));
        return;
    }
    if (text2_->text().isEmpty() &&
        !routines_.askYes(QStringLiteral("Special Dependency"),
                          QStringLiteral("Sure to enter a dependency on a whole module?"))) {
        return;
    }
    hideWith(1);
}

OtherServicesDialog::OtherServicesDialog(Routines& routines, QWidget* parent)
    : FlagDialog(routines, parent, QStringLiteral("Dialog_otherservices"),
                 QStringLiteral("Offered Services"), QStringLiteral("Check_ok")) {
    auto* layout = new QVBoxLayout(this);
    labelNumber_ = new QLabel(this);
    labelNumber_->setObjectName(QStringLiteral("Label_number"));
    list_ = new QListWidget(this);
    list_->setObjectName(QStringLiteral("List_Services"));
    list_->setSelectionMode(QAbstractItemView::MultiSelection);
    layout->addWidget(labelNumber_);
    layout->addWidget(list_);
    QPushButton* ok = button(QStringLiteral("OKButton"), QStringLiteral("OK"));
    QPushButton* cancel = button(QStringLiteral("CancelButton"), QStringLiteral("Cancel"));
    QHBoxLayout* buttons = rightAlignedRow({ok, cancel});
    layout->addLayout(buttons);
    connect(ok, &QPushButton::clicked, this, [this] { hideWith(1); });
    connect(cancel, &QPushButton::clicked, this, [this] { hideWith(0); });
    connect(list_, &QListWidget::itemClicked, this, &OtherServicesDialog::clicked);
    connect(list_, &QListWidget::itemDoubleClicked, this, &OtherServicesDialog::doubleClicked);
    resize(460, 320);
}

void OtherServicesDialog::load() {
    const int n = NumberOfDependenciesOtherModule();
    list_->clear();
    for (int i = 0; i < n; ++i) {
        Dependency d = readDependencyAt(true, i);
        list_->addItem(d.ok ? formatServiceReference(d.module, d.service, d.pair[0], d.pair[1])
                            : QStringLiteral("<error reading service>"));
    }
    labelNumber_->setText("The loaded module offers " + withSign(n) + " service" +
                          (n == 1 ? "" : "s") + ".");
    selected_ = QString(n, QLatin1Char(' '));
    showMarks();
}

QString OtherServicesDialog::itemText(int row) const {
    QListWidgetItem* item = list_->item(row);
    return item == nullptr ? QString() : item->text();
}

void OtherServicesDialog::toggle(int row) {
    if (row < 0) {
        return;
    }
    while (selected_.size() <= row) {
        selected_ += QLatin1Char(' ');
    }
    selected_[row] = selected_[row] == QLatin1Char('*') ? QLatin1Char(' ') : QLatin1Char('*');
}

void OtherServicesDialog::showMarks() {
    QSignalBlocker block(list_);
    for (int i = 0; i < list_->count(); ++i) {
        list_->item(i)->setSelected(i < selected_.size() && selected_[i] == QLatin1Char('*'));
    }
}

void OtherServicesDialog::clicked(QListWidgetItem* item) {
    toggle(list_->row(item));
    showMarks();
}

void OtherServicesDialog::doubleClicked(QListWidgetItem* item) {
    selected_ = QString(list_->count() + 1, QLatin1Char(' '));
    toggle(list_->row(item));
    showMarks();
    hideWith(1);
}

}  // namespace orven::designer
