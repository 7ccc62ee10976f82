// The raw register windows of pellion-eval and tessarine-eval, whose descriptions read their
// boxes by their own rule: any text in a box, sent with the box's Update button. A text the
// description's rule reads as a word goes out as exactly that word (over USB, or bit by bit
// through the parallel port, as the board chosen), and where the word goes through the
// program's raw register, that register holds it; any other text goes nowhere and says so. The
// rule itself: "0x", then 1 to 8 hexadecimal digits; or exactly the fixed text the window gives
// the box of a register without a read-out, which stands for its hexadecimal digits. Nothing is
// ever cut off a text to make it fit.
#include "fuzz/fuzzcheck.h"

#include "board/parllio.h"
#include "board/simulatedport.h"
#include "evalkit/rawregisterwindow.h"
#include "pellion/descriptions.h"
#include "pellion/frontpanel.h"
#include "pellion/pellionapp.h"
#include "tessarine/descriptions.h"
#include "tessarine/frontpanel.h"
#include "tessarine/tessarineapp.h"
#include "testing/recordingservices.h"
#include "testing/recordingskerry.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

#include <memory>
#include <optional>
#include <type_traits>

namespace {

bool isHexDigits(QStringView s) {
    if (s.isEmpty() || s.size() > 8)
        return false;
    for (QChar c : s) {
        const char16_t u = c.unicode();
        if (!((u >= u'0' && u <= u'9') || (u >= u'a' && u <= u'f') || (u >= u'A' && u <= u'F')))
            return false;
    }
    return true;
}

uint32_t hexValue(QStringView digits) {
    uint32_t word = 0;
    for (QChar c : digits) {
        const char16_t u = c.unicode();
        const uint32_t digit = u <= u'9' ? u - u'0' : (u | 0x20) - u'a' + 10;
        word = word * 16 + digit;
    }
    return word;
}

// The word a box's text stands for under the rule above, worked out digit by digit.
std::optional<uint32_t> expectedWord(const QString& text, const QString& fixedText) {
    if (!fixedText.isNull() && text == fixedText) {
        const QStringView digits =
            text.startsWith(QStringLiteral("0x")) ? QStringView(text).mid(2) : QStringView(text);
        return hexValue(digits);
    }
    if (!text.startsWith(QStringLiteral("0x")) || !isHexDigits(QStringView(text).mid(2)))
        return std::nullopt;
    return hexValue(QStringView(text).mid(2));
}

// The simulated port behind a port the program keeps for good: the simulated one records every
// byte, so each input gets a fresh one.
class RenewablePort : public board::Parllio {
public:
    explicit RenewablePort(const board::ChipProfile& chip) : chip_(chip) { renew(); }
    int32_t ClaimParallelPort(int32_t p, int32_t flag) override {
        return port_->ClaimParallelPort(p, flag);
    }
    void ReleaseParallelPort(int32_t p) override { port_->ReleaseParallelPort(p); }
    int32_t InByte(uint16_t address) override { return port_->InByte(address); }
    void OutByte(uint16_t address, int16_t value) override { port_->OutByte(address, value); }

    void renew() {
        port_ = std::make_unique<board::SimulatedPort>();
        port_->setChip(chip_);
    }
    const board::SimulatedPort& port() const { return *port_; }

private:
    board::ChipProfile chip_;
    std::unique_ptr<board::SimulatedPort> port_;
};

class Target {
public:
    virtual ~Target() = default;
    virtual int boxes() const = 0;
    virtual void send(bool parallel, int box, const QString& text) = 0;
};

// One program's context, kept for every input: the window is what is fuzzed, not the start-up.
template <class App> class TargetOf : public Target {
public:
    explicit TargetOf(const evalkit::RawRegisterDescription& description)
        : description_(description) {
        app = std::make_unique<App>(services.view(), usb, port);
        app->start();
        window = &app->frmRegisters();
    }

    int boxes() const override { return window->count(); }

    void send(bool parallel, int box, const QString& text) override {
        app->motherboardList()->setCurrentIndex(parallel ? 0 : 1);
        // The USB board takes words over an open link only.
        if (!parallel && !app->link().usbOpen())
            app->main().ConnectUSB->click();
        window->box(box)->setText(text);
        usb.clear();
        port.renew();
        services.messages.clear();
        window->cmdClick(box);

        const std::optional<uint32_t> expected =
            expectedWord(text, description_.boxes[size_t(box)].fixedText);
        FUZZ_CHECK(window->box(box)->text() == text);
        if (!expected) {
            FUZZ_CHECK(services.messages.messages.size() == 1);
            FUZZ_CHECK(usb.writtenWords().empty() && port.port().words().empty());
            return;
        }
        FUZZ_CHECK(services.messages.messages.empty());
        if constexpr (std::is_same_v<App, tessarine::TessarineApp>)
            FUZZ_CHECK(app->store().directRegisterBits() == expected); // sent through register 99
        if (parallel) {
            FUZZ_CHECK(usb.writtenWords().empty());
            FUZZ_CHECK(port.port().words().size() == 1 && port.port().words().front() == *expected);
            FUZZ_CHECK(port.port().malformed().empty());
        } else {
            FUZZ_CHECK(port.port().words().empty());
            FUZZ_CHECK(usb.writtenWords().size() == 1 && usb.writtenWords().front() == *expected);
        }
    }

private:
    const evalkit::RawRegisterDescription& description_;
    platform::RecordingServices services{App::programTitle()};
    board::RecordingSkerry usb;
    RenewablePort port{App::transport().chip};
    std::unique_ptr<App> app;
    evalkit::frmRegisters* window = nullptr;
};

Target* targets[2] = {};

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QApplication application(*argc, *argv);
    // Made after the application, so they go before it at the exit.
    static TargetOf<pellion::PellionApp> pellion(pellion::rawRegisterDescription());
    static TargetOf<tessarine::TessarineApp> tessarine(tessarine::rawRegisterDescription());
    targets[0] = &pellion;
    targets[1] = &tessarine;
    return 0;
}

// The first byte chooses the board (bit 7), the program (bit 6) and the box, the rest is the
// box's text (UTF-8).
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0)
        return 0;
    const bool parallel = data[0] & 0x80;
    Target& target = *targets[(data[0] >> 6) & 1];
    const int box = (data[0] & 0x3F) % target.boxes();
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data + 1),
                                           static_cast<qsizetype>(size - 1));
    target.send(parallel, box, text);
    return 0;
}
