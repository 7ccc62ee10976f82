#pragma once
// The program context of corvane-eval: it owns the register field store, the board link, the
// platform services and every window. Nothing of the program lives outside it, so tests build
// a fresh one per test.
#include "board/parllio.h"
#include "board/skerry.h"
#include "corvane/model/registerstore.h"
#include "corvane/variant.h"
#include "evalkit/programcontext.h"
#include "link/registerlink.h"

#include <QStringList>
#include <memory>

namespace evalkit {
class muxform;
class frmClockOut;
class frmRegisters;
class aboutform;
class revform;
class IBMhelpform;
class portform;
class frmReadback;
class frmAFC;
class frmAGC;
class frmSWD;
class frmPowerdown;
class frmPowerD;
class frmPARamp;
} // namespace evalkit

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

class CorvaneApp : public evalkit::ProgramContext {
public:
    CorvaneApp(platform::PlatformServices services, board::Skerry& usb, board::Parllio& port,
               const ProgramVariant& variant = corvaneEval(),
               reglink::OsVersionInfo os = reglink::currentOsVersion());
    ~CorvaneApp() override;

    static QString programTitle() { return corvaneEval().programTitle; }
    static const reglink::TransportDescription& transport();

    // Creates the main window and runs its load handler (the whole start-up, then the
    // command-line import); returns it shown or not as the caller decides.
    Main& start(const QStringList& arguments = {});

    const ProgramVariant& variant() const { return variant_; }
    CorvaneStore& store() { return store_; }
    CorvaneFields& f() { return store_.f; }
    CorvaneWorking& w() { return store_.w; }
    reglink::RegisterLink& link() override { return link_; }

    // The front panel, created on first reference.
    Main& main();

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
    evalkit::frmPowerdown& frmPowerdown();
    evalkit::frmPARamp& frmPARamp();
    corvane::frmIRcal& frmIRcal();
    evalkit::frmPowerD& frmPowerD();
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
    QComboBox* motherboardList() const override;

protected:
    bool mainLoaded() const override { return main_ != nullptr; }

private:
    ProgramVariant variant_;
    CorvaneStore store_;
    reglink::RegisterLink link_;
    std::unique_ptr<Main> main_;
    bool started_ = false;
};

} // namespace corvane
