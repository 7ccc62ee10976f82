#pragma once

#include "board/parllio.h"

#include <QString>
#include <map>
#include <optional>
#include <vector>

namespace board {

// A parallel back end for tests of the callers: records every call in order, as a text line
// ("ClaimParallelPort 1 -> 1", "ReleaseParallelPort 1", "OutByte 888 8", "InByte 889 -> 16")
// and as data, and answers from a script. It can be taught to fail as a port whose device goes
// away: the byte calls that fail are not recorded (they reached no port), only counted.
class RecordingParllio : public Parllio {
public:
    enum class Kind { Claim, Release, InByte, OutByte };
    struct Call {
        Kind kind;
        int32_t port;   // port number (claim, release) or I/O address (InByte, OutByte)
        int32_t value;  // the claim flag or the OutByte value; 0 otherwise
        int32_t result; // what the call returned; 0 for calls without a result
    };

    int32_t ClaimParallelPort(int32_t port, int32_t flag) override;
    void ReleaseParallelPort(int32_t port) override;
    int32_t InByte(uint16_t address) override;
    void OutByte(uint16_t address, int16_t value) override;

    // What ClaimParallelPort returns (1 by default).
    void setClaimResult(int32_t result) { claimResult_ = result; }
    // Successive InByte calls on address return these in turn; the last one then repeats.
    // Addresses without answers read 0.
    void setInByteAnswers(uint16_t address, std::vector<int32_t> answers);

    // The next `working` InByte and OutByte calls reach the port; every one after them fails
    // with `why` (e.g. "/dev/parport0: No such device"), InByte reading 0, until heal().
    void failAfter(size_t working, QString why);
    void heal();
    // InByte and OutByte calls that failed.
    size_t failedCalls() const { return failedCalls_; }
    QString failure() const override { return failure_; }
    void clearFailure() override { failure_.clear(); }

    const std::vector<QString>& lines() const { return lines_; }
    const std::vector<Call>& calls() const { return calls_; }
    // The values passed to OutByte for one address, in order.
    std::vector<int32_t> outBytesTo(uint16_t address) const;
    void clear();

private:
    struct Script {
        std::vector<int32_t> answers;
        size_t next = 0;
    };

    void record(Kind kind, int32_t port, int32_t value, int32_t result, const QString& line);
    // Whether this byte call fails; a failure is kept until cleared.
    bool fails();

    int32_t claimResult_ = 1;
    std::optional<size_t> workingCalls_; // none: the port never fails
    QString why_;
    QString failure_;
    size_t failedCalls_ = 0;
    std::map<uint16_t, Script> inAnswers_;
    std::vector<QString> lines_;
    std::vector<Call> calls_;
};

} // namespace board
