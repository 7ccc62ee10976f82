// The IR calibration window: tuning the synthesizer for the calibration tone, and the search
// over the image-rejection adjustments of register 5 with its terminating conditions.
#include "corvanefixture.h"

#include "platform/core/numbers.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTimer>

#include <deque>

using namespace corvane;
using namespace corvane::test;

namespace {

uint32_t bits(uint32_t word, int low, int count) {
    return (word >> low) & ((1u << count) - 1);
}

// The register numbers (low 4 bits) of the words written over USB.
std::vector<uint32_t> registersWritten(const board::RecordingSkerry& usb) {
    std::vector<uint32_t> n;
    for (uint32_t word : usb.writtenWords())
        n.push_back(word & 15);
    return n;
}
std::vector<uint32_t> wordsOf(const board::RecordingSkerry& usb, uint32_t reg) {
    std::vector<uint32_t> words;
    for (uint32_t word : usb.writtenWords())
        if ((word & 15) == reg)
            words.push_back(word);
    return words;
}
size_t readbacks(const board::RecordingSkerry& usb) {
    size_t n = 0;
    for (const auto& call : usb.calls())
        n += call.kind == board::RecordingSkerry::Kind::ReadRegister;
    return n;
}

// A readback answer at the lowest receiver gain (code 10, no correction) that converts to
// `dbm`: low 7 bits / 2 - 130.
constexpr int32_t rssiAnswer(int dbm) {
    return 10 * 128 + 2 * (dbm + 130);
}

// The selection register 7 reads with the enable bit set.
int16_t rssiSelection(const CorvaneFields& f) {
    return static_cast<int16_t>(((f.ReadbackSelectField + 256 + f.ReadbackAdcModeField) / 16) & 31);
}

struct IrCalWindow : CorvaneFixture {
    frmIRcal& open() {
        startConnected();
        return app->frmIRcal();
    }
    void entries(frmIRcal& r, const char* gain, const char* phase, const char* iter,
                 const char* subopt) {
        r.txtGainInit->setText(QString::fromLatin1(gain));
        r.txtPhaseInit->setText(QString::fromLatin1(phase));
        r.txtIter->setText(QString::fromLatin1(iter));
        r.txtSubopt->setText(QString::fromLatin1(subopt));
    }
};

TEST(IrCalClockMultiple, RoundsHalfToEvenThenMakesOddTowardTheRatio) {
    const struct {
        double ratio;
        int32_t n;
    } cases[] = {
        {100.0, 101}, {99.6, 99},     {100.4, 101}, {100.5, 101}, {99.5, 99},
        {101.4, 101}, {353.455, 353}, {0.2, 1},     {-0.2, -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.ratio);
        EXPECT_EQ(oddClockMultiple(c.ratio), c.n);
    }
    EXPECT_EQ(oddClockMultiple(1e12), std::nullopt);
    EXPECT_EQ(oddClockMultiple(std::numeric_limits<double>::infinity()), std::nullopt);
}

// Internal source: R6 with the source at drive 3, R9 with manual AGC at zero gains, the
// synthesizer on the odd multiple of the demodulator clock, then R1, R3, R0, R4, every word as
// the fields now make it.
TEST_F(IrCalWindow, UpdateRfWithTheInternalSourceTunesAndWritesInOrder) {
    frmIRcal& r = open();
    f().LnaGainField = 3 << 20;
    f().FilterGainField = 2 << 22;
    f().AgcHighThresholdField = 70 << 4;
    f().AgcLowThresholdField = 30;
    f().IFFineCalField = 16;
    r.cmbCalsrc->setCurrentIndex(0);
    const double c = w().DemodClockMHz;
    ASSERT_GT(c, 0);
    const int32_t n = *oddClockMultiple(w().RfFrequencyMHz / c);
    r.updateRf->click();

    EXPECT_TRUE(services.messages.messages.empty());
    EXPECT_EQ(registersWritten(usb), (std::vector<uint32_t>{6, 9, 1, 3, 0, 4}));
    EXPECT_EQ(f().IRCalDriveField, 3 << 28);
    EXPECT_EQ(f().IRCalSourceField, 0);
    EXPECT_EQ(f().IFFineCalField, 0);
    EXPECT_EQ(f().AgcModeField, 1 << 18);
    for (int32_t v : {f().LnaGainField, f().FilterGainField, f().AgcHighThresholdField,
                      f().AgcLowThresholdField})
        EXPECT_EQ(v, 0);
    const auto written = usb.writtenWords();
    EXPECT_EQ(written[0], word(6));
    EXPECT_EQ(written[1], word(9));
    EXPECT_EQ(written[2], word(1));
    EXPECT_EQ(written[4], word(0));

    EXPECT_EQ(n % 2, 1);
    EXPECT_NEAR(w().RfFrequencyMHz, c * n, 1e-3);
    EXPECT_EQ(r.rfChannelFrequency->text(),
              platform::formatNumber(w().RfFrequencyMHz, u"0.000000"));
    EXPECT_EQ(r.imageFrequency->text(),
              platform::formatNumber(w().RfFrequencyMHz - 0.2, u"0.000000") + " MHz");
    EXPECT_TRUE(r.demodClock->text().isEmpty()); // the calculated clock is not shown
    EXPECT_FALSE(app->isLoaded(QStringLiteral("synthform")));
}

// The override takes the crystal over the chosen divider; without a divider nothing happens.
TEST_F(IrCalWindow, UpdateRfWithTheDividerOverride) {
    frmIRcal& r = open();
    r.cmbCalsrc->setCurrentIndex(0);
    r.overrideDemodDivide->setChecked(true);
    r.updateRf->click();
    EXPECT_EQ(messageTexts(), (std::vector<QString>{"Invalid entry. Choose a Demod Divider"}));
    EXPECT_TRUE(usb.lines().empty());

    services.messages.clear();
    r.demodDivider->setCurrentIndex(7); // 19.68 / 8 = 2.46 MHz; 869.5 / 2.46 = 353.46 -> 353
    r.updateRf->click();
    EXPECT_TRUE(services.messages.messages.empty());
    EXPECT_EQ(r.demodClock->text(), QStringLiteral("2.4600"));
    EXPECT_NEAR(w().RfFrequencyMHz, 2.46 * 353, 1e-3);
    EXPECT_EQ(r.rfChannelFrequency->text(),
              platform::formatNumber(w().RfFrequencyMHz, u"0.000000"));
}

// External source: the reminder, then only the channel texts and R1, R3, R0, R4.
TEST_F(IrCalWindow, UpdateRfWithTheExternalSourceOnlyRewritesTheChannel) {
    frmIRcal& r = open();
    const CorvaneFields before = f();
    r.cmbCalsrc->setCurrentIndex(1);
    r.updateRf->click();
    EXPECT_EQ(messageTexts(),
              (std::vector<QString>{"Ensure external RF source is connected to Corvane Daughter "
                                    "board and set to RF Channel Frequency - 200kHz"}));
    EXPECT_EQ(registersWritten(usb), (std::vector<uint32_t>{1, 3, 0, 4}));
    EXPECT_EQ(f().IRCalDriveField, before.IRCalDriveField);
    EXPECT_EQ(f().AgcModeField, before.AgcModeField);
    EXPECT_EQ(r.rfChannelFrequency->text(), QStringLiteral("869.500000"));
    EXPECT_EQ(r.imageFrequency->text(), QStringLiteral("869.300000 MHz"));
}

// The first value goes to the phase fields (bits 25..30), the second to the gain fields
// (bits 20..24); the empty mode list sets bit 31. Each point is written before it is read.
TEST_F(IrCalWindow, EachPointGoesToRegister5BeforeItsReadback) {
    frmIRcal& r = open();
    entries(r, "-3", "2", "1", "5");
    r.cmdStartCal->click();
    const auto r5 = wordsOf(usb, 5);
    ASSERT_EQ(r5.size(), 3u); // one step: centre, first + 1, second + 1
    const struct {
        uint32_t phaseMagnitude, phaseSign, gainMagnitude, gainSign;
    } expected[] = {{3, 1, 2, 0}, {2, 1, 2, 0}, {3, 1, 3, 0}};
    for (size_t i = 0; i < r5.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(bits(r5[i], 25, 5), expected[i].phaseMagnitude);
        EXPECT_EQ(bits(r5[i], 30, 1), expected[i].phaseSign);
        EXPECT_EQ(bits(r5[i], 20, 4), expected[i].gainMagnitude);
        EXPECT_EQ(bits(r5[i], 24, 1), expected[i].gainSign);
        EXPECT_EQ(bits(r5[i], 31, 1), 1u);
    }
    // Write, read, write, read, ...
    std::vector<QString> kinds;
    for (const auto& call : usb.calls())
        kinds.push_back(call.kind == board::RecordingSkerry::Kind::ReadRegister
                            ? QStringLiteral("read")
                            : QString::number(call.argument & 15));
    EXPECT_EQ(kinds, (std::vector<QString>{"5", "read", "5", "read", "5", "read"}));
}

// At the ends of the fields a point stays on the last code instead of spilling into the sign
// bit above.
TEST_F(IrCalWindow, PointsStayInsideTheirFields) {
    frmIRcal& r = open();
    entries(r, "31", "15", "1", "5");
    r.cmdStartCal->click();
    const auto r5 = wordsOf(usb, 5);
    ASSERT_EQ(r5.size(), 3u);
    for (uint32_t word : r5) {
        EXPECT_EQ(bits(word, 25, 6), 31u);
        EXPECT_EQ(bits(word, 20, 5), 15u);
    }
}

// Every RSSI equal: the first step improves on 0 dBm, the second is not below it and, with
// one suboptimal step allowed, ends the search at the point it moved to.
TEST_F(IrCalWindow, ConstantRssiStopsAtTheSecondStep) {
    frmIRcal& r = open();
    usb.setReadbackAnswer(rssiSelection(f()), rssiAnswer(-100));
    entries(r, "4", "5", "50", "1");
    r.cmdStartCal->click();
    EXPECT_EQ(readbacks(usb), 6u);
    EXPECT_EQ(w().ImageRssiDbm, -100.0);
    EXPECT_EQ(w().ReadbackValue, rssiAnswer(-100) & 127);
    // Equal readings move both values down by one each step.
    EXPECT_EQ(r.txtRSSIbest->text(), QStringLiteral("-100"));
    EXPECT_EQ(r.txtGainbest->text(), QStringLiteral("3"));
    EXPECT_EQ(r.txtPhasebest->text(), QStringLiteral("4"));
    EXPECT_EQ(r.txtGaincur->text(), QStringLiteral("2"));
    EXPECT_EQ(r.txtPhasecur->text(), QStringLiteral("3"));
    EXPECT_EQ(r.txtItercur->text(), QStringLiteral("1"));
    // The end point is written to the chip as the last R5 word.
    const auto r5 = wordsOf(usb, 5);
    ASSERT_EQ(r5.size(), 7u);
    EXPECT_EQ(bits(r5.back(), 25, 6), 2u);
    EXPECT_EQ(bits(r5.back(), 20, 5), 3u);
    EXPECT_EQ(r5.back(), word(5));
    EXPECT_EQ(w().IrCalStop, -1);
    EXPECT_EQ(r.cmdStartCal->text(), QStringLiteral("Start Calibration"));
    EXPECT_FALSE(r.searching());
}

// The iteration count ends a search that keeps improving.
TEST_F(IrCalWindow, IterationsEndTheSearch) {
    frmIRcal& r = open();
    usb.setReadbackAnswer(rssiSelection(f()), rssiAnswer(-100));
    entries(r, "0", "0", "1", "3");
    r.cmdStartCal->click();
    EXPECT_EQ(readbacks(usb), 3u);
    EXPECT_EQ(r.txtItercur->text(), QStringLiteral("1"));
}

// Entries the search cannot take are refused with a message before anything is sent.
TEST_F(IrCalWindow, BadEntriesAreRefused) {
    frmIRcal& r = open();
    const struct {
        const char *gain, *phase, *iter, *subopt, *message;
    } cases[] = {
        {"", "0", "5", "1", "Invalid entry. Gain must be a number from -31 to 31"},
        {"x", "0", "5", "1", "Invalid entry. Gain must be a number from -31 to 31"},
        {"32", "0", "5", "1", "Invalid entry. Gain must be a number from -31 to 31"},
        {"0", "-16", "5", "1", "Invalid entry. Phase must be a number from -15 to 15"},
        {"0", "0", "", "1", "Invalid entry. Iterations must be a number from -32768 to 32767"},
        {"0", "0", "1e9", "1", "Invalid entry. Iterations must be a number from -32768 to 32767"},
        {"0", "0", "5", "abc", "Invalid entry. Suboptimal must be a number from -32768 to 32767"},
    };
    const uint32_t r5 = word(5);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message);
        services.messages.clear();
        entries(r, c.gain, c.phase, c.iter, c.subopt);
        r.cmdStartCal->click();
        ASSERT_EQ(services.messages.messages.size(), 1u);
        EXPECT_EQ(services.messages.messages[0].text, QString::fromLatin1(c.message));
        EXPECT_EQ(services.messages.messages[0].icon, platform::MsgIcon::Exclamation);
        EXPECT_TRUE(usb.lines().empty());
        EXPECT_EQ(word(5), r5);
        EXPECT_FALSE(r.searching());
    }
}

// The window handles its events between steps: its Stop button ends a search that would
// otherwise run on, and closing it mid-search ends the search and the window.
TEST_F(IrCalWindow, StopButtonEndsTheSearch) {
    frmIRcal& r = open();
    usb.setReadbackAnswer(rssiSelection(f()), rssiAnswer(-100));
    entries(r, "0", "0", "30000", "30000");
    QString caption;
    QTimer::singleShot(0, &r, [&] {
        caption = r.cmdStartCal->text();
        EXPECT_FALSE(r.updateRf->isEnabled());
        r.cmdStartCal->click();
    });
    r.cmdStartCal->click();
    EXPECT_EQ(caption, QStringLiteral("Stop"));
    EXPECT_EQ(readbacks(usb), 3u);
    EXPECT_EQ(r.cmdStartCal->text(), QStringLiteral("Start Calibration"));
    EXPECT_TRUE(r.updateRf->isEnabled());
}

TEST_F(IrCalWindow, ClosingTheWindowEndsTheSearch) {
    QPointer<frmIRcal> r = &open();
    usb.setReadbackAnswer(rssiSelection(f()), rssiAnswer(-100));
    entries(*r, "0", "0", "30000", "30000");
    QTimer::singleShot(0, r.data(), [&] { r->close(); });
    r->cmdStartCal->click();
    EXPECT_EQ(readbacks(usb), 3u);
    EXPECT_FALSE(app->isLoaded(QStringLiteral("frmIRcal")));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(r.isNull());
}

// A board whose RSSI answers follow a script, one answer per readback.
struct ScriptedSkerry : board::RecordingSkerry {
    std::deque<int32_t> script;
    int32_t dd_read_pellion_reg(int16_t selection) override {
        if (!script.empty()) {
            setReadbackAnswer(selection, script.front());
            script.pop_front();
        }
        return RecordingSkerry::dd_read_pellion_reg(selection);
    }
};

struct IrCalSearch : IrCalWindow {
    ScriptedSkerry scripted;
    void SetUp() override { app = std::make_unique<CorvaneApp>(services.view(), scripted, port); }
};

// Step 1 (-100; first + 1 5 dB lower, second + 1 1 dB lower) moves the first value only;
// step 2 improves to -105 and moves the first value back and the second up; step 3 at -104 is
// the first not below the best and, with one suboptimal step allowed, ends the search.
TEST_F(IrCalSearch, StopsAtTheFirstStepNotBelowTheBest) {
    startConnected();
    frmIRcal& r = app->frmIRcal();
    scripted.clear();
    for (int dbm : {-100, -105, -101, -105, -104, -106, -104, -110, -110, -120})
        scripted.script.push_back(rssiAnswer(dbm));
    entries(r, "0", "0", "50", "1");
    r.cmdStartCal->click();

    EXPECT_EQ(readbacks(scripted), 9u);
    EXPECT_EQ(r.txtRSSIbest->text(), QStringLiteral("-105"));
    // The best shows the point moved to from the best centre.
    EXPECT_EQ(r.txtGainbest->text(), QStringLiteral("0"));
    EXPECT_EQ(r.txtPhasebest->text(), QStringLiteral("1"));
    // Step 3 (dG = 6, dP = 6) moves both up.
    EXPECT_EQ(r.txtGaincur->text(), QStringLiteral("1"));
    EXPECT_EQ(r.txtPhasecur->text(), QStringLiteral("2"));
    EXPECT_EQ(r.txtItercur->text(), QStringLiteral("2"));
    EXPECT_FLOAT_EQ(w().IrRssiCentre, -104.f);
    EXPECT_FLOAT_EQ(w().IrRssiPhaseStep, -110.f);
    EXPECT_FLOAT_EQ(w().IrRssiGainStep, -110.f);
    EXPECT_EQ(f().IRPhaseMagnitudeField, 1 << 25);
    EXPECT_EQ(f().IRGainMagnitudeField, 2 << 20);
    EXPECT_EQ(f().IRPhaseSignField, 0);
    EXPECT_EQ(f().IRGainSignField, 0);
}

} // namespace
