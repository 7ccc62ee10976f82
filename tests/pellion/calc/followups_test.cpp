// What the plans that follow a synthesizer plan would say of its new crystal and PFD.
#include "pellion/calc/followups.h"

#include <gtest/gtest.h>

using namespace pellion::calc;

namespace {

DataRateInputs rate(const char* text, float crystal) {
    DataRateInputs in;
    in.rateText = QString::fromLatin1(text);
    in.CrystalFrequencyMHz = crystal;
    in.ActualDeviationKHz = 20.25f;
    in.DemodTypeField = DemodCorrelator;
    in.cmbDemodIndex = 1;
    return in;
}

} // namespace

// The receiver clocks at the new crystal: a value beyond its field, a rate the clocks cannot
// reach, a crystal that gives no clocks at all; a box that holds no rate refuses nothing.
TEST(FollowUps, TheReceiverClocksAtTheNewCrystal) {
    const struct Case {
        const char* rate;
        float crystal;
        const char* refusal; // nullptr: taken
    } cases[] = {
        {"10", 11.0592f, nullptr},
        {"10", 26.0f,
         "IF filter divide of 520 is above the maximum of 511. Please lower the XTAL frequency"},
        {"1", 11.0592f,
         "CDR divide of 346 is above the maximum of 255. Please raise the data rate"},
        {"150", 2.0f,
         "Data rate of 150 kbit/s is not below the maximum of 125.000 kbit/s at this XTAL "
         "frequency. Please lower the data rate or raise the XTAL frequency"},
        {"10", 0.01f,
         "The XTAL frequency gives no receiver clocks. Please raise the XTAL frequency"},
        {"", 26.0f, nullptr},
        {"abc", 26.0f, nullptr},
        {"300", 26.0f, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.rate << " at " << c.crystal);
        const std::optional<platform::Message> r = followUpRefusal({rate(c.rate, c.crystal), {}});
        if (!c.refusal) {
            EXPECT_FALSE(r);
            continue;
        }
        ASSERT_TRUE(r);
        EXPECT_EQ(r->text, QString::fromLatin1(c.refusal));
        EXPECT_EQ(r->icon, platform::MsgIcon::Critical);
        EXPECT_EQ(r->title, QStringLiteral("Warning"));
    }
}

// The deviation is judged with the demodulator clock the new crystal gives, when the data
// rate is planned again for it.
TEST(FollowUps, TheDeviationAtTheNewPfdAndDemodulatorClock) {
    DeviationInputs d{QStringLiteral("2"), 11.0592f, 0, ModulationFsk, DemodCorrelator, 11.0592f};
    // 2 kHz is K = 99: a setting of 1369 at 11.0592 MHz, above the ten bits.
    std::optional<platform::Message> r = followUpRefusal({std::nullopt, d});
    ASSERT_TRUE(r);
    EXPECT_EQ(r->text, QStringLiteral("Discriminator setting of 1369 is above the maximum of "
                                      "1023. Please raise the deviation"));
    // The rate plan at 4 MHz runs the demodulator at 4 MHz, where the setting is 495.
    r = followUpRefusal({rate("10", 4.0f), d});
    EXPECT_FALSE(r);
    // A deviation text that is no deviation refuses nothing of the set-up.
    d.text = QStringLiteral("2x");
    EXPECT_FALSE(followUpRefusal({std::nullopt, d}));
}
