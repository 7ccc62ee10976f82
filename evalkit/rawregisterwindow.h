#pragma once
// The raw register window: register words as hexadecimal text, each of which can be edited and
// sent to the chip on its own, past the register field store (the front panel is not updated,
// as the window's warning says). Each program describes its boxes, texts and how a word goes
// out.
#include "platform/form.h"

#include <QString>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

class QLabel;
class QLineEdit;
class QPushButton;

namespace evalkit {

class ProgramContext;

struct RawRegisterDescription {
    struct Box {
        QString caption;            // the label beside the box
        QString designText;         // what the box holds before the load
        std::optional<int> readout; // the register whose read-out fills the box at load
        QString fixedText;          // what the load puts into a box without a read-out
    };
    std::vector<Box> boxes; // box n is Text<n> with button cmd<n> "Update <n>"
    QString warning;        // the warning label
    // Read-out captions that hold no word yet: such a box keeps its design text.
    std::vector<QString> neverRefreshed{QStringLiteral("0xZZZZZZ"), QStringLiteral("ZZZZZZh")};
    // A word goes out through the program's raw register 99, or straight over the chosen
    // board.
    bool throughRawRegister = false;
    // An "Update All" button that sends every box in order.
    bool updateAll = false;
    QString updateAllToolTip;

    // The one form a box's text is read in: "0x" and 1 to 8 hexadecimal digits, read as an
    // unsigned 32-bit pattern. Nothing is ever cut off a text to make it fit: a text in any
    // other form is refused.
    static std::optional<uint32_t> hexWordAfterPrefix(const QString& text);
};

// What the window needs of the program beyond the description.
struct RawRegisterHooks {
    // Writes a word through the program's raw register 99 (throughRawRegister), keeping it
    // where the program keeps the word typed; without it the word goes to the raw register as
    // it is.
    std::function<void(uint32_t)> writeRawWord;
};

class frmRegisters : public platform::Form {
    Q_OBJECT
public:
    static constexpr char DesignName[] = "frmRegisters";
    frmRegisters(ProgramContext& app, const RawRegisterDescription& description,
                 RawRegisterHooks hooks = {});

    void Form_Load() override;

    // Sends box n's word to the chip.
    void cmdClick(int n);
    void cmdUpdateAll_Click();
    void cmdReturn_Click();

    // Kept from the window's tool box; no control of the program calls them.
    // The value of a text of 1 to 8 hexadecimal digits (either case); nullopt for anything
    // else.
    static std::optional<double> HexTextToValue(const QString& digits);
    // Sends every box in register order.
    void WriteAllRegisterTexts();

    int count() const { return int(boxes_.size()); }
    QLineEdit* box(int n) const { return boxes_.at(size_t(n)); }
    QPushButton* button(int n) const { return buttons_.at(size_t(n)); }

    QPushButton* cmdReturn;
    QPushButton* cmdUpdateAll = nullptr;
    QLabel* warning; // Label14

protected:
    void closeBox() override { cmdReturn_Click(); }

private:
    void send(uint32_t bits);

    ProgramContext& app_;
    const RawRegisterDescription& d_;
    RawRegisterHooks hooks_;
    std::vector<QLineEdit*> boxes_;
    std::vector<QPushButton*> buttons_;
};

} // namespace evalkit
