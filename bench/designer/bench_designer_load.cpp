// Loading a module of 2,000 services in the designer and showing it: the
// module file is read, the window filled, the group of the services
// selected (its list filled) and the first service's design shown.
// Runs on the offscreen platform in a temporary working directory.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QTemporaryDir>

#include "MainForm.h"
#include "ScriptedInteraction.h"
#include "Texts.h"
#include "orven.h"

using namespace orven::designer;

namespace {

constexpr int kServices = 2000;

struct Setup {
    QTemporaryDir dir;
    ScriptedInteraction ui;
    std::unique_ptr<MainForm> form;
    QString path;

    bool prepare() {
        if (!dir.isValid() || !QDir(dir.path()).mkdir(QStringLiteral("externals")) ||
            !QFile::copy(QStringLiteral(ORVEN_SOURCE_DIR "/data/nonportable.cps"),
                         dir.filePath(QStringLiteral("nonportable.cps"))) ||
            !QDir::setCurrent(dir.path())) {
            return false;
        }
        MainForm::Options options;
        options.splashMilliseconds = 0;
        form = std::make_unique<MainForm>(ui, options);
        if (!form->startUp()) {
            return false;
        }
        form->show();
        // The module: a few other groups and one group that holds all the
        // services.
        CreateNewOXAModule("Big", "A module with a great number of services in it");
        for (int g = 0; g < 9; ++g) {
            const QByteArray group = "Group" + QByteArray::number(g);
            AddNewGroupOfServices(group.constData(), "One of the groups of the big module");
        }
        AddNewGroupOfServices("Main", "The group that holds all of the services");
        for (int made = 0; made < kServices; ++made) {
            const QByteArray name = "service" + QByteArray::number(made);
            CreateOXAService("Main", name.constData(), "A service of the main group");
            ChangeOXAServiceInputData("Main", name.constData(), "long a\ndouble b");
            ChangeOXAServiceChars("Main", name.constData(), " *    ");
        }
        path = dir.filePath(QStringLiteral("big.oxa"));
        const bool saved = SaveOXAModule(toEngine(path).constData()) == 1;
        DeleteCurrentOXAModule();
        return saved;
    }
};

Setup* setup = nullptr;

void LoadAndShowModule(benchmark::State& state) {
    auto* groups = setup->form->findChild<QListWidget*>(QStringLiteral("List_Groups"));
    auto* services = setup->form->findChild<QListWidget*>(QStringLiteral("List_Services"));
    int shown = 0;
    for (auto _ : state) {
        setup->form->loadModuleFromFile(setup->path);
        groups->setCurrentRow(groups->count() - 1);  // "Main"
        services->setCurrentRow(0);
        QApplication::processEvents();
        shown = services->count();
    }
    state.counters["services_listed"] = shown;
    if (!setup->ui.calls().empty() || shown != kServices) {
        state.SkipWithError("the module was not shown as expected");
    }
}
BENCHMARK(LoadAndShowModule)->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    Setup s;
    if (!s.prepare()) {
        std::fprintf(stderr, "could not prepare the module\n");
        return 1;
    }
    setup = &s;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    s.form.reset();
    return 0;
}
