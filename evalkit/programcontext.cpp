#include "evalkit/programcontext.h"

#include "evalkit/frontpanelwindow.h"

#include <QComboBox>
#include <QTimer>

namespace evalkit {

ProgramContext::ProgramContext(platform::PlatformServices services) : services_(services) {}

ProgramContext::~ProgramContext() = default;

void ProgramContext::show(const std::vector<platform::Message>& messages) {
    platform::showMessages(*services_.messages, messages);
}

const QString ProgramContext::NotSentText = QStringLiteral(
    "Nothing was sent to the board: the parallel port is not claimed.\n\nChoose the "
    "parallel-port board again in the board list to claim the port, or choose the USB board.");

void ProgramContext::undelivered() {
    if (undeliveredPending_)
        return;
    undeliveredPending_ = true;
    // Said once the action is over: "Program Registers" refused seven times is one notice.
    QTimer::singleShot(0, &notices_, [this] {
        undeliveredPending_ = false;
        QString text = NotSentText;
        if (!portError().isEmpty())
            text += QStringLiteral("\n\n") + portError();
        messages().message(text, platform::MsgIcon::Exclamation);
    });
}

bool ProgramContext::isLoaded(const QString& windowName) const {
    if (windowName == platform::WindowRegistry::designName<FrontPanelWindow>())
        return mainLoaded();
    return windows_.isLoaded(windowName);
}

int ProgramContext::motherboardIndex() const {
    const QComboBox* list = motherboardList();
    return list ? list->currentIndex() : -1;
}

} // namespace evalkit
