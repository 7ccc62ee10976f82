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

// Both boards say alike that nothing went out, and what opens the way.
const QString ProgramContext::NotSentText = QStringLiteral(
    "Nothing was sent to the board: the parallel port is not claimed.\n\nChoose the "
    "parallel-port board again in the board list to claim the port, or choose the USB board.");
const QString ProgramContext::UsbLinkClosedText =
    QStringLiteral("Nothing was sent to the board: the USB link is not open.\n\nPress \"Connect "
                   "USB\" to open the link to the USB board.");
const QString ProgramContext::PortFailedText =
    QStringLiteral("The parallel port failed: a word did not reach the board whole, so it is "
                   "not shown as written or read.");

void ProgramContext::undelivered(NotSent why, const QString& detail) {
    QString text;
    switch (why) {
    case NotSent::PortNotClaimed:
        text = NotSentText;
        if (!portError().isEmpty())
            text += QStringLiteral("\n\n") + portError();
        break;
    case NotSent::UsbLinkClosed:
        text = UsbLinkClosedText;
        break;
    case NotSent::PortFailed:
        text = PortFailedText;
        if (!detail.isEmpty())
            text += QStringLiteral("\n\n") + detail;
        break;
    }
    if (undelivered_.contains(text))
        return;
    const bool first = undelivered_.isEmpty();
    undelivered_ << text;
    if (!first)
        return;
    // Said once the action is over: "Program Registers" refused seven times is one notice.
    QTimer::singleShot(0, &notices_, [this] {
        const QString notice = undelivered_.join(QStringLiteral("\n\n"));
        undelivered_.clear();
        messages().message(notice, platform::MsgIcon::Exclamation);
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
