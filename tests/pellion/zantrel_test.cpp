// The radio-link tool's configuration file: a new file and an update of an existing one, the R0
// word of both directions, the lock-threshold mode the file carries, and that writing the file
// leaves the set-up as it was.
#include "pellionfixture.h"

#include "../support/zantrelfixture.h"
#include "../testfiles.h"

#include "link/readouttext.h"
#include "pellion/zantrelfile.h"
#include "platform/core/numbers.h"
#include "platform/core/profile.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTemporaryDir>

using namespace pellion;
using namespace pellion::test;
using Mark = reglink::RegisterReadout::Mark;

namespace {

using testfiles::readBytes;

QString fixture(const char* name) {
    return testfiles::fixture(QStringLiteral("pellion"), name);
}

using ZantrelFile = evaltest::ZantrelFixture<PellionFixture>;

} // namespace

// From the start-up set-up, through the menu item that asks for the name.
TEST_F(ZantrelFile, ANewFileHoldsTheRegistersTheSettingsAndTheLinkDefaults) {
    const QString path = temp("new.ini");
    services.files.answers.push_back(path);
    w().IniRegistersOnly = -1;
    m->mnuCreatenewini->trigger();
    EXPECT_EQ(w().IniRegistersOnly, 0);
    ASSERT_EQ(services.files.requests.size(), 1u);
    EXPECT_EQ(services.files.requests[0].filter, QStringLiteral("Test Files (*.ini)|*.ini"));
    EXPECT_EQ(readBytes(path), readBytes(fixture("zantrel-new.ini")));
    EXPECT_TRUE(messageTexts().empty());
    // Two writes in a row give the same file; the set-up is as it was.
    const auto before = readouts();
    write(path, false);
    EXPECT_EQ(readBytes(path), readBytes(fixture("zantrel-new.ini")));
    EXPECT_EQ(readouts(), before);
    EXPECT_TRUE(usb.writtenWords().empty());
}

// "Modify" replaces the keys of the registers and radio settings and keeps everything else:
// the file's own r05, its [Mac] section, foreign keys and comments.
TEST_F(ZantrelFile, ModifyKeepsWhatTheFileHeldBesidesItsOwnKeys) {
    const QString path = temp("existing.ini");
    ASSERT_TRUE(QFile::copy(fixture("zantrel-existing.ini"), path));
    QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    services.files.answers.push_back(path);
    m->mnuSave->trigger();
    EXPECT_EQ(w().IniRegistersOnly, -1);
    EXPECT_TRUE(services.files.requests[0].mustExist);
    EXPECT_EQ(readBytes(path), readBytes(fixture("zantrel-existing-modified.ini")));
    EXPECT_TRUE(messageTexts().empty());
}

// The transmit word goes to [TxRegs] and the receive word to [RxRegs] whatever direction the
// panel shows; the direction, the R0 read-out and its mark are as they were.
TEST_F(ZantrelFile, R0IsWrittenForBothDirections) {
    expectR0ForBothDirections([](uint32_t rx, uint32_t tx) {
        EXPECT_EQ(rx, 0x7A73F740u); // planned 200 kHz below the channel
        EXPECT_EQ(tx, 0x72741C50u);
    });
}

// The file carries lock-threshold code 2 in R4, whatever the sync-word and demodulator windows
// set; the set-up keeps theirs, and the R4 read-out is as it was.
TEST_F(ZantrelFile, TheLockThresholdModeIsForcedForTheFileAndRestored) {
    struct Case {
        double code;
        int32_t bit23;
    } cases[] = {{0, 0}, {3.0 * bit(23), bit(23)}, {0, bit(23)}, {double(bit(24)), 0}};
    for (const Case& c : cases) {
        f().LockThresholdModeField = c.code;
        f().LockThresholdModeBit23Field = c.bit23;
        app->UpdateAllRegisterLabels();
        m->cmdDemod->click();
        const auto before = readouts();
        const uint32_t r4 = word(4);
        const QString path = temp("lock.ini");
        write(path, true);
        EXPECT_EQ((wordIn(path, "RxRegs", "r04") >> 23) & 7, 2u);
        EXPECT_EQ(wordIn(path, "RxRegs", "r04") & 0x7FFFFF, r4 & 0x7FFFFF);
        EXPECT_EQ(f().LockThresholdModeField, c.code);
        EXPECT_EQ(f().LockThresholdModeBit23Field, c.bit23);
        EXPECT_EQ(word(4), r4);
        EXPECT_EQ(readouts(), before);
    }
}

TEST_F(ZantrelFile, TheRadioSettingsFollowThePanel) {
    tickExternalInductor(*app);
    synthform& s = app->synthform();
    s.CmdCalculate_Click();
    s.returnToPanel_Click();
    m->cmbModulation->setCurrentIndex(1); // GFSK
    app->frmGFSK().cmdUpdate_Click();
    m->paLevel->setValue(33);
    clearRecords();
    const QString path = temp("gfsk.ini");
    write(path, false);
    EXPECT_TRUE(messageTexts().empty());
    EXPECT_EQ(value(path, "Phy", "chip_type"), QStringLiteral("2"));
    EXPECT_EQ(value(path, "Phy", "use_hw_tx_clk"), QStringLiteral("1"));
    EXPECT_EQ(value(path, "Phy", "pa_level"), QStringLiteral("33"));
    // The clock-recovery rate the data-rate plan gives, not the rate box.
    EXPECT_EQ(value(path, "Phy", "baud_rate"),
              platform::numberText(m->lblRxCLK->text().toDouble() * 1000));
    EXPECT_NE(m->lblRxCLK->text(), m->txtDatarate->text());
    // The RF text as the synthesizer shows the channel it reached, in units of 100 Hz.
    EXPECT_NEAR(value(path, "Mac", "rfcn0_freq").toDouble(), 4339200, 1);
    m->cmbModulation->setCurrentIndex(4); // GOOK
    app->frmGFSK().cmdUpdate_Click();
    write(path, true);
    EXPECT_EQ(value(path, "Phy", "use_hw_tx_clk"), QStringLiteral("0"));
}

// The beacon length correction is worked from the data rate in force: a rate the box refuses
// (1 kbit/s needs a clock-recovery divider above 255 at this crystal; "0", "", "x") leaves the
// one it took before, 5 kbit/s here.
TEST_F(ZantrelFile, TheBeaconCorrectionFollowsTheRateInForce) {
    struct Case {
        const char* rate;
        const char* correction;
    } cases[] = {{"10", "3"}, {"5", "5"}, {"1", "5"}, {"0", "5"}, {"", "5"}, {"x", "5"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.rate);
        m->txtDatarate->setText(QLatin1String(c.rate));
        clearRecords();
        const QString path = temp("beacon.ini");
        QFile::remove(path);
        write(path, false);
        EXPECT_TRUE(messageTexts().empty());
        EXPECT_EQ(value(path, "Mac", "ep_resync_period"), QStringLiteral("3"));
        EXPECT_EQ(value(path, "RxRegs", "r05"), QStringLiteral("0x891A2B35"));
        EXPECT_EQ(value(path, "Mac", "beacon_length_correction"), QLatin1String(c.correction));
    }
}

TEST_F(ZantrelFile, ATextThatIsNoNumberWritesNothing) {
    app->synthform().TxtCrystal1->setText(QStringLiteral("eleven"));
    const QString path = temp("bad.ini");
    const auto before = readouts();
    write(path, false);
    EXPECT_FALSE(QFileInfo::exists(path));
    ASSERT_EQ(messageTexts().size(), 1u);
    EXPECT_TRUE(messageTexts()[0].contains(QStringLiteral("crystal frequency")));
    EXPECT_TRUE(messageTexts()[0].contains(QStringLiteral("\"eleven\"")));
    EXPECT_EQ(readouts(), before);
}

TEST_F(ZantrelFile, AWriteThatFailsIsReportedAndLeavesTheFileWhole) {
    const QString path = temp("locked.ini");
    testfiles::writeBytes(path, "[Mac]\r\nkeep=1\r\n");
    QFile::setPermissions(path, QFileDevice::ReadOwner);
    write(path, true);
    QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    EXPECT_EQ(readBytes(path), QByteArray("[Mac]\r\nkeep=1\r\n"));
    ASSERT_EQ(messageTexts().size(), 1u);
    EXPECT_TRUE(messageTexts()[0].contains(QDir::toNativeSeparators(path)));
}

// The write works R0 out for the other direction and back, two calculations: a notice of the
// plan is one notice of the one write. Also with the chip set to receive, where the other way
// round is taken.
TEST_F(ZantrelFile, ANoticeOfThePlanIsShownOncePerWrite) {
    const QString minimumN = QStringLiteral(
        "Minimum N divide is 31. Please lower the PFD frequency by increasing the R-divide or "
        "changing the XTAL frequency ");
    tickExternalInductor(*app);
    synthform& s = app->synthform();
    s.txtVCOout1->setText(QStringLiteral("300"));
    s.CmdCalculate->click();
    s.returnToPanel->click();
    for (QRadioButton* direction : {m->optTx, m->optRx}) {
        SCOPED_TRACE(direction->objectName().toStdString());
        direction->setChecked(true);
        clearRecords();
        services.files.answers.push_back(temp("low-n.ini"));
        m->mnuCreatenewini->trigger();
        EXPECT_EQ(messageTexts(), std::vector<QString>{minimumN});
        EXPECT_EQ(services.messages.beeps, 0);
        // The program's own calculations say it again, each once.
        clearRecords();
        s.CmdCalculate->click();
        EXPECT_EQ(messageTexts(), std::vector<QString>{minimumN});
    }
}
