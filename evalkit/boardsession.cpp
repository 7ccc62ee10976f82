#include "evalkit/boardsession.h"

#include "evalkit/programcontext.h"
#include "platform/toggle.h"

#include <QComboBox>

namespace evalkit {

BoardSession::BoardSession(ProgramContext& app, const BoardRules& rules, BoardControls controls,
                           int16_t* portClaimed)
    : app_(app), rules_(rules), c_(std::move(controls)), portClaimed_(portClaimed) {}

void BoardSession::boardChosen() {
    switch (c_.board->currentIndex()) {
    case 0:
        parallelChosen();
        break;
    case 1:
        usbChosen();
        break;
    default:
        break;
    }
}

void BoardSession::parallelChosen() {
    auto& link = app_.link();
    if (rules_.releaseBeforeClaim)
        link.ReleaseParallelPort();
    if (!c_.connect->isHidden()) {
        link.CloseUsbLink();
        c_.connect->setText(ConnectCaption);
    }
    c_.connect->setVisible(false);
    for (QWidget* w : c_.chipEnableCaptions)
        w->setVisible(false);
    c_.chipEnable->setVisible(false);
    if (rules_.rememberClaim && portClaimed_ && *portClaimed_ != 0)
        return; // already claimed: nothing to set up again
    if (!claimPort())
        return;
    const int16_t control = link.PortInByte(reglink::pins::ControlPort) & rules_.controlPortMask;
    link.PortOutByte(reglink::pins::ControlPort, control);
}

bool BoardSession::claimPort() {
    auto& link = app_.link();
    const int16_t code = link.GetOsVersionCode();
    if (code == -1) {
        app_.messages().message(QStringLiteral("Failed to determine operating system"),
                                platform::MsgIcon::Critical, QString());
        return false;
    }
    if (code != 351 && code != 400 && code != 2000) {
        link.portNeedsNoClaim(); // this family needs no claim
        return true;
    }
    const bool claimed = link.OpenParallelPort();
    if (portClaimed_)
        *portClaimed_ = claimed ? 1 : 0;
    if (!claimed) {
        QString text = QStringLiteral("Failed to claim Parallel Port");
        if (!app_.portError().isEmpty())
            text += QStringLiteral("\n\n") + app_.portError();
        app_.messages().message(text);
    }
    return claimed;
}

void BoardSession::usbChosen() {
    auto& link = app_.link();
    link.ReleaseParallelPort();
    if (portClaimed_)
        *portClaimed_ = 0;
    c_.connect->setVisible(true);
    c_.connect->setEnabled(true);
    for (QWidget* w : c_.chipEnableCaptions)
        w->setVisible(true);
    c_.chipEnable->setVisible(true);
    if (rules_.usbSwitchesChipEnableOn)
        c_.chipEnable->setOn(true);
    link.usb().dd_pellion_chip_sel(1);
}

void BoardSession::paintConnect(const std::optional<QColor>& colour) {
    if (!colour)
        return;
    QPalette pal = c_.connect->palette();
    pal.setColor(QPalette::Button, *colour);
    c_.connect->setPalette(pal);
}

void BoardSession::connectClicked() {
    auto& link = app_.link();
    auto& usb = link.usb();
    if (c_.connect->text() == ConnectCaption) {
        if (!link.OpenUsbLink()) {
            // The program stays up with the link closed: ending it here would throw away the
            // user's unsaved set-up.
            app_.messages().message(QStringLiteral(
                "Failed to initialise RPC link to target board. Check USB connection."));
            return;
        }
        app_.services().system->sleepMs(500);
        usb.sched_initialise_target();
        app_.services().system->sleepMs(200);
        if (rules_.usbSwitchesChipEnableOn)
            c_.chipEnable->setOn(true);
        usb.dd_pellion_chip_sel(1);
        c_.connect->setText(DisconnectCaption);
        paintConnect(rules_.connectedColour);
    } else if (c_.connect->text() == DisconnectCaption) {
        link.CloseUsbLink();
        c_.connect->setText(ConnectCaption);
        paintConnect(rules_.disconnectedColour);
    }
}

void BoardSession::chipEnableChanged() {
    app_.link().usb().dd_pellion_chip_sel(c_.chipEnable->isOn() ? 1 : 0);
}

void BoardSession::shutDown(BoardRules::Shutdown rule) {
    if (ended_)
        return;
    ended_ = true;
    auto& link = app_.link();
    const int board = c_.board->currentIndex();
    auto closeLink = [&] {
        link.usb().dd_pellion_chip_sel(0);
        link.CloseUsbLink();
    };
    switch (rule) {
    case BoardRules::Shutdown::ByBoard:
        if (board == 0)
            link.ReleaseParallelPort();
        else if (board == 1)
            closeLink();
        break;
    case BoardRules::Shutdown::ReleaseThenByBoard:
        link.ReleaseParallelPort();
        if (board == 1)
            closeLink();
        break;
    case BoardRules::Shutdown::LinkThenClaimedPort:
        closeLink();
        if (portClaimed_ && *portClaimed_ != 0)
            link.ReleaseParallelPort();
        break;
    }
    app_.services().system->endProgram(0);
}

} // namespace evalkit
