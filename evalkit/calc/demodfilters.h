// The receiver's post-demodulator filter and correlator discriminator settings, as the
// data-rate plans and the demodulator windows work them out. The chips share the formulas;
// what differs (the filter's rate factor, the discriminator's numerator and scale, the bits
// the fields sit at) is passed in or applied by the caller.
#pragma once

#include <QString>

#include <cstdint>
#include <optional>

namespace evalkit::calc {

// The filter formulas of the chips use this rounded value of 2 pi.
inline constexpr double FilterTwoPi = 6.2832;
// Both filter and discriminator codes are ten-bit fields.
inline constexpr int32_t MaxTenBitCode = 1023;

inline const QString PostDemodLimitText =
    QStringLiteral("Largest Post Demod BW setting is 1023: choose a narrower Desired BW");

// The filter code the plan takes for a data rate: Int(2^10 x factor x 2 pi x R / (fd x 1000))
// + 1, R in kbit/s, fd the demodulator clock in MHz. nullopt when there is no such integer.
std::optional<int32_t> postDemodCodeForRate(double rateKbps, float demodClockMHz, double factor);

// The filter code nearest a wanted 3 dB bandwidth (kHz), half to even.
std::optional<int32_t> postDemodCodeForBandwidth(double bandwidthKHz, float demodClockMHz);

// The 3 dB bandwidth (kHz) a filter code gives at the demodulator clock.
double postDemodBandwidthKHz(int32_t code, float demodClockMHz);

// The correlator K: round(numerator / deviation), the deviation in kHz. nullopt when the
// deviation is not above 0 or K does not fit 16 bits.
std::optional<int32_t> correlatorK(double numerator, float deviationKHz);

// The discriminator code round(K x fd x 10^6 / hzPerCount), fd in MHz; nullopt when it does
// not fit 32 bits. The caller checks it against its field.
std::optional<int32_t> discriminatorCode(int32_t K, float demodClockMHz, double hzPerCount);

// The correlator's two parity bits of K: whether K is odd, and whether K / 2 rounded up is.
struct CorrelatorParity {
    bool kOdd = false;
    bool halfKOdd = false;
    friend bool operator==(const CorrelatorParity&, const CorrelatorParity&) = default;
};
CorrelatorParity correlatorParity(int32_t K);

} // namespace evalkit::calc
