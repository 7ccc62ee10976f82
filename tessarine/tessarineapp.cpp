#include "tessarine/tessarineapp.h"

#include "tessarine/descriptions.h"
#include "tessarine/model/transport.h"
#include "tessarine/windows.h"

namespace tessarine {

TessarineApp::TessarineApp(platform::PlatformServices services, board::Skerry& usb,
                           board::Parllio& port, reglink::OsVersionInfo os)
    : ProgramLife(services, usb, port, os) {}

const reglink::TransportDescription& TessarineApp::transport() {
    return tessarineTransport();
}

bool TessarineApp::writeDirectRegisterValue() {
    const std::optional<uint32_t> bits = store().directRegisterBits();
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

// Each window: how it is made.
tessarine::synthform& TessarineApp::synthform() {
    return window<tessarine::synthform>([this] { return new tessarine::synthform(*this); });
}
tessarine::frmOtherFeatures& TessarineApp::frmOtherFeatures() {
    return window<tessarine::frmOtherFeatures>(
        [this] { return new tessarine::frmOtherFeatures(*this); });
}
tessarine::BiasWindow& TessarineApp::biasWindow() {
    return window<tessarine::BiasWindow>([this] { return new tessarine::BiasWindow(*this); });
}
tessarine::frmTestModes& TessarineApp::frmTestModes() {
    return window<tessarine::frmTestModes>([this] { return new tessarine::frmTestModes(*this); });
}
evalkit::muxform& TessarineApp::muxform() {
    return window<evalkit::muxform>(
        [this] { return new evalkit::muxform(*this, muxoutChoices(), main().LblMuxOut); });
}
evalkit::frmClockOut& TessarineApp::frmClockOut() {
    return window<evalkit::frmClockOut>([this] {
        return new evalkit::frmClockOut(*this, clockOutDescription(), main().LblClockout,
                                        [this] { return w().CrystalFrequencyMHz; });
    });
}
evalkit::frmRegisters& TessarineApp::frmRegisters() {
    return window<evalkit::frmRegisters>([this] {
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
    return window<evalkit::portform>([this] { return new evalkit::portform(portTexts(), w()); });
}
evalkit::aboutform& TessarineApp::aboutform() {
    return window<evalkit::aboutform>([] { return new evalkit::aboutform(aboutTexts()); });
}
evalkit::revform& TessarineApp::revform() {
    return window<evalkit::revform>([] { return new evalkit::revform(revisionHistory()); });
}
evalkit::IBMhelpform& TessarineApp::IBMhelpform() {
    return window<evalkit::IBMhelpform>([] { return new evalkit::IBMhelpform; });
}

} // namespace tessarine

template class evalkit::ProgramLife<tessarine::TessarineApp, tessarine::TessarineStore,
                                    tessarine::Main>;
