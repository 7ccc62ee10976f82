#include "corvane/corvaneapp.h"

#include "corvane/descriptions.h"
#include "corvane/model/transport.h"
#include "corvane/readbackhooks.h"
#include "corvane/windows.h"

namespace corvane {

CorvaneApp::CorvaneApp(platform::PlatformServices services, board::Skerry& usb,
                       board::Parllio& port, const ProgramVariant& variant,
                       reglink::OsVersionInfo os)
    : ProgramLife(services, usb, port, os, variant.chip), variant_(variant) {}

CorvaneApp::~CorvaneApp() {
    // The windows go while the variant they were made from is still there.
    closeWindows();
}

const reglink::TransportDescription& CorvaneApp::transport() {
    return corvaneTransport();
}

// Each window: how it is made.
corvane::synthform& CorvaneApp::synthform() {
    return window<corvane::synthform>(
        [this] { return new corvane::synthform(*this, variant_.fractionStepLimits); });
}
evalkit::muxform& CorvaneApp::muxform() {
    return window<evalkit::muxform>(
        [this] { return new evalkit::muxform(*this, muxoutChoices(), main().LblMuxOut); });
}
evalkit::frmClockOut& CorvaneApp::frmClockOut() {
    return window<evalkit::frmClockOut>([this] {
        return new evalkit::frmClockOut(*this, clockOutDescription(), main().LblClockout,
                                        [this] { return w().CrystalFrequencyMHz; });
    });
}
corvane::conversionform& CorvaneApp::conversionform() {
    return window<corvane::conversionform>([this] { return new corvane::conversionform(*this); });
}
corvane::frmDemod& CorvaneApp::frmDemod() {
    return window<corvane::frmDemod>([this] { return new corvane::frmDemod(*this); });
}
corvane::frmIFCal& CorvaneApp::frmIFCal() {
    return window<corvane::frmIFCal>(
        [this] { return new corvane::frmIFCal(*this, variant_.ifCal); });
}
evalkit::frmReadback& CorvaneApp::frmReadback() {
    return window<evalkit::frmReadback>([this] {
        return new evalkit::frmReadback(*this, readbackDescription(), readbackHooks(*this));
    });
}
evalkit::frmAFC& CorvaneApp::frmAFC() {
    return window<evalkit::frmAFC>(
        [this] { return new evalkit::frmAFC(*this, afcDescription(), {main().afcStatus}); });
}
evalkit::frmAGC& CorvaneApp::frmAGC() {
    return window<evalkit::frmAGC>(
        [this] { return new evalkit::frmAGC(*this, agcDescription(), main().agcStatus); });
}
evalkit::frmSWD& CorvaneApp::frmSWD() {
    return window<evalkit::frmSWD>(
        [this] { return new evalkit::frmSWD(*this, swdDescription(), main().syncWordStatus); });
}
corvane::frmTestModes& CorvaneApp::frmTestModes() {
    return window<corvane::frmTestModes>([this] { return new corvane::frmTestModes(*this); });
}
evalkit::BiasWindow& CorvaneApp::biasWindow() {
    return window<evalkit::BiasWindow>(
        [this] { return new evalkit::BiasWindow(*this, biasDescription()); });
}
evalkit::frmPARamp& CorvaneApp::frmPARamp() {
    return window<evalkit::frmPARamp>(
        [this] { return new evalkit::frmPARamp(*this, paRampDescription()); });
}
corvane::frmIRcal& CorvaneApp::frmIRcal() {
    return window<corvane::frmIRcal>([this] { return new corvane::frmIRcal(*this); });
}
evalkit::PowerDownWindow& CorvaneApp::powerDownWindow() {
    return window<evalkit::PowerDownWindow>(
        [this] { return new evalkit::PowerDownWindow(*this, powerDownDescription()); });
}
corvane::frmGFSK& CorvaneApp::frmGFSK() {
    return window<corvane::frmGFSK>([this] { return new corvane::frmGFSK(*this); });
}
evalkit::frmRegisters& CorvaneApp::frmRegisters() {
    return window<evalkit::frmRegisters>(
        [this] { return new evalkit::frmRegisters(*this, rawRegisterDescription()); });
}
corvane::frmSaveReg& CorvaneApp::frmSaveReg() {
    return window<corvane::frmSaveReg>([this] { return new corvane::frmSaveReg(*this); });
}
evalkit::aboutform& CorvaneApp::aboutform() {
    return window<evalkit::aboutform>([this] { return new evalkit::aboutform(variant_.about); });
}
evalkit::revform& CorvaneApp::revform() {
    return window<evalkit::revform>([this] { return new evalkit::revform(variant_.revisions); });
}
evalkit::IBMhelpform& CorvaneApp::IBMhelpform() {
    return window<evalkit::IBMhelpform>([] { return new evalkit::IBMhelpform; });
}
evalkit::portform& CorvaneApp::portform() {
    return window<evalkit::portform>([this] { return new evalkit::portform(portTexts(), w()); });
}

reglink::RegisterReadout* CorvaneApp::readoutLabel(int n) {
    if (n == 15)
        return frmTestModes().register15Readout;
    return ProgramLife::readoutLabel(n);
}

} // namespace corvane

template class evalkit::ProgramLife<corvane::CorvaneApp, corvane::CorvaneStore, corvane::Main>;
