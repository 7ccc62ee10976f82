#include "evalkit/programcontext.h"

#include "evalkit/frontpanelwindow.h"

#include "platform/shownstate.h"

#include <QComboBox>
#include <QTimer>

namespace evalkit {

ProgramContext::ProgramContext(platform::PlatformServices services)
    : services_(services), entries_(std::make_unique<platform::EntryRefusals>(
                               *services_.messages, [this] { return captureSetUp(); })),
      actions_(*services_.messages) {}

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

std::function<void()> ProgramContext::captureSetUp() {
    std::vector<QWidget*> shown{frontPanel()};
    for (platform::Form* window : windows_.loaded())
        shown.push_back(window);
    struct Readout {
        QPointer<reglink::RegisterReadout> label;
        reglink::RegisterReadout::Mark mark;
    };
    // The read-outs of the windows that exist (asking for one by number could make a window).
    std::vector<Readout> readouts;
    for (QWidget* window : shown) {
        if (!window)
            continue;
        for (reglink::RegisterReadout* r : window->findChildren<reglink::RegisterReadout*>())
            readouts.push_back({r, r->mark()});
    }
    auto controls = std::make_shared<platform::ShownState>(platform::ShownState::of(shown));
    return [store = captureStore(), controls, readouts] {
        store();
        controls->restore();
        for (const Readout& r : readouts) {
            if (r.label)
                r.label->setMark(r.mark);
        }
    };
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
