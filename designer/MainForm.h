// MainForm: the designer's main window. It keeps only the view state (is a
// module present, its path, is it modified, the selected group and
// service); every value it shows is read from the engine and every edit is
// written back at once.
//
// Names: every window and control carries its design name as objectName.
// Control arrays are named by the array name followed by the index
// ("Check_srvchrs0" ... "Check_srvchrs5", "Option_typeofservice0" ... 2,
// "GP_option_genplat0" ...). The status bar panels are named by their keys
// ("oxaids", "oxaprio"); the entries of the pop-up menus are
// "Popup_groups_add", "Popup_groups_change", "Popup_groups_delete",
// "Popup_srv_add", "Popup_srv_change", "Popup_srv_editcode" and
// "Popup_srv_delete".
#pragma once

#include <QMainWindow>
#include <QPointer>
#include <array>
#include <functional>
#include <memory>
#include <vector>

#include "FormatTransformer.h"
#include "Routines.h"

class QAction;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QPushButton;
class QRadioButton;
class QScrollBar;
class QTabBar;
class QTimer;
class QVBoxLayout;

namespace orven::designer {

class ClickableLabel;
class GenerationPage;
class SplashWindow;
struct EditorContext;
class TextBox;

class MainForm : public QMainWindow {
    Q_OBJECT
  public:
    struct Options {
        // How long the splash window stays at start-up.
        int splashMilliseconds = 2000;
        // Makes the format transformer (by default the outside library).
        TransformerFactory transformer;
    };

    MainForm(Interaction& interaction, Options options);
    ~MainForm() override;

    // Start-up: splash window, the "externals" check, the engine's
    // initialisation and view update 0. False after the critical stop (the
    // window is then closed and must not be shown).
    bool startUp();
    // Shut-down, also run when the window closes: the module is closed
    // (asking what to do with changes) and the engine finalised. Runs once.
    void shutDown();

    Routines& routines() { return routines_; }

    // View state.
    bool oxaPresent() const { return oxaPresent_; }
    const QString& oxaPath() const { return oxaPath_; }
    bool oxaChanged() const { return oxaChanged_; }
    bool eventsSuspended() const { return noEvents_; }
    void setModified();
    void clearModified();
    void suspendEvents() { noEvents_ = true; }
    void resumeEvents() { noEvents_ = false; }
    void updateView(int code);
    void updateCaption();

    // Module commands.
    void newModule();
    void loadModule();
    // Loads the file as the current module (the part of the load command
    // after the file dialog).
    void loadModuleFromFile(const QString& path);
    bool saveModule();
    bool saveModuleAs();
    void closeModule() { closeModuleAsking(true); }
    void quit();
    bool closeModuleAsking(bool checkDeportabilization);
    bool prepareGeneralInfoForSave();
    void changeModuleIds();
    void changeModulePriority();
    void extractExternalsFromDsp();
    void checkChangedExternals(int kind, const QString& caption);
    void interpretCompactedText();
    void transformFormats();
    void showAbout();

    // Structural design page.
    void addGroup();
    void newService();
    void renameGroup();
    void deleteGroup();
    void renameService();
    void deleteService();
    void groupSelected();
    void serviceSelected();
    void typeClicked(int type);
    void characteristicClicked(int index);
    void relativePriorityTyped();
    void relativePriorityScrolled(int position);
    void handlerCodeEdited();
    void handlerModuleEdited();
    void getSignal();
    void setInputData();
    void discardInputData();
    void autoInputToggled();
    void setOutputData();
    void discardOutputData();
    void autoOutputToggled();
    void inputDataEdited();
    void outputDataEdited();
    void showDefinedSignals();
    void showDependencies();
    void showGeneralInfo();
    QString selectedGroup() const;
    QString selectedService() const;

    // Codification page: the language list.
    void languageChosen(int position);
    // Non-portable page: the deportabilization.
    void platformClicked(int platform);
    void componentChosen(int entry);
    void removeComponents();
    void clearPlatform();
    void backupDeportabilization();
    void restoreDeportabilization();
    void clearAllDeportabilization();
    int chosenPlatform() const;

    // Shows the entries of a kind whose files changed (the external objects
    // dialog) and reports whether the module was changed. Without it the
    // check asks its question and changes nothing.
    std::function<bool(int kind, const QString& caption)> reloadChangedExternals;

    // ---- Code editor, external objects and generation (CodeSections.cpp) ----
    // The module code-section buttons: 0 public definitions, 1 internal
    // status, 2 auxiliary logic, 3 startup, 4 pre-ending, 5 post-ending logic.
    void editModuleSection(int section);
    // The server code of the selected service.
    void editServiceCode();
    // The external objects of a kind (Dialog_externalobjects); true when
    // the module was changed, which marks it modified.
    bool showExternalObjects(int kind, const QString& caption);
    // What the code editor needs from this window.
    EditorContext editorContext();
    GenerationPage* generationPage() const { return generation_; }

  protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    void buildMenus();
    void buildPages();
    QWidget* buildStructuralPage();
    QWidget* buildCodificationPage();
    QWidget* buildNonPortablePage();
    QWidget* buildImplementationPage();
    void buildStatusBar();
    void criticalStop();

    void showModule();      // view update 2
    void moduleClosed();    // view update 3
    void pageVisibility();  // view update 1
    void fillGroups();
    void fillServiceDesign();
    void refreshServiceDetails();  // view update 6
    void showCharacteristics(int type, const QString& chars);
    void showDataFrames(int type, const QString& chars);
    QString readCharacteristics(bool* ok) const;
    int selectedType() const;
    void loadDataText(int kind);
    void fillLanguages();
    void showModuleLanguage();
    void createPlatformOptions();
    void refreshDeportabilization();  // view update 7
    void fillPlatform(int platform);
    void languageRefresh();  // view update 19
    void loadSucceeded(const QString& path, bool checkExternals);
    bool saveTo(const QString& path);
    // Connects the code-section, service-code and external buttons and adds
    // the generation part of the implementation page (CodeSections.cpp).
    void buildCodeAndGeneration();

    Routines routines_;
    Options options_;

    // View state.
    bool oxaPresent_ = false;
    QString oxaPath_;
    bool oxaChanged_ = false;
    bool noEvents_ = false;
    qint16 relprioOld_ = -1;
    qint16 oxaRelprioOld_ = -1;
    bool timerEnd_ = false;
    bool engineReady_ = false;
    bool shutDown_ = false;

    std::unique_ptr<SplashWindow> splash_;
    QTimer* timer1_ = nullptr;

    // Menus.
    QAction* fileNew_ = nullptr;
    QAction* fileClose_ = nullptr;
    QAction* fileLoad_ = nullptr;
    QAction* fileSaveAs_ = nullptr;
    QAction* fileSave_ = nullptr;
    QAction* fileQuit_ = nullptr;
    QAction* editAddGroup_ = nullptr;
    QAction* editNewService_ = nullptr;
    QAction* toolsCompact_ = nullptr;
    QAction* toolsExtractDsp_ = nullptr;
    QAction* toolsTransformer_ = nullptr;
    QMenu* popupGroups_ = nullptr;
    QMenu* popupServices_ = nullptr;
    QAction* popGroupAdd_ = nullptr;
    QAction* popGroupChange_ = nullptr;
    QAction* popGroupDelete_ = nullptr;
    QAction* popServiceAdd_ = nullptr;
    QAction* popServiceChange_ = nullptr;
    QAction* popServiceEditCode_ = nullptr;
    QAction* popServiceDelete_ = nullptr;

    // Tabs, pages and status bar.
    QTabBar* tabStrip1_ = nullptr;
    QTabBar* tabStrip2_ = nullptr;
    QWidget* frameStructural_ = nullptr;
    QWidget* frameCodification_ = nullptr;
    QWidget* frameNonPortable_ = nullptr;
    QWidget* frameImplementation_ = nullptr;
    ClickableLabel* panelIds_ = nullptr;
    ClickableLabel* panelPriority_ = nullptr;
    ClickableLabel* imageModified_ = nullptr;
    ClickableLabel* image1_ = nullptr;

    // Structural page.
    QGroupBox* frameOxaGenerals_ = nullptr;
    ClickableLabel* labelOxaName_ = nullptr;
    ClickableLabel* labelOxaDescr_ = nullptr;
    QPushButton* commandPredefinitions_ = nullptr;
    QPushButton* commandBetaEventList_ = nullptr;
    QPushButton* commandClientList_ = nullptr;
    QPushButton* commandGenInfo_ = nullptr;
    QGroupBox* frameGroups_ = nullptr;
    QListWidget* listGroups_ = nullptr;
    QGroupBox* frameServices_ = nullptr;
    QListWidget* listServices_ = nullptr;
    QGroupBox* frameServ_ = nullptr;
    QButtonGroup* typeGroup_ = nullptr;
    std::array<QRadioButton*, 3> optionType_{};
    QGroupBox* frameBetaEventHandler_ = nullptr;
    QPushButton* commandWizardEvent_ = nullptr;
    QLineEdit* textCodeBeta_ = nullptr;
    QLabel* labelBetaModule_ = nullptr;
    QLineEdit* textBetaModule_ = nullptr;
    QLabel* labelServRelPrio_ = nullptr;
    QLineEdit* textRelPrio_ = nullptr;
    QScrollBar* vscrollRelPrio_ = nullptr;
    QLabel* labelDynPrio_ = nullptr;
    QGroupBox* frameCharacteristics_ = nullptr;
    std::array<QCheckBox*, 6> checkChars_{};
    QGroupBox* frameInputData_ = nullptr;
    TextBox* inputText_ = nullptr;
    QPushButton* setInput_ = nullptr;
    QPushButton* discardInput_ = nullptr;
    QCheckBox* autoIn_ = nullptr;
    QGroupBox* frameOutputData_ = nullptr;
    TextBox* outputText_ = nullptr;
    QPushButton* setOutput_ = nullptr;
    QPushButton* discardOutput_ = nullptr;
    QCheckBox* autoOut_ = nullptr;

    // Codification page.
    QGroupBox* frameCodLang_ = nullptr;
    QComboBox* comboLang_ = nullptr;
    QGroupBox* frameServiceCodification_ = nullptr;
    QLabel* labelSrvSelected_ = nullptr;
    QPushButton* commandEditCode_ = nullptr;
    QGroupBox* frameOxaCodeEdition_ = nullptr;
    QPushButton* commandGlobalData_ = nullptr;
    QPushButton* commandGlobalCode_ = nullptr;
    QPushButton* commandEditStartup_ = nullptr;
    QPushButton* commandEditPreEnding_ = nullptr;
    QPushButton* commandEditPostEnding_ = nullptr;

    // Non-portable page.
    QGroupBox* frameCompilationData_ = nullptr;
    QVBoxLayout* platformOptions_ = nullptr;
    QButtonGroup* platformGroup_ = nullptr;
    std::vector<QRadioButton*> platformButtons_;
    QListWidget* listDeportabilization_ = nullptr;
    QComboBox* comboSelect_ = nullptr;

    // Implementation page.
    QGroupBox* frame3_ = nullptr;
    QPushButton* commandExternal_ = nullptr;
    QPushButton* commandExtCode_ = nullptr;
    QPushButton* commandExtPassive_ = nullptr;
    GenerationPage* generation_ = nullptr;
};

}  // namespace orven::designer
