#pragma once

#include "board/skerry.h"

#include <QString>
#include <map>
#include <vector>

namespace board {

// A USB back end for tests of the callers: records every call in order, both as the text line
// the board log would show and as data, and answers from a script.
class RecordingSkerry : public Skerry {
public:
    enum class Kind {
        Initialise,
        InitialiseTarget,
        ChipSelect,
        WriteRegister,
        ReadRegister,
        Shutdown
    };
    struct Call {
        Kind kind;
        int32_t argument; // select, word or selection; 0 for calls without one
        int32_t result;   // what the call returned; 0 for calls without a result
    };

    int32_t rpc_initialise_vb() override;
    void sched_initialise_target() override;
    void dd_pellion_chip_sel(int32_t select) override;
    void dd_write_pellion_reg(int32_t& word) override;
    int32_t dd_read_pellion_reg(int16_t selection) override;
    void rpc_shutdown() override;

    // What rpc_initialise_vb returns (1 by default).
    void setInitResult(int32_t result) { initResult_ = result; }
    // What dd_read_pellion_reg returns for a selection (0 when not set).
    void setReadbackAnswer(int16_t selection, int32_t value) { answers_[selection] = value; }

    const std::vector<QString>& lines() const { return lines_; }
    const std::vector<Call>& calls() const { return calls_; }
    // The words passed to dd_write_pellion_reg, as bit patterns.
    std::vector<uint32_t> writtenWords() const;
    void clear();

private:
    void record(Kind kind, int32_t argument, int32_t result, const QString& line);

    int32_t initResult_ = 1;
    std::map<int16_t, int32_t> answers_;
    std::vector<QString> lines_;
    std::vector<Call> calls_;
};

} // namespace board
