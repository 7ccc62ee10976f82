// One register write through the simulated parallel port, for every chip: the word is
// bit-banged onto the data port in exactly the chip's number of OutByte calls (one idle byte,
// three per bit for 32 bits, then the latch tail: four bytes for the Corvane and Pellion chips,
// three for Tessarine), with no other port call, and the simulated chip latches the word.
#include "bench/benchsupport.h"
#include "bench/programs.h"

#include "board/parllio.h"
#include "board/simulatedport.h"

#include <QComboBox>
#include <benchmark/benchmark.h>

#include <memory>

namespace {

using evalbench::Program;

// Counts every call before passing it on to the simulated port. The simulated port keeps a
// record of each byte, so it is replaced now and then to keep the memory flat.
class CountingParllio : public board::Parllio {
public:
    explicit CountingParllio(const board::ChipProfile& chip) : chip_(chip) { renewPort(); }

    int32_t ClaimParallelPort(int32_t port, int32_t flag) override {
        ++others;
        return port_->ClaimParallelPort(port, flag);
    }
    void ReleaseParallelPort(int32_t port) override {
        ++others;
        port_->ReleaseParallelPort(port);
    }
    int32_t InByte(uint16_t address) override {
        ++others;
        return port_->InByte(address);
    }
    void OutByte(uint16_t address, int16_t value) override {
        ++outBytes;
        if (address != board::kDataPortAddress)
            ++outBytesElsewhere;
        port_->OutByte(address, value);
    }

    void resetCounts() { outBytes = outBytesElsewhere = others = 0; }
    // The simulated port decodes whether or not it was claimed.
    void renewPort() {
        port_ = std::make_unique<board::SimulatedPort>();
        port_->setChip(chip_);
    }
    const board::SimulatedPort& port() const { return *port_; }

    int64_t outBytes = 0;
    int64_t outBytesElsewhere = 0;
    int64_t others = 0;

private:
    board::ChipProfile chip_;
    std::unique_ptr<board::SimulatedPort> port_;
};

void timedWrite(benchmark::State& state, const Program& program, int reg) {
    const int perWord = program.portCallsPerWord;
    CountingParllio port(program.chip);
    std::unique_ptr<evalbench::Session> session = program.open(port);
    session->start();
    evalkit::ProgramContext& app = session->context();
    app.motherboardList()->setCurrentIndex(program.parallelBoard);
    if (!port.port().claimed() || !session->services.messages.messages.empty()) {
        state.SkipWithError("the parallel-port board could not be chosen");
        return;
    }

    // One checked write first: the chip must latch exactly the register's word.
    port.renewPort();
    port.resetCounts();
    app.writeRegister(reg);
    const uint32_t expected = session->store().wordBits(reg);
    if (port.outBytes != perWord || port.outBytesElsewhere != 0 || port.others != 0 ||
        port.port().words().size() != 1 || port.port().words().front() != expected) {
        const std::string error = "a register write is not exactly " + std::to_string(perWord) +
                                  " data-port bytes latching the register's word (" +
                                  std::to_string(port.outBytes) + " bytes, " +
                                  std::to_string(port.others) + " other calls)";
        state.SkipWithError(error.c_str());
        return;
    }

    port.resetCounts();
    int64_t writes = 0;
    for (auto _ : state) {
        app.writeRegister(reg);
        if (++writes % 4096 == 0) {
            state.PauseTiming();
            port.renewPort();
            state.ResumeTiming();
        }
    }
    state.counters["outbytes_per_write"] =
        benchmark::Counter(double(port.outBytes), benchmark::Counter::kAvgIterations);
    if (port.outBytes != writes * perWord || port.outBytesElsewhere != 0 || port.others != 0)
        state.SkipWithError("a timed register write made other port calls than its OutBytes");
    else if (!port.port().malformed().empty())
        state.SkipWithError("the simulated chip saw a malformed sequence");
    else if (!session->services.messages.messages.empty())
        state.SkipWithError("a register write showed a message");
    evalbench::close(session);
}

} // namespace

int main(int argc, char** argv) {
    for (const Program& program : evalbench::programs()) {
        for (int reg : program.writtenRegisters) {
            const std::string name = "BM_ParallelRegisterWrite/" + program.name.toStdString() +
                                     "/R" + std::to_string(reg);
            benchmark::RegisterBenchmark(name.c_str(), timedWrite, program, reg)
                ->Unit(benchmark::kMicrosecond);
        }
    }
    return evalbench::runBenchmarks(argc, argv, {});
}
