// The narrower VCO bands of Corvane-N's fraction buttons: the Calculate path keeps
// corvane-eval's bands, the fraction-step path refuses a channel above 920 MHz (460 MHz with
// the divide-by-2) and then changes nothing.
#include "corvanenfixture.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

using namespace corvanen::test;

namespace {

const QString InternalBandMessage =
    QStringLiteral("Frequency outside of VCO Range for Internal VCO inductor! Please consult the "
                   "Corvane datasheet for achievable frequency ranges");

struct FractionStepBands : CorvaneNFixture {
    corvane::synthform* s = nullptr;
    void calculate(const char* rf) {
        start();
        s = &app->synthform();
        s->txtVCOout1->setText(QString::fromLatin1(rf));
        s->CmdCalculate->click();
        clearRecords();
    }
    // Everything a refused step must leave alone.
    QStringList state() {
        QStringList out;
        for (QLabel* l :
             {s->LblN, s->LblF, s->LblR, s->LblActualChnFreq, s->lblRxLO, s->frequencyStep})
            out << l->text();
        for (QLineEdit* e : {s->txtVCOout1, s->txtpfd1, s->TxtCrystal1})
            out << e->text();
        corvane::Main& m = app->main();
        for (QLabel* l : {static_cast<QLabel*>(m.lblvcofreq), static_cast<QLabel*>(m.lblpfd_freq),
                          static_cast<QLabel*>(m.lblcrystal)})
            out << l->text();
        out << QString::number(app->w().IntegerN) << QString::number(app->w().FracN)
            << QString::number(app->w().RfFrequencyMHz, 'g', 17);
        for (int n : {0, 1, 6, 10})
            out << QString::number(word(n), 16);
        return out;
    }
};

TEST_F(FractionStepBands, At925MHzCalculateIsAcceptedAndTheFractionStepRefused) {
    calculate("925");
    EXPECT_EQ(s->LblN->text(), QStringLiteral("46")); // receive: (925 - 0.1) / 19.68
    EXPECT_FALSE(s->lblVCOdiv2->isOn());
    EXPECT_EQ(f().IntegerNField, 46 << 19);
    const QStringList before = state();
    for (QToolButton* b : {s->CmdFup, s->cmdfdown}) {
        SCOPED_TRACE(b->objectName().toStdString());
        b->click();
        ASSERT_EQ(messageTexts(), std::vector<QString>{InternalBandMessage});
        EXPECT_EQ(services.messages.messages[0].icon, platform::MsgIcon::Critical);
        EXPECT_EQ(services.messages.messages[0].title, QStringLiteral("Warning"));
        EXPECT_EQ(state(), before);
        clearRecords();
    }
    EXPECT_TRUE(usb.lines().empty());
}

TEST_F(FractionStepBands, At915MHzBothPathsAccept) {
    calculate("915");
    EXPECT_TRUE(messageTexts().empty());
    const int32_t f0 = app->w().FracN;
    s->CmdFup->click();
    EXPECT_TRUE(messageTexts().empty());
    EXPECT_EQ(app->w().FracN, f0 + 1);
    EXPECT_EQ(s->LblF->text(), QString::number(f0 + 1));
    EXPECT_EQ(f().FracNField, (f0 + 1) << 4);
}

// The lower band with the divide-by-2: 465 MHz is calculated, a step refused.
TEST_F(FractionStepBands, TheDividedBandEndsAt460MHzForTheFractionButtons) {
    calculate("465");
    EXPECT_TRUE(s->lblVCOdiv2->isOn());
    const QStringList before = state();
    s->CmdFup->click();
    EXPECT_EQ(messageTexts(), std::vector<QString>{InternalBandMessage});
    EXPECT_EQ(state(), before);
}

} // namespace
