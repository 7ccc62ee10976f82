// The FSK deviation count of the transmit modulation register: the synthesizer moves the
// carrier in steps of PFD / 2^k, so a wanted deviation becomes a whole number of steps, and
// the deviation actually sent is that count times the step. The chips differ only in k, in
// the field's place and width, and in how the read-out shows the figure.
#pragma once

#include <QString>

#include <cstdint>
#include <functional>
#include <optional>

namespace evalkit::calc {

struct DeviationCount {
    float DeviationStepHz = 0; // PFD x 10^6 / stepsPerPfd, single precision
    int64_t count = 0;         // round(deviation x 1000 / step), half to even
    // The count the register holds: with the RF divide-by-2 on the deviation at the antenna
    // is halved, so the chip needs twice the count. The caller checks it against its field.
    int64_t stored = 0;
    double actualKHz = 0; // count x step / 1000, the deviation the count gives
};

// The step of one count: PFD x 10^6 / stepsPerPfd in Hz, single precision.
float deviationStepHz(double PfdFrequencyMHz, double stepsPerPfd);

// nullopt when the PFD gives no positive step, or the deviation is negative or not finite
// (or so large that its count has no integer).
std::optional<DeviationCount> deviationCount(double deviationKHz, double PfdFrequencyMHz,
                                             double stepsPerPfd, bool divideBy2);

// An entry within half a step of 0 counts 0 steps: the carrier goes out without deviation.
// The largest such entry a box of `maxChars` characters holds (to three decimals at most), by
// the box's own count (`countsZero`); nothing without a positive step.
std::optional<double> largestZeroCountEntry(const std::function<bool(double)>& countsZero,
                                            float DeviationStepHz, int maxChars);
// What the box's tip says of those entries: "0 to <end>, under half a step: no deviation".
QString zeroCountText(double end);

} // namespace evalkit::calc
