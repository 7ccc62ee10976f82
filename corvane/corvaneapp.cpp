#include "corvane/corvaneapp.h"

#include "corvane/windows.h"

#include <QComboBox>

namespace corvane {

struct CorvaneApp::Windows {
    explicit Windows(CorvaneApp* app) : app(app) {}
    CorvaneApp* app;
    // Declared in no particular order: each is created on first reference.
    platform::WindowSlot<synthform> synth{[this] {
        return new synthform(*app);
    }};
    platform::WindowSlot<muxform> mux{[this] {
        return new muxform(*app);
    }};
    platform::WindowSlot<frmClockOut> clockOut{[this] {
        return new frmClockOut(*app);
    }};
    platform::WindowSlot<conversionform> conversion{[this] {
        return new conversionform(*app);
    }};
    platform::WindowSlot<frmDemod> demod{[this] {
        return new frmDemod(*app);
    }};
    platform::WindowSlot<frmIFCal> ifCal{[this] {
        return new frmIFCal(*app);
    }};
    platform::WindowSlot<frmReadback> readback{[this] {
        return new frmReadback(*app);
    }};
    platform::WindowSlot<frmAFC> afc{[this] {
        return new frmAFC(*app);
    }};
    platform::WindowSlot<frmAGC> agc{[this] {
        return new frmAGC(*app);
    }};
    platform::WindowSlot<frmSWD> swd{[this] {
        return new frmSWD(*app);
    }};
    platform::WindowSlot<frmTestModes> testModes{[this] {
        return new frmTestModes(*app);
    }};
    platform::WindowSlot<frmPowerdown> bias{[this] {
        return new frmPowerdown(*app);
    }};
    platform::WindowSlot<frmPARamp> paRamp{[this] {
        return new frmPARamp(*app);
    }};
    platform::WindowSlot<frmIRcal> irCal{[this] {
        return new frmIRcal(*app);
    }};
    platform::WindowSlot<frmPowerD> powerDown{[this] {
        return new frmPowerD(*app);
    }};
    platform::WindowSlot<frmGFSK> gfsk{[this] {
        return new frmGFSK(*app);
    }};
    platform::WindowSlot<frmRegisters> registers{[this] {
        return new frmRegisters(*app);
    }};
    platform::WindowSlot<frmSaveReg> saveReg{[this] {
        return new frmSaveReg(*app);
    }};
    platform::WindowSlot<aboutform> about{[this] {
        return new aboutform(*app);
    }};
    platform::WindowSlot<revform> revisions{[this] {
        return new revform(*app);
    }};
    platform::WindowSlot<IBMhelpform> ibmHelp{[this] {
        return new IBMhelpform(*app);
    }};
    platform::WindowSlot<link::portform> port{[this] {
        return new link::portform(app->w());
    }};
};

CorvaneApp::CorvaneApp(platform::PlatformServices services, board::Skerry& usb,
                       board::Parllio& port, ProgramVariant variant, link::OsVersionInfo os)
    : services_(services), variant_(std::move(variant)), store_(variant_.chip),
      link_(store_, usb, port, *this, os) {
    windows_ = std::make_unique<Windows>(this);
}

CorvaneApp::~CorvaneApp() {
    // Secondary windows go first: none of them outlives the panel it touches.
    windows_.reset();
    main_.reset();
}

Main& CorvaneApp::start(const QStringList& arguments) {
    if (!started_) {
        started_ = true;
        main().Form_Load(arguments);
    }
    return *main_;
}

Main& CorvaneApp::main() {
    if (!main_)
        main_ = std::make_unique<Main>(*this);
    return *main_;
}

synthform& CorvaneApp::synth() {
    return *windows_->synth.get();
}
muxform& CorvaneApp::mux() {
    return *windows_->mux.get();
}
frmClockOut& CorvaneApp::clockOut() {
    return *windows_->clockOut.get();
}
conversionform& CorvaneApp::conversion() {
    return *windows_->conversion.get();
}
frmDemod& CorvaneApp::demod() {
    return *windows_->demod.get();
}
frmIFCal& CorvaneApp::ifCal() {
    return *windows_->ifCal.get();
}
frmReadback& CorvaneApp::readback() {
    return *windows_->readback.get();
}
frmAFC& CorvaneApp::afc() {
    return *windows_->afc.get();
}
frmAGC& CorvaneApp::agc() {
    return *windows_->agc.get();
}
frmSWD& CorvaneApp::swd() {
    return *windows_->swd.get();
}
frmTestModes& CorvaneApp::testModes() {
    return *windows_->testModes.get();
}
frmPowerdown& CorvaneApp::bias() {
    return *windows_->bias.get();
}
frmPARamp& CorvaneApp::paRamp() {
    return *windows_->paRamp.get();
}
frmIRcal& CorvaneApp::irCal() {
    return *windows_->irCal.get();
}
frmPowerD& CorvaneApp::powerDown() {
    return *windows_->powerDown.get();
}
frmGFSK& CorvaneApp::gfsk() {
    return *windows_->gfsk.get();
}
frmRegisters& CorvaneApp::registers() {
    return *windows_->registers.get();
}
frmSaveReg& CorvaneApp::saveReg() {
    return *windows_->saveReg.get();
}
aboutform& CorvaneApp::about() {
    return *windows_->about.get();
}
revform& CorvaneApp::revisions() {
    return *windows_->revisions.get();
}
IBMhelpform& CorvaneApp::ibmHelp() {
    return *windows_->ibmHelp.get();
}
link::portform& CorvaneApp::port() {
    return *windows_->port.get();
}

void CorvaneApp::show(const std::vector<platform::Message>& messages) {
    platform::showMessages(*services_.messages, messages);
}

bool CorvaneApp::isLoaded(const QString& windowName) const {
    const std::pair<QString, QWidget*> all[] = {
        {QStringLiteral("synthform"), windows_->synth.ifLoaded()},
        {QStringLiteral("muxform"), windows_->mux.ifLoaded()},
        {QStringLiteral("frmClockOut"), windows_->clockOut.ifLoaded()},
        {QStringLiteral("conversionform"), windows_->conversion.ifLoaded()},
        {QStringLiteral("frmDemod"), windows_->demod.ifLoaded()},
        {QStringLiteral("frmIFCal"), windows_->ifCal.ifLoaded()},
        {QStringLiteral("frmReadback"), windows_->readback.ifLoaded()},
        {QStringLiteral("frmAFC"), windows_->afc.ifLoaded()},
        {QStringLiteral("frmAGC"), windows_->agc.ifLoaded()},
        {QStringLiteral("frmSWD"), windows_->swd.ifLoaded()},
        {QStringLiteral("frmTestModes"), windows_->testModes.ifLoaded()},
        {QStringLiteral("frmPowerdown"), windows_->bias.ifLoaded()},
        {QStringLiteral("frmPARamp"), windows_->paRamp.ifLoaded()},
        {QStringLiteral("frmIRcal"), windows_->irCal.ifLoaded()},
        {QStringLiteral("frmPowerD"), windows_->powerDown.ifLoaded()},
        {QStringLiteral("frmGFSK"), windows_->gfsk.ifLoaded()},
        {QStringLiteral("frmRegisters"), windows_->registers.ifLoaded()},
        {QStringLiteral("frmSaveReg"), windows_->saveReg.ifLoaded()},
        {QStringLiteral("aboutform"), windows_->about.ifLoaded()},
        {QStringLiteral("revform"), windows_->revisions.ifLoaded()},
        {QStringLiteral("IBMhelpform"), windows_->ibmHelp.ifLoaded()},
        {QStringLiteral("portform"), windows_->port.ifLoaded()},
    };
    for (const auto& [name, window] : all)
        if (name == windowName)
            return window != nullptr;
    return windowName == QStringLiteral("Main") && main_ != nullptr;
}

link::RegisterReadout* CorvaneApp::readoutLabel(int n) {
    if (n == 15)
        return testModes().Label2;
    return main().readout(n);
}

int CorvaneApp::motherboardIndex() const {
    return main_ ? main_->cmbMB->currentIndex() : -1;
}

} // namespace corvane
