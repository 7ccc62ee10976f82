#pragma once
// The four programs as the benchmarks drive them: a fresh context of each over recording
// services and the simulated board, its front panel, and what each benchmark needs to know of
// it (the box whose change runs the cascade, its read-outs, its settings file, its chip's
// parallel-port sequence). Everything a benchmark does goes through the program's own context
// and windows; nothing here repeats program logic.
#include "board/chipprofile.h"
#include "board/parllio.h"
#include "board/simulatedboard.h"
#include "evalkit/programcontext.h"
#include "link/registerfile.h"
#include "testing/recordingservices.h"

#include <QMainWindow>
#include <QString>

#include <array>
#include <functional>
#include <memory>
#include <vector>

namespace evalbench {

// One program's context with the services and the USB board it was built over.
class Session {
public:
    // The program's name is its messages' default title.
    explicit Session(const QString& programTitle) : services(programTitle) {}
    virtual ~Session() = default;

    // The front panel's widgets, before its load handler runs.
    virtual QMainWindow& panel() = 0;
    // The whole start-up (the load handler with an empty command line); the panel is not shown.
    virtual QMainWindow& start() = 0;
    virtual evalkit::ProgramContext& context() = 0;
    virtual reglink::RegisterFile& store() = 0;

    platform::RecordingServices services;
    board::SimulatedBoard usb;
};

struct Program {
    // The program's name (its executable's), which names its benchmarks.
    QString name;
    // Where the build put the program's executable (its main() runs it through
    // evalkit::runProgram, whose VERRIX_EXIT_AFTER_PAINT ends it after its first paint).
    QString executable;
    board::ChipProfile chip;
    // A fresh context over `port` (which must outlive it).
    std::function<std::unique_ptr<Session>(board::Parllio& port)> open;

    // The front-panel box whose change runs through the whole cascade, and two entries for it
    // that give different register words.
    QString changeBox;
    std::array<QString, 2> changeEntries;
    // The registers with a read-out on the front panel.
    std::vector<int> readouts;

    // The settings file, where the program has one written (both empty otherwise).
    std::function<void(evalkit::ProgramContext&, const QString&)> exportSettings;
    std::function<void(evalkit::ProgramContext&, const QString&)> importSettings;
    // Programs that share a settings format time it once, under the first of them.
    bool ownSettingsFormat = true;

    // The parallel-port board's index in the motherboard list, the registers a write is timed
    // on, and the data-port bytes one word takes: an idle byte, three per bit, the latch tail.
    int parallelBoard = 0;
    std::vector<int> writtenRegisters;
    int portCallsPerWord = 0;
};

const std::vector<Program>& programs();

// The read-out texts of the program's front panel, in register order.
QString readoutTexts(Session& session, const Program& program);

// The register words of every register that has a field in the chip's field table.
std::vector<uint32_t> registerWords(reglink::RegisterFile& store);

// The session's context torn down and the windows it left for deferred deletion deleted.
void close(std::unique_ptr<Session>& session);

} // namespace evalbench
