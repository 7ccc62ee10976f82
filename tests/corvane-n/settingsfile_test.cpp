// One settings format for both programs: a file saved by corvane-eval loads in Corvane-N and
// the other way round, with the same chip name; the IF bandwidth is saved as its list index,
// which keeps its meaning in each program.
#include "corvanenfixture.h"

#include "corvane/settingsfile.h"
#include "platform/core/profile.h"

#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>

using namespace corvanen::test;
using corvane::CorvaneApp;

namespace {

struct SharedSettings : CorvaneNFixture {
    QTemporaryDir dir;
    platform::RecordingServices evalServices{CorvaneApp::programTitle()};
    board::RecordingSkerry evalUsb;
    board::RecordingParllio evalPort;
    std::unique_ptr<CorvaneApp> eval;

    void SetUp() override {
        CorvaneNFixture::SetUp();
        ASSERT_TRUE(dir.isValid());
        eval = std::make_unique<CorvaneApp>(evalServices.view(), evalUsb, evalPort);
        eval->start();
        start();
        clearRecords();
    }
    void TearDown() override {
        eval.reset();
        CorvaneNFixture::TearDown();
    }
    QString file(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }
    static QString value(const char* section, const char* key, const QString& path) {
        return platform::GetPrivateProfileString(QString::fromLatin1(section),
                                                 QString::fromLatin1(key), {}, 256, path)
            .value;
    }
    // A set-up away from the start-up values.
    static void change(CorvaneApp& a, int bandwidth) {
        corvane::Main& m = a.main();
        m.cmbIFBW->setCurrentIndex(bandwidth);
        m.cmbModulation->setCurrentIndex(3);
        m.txtDatarate->setText(QStringLiteral("9.6"));
        a.frmIFCal().dwellTime->setText(QStringLiteral("50"));
        a.frmIFCal().upperTone->setText(QStringLiteral("70"));
        a.frmIFCal().lowerTone->setText(QStringLiteral("110"));
    }
    static void expectImported(CorvaneApp& a, int bandwidth) {
        corvane::Main& m = a.main();
        EXPECT_EQ(m.cmbIFBW->currentIndex(), bandwidth);
        EXPECT_EQ(a.f().IFFilterBandwidthField, bandwidth * BandwidthStep);
        EXPECT_EQ(m.cmbModulation->currentIndex(), 3);
        EXPECT_EQ(m.txtDatarate->text(), QStringLiteral("9.6"));
        // The file's tones stand, also where the bandwidth would choose others.
        EXPECT_EQ(a.f().IFCalDwellTimeField, 50 << 21);
        EXPECT_EQ(a.f().IFCalUpperToneField, 70 << UpperToneShift);
        EXPECT_EQ(a.f().IFCalLowerToneField, 110 << LowerToneShift);
    }
};

TEST_F(SharedSettings, CorvaneEvalsFileLoadsInCorvaneN) {
    change(*eval, 0);
    const QString path = file("eval.txt");
    corvane::ExportSettings(*eval, path);
    EXPECT_EQ(value("Phy", "Chip", path), QStringLiteral("Corvane"));
    EXPECT_EQ(value("Rx", "IF_BW", path), QStringLiteral("0"));

    corvane::ImportSettings(*app, path);
    EXPECT_TRUE(messageTexts().empty());
    expectImported(*app, 0);
    EXPECT_EQ(app->main().cmbIFBW->currentText(), QStringLiteral("9kHz"));
    EXPECT_TRUE(usb.writtenWords().empty());
}

TEST_F(SharedSettings, CorvaneNsFileLoadsInCorvaneEval) {
    change(*app, 1);
    const QString path = file("narrow.txt");
    corvane::ExportSettings(*app, path);
    EXPECT_EQ(value("File", "Version", path), QStringLiteral("1"));
    EXPECT_EQ(value("Phy", "Chip", path), QStringLiteral("Corvane"));
    EXPECT_EQ(value("Rx", "IF_BW", path), QStringLiteral("1"));

    corvane::ImportSettings(*eval, path);
    EXPECT_TRUE(evalServices.messages.texts().empty());
    expectImported(*eval, 1);
    EXPECT_EQ(eval->main().cmbIFBW->currentText(), QStringLiteral("18kHz"));
}

// The same set-up saved by both programs gives the same keys with the same values, but for
// the file's own path.
TEST_F(SharedSettings, BothProgramsWriteTheSameFile) {
    change(*eval, 2);
    change(*app, 2);
    const QString a = file("a.txt"), b = file("b.txt");
    corvane::ExportSettings(*eval, a);
    corvane::ExportSettings(*app, b);
    for (const auto* path : {&a, &b}) {
        platform::WritePrivateProfileString(QStringLiteral("File"), QStringLiteral("path"),
                                            QStringLiteral("-"), *path);
    }
    QFile fa(a), fb(b);
    ASSERT_TRUE(fa.open(QIODevice::ReadOnly));
    ASSERT_TRUE(fb.open(QIODevice::ReadOnly));
    EXPECT_EQ(fa.readAll(), fb.readAll());
}

} // namespace
