// Every window of every program fits a 1366x768 screen, at 100 % and at 125 % text scaling
// (the suite runs once at each): each window opens no larger than the screen and wholly on
// it, and none asks for a minimum size larger than the screen. The front panels are checked
// in every modulation, receiving and transmitting: at 100 % they show everything without a
// scroll bar; at 125 % they keep every row in view and scroll only sideways.
#include "../qtprinters.h"
#include "../support/everywindow.h"

#include "corvane-n/variant.h"
#include "corvane/corvaneapp.h"
#include "corvane/windows.h"
#include "pellion/pellionapp.h"
#include "pellion/windows.h"
#include "tessarine/tessarineapp.h"
#include "tessarine/windows.h"
#include "testing/recordingparllio.h"
#include "testing/recordingservices.h"
#include "testing/recordingskerry.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QLayout>
#include <QMainWindow>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>
#include <QWindow>
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

namespace {

// The screen in device pixels, whatever the scaling.
constexpr int ScreenWidth = 1366;
constexpr int ScreenHeight = 768;

// What the window takes on the screen, in the screen's device pixels.
QSize devicePixels(QSize logical, const QWidget& w) {
    const qreal ratio = w.devicePixelRatioF();
    return {qRound(logical.width() * ratio), qRound(logical.height() * ratio)};
}

QSize effectiveMinimum(QWidget& w) {
    QSize minimum = w.minimumSize();
    if (QLayout* layout = w.layout())
        minimum = minimum.expandedTo(layout->totalMinimumSize());
    return minimum;
}

void expectFits(QWidget& w, const QString& state = {}) {
    SCOPED_TRACE((w.objectName() + QLatin1Char(' ') + state).toStdString());
    QCoreApplication::processEvents();
    const QSize size = devicePixels(w.frameGeometry().size(), w);
    const QSize minimum = devicePixels(effectiveMinimum(w), w);
    EXPECT_LE(size.width(), ScreenWidth) << "height " << size.height();
    EXPECT_LE(size.height(), ScreenHeight) << "width " << size.width();
    EXPECT_LE(minimum.width(), ScreenWidth) << "minimum height " << minimum.height();
    EXPECT_LE(minimum.height(), ScreenHeight) << "minimum width " << minimum.width();
    // The window lies wholly on the screen.
    const QRect screen = w.screen()->availableGeometry();
    EXPECT_TRUE(screen.contains(w.frameGeometry()))
        << "at " << w.frameGeometry().x() << "," << w.frameGeometry().y() << " size "
        << w.frameGeometry().width() << "x" << w.frameGeometry().height();
}

// Chooses item `index` of `list` through its drop-down, as a user does.
void choose(QComboBox* list, int index) {
    list->showPopup();
    QAbstractItemView* view = list->view();
    const QModelIndex item = view->model()->index(index, list->modelColumn(), view->rootIndex());
    view->scrollTo(item);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(item).center());
    QCoreApplication::processEvents();
}

template <class App> struct Program {
    platform::RecordingServices services{App::programTitle()};
    board::RecordingSkerry usb;
    board::RecordingParllio port;
    std::unique_ptr<App> app;

    template <class... Extra> explicit Program(const Extra&... extra) {
        app = std::make_unique<App>(services.view(), usb, port, extra...);
        app->start();
        app->main().show();
    }
    ~Program() {
        app.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
};

bool atTextScaling125() {
    return qgetenv("QT_FONT_DPI") == "120";
}

void expectScrollsOnlyWhereItMust(QMainWindow& m, const QString& state) {
    SCOPED_TRACE(state.toStdString());
    auto* area = qobject_cast<QScrollArea*>(m.centralWidget());
    ASSERT_TRUE(area);
    QCoreApplication::processEvents();
    EXPECT_FALSE(area->verticalScrollBar()->isVisible());
    EXPECT_EQ(area->horizontalScrollBar()->isVisible(),
              atTextScaling125() && m.width() < area->widget()->sizeHint().width());
    // Nothing is squeezed below what its controls need.
    EXPECT_GE(area->widget()->width(), area->widget()->minimumSizeHint().width());
    EXPECT_GE(area->widget()->height(), area->widget()->minimumSizeHint().height());
}

using Opener = std::function<QWidget*()>;

// Opens each window as its control would, checks it and closes it again.
void expectEachFits(const std::vector<Opener>& windows) {
    for (const Opener& open : windows) {
        QWidget* w = open();
        w->show();
        expectFits(*w);
        if (auto* form = qobject_cast<platform::Form*>(w))
            form->unload();
        else
            w->hide();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

// The front panel in every modulation, in each direction it has.
template <class Panel>
void expectThePanelFitsInEveryState(Panel& m, std::vector<QRadioButton*> directions) {
    if (directions.empty())
        directions.push_back(nullptr);
    for (QRadioButton* direction : directions) {
        if (direction)
            QTest::mouseClick(direction, Qt::LeftButton);
        for (int i = 0; i < m.cmbModulation->count(); ++i) {
            choose(m.cmbModulation, i);
            const QString state = (direction ? direction->text() : QString()) + QLatin1Char(' ') +
                                  m.cmbModulation->itemText(i);
            expectFits(m, state);
            expectScrollsOnlyWhereItMust(m, state);
        }
    }
    // The link button's longer caption once the USB link is open takes no more room.
    auto* connect = m.template findChild<QPushButton*>(QStringLiteral("ConnectUSB"));
    ASSERT_TRUE(connect);
    QTest::mouseClick(connect, Qt::LeftButton);
    ASSERT_EQ(connect->text(), QStringLiteral("Disconnect USB"));
    expectFits(m, QStringLiteral("connected"));
    expectScrollsOnlyWhereItMust(m, QStringLiteral("connected"));
}

TEST(WindowsFitTheScreen, TheScreenIsTheSmallLaptops) {
    const QScreen* screen = QGuiApplication::primaryScreen();
    const qreal ratio = screen->devicePixelRatio();
    EXPECT_EQ(qRound(screen->geometry().width() * ratio), ScreenWidth);
    EXPECT_EQ(qRound(screen->geometry().height() * ratio), ScreenHeight);
    EXPECT_DOUBLE_EQ(ratio, atTextScaling125() ? 1.25 : 1.0);
}

template <class App> void expectCorvaneFits(const corvane::ProgramVariant& variant) {
    Program<App> p(variant, reglink::currentOsVersion());
    App& a = *p.app;
    corvane::Main& m = a.main();
    expectThePanelFitsInEveryState(m, {m.optRx, m.optTx});
    expectEachFits(evaltest::everyWindow(a));
}

TEST(WindowsFitTheScreen, CorvaneEval) {
    expectCorvaneFits<corvane::CorvaneApp>(corvane::corvaneEval());
}

TEST(WindowsFitTheScreen, CorvaneN) {
    expectCorvaneFits<corvane::CorvaneApp>(corvanen::variant());
}

TEST(WindowsFitTheScreen, PellionEval) {
    Program<pellion::PellionApp> p;
    pellion::PellionApp& a = *p.app;
    pellion::Main& m = a.main();
    expectThePanelFitsInEveryState(m, {m.optRx, m.optTx});
    expectEachFits(evaltest::everyWindow(a));
}

TEST(WindowsFitTheScreen, TessarineEval) {
    Program<tessarine::TessarineApp> p;
    tessarine::TessarineApp& a = *p.app;
    tessarine::Main& m = a.main();
    expectThePanelFitsInEveryState(m, {});
    expectEachFits(evaltest::everyWindow(a));
}

} // namespace
