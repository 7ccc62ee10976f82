// A box whose change handler acts on every keystroke: a text on the way to the entry is planned
// or marked at once, and what the handler says of it waits; a committed entry that is taken says
// its plan's messages once; a committed entry that is refused puts the set-up back as it was
// before the typing, keeps the mark and says once why, and what was kept; a refusal of code's
// text is said at once; nothing is said twice for the same entry.
#include "../support/userinput.h"

#include <QFocusEvent>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>
#include <QWidget>
#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>

#include "platform/core/numbers.h"
#include "platform/entrymark.h"
#include "platform/entryrefusals.h"
#include "platform/shownstate.h"
#include "testing/recordingservices.h"

namespace {

const QString Accepts = QStringLiteral("A number from 0 to 10");

// A handler as the front panels have them: letters only mark the box, a number above the
// limit is refused with a message of ours, a number above 8 is taken with a warning; what it
// takes goes into `value` (the field) and `shown` (a label).
struct Handler {
    platform::EntryRefusals& refusals;
    platform::MessageService& messages;
    QLineEdit* box;
    QLabel* shown;
    double limit = 10;
    double value = 0;
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
        if (*v > 8)
            messages.message(QStringLiteral("Close to the limit"));
        value = *v;
        shown->setText(QStringLiteral("Value %1").arg(*v));
        ++taken;
    }
};

struct EntryRefusals : ::testing::Test {
    QWidget window;
    platform::RecordingMessageService messages;
    QLineEdit* box = new QLineEdit(QStringLiteral("5"));
    QLineEdit* other = new QLineEdit(QStringLiteral("3"));
    QLabel* label = new QLabel(QStringLiteral("Value 5"));
    QLabel* otherLabel = new QLabel(QStringLiteral("Value 3"));
    // A control that takes no focus: clicking it leaves the box where it is.
    QScrollBar* bar = new QScrollBar(Qt::Horizontal);
    platform::UserActions actions{messages};
    platform::EntryRefusals refusals{messages, [this] {
                                         return capture();
                                     }};
    Handler handler{refusals, messages, box, label, 10, 5};
    Handler otherHandler{refusals, messages, other, otherLabel, 10, 3};
    double valueWhenBarMoved = -1;

    void SetUp() override {
        auto* layout = new QVBoxLayout(&window);
        for (QWidget* w : std::initializer_list<QWidget*>{box, label, other, otherLabel, bar})
            layout->addWidget(w);
        bar->setFocusPolicy(Qt::NoFocus);
        QObject::connect(bar, &QScrollBar::valueChanged, &window,
                         [this] { valueWhenBarMoved = handler.value; });
        refusals.watch(box, {QStringLiteral("number"), QStringLiteral("units")},
                       [this] { handler(); });
        refusals.watch(other, {QStringLiteral("other number")}, [this] { otherHandler(); });
        window.show();
    }
    // The set-up: the handlers' values and every control of the window.
    std::function<void()> capture() {
        auto controls = std::make_shared<platform::ShownState>(platform::ShownState::of({&window}));
        return [this, controls, value = handler.value, otherValue = otherHandler.value] {
            handler.value = value;
            otherHandler.value = otherValue;
            controls->restore();
        };
    }
    std::vector<QString> said() const { return messages.texts(); }
};

TEST_F(EntryRefusals, TypingPlansWhatIsTakenAndARefusedCommitPutsTheSetUpBack) {
    evaltest::typeInto(box, QStringLiteral("15"));
    // "1" on the way was taken; "15" only marks the box.
    EXPECT_EQ(handler.taken, 1);
    EXPECT_EQ(handler.value, 1);
    EXPECT_EQ(label->text(), QStringLiteral("Value 1"));
    EXPECT_TRUE(said().empty());
    EXPECT_TRUE(platform::isMarkedRefused(box));
    EXPECT_EQ(box->toolTip(), Accepts);

    evaltest::pressReturn(box);
    EXPECT_EQ(box->text(), QStringLiteral("5"));
    EXPECT_EQ(handler.value, 5);
    EXPECT_EQ(label->text(), QStringLiteral("Value 5"));
    EXPECT_TRUE(platform::isMarkedRefused(box));
    EXPECT_EQ(platform::textInForce(box), QStringLiteral("5"));
    EXPECT_EQ(said(), (std::vector<QString>{"Above 10\n\nThe number is left at 5 units."}));
    // Committed again, or left: nothing more to say, and no handler ran on the put-back text.
    evaltest::pressReturn(box);
    evaltest::leaveBox(box);
    EXPECT_EQ(said().size(), 1u);
    EXPECT_EQ(handler.taken, 1);

    // The next entry starts from what is in force and is its own entry.
    evaltest::typeInto(box, QStringLiteral("150"));
    evaltest::leaveBox(box);
    EXPECT_EQ(box->text(), QStringLiteral("5"));
    EXPECT_EQ(said().size(), 2u);
    // An entry that is taken takes the mark away.
    evaltest::enterInto(box, QStringLiteral("7"));
    EXPECT_FALSE(platform::isMarkedRefused(box));
    EXPECT_EQ(handler.value, 7);
    EXPECT_EQ(said().size(), 2u);
}

TEST_F(EntryRefusals, ARefusedEntryWithoutAMessageOfItsOwnSaysWhatTheBoxTakes) {
    const struct {
        const char* keys;
        QString said;
    } cases[] = {
        {"abc", Accepts + "\n\nThe number is left at 5 units."},
        {"2,5", Accepts + "\nThe decimal mark is a point: 2.5\n\nThe number is left at 5 units."},
        {"", Accepts + "\n\nThe number is left at 5 units."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.keys);
        messages.clear();
        evaltest::enterInto(box, QString::fromLatin1(c.keys));
        EXPECT_EQ(said(), std::vector<QString>{c.said});
        EXPECT_EQ(box->text(), QStringLiteral("5"));
        EXPECT_EQ(handler.value, 5);
        // The box shows the entry in force: no hint about a text it no longer shows.
        EXPECT_EQ(box->toolTip(), Accepts);
    }
}

TEST_F(EntryRefusals, WhatATakenEntrySaysComesOnceAtItsCommit) {
    // "9" warns; typed through on the way to "95" and back to "9", it says so once, at the
    // commit.
    evaltest::typeInto(box, QStringLiteral("95"));
    QTest::keyClick(box, Qt::Key_Backspace);
    EXPECT_TRUE(said().empty());
    evaltest::pressReturn(box);
    EXPECT_EQ(said(), std::vector<QString>{QStringLiteral("Close to the limit")});
    EXPECT_EQ(handler.value, 9);
    // A text on the way that warned says nothing once the entry no longer does.
    messages.clear();
    evaltest::typeInto(box, QStringLiteral("9"));
    QTest::keyClick(box, Qt::Key_Backspace);
    QTest::keyClick(box, Qt::Key_4);
    evaltest::leaveBox(box);
    EXPECT_TRUE(said().empty());
    EXPECT_EQ(handler.value, 4);
}

TEST_F(EntryRefusals, AnotherControlActsOnlyOnceTheEntryIsSettled) {
    evaltest::typeInto(box, QStringLiteral("15"));
    // A click on a control that takes no focus: the refused entry is put back first.
    QTest::mouseClick(bar, Qt::LeftButton, {}, QPoint(bar->width() - 3, bar->height() / 2));
    EXPECT_EQ(valueWhenBarMoved, 5);
    EXPECT_EQ(box->text(), QStringLiteral("5"));
    EXPECT_EQ(said().size(), 1u);
}

TEST_F(EntryRefusals, ARefusalOfCodeIsSaidAtOnceAndNotAgainForTheSameText) {
    box->setText(QStringLiteral("20"));
    EXPECT_EQ(said(), (std::vector<QString>{"Above 10"}));
    // Code's text is not the user's entry: it stands, marked.
    EXPECT_EQ(box->text(), QStringLiteral("20"));
    handler(); // planned again with the same text
    EXPECT_EQ(said().size(), 1u);
    // The set-up changes and the same text is refused for another reason: that is said.
    handler.limit = 5;
    handler();
    EXPECT_EQ(said(), (std::vector<QString>{"Above 10", "Above 5"}));
}

TEST_F(EntryRefusals, TheSameMessageFromTwoBoxesIsSaidOnce) {
    box->setText(QStringLiteral("20"));
    other->setText(QStringLiteral("30"));
    EXPECT_EQ(said(), (std::vector<QString>{"Above 10"}));
    // Once the first box takes its entry, the second box's refusal is its own.
    messages.newAction();
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
    EXPECT_EQ(box->text(), QStringLiteral("15"));
    evaltest::leaveBox(box);
    EXPECT_EQ(said().size(), 1u);
    EXPECT_EQ(box->text(), QStringLiteral("5"));
}

// One action of the user's says each notice once, however often its plans give it; the next
// action may say it again, and a question always asks.
TEST_F(EntryRefusals, EachActionSaysEachNoticeOnce) {
    for (int i = 0; i < 2; ++i)
        messages.message(QStringLiteral("Twice"));
    EXPECT_EQ(said(), std::vector<QString>{QStringLiteral("Twice")});
    QTest::keyClick(other, Qt::Key_End); // the user's next action
    messages.message(QStringLiteral("Twice"));
    messages.message(QStringLiteral("Sure?"), platform::MsgIcon::Question, std::nullopt,
                     platform::MsgButtons::YesNo);
    messages.message(QStringLiteral("Sure?"), platform::MsgIcon::Question, std::nullopt,
                     platform::MsgButtons::YesNo);
    EXPECT_EQ(said(), (std::vector<QString>{"Twice", "Twice", "Sure?", "Sure?"}));
}

// The controls put back are put back quietly: no handler runs, a radio button of a group takes
// its group back, and a control made since is left alone.
TEST(ShownState, PutsControlsBackWithoutRunningHandlers) {
    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    auto* box = new QLineEdit(QStringLiteral("a"));
    auto* label = new QLabel(QStringLiteral("b"));
    auto* bar = new QScrollBar(Qt::Horizontal);
    auto* one = new QPushButton(QStringLiteral("one"));
    auto* two = new QPushButton(QStringLiteral("two"));
    for (QPushButton* b : {one, two}) {
        b->setCheckable(true);
        b->setAutoExclusive(true);
    }
    one->setChecked(true);
    for (QWidget* w : std::initializer_list<QWidget*>{box, label, bar, one, two})
        layout->addWidget(w);
    int handlersRun = 0;
    QObject::connect(box, &QLineEdit::textChanged, [&] { ++handlersRun; });
    QObject::connect(bar, &QScrollBar::valueChanged, [&] { ++handlersRun; });
    QObject::connect(one, &QPushButton::toggled, [&] { ++handlersRun; });
    QObject::connect(two, &QPushButton::toggled, [&] { ++handlersRun; });
    const platform::ShownState taken = platform::ShownState::of({&window});

    box->setText(QStringLiteral("x"));
    platform::markRefused(box, Accepts);
    label->setText(QStringLiteral("y"));
    bar->setValue(7);
    two->setChecked(true);
    label->setEnabled(false);
    box->hide();
    auto* later = new QLabel(QStringLiteral("later"));
    layout->addWidget(later);
    handlersRun = 0;

    taken.restore();
    EXPECT_EQ(handlersRun, 0);
    EXPECT_EQ(box->text(), QStringLiteral("a"));
    EXPECT_FALSE(platform::isMarkedRefused(box));
    EXPECT_TRUE(box->toolTip().isEmpty());
    EXPECT_EQ(label->text(), QStringLiteral("b"));
    EXPECT_EQ(bar->value(), 0);
    EXPECT_TRUE(one->isChecked());
    EXPECT_FALSE(two->isChecked());
    EXPECT_TRUE(label->isEnabled());
    EXPECT_FALSE(box->isHidden());
    EXPECT_EQ(later->text(), QStringLiteral("later"));
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
