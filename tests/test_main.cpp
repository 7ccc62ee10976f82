// Shared entry point for every layer's tests: a QApplication exists for the
// whole run so widget tests can build real windows on the offscreen platform,
// whose one screen is a small laptop's, 1366x768.
#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    if (platform.isEmpty() || platform == "offscreen")
        qputenv("QT_QPA_PLATFORM",
                "offscreen:configfile=" CORVANE_FIXTURES "/screen/1366x768.json");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
