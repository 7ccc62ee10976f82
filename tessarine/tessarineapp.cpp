#include "tessarine/tessarineapp.h"

#include "tessarine/descriptions.h"
#include "tessarine/model/transport.h"
#include "tessarine/windows.h"

#include <QComboBox>

namespace tessarine {

TessarineApp::TessarineApp(platform::PlatformServices services, board::Skerry& usb,
                           board::Parllio& port, reglink::OsVersionInfo os)
    : evalkit::ProgramContext(services),
      link_(tessarineTransport(), store_, store_.w, usb, port, *this, os) {}

TessarineApp::~TessarineApp() {
    // Secondary windows go first: none of them outlives the panel it touches.
    destroyWindows();
    main_.reset();
}

const reglink::TransportDescription& TessarineApp::transport() {
    return tessarineTransport();
}

Main& TessarineApp::start(const QStringList& arguments) {
    if (!started_) {
        started_ = true;
        main().Form_Load(arguments);
    }
    return *main_;
}

Main& TessarineApp::main() {
    if (!main_)
        main_ = std::make_unique<Main>(*this);
    return *main_;
}

bool TessarineApp::writeDirectRegisterValue() {
    const std::optional<uint32_t> bits = store_.directRegisterBits();
    if (!bits) {
        // The chip would get some other word than the one typed.
        messages().message(QStringLiteral("The register word is outside the range of a 32-bit "
                                          "register (-2147483648 to 2147483647). Nothing was "
                                          "written."),
                           platform::MsgIcon::Exclamation);
        return false;
    }
    return writeRawWord(*bits);
}

// Each window: its name, and how it is made.
tessarine::synthform& TessarineApp::synthform() {
    return window<tessarine::synthform>(QStringLiteral("synthform"),
                                        [this] { return new tessarine::synthform(*this); });
}
tessarine::frmOtherFeatures& TessarineApp::frmOtherFeatures() {
    return window<tessarine::frmOtherFeatures>(QStringLiteral("frmOtherFeatures"), [this] {
        return new tessarine::frmOtherFeatures(*this);
    });
}
tessarine::frmPowerdown& TessarineApp::frmPowerdown() {
    return window<tessarine::frmPowerdown>(QStringLiteral("frmPowerdown"),
                                           [this] { return new tessarine::frmPowerdown(*this); });
}
tessarine::frmTestModes& TessarineApp::frmTestModes() {
    return window<tessarine::frmTestModes>(QStringLiteral("frmTestModes"),
                                           [this] { return new tessarine::frmTestModes(*this); });
}
evalkit::muxform& TessarineApp::muxform() {
    return window<evalkit::muxform>(QStringLiteral("muxform"), [this] {
        return new evalkit::muxform(*this, muxoutChoices(), main().LblMuxOut);
    });
}
evalkit::frmClockOut& TessarineApp::frmClockOut() {
    return window<evalkit::frmClockOut>(QStringLiteral("frmClockOut"), [this] {
        return new evalkit::frmClockOut(*this, clockOutDescription(), main().LblClockout,
                                        [this] { return w().CrystalFrequencyMHz; });
    });
}
evalkit::frmRegisters& TessarineApp::frmRegisters() {
    return window<evalkit::frmRegisters>(QStringLiteral("frmRegisters"), [this] {
        evalkit::RawRegisterHooks hooks;
        // The raw register sends DirectRegisterValue, which holds the word as the signed
        // 32-bit value with its bits.
        hooks.writeRawWord = [this](uint32_t bits) {
            w().DirectRegisterValue = registerWordValue(bits);
            writeDirectRegisterValue();
        };
        return new evalkit::frmRegisters(*this, rawRegisterDescription(), std::move(hooks));
    });
}
evalkit::portform& TessarineApp::portform() {
    return window<evalkit::portform>(QStringLiteral("portform"),
                                     [this] { return new evalkit::portform(portTexts(), w()); });
}
evalkit::aboutform& TessarineApp::aboutform() {
    return window<evalkit::aboutform>(QStringLiteral("aboutform"),
                                      [] { return new evalkit::aboutform(aboutTexts()); });
}
evalkit::revform& TessarineApp::revform() {
    return window<evalkit::revform>(QStringLiteral("revform"),
                                    [] { return new evalkit::revform(revisionHistory()); });
}
evalkit::IBMhelpform& TessarineApp::IBMhelpform() {
    return window<evalkit::IBMhelpform>(QStringLiteral("IBMhelpform"),
                                        [] { return new evalkit::IBMhelpform; });
}

reglink::RegisterReadout* TessarineApp::readoutLabel(int n) {
    return main().readout(n);
}

QComboBox* TessarineApp::motherboardList() const {
    return main_ ? main_->cmbMB : nullptr;
}

} // namespace tessarine
