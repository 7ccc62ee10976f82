#include "board/simulatedboard.h"

#include "board/boardlog.h"
#include "board/calltext.h"

namespace board {

int32_t SimulatedBoard::rpc_initialise_vb() {
    linkOpen_ = initResult_ == 1;
    log(calltext::rpcInitialiseVb(initResult_));
    return initResult_;
}

void SimulatedBoard::sched_initialise_target() {
    if (linkOpen_)
        targetInitialised_ = true;
    log(calltext::schedInitialiseTarget());
}

void SimulatedBoard::dd_pellion_chip_sel(int32_t select) {
    if (linkOpen_)
        chipSelected_ = select != 0;
    log(calltext::chipSel(select));
}

void SimulatedBoard::dd_write_pellion_reg(int32_t& word) {
    const auto bits = static_cast<uint32_t>(word);
    if (linkOpen_) {
        writes_.push_back(bits);
        lastWords_[static_cast<size_t>(chip_.registerOf(bits))] = bits;
    }
    log(calltext::writeReg(word));
}

int32_t SimulatedBoard::dd_read_pellion_reg(int16_t selection) {
    const int32_t answer = linkOpen_ ? readbackAnswer(selection) : 0;
    log(calltext::readReg(selection, answer));
    return answer;
}

void SimulatedBoard::rpc_shutdown() {
    linkOpen_ = false;
    targetInitialised_ = false;
    log(calltext::rpcShutdown());
}

int32_t SimulatedBoard::readbackAnswer(int16_t selection) const {
    const auto found = answers_.find(selection);
    return found == answers_.end() ? chip_.answerTo(selection) : found->second;
}

std::optional<uint32_t> SimulatedBoard::lastWord(int reg) const {
    if (reg < 0 || reg >= chip_.registerCount())
        return std::nullopt;
    return lastWords_[static_cast<size_t>(reg)];
}

void SimulatedBoard::log(const QString& line) {
    if (log_)
        log_->write(line);
}

} // namespace board
