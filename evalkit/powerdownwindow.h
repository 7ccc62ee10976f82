#pragma once
// The power-down window ("Power Down"): one switch per receiver and synthesizer block. The
// switches only set the blocks' enable fields; "Load Now" shows the words they make, and
// nothing is written. The chips keep the enables at other bits and not all have every block's
// switch; each program describes its own.
#include "evalkit/fieldref.h"
#include "platform/form.h"
#include "platform/toggle.h"

#include <QString>

#include <optional>
#include <vector>

class QGroupBox;
class QPushButton;

namespace evalkit {

class ProgramContext;

struct PowerDownDescription {
    struct Switch {
        const char* name;  // TogSynth, TogVCO, ...
        QString caption;   // beside the switch
        const char* field; // the block's enable: code 1 while the switch is on
        bool onAtLoad = true;
    };
    // From the top of the frame down.
    std::vector<Switch> switches;

    // The block switches of the transceivers' register 8, which both chips lay out alike: the
    // synthesizer, then `vcoSwitch` on a chip with a VCO enable of its own, then the receive
    // chain and the internal Tx/Rx switch (off at the load).
    static PowerDownDescription transceiver(std::optional<Switch> vcoSwitch);
};

class PowerDownWindow : public platform::Form {
    Q_OBJECT
public:
    static constexpr char DesignName[] = "frmPowerD";
    PowerDownWindow(ProgramContext& app, const PowerDownDescription& description);

    // Every switch to its start position, each field matching its switch.
    void Form_Load() override;
    void loadNow_Click();       // Load Now
    void returnToPanel_Click(); // Return to Front Panel

    QGroupBox* blocksFrame; // Frame1, "Individual Block Power Down"
    // The switches the chip has, by their design names; nullptr for a block it has none for.
    platform::Toggle *TogSynth = nullptr, *TogLNA = nullptr, *TogFilter = nullptr,
                     *TogDemod = nullptr, *TogLogAMP = nullptr, *TogTXRXSwitch = nullptr,
                     *TogVCO = nullptr;
    QPushButton* loadNow;       // Command3
    QPushButton* returnToPanel; // Command1

private:
    struct Block {
        platform::Toggle* toggle;
        FieldRef field;
        bool onAtLoad;
    };
    void switchChanged(Block& block);
    platform::Toggle** member(const char* name);

    ProgramContext& app_;
    const PowerDownDescription& d_;
    std::vector<Block> blocks_;
};

} // namespace evalkit
