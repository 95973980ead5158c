// Helpers of the tests of the code editor, the wizards, the external objects
// and the generation front end: a module "Counter" with the group "Main"
// and its service "Count", and the driving of the editor window.
#pragma once

#include <QComboBox>
#include <functional>
#include <utility>

#include "CodeEditor.h"
#include "DesignerFixture.h"
#include "SmallDialogs.h"
#include "Texts.h"
#include "Widgets.h"
#include "orven.h"

namespace orven::designer::test {

inline TextEditorForm* asEditor(QDialog& dialog) {
    auto* editor = qobject_cast<TextEditorForm*>(&dialog);
    EXPECT_NE(editor, nullptr) << "not the editor: " << dialog.objectName().toStdString();
    return editor;
}

inline TextBox* codeBox(TextEditorForm& editor) {
    return control<TextBox>(&editor, QStringLiteral("RichTextBox1"));
}

// The labels and values of the entries of a substitution form.
inline std::pair<QStringList, QStringList> entries(const AutoForm& form) {
    QStringList labels, values;
    for (int i = 0; i < form.numentries(); ++i) {
        labels << form.readentrylabel(i).first;
        values << form.readentryvalue(i).first;
    }
    return {labels, values};
}

// The text of a module code section.
inline QString moduleText(int (*read)(char*, int), int lengthKind) {
    const int n = LengthOXAModuleData(lengthKind);
    EngineBuffer buffer(n + 1);
    read(buffer.data(), n + 1);
    return buffer.text();
}

inline QString serviceCode(const char* group, const char* service) {
    const int n = LengthOXAServiceData(0, group, service);
    EngineBuffer buffer(n + 1);
    RetrieveOXAServiceServerCode(group, service, buffer.data(), n + 1);
    return buffer.text();
}

class CodeEditing : public DesignerTest {
  protected:
    void SetUp() override {
        DesignerTest::SetUp();
        ASSERT_TRUE(start());
        beforeModule();
        newModule(QStringLiteral("Counter"));
        addGroup(QStringLiteral("Main"));
        addService(QStringLiteral("Main"), QStringLiteral("Count"));
        ASSERT_EQ(NumberOfServices("Main"), 1);
        ui_.clearCalls();
    }

    // Runs before the module "Counter" is made (the engine has no module).
    virtual void beforeModule() {}

    void chooseLanguage(int position) {
        auto* combo = ctl<QComboBox>(QStringLiteral("Combo_lang"));
        combo->setCurrentIndex(position);
        emit combo->activated(position);
    }

    // Opens the editor of a code-section button and runs the handler in it.
    void editSection(const char* button, const std::function<void(TextEditorForm&)>& handler) {
        bool shown = false;
        ui_.handleDialog([&](QDialog& d) {
            shown = true;
            if (TextEditorForm* e = asEditor(d)) {
                handler(*e);
            }
        });
        click(ctl<QAbstractButton>(QString::fromLatin1(button)));
        EXPECT_TRUE(shown) << "the editor of " << button << " did not open";
    }

    // Opens the editor of the selected service.
    void editService(const std::function<void(TextEditorForm&)>& handler) {
        bool shown = false;
        ui_.handleDialog([&](QDialog& d) {
            shown = true;
            if (TextEditorForm* e = asEditor(d)) {
                handler(*e);
            }
        });
        click(ctl<QAbstractButton>(QStringLiteral("Command_editcode")));
        EXPECT_TRUE(shown) << "the service's editor did not open";
    }
};

}  // namespace orven::designer::test
