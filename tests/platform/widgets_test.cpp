// The outside controls and the window life cycle the programs rely on.
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

#include "platform/clickablelabel.h"
#include "platform/form.h"
#include "platform/selector.h"
#include "platform/services.h"
#include "platform/toggle.h"

using namespace platform;

TEST(Toggle, CodeAndClicksBothRunTheChangeHandlerOnlyOnChange) {
    Toggle t;
    QSignalSpy spy(&t, &Toggle::toggled);
    t.setOn(true);
    t.setOn(true); // no change, no handler
    ASSERT_EQ(spy.count(), 1);
    EXPECT_TRUE(t.isOn());
    t.show();
    QTest::mouseClick(&t, Qt::LeftButton);
    EXPECT_FALSE(t.isOn());
    EXPECT_EQ(spy.count(), 2);
    t.hide();
    EXPECT_FALSE(t.isVisible());
}

TEST(Selector, PositionsCaptionsAndChangeSignal) {
    Selector s;
    QSignalSpy spy(&s, &Selector::positionChanged);
    s.setCaption(0, QStringLiteral("OFF"));
    for (int p = 1; p < 16; ++p)
        s.setCaption(p, QString::number(2 * p));
    s.setPosition(3);
    s.setPosition(3);
    s.setPosition(16); // outside the selector: ignored
    s.setPosition(-1);
    ASSERT_EQ(spy.count(), 1);
    EXPECT_EQ(spy.at(0).at(0).toInt(), 3);
    EXPECT_EQ(s.position(), 3);
    EXPECT_EQ(s.caption(3), QStringLiteral("6"));
    EXPECT_EQ(s.caption(0), QStringLiteral("OFF"));
    EXPECT_EQ(s.findChild<QLabel*>(QStringLiteral("caption"))->text(), QStringLiteral("6"));
}

TEST(ClickableLabel, ClickEmits) {
    ClickableLabel l(QStringLiteral("OFF"));
    QSignalSpy spy(&l, &ClickableLabel::clicked);
    l.resize(40, 20);
    l.show();
    QTest::mouseClick(&l, Qt::LeftButton);
    EXPECT_EQ(spy.count(), 1);
}

namespace {
class CountingForm : public Form {
public:
    explicit CountingForm(int* loads, WindowSlot<CountingForm>** slot = nullptr)
        : loads_(loads), slot_(slot) {}
    void Form_Load() override {
        ++*loads_;
        // A reference from inside the load handler finds the window itself.
        if (slot_ && *slot_)
            reentrant = (*slot_)->get();
    }
    CountingForm* reentrant = nullptr;

private:
    int* loads_;
    WindowSlot<CountingForm>** slot_;
};
} // namespace

TEST(WindowSlot, CreatedOnFirstReferenceRegisteredBeforeLoadAndReloadedAfterUnload) {
    int loads = 0;
    WindowSlot<CountingForm>* self = nullptr;
    WindowSlot<CountingForm> slot([&] { return new CountingForm(&loads, &self); });
    self = &slot;
    EXPECT_FALSE(slot.loaded());
    CountingForm* first = slot.get();
    EXPECT_EQ(loads, 1);
    EXPECT_EQ(first->reentrant, first);
    EXPECT_FALSE(first->isVisible()); // created hidden
    EXPECT_EQ(slot.get(), first);
    EXPECT_EQ(loads, 1);

    QPointer<CountingForm> gone(first);
    first->unload();
    EXPECT_FALSE(slot.loaded());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(gone.isNull());
    slot.get();
    EXPECT_EQ(loads, 2);
}

TEST(WindowSlot, CloseBoxUnloadsByDefault) {
    int loads = 0;
    WindowSlot<CountingForm> slot([&] { return new CountingForm(&loads); });
    slot.get()->show();
    slot.get()->close();
    EXPECT_FALSE(slot.loaded());
}

TEST(Printing, TargetRectangleKeepsOwnSizeOrScalesToPageWidth) {
    struct Case {
        QSize window;
        int page;
        QRect expected;
    } cases[] = {
        {{9000, 6000}, 11906, {0, 0, 9000, 6000}},   // narrower than the page: own size
        {{11906, 5000}, 11906, {0, 0, 11906, 5000}}, // exactly the page width
        {{15000, 9000}, 12000, {0, 0, 12000, 7200}}, // wider: scaled, proportions kept
        {{15000, 9001}, 12000, {0, 0, 12000, 7201}}, // 7200.8 rounds to 7201
    };
    for (const auto& c : cases)
        EXPECT_EQ(printTargetRect(c.window, c.page), c.expected) << c.window.width();
}

TEST(Printing, RecordingServiceMeasuresTheWindowInTwips) {
    QWidget w;
    w.resize(800, 600);
    RecordingPrintService printer;
    printer.pageWidthTwips = 1000000;
    EXPECT_FALSE(printer.printWindow(&w).has_value());
    ASSERT_EQ(printer.targets.size(), 1u);
    const QSize twips = sizeInTwips(&w);
    EXPECT_EQ(printer.targets[0].size(), twips);
    printer.failWith = QStringLiteral("No printer is installed.");
    EXPECT_EQ(printer.printWindow(&w), printer.failWith);
}

TEST(Messages, DefaultTitleFilledInAndEmptyTitleKept) {
    RecordingMessageService m(QStringLiteral("corvane-eval"));
    m.message(QStringLiteral("a"));
    m.message(QStringLiteral("b"), MsgIcon::Critical, QString());
    m.message(QStringLiteral("c"), MsgIcon::Critical, QStringLiteral("Warning"));
    ASSERT_EQ(m.messages.size(), 3u);
    EXPECT_EQ(m.messages[0].title, QStringLiteral("corvane-eval"));
    EXPECT_EQ(m.messages[1].title, QString());
    EXPECT_EQ(m.messages[2].title, QStringLiteral("Warning"));
    EXPECT_EQ(m.messages[1].icon, MsgIcon::Critical);
}

TEST(FileDialogs, ScriptedAnswersThenCancelAndQtFilterForm) {
    ScriptedFileDialogService f;
    f.answers.push_back(QStringLiteral("/tmp/a.txt"));
    EXPECT_EQ(f.saveFileName(QStringLiteral("Test Files (*.txt)|*.txt")),
              QStringLiteral("/tmp/a.txt"));
    EXPECT_EQ(f.openFileName(QStringLiteral("Test Files (*.txt)|*.txt")), QString());
    ASSERT_EQ(f.requests.size(), 2u);
    EXPECT_TRUE(f.requests[0].save);
    EXPECT_EQ(toQtNameFilter(QStringLiteral("Test Files (*.ini)|*.ini")),
              QStringLiteral("Test Files (*.ini)"));
}
