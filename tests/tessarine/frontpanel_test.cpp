// The front panel's transmit settings: what each modulation scheme stores and shows, the FSK
// deviation with its refusals, the Gaussian settings, the PA levels, the charge pump and the
// power-down switches, and the panel's size as rows come and go.
#include "../support/userinput.h"
#include "tessarinefixture.h"

#include "platform/entrymark.h"
#include "tessarine/calc/modulation.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>

using namespace tessarine;
using namespace tessarine::test;

namespace {

struct Panel : TessarineFixture {
    Main* m = nullptr;

    void SetUp() override {
        TessarineFixture::SetUp();
        m = &start();
        clearRecords();
    }
    void scheme(int index) { m->cmbModulation->setCurrentIndex(index); }
    int32_t count() const { return (app->f().TxDeviationField >> 11) & 0x1FF; }
    uint32_t modulationWord() { return word(ModulationRegister); }
};

// Which of the scheme-dependent rows the panel shows.
struct Rows {
    bool frASK, frHideFSK, frGaussian, modControl, dataRate;
    bool operator==(const Rows&) const = default;
};
Rows rows(const Main& m) {
    return {!m.frASK->isHidden(), !m.frHideFSK->isHidden(), !m.frGaussian->isHidden(),
            !m.cmbModCtrl->isHidden(), !m.lblDatarate->isHidden()};
}

} // namespace

TEST_F(Panel, DeviationBecomesTheCountOfItsPfdSteps) {
    const struct {
        const char* text;
        int32_t count;
        const char* label;
    } cases[] = {{"30", 133, "29.925 kHz"}, {"60", 267, "60.075 kHz"}, {"0", 0, "0.000 kHz"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        m->TxtFSKdev->setText(QString::fromLatin1(c.text));
        EXPECT_EQ(count(), c.count);
        EXPECT_EQ(m->Lblfskdev->text(), QString::fromLatin1(c.label));
        EXPECT_EQ(modulationWord(), 2u + (56u << 5) + (uint32_t(c.count) << 11));
        EXPECT_EQ(m->lblMhex->text(),
                  QStringLiteral("0x") + QString::number(modulationWord(), 16).toUpper());
    }
    EXPECT_EQ(w().DeviationStepHz, 225.0f);
    EXPECT_TRUE(messageTexts().empty());
    EXPECT_TRUE(usb.writtenWords().empty());
}

// A deviation the field cannot hold leaves every field as it was. While it is typed the box
// is only marked; once committed, the deviation in force before the typing is back in the box,
// the fields and the label, and one message says why and what was kept, however often the
// handler runs on the entry in force afterwards.
TEST_F(Panel, RefusedDeviationChangesNothingAndSaysSoOnce) {
    m->TxtFSKdev->setText(QStringLiteral("30"));
    const TessarineFields before = f();
    const QString shown = m->Lblfskdev->text();
    const QString accepts = QStringLiteral(
        "Desired deviation in kHz: a number from 0 to 114.975 at this PFD frequency");
    const QString message = QStringLiteral(
        "Invalid entry in Desired Deviation: enter a number from 0 to 114.975 kHz at this PFD "
        "frequency.");
    const QString kept = QStringLiteral("\n\nThe deviation is left at 30 kHz.");

    // On the way to a number: marked, and the commit says what the box takes.
    for (const char* typing : {"", "-", "."}) {
        SCOPED_TRACE(typing);
        services.messages.clear();
        evaltest::typeInto(m->TxtFSKdev, QString::fromLatin1(typing));
        EXPECT_TRUE(platform::isMarkedRefused(m->TxtFSKdev));
        EXPECT_EQ(m->TxtFSKdev->toolTip(), accepts);
        EXPECT_TRUE(messageTexts().empty());
        evaltest::pressReturn(m->TxtFSKdev);
        EXPECT_EQ(messageTexts(), std::vector<QString>{accepts + kept});
        EXPECT_EQ(m->TxtFSKdev->text(), QStringLiteral("30"));
    }
    EXPECT_EQ(f().TxDeviationField, before.TxDeviationField);

    // The key that completes a refused entry changes nothing (the keys before it may have
    // given a deviation of their own); its commit puts those back too.
    for (const char* refused : {"-5", "-50", "120", "300", "abc", "1e400", "nan", "inf"}) {
        SCOPED_TRACE(refused);
        const QString text = QString::fromLatin1(refused);
        evaltest::typeInto(m->TxtFSKdev, text.chopped(1));
        const int32_t field = f().TxDeviationField;
        const QString label = m->Lblfskdev->text();
        services.messages.clear();
        QTest::keyClicks(m->TxtFSKdev, text.right(1));
        EXPECT_TRUE(messageTexts().empty());
        EXPECT_EQ(f().TxDeviationField, field);
        EXPECT_EQ(m->Lblfskdev->text(), label);
        EXPECT_TRUE(platform::isMarkedRefused(m->TxtFSKdev));
        evaltest::leaveBox(m->TxtFSKdev);
        EXPECT_EQ(messageTexts(), std::vector<QString>{message + kept});
        EXPECT_EQ(f().TxDeviationField, before.TxDeviationField);
        EXPECT_EQ(m->Lblfskdev->text(), shown);
        EXPECT_EQ(m->TxtFSKdev->text(), QStringLiteral("30"));
        EXPECT_TRUE(platform::isMarkedRefused(m->TxtFSKdev));
    }
    // A decimal comma is told how the number is written.
    services.messages.clear();
    evaltest::enterInto(m->TxtFSKdev, QStringLiteral("-12,5"));
    EXPECT_EQ(messageTexts(),
              std::vector<QString>{message +
                                   QStringLiteral("\nThe decimal mark is a point: -12.5") + kept});
    EXPECT_EQ(f().TxDeviationField, before.TxDeviationField);
    // The synthesizer's follow-up and a round trip through another scheme run the handler on
    // the entry in force: nothing more to say.
    services.messages.clear();
    evaltest::typeInto(m->TxtFSKdev, QStringLiteral("120"));
    evaltest::pressReturn(m->TxtFSKdev);
    m->TxtFSKdev_Change();
    scheme(calc::AskItem);
    scheme(calc::FskItem);
    ASSERT_EQ(services.messages.messages.size(), 1u);
    EXPECT_EQ(services.messages.messages[0].text, message + kept);
    EXPECT_EQ(services.messages.messages[0].icon, platform::MsgIcon::Exclamation);

    // Taken again, the mark goes; the next refusal says so again.
    m->TxtFSKdev->setText(QStringLiteral("115"));
    EXPECT_EQ(count(), 511);
    EXPECT_FALSE(platform::isMarkedRefused(m->TxtFSKdev));
    EXPECT_EQ(m->TxtFSKdev->toolTip(), QString());
    m->TxtFSKdev->setText(QStringLiteral("115.1")); // 511.6 steps rounds to 512
    EXPECT_EQ(count(), 511);
    EXPECT_EQ(services.messages.messages.size(), 2u);
    EXPECT_EQ(m->Lblfskdev->text(), QStringLiteral("114.975 kHz"));

    // The Gaussian deviation of mod control 7 is more than FSK can hold: back in FSK the
    // label shows what the field keeps (the divider, 64 steps), not the box's 115.2 kHz.
    services.messages.newAction();
    m->TxtFSKdev->setText(QStringLiteral("60"));
    scheme(calc::GfskItem);
    m->cmbModCtrl->setCurrentIndex(7);
    EXPECT_EQ(m->TxtFSKdev->text(), QStringLiteral("115.200"));
    scheme(calc::FskItem);
    EXPECT_TRUE(platform::isMarkedRefused(m->TxtFSKdev));
    EXPECT_EQ(count(), 64);
    EXPECT_EQ(m->Lblfskdev->text(), QStringLiteral("14.400 kHz"));
    EXPECT_EQ(services.messages.messages.size(), 3u);
}

TEST_F(Panel, EachSchemeStoresItsFieldsAndShowsItsRows) {
    struct Case {
        int index;
        uint32_t word;
        Rows shown;
        const char* caption;
        const char* paTitle;
        bool deviationEntry;
    };
    const Case cases[] = {
        // GFSK: divider 64, mod control 0, index counter 16.
        {calc::GfskItem,
         2 + (1u << 2) + (56u << 5) + (64u << 11),
         {false, false, true, true, true},
         "GFSK",
         "PA Level",
         false},
        // ASK: the deviation field holds the low PA level 1; plain data labels.
        {calc::AskItem,
         2 + (2u << 2) + (56u << 5) + (1u << 11),
         {true, true, false, true, false},
         "ASK",
         "Data = 1",
         false},
        {calc::OokItem,
         2 + (3u << 2) + (56u << 5),
         {false, true, false, true, false},
         "OOK",
         "PA Level",
         false},
        // GOOK keeps the OOK caption and hides the mod control.
        {calc::GookItem,
         2 + (7u << 2) + (56u << 5) + (64u << 11),
         {false, true, true, false, true},
         "OOK",
         "PA Level",
         false},
        {calc::FskItem,
         2 + (56u << 5) + (4u << 11),
         {false, false, false, false, false},
         "FSK",
         "PA Level",
         true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.caption);
        scheme(c.index);
        EXPECT_EQ(modulationWord(), c.word);
        EXPECT_EQ(rows(*m), c.shown);
        EXPECT_EQ(m->FrFSK->title(), QString::fromLatin1(c.caption));
        EXPECT_EQ(m->paLevelCaption->text(), QString::fromLatin1(c.paTitle));
        EXPECT_FALSE(m->FrFSK->isHidden());
        EXPECT_FALSE(m->FrFSKpower->isHidden());
        EXPECT_EQ(m->TxtFSKdev->isEnabled(), c.deviationEntry);
        EXPECT_EQ(m->lblMhex->mark(), Mark::Changed);
    }
    // Back in FSK the count comes from the box again, which still holds the deviation the
    // Gaussian settings gave (0.9 kHz, 4 steps).
    EXPECT_EQ(m->TxtFSKdev->text(), QStringLiteral("0.900"));
    EXPECT_EQ(m->Lblfskdev->text(), QStringLiteral("0.900 kHz"));
    m->TxtFSKdev->setText(QStringLiteral("60"));
    EXPECT_EQ(readoutTexts(), PowerOnReadouts);
    EXPECT_TRUE(usb.writtenWords().empty());
}

TEST_F(Panel, AskShowsTheLowLevelAndTheDataLevelsOfEachBar) {
    scheme(calc::AskItem);
    EXPECT_EQ(m->paLevelLow->value(), 1);
    EXPECT_EQ(m->paLevelLowSetting->text(), QStringLiteral("Setting  1"));
    EXPECT_EQ(m->paLevelCaption->text(), QStringLiteral("Data = 1"));
    EXPECT_EQ(m->paLevelLowCaption->text(), QStringLiteral("Data = 0"));
    m->paLevelLow->setValue(20);
    EXPECT_EQ(count(), 20);
    EXPECT_EQ(m->paLevelLowSetting->text(), QStringLiteral("Setting  20"));

    // Data invert swaps the labels while ASK is chosen.
    frmOtherFeatures& other = app->frmOtherFeatures();
    other.TogDataInvert->setOn(true);
    EXPECT_EQ(f().DataInvertField, 1 << 5);
    EXPECT_EQ(m->paLevelCaption->text(), QStringLiteral("Data = 0"));
    EXPECT_EQ(m->paLevelLowCaption->text(), QStringLiteral("Data = 1"));
    // Entering ASK again sets the low level to 1 and shows the inverted labels.
    scheme(calc::OokItem);
    scheme(calc::AskItem);
    EXPECT_EQ(count(), 1);
    EXPECT_EQ(m->paLevelCaption->text(), QStringLiteral("Data = 0"));

    // Outside ASK the switch changes the field, not the labels.
    scheme(calc::FskItem);
    EXPECT_EQ(count(), 267);
    other.TogDataInvert->setOn(false);
    EXPECT_EQ(f().DataInvertField, 0);
    EXPECT_EQ(m->paLevelCaption->text(), QStringLiteral("PA Level"));
    EXPECT_EQ(m->paLevelLowCaption->text(), QStringLiteral("Data = 1"));
}

TEST_F(Panel, GaussianSettingsGiveTheirDeviationAndDataRate) {
    scheme(calc::GfskItem);
    EXPECT_EQ(m->Lblfskdev->text(), QStringLiteral("0.900 kHz"));
    EXPECT_EQ(m->TxtFSKdev->text(), QStringLiteral("0.900"));
    EXPECT_EQ(m->lblDatarate->text(), QStringLiteral("3.600 kbps"));

    m->cmbModCtrl->setCurrentIndex(3);
    EXPECT_EQ(m->Lblfskdev->text(), QStringLiteral("7.200 kHz"));
    EXPECT_EQ(f().GfskModControlField, 3 << 20);

    m->cmbIndexCount->setCurrentIndex(2); // 64
    EXPECT_EQ(m->lblDatarate->text(), QStringLiteral("0.900 kbps"));
    EXPECT_EQ(f().GfskIndexCounterField, 2 << 23);

    m->txtDivider->setText(QStringLiteral("200"));
    EXPECT_EQ(m->txtDivider->text(), QStringLiteral("127"));
    EXPECT_EQ(count(), 127);
    EXPECT_EQ(m->lblDatarate->text(), QStringLiteral("0.454 kbps"));
    for (const char* low : {"0", "-5"}) {
        m->txtDivider->setText(QString::fromLatin1(low));
        EXPECT_EQ(m->txtDivider->text(), QStringLiteral("1"));
        EXPECT_EQ(count(), 1);
    }
    EXPECT_EQ(modulationWord(), 2 + (1u << 2) + (56u << 5) + (1u << 11) + (3u << 20) + (2u << 23));
    EXPECT_EQ(m->lblMhex->text(), QStringLiteral("0x1300F06"));

    // A divider that is no number marks its box and stores nothing.
    for (const char* refused : {"abc", ""}) {
        m->txtDivider->setText(QString::fromLatin1(refused));
        EXPECT_TRUE(platform::isMarkedRefused(m->txtDivider)) << refused;
        EXPECT_EQ(count(), 1);
    }
    m->txtDivider->setText(QStringLiteral("64"));
    EXPECT_FALSE(platform::isMarkedRefused(m->txtDivider));
    EXPECT_EQ(count(), 64);
    EXPECT_TRUE(messageTexts().empty());

    // GOOK stores mod control 0 whatever the list shows, and leaves the deviation alone.
    scheme(calc::GookItem);
    EXPECT_EQ(m->cmbModCtrl->currentIndex(), 3);
    EXPECT_EQ(f().GfskModControlField, 0);
    EXPECT_EQ(m->Lblfskdev->text(), QStringLiteral("7.200 kHz"));
    EXPECT_EQ(m->lblDatarate->text(), QStringLiteral("0.900 kbps"));
}

TEST_F(Panel, LevelsChargePumpAndSwitchesSetTheirFields) {
    m->paLevel->setValue(0);
    EXPECT_EQ(f().PaLevelField, 0);
    EXPECT_EQ(m->LblFSKpower->text(), QStringLiteral("Setting  0"));
    m->paLevel->setValue(63);
    EXPECT_EQ(f().PaLevelField, 63 << 5);
    EXPECT_EQ(m->LblFSKpower->text(), QStringLiteral("Setting  63"));

    m->cmbIcp->setCurrentIndex(3);
    EXPECT_EQ(f().ChargePumpField, 3 << 6);
    m->cmbIcp->setCurrentIndex(-1); // no selection leaves the field
    EXPECT_EQ(f().ChargePumpField, 3 << 6);

    // Enable fields are set while on, disable fields while off.
    m->TogPLL->setOn(false);
    m->TogOutput->setOn(false);
    m->TogVCO->setOn(false);
    m->TogCrystal->setOn(false);
    EXPECT_EQ(f().PllEnableField, 0);
    EXPECT_EQ(f().PaEnableField, 0);
    EXPECT_EQ(f().VcoDisableField, 1 << 10);
    EXPECT_EQ(f().XtalOscDisableField, 1 << 18);
    EXPECT_EQ(word(RRegister), 0x86000u + (1u << 18));
    EXPECT_EQ(word(FunctionRegister), 0x55A08Fu - 4 - 8 + (1u << 10) + (1u << 6));
    for (platform::Toggle* t : {m->TogPLL, m->TogOutput, m->TogVCO, m->TogCrystal})
        t->setOn(true);
    m->cmbIcp->setCurrentIndex(2);
    m->paLevel->setValue(56);
    EXPECT_EQ(readoutTexts(), PowerOnReadouts);
    EXPECT_TRUE(usb.writtenWords().empty());
}

// The panel grows with the Gaussian rows and shrinks back when they go.
TEST_F(Panel, PanelShrinksBackWhenRowsGoAway) {
    m->show();
    QCoreApplication::processEvents();
    const int fsk = m->height();
    scheme(calc::GfskItem);
    QCoreApplication::processEvents();
    const int gfsk = m->height();
    scheme(calc::OokItem);
    QCoreApplication::processEvents();
    scheme(calc::FskItem);
    QCoreApplication::processEvents();
    EXPECT_GE(gfsk, fsk);
    EXPECT_EQ(m->height(), fsk);
    EXPECT_LE(gfsk, 700);
    m->hide();
}
