#pragma once
// What the radio-link tool's configuration file has in common across the programs: its
// entries written in one atomic save, the link protocol's defaults of a new file, the numbers
// it takes from the front panel (checked before anything is written), and the R0 word worked
// out for each direction with the set-up kept as it was.
#include <QString>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "link/registerreadout.h"

namespace evalkit {

class ProgramContext;

struct ZantrelEntry {
    const char16_t* section;
    const char16_t* key;
    QString value;
};

// A front-panel text the file takes as a number above 0, in the file's unit.
struct ZantrelNumber {
    QString what; // named in the refusal: "data rate", "crystal frequency", ...
    QString text;
    double scale = 1;
};

// The numbers in the file's units, or (nullopt and) the message that says which one cannot
// be written.
struct ZantrelNumbers {
    std::vector<double> values;
    QString refusal;
};
ZantrelNumbers zantrelNumbers(const std::vector<ZantrelNumber>& numbers, const QString& file);
// The refusal for a text that cannot be written.
QString zantrelRefusal(const QString& file, const QString& what, const QString& text);

// The beacon length correction for a data rate in bit/s, as the link tool wants it.
std::optional<int32_t> beaconLengthCorrection(double bitsPerSecond);

// The link protocol's defaults of a new file, in the file's order; `registerDefault` is the
// one register the chip's new file fixes, `rfcn0` and `beaconCorrection` the two values taken
// from the set-up.
std::vector<ZantrelEntry> linkDefaults(const ZantrelEntry& registerDefault, const QString& rfcn0,
                                       const QString& beaconCorrection);

// Keeps the marks of the read-outs across the writer's own refreshes: a read-out whose word is
// the same afterwards gets its mark back, one whose word changed meanwhile keeps the mark the
// refresh gave it.
class ReadoutMarkKeeper {
public:
    explicit ReadoutMarkKeeper(ProgramContext& app, int registers = 16);
    void restore() const;

private:
    struct Saved {
        reglink::RegisterReadout* readout;
        QString text;
        reglink::RegisterReadout::Mark mark;
    };
    std::vector<Saved> saved_;
};

// The R0 read-out for `direction` of the receive/transmit field: worked out by `calculate`
// with the field set to it, and the field (and the plan) set back afterwards.
QString r0ForDirection(int32_t& txRxField, int32_t direction,
                       const std::function<void()>& calculate, const reglink::RegisterReadout& r0);

// How a program works out the file's register entries: R0 for each direction, and the other
// registers as their read-outs show them with the mode the link tool works with in force.
struct ZantrelRegisterRules {
    int32_t receive = 0;               // the receive code of the direction field
    std::function<void()> calculate;   // the synthesizer's calculation, which sets R0
    std::function<void()> useLinkMode; // puts the link tool's mode into the fields
    std::function<void()> restoreMode; // gives the set-up its own mode back
    int linkDefaultRegister = 0;       // held by the new file's defaults, not written here
};

// The configuration's name and the register entries, with the set-up and the read-outs' marks
// as they were afterwards. R7, R8, R14 and R15 hold the placeholders the link tool expects.
std::vector<ZantrelEntry> zantrelRegisters(ProgramContext& app, int32_t& txRxField,
                                           const ZantrelRegisterRules& rules);

// Writes the entries in one atomic save and shows any failure with the file and the reason.
void writeZantrelFile(ProgramContext& app, const QString& path,
                      const std::vector<ZantrelEntry>& entries);

} // namespace evalkit
