// The radio-link tool's configuration file: its keys in their order, what
// "modify" keeps of an existing file, the R0 word of both directions, and that
// writing the file leaves the set-up as it was.
#include "corvanefixture.h"

#include "../support/zantrelfixture.h"
#include "../testfiles.h"

#include "corvane/settingsfile.h"
#include "corvane/zantrelfile.h"
#include "link/registerlink.h"
#include "platform/core/numbers.h"
#include "platform/core/profile.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>

using namespace corvane;
using namespace corvane::test;
using Mark = reglink::RegisterReadout::Mark;

namespace {

using testfiles::readBytes;

QString fixture(const char* name) {
    return QStringLiteral(CORVANE_FIXTURES "/zantrel/") + QLatin1String(name);
}

using ZantrelFile = evaltest::ZantrelFixture<CorvaneFixture>;

} // namespace

TEST_F(ZantrelFile, ANewFileHoldsEveryKeyInItsOrder) {
    const QString path = temp("new.ini");
    // Through the menu item, which asks for the name and chooses the full file.
    services.files.answers.push_back(path);
    w().IniRegistersOnly = -1;
    m->mnuCreatenewini->trigger();
    EXPECT_EQ(w().IniRegistersOnly, 0);
    EXPECT_EQ(readBytes(path), readBytes(fixture("new-default.ini")));
    EXPECT_TRUE(messageTexts().empty());
    // Two writes in a row give the same file.
    write(path, false);
    EXPECT_EQ(readBytes(path), readBytes(fixture("new-default.ini")));
}

TEST_F(ZantrelFile, ModifyKeepsWhatTheFileHeldBesidesItsOwnKeys) {
    const QString path = temp("existing.ini");
    ASSERT_TRUE(QFile::copy(fixture("existing.ini"), path));
    QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    services.files.answers.push_back(path);
    m->mnuSave->trigger();
    EXPECT_EQ(w().IniRegistersOnly, -1);
    // The [Mac] and foreign sections, the foreign keys and r11 stay as they
    // were; r00 to r15 and the [Phy] keys are replaced or added; no protocol
    // defaults are written.
    EXPECT_EQ(readBytes(path), readBytes(fixture("existing-modified.ini")));
    EXPECT_TRUE(messageTexts().empty());
}

TEST_F(ZantrelFile, R0IsWrittenForBothDirections) {
    expectR0ForBothDirections([](uint32_t rx, uint32_t tx) {
        EXPECT_EQ(rx & (1u << 27), 1u << 27);
        EXPECT_EQ(tx & (1u << 27), 0u);
        // The synthesizer plans the receiver 100 kHz below the channel.
        EXPECT_NE(rx & 0x07FFFFFF, tx);
    });
}

TEST_F(ZantrelFile, TheFileCarriesItsSyncModeTheSetUpKeepsItsOwn) {
    app->frmSWD().detectionMode->setCurrentIndex(3);
    app->frmSWD().return_Click();
    m->cmdReg12->click(); // R12 programmed
    ASSERT_EQ(m->lbltest12hex->mark(), Mark::Normal);
    const QString caption = m->syncWordStatus->text();
    const auto before = readouts();
    const QString path = temp("sync.ini");
    write(path, false);
    EXPECT_EQ(wordIn(path, "RxRegs", "r12") & 0xC0, 0x80u); // the mode for data packets
    EXPECT_EQ(f().SwdModeField, 3 << 6);
    EXPECT_EQ((word(12) >> 6) & 3, 3u);
    EXPECT_EQ(readouts(), before);
    EXPECT_EQ(m->syncWordStatus->text(), caption);
}

TEST_F(ZantrelFile, BeaconCorrectionFollowsTheDataRate) {
    struct Case {
        const char* rate;
        const char* baud;
        const char* correction;
    } cases[] = {{"9.6", "9600", "3"}, {"1", "1000", "20"}, {"4", "4000", "5"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.rate);
        m->txtDatarate->setText(QLatin1String(c.rate));
        const QString path = temp(c.baud);
        write(path, false);
        EXPECT_EQ(value(path, "Phy", "baud_rate"), QLatin1String(c.baud));
        EXPECT_EQ(value(path, "Mac", "beacon_length_correction"), QLatin1String(c.correction));
    }
    EXPECT_EQ(value(temp("9600"), "Phy", "xtal"), QStringLiteral("196800"));
    EXPECT_EQ(value(temp("9600"), "Mac", "rfcn0_freq"), QStringLiteral("8695000"));
}

// A rate the box refuses is not the rate in force: the file holds the one the box took before.
TEST_F(ZantrelFile, ARefusedRateWritesTheRateInForce) {
    for (const char* refused : {"abc", "0", "", "80"}) {
        SCOPED_TRACE(refused);
        m->txtDatarate->setText(QStringLiteral("9.6"));
        m->txtDatarate->setText(QLatin1String(refused));
        clearRecords();
        const QString path = temp("refused.ini");
        QFile::remove(path);
        write(path, false);
        EXPECT_TRUE(messageTexts().empty());
        EXPECT_EQ(value(path, "Phy", "baud_rate"), QStringLiteral("9600"));
        EXPECT_EQ(value(path, "Mac", "beacon_length_correction"), QStringLiteral("3"));
    }
}

TEST_F(ZantrelFile, AValueThatIsNotANumberWritesNothing) {
    struct Case {
        QLineEdit* (*box)(CorvaneApp&);
        const char* text;
        const char* named;
    } cases[] = {
        {[](CorvaneApp& a) { return a.synthform().TxtCrystal1; }, "19,68", "crystal frequency"},
        {[](CorvaneApp& a) { return a.synthform().txtVCOout1; }, "-869.5", "RF channel frequency"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        QLineEdit* box = c.box(*app);
        const QString old = box->text();
        box->setText(QLatin1String(c.text));
        clearRecords();
        const int32_t direction = f().TxRxField;
        const auto before = readouts();
        const QString path = temp("refused.ini");
        write(path, false);
        EXPECT_FALSE(QFileInfo::exists(path));
        ASSERT_EQ(messageTexts().size(), 1u);
        const QString text = messageTexts()[0];
        EXPECT_TRUE(text.contains(QLatin1String(c.named))) << text.toStdString();
        EXPECT_TRUE(text.contains(QLatin1Char('"') + QLatin1String(c.text) + QLatin1Char('"')));
        EXPECT_TRUE(text.contains(QDir::toNativeSeparators(path)));
        EXPECT_EQ(f().TxRxField, direction);
        EXPECT_EQ(readouts(), before);
        EXPECT_TRUE(usb.lines().empty());
        box->setText(old);
    }
}

TEST_F(ZantrelFile, AFileThatCannotBeWrittenIsReported) {
    const QString path = temp("locked.ini");
    ASSERT_TRUE(QFile::copy(fixture("existing.ini"), path));
    QFile::setPermissions(path, QFileDevice::ReadOwner);
    write(path, true);
    QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    EXPECT_EQ(readBytes(path), readBytes(fixture("existing.ini")));
    ASSERT_EQ(messageTexts().size(), 1u);
    EXPECT_TRUE(messageTexts()[0].contains(QDir::toNativeSeparators(path)));
    EXPECT_TRUE(messageTexts()[0].contains(QStringLiteral("read-only")));
}

TEST_F(ZantrelFile, WritingTheFileSendsNothingToTheBoard) {
    m->optTx->setChecked(true);
    clearRecords();
    write(temp("quiet.ini"), false);
    EXPECT_TRUE(usb.lines().empty());
    EXPECT_TRUE(port.lines().empty());
}
