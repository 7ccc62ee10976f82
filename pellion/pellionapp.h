#pragma once
// The program context of pellion-eval: it owns the register field store, the board link, the
// platform services and every window. Nothing of the program lives outside it, so tests build
// a fresh one per test.
#include "board/parllio.h"
#include "board/skerry.h"
#include "evalkit/programcontext.h"
#include "link/registerlink.h"
#include "pellion/model/registerstore.h"

#include <QStringList>
#include <memory>

namespace evalkit {
class muxform;
class frmClockOut;
class frmReadback;
class frmRegisters;
class frmAFC;
class frmAGC;
class frmSWD;
class frmPowerdown;
class frmPowerD;
class frmPARamp;
} // namespace evalkit

namespace pellion {

class Main;
class synthform;
class frmDemod;
class frmGFSK;
class frmTestModes;

class PellionApp : public evalkit::ProgramContext {
public:
    PellionApp(platform::PlatformServices services, board::Skerry& usb, board::Parllio& port,
               reglink::OsVersionInfo os = reglink::currentOsVersion());
    ~PellionApp() override;

    static QString programTitle() { return QStringLiteral("pellion-eval"); }
    static const reglink::TransportDescription& transport();

    // Creates the front panel and runs its load handler (the whole start-up); returns it
    // shown or not as the caller decides.
    Main& start(const QStringList& arguments = {});

    PellionStore& store() { return store_; }
    PellionFields& f() { return store_.f; }
    PellionWorking& w() { return store_.w; }
    reglink::RegisterLink& link() override { return link_; }

    // The front panel, created on first reference.
    Main& main();

    // Windows, created hidden and loaded on first reference.
    pellion::synthform& synthform();
    evalkit::muxform& muxform();
    evalkit::frmClockOut& frmClockOut();
    evalkit::frmReadback& frmReadback();
    pellion::frmDemod& frmDemod();
    pellion::frmGFSK& frmGFSK();
    evalkit::frmRegisters& frmRegisters();
    evalkit::frmAFC& frmAFC();
    evalkit::frmAGC& frmAGC();
    evalkit::frmSWD& frmSWD();
    evalkit::frmPowerdown& frmPowerdown();
    // No control opens these three.
    pellion::frmTestModes& frmTestModes();
    evalkit::frmPARamp& frmPARamp();
    evalkit::frmPowerD& frmPowerD();

    // LinkHost: R0..R6 and R9..R13 on the front panel.
    reglink::RegisterReadout* readoutLabel(int n) override;
    QComboBox* motherboardList() const override;

protected:
    bool mainLoaded() const override { return main_ != nullptr; }

private:
    PellionStore store_;
    reglink::RegisterLink link_;
    std::unique_ptr<Main> main_;
    bool started_ = false;
};

} // namespace pellion
