// ORVEN_MD, the designer of OXA modules.
//
// Hidden options for documentation: --screenshot FILE [--module FILE] starts
// the designer without asking anything, loads the module, shows its first
// group and service, saves a picture of the main window into FILE and ends.
// With --view editor the picture shows the code editor with its assistant
// menu open, with --view implementation the implementation page.
#include <QApplication>
#include <QListWidget>
#include <QScreen>
#include <QStringList>
#include <QTabBar>
#include <QTimer>
#include <cstdio>

#include "MainForm.h"
#include "QtInteraction.h"
#include "Screenshots.h"
#include "ScriptedInteraction.h"

using orven::designer::MainForm;

namespace {

int takeScreenshot(const QString& file, const QString& module, const QString& view) {
    orven::designer::ScriptedInteraction silent;
    silent.onCall = [](const orven::designer::ScriptedInteraction::Call& call) {
        std::fprintf(stderr, "ORVEN_MD: %s: %s\n", qPrintable(call.title), qPrintable(call.text));
    };
    MainForm::Options options;
    options.splashMilliseconds = 0;
    MainForm window(silent, options);
    if (!window.startUp()) {
        return 1;
    }
    window.resize(1180, 800);
    window.show();
    if (!module.isEmpty()) {
        window.loadModuleFromFile(module);
        if (auto* groups = window.findChild<QListWidget*>(QStringLiteral("List_Groups"));
            groups != nullptr && groups->count() > 0) {
            groups->setCurrentRow(0);
        }
        if (auto* services = window.findChild<QListWidget*>(QStringLiteral("List_Services"));
            services != nullptr && services->count() > 0) {
            services->setCurrentRow(0);
        }
    }
    for (int i = 0; i < 20; ++i) {
        QApplication::processEvents();
    }
    if (view == QLatin1String("editor") || view == QLatin1String("implementation")) {
        const bool saved = view == QLatin1String("editor")
                               ? orven::designer::editorScreenshot(window, silent, file)
                               : orven::designer::implementationScreenshot(window, file);
        window.close();
        return saved ? 0 : 1;
    }
    QPixmap picture;
    if (QScreen* screen = window.screen(); screen != nullptr) {
        picture = screen->grabWindow(window.winId());
    }
    if (picture.isNull() || picture.size().isEmpty()) {
        picture = window.grab();
    }
    const bool saved = picture.save(file);
    window.close();
    if (!saved) {
        std::fprintf(stderr, "ORVEN_MD: could not write %s\n", qPrintable(file));
    }
    return saved ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("ORVEN_MD"));
    const QStringList args = QApplication::arguments();
    const qsizetype shot = args.indexOf(QStringLiteral("--screenshot"));
    if (shot >= 0 && shot + 1 < args.size()) {
        const qsizetype module = args.indexOf(QStringLiteral("--module"));
        const qsizetype view = args.indexOf(QStringLiteral("--view"));
        return takeScreenshot(
            args[shot + 1], module >= 0 && module + 1 < args.size() ? args[module + 1] : QString(),
            view >= 0 && view + 1 < args.size() ? args[view + 1] : QString());
    }
    orven::designer::QtInteraction interaction;
    MainForm window(interaction, MainForm::Options{});
    interaction.setParentWindow(&window);
    if (!window.startUp()) {
        return 1;
    }
    window.show();
    return QApplication::exec();
}
