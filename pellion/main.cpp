// pellion-eval: the evaluation program of the Pellion transceiver.
#include "board/boardbackends.h"
#include "pellion/main_window.h"
#include "pellion/pellionapp.h"

#include <QApplication>
#include <QProcessEnvironment>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    const QString title = pellion::PellionApp::programTitle();
    QApplication::setApplicationName(title);

    platform::ProductionServices services(title);
    board::BoardBackends backends = board::fromEnvironment(QProcessEnvironment::systemEnvironment(),
                                                           pellion::PellionApp::transport().chip);
    for (const QString& error : backends.errors())
        services.view().messages->message(error, platform::MsgIcon::Exclamation);

    pellion::PellionApp app(services.view(), backends.usb(), backends.port());
    app.setPortErrorSource([&backends] { return backends.portError(); });
    QStringList arguments = QApplication::arguments();
    arguments.removeFirst();
    pellion::Main& panel = app.main();
    services.setParentWindow(&panel);
    app.start(arguments);
    if (services.view().system->ended())
        return 0;
    panel.show();
    return QApplication::exec();
}
