#pragma once

#include "board/boardlog.h"
#include "board/chipprofile.h"
#include "board/parllio.h"
#include "board/skerry.h"

#include <QProcessEnvironment>
#include <QStringList>
#include <memory>

namespace board {

// The two back ends a program talks to, chosen once at start-up, and the log they share.
class BoardBackends {
public:
    BoardBackends(std::unique_ptr<Skerry> usb, std::unique_ptr<Parllio> port,
                  std::unique_ptr<BoardLog> log = nullptr, QStringList errors = {});

    Skerry& usb() { return *usb_; }
    Parllio& port() { return *port_; }
    // The log, when one is open; nullptr otherwise.
    BoardLog* log() { return log_.get(); }
    // Problems met while setting up (e.g. a log file that cannot be opened), one text each,
    // naming the file and the cause, for the program to show.
    const QStringList& errors() const { return errors_; }
    // Why the real parallel port could not be claimed, or empty (always empty when simulated).
    QString portError() const;

private:
    // Declared first so it outlives the back ends that write to it.
    std::unique_ptr<BoardLog> log_;
    std::unique_ptr<Skerry> usb_;
    std::unique_ptr<Parllio> port_;
    QStringList errors_;
};

// VERRIX_PARPORT=<device> selects the real parallel port through ppdev; otherwise the simulated
// port serves. USB is always the simulated board. VERRIX_BOARD_LOG=<file> (or "-" for standard
// error) logs the simulated back ends' calls; a log that cannot be opened is said on standard
// error at once and kept in errors(). The simulated back ends decode words and answer readbacks
// as the program's chip profile says.
BoardBackends fromEnvironment(const QProcessEnvironment& env, const ChipProfile& chip = {});

} // namespace board
