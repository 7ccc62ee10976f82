#include "testing/recordingskerry.h"

#include "board/calltext.h"

namespace board {

int32_t RecordingSkerry::rpc_initialise_vb() {
    record(Kind::Initialise, 0, initResult_, calltext::rpcInitialiseVb(initResult_));
    return initResult_;
}

void RecordingSkerry::sched_initialise_target() {
    record(Kind::InitialiseTarget, 0, 0, calltext::schedInitialiseTarget());
}

void RecordingSkerry::dd_pellion_chip_sel(int32_t select) {
    record(Kind::ChipSelect, select, 0, calltext::chipSel(select));
}

void RecordingSkerry::dd_write_pellion_reg(int32_t& word) {
    record(Kind::WriteRegister, word, 0, calltext::writeReg(word));
}

int32_t RecordingSkerry::dd_read_pellion_reg(int16_t selection) {
    const auto found = answers_.find(selection);
    const int32_t answer = found == answers_.end() ? 0 : found->second;
    record(Kind::ReadRegister, selection, answer, calltext::readReg(selection, answer));
    return answer;
}

void RecordingSkerry::rpc_shutdown() {
    record(Kind::Shutdown, 0, 0, calltext::rpcShutdown());
}

std::vector<uint32_t> RecordingSkerry::writtenWords() const {
    std::vector<uint32_t> words;
    for (const Call& call : calls_) {
        if (call.kind == Kind::WriteRegister)
            words.push_back(static_cast<uint32_t>(call.argument));
    }
    return words;
}

void RecordingSkerry::clear() {
    lines_.clear();
    calls_.clear();
}

void RecordingSkerry::record(Kind kind, int32_t argument, int32_t result, const QString& line) {
    calls_.push_back({kind, argument, result});
    lines_.push_back(line);
}

} // namespace board
