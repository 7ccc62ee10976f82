#pragma once
// The program context of tessarine-eval: it owns the register field store, the board link, the
// platform services and every window. Nothing of the program lives outside it, so tests build
// a fresh one per test.
#include "board/parllio.h"
#include "board/skerry.h"
#include "evalkit/programcontext.h"
#include "link/registerlink.h"
#include "tessarine/model/registerstore.h"

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
} // namespace evalkit

namespace tessarine {

class Main;
class synthform;
class frmOtherFeatures;
class frmPowerdown;
class frmTestModes;

class TessarineApp : public evalkit::ProgramContext {
public:
    TessarineApp(platform::PlatformServices services, board::Skerry& usb, board::Parllio& port,
                 reglink::OsVersionInfo os = reglink::currentOsVersion());
    ~TessarineApp() override;

    static QString programTitle() { return QStringLiteral("tessarine-eval"); }
    static const reglink::TransportDescription& transport();

    // Creates the main window and runs its load handler once; returns it shown or not as the
    // caller decides.
    Main& start(const QStringList& arguments = {});

    TessarineStore& store() { return store_; }
    TessarineFields& f() { return store_.f; }
    TessarineWorking& w() { return store_.w; }
    reglink::RegisterLink& link() override { return link_; }

    // The read-out refresh of every field handler: all four words rebuilt, shown and marked
    // against the words last written.
    void fnGuiWrite() { UpdateAllRegisterLabels(); }
    // Writes DirectRegisterValue through the raw register 99 as the signed 32-bit word it
    // holds; a value that is no such word is refused with a message before anything goes out.
    bool writeDirectRegisterValue();

    // The front panel, created on first reference.
    Main& main();

    // Windows, created hidden and loaded on first reference.
    tessarine::synthform& synthform();
    tessarine::frmOtherFeatures& frmOtherFeatures();
    tessarine::frmPowerdown& frmPowerdown();
    tessarine::frmTestModes& frmTestModes();
    evalkit::muxform& muxform();
    evalkit::frmClockOut& frmClockOut();
    evalkit::frmRegisters& frmRegisters();
    evalkit::portform& portform();
    evalkit::aboutform& aboutform();
    evalkit::revform& revform();
    evalkit::IBMhelpform& IBMhelpform();

    // LinkHost: the four read-outs of the front panel.
    reglink::RegisterReadout* readoutLabel(int n) override;
    QComboBox* motherboardList() const override;

protected:
    bool mainLoaded() const override { return main_ != nullptr; }

private:
    TessarineStore store_;
    reglink::RegisterLink link_;
    std::unique_ptr<Main> main_;
    bool started_ = false;
};

} // namespace tessarine
