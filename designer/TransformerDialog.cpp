#include "TransformerDialog.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "FormatTransformer.h"
#include "Routines.h"
#include "SmallDialogs.h"
#include "Texts.h"

namespace orven::designer {

TransformerDialog::TransformerDialog(Routines& routines, FormatTransformer& transformer,
                                     QWidget* parent)
    : QDialog(parent), routines_(routines), transformer_(transformer) {
    setObjectName(QStringLiteral("Dialog_transformer"));
    setWindowTitle(QStringLiteral(".OXA File Format Transformer"));
    setModal(true);
    auto* layout = new QVBoxLayout(this);
    auto* up = new QLabel(
        QStringLiteral("Please select the desired file format, then \"Transform...\"."), this);
    up->setObjectName(QStringLiteral("Label_up"));
    layout->addWidget(up);
    frame_ = new QGroupBox(QStringLiteral("Destination format"), this);
    frame_->setObjectName(QStringLiteral("Frame_to"));
    options_ = new QVBoxLayout(frame_);
    layout->addWidget(frame_);
    auto* buttons = new QHBoxLayout;
    auto make = [this](const char* name, const char* caption) {
        auto* b = new QPushButton(QString::fromLatin1(caption), this);
        b->setObjectName(QString::fromLatin1(name));
        b->setAutoDefault(false);
        return b;
    };
    QPushButton* read = make("Command_readformat", "Consult file format...");
    QPushButton* convert = make("Command_convert", "Transform...");
    QPushButton* close = make("Command_exit", "Close");
    buttons->addWidget(read);
    buttons->addWidget(convert);
    buttons->addWidget(close);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    connect(read, &QPushButton::clicked, this, &TransformerDialog::consultFormat);
    connect(convert, &QPushButton::clicked, this, &TransformerDialog::transform);
    connect(close, &QPushButton::clicked, this, &TransformerDialog::closeDialog);
    connect(this, &QDialog::finished, this, &TransformerDialog::finish);
}

TransformerDialog::~TransformerDialog() {
    finish();
}

bool TransformerDialog::readFormats() {
    const QString title = QStringLiteral("ERROR");
    names_.clear();
    const int n = transformer_.numberOfFormats();
    if (n <= 0) {
        routines_.plain(title, QStringLiteral("ORVEN Transformer does not recognize any format"));
        return false;
    }
    int id = 0;
    if (transformer_.idOfFirstFormat(&id) == 0) {
        routines_.plain(title, QStringLiteral("ORVEN Transformer could not read first format"));
        return false;
    }
    for (int i = 0; i < n; ++i) {
        EngineBuffer name(10);
        if (transformer_.nameOfFormat(id, name.data(), 10) == 0) {
            routines_.plain(title,
                            QStringLiteral("ORVEN Transformer could not read a format name"));
            return false;
        }
        names_ << name.text();
        if (i < n - 1) {
            int next = 0;
            if (transformer_.idOfNextFormat(id, &next) == 0) {
                routines_.plain(title, QStringLiteral("ORVEN Transformer could not read a format"));
                return false;
            }
            id = next;
        }
    }
    return true;
}

bool TransformerDialog::load() {
    const QString title = QStringLiteral("ERROR");
    if (transformer_.initialize() == 0) {
        if (!transformer_.problem().isEmpty()) {
            qWarning("%s", qPrintable(transformer_.problem()));
        }
        routines_.plain(title, QStringLiteral("Error initiating ORVEN_transformer_DLL.dll"));
        return false;
    }
    initialized_ = true;
    if (!readFormats()) {
        routines_.plain(
            title, QStringLiteral("ORVEN Transformer could not init the list of file formats"));
        finish();
        return false;
    }
    for (int i = 0; i < names_.size(); ++i) {
        auto* option = new QRadioButton(names_[i], frame_);
        option->setObjectName("opto_" + QString::number(i));
        options_->addWidget(option);
        buttons_.push_back(option);
    }
    buttons_.back()->setChecked(true);
    return true;
}

int TransformerDialog::selectedPosition() const {
    for (std::size_t i = 0; i < buttons_.size(); ++i) {
        if (buttons_[i]->isChecked()) {
            return static_cast<int>(i);
        }
    }
    return 0;
}

void TransformerDialog::consultFormat() {
    const QString path = routines_.askFileName(QStringLiteral("Read file format"), FileMode::Open,
                                               QStringLiteral("*.oxa"));
    if (path.isEmpty()) {
        return;
    }
    EngineBuffer name(64);
    if (transformer_.readFileFormat(toEngine(path).constData(), name.data(), 64) != 0) {
        routines_.plain(QStringLiteral("Read File Format"),
                        "The file has the format: [" + name.text() + "]");
    } else {
        routines_.plain(QStringLiteral("Read File Format"),
                        QStringLiteral("Error reading format of file"));
    }
}

void TransformerDialog::transform() {
    const int position = selectedPosition();
    const QString source = routines_.askFileName(QStringLiteral("Convert origin file"),
                                                 FileMode::Open, QStringLiteral("*.oxa"));
    if (source.isEmpty()) {
        return;
    }
    const QString destination = routines_.askFileName(QStringLiteral("Convert destination file"),
                                                      FileMode::Save, QStringLiteral("*.oxa"));
    if (destination.isEmpty()) {
        return;
    }
    EngineBuffer log(16384);
    int r;
    {
        WaitCursor wait;
        r = transformer_.transformFile(toEngine(source).constData(),
                                       toEngine(destination).constData(), position, log.data(),
                                       16384);
    }
    {
        ShowLogDialog viewer(this);
        viewer.setLog(log.trimmed());
        routines_.showModal(viewer);
    }
    const QString title = QStringLiteral("Convert File");
    if (r == 1) {
        routines_.plain(title, QStringLiteral("Conversion not supported."));
    } else if (r == 2) {
        routines_.plain(title, QStringLiteral("File successfully converted."));
    } else {
        routines_.plain(title, QStringLiteral("Error reading or writing files."));
    }
}

void TransformerDialog::finish() {
    if (!initialized_) {
        return;
    }
    initialized_ = false;
    if (transformer_.finalize() == 0) {
        routines_.plain(QStringLiteral("ERROR"),
                        QStringLiteral("Error finalizing ORVEN_transformer_DLL.dll"));
    }
}

void TransformerDialog::closeDialog() {
    accept();
}

}  // namespace orven::designer
