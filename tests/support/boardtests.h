#pragma once
// The board-session checks every program's tests make the same way: the board calls that open
// the link, a link that fails to open, the message of an operating system the port cannot be
// set up on, and what closing the program sends on each board.
#include "platform/messages.h"
#include "testing/recordingservices.h"

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

} // namespace evaltest
