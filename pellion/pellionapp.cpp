#include "pellion/pellionapp.h"

#include "pellion/descriptions.h"
#include "pellion/model/transport.h"
#include "pellion/readbackhooks.h"
#include "pellion/windows.h"

namespace pellion {

PellionApp::PellionApp(platform::PlatformServices services, board::Skerry& usb,
                       board::Parllio& port, reglink::OsVersionInfo os)
    : ProgramLife(services, usb, port, os) {}

const reglink::TransportDescription& PellionApp::transport() {
    return pellionTransport();
}

// Each window: how it is made.
pellion::synthform& PellionApp::synthform() {
    return window<pellion::synthform>([this] { return new pellion::synthform(*this); });
}
evalkit::muxform& PellionApp::muxform() {
    return window<evalkit::muxform>(
        [this] { return new evalkit::muxform(*this, muxoutChoices(), main().LblMuxOut); });
}
evalkit::frmClockOut& PellionApp::frmClockOut() {
    return window<evalkit::frmClockOut>([this] {
        return new evalkit::frmClockOut(*this, clockOutDescription(), main().LblClockout,
                                        [this] { return w().CrystalFrequencyMHz; });
    });
}
evalkit::frmReadback& PellionApp::frmReadback() {
    return window<evalkit::frmReadback>([this] {
        return new evalkit::frmReadback(*this, readbackDescription(), readbackHooks(*this));
    });
}
pellion::frmDemod& PellionApp::frmDemod() {
    return window<pellion::frmDemod>([this] { return new pellion::frmDemod(*this); });
}
pellion::frmGFSK& PellionApp::frmGFSK() {
    return window<pellion::frmGFSK>([this] { return new pellion::frmGFSK(*this); });
}
evalkit::frmRegisters& PellionApp::frmRegisters() {
    return window<evalkit::frmRegisters>(
        [this] { return new evalkit::frmRegisters(*this, rawRegisterDescription()); });
}
evalkit::frmAFC& PellionApp::frmAFC() {
    return window<evalkit::frmAFC>([this] {
        return new evalkit::frmAFC(*this, afcDescription(),
                                   {main().afcStatus, main().ifFilterCalStatus});
    });
}
evalkit::frmAGC& PellionApp::frmAGC() {
    return window<evalkit::frmAGC>(
        [this] { return new evalkit::frmAGC(*this, agcDescription(), main().agcStatus); });
}
evalkit::frmSWD& PellionApp::frmSWD() {
    return window<evalkit::frmSWD>(
        [this] { return new evalkit::frmSWD(*this, swdDescription(), main().syncWordStatus); });
}
evalkit::BiasWindow& PellionApp::biasWindow() {
    return window<evalkit::BiasWindow>(
        [this] { return new evalkit::BiasWindow(*this, biasDescription()); });
}
pellion::frmTestModes& PellionApp::frmTestModes() {
    return window<pellion::frmTestModes>([this] { return new pellion::frmTestModes(*this); });
}
evalkit::PowerDownWindow& PellionApp::powerDownWindow() {
    return window<evalkit::PowerDownWindow>(
        [this] { return new evalkit::PowerDownWindow(*this, powerDownDescription()); });
}

evalkit::frmPARamp& PellionApp::frmPARamp() {
    return window<evalkit::frmPARamp>(
        [this] { return new evalkit::frmPARamp(*this, paRampDescription()); });
}

} // namespace pellion

template class evalkit::ProgramLife<pellion::PellionApp, pellion::PellionStore, pellion::Main>;
