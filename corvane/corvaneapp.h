#pragma once
// The program context of corvane-eval, and of Corvane-N over its variant: the register field
// store, the board link and the front panel as every program has them (evalkit/programlife.h),
// the variant the windows are made from, one accessor per window, and R15's read-out on the
// test-mode window. Nothing of the program lives outside it, so tests build a fresh one per
// test.
#include "board/parllio.h"
#include "board/skerry.h"
#include "corvane/model/registerstore.h"
#include "corvane/variant.h"
#include "evalkit/programlife.h"
#include "evalkit/sharedwindows.h"

namespace corvane {

class Main;
class synthform;
class conversionform;
class frmDemod;
class frmIFCal;
class frmTestModes;
class frmIRcal;
class frmGFSK;
class frmSaveReg;
class CorvaneApp;

} // namespace corvane

extern template class evalkit::ProgramLife<corvane::CorvaneApp, corvane::CorvaneStore,
                                           corvane::Main>;

namespace corvane {

class CorvaneApp : public evalkit::ProgramLife<CorvaneApp, CorvaneStore, Main> {
public:
    CorvaneApp(platform::PlatformServices services, board::Skerry& usb, board::Parllio& port,
               const ProgramVariant& variant = corvaneEval(),
               reglink::OsVersionInfo os = reglink::currentOsVersion());
    ~CorvaneApp() override;

    static QString programTitle() { return corvaneEval().programTitle; }
    static const reglink::TransportDescription& transport();

    const ProgramVariant& variant() const { return variant_; }

    // Windows, created hidden and loaded on first reference.
    corvane::synthform& synthform();
    evalkit::muxform& muxform();
    evalkit::frmClockOut& frmClockOut();
    corvane::conversionform& conversionform();
    corvane::frmDemod& frmDemod();
    corvane::frmIFCal& frmIFCal();
    evalkit::frmReadback& frmReadback();
    evalkit::frmAFC& frmAFC();
    evalkit::frmAGC& frmAGC();
    evalkit::frmSWD& frmSWD();
    corvane::frmTestModes& frmTestModes();
    evalkit::BiasWindow& biasWindow();
    evalkit::frmPARamp& frmPARamp();
    corvane::frmIRcal& frmIRcal();
    evalkit::PowerDownWindow& powerDownWindow();
    corvane::frmGFSK& frmGFSK();
    evalkit::frmRegisters& frmRegisters();
    corvane::frmSaveReg& frmSaveReg();
    evalkit::aboutform& aboutform();
    evalkit::revform& revform();
    evalkit::IBMhelpform& IBMhelpform();
    evalkit::portform& portform();

    // LinkHost: R0..R6 and R9..R13 on the front panel, R15 on the test-mode window (referring
    // to it creates that window).
    reglink::RegisterReadout* readoutLabel(int n) override;

private:
    ProgramVariant variant_;
};

} // namespace corvane
