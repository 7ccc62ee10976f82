#pragma once
// The program context of pellion-eval: the register field store, the board link and the front
// panel as every program has them (evalkit/programlife.h), and one accessor per window.
// Nothing of the program lives outside it, so tests build a fresh one per test.
#include "board/parllio.h"
#include "board/skerry.h"
#include "evalkit/programlife.h"
#include "evalkit/sharedwindows.h"
#include "pellion/model/registerstore.h"

namespace pellion {

class Main;
class synthform;
class frmDemod;
class frmGFSK;
class frmTestModes;
class PellionApp;

} // namespace pellion

extern template class evalkit::ProgramLife<pellion::PellionApp, pellion::PellionStore,
                                           pellion::Main>;

namespace pellion {

class PellionApp : public evalkit::ProgramLife<PellionApp, PellionStore, Main> {
public:
    PellionApp(platform::PlatformServices services, board::Skerry& usb, board::Parllio& port,
               reglink::OsVersionInfo os = reglink::currentOsVersion());

    static QString programTitle() { return QStringLiteral("pellion-eval"); }
    static const reglink::TransportDescription& transport();

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
    evalkit::BiasWindow& biasWindow();
    // No control opens these three.
    pellion::frmTestModes& frmTestModes();
    evalkit::frmPARamp& frmPARamp();
    evalkit::PowerDownWindow& powerDownWindow();
};

} // namespace pellion
