// A box whose change handler refuses some entries with a message: the message waits while the
// user types and comes when the entry is committed; a refusal of code's text comes at once;
// nothing is said twice for the same entry.
#include "../support/userinput.h"

#include <QFocusEvent>
#include <QLocale>
#include <QVBoxLayout>
#include <QWidget>
#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>

#include "platform/core/numbers.h"
#include "platform/entrymark.h"
#include "platform/entryrefusals.h"
#include "testing/recordingservices.h"

namespace {

const QString Accepts = QStringLiteral("A number from 0 to 10");

// A handler as the front panels have them: letters only mark the box, a number above the
// limit is refused with a message of ours.
struct Handler {
    platform::EntryRefusals& refusals;
    QLineEdit* box;
    double limit = 10;
    int taken = 0;

    void operator()() {
        const std::optional<double> v = platform::textToNumber(box->text());
        if (!v) {
            refusals.refuse(box, Accepts);
            return;
        }
        if (*v > limit) {
            refusals.refuse(
                box, Accepts,
                {{QStringLiteral("Above %1").arg(limit), platform::MsgIcon::None, std::nullopt}});
            return;
        }
        refusals.accept(box);
        ++taken;
    }
};

struct EntryRefusals : ::testing::Test {
    QWidget window;
    platform::RecordingMessageService messages;
    platform::EntryRefusals refusals{messages};
    QLineEdit* box = new QLineEdit;
    QLineEdit* other = new QLineEdit;
    Handler handler{refusals, box};
    Handler otherHandler{refusals, other};

    void SetUp() override {
        auto* layout = new QVBoxLayout(&window);
        layout->addWidget(box);
        layout->addWidget(other);
        for (QLineEdit* b : {box, other})
            refusals.watch(b);
        QObject::connect(box, &QLineEdit::textChanged, &window, [this] { handler(); });
        QObject::connect(other, &QLineEdit::textChanged, &window, [this] { otherHandler(); });
    }
    std::vector<QString> said() const { return messages.texts(); }
};

TEST_F(EntryRefusals, TypingOnlyMarksAndTheCommitSaysItOnce) {
    evaltest::typeInto(box, QStringLiteral("15"));
    EXPECT_TRUE(said().empty());
    EXPECT_TRUE(platform::isMarkedRefused(box));
    EXPECT_EQ(box->toolTip(), Accepts);
    EXPECT_EQ(handler.taken, 1); // the "1" on the way

    evaltest::pressReturn(box);
    EXPECT_EQ(said(), (std::vector<QString>{"Above 10"}));
    evaltest::pressReturn(box);
    evaltest::leaveBox(box);
    EXPECT_EQ(said().size(), 1u);

    // Another entry refused for the same reason is said again at its commit.
    evaltest::typeInto(box, QStringLiteral("150"));
    evaltest::leaveBox(box);
    EXPECT_EQ(said(), (std::vector<QString>{"Above 10", "Above 10"}));
}

TEST_F(EntryRefusals, AnEntryTakenBeforeTheCommitSaysNothing) {
    evaltest::typeInto(box, QStringLiteral("15"));
    QTest::keyClick(box, Qt::Key_Backspace);
    evaltest::pressReturn(box);
    evaltest::leaveBox(box);
    EXPECT_TRUE(said().empty());
    EXPECT_FALSE(platform::isMarkedRefused(box));
    // Letters are marked, and their commit has no message to add.
    evaltest::typeInto(box, QStringLiteral("abc"));
    evaltest::pressReturn(box);
    EXPECT_TRUE(platform::isMarkedRefused(box));
    EXPECT_TRUE(said().empty());
}

TEST_F(EntryRefusals, ARefusalOfCodeIsSaidAtOnceAndNotAgainForTheSameText) {
    box->setText(QStringLiteral("20"));
    EXPECT_EQ(said(), (std::vector<QString>{"Above 10"}));
    handler(); // planned again with the same text
    EXPECT_EQ(said().size(), 1u);
    // The set-up changes and the same text is refused for another reason: that is said.
    handler.limit = 5;
    handler();
    EXPECT_EQ(said(), (std::vector<QString>{"Above 10", "Above 5"}));
}

TEST_F(EntryRefusals, ACommittedEntryPlannedAgainSaysNothingNewAndNewReasonsAtOnce) {
    evaltest::typeInto(box, QStringLiteral("15"));
    evaltest::pressReturn(box);
    handler();
    EXPECT_EQ(said().size(), 1u);
    handler.limit = 12;
    handler();
    EXPECT_EQ(said(), (std::vector<QString>{"Above 10", "Above 12"}));
}

TEST_F(EntryRefusals, TheSameMessageFromTwoBoxesIsSaidOnce) {
    box->setText(QStringLiteral("20"));
    other->setText(QStringLiteral("30"));
    EXPECT_EQ(said(), (std::vector<QString>{"Above 10"}));
    // Once the first box takes its entry, the second box's refusal is its own.
    box->setText(QStringLiteral("2"));
    other->setText(QStringLiteral("31"));
    EXPECT_EQ(said(), (std::vector<QString>{"Above 10", "Above 10"}));
}

TEST_F(EntryRefusals, AnotherWindowTakingTheFocusIsNoCommit) {
    evaltest::typeInto(box, QStringLiteral("15"));
    for (Qt::FocusReason reason : {Qt::ActiveWindowFocusReason, Qt::PopupFocusReason}) {
        QFocusEvent out(QEvent::FocusOut, reason);
        QCoreApplication::sendEvent(box, &out);
    }
    EXPECT_TRUE(said().empty());
    evaltest::leaveBox(box);
    EXPECT_EQ(said().size(), 1u);
}

// The decimal mark is a point in every locale; a comma is refused, and the mark says how the
// number is written.
TEST(DecimalComma, IsRefusedWithAHintInAGermanLocale) {
    const QLocale kept;
    const char* keptLcAll = std::getenv("LC_ALL");
    const std::string keptValue = keptLcAll ? keptLcAll : "";
    setenv("LC_ALL", "de_DE.UTF-8", 1);
    setenv("LANG", "de_DE.UTF-8", 1);
    std::setlocale(LC_ALL, "");
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));

    EXPECT_EQ(platform::textToNumber(u"20.5"), 20.5);
    EXPECT_FALSE(platform::textToNumber(u"20,5"));
    EXPECT_EQ(platform::withDecimalPoint(u"868,3"), QStringLiteral("868.3"));
    for (const char16_t* notJustAComma : {u"20.5", u"1,2,3", u"1,2.5", u"abc", u",", u"&H1,2"})
        EXPECT_FALSE(platform::withDecimalPoint(notJustAComma))
            << QString::fromUtf16(notJustAComma).toStdString();
    EXPECT_EQ(platform::numberText(20.5), QStringLiteral("20.5"));

    QLineEdit box;
    box.setText(QStringLiteral("20,5"));
    platform::markRefused(&box, Accepts);
    EXPECT_EQ(box.toolTip(), Accepts + QStringLiteral("\nThe decimal mark is a point: 20.5"));
    box.setText(QStringLiteral("2x"));
    platform::markRefused(&box, Accepts);
    EXPECT_EQ(box.toolTip(), Accepts);

    QLocale::setDefault(kept);
    if (keptLcAll)
        setenv("LC_ALL", keptValue.c_str(), 1);
    else
        unsetenv("LC_ALL");
    std::setlocale(LC_ALL, "C");
}

} // namespace
