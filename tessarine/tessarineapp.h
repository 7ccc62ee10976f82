#pragma once
// The program context of tessarine-eval: the register field store, the board link and the
// front panel as every program has them (evalkit/programlife.h), one accessor per window, and
// the check of a raw word before it goes out. Nothing of the program lives outside it, so tests
// build a fresh one per test.
#include "board/parllio.h"
#include "board/skerry.h"
#include "evalkit/programlife.h"
#include "evalkit/sharedwindows.h"
#include "tessarine/model/registerstore.h"

namespace tessarine {

class Main;
class synthform;
class frmOtherFeatures;
class BiasWindow;
class frmTestModes;
class TessarineApp;

} // namespace tessarine

extern template class evalkit::ProgramLife<tessarine::TessarineApp, tessarine::TessarineStore,
                                           tessarine::Main>;

namespace tessarine {

class TessarineApp : public evalkit::ProgramLife<TessarineApp, TessarineStore, Main> {
public:
    TessarineApp(platform::PlatformServices services, board::Skerry& usb, board::Parllio& port,
                 reglink::OsVersionInfo os = reglink::currentOsVersion());

    static QString programTitle() { return QStringLiteral("tessarine-eval"); }
    static const reglink::TransportDescription& transport();

    // The read-out refresh of every field handler: all four words rebuilt, shown and marked
    // against the words last written.
    void fnGuiWrite() { UpdateAllRegisterLabels(); }
    // Writes DirectRegisterValue through the raw register 99 as the signed 32-bit word it
    // holds; a value that is no such word is refused with a message before anything goes out.
    bool writeDirectRegisterValue();

    // Windows, created hidden and loaded on first reference.
    tessarine::synthform& synthform();
    tessarine::frmOtherFeatures& frmOtherFeatures();
    tessarine::BiasWindow& biasWindow();
    tessarine::frmTestModes& frmTestModes();
    evalkit::muxform& muxform();
    evalkit::frmClockOut& frmClockOut();
    evalkit::frmRegisters& frmRegisters();
    evalkit::portform& portform();
    evalkit::aboutform& aboutform();
    evalkit::revform& revform();
    evalkit::IBMhelpform& IBMhelpform();
};

} // namespace tessarine
