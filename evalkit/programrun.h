#pragma once
// The whole run of a program: the application, the board back ends the environment chooses
// (a back end that cannot be opened is reported, never silently replaced), the program's
// context, start-up with the command line, and the event loop. Each program's main() names
// its context and passes what the context takes besides the services and the board.
#include "board/boardbackends.h"
#include "platform/services.h"

#include <QApplication>
#include <QEvent>
#include <QProcessEnvironment>
#include <QStringList>
#include <QTimer>
#include <QWidget>

#include <optional>

namespace evalkit {

// The start-up measurement: a program started with VERRIX_EXIT_AFTER_PAINT set closes its
// front panel, as a user would, once the panel has been painted the first time, so a
// benchmark can time a whole run from load to exit.
class CloseAfterFirstPaint : public QObject {
public:
    explicit CloseAfterFirstPaint(QWidget& panel) : panel_(panel) {
        panel.installEventFilter(this);
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            panel_.removeEventFilter(this);
            // The children paint and the window is flushed before the queue comes round.
            QTimer::singleShot(0, &panel_, [this] { panel_.close(); });
        }
        return false;
    }

private:
    QWidget& panel_;
};

// App: the program's context (a ProgramLife), built from the services, the USB and parallel
// back ends and `extra`; it provides transport(), main(), start(arguments) and
// setPortErrorSource().
template <class App, class... Extra>
int runProgram(int argc, char** argv, const QString& title, const QString& version,
               const Extra&... extra) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(title);
    if (!version.isEmpty())
        QApplication::setApplicationVersion(version);

    platform::ProductionServices services(title);
    board::BoardBackends backends =
        board::fromEnvironment(QProcessEnvironment::systemEnvironment(), App::transport().chip);
    for (const QString& error : backends.errors())
        services.view().messages->message(error, platform::MsgIcon::Exclamation);

    App app(services.view(), backends.usb(), backends.port(), extra...);
    app.setPortErrorSource([&backends] { return backends.portError(); });
    QStringList arguments = QApplication::arguments();
    arguments.removeFirst();
    auto& panel = app.main();
    services.setParentWindow(&panel);
    app.start(arguments);
    if (services.view().system->ended())
        return 0;
    std::optional<CloseAfterFirstPaint> measuring;
    if (qEnvironmentVariableIsSet("VERRIX_EXIT_AFTER_PAINT"))
        measuring.emplace(panel);
    panel.show();
    return QApplication::exec();
}

} // namespace evalkit
