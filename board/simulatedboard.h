#pragma once

#include "board/chipprofile.h"
#include "board/skerry.h"

#include <QString>
#include <algorithm>
#include <array>
#include <map>
#include <optional>
#include <vector>

namespace board {

class BoardLog;

// The default USB back end: an evaluation board on the far side of a simulated link. Calls made
// while the link is closed are accepted (and logged) but do not reach the chip: its register
// words and chip select stay as they were, and a readback answers 0. Over an open link the
// chip answers each readback as its profile says.
class SimulatedBoard : public Skerry {
public:
    // What a selection the chip profile lists no answer for reads.
    static constexpr int32_t kDefaultReadbackAnswer = ChipProfile::SimulatedAnswer;

    explicit SimulatedBoard(BoardLog* log = nullptr) : log_(log) {}

    // The chip's register numbering; the Corvane layout (bits 3..0) until told otherwise.
    void setChip(const ChipProfile& chip) {
        chip_ = chip;
        chip_.registerNumberBits = std::clamp(chip.registerNumberBits, 1, 4);
    }
    const ChipProfile& chip() const { return chip_; }

    int32_t rpc_initialise_vb() override;
    void sched_initialise_target() override;
    void dd_pellion_chip_sel(int32_t select) override;
    void dd_write_pellion_reg(int32_t& word) override;
    int32_t dd_read_pellion_reg(int16_t selection) override;
    void rpc_shutdown() override;

    // What rpc_initialise_vb returns; the link opens only on 1.
    void setInitResult(int32_t result) { initResult_ = result; }
    // An answer set here overrides the chip profile's for that selection.
    void setReadbackAnswer(int16_t selection, int32_t value) { answers_[selection] = value; }
    int32_t readbackAnswer(int16_t selection) const;

    bool linkOpen() const { return linkOpen_; }
    bool targetInitialised() const { return targetInitialised_; }
    bool chipSelected() const { return chipSelected_; }
    // The last word that reached register reg (its number taken from the word's low bits as
    // the chip profile says).
    std::optional<uint32_t> lastWord(int reg) const;
    // Every word that reached the chip, in order.
    const std::vector<uint32_t>& writes() const { return writes_; }

private:
    void log(const QString& line);

    BoardLog* log_;
    ChipProfile chip_;
    int32_t initResult_ = 1;
    bool linkOpen_ = false;
    bool targetInitialised_ = false;
    bool chipSelected_ = false;
    std::map<int16_t, int32_t> answers_;
    std::array<std::optional<uint32_t>, 16> lastWords_{};
    std::vector<uint32_t> writes_;
};

} // namespace board
