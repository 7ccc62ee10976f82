// One register write through the simulated parallel port: the word is bit-banged onto the data
// port in exactly 101 OutByte calls (one idle byte, three per bit for 32 bits, four for the
// latch pulse), with no other port call.
#include "bench/benchsupport.h"

#include "board/parllio.h"
#include "board/simulatedboard.h"
#include "board/simulatedport.h"
#include "corvane/corvaneapp.h"
#include "corvane/main_window.h"
#include "platform/services.h"

#include <QComboBox>
#include <benchmark/benchmark.h>

#include <memory>

namespace {

constexpr int OutBytesPerWrite = 101;

// Counts every call before passing it on to the simulated port. The simulated port keeps a
// record of each byte, so it is replaced now and then to keep the memory flat.
class CountingParllio : public board::Parllio {
public:
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
    void renewPort() { port_ = std::make_unique<board::SimulatedPort>(); }
    const board::SimulatedPort& port() const { return *port_; }

    int64_t outBytes = 0;
    int64_t outBytesElsewhere = 0;
    int64_t others = 0;

private:
    std::unique_ptr<board::SimulatedPort> port_ = std::make_unique<board::SimulatedPort>();
};

void BM_ParallelRegisterWrite(benchmark::State& state) {
    const int reg = static_cast<int>(state.range(0));
    platform::RecordingServices services;
    board::SimulatedBoard usb;
    CountingParllio port;
    auto app = std::make_unique<corvane::CorvaneApp>(services.view(), usb, port);
    corvane::Main& m = app->start();
    m.cmbMB->setCurrentIndex(0); // the parallel-port board
    if (!port.port().claimed() || !services.messages.messages.empty()) {
        state.SkipWithError("the parallel-port board could not be chosen");
        return;
    }

    // One checked write first: the chip must latch exactly the register's word.
    port.renewPort();
    port.resetCounts();
    app->writeRegister(reg);
    const uint32_t expected = app->store().wordBits(reg);
    if (port.outBytes != OutBytesPerWrite || port.outBytesElsewhere != 0 || port.others != 0 ||
        port.port().words().size() != 1 || port.port().words().front() != expected) {
        state.SkipWithError("a register write is not exactly 101 data-port bytes latching the "
                            "register's word");
        return;
    }

    port.resetCounts();
    int64_t writes = 0;
    for (auto _ : state) {
        app->writeRegister(reg);
        if (++writes % 4096 == 0) {
            state.PauseTiming();
            port.renewPort();
            state.ResumeTiming();
        }
    }
    state.counters["outbytes_per_write"] =
        benchmark::Counter(double(port.outBytes), benchmark::Counter::kAvgIterations);
    if (port.outBytes != writes * OutBytesPerWrite || port.outBytesElsewhere != 0 ||
        port.others != 0)
        state.SkipWithError("a timed register write made other port calls than 101 OutByte");
    if (!port.port().malformed().empty())
        state.SkipWithError("the simulated chip saw a malformed sequence");
    app.reset();
    corvane::bench::flushDeferredDeletes();
}
BENCHMARK(BM_ParallelRegisterWrite)->Arg(0)->Arg(3)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    return corvane::bench::runBenchmarks(argc, argv, {});
}
