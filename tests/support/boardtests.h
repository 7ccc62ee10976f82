#pragma once
// The board-session checks every program's tests make the same way: the board calls that open
// the link, a link that fails to open, the message of an operating system the port cannot be
// set up on, what closing the program sends on each board, and that a write which did not
// reach the board whole (a closed USB link, a failing port) is never shown as done.
#include "evalkit/programcontext.h"
#include "link/registerreadout.h"
#include "platform/messages.h"
#include "testing/recordingservices.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QPushButton>
#include <QString>
#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace evaltest {

// What opening the link sends: the board set up, then the chip selected.
inline std::vector<QString> openLinkLines() {
    return {QStringLiteral("rpc_initialise_vb -> 1"), QStringLiteral("sched_initialise_target"),
            QStringLiteral("dd_pellion_chip_sel 1")};
}

// A link that cannot be opened is said so; the program goes on with the link closed and sends
// nothing after the failed set-up.
template <class Fixture, class Panel>
void expectAFailedConnectKeepsTheProgram(Fixture& t, Panel& m) {
    t.usb.setInitResult(0);
    t.clearRecords();
    m.ConnectUSB->click();
    EXPECT_EQ(t.messageTexts(), (std::vector<QString>{QStringLiteral(
                                    "Failed to initialise RPC link to target board. Check USB "
                                    "connection.")}));
    EXPECT_FALSE(t.services.system.ended());
    EXPECT_EQ(m.ConnectUSB->text(), QStringLiteral("Connect USB"));
    EXPECT_EQ(t.usb.lines().size(), 1u); // nothing after the failed initialise
}

// The messages of choosing the parallel board: with `message`, the operating-system refusal
// first (a critical one with the default title) and one more after it; without, none.
inline void expectOsMessage(const platform::RecordingMessageService& messages,
                            const char* message) {
    if (message) {
        ASSERT_EQ(messages.messages.size(), 2u);
        EXPECT_EQ(messages.messages[0].text, QString::fromLatin1(message));
        EXPECT_EQ(messages.messages[0].icon, platform::MsgIcon::Critical);
        EXPECT_EQ(messages.messages[0].title, QString());
    } else {
        EXPECT_TRUE(messages.messages.empty());
    }
}

// Closing on the USB board deselects the chip and shuts the link down, and the program ends;
// the port is not touched.
template <class Fixture>
void expectClosingOnUsbShutsDown(Fixture& t, const std::function<void()>& close) {
    t.clearRecords();
    close();
    EXPECT_EQ(t.usb.lines(), (std::vector<QString>{QStringLiteral("dd_pellion_chip_sel 0"),
                                                   QStringLiteral("rpc_shutdown")}));
    EXPECT_TRUE(t.port.lines().empty());
    EXPECT_TRUE(t.services.system.ended());
}

// Closing on the parallel board only gives the port up, and the program ends.
template <class Fixture>
void expectClosingOnTheParallelBoardReleasesThePort(Fixture& t,
                                                    const std::function<void()>& close) {
    t.clearRecords();
    close();
    EXPECT_EQ(t.port.lines(), (std::vector<QString>{QStringLiteral("ReleaseParallelPort 1")}));
    EXPECT_TRUE(t.usb.lines().empty());
    EXPECT_TRUE(t.services.system.ended());
}

// The read-outs of `registers` that are still marked changed (not written).
template <class Panel> std::vector<int> stillMarked(Panel& m, const std::vector<int>& registers) {
    std::vector<int> marked;
    for (int n : registers)
        if (m.readout(n)->mark() == reglink::RegisterReadout::Mark::Changed)
            marked.push_back(n);
    return marked;
}

// The USB board chosen and its link not open, before "Connect USB" and after "Disconnect
// USB": the button that programs the registers (in `order`, all marked at start-up) sends
// nothing, the read-outs keep their marks, and the user is told once for the action how to
// open the link. Over the open link the same button sends every register.
template <class Fixture, class Panel>
void expectAClosedLinkTakesNothing(Fixture& t, Panel& m, const std::vector<int>& order) {
    ASSERT_EQ(m.cmbMB->currentIndex(), 1);
    ASSERT_EQ(stillMarked(m, order), order);
    for (const bool wasOpen : {false, true}) {
        SCOPED_TRACE(wasOpen ? "after Disconnect USB" : "before Connect USB");
        if (wasOpen) {
            m.ConnectUSB->click();
            m.ConnectUSB->click();
            ASSERT_EQ(m.ConnectUSB->text(), QStringLiteral("Connect USB"));
        }
        t.clearRecords();
        m.cmdUpdateAll->click();
        QCoreApplication::processEvents();
        EXPECT_TRUE(t.usb.writtenWords().empty());
        EXPECT_EQ(stillMarked(m, order), order);
        EXPECT_EQ(t.messageTexts(),
                  std::vector<QString>{evalkit::ProgramContext::UsbLinkClosedText});
    }
    t.connectUsb();
    m.cmdUpdateAll->click();
    QCoreApplication::processEvents();
    EXPECT_EQ(t.usb.writtenWords().size(), order.size());
    EXPECT_TRUE(stillMarked(m, order).empty());
    EXPECT_TRUE(t.messageTexts().empty());
}

// The parallel-port board, its device gone part-way through the registers: the first word
// goes out whole and is shown written, the others do not and keep their marks, and one
// message for the action names the device and the cause (`afterFailure` checks more then).
// With the device back the same button writes them all.
template <class Fixture, class Panel>
void expectAFailingPortShowsNothingWritten(Fixture& t, Panel& m, const std::vector<int>& order,
                                           const std::function<void()>& afterFailure = {}) {
    const QString why = QStringLiteral("/dev/parport0: Input/output error");
    m.cmbMB->setCurrentIndex(0);
    ASSERT_EQ(stillMarked(m, order), order);
    t.clearRecords();
    t.port.failAfter(150, why); // within the second word
    m.cmdUpdateAll->click();
    QCoreApplication::processEvents();
    EXPECT_EQ(stillMarked(m, order), std::vector<int>(order.begin() + 1, order.end()));
    EXPECT_EQ(t.messageTexts(), std::vector<QString>{evalkit::ProgramContext::PortFailedText +
                                                     QStringLiteral("\n\n") + why});
    if (afterFailure)
        afterFailure();

    t.port.heal();
    t.clearRecords();
    m.cmdUpdateAll->click();
    QCoreApplication::processEvents();
    EXPECT_TRUE(stillMarked(m, order).empty());
    EXPECT_TRUE(t.messageTexts().empty());
}

} // namespace evaltest
