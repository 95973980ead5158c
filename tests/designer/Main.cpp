// The test program of the designer: a QApplication on the offscreen
// platform, then the tests.
#include <gtest/gtest.h>

#include <QApplication>

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("ORVEN_MD"));
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
