#include "board/boardbackends.h"

#include "board/ppdevport.h"
#include "board/simulatedboard.h"
#include "board/simulatedport.h"

#include <QCoreApplication>

#include <cstdio>
#include <utility>

namespace board {

BoardBackends::BoardBackends(std::unique_ptr<Skerry> usb, std::unique_ptr<Parllio> port,
                             std::unique_ptr<BoardLog> log, QStringList errors)
    : log_(std::move(log)), usb_(std::move(usb)), port_(std::move(port)),
      errors_(std::move(errors)) {}

QString BoardBackends::portError() const {
    const auto* ppdev = dynamic_cast<const PpdevPort*>(port_.get());
    return ppdev ? ppdev->lastError() : QString();
}

namespace {

void reportOnStandardError(const QString& error) {
    const QString program = QCoreApplication::applicationName();
    const QByteArray line =
        (program.isEmpty() ? error : program + QStringLiteral(": ") + error).toLocal8Bit() + '\n';
    std::fputs(line.constData(), stderr);
    std::fflush(stderr);
}

} // namespace

BoardBackends fromEnvironment(const QProcessEnvironment& env, const ChipProfile& chip) {
    QStringList errors;
    std::unique_ptr<BoardLog> log;
    const QString logTarget = env.value(QStringLiteral("VERRIX_BOARD_LOG"));
    if (!logTarget.isEmpty()) {
        log = std::make_unique<BoardLog>(logTarget);
        if (!log->isOpen()) {
            const QString error =
                QStringLiteral("The board log could not be opened: %1").arg(log->errorString());
            // Whoever asked for a log looks for it there, also when no window can show why
            // it is missing.
            reportOnStandardError(error);
            errors << error;
            log.reset();
        }
    }

    auto usb = std::make_unique<SimulatedBoard>(log.get());
    usb->setChip(chip);
    std::unique_ptr<Parllio> port;
    const QString device = env.value(QStringLiteral("VERRIX_PARPORT"));
    if (!device.isEmpty()) {
        port = std::make_unique<PpdevPort>(device);
    } else {
        auto simulated = std::make_unique<SimulatedPort>(log.get());
        simulated->setChip(chip);
        port = std::move(simulated);
    }
    return BoardBackends(std::move(usb), std::move(port), std::move(log), std::move(errors));
}

} // namespace board
