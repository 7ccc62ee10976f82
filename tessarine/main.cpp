// tessarine-eval: the evaluation program of the Tessarine transmitter.
#include "board/boardbackends.h"
#include "tessarine/main_window.h"
#include "tessarine/tessarineapp.h"

#include <QApplication>
#include <QProcessEnvironment>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    const QString title = tessarine::TessarineApp::programTitle();
    QApplication::setApplicationName(title);

    platform::ProductionServices services(title);
    board::BoardBackends backends = board::fromEnvironment(
        QProcessEnvironment::systemEnvironment(), tessarine::TessarineApp::transport().chip);
    for (const QString& error : backends.errors())
        services.view().messages->message(error, platform::MsgIcon::Exclamation);

    tessarine::TessarineApp app(services.view(), backends.usb(), backends.port());
    app.setPortErrorSource([&backends] { return backends.portError(); });
    QStringList arguments = QApplication::arguments();
    arguments.removeFirst();
    tessarine::Main& panel = app.main();
    services.setParentWindow(&panel);
    app.start(arguments);
    if (services.view().system->ended())
        return 0;
    panel.show();
    return QApplication::exec();
}
