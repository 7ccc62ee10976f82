// A list's click handler runs on every choice the user makes and on every change of its index
// made by code, once each.
#include "../support/userinput.h"

#include <QCoreApplication>
#include <QTest>
#include <QVBoxLayout>
#include <QWidget>
#include <gtest/gtest.h>

#include "platform/listchoice.h"
#include "platform/named.h"

namespace {

struct ListChoice : ::testing::Test {
    QWidget window;
    QComboBox* list = platform::namedList("list", {"A", "B", "C"}, "A");
    std::vector<int> runs; // the index the handler saw, one entry per run

    void SetUp() override {
        (new QVBoxLayout(&window))->addWidget(list);
        platform::onChoice(list, &window, [this] { runs.push_back(list->currentIndex()); });
    }
};

TEST_F(ListChoice, EveryChoiceThroughTheDropDownRunsTheHandlerOnce) {
    evaltest::chooseItem(list, 1);
    evaltest::chooseItem(list, 1); // the item shown: still the user's choice
    evaltest::chooseItemByKeys(list, 1);
    evaltest::chooseItemByKeys(list, 2);
    evaltest::chooseItem(list, 0);
    EXPECT_EQ(runs, (std::vector<int>{1, 1, 1, 2, 0}));
}

TEST_F(ListChoice, KeysOnTheClosedListRunItOnceEach) {
    QTest::keyClick(list, Qt::Key_Down); // from no selection to the first item
    QTest::keyClick(list, Qt::Key_Down);
    QTest::keyClick(list, Qt::Key_Up);
    EXPECT_EQ(runs, (std::vector<int>{0, 1, 0}));
}

TEST_F(ListChoice, CodeRunsItWhenTheIndexChangesAndTheUserAfterCodeAlways) {
    list->setCurrentIndex(2);
    list->setCurrentIndex(2); // no change
    EXPECT_EQ(runs, (std::vector<int>{2}));
    // The user's choice of the item code chose is a choice of its own.
    evaltest::chooseItem(list, 2);
    list->setCurrentIndex(0);
    evaltest::chooseItemByKeys(list, 0);
    EXPECT_EQ(runs, (std::vector<int>{2, 2, 0, 0}));
}

// A handler that waits on a modal window runs the events of its nested loop before the list
// reports the choice a second time: that report is still the same choice.
TEST_F(ListChoice, AHandlerThatRunsAnEventLoopIsNotRunAgainForTheSameChoice) {
    int nested = 0;
    std::vector<int> seen;
    QComboBox* other = platform::namedList("other", {"X", "Y"});
    window.layout()->addWidget(other);
    platform::onChoice(other, &window, [&] {
        seen.push_back(other->currentIndex());
        ++nested;
        QTest::qWait(1);
        QCoreApplication::processEvents();
    });
    evaltest::chooseItem(other, 1);
    evaltest::chooseItem(other, 1);
    EXPECT_EQ(seen, (std::vector<int>{1, 1}));
    EXPECT_EQ(nested, 2);
}

TEST_F(ListChoice, AHandlerWhoseContextIsGoneIsNotRun) {
    auto* context = new QObject;
    int runsOfGone = 0;
    platform::onChoice(list, context, [&] { ++runsOfGone; });
    delete context;
    evaltest::chooseItem(list, 1);
    EXPECT_EQ(runsOfGone, 0);
    EXPECT_EQ(runs, (std::vector<int>{1}));
}

} // namespace
