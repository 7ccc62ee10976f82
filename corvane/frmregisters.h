#pragma once
// The raw register window: every register word as hexadecimal text, each of which can be
// edited and sent to the chip on its own, past the register field store (the front panel is
// not updated, as the window's warning says).
#include "link/registerreadout.h"
#include "platform/form.h"
#include "platform/toggle.h"

#include <QString>
#include <array>
#include <cstdint>
#include <optional>

class QLabel;
class QLineEdit;
class QPushButton;

namespace corvane {

class CorvaneApp;

class frmRegisters : public platform::Form {
    Q_OBJECT
public:
    static constexpr int RegisterCount = 16;

    explicit frmRegisters(CorvaneApp& app);

    void Form_Load() override;

    // Sends box n's word to the chip over the chosen board.
    void cmdClick(int n);
    void cmd0_Click() { cmdClick(0); }
    void cmd1_Click() { cmdClick(1); }
    void cmd2_Click() { cmdClick(2); }
    void cmd3_Click() { cmdClick(3); }
    void cmd4_Click() { cmdClick(4); }
    void cmd5_Click() { cmdClick(5); }
    void cmd6_Click() { cmdClick(6); }
    void cmd7_Click() { cmdClick(7); }
    void cmd8_Click() { cmdClick(8); }
    void cmd9_Click() { cmdClick(9); }
    void cmd10_Click() { cmdClick(10); }
    void cmd11_Click() { cmdClick(11); }
    void cmd12_Click() { cmdClick(12); }
    void cmd13_Click() { cmdClick(13); }
    void cmd14_Click() { cmdClick(14); }
    void cmd15_Click() { cmdClick(15); }
    void cmdReturn_Click();

    // Kept from the window's tool box; no control of the program calls them.
    // The value of a text of 1 to 8 hexadecimal digits (either case); nullopt for anything
    // else.
    static std::optional<double> HexTextToValue(const QString& digits);
    // Sends every box in register order.
    void WriteAllRegisterTexts();
    // Opens the register save window.
    void ShowSaveWindow();

    // A box's text as the word it stands for: "0x" and 1 to 8 hexadecimal digits, read as
    // an unsigned 32-bit pattern. Anything else gives nullopt.
    static std::optional<uint32_t> registerWordBits(const QString& text);

    // The box of register n (0 to 15).
    QLineEdit* box(int n) const { return boxes_.at(static_cast<size_t>(n)); }

    QLineEdit *Text0, *Text1, *Text2, *Text3, *Text4, *Text5, *Text6, *Text7, *Text8, *Text9,
        *Text10, *Text11, *Text12, *Text13, *Text14, *Text15;
    QPushButton *cmd0, *cmd1, *cmd2, *cmd3, *cmd4, *cmd5, *cmd6, *cmd7, *cmd8, *cmd9, *cmd10,
        *cmd11, *cmd12, *cmd13, *cmd14, *cmd15;
    QPushButton* cmdReturn;
    QLabel* Label14;

protected:
    void closeBox() override { cmdReturn_Click(); }

private:
    void send(uint32_t bits);

    CorvaneApp& app_;
    std::array<QLineEdit*, RegisterCount> boxes_{};
    std::array<QPushButton*, RegisterCount> buttons_{};
};

} // namespace corvane
