#pragma once
// What the chip puts on its MUXOUT pin: the 3-bit code of MuxoutField in
// Register 0. The window only sets the field and the front panel's caption;
// Register 0 goes to the chip from the front panel's Update button.
#include "platform/form.h"

#include <array>

class QPushButton;
class QRadioButton;

namespace corvane {

class CorvaneApp;

class muxform : public platform::Form {
    Q_OBJECT
public:
    explicit muxform(CorvaneApp& app);

    void Form_Load() override;
    // Stores the chosen code and names it on the front panel's LblMuxOut;
    // with no option chosen it leaves both alone.
    void UpdateMux();
    void Command1_Click();

    // One option per MUXOUT code k (0..7).
    QRadioButton *lblmux0, *lblmux1, *lblmux2, *lblmux3, *lblmux4, *lblmux5, *lblmux6, *lblmux7;
    QPushButton* Command1;

protected:
    // Closing the window keeps the choice, as the return button does.
    void closeBox() override { Command1_Click(); }

private:
    std::array<QRadioButton*, 8> options() const;

    CorvaneApp& app_;
};

} // namespace corvane
