#pragma once
// The program context of corvane-eval: it owns the register field store, the
// board link, the platform services and every window. Nothing of the program
// lives outside it, so tests build a fresh one per test.
#include "board/parllio.h"
#include "board/skerry.h"
#include "link/registerlink.h"
#include "link/registerstore.h"
#include "platform/form.h"
#include "platform/messages.h"
#include "platform/services.h"

#include <QStringList>
#include <functional>
#include <memory>

namespace corvane::link {
class portform;
}

namespace corvane {

class Main;
class synthform;
class muxform;
class frmClockOut;
class conversionform;
class frmDemod;
class frmIFCal;
class frmReadback;
class frmAFC;
class frmAGC;
class frmSWD;
class frmTestModes;
class frmPowerdown;
class frmPARamp;
class frmIRcal;
class frmPowerD;
class frmGFSK;
class frmRegisters;
class frmSaveReg;
class aboutform;
class revform;
class IBMhelpform;

// What differs between the programs built on this code (the narrow-band
// variant changes a few constants and texts).
struct ProgramVariant {
    link::ChipVariant chip;
    QString programTitle = QStringLiteral("corvane-eval");
};

class CorvaneApp : public link::LinkHost {
public:
    CorvaneApp(platform::PlatformServices services, board::Skerry& usb, board::Parllio& port,
               ProgramVariant variant = {}, link::OsVersionInfo os = link::currentOsVersion());
    ~CorvaneApp() override;
    CorvaneApp(const CorvaneApp&) = delete;
    CorvaneApp& operator=(const CorvaneApp&) = delete;

    // Creates the main window and runs its load handler (the whole start-up,
    // then the command-line import); returns it shown or not as the caller
    // decides.
    Main& start(const QStringList& arguments = {});

    const ProgramVariant& variant() const { return variant_; }
    platform::PlatformServices& services() { return services_; }
    platform::MessageService& messages() { return *services_.messages; }
    // Where every file the program saves is written through.
    platform::SaveDeviceFactory& saveDevices() {
        return services_.saving ? *services_.saving : platform::defaultSaveDevices();
    }
    link::CorvaneStore& store() { return store_; }
    link::CorvaneFields& f() { return store_.f; }
    link::CorvaneWorking& w() { return store_.w; }
    link::RegisterLink& link() { return link_; }

    // The shared procedures every window calls.
    void UpdateAllRegisterLabels() { link_.UpdateAllRegisterLabels(); }
    void WriteRegister() { link_.WriteRegister(); }
    void writeRegister(int n) {
        store_.w.RegisterSelect = static_cast<uint8_t>(n);
        link_.WriteRegister();
    }

    // Shows a planning function's messages in order (with its beep first
    // where the message asks for one).
    void show(const std::vector<platform::Message>& messages);

    // Windows, created hidden and loaded on first reference.
    Main& main();
    bool mainLoaded() const { return main_ != nullptr; }
    synthform& synth();
    muxform& mux();
    frmClockOut& clockOut();
    conversionform& conversion();
    frmDemod& demod();
    frmIFCal& ifCal();
    frmReadback& readback();
    frmAFC& afc();
    frmAGC& agc();
    frmSWD& swd();
    frmTestModes& testModes();
    frmPowerdown& bias();
    frmPARamp& paRamp();
    frmIRcal& irCal();
    frmPowerD& powerDown();
    frmGFSK& gfsk();
    frmRegisters& registers();
    frmSaveReg& saveReg();
    aboutform& about();
    revform& revisions();
    IBMhelpform& ibmHelp();
    link::portform& port();

    bool isLoaded(const QString& windowName) const;

    // Why the real parallel port could not be claimed (device and cause), or
    // empty; shown with the port-claim message.
    void setPortErrorSource(std::function<QString()> source) { portError_ = std::move(source); }
    QString portError() const { return portError_ ? portError_() : QString(); }

    // Shows a window modally or modelessly through the injected shower.
    void showModal(QWidget* window) { services_.shower->showModal(window); }
    void showModeless(QWidget* window) { services_.shower->showModeless(window); }

    // LinkHost
    link::RegisterReadout* readoutLabel(int n) override;
    int motherboardIndex() const override;

private:
    struct Windows;

    platform::PlatformServices services_;
    ProgramVariant variant_;
    link::CorvaneStore store_;
    link::RegisterLink link_;
    std::unique_ptr<Main> main_;
    std::unique_ptr<Windows> windows_;
    std::function<QString()> portError_;
    bool started_ = false;
};

} // namespace corvane
