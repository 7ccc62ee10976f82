// The settings file from the menu and the command line, and a save that fails.
#include "settingsfilefixture.h"

using namespace pellion;
using namespace pellion::test;

TEST_F(Settings, TheMenuItemsAskForTheFile) {
    const QString path = temp(QStringLiteral("menu.txt"));
    services.files.answers.push_back(path);
    m->mnuWriteOmbrelle->trigger();
    ASSERT_TRUE(QFileInfo::exists(path));
    ASSERT_EQ(services.files.requests.size(), 1u);
    EXPECT_EQ(services.files.requests[0].filter, QStringLiteral("Test Files (*.txt)|*.txt"));
    EXPECT_TRUE(services.files.requests[0].save);
    m->paLevel->setValue(3);
    services.files.answers.push_back(path);
    m->mnuOpen->trigger();
    EXPECT_EQ(m->paLevel->value(), 48);
    EXPECT_FALSE(services.files.requests[1].save);
    m->mnuOpen->trigger(); // cancelled: nothing happens
    EXPECT_TRUE(messageTexts().empty());
}

TEST_F(Settings, AMissingFileOnTheCommandLineIsReportedAndTheProgramStarts) {
    const QString path = temp(QStringLiteral("not there.txt"));
    OtherProgram other;
    Main& panel = other.app->start({QStringLiteral("\"") + path + QStringLiteral("\"")});
    ASSERT_EQ(other.services.messages.texts().size(), 1u);
    const QString said = other.services.messages.texts()[0];
    EXPECT_TRUE(said.contains(nativeName(path))) << said.toStdString();
    EXPECT_TRUE(said.contains(QStringLiteral("No such file or directory")));
    EXPECT_EQ(readouts(panel), readouts(*m)); // the start-up set-up
    EXPECT_FALSE(QFileInfo::exists(path));
}

TEST_F(Settings, ASaveThatFailsIsReportedAndLeavesTheFileWhole) {
    evaltest::expectAFailedSaveLeavesTheFileWhole(
        *this, temp(QStringLiteral("locked.txt")),
        [this](const QString& p) { ExportSettings(*app, p); });
}

TEST_F(Settings, ARefusedDataRateIsSavedAsTheRateInForce) {
    evaltest::expectARefusedRateSavesTheRateInForce(
        *this, m->txtDatarate, temp(QStringLiteral("refused.txt")),
        [this](const QString& p) { ExportSettings(*app, p); });
}
