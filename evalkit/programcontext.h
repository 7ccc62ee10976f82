#pragma once
// What every program's context has: the platform services, the register link to the board,
// and the windows, each created hidden on first reference through a name-keyed registry and
// shown modally or modelessly through the injected shower. A program's context derives from
// this and adds its store, its main window and one accessor per window.
#include "link/registerlink.h"
#include "platform/entryrefusals.h"
#include "platform/form.h"
#include "platform/messages.h"
#include "platform/services.h"

#include <QObject>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

class QComboBox;

namespace evalkit {

class ProgramContext : public reglink::LinkHost {
public:
    explicit ProgramContext(platform::PlatformServices services);
    ~ProgramContext() override;
    ProgramContext(const ProgramContext&) = delete;
    ProgramContext& operator=(const ProgramContext&) = delete;

    platform::PlatformServices& services() { return services_; }
    platform::MessageService& messages() { return *services_.messages; }
    // Where every file the program saves is written through.
    platform::SaveDeviceFactory& saveDevices() {
        return services_.saving ? *services_.saving : platform::defaultSaveDevices();
    }
    // Shows a planning function's messages in order (with its beep first where the message
    // asks for one).
    void show(const std::vector<platform::Message>& messages);
    // The text boxes of every window whose change handlers act on each keystroke: a refused
    // entry, once committed, puts the whole set-up back as it was before the typing.
    platform::EntryRefusals& entries() { return *entries_; }
    void showModal(QWidget* window) { services_.shower->showModal(window); }
    void showModeless(QWidget* window) { services_.shower->showModeless(window); }

    // The register link and the shared procedures every window calls. Each write returns
    // false when its word did not reach a board whole (see reglink::RegisterLink).
    virtual reglink::RegisterLink& link() = 0;
    void UpdateAllRegisterLabels() { link().UpdateAllRegisterLabels(); }
    // Register n, built from the fields.
    bool writeRegister(int n) { return link().writeRegister(n); }
    // A whole word through the program's raw register 99.
    bool writeRawWord(uint32_t bits) { return link().writeRawWord(bits); }
    // A whole word past the field store over the chosen board (raw windows, test words).
    bool sendWord(uint32_t bits) { return link().sendWord(bits); }

    // Whether the window called `name` is loaded ("Main" for the front panel), or the window
    // of class W.
    bool isLoaded(const QString& windowName) const;
    template <class W> bool isLoaded() const {
        return isLoaded(platform::WindowRegistry::designName<W>());
    }
    platform::WindowRegistry& windows() { return windows_; }

    // Why the real parallel port could not be claimed (device and cause), or empty; shown with
    // the port-claim message.
    void setPortErrorSource(std::function<QString()> source) { portError_ = std::move(source); }
    QString portError() const { return portError_ ? portError_() : QString(); }

    // The motherboard list of the front panel (its index chooses the board), nullptr until the
    // front panel exists.
    virtual QComboBox* motherboardList() const = 0;
    int motherboardIndex() const override;
    // Writes that did not reach the chosen board (the parallel port not claimed, the USB link
    // not open, a port call that failed): the user is told once, when the action that wrote
    // has finished, however many registers it wrote.
    void undelivered(NotSent why, const QString& detail) override;
    // What the notice says: the parallel port not claimed, the USB link not open, and a port
    // call that failed (followed by the device and the cause).
    static const QString NotSentText;
    static const QString UsbLinkClosedText;
    static const QString PortFailedText;

protected:
    // The window of class W, created by `factory` and loaded on first reference.
    template <class W, class Factory> W& window(Factory&& factory) {
        return windows_.get<W>(std::forward<Factory>(factory));
    }
    // The front panel, once created (it is not in the registry: it lives as long as the
    // program).
    virtual bool mainLoaded() const = 0;
    // Secondary windows go before the front panel they touch.
    void destroyWindows() { windows_.clear(); }
    // The front panel, or nullptr before it exists.
    virtual QWidget* frontPanel() const = 0;
    // The field store and the working values the windows plan with, as they stand, and what
    // puts them back so; the records of what went to the board are not part of it.
    virtual std::function<void()> captureStore() = 0;

private:
    // Everything a typed entry can change: the store, every loaded window's controls and the
    // read-outs' marks.
    std::function<void()> captureSetUp();

    platform::PlatformServices services_;
    platform::WindowRegistry windows_;
    std::function<QString()> portError_;
    QStringList undelivered_; // the notices of the action under way, each once
    QObject notices_;         // the deferred notice dies with the context
    std::unique_ptr<platform::EntryRefusals> entries_;
    platform::UserActions actions_;
};

} // namespace evalkit
