// Whatever a window's control does, the front panel's read-outs show the words the fields make
// at once, and a read-out whose word changed is marked changed until that word is written. The
// front panel and each window of each program are opened and every control they show is worked
// as a user works it:
// every item of every list, the ends of every slider, a few entries in every box, every switch
// both ways and every button; after each step every read-out is compared with the word its
// register's fields make now.
#include "../qtprinters.h"
#include "../support/everywindow.h"
#include "../support/userinput.h"

#include "corvane-n/variant.h"
#include "corvane/corvaneapp.h"
#include "corvane/windows.h"
#include "link/readouttext.h"
#include "pellion/pellionapp.h"
#include "pellion/windows.h"
#include "tessarine/tessarineapp.h"
#include "tessarine/windows.h"
#include "testing/recordingparllio.h"
#include "testing/recordingservices.h"
#include "testing/recordingskerry.h"

#include <QAbstractButton>
#include <QAbstractSlider>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPointer>
#include <QTest>
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <memory>

namespace {

using Mark = reglink::RegisterReadout::Mark;

template <class App> struct Program {
    platform::RecordingServices services{App::programTitle()};
    board::RecordingSkerry usb;
    board::RecordingParllio port;
    std::unique_ptr<App> app;

    template <class... Extra> explicit Program(const Extra&... extra) {
        app = std::make_unique<App>(services.view(), usb, port, extra...);
        app->start();
        app->main().show();
        app->main().ConnectUSB->click();
    }
    ~Program() {
        app.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
};

// Compares every read-out with the word its fields make, and its mark with what was written.
class ReadoutWatch {
public:
    ReadoutWatch(evalkit::ProgramContext& app, board::RecordingSkerry& usb)
        : app_(app), usb_(usb), transport_(app.link().transport()) {
        remember();
    }

    void expectFollowed(const QString& step) {
        SCOPED_TRACE(step.toStdString());
        const std::vector<uint32_t> written = usb_.writtenWords();
        const auto sent = [&](uint32_t word) {
            return std::find(written.begin() + std::ptrdiff_t(writtenBefore_), written.end(),
                             word) != written.end();
        };
        reglink::RegisterFile& registers = app_.link().registers();
        for (int n : transport_.refreshOrder) {
            reglink::RegisterReadout* label = app_.readoutLabel(n);
            const reglink::RegisterRoute* route = transport_.route(n);
            if (!label || !route || !route->marked)
                continue;
            const uint32_t word = registers.wordBits(n);
            EXPECT_EQ(label->text(), reglink::readoutText(transport_.text, word)) << "R" << n;
            if (transport_.marks == reglink::ReadoutMarks::LastWritten) {
                const bool differs = registers.lastWritten(n).value_or(0) != double(word);
                EXPECT_EQ(label->mark(), differs ? Mark::Changed : Mark::ButtonFace) << "R" << n;
            } else if (label->text() != shown_[n] && !sent(word)) {
                EXPECT_EQ(label->mark(), Mark::Changed)
                    << "R" << n << " " << label->text().toStdString();
            }
        }
        remember();
    }

private:
    void remember() {
        for (int n : transport_.refreshOrder)
            if (reglink::RegisterReadout* label = app_.readoutLabel(n))
                shown_[n] = label->text();
        writtenBefore_ = usb_.writtenWords().size();
    }

    evalkit::ProgramContext& app_;
    board::RecordingSkerry& usb_;
    const reglink::TransportDescription& transport_;
    std::map<int, QString> shown_;
    size_t writtenBefore_ = 0;
};

using Opener = std::function<QWidget*()>;

bool usable(QWidget* w) {
    return w && w->isEnabled() && w->isVisibleTo(w->window());
}

QString nameOf(QObject* o) {
    return o->objectName().isEmpty() ? QString::fromLatin1(o->metaObject()->className())
                                     : o->objectName();
}

// Works one window's controls, reopening it whenever a control closes it.
class WindowWalk {
public:
    WindowWalk(Opener open, ReadoutWatch& watch) : open_(std::move(open)), watch_(watch) {
        reopen(QStringLiteral("opened"));
    }

    void walk() {
        for (const QString& name : names<QComboBox>())
            if (QComboBox* list = find<QComboBox>(name); usable(list))
                for (int i = 0; i < list->count(); ++i)
                    act(name + QStringLiteral(" item ") + QString::number(i),
                        [&] { evaltest::chooseItem(find<QComboBox>(name), i); });
        for (const QString& name : names<QAbstractSlider>())
            if (usable(find<QAbstractSlider>(name)))
                for (Qt::Key key : {Qt::Key_End, Qt::Key_Home, Qt::Key_Right})
                    act(name + QStringLiteral(" key ") + QString::number(key),
                        [&] { QTest::keyClick(find<QAbstractSlider>(name), key); });
        for (const QString& name : names<QLineEdit>()) {
            QLineEdit* box = find<QLineEdit>(name);
            if (!usable(box) || box->isReadOnly())
                continue;
            const QString before = box->text();
            for (const QString& entry : {QStringLiteral("1"), QStringLiteral("25"), before})
                act(name + QStringLiteral(" entry ") + entry, [&] {
                    QLineEdit* b = find<QLineEdit>(name);
                    evaltest::enterInto(b, entry);
                    if (b == find<QLineEdit>(name))
                        evaltest::leaveBox(b);
                });
        }
        // Switches both ways, then the buttons, which may close the window.
        for (const QString& name : names<QAbstractButton>()) {
            QAbstractButton* button = find<QAbstractButton>(name);
            if (!usable(button))
                continue;
            const int presses = button->isCheckable() ? 2 : 1;
            for (int i = 0; i < presses; ++i)
                act(name + QStringLiteral(" pressed"), [&] {
                    if (QAbstractButton* b = find<QAbstractButton>(name); usable(b))
                        QTest::mouseClick(b, Qt::LeftButton);
                });
        }
    }

private:
    QWidget* current() {
        if (!window_)
            reopen(QStringLiteral("reopened"));
        return window_;
    }
    template <class W> QStringList names() {
        QStringList out;
        for (W* w : current()->template findChildren<W*>())
            if (!w->objectName().isEmpty() && !out.contains(w->objectName()))
                out << w->objectName();
        return out;
    }
    template <class W> W* find(const QString& name) {
        return current()->template findChild<W*>(name);
    }

    void reopen(const QString& step) {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        window_ = open_();
        window_->show();
        watch_.expectFollowed(nameOf(window_) + QLatin1Char(' ') + step);
    }

    void act(const QString& step, const std::function<void()>& action) {
        const QString window = nameOf(current());
        action();
        watch_.expectFollowed(window + QLatin1Char(' ') + step);
        auto* form = qobject_cast<platform::Form*>(window_.data());
        if (form && form->isUnloaded())
            window_.clear();
    }

    Opener open_;
    ReadoutWatch& watch_;
    QPointer<QWidget> window_;
};

void walkEach(evalkit::ProgramContext& app, board::RecordingSkerry& usb,
              const std::vector<Opener>& windows) {
    ReadoutWatch watch(app, usb);
    for (const Opener& open : windows) {
        WindowWalk(open, watch).walk();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

// The front panel first, then every window of the program.
template <class App> std::vector<Opener> withFrontPanel(App& a) {
    std::vector<Opener> windows{[&a] {
        return &a.main();
    }};
    for (const Opener& open : evaltest::everyWindow(a))
        windows.push_back(open);
    return windows;
}

template <class App> void walkCorvane(const corvane::ProgramVariant& variant) {
    Program<App> p(variant, reglink::currentOsVersion());
    App& a = *p.app;
    walkEach(a, p.usb, withFrontPanel(a));
}

TEST(ReadoutsFollowEveryWindow, CorvaneEval) {
    walkCorvane<corvane::CorvaneApp>(corvane::corvaneEval());
}

TEST(ReadoutsFollowEveryWindow, CorvaneN) {
    walkCorvane<corvane::CorvaneApp>(corvanen::variant());
}

TEST(ReadoutsFollowEveryWindow, PellionEval) {
    Program<pellion::PellionApp> p;
    pellion::PellionApp& a = *p.app;
    walkEach(a, p.usb, withFrontPanel(a));
}

TEST(ReadoutsFollowEveryWindow, TessarineEval) {
    Program<tessarine::TessarineApp> p;
    tessarine::TessarineApp& a = *p.app;
    walkEach(a, p.usb, withFrontPanel(a));
}

} // namespace
