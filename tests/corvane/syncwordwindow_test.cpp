// The sync-word detection window: registers 11 and 12 from its controls and
// the sync-word status caption.
#include "corvanefixture.h"

#include "corvane/descriptions.h"
#include "link/registerlink.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <optional>

using namespace corvane;
using namespace corvane::test;

namespace {

struct SwdWindow : CorvaneFixture {
    Main* m = nullptr;
    frmSWD* swd = nullptr;
    void SetUp() override {
        CorvaneFixture::SetUp();
        m = &start();
        swd = &app->frmSWD();
        clearRecords();
    }
};

struct BoxCase {
    const char* text;
    std::optional<int> stored; // nullopt: the earlier value stays
};

} // namespace

TEST_F(SwdWindow, LoadFillsTheControlsFromTheFields) {
    swd->unload();
    f().SwdModeField = 2 << 6;
    f().PacketLengthField = 40 << 8;
    f().SyncWordLengthField = 1 << 4;
    f().SyncErrorsField = 3 << 6;
    f().SyncWordField = 0xABCDEF * 256.0;
    frmSWD& w = app->frmSWD();
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Form1"));
    EXPECT_EQ(w.detectionMode->currentText(), QStringLiteral("Int High after sync for DPL Bytes"));
    EXPECT_EQ(w.txtDPL->text(), QStringLiteral("40"));
    EXPECT_EQ(w.wordLength->currentText(), QStringLiteral("16 Bits"));
    EXPECT_EQ(w.txtErrors->text(), QStringLiteral("3"));
    EXPECT_EQ(w.syncWordPattern->text(), QStringLiteral("ABCDEF"));
    EXPECT_EQ(word(11), 0xABCDEFDBu);
}

TEST_F(SwdWindow, PacketLengthIsCappedAt255) {
    const BoxCase cases[] = {{"17", 17},
                             {"300", 255},
                             {"255", 255},
                             {"", std::nullopt},
                             {"abc", std::nullopt},
                             {"-5", std::nullopt},
                             {"12345", std::nullopt}};
    for (const BoxCase& c : cases) {
        swd->txtDPL->setText(QStringLiteral("9"));
        swd->txtDPL->setText(QString::fromLatin1(c.text));
        EXPECT_EQ(f().PacketLengthField, c.stored.value_or(9) << 8) << c.text;
        EXPECT_EQ((word(12) >> 8) & 0xFF, uint32_t(c.stored.value_or(9))) << c.text;
    }
    EXPECT_TRUE(messageTexts().empty());
}

TEST_F(SwdWindow, MatchingErrorsFitTwoBits) {
    const BoxCase cases[] = {
        {"2", 2},           {"", 0}, {"3", 3}, {"4", std::nullopt}, {"-1", std::nullopt},
        {"x", std::nullopt}};
    for (const BoxCase& c : cases) {
        swd->txtErrors->setText(QStringLiteral("1"));
        swd->txtErrors->setText(QString::fromLatin1(c.text));
        EXPECT_EQ(f().SyncErrorsField, c.stored.value_or(1) << 6) << c.text;
        EXPECT_EQ((word(11) >> 6) & 0x3, uint32_t(c.stored.value_or(1))) << c.text;
    }
}

TEST_F(SwdWindow, SyncWordIsHexadecimalUpTo24Bits) {
    const BoxCase cases[] = {{"2AA", 0x2AA},
                             {"ffffff", 0xFFFFFF},
                             {"", 0},
                             {"1000000", std::nullopt},
                             {"2G", std::nullopt},
                             {"0x2AA", std::nullopt},
                             {"123456789", std::nullopt}};
    for (const BoxCase& c : cases) {
        swd->syncWordPattern->setText(QStringLiteral("5"));
        swd->syncWordPattern->setText(QString::fromLatin1(c.text));
        EXPECT_EQ(f().SyncWordField, c.stored.value_or(5) * 256.0) << c.text;
        EXPECT_EQ(word(11) >> 8, uint32_t(c.stored.value_or(5))) << c.text;
        EXPECT_EQ(word(11) & 0xF, 11u) << c.text;
    }
}

TEST_F(SwdWindow, SyncWordShowsAgainAsTypedOnTheNextLoad) {
    swd->syncWordPattern->setText(QStringLiteral("2AA"));
    EXPECT_EQ(f().SyncWordField, 0x2AA * 256.0);
    swd->return_->click();
    EXPECT_EQ(app->frmSWD().syncWordPattern->text(), QStringLiteral("2AA"));
}

TEST_F(SwdWindow, ListsSetTheirFields) {
    swd->detectionMode->setCurrentIndex(3);
    swd->wordLength->setCurrentIndex(0);
    EXPECT_EQ(f().SwdModeField, 3 << 6);
    EXPECT_EQ(f().SyncWordLengthField, 0);
}

TEST_F(SwdWindow, EditsAreShownAtOnce) {
    swd->syncWordPattern->setText(QStringLiteral("ABC"));
    swd->txtDPL->setText(QStringLiteral("20"));
    EXPECT_EQ(m->lbltest11hex->text(), reglink::readoutText(word(11)));
    EXPECT_EQ(m->lbltest12hex->text(), reglink::readoutText(word(12)));
    EXPECT_EQ(m->lbltest11hex->mark(), reglink::RegisterReadout::Mark::Changed);
    EXPECT_EQ(m->lbltest12hex->mark(), reglink::RegisterReadout::Mark::Changed);
}

TEST_F(SwdWindow, ReturnAndCloseBoxShowTheInterruptMode) {
    const char* captions[] = {"Low", "High on SWD", "High on SWD for DPL", "High"};
    for (bool closeBox : {false, true}) {
        for (int index : {2, 0, 3, 1}) {
            frmSWD& w = app->frmSWD();
            w.detectionMode->setCurrentIndex(index);
            if (closeBox)
                w.close();
            else
                w.return_->click();
            EXPECT_EQ(m->syncWordStatus->text(), QString::fromLatin1(captions[index])) << index;
            EXPECT_FALSE(app->isLoaded(QStringLiteral("frmSWD")));
        }
    }
}

TEST(StatusCaptions, SyncWordCaptionsOfTheWindowAndTheImport) {
    struct Case {
        int32_t field;
        std::optional<QString> onReturn, onImport;
    } cases[] = {
        {0, QStringLiteral("Low"), QStringLiteral("Low")},
        {64, QStringLiteral("High on SWD"), QStringLiteral("High on SWD")},
        {128, QStringLiteral("High on SWD for DPL"), QStringLiteral("High on SWD")},
        {192, QStringLiteral("High"), QStringLiteral("High")},
        {32, std::nullopt, std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(swdCaptionOnReturn(c.field), c.onReturn) << c.field;
        EXPECT_EQ(swdCaptionOnImport(c.field), c.onImport) << c.field;
    }
}

TEST(StatusCaptions, AfcAndAgcCaptions) {
    EXPECT_EQ(afcCaption(16), QStringLiteral("On"));
    EXPECT_EQ(afcCaption(0), QStringLiteral("OFF"));
    EXPECT_EQ(agcCaption(0), QStringLiteral("Auto"));
    EXPECT_EQ(agcCaption(1 << 18), QStringLiteral("Manual"));
    EXPECT_EQ(agcCaption(1 << 19), QStringLiteral("Frozen"));
    EXPECT_EQ(agcCaption(3 << 18), std::nullopt);
}
