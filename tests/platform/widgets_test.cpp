// The outside controls and the window life cycle the programs rely on.
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QMessageBox>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <memory>
#include <tuple>

#include "platform/clickablelabel.h"
#include "platform/entrymark.h"
#include "platform/form.h"
#include "platform/named.h"
#include "platform/selector.h"
#include "platform/toggle.h"
#include "testing/recordingservices.h"

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
    explicit CountingForm(int* loads, WindowRegistry* registry = nullptr)
        : loads_(loads), registry_(registry) {}
    void Form_Load() override {
        ++*loads_;
        // A reference from inside the load handler finds the window itself.
        if (registry_)
            reentrant =
                &registry_->get<CountingForm>(QStringLiteral("counting"), [] { return nullptr; });
    }
    CountingForm* reentrant = nullptr;

private:
    int* loads_;
    WindowRegistry* registry_;
};
} // namespace

TEST(WindowRegistry, CreatedOnFirstReferenceRegisteredBeforeLoadAndReloadedAfterUnload) {
    int loads = 0;
    WindowRegistry windows;
    const QString name = QStringLiteral("counting");
    auto get = [&] {
        return &windows.get<CountingForm>(name, [&] { return new CountingForm(&loads, &windows); });
    };
    EXPECT_FALSE(windows.isLoaded(name));
    CountingForm* first = get();
    EXPECT_EQ(loads, 1);
    EXPECT_EQ(first->reentrant, first);
    EXPECT_FALSE(first->isVisible()); // created hidden
    EXPECT_EQ(get(), first);
    EXPECT_EQ(loads, 1);
    EXPECT_TRUE(windows.isLoaded(name));
    EXPECT_FALSE(windows.isLoaded(QStringLiteral("other")));

    QPointer<CountingForm> gone(first);
    first->unload();
    EXPECT_FALSE(windows.isLoaded(name));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(gone.isNull());
    get();
    EXPECT_EQ(loads, 2);
}

TEST(WindowRegistry, CloseBoxUnloadsByDefault) {
    int loads = 0;
    WindowRegistry windows;
    const QString name = QStringLiteral("counting");
    CountingForm& form = windows.get<CountingForm>(name, [&] { return new CountingForm(&loads); });
    form.show();
    form.close();
    EXPECT_FALSE(windows.isLoaded(name));
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

// What each kind of request promises about a file that is there.
TEST(FileDialogs, ScriptedRequestsSayWhatTheDialogTakes) {
    ScriptedFileDialogService f;
    const QString filter = QStringLiteral("Test Files (*.ini)|*.ini");
    f.openFileName(filter);
    f.saveFileName(filter);
    f.modifyFileName(filter, 2);
    ASSERT_EQ(f.requests.size(), 3u);
    const auto& [open, save, modify] = std::tie(f.requests[0], f.requests[1], f.requests[2]);
    EXPECT_TRUE(!open.save && open.mustExist && !open.askReplace);
    EXPECT_TRUE(save.save && !save.mustExist && save.askReplace);
    EXPECT_TRUE(modify.save && modify.mustExist && !modify.askReplace);
    EXPECT_EQ(modify.filterIndex, 2);
}

// The real dialog for a file to modify: a name that is not there is not taken (Qt says "File
// not found"), one that is there is taken without a replace question.
TEST(FileDialogs, ModifyTakesOnlyAFileThatIsThereAndAsksNothing) {
    QTemporaryDir dir;
    const QString existing = dir.filePath(QStringLiteral("a.ini"));
    {
        QFile file(existing);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    QtFileDialogService service;
    QStringList questions; // the texts of the message boxes the dialog showed
    QTimer watch;
    QString typed;
    int ticks = 0;
    // Types the name into the dialog and accepts it; answers every message box, and gives up
    // on a dialog that is still open after that.
    QObject::connect(&watch, &QTimer::timeout, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            questions << box->text();
            box->reject();
        } else if (auto* dialog = qobject_cast<QFileDialog*>(modal)) {
            EXPECT_EQ(dialog->fileMode(), QFileDialog::ExistingFile);
            if (++ticks == 1) {
                // Typed, as a user would: selecting depends on the folder's listing, which
                // the dialog reads in the background.
                auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
                ASSERT_TRUE(name);
                name->setText(typed);
                // Queued: a message box that accepting shows must not run inside this tick,
                // which would hold the timer up.
                QMetaObject::invokeMethod(dialog, "accept", Qt::QueuedConnection);
            } else {
                dialog->reject();
            }
        }
    });
    watch.start(20);
    const QString filter = QStringLiteral("Test Files (*.ini)|*.ini");

    typed = dir.filePath(QStringLiteral("missing.ini"));
    EXPECT_EQ(service.modifyFileName(filter), QString());
    ASSERT_EQ(questions.size(), 1);
    EXPECT_TRUE(questions[0].contains(QStringLiteral("File not found")));

    questions.clear();
    ticks = 0;
    typed = existing;
    EXPECT_EQ(QFileInfo(service.modifyFileName(filter)), QFileInfo(existing));
    EXPECT_TRUE(questions.isEmpty()) << questions.join(u'|').toStdString();
}

// A refused entry is marked with what the box accepts until the mark is taken away, which
// gives the box its own tool tip and look back.
TEST(EntryMark, MarksUntilClearedAndRestoresTheBox) {
    QLineEdit box;
    box.setToolTip(QStringLiteral("own tip"));
    box.setStyleSheet(QStringLiteral("QLineEdit { color: blue; }"));
    EXPECT_FALSE(isMarkedRefused(&box));
    markRefused(&box, QStringLiteral("a number from 0 to 63"));
    EXPECT_TRUE(isMarkedRefused(&box));
    EXPECT_EQ(box.toolTip(), QStringLiteral("a number from 0 to 63"));
    EXPECT_TRUE(box.styleSheet().contains(QStringLiteral("border")));
    markRefused(&box, QStringLiteral("a number from 0 to 80")); // marked again: only the tip
    EXPECT_EQ(box.toolTip(), QStringLiteral("a number from 0 to 80"));
    showRefusal(&box, false, QString());
    EXPECT_FALSE(isMarkedRefused(&box));
    EXPECT_EQ(box.toolTip(), QStringLiteral("own tip"));
    EXPECT_EQ(box.styleSheet(), QStringLiteral("QLineEdit { color: blue; }"));
    clearRefusedMark(&box); // not marked: nothing changes
    EXPECT_EQ(box.toolTip(), QStringLiteral("own tip"));
}

// A list without a choice shows its design text in the colour of a chosen item; only a
// disabled list has the disabled colour.
TEST(NamedList, DesignTextLooksChosenUnlessTheListIsDisabled) {
    std::unique_ptr<QComboBox> list(
        namedList("cmbTest", {QStringLiteral("Off"), QStringLiteral("On")}, QStringLiteral("Off")));
    EXPECT_EQ(list->currentIndex(), -1);
    EXPECT_EQ(list->objectName(), QStringLiteral("cmbTest"));
    const QPalette& p = list->palette();
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
        EXPECT_EQ(p.color(group, QPalette::PlaceholderText), p.color(group, QPalette::ButtonText));
    }
    // The disabled look is the disabled text colour, not the enabled one.
    EXPECT_EQ(p.color(QPalette::Disabled, QPalette::PlaceholderText),
              p.color(QPalette::Disabled, QPalette::ButtonText));
    EXPECT_NE(p.color(QPalette::Disabled, QPalette::PlaceholderText),
              p.color(QPalette::Active, QPalette::ButtonText));
    // Qt's own default, which this replaces, is the grey of a disabled control.
    QComboBox plain;
    EXPECT_NE(plain.palette().color(QPalette::Active, QPalette::PlaceholderText),
              p.color(QPalette::Active, QPalette::PlaceholderText));
}
