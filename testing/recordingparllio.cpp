#include "testing/recordingparllio.h"

#include "board/calltext.h"

#include <utility>

namespace board {

int32_t RecordingParllio::ClaimParallelPort(int32_t port, int32_t flag) {
    record(Kind::Claim, port, flag, claimResult_, calltext::claimPort(port, claimResult_));
    return claimResult_;
}

void RecordingParllio::ReleaseParallelPort(int32_t port) {
    record(Kind::Release, port, 0, 0, calltext::releasePort(port));
}

int32_t RecordingParllio::InByte(uint16_t address) {
    if (fails())
        return 0;
    int32_t result = 0;
    const auto found = inAnswers_.find(address);
    if (found != inAnswers_.end() && !found->second.answers.empty()) {
        Script& script = found->second;
        result = script.answers[script.next];
        if (script.next + 1 < script.answers.size())
            ++script.next;
    }
    record(Kind::InByte, address, 0, result, calltext::inByte(address, result));
    return result;
}

void RecordingParllio::OutByte(uint16_t address, int16_t value) {
    if (fails())
        return;
    record(Kind::OutByte, address, value, 0, calltext::outByte(address, value));
}

void RecordingParllio::setInByteAnswers(uint16_t address, std::vector<int32_t> answers) {
    inAnswers_[address] = Script{std::move(answers), 0};
}

void RecordingParllio::failAfter(size_t working, QString why) {
    workingCalls_ = working;
    why_ = std::move(why);
}

void RecordingParllio::heal() {
    workingCalls_.reset();
}

bool RecordingParllio::fails() {
    if (!workingCalls_)
        return false;
    if (*workingCalls_ > 0) {
        --*workingCalls_;
        return false;
    }
    ++failedCalls_;
    if (failure_.isEmpty())
        failure_ = why_;
    return true;
}

std::vector<int32_t> RecordingParllio::outBytesTo(uint16_t address) const {
    std::vector<int32_t> values;
    for (const Call& call : calls_) {
        if (call.kind == Kind::OutByte && call.port == address)
            values.push_back(call.value);
    }
    return values;
}

void RecordingParllio::clear() {
    lines_.clear();
    calls_.clear();
}

void RecordingParllio::record(Kind kind, int32_t port, int32_t value, int32_t result,
                              const QString& line) {
    calls_.push_back({kind, port, value, result});
    lines_.push_back(line);
}

} // namespace board
