// A synthesizer plan whose new PFD the FSK deviation cannot follow changes nothing: the
// deviation is counted again in steps of the PFD after every plan, and a count above the nine
// bits of its field would leave R and N of the new PFD beside a count of the old one.
#include "tessarinefixture.h"

#include "../support/userinput.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

using namespace tessarine;
using namespace tessarine::test;
using evaltest::typeInto;

namespace {

struct RefusedPlan : TessarineFixture {
    Main* m = nullptr;
    synthform* s = nullptr;

    void SetUp() override {
        TessarineFixture::SetUp();
        m = &start();
        m->synthSettings->click();
        s = &app->synthform();
        s->CmdCalculate->click();
        clearRecords();
    }
    void type(const char* rf, const char* pfd, const char* crystal) {
        typeInto(s->txtVCOout1, QString::fromLatin1(rf));
        typeInto(s->txtpfd1, QString::fromLatin1(pfd));
        typeInto(s->TxtCrystal1, QString::fromLatin1(crystal));
    }
    std::vector<QString> seen() {
        std::vector<QString> v = readoutTexts();
        for (const QLabel* l :
             std::initializer_list<const QLabel*>{s->LblR, s->LblN, s->LblF, m->lblvcofreq,
                                                  m->lblpfd_freq, m->lblcrystal, m->Lblfskdev})
            v.push_back(l->text());
        v.push_back(QString::number(double{w().PfdFrequencyMHz}));
        return v;
    }
};

} // namespace

TEST_F(RefusedPlan, ADeviationTheNewPfdCannotCountRefusesThePlan) {
    typeInto(m->TxtFSKdev, QStringLiteral("110")); // 489 steps of 225 Hz
    ASSERT_EQ(f().TxDeviationField, 489 << 11);
    const std::vector<QString> before = seen();
    const std::vector<uint32_t> words{word(0), word(1), word(2), word(3)};
    clearRecords();

    // At 3.4 MHz a step is 207.52 Hz: 110 kHz would be 530 steps.
    type("868.3", "3.4", "10.2");
    s->CmdCalculate->click();
    EXPECT_EQ(messageTexts(),
              (std::vector<QString>{
                  QStringLiteral("PFD frequency too low to acheive lock (Nmax = 256) !"),
                  QStringLiteral("Deviation count of 530 is above the maximum of 511. Please "
                                 "lower the deviation or raise the PFD frequency")}));
    EXPECT_EQ(seen(), before);
    EXPECT_EQ((std::vector<uint32_t>{word(0), word(1), word(2), word(3)}), words);
    EXPECT_EQ(s->txtpfd1->text(), QStringLiteral("3.4")); // as typed
    // The fraction steps run the same calculation first.
    clearRecords();
    s->cmdfdown->click();
    EXPECT_EQ(messageTexts().back(),
              QStringLiteral("Deviation count of 530 is above the maximum of 511. Please lower "
                             "the deviation or raise the PFD frequency"));
    EXPECT_EQ(seen(), before);

    // A deviation the new PFD can count lets the plan through, counted again.
    typeInto(m->TxtFSKdev, QStringLiteral("100"));
    clearRecords();
    s->CmdCalculate->click();
    EXPECT_EQ(messageTexts(), std::vector<QString>{QStringLiteral(
                                  "PFD frequency too low to acheive lock (Nmax = 256) !")});
    EXPECT_EQ(w().PfdFrequencyMHz, 3.4f);
    EXPECT_EQ(f().TxDeviationField, 482 << 11);
    EXPECT_EQ(s->LblR->text(), QStringLiteral("3"));
}

// A PFD so small that R has no integer is refused with a warning that says so, not with a
// number that overflowed.
TEST_F(RefusedPlan, AnAbsurdPfdIsToldAsFarAboveTheLimit) {
    const std::vector<QString> before = seen();
    type("868.3", "1e-30", "11.0592");
    s->CmdCalculate->click();
    EXPECT_EQ(messageTexts(), std::vector<QString>{QStringLiteral(
                                  "R divide is far above the maximum of 15. Please raise the PFD "
                                  "frequency or lower the XTAL frequency")});
    EXPECT_EQ(seen(), before);
}
