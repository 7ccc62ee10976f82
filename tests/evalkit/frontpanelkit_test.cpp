// The pieces the front panels are built from: the menu table, the register column, the board
// controls, the level bars and the controls that open windows.
#include "evalkit/boardframe.h"
#include "evalkit/frontpanelwindow.h"
#include "evalkit/menutable.h"
#include "evalkit/registercolumn.h"
#include "link/registerreadout.h"
#include "platform/clickablelabel.h"
#include "platform/toggle.h"

#include <QAction>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <gtest/gtest.h>
#include <memory>

namespace {

TEST(MenuTable, BuildsMenusAndItemsInOrderWithNamesTextsAndHandlers) {
    QMainWindow window;
    QAction *open = nullptr, *quiet = nullptr;
    int opened = 0;
    evalkit::addMenus(window.menuBar(), &window,
                      {
                          {"mnuFile",
                           QStringLiteral("&File"),
                           {{&open, "mnuOpen", QStringLiteral("&Get"),
                             [&] {
                                 ++opened;
                             }},
                            {&quiet, "testmenu", QStringLiteral("&Test")},
                            {nullptr, "unkept", QStringLiteral("&Unkept")}}},
                          {"mnuOptions", QStringLiteral("&Options"), {}},
                      });
    const QList<QAction*> menus = window.menuBar()->actions();
    ASSERT_EQ(menus.size(), 2);
    EXPECT_EQ(menus[0]->menu()->objectName(), QStringLiteral("mnuFile"));
    EXPECT_EQ(menus[0]->text(), QStringLiteral("&File"));
    EXPECT_EQ(menus[1]->menu()->objectName(), QStringLiteral("mnuOptions"));
    EXPECT_TRUE(menus[1]->menu()->actions().isEmpty());

    const QList<QAction*> items = menus[0]->menu()->actions();
    ASSERT_EQ(items.size(), 3);
    EXPECT_EQ(items[0], open);
    EXPECT_EQ(items[1], quiet);
    const char* names[] = {"mnuOpen", "testmenu", "unkept"};
    const char* texts[] = {"&Get", "&Test", "&Unkept"};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(items[i]->objectName(), QString::fromLatin1(names[i]));
        EXPECT_EQ(items[i]->text(), QString::fromLatin1(texts[i]));
    }

    open->trigger();
    quiet->trigger(); // no handler: nothing runs, nothing breaks
    EXPECT_EQ(opened, 1);
}

struct Column : ::testing::Test {
    reglink::RegisterReadout *r0 = nullptr, *r9 = nullptr;
    QPushButton *u0 = nullptr, *u9 = nullptr;
    evalkit::RegisterColumn column;
    std::unique_ptr<QGroupBox> frame;
    std::unique_ptr<QPushButton> all{new QPushButton(QStringLiteral("all"))};
    std::unique_ptr<QPushButton> edit{new QPushButton(QStringLiteral("edit"))};

    void build(const evalkit::RegisterColumnLook& look, QString caption0 = {}, QString design9 = {},
               QString title9 = {}) {
        column.build(look, {{0, &r0, "lblNhex", &u0, "cmdN", caption0},
                            {9, &r9, "lblAGC9hex", &u9, "cmdReg9", {}, design9, title9}});
        frame.reset(column.frame(all.release(), edit.release()));
    }
    QGridLayout* grid() const { return static_cast<QGridLayout*>(frame->layout()); }
};

TEST_F(Column, RowsHoldCaptionReadoutAndUpdateButtonWithTheButtonsBelow) {
    build({});
    EXPECT_EQ(frame->title(), QStringLiteral("Registers"));
    EXPECT_EQ(r0->objectName(), QStringLiteral("lblNhex"));
    EXPECT_EQ(u9->objectName(), QStringLiteral("cmdReg9"));
    EXPECT_EQ(u0->text(), QStringLiteral("Update"));
    EXPECT_EQ(r0->text(), reglink::RegisterReadout::DesignCaption);
    const auto at = [this](int row, int col) {
        return grid()->itemAtPosition(row, col)->widget();
    };
    EXPECT_EQ(qobject_cast<QLabel*>(at(0, 0))->text(), QStringLiteral("R0"));
    EXPECT_EQ(at(0, 1), r0);
    EXPECT_EQ(at(0, 2), u0);
    EXPECT_EQ(qobject_cast<QLabel*>(at(1, 0))->text(), QStringLiteral("R9"));
    EXPECT_EQ(at(1, 1), r9);
    EXPECT_EQ(qobject_cast<QPushButton*>(at(2, 0))->text(), QStringLiteral("all"));
    EXPECT_EQ(qobject_cast<QPushButton*>(at(3, 0))->text(), QStringLiteral("edit"));
    EXPECT_TRUE(at(0, 0)->objectName().isEmpty());
}

TEST_F(Column, LooksUpByRegisterNumberAndNothingElse) {
    build({});
    EXPECT_EQ(column.readout(9), r9);
    EXPECT_EQ(column.updateButton(0), u0);
    EXPECT_EQ(column.caption(9)->text(), QStringLiteral("R9"));
    for (int n : {-1, 1, 8, 10, 99}) {
        EXPECT_EQ(column.readout(n), nullptr) << n;
        EXPECT_EQ(column.updateButton(n), nullptr) << n;
        EXPECT_EQ(column.caption(n), nullptr) << n;
    }
}

TEST_F(Column, EachUpdateButtonPassesItsOwnRegisterNumber) {
    build({});
    std::vector<int> updated;
    QObject context;
    column.connectUpdates(&context, [&](int n) { updated.push_back(n); });
    u9->click();
    u0->click();
    EXPECT_EQ(updated, (std::vector<int>{9, 0}));
}

TEST_F(Column, CaptionsNamesDesignTextTitlesAndWidthFromTheLook) {
    build({QStringLiteral("Register %1"), QStringLiteral("lblRegister%1"),
           QStringLiteral("0x88888888")},
          QStringLiteral("R"), QStringLiteral("0xZZZZZZ"), QStringLiteral("AGC Register"));
    EXPECT_EQ(column.caption(0)->text(), QStringLiteral("R")); // the row's own caption wins
    EXPECT_EQ(column.caption(9)->text(), QStringLiteral("Register 9"));
    EXPECT_EQ(column.caption(9)->objectName(), QStringLiteral("lblRegister9"));
    EXPECT_EQ(r9->text(), QStringLiteral("0xZZZZZZ"));
    EXPECT_EQ(u9->toolTip(), QStringLiteral("AGC Register"));
    EXPECT_EQ(column.caption(9)->toolTip(), QStringLiteral("AGC Register"));
    EXPECT_TRUE(u0->toolTip().isEmpty());
    EXPECT_EQ(r0->minimumWidth(),
              r0->fontMetrics().horizontalAdvance(QStringLiteral("0x88888888")) + 16);
}

TEST(BoardFrame, WidgetsCarryTheirNamesAndTheGridItsRows) {
    const QString parallel = QStringLiteral("Parallel");
    const evalkit::BoardWidgets b = evalkit::boardWidgets({{parallel, QStringLiteral("USB")},
                                                           parallel,
                                                           QStringLiteral("Click to connect"),
                                                           "Synth_EN",
                                                           "Label35",
                                                           QStringLiteral("Chip Enable")});
    EXPECT_EQ(b.board->objectName(), QStringLiteral("cmbMB"));
    EXPECT_EQ(b.board->currentIndex(), -1);
    EXPECT_EQ(b.board->count(), 2);
    EXPECT_EQ(b.board->placeholderText(), parallel);
    EXPECT_EQ(b.connect->text(), evalkit::BoardSession::ConnectCaption);
    EXPECT_EQ(b.connect->toolTip(), QStringLiteral("Click to connect"));
    EXPECT_EQ(b.chipEnable->objectName(), QStringLiteral("Synth_EN"));
    ASSERT_NE(b.caption, nullptr);
    EXPECT_EQ(b.caption->objectName(), QStringLiteral("Label35"));
    const evalkit::BoardControls c = b.session();
    EXPECT_EQ(c.chipEnableCaptions, (std::vector<QWidget*>{b.caption}));

    QGridLayout* grid = evalkit::boardGrid(QStringLiteral("&Board"), b);
    std::unique_ptr<QWidget> frame(grid->parentWidget());
    EXPECT_EQ(static_cast<QGroupBox*>(frame.get())->title(), QStringLiteral("Evaluation Board"));
    auto* caption = qobject_cast<QLabel*>(grid->itemAtPosition(0, 0)->widget());
    EXPECT_EQ(caption->buddy(), b.board);
    EXPECT_EQ(grid->itemAtPosition(0, 1)->widget(), b.board);
    EXPECT_EQ(grid->itemAtPosition(1, 0)->widget(), b.connect);
    EXPECT_EQ(grid->itemAtPosition(1, 1)->widget(), b.caption);
    EXPECT_EQ(grid->itemAtPosition(1, 2)->widget(), b.chipEnable);
}

TEST(BoardFrame, WithoutCaptionTheSessionDrivesNone) {
    const evalkit::BoardWidgets b = evalkit::boardWidgets({{QStringLiteral("P")}});
    std::unique_ptr<QWidget> owner(new QWidget);
    for (QWidget* w : {static_cast<QWidget*>(b.board), static_cast<QWidget*>(b.connect),
                       static_cast<QWidget*>(b.chipEnable)})
        w->setParent(owner.get());
    EXPECT_EQ(b.caption, nullptr);
    EXPECT_TRUE(b.connect->toolTip().isEmpty());
    EXPECT_EQ(b.chipEnable->objectName(), QStringLiteral("Toggle4"));
    EXPECT_TRUE(b.session().chipEnableCaptions.empty());
}

TEST(LevelBar, StandsAtItsDesignValueWithoutRunningAHandler) {
    std::unique_ptr<QScrollBar> bar(evalkit::levelBar("HScroll2", 48, 140));
    EXPECT_EQ(bar->objectName(), QStringLiteral("HScroll2"));
    EXPECT_EQ(bar->minimum(), 0);
    EXPECT_EQ(bar->maximum(), 63);
    EXPECT_EQ(bar->value(), 48);
    EXPECT_EQ(bar->minimumWidth(), 140);
    EXPECT_FALSE(bar->signalsBlocked());
    QSignalSpy changed(bar.get(), &QScrollBar::valueChanged);
    bar->setValue(63);
    bar->setValue(99); // held to the range
    EXPECT_EQ(bar->value(), 63);
    EXPECT_EQ(changed.count(), 1);
    std::unique_ptr<QScrollBar> plain(evalkit::levelBar("plain", 0));
    EXPECT_EQ(plain->minimumWidth(), 0);
}

TEST(OnTriggered, ButtonsLabelsAndMenuItemsAllRunTheHandler) {
    QObject context;
    QPushButton button;
    platform::ClickableLabel label;
    QAction action(nullptr);
    int runs = 0;
    evalkit::onTriggered(&context, {&button, &label, &action}, [&] { ++runs; });
    button.click();
    emit label.clicked();
    action.trigger();
    EXPECT_EQ(runs, 3);
}

TEST(SwitchFrame, EachSwitchBesideItsCaptionThenTheBiasButton) {
    auto* a = new platform::Toggle;
    auto* b = new platform::Toggle;
    auto* bias = new QPushButton;
    std::unique_ptr<QGroupBox> frame(evalkit::switchFrame(
        QStringLiteral("Power"), {{QStringLiteral("PLL"), a}, {QStringLiteral("PA"), b}}, bias));
    auto* grid = static_cast<QGridLayout*>(frame->layout());
    EXPECT_EQ(frame->title(), QStringLiteral("Power"));
    EXPECT_EQ(qobject_cast<QLabel*>(grid->itemAtPosition(1, 0)->widget())->text(),
              QStringLiteral("PA"));
    EXPECT_EQ(grid->itemAtPosition(1, 1)->widget(), b);
    EXPECT_EQ(grid->itemAtPosition(2, 0)->widget(), bias);
}

} // namespace
