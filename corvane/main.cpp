// corvane-eval: the evaluation program of the Corvane transceiver.
#include "board/boardbackends.h"
#include "corvane/corvaneapp.h"
#include "corvane/main_window.h"

#include <QApplication>
#include <QProcessEnvironment>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("corvane-eval"));
    const QString title = QStringLiteral("corvane-eval");

    platform::ProductionServices services(title);
    board::BoardBackends backends = board::fromEnvironment(QProcessEnvironment::systemEnvironment(),
                                                           corvane::CorvaneApp::transport().chip);
    for (const QString& error : backends.errors())
        services.view().messages->message(error, platform::MsgIcon::Exclamation);

    corvane::CorvaneApp app(services.view(), backends.usb(), backends.port());
    app.setPortErrorSource([&backends] { return backends.portError(); });
    QStringList arguments = QApplication::arguments();
    arguments.removeFirst();
    corvane::Main& panel = app.main();
    services.setParentWindow(&panel);
    app.start(arguments);
    if (services.view().system->ended())
        return 0;
    panel.show();
    return QApplication::exec();
}
