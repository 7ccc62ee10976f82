#include "pellion/pellionapp.h"

#include "pellion/model/transport.h"
#include "pellion/windows.h"

#include <QComboBox>

namespace pellion {

PellionApp::PellionApp(platform::PlatformServices services, board::Skerry& usb,
                       board::Parllio& port, reglink::OsVersionInfo os)
    : evalkit::ProgramContext(services),
      link_(pellionTransport(), store_, store_.w, usb, port, *this, os) {}

PellionApp::~PellionApp() {
    // Secondary windows go first: none of them outlives the panel it touches.
    destroyWindows();
    main_.reset();
}

const reglink::TransportDescription& PellionApp::transport() {
    return pellionTransport();
}

Main& PellionApp::start(const QStringList& arguments) {
    if (!started_) {
        started_ = true;
        main().Form_Load(arguments);
    }
    return *main_;
}

Main& PellionApp::main() {
    if (!main_)
        main_ = std::make_unique<Main>(*this);
    return *main_;
}

pellion::synthform& PellionApp::synthform() {
    return window<pellion::synthform>(QStringLiteral("synthform"),
                                      [this] { return new pellion::synthform(*this); });
}

reglink::RegisterReadout* PellionApp::readoutLabel(int n) {
    return main().readout(n);
}

QComboBox* PellionApp::motherboardList() const {
    return main_ ? main_->cmbMB : nullptr;
}

} // namespace pellion
