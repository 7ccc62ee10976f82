// The demodulator set-up window: what it shows of the data-rate plan, the correlator's K and
// its parity, the divider boxes with their limits, the post-demodulator filter, and return.
// Start-up plans a correlator at 4 kbps with a 19.68 MHz crystal and 2.10205 kHz deviation:
// dividers IF 394, BB offset code 2, demod 4, CDR 38, sequencer 197; K 48, code 590.
#include "corvanefixture.h"

#include "../support/userinput.h"

#include "link/registerlink.h"
#include "platform/core/numbers.h"
#include "platform/entrymark.h"

#include <QApplication>
#include <QComboBox>
#include <QFocusEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <functional>
#include <optional>

using namespace corvane;
using namespace corvane::test;
using Mark = reglink::RegisterReadout::Mark;

namespace {

struct DemodWindow : CorvaneFixture {
    Main* m = nullptr;
    frmDemod* d = nullptr;
    void SetUp() override {
        CorvaneFixture::SetUp();
        m = &start();
        clearRecords();
        d = &app->frmDemod();
    }
    frmDemod& reopen() {
        d->unload();
        d = &app->frmDemod();
        return *d;
    }
    int32_t discrimCode() { return f().DiscrimBwField >> 10; }
    std::vector<QLabel*> shownNumbers() const {
        return {d->correlatorK,    d->lblT4Frequency, d->discriminatorCentre, d->lblIFfilterclk,
                d->lblBBoffsetclk, d->lblDemodclk,    d->lblCDRclk,           d->lblSeqclk};
    }
    void expectNoNonsenseShown() const {
        for (QLabel* l : shownNumbers()) {
            EXPECT_FALSE(l->text().contains(QStringLiteral("nan"), Qt::CaseInsensitive))
                << l->objectName().toStdString();
            EXPECT_FALSE(l->text().contains(QStringLiteral("inf"), Qt::CaseInsensitive))
                << l->objectName().toStdString();
        }
    }
};

std::vector<QString> just(const QString& text) {
    return {text};
}

} // namespace

TEST_F(DemodWindow, LoadShowsThePlannedClocksAndDiscriminator) {
    EXPECT_EQ(d->txtIFFilter->text(), QStringLiteral("394"));
    EXPECT_EQ(d->txtBBOffset->text(), QStringLiteral("16"));
    EXPECT_EQ(d->txtDemod->text(), QStringLiteral("4"));
    EXPECT_EQ(d->txtCDR->text(), QStringLiteral("38"));
    EXPECT_EQ(d->txtSeq->text(), QStringLiteral("197"));
    EXPECT_EQ(d->lblIFfilterclk->text(), QStringLiteral("49.9492 kHz"));
    EXPECT_EQ(d->lblBBoffsetclk->text(), QStringLiteral("1.2300 MHz"));
    EXPECT_EQ(d->lblDemodclk->text(), QStringLiteral("4.9200 MHz"));
    EXPECT_EQ(d->lblCDRclk->text(), QStringLiteral("129.4737 kHz"));
    EXPECT_EQ(d->lblSeqclk->text(), QStringLiteral("99.8985 kHz"));
    EXPECT_EQ(d->correlatorK->text(), QStringLiteral("48"));
    EXPECT_EQ(d->lblT4Frequency->text(), QStringLiteral("2.0833 kHz"));
    EXPECT_EQ(d->discriminatorCentre->text(),
              QStringLiteral("100.068 kHz")); // 4920 x 48 / (590 x 4)
    EXPECT_EQ(d->cmbdiscrim->currentIndex(), 0);
    EXPECT_EQ(d->cmbLockmode->currentIndex(), 0);
    EXPECT_EQ(d->txtDemodBW->text(), QStringLiteral("3.0588"));
    EXPECT_EQ(d->lblDemodBW->text(), QStringLiteral("3.0588kHz"));
    EXPECT_EQ(d->lblDemodBW_disp->text(), QStringLiteral("R4_DB(20:29) = 4"));
    EXPECT_TRUE(d->FrCorrelator->isEnabled());
    EXPECT_EQ(discrimCode(), 590);
    EXPECT_TRUE(messageTexts().empty());
    EXPECT_TRUE(usb.writtenWords().empty()); // the window never writes to the chip
}

TEST_F(DemodWindow, KStepsSetTheCodeParityAndLabels) {
    struct Case {
        int from;
        bool up;
        int K;
        int32_t bit7, bit9;
    } cases[] = {
        {6, true, 7, 128, 0},    // 7 odd, (7 + 1) / 2 = 4 even
        {7, false, 6, 0, 512},   // 6 even, 3 odd
        {5, false, 4, 0, 0},     // 4 even, 2 even
        {20, true, 21, 128, 512} // 21 odd, 11 odd
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.K);
        w().DiscrimK = static_cast<int16_t>(c.from);
        (c.up ? d->CmdKup : d->cmdKdown)->click();
        EXPECT_EQ(w().DiscrimK, c.K);
        EXPECT_EQ(f().KParityBit7Field, c.bit7);
        EXPECT_EQ(f().KParityBit9Field, c.bit9);
        EXPECT_EQ(((word(4) >> 7) & 1) * 128, uint32_t(c.bit7));
        EXPECT_EQ(((word(4) >> 9) & 1) * 512, uint32_t(c.bit9));
        EXPECT_EQ(discrimCode(), *platform::toInt32(c.K * 4.92f * 2.5));
        EXPECT_EQ(d->correlatorK->text(), QString::number(c.K));
        EXPECT_EQ(d->lblT4Frequency->text(),
                  platform::formatNumber(100.0 / c.K, u"0.000#") + QStringLiteral(" kHz"));
    }
    EXPECT_TRUE(messageTexts().empty());
}

// Above 660 the code is stored with the warning; beyond its ten bits, or below K = 1, the step
// is refused and K, code and parity stay.
TEST_F(DemodWindow, KStepsBeyondTheLimitsWarnOrAreRefused) {
    struct Case {
        int from;
        bool up;
        int K;    // afterwards
        int code; // afterwards; K x 4.92 x 2.5
        QString message;
    } cases[] = {
        {53, true, 54, 664, DiscrimLimitText},  // 664.2: warned, stored
        {52, true, 53, 652, QString()},         // 651.9
        {83, true, 83, 1021, DiscrimLimitText}, // 84 would need 1033: refused
        {1, false, 1, 12, KLimitText},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.from);
        w().DiscrimK = static_cast<int16_t>(c.from);
        d->Form_Load(); // code and parity for the starting K
        const int32_t bit9 = f().KParityBit9Field;
        services.messages.clear();
        (c.up ? d->CmdKup : d->cmdKdown)->click();
        EXPECT_EQ(w().DiscrimK, c.K);
        EXPECT_EQ(discrimCode(), c.code);
        if (c.K == c.from) {
            EXPECT_EQ(f().KParityBit9Field, bit9);
        }
        EXPECT_EQ(messageTexts(), c.message.isEmpty() ? std::vector<QString>{} : just(c.message));
    }
    EXPECT_EQ(DiscrimLimitText,
              QStringLiteral("Largest Discrim B/W setting is 660. You will need to increase the "
                             "demod clock to increase the disrcim b/w. See notes on register 4 "
                             "in Corvane Datasheet"));
}

TEST_F(DemodWindow, DiscrimWidthListRecomputesKForTheCorrelator) {
    struct Case {
        int index;
        int K; // round(100 / ((index + 1) x 2.10205))
        int code;
    } cases[] = {{1, 24, 295}, {2, 16, 197}, {3, 12, 148}, {0, 48, 590}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.index);
        d->cmbdiscrim->setCurrentIndex(c.index);
        EXPECT_EQ(w().DiscrimMultiplier, c.index + 1);
        EXPECT_EQ(w().DiscrimK, c.K);
        EXPECT_EQ(discrimCode(), c.code);
        EXPECT_EQ(d->correlatorK->text(), QString::number(c.K));
    }
    // Reset replans from the data rate: K 48 again.
    d->cmbdiscrim->setCurrentIndex(2);
    d->cmdKreset->click();
    EXPECT_EQ(w().DiscrimK, 48);
    EXPECT_EQ(discrimCode(), 590);
    EXPECT_EQ(d->correlatorK->text(), QStringLiteral("48"));
    EXPECT_TRUE(messageTexts().empty());
}

// A width whose K would round to 0 is refused: the list goes back, nothing changes.
TEST_F(DemodWindow, DiscrimWidthGivingNoKIsRefused) {
    w().ActualDeviationKHz = 150; // 100 / (2 x 150) rounds to 0
    d->cmbdiscrim->setCurrentIndex(1);
    EXPECT_EQ(d->cmbdiscrim->currentIndex(), 0);
    EXPECT_EQ(w().DiscrimMultiplier, 1);
    EXPECT_EQ(w().DiscrimK, 48);
    EXPECT_EQ(discrimCode(), 590);
    EXPECT_EQ(messageTexts(), just(KLimitText));
}

// With no deviation set nothing can be divided by it: K steps alone, the code stays.
TEST_F(DemodWindow, NoDeviationChangesOnlyKAndTheMultiplier) {
    w().ActualDeviationKHz = 0;
    const int32_t code = f().DiscrimBwField;
    d->CmdKup->click();
    EXPECT_EQ(w().DiscrimK, 49);
    d->cmbdiscrim->setCurrentIndex(3);
    EXPECT_EQ(w().DiscrimMultiplier, 4);
    EXPECT_EQ(w().DiscrimK, 49);
    d->txtDemod->setText(QStringLiteral("5"));
    d->txtDemod_LostFocus();
    EXPECT_EQ(f().DiscrimBwField, code);
    reopen();
    EXPECT_EQ(f().DiscrimBwField, code);
    expectNoNonsenseShown();
    EXPECT_TRUE(messageTexts().empty());
}

TEST_F(DemodWindow, BBOffsetEntriesBecomeTwoBitCodes) {
    struct Case {
        const char* text;
        std::optional<int> code; // nullopt: refused, code 2 stays
        const char* shown;
        bool message;
    } cases[] = {
        {"4", 0, "4", false},   {"12", 2, "16", false}, // 1.5 rounds to 2
        {"8", 1, "8", false},   {"20", 2, "16", false}, // 2.5 rounds to 2
        {"27", 3, "24", false}, {"0", 0, "4", false},   {"28", {}, "16", true},
        {"-8", {}, "16", true}, {"x", {}, "x", false},  {"", {}, "", false}, // marked
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        f().BbOffsetDividerField = 2 << 4;
        d->Form_Load();
        services.messages.clear();
        d->txtBBOffset->setText(QString::fromLatin1(c.text));
        d->txtBBOffset_LostFocus();
        EXPECT_EQ(f().BbOffsetDividerField, c.code.value_or(2) << 4);
        EXPECT_EQ(d->txtBBOffset->text(), QString::fromLatin1(c.shown));
        EXPECT_EQ(messageTexts(), c.message ? just(BBOffsetLimitText) : std::vector<QString>{});
        // Only a text that stays in the box unused is marked.
        EXPECT_EQ(platform::isMarkedRefused(d->txtBBOffset),
                  !c.code && !platform::isNumeric(QString::fromLatin1(c.text)));
    }
    d->txtBBOffset->setText(QStringLiteral("4"));
    d->txtBBOffset_LostFocus();
    EXPECT_EQ(d->lblBBoffsetclk->text(), QStringLiteral("4.9200 MHz"));
}

// Each divider box stores what fits its field and refuses the rest: a number outside the range
// with a message naming it (the box shows what stands again), text that is not a number by
// marking the box, which keeps the text and says in its tool tip what it accepts, until an
// entry is taken.
TEST_F(DemodWindow, DividerBoxesStoreOnlyWhatTheirFieldsHold) {
    // Plain callables rather than pointers to members: GCC's vptr check misreads calls
    // through a pointer to member made from a test body.
    using Handler = std::function<void()>;
    const auto ifField = [this] {
        return f().IFFilterDividerField;
    };
    const auto demodField = [this] {
        return double(f().DemodClockDividerField);
    };
    const auto cdrField = [this] {
        return double(f().CdrClockDividerField);
    };
    struct Box {
        QLineEdit* box;
        Handler lostFocus;
        std::function<double()> field;
        int shift;
        int start;
    };
    const Box ifBox{d->txtIFFilter, [this] { d->txtIFFilter_LostFocus(); }, ifField, 5, 394};
    const Box demodBox{d->txtDemod, [this] { d->txtDemod_LostFocus(); }, demodField, 6, 5};
    const Box cdrBox{d->txtCDR, [this] { d->txtCDR_LostFocus(); }, cdrField, 10, 38};
    struct Entry {
        const Box* box;
        const char* text;
        std::optional<int> divider; // nullopt: refused
        QString message;
    } entries[] = {
        {&ifBox, "511", 511, {}},
        {&ifBox, "300.5", 300, {}},
        {&ifBox, "512", {}, IFFilterLimitText},
        {&ifBox, "0", {}, IFFilterLimitText},
        {&ifBox, "1E99", {}, IFFilterLimitText},
        {&ifBox, "abc", {}, {}},
        {&demodBox, "15", 15, {}},
        {&demodBox, "16", {}, DemodLimitText},
        {&demodBox, "0", {}, DemodLimitText},
        {&demodBox, "-3", {}, DemodLimitText},
        {&demodBox, "", {}, {}},
        {&cdrBox, "255", 255, {}},
        {&cdrBox, "256", {}, CDRLimitText},
        {&cdrBox, "0", 1, {}}, // no divide
        {&cdrBox, "&H10", 16, {}},
        {&cdrBox, "1O", {}, {}},
    };
    for (const Entry& e : entries) {
        SCOPED_TRACE(e.text);
        const Box& b = *e.box;
        // A known start: demod divider 5 (the window's own entry), IF 394, CDR 38.
        f().IFFilterDividerField = 394 << 5;
        f().DemodClockDividerField = 5 << 6;
        w().DemodClockMHz = 19.68f / 5;
        f().CdrClockDividerField = 38 << 10;
        d->Form_Load();
        services.messages.clear();
        b.box->setText(QString::fromLatin1(e.text));
        b.lostFocus();
        const int divider = e.divider.value_or(b.start);
        EXPECT_EQ(b.field(), double(divider) * (1 << b.shift));
        EXPECT_EQ(messageTexts(), e.message.isEmpty() ? std::vector<QString>{} : just(e.message));
        const bool marked = !e.divider && e.message.isEmpty();
        EXPECT_EQ(platform::isMarkedRefused(b.box), marked);
        if (marked) {
            EXPECT_EQ(b.box->text(), QString::fromLatin1(e.text));
            EXPECT_FALSE(b.box->toolTip().isEmpty());
        } else {
            EXPECT_EQ(b.box->text(), QString::number(divider));
        }
        expectNoNonsenseShown();
    }
}

// The mark of a refused divider goes when the box takes an entry, or when the window shows
// the dividers that stand again.
TEST_F(DemodWindow, ARefusedDividerIsMarkedUntilAnEntryIsTaken) {
    d->txtIFFilter->setText(QStringLiteral("abc"));
    d->txtIFFilter_LostFocus();
    ASSERT_TRUE(platform::isMarkedRefused(d->txtIFFilter));
    EXPECT_EQ(d->txtIFFilter->toolTip(), IFFilterLimitText);
    EXPECT_TRUE(messageTexts().empty());
    d->txtIFFilter->setText(QStringLiteral("300"));
    d->txtIFFilter_LostFocus();
    EXPECT_FALSE(platform::isMarkedRefused(d->txtIFFilter));
    EXPECT_EQ(f().IFFilterDividerField, 300 << 5);
    EXPECT_TRUE(d->txtIFFilter->toolTip().isEmpty());

    d->txtCDR->setText(QStringLiteral("x"));
    d->txtCDR_LostFocus();
    ASSERT_TRUE(platform::isMarkedRefused(d->txtCDR));
    d->txtDemod->setText(QStringLiteral("5"));
    d->txtDemod_LostFocus(); // gives the CDR box its stored divider back first
    EXPECT_FALSE(platform::isMarkedRefused(d->txtCDR));
    EXPECT_TRUE(platform::isNumeric(d->txtCDR->text()));
}

// A demodulator divider of 4 is held as 0; everything computed from it divides by 4.
TEST_F(DemodWindow, DemodDividerOfFourIsHeldAsZero) {
    d->txtDemod->setText(QStringLiteral("5"));
    d->txtDemod_LostFocus();
    ASSERT_EQ(f().DemodClockDividerField, 5 << 6);
    EXPECT_FLOAT_EQ(w().CdrClockKHz, 3936.0f / 38);
    d->txtDemod->setText(QStringLiteral("4"));
    d->txtDemod_LostFocus(); // runs the CDR box's handler and reloads
    EXPECT_EQ(f().DemodClockDividerField, 0);
    EXPECT_FLOAT_EQ(w().DemodClockMHz, 4.92f);
    EXPECT_EQ(f().CdrClockDividerField, 38 << 10);
    EXPECT_FLOAT_EQ(w().CdrClockKHz, 4920.0f / 38);
    EXPECT_EQ(d->txtDemod->text(), QStringLiteral("4"));
    EXPECT_EQ(d->lblDemodclk->text(), QStringLiteral("4.9200 MHz"));
    EXPECT_EQ(d->lblCDRclk->text(), QStringLiteral("129.4737 kHz"));
    // The discriminator code for the new clock: round(4920 / (2.10205 x 4)) = 585.
    EXPECT_EQ(discrimCode(), 585);
    EXPECT_EQ(d->discriminatorCentre->text(),
              platform::formatNumber(4920.0 * 48 / (585 * 4), u"#000.000") +
                  QStringLiteral(" kHz"));
    EXPECT_EQ((word(3) >> 6) & 0xF, 0u);
    expectNoNonsenseShown();
    // Reopened from the stored 0, and left again unchanged.
    frmDemod& again = reopen();
    EXPECT_EQ(again.txtDemod->text(), QStringLiteral("4"));
    EXPECT_EQ(again.lblDemodclk->text(), QStringLiteral("4.9200 MHz"));
    again.txtDemod_LostFocus();
    EXPECT_EQ(f().DemodClockDividerField, 0);
    expectNoNonsenseShown();
    EXPECT_TRUE(messageTexts().empty());
}

// The boxes act when focus leaves them for another control of the window, not when the window
// itself loses the focus.
TEST_F(DemodWindow, LeavingABoxRunsItsHandler) {
    d->txtIFFilter->setText(QStringLiteral("300"));
    QFocusEvent away(QEvent::FocusOut, Qt::ActiveWindowFocusReason);
    QApplication::sendEvent(d->txtIFFilter, &away);
    EXPECT_EQ(f().IFFilterDividerField, 394 << 5);
    QFocusEvent tab(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(d->txtIFFilter, &tab);
    EXPECT_EQ(f().IFFilterDividerField, 300 << 5);
    EXPECT_EQ(d->lblIFfilterclk->text(), QStringLiteral("65.6000 kHz"));
}

// Return in a divider box takes the entry as leaving it does, and presses no button of the
// window ("K up" would step the discriminator).
TEST_F(DemodWindow, ReturnInADividerBoxTakesTheEntryOnly) {
    d->show();
    const int16_t k = w().DiscrimK;
    evaltest::typeInto(d->txtIFFilter, QStringLiteral("300"));
    evaltest::pressReturn(d->txtIFFilter);
    EXPECT_EQ(f().IFFilterDividerField, 300 << 5);
    EXPECT_EQ(w().DiscrimK, k);
    EXPECT_TRUE(d->isVisible());
    d->hide();
}

TEST_F(DemodWindow, PostDemodBoxStoresTheFilterCode) {
    struct Case {
        const char* text;
        std::optional<int> code; // nullopt: the code 4 stays
        const char* actual;
        bool message;
    } cases[] = {
        {"10", 13, "9.9409", false}, // round(1024 x 6.2832 x 10 / 4920) = 13
        {"0", 0, "0.0000", false},    {"999", {}, nullptr, true}, // code 1306
        {"1000", {}, nullptr, false}, {"-5", {}, nullptr, false},
        {"ab", {}, nullptr, false},   {"", {}, nullptr, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        f().PostDemodBwField = 4 << 20;
        m->lblDemodBW->setText(QStringLiteral("3.0588"));
        d->lblDemodBW->setText(QStringLiteral("3.0588kHz"));
        services.messages.clear();
        d->txtDemodBW->setText(QString::fromLatin1(c.text));
        EXPECT_EQ(f().PostDemodBwField, c.code.value_or(4) << 20);
        const QString actual = c.actual ? QString::fromLatin1(c.actual) : QStringLiteral("3.0588");
        EXPECT_EQ(d->lblDemodBW->text(), actual + QStringLiteral("kHz"));
        EXPECT_EQ(m->lblDemodBW->text(), actual);
        if (c.code) {
            EXPECT_EQ(d->lblDemodBW_disp->text(), QStringLiteral("R4_DB(20:29) = %1").arg(*c.code));
        }
        EXPECT_EQ(messageTexts(), c.message ? just(PostDemodLimitText) : std::vector<QString>{});
    }
}

TEST_F(DemodWindow, FrontPanelDemodulatorDecidesTheCorrelatorControls) {
    struct Case {
        int demod;
        bool frame;
        bool kControls;
    } cases[] = {{0, false, true}, {1, true, true}, {2, true, false}, {3, true, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.demod);
        d->unload();
        m->cmbDemod->setCurrentIndex(c.demod);
        clearRecords();
        frmDemod& w = app->frmDemod();
        d = &w;
        EXPECT_EQ(w.FrCorrelator->isEnabled(), c.frame);
        EXPECT_EQ(w.CmdKup->isEnabled(), c.frame && c.kControls);
        EXPECT_EQ(w.cmdKreset->isEnabled(), c.frame && c.kControls);
        EXPECT_EQ(w.cmbdiscrim->isEnabled(), c.frame && c.kControls);
        EXPECT_EQ(w.correlatorK->text().isEmpty(), !c.frame);
        EXPECT_EQ(w.lblT4Frequency->text().isEmpty(), !c.frame);
        EXPECT_EQ(w.discriminatorCentre->text().isEmpty(), !c.frame);
        EXPECT_TRUE(messageTexts().empty());
        expectNoNonsenseShown();
    }
}

TEST_F(DemodWindow, LockModeListSetsRegister12) {
    for (int i : {2, 3, 1, 0}) {
        d->cmbLockmode->setCurrentIndex(i);
        EXPECT_EQ(f().LockThresholdModeField, i * 16.0);
    }
    d->cmbLockmode->setCurrentIndex(3);
    EXPECT_EQ(reopen().cmbLockmode->currentIndex(), 3);
}

// Auto Calc Clocks puts back the clocks the data-rate plan chooses and keeps the other
// settings made here.
TEST_F(DemodWindow, AutoCalcClocksRestoresThePlannedDividers) {
    const CorvaneFields planned = f();
    d->txtDemodBW->setText(QStringLiteral("10")); // code 13 at 4.92 MHz
    d->txtDemod->setText(QStringLiteral("6"));
    d->txtDemod_LostFocus();
    d->txtIFFilter->setText(QStringLiteral("200"));
    d->txtIFFilter_LostFocus();
    d->txtBBOffset->setText(QStringLiteral("4"));
    d->txtBBOffset_LostFocus();
    d->CmdKup->click();
    d->cmdautoClock->click();
    EXPECT_EQ(f().IFFilterDividerField, planned.IFFilterDividerField);
    EXPECT_EQ(f().BbOffsetDividerField, planned.BbOffsetDividerField);
    EXPECT_EQ(f().DemodClockDividerField, planned.DemodClockDividerField);
    EXPECT_EQ(f().CdrClockDividerField, planned.CdrClockDividerField);
    EXPECT_EQ(f().SeqClockDividerField, planned.SeqClockDividerField);
    EXPECT_FLOAT_EQ(w().DemodClockMHz, 4.92f);
    EXPECT_EQ(d->txtDemod->text(), QStringLiteral("4"));
    EXPECT_EQ(w().DiscrimK, 49);
    EXPECT_EQ(f().PostDemodBwField, 13 << 20);
    EXPECT_TRUE(messageTexts().empty());
}

TEST_F(DemodWindow, ReturnAndCloseBoxRefreshTheReadouts) {
    for (bool closeBox : {false, true}) {
        SCOPED_TRACE(closeBox ? "close box" : "Return to Front Panel");
        frmDemod& w = app->frmDemod();
        w.txtBBOffset->setText(closeBox ? QStringLiteral("8") : QStringLiteral("24"));
        w.txtBBOffset_LostFocus();
        // The edit is shown at once.
        EXPECT_EQ(m->lblRxCLKhex->text(), reglink::readoutText(word(3)));
        f().SeqClockDividerField = (closeBox ? 40 : 60) << 18; // unseen until the return
        ASSERT_NE(m->lblRxCLKhex->text(), reglink::readoutText(word(3)));
        if (closeBox)
            w.close();
        else
            w.returnToPanel->click();
        EXPECT_FALSE(app->isLoaded(QStringLiteral("frmDemod")));
        EXPECT_EQ(m->lblRxCLKhex->text(), reglink::readoutText(word(3)));
        EXPECT_EQ(m->lblRxCLKhex->mark(), Mark::Changed);
        EXPECT_TRUE(usb.writtenWords().empty());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}
