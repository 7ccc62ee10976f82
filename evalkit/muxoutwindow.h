#pragma once
// What the chip puts on its MUXOUT pin: the code of the chip's mux-out field. The window only
// sets the field and the front panel's caption; the register goes to the chip from the front
// panel's Update button.
#include "evalkit/fieldref.h"
#include "platform/form.h"

#include <QStringList>
#include <vector>

class QLabel;
class QPushButton;
class QRadioButton;

namespace evalkit {

class ProgramContext;

struct MuxoutChoices {
    const char* field = "MuxoutField"; // the field that holds the code
    QStringList captions;              // option k stands for code k
    // Closing the window keeps the choice, as the return button does; otherwise closing keeps
    // the value the field had.
    bool closeBoxKeepsChoice = true;
};

class muxform : public platform::Form {
    Q_OBJECT
public:
    static constexpr char DesignName[] = "muxform";
    // frontPanelLabel: LblMuxOut, which names the chosen code.
    muxform(ProgramContext& app, const MuxoutChoices& choices, QLabel* frontPanelLabel);

    void Form_Load() override;
    // Stores the chosen code and names it on the front panel; with no option chosen it leaves
    // both alone.
    void UpdateMux();
    void returnToPanel_Click();

    // A settings file's choice of code `code`, stored and named as UpdateMux does.
    void applySetting(int code);

    // One option per code (lblmux(k) of the design).
    std::vector<QRadioButton*> lblmux;
    QPushButton* returnToPanel; // Command1

protected:
    void closeBox() override;

private:
    ProgramContext& app_;
    const MuxoutChoices& choices_;
    FieldRef field_;
    QLabel* frontPanelLabel_;
};

} // namespace evalkit
