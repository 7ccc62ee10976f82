// The two tone dividers of the IF filter fine calibration (register 6), which follow the
// crystal: crystal kHz over a divisor for each tone, rounded half to even. corvane-eval uses
// the same divisors for every IF bandwidth; the narrow-band chip needs divisors that depend
// on the bandwidth chosen, so they come from a table keyed by the bandwidth field.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

namespace corvane::calc {

struct ToneDivisors {
    double upper = 263;
    double lower = 131.6;
    // The upper quotient is held in single precision before it is rounded.
    bool upperInSingle = false;
};

// One row of the table: the IFFilterBandwidthField value (pre-shifted) and its divisors.
struct ToneRow {
    double IFFilterBandwidthField = 0;
    ToneDivisors divisors;
};

struct ToneSource {
    ToneDivisors fixed;
    // When not empty, the divisors come from the row of the bandwidth field's value, and a
    // value without a row leaves the tone fields as they are.
    std::vector<ToneRow> byBandwidth;

    std::optional<ToneDivisors> divisorsFor(double IFFilterBandwidthField) const;
};

// The tone fields as the store holds them (upper x 2^13, lower x 2^5). A divider that does
// not fit its 8 bits is left out, so its field keeps what it had instead of running into the
// neighbouring field.
struct CalibrationTones {
    std::optional<int32_t> IFCalUpperToneField;
    std::optional<int32_t> IFCalLowerToneField;
};

CalibrationTones calibrationTones(float CrystalFrequencyMHz, const ToneDivisors& divisors);

} // namespace corvane::calc
