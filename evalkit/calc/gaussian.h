// The Gaussian (GFSK/GOOK) modulator figures: its divider number, index counter and mod
// control give the deviation and the data rate directly, with no frequency count.
#pragma once

#include <QString>

#include <cstdint>
#include <optional>

namespace evalkit::calc {

// The divider number is a seven-bit count of at least 1.
inline constexpr int32_t MinGaussianDivider = 1;
inline constexpr int32_t MaxGaussianDivider = 127;

struct GaussianDivider {
    int32_t divider = MinGaussianDivider; // the entry as a whole number, limited to 1..127
    bool limited = false;                 // the entry lay outside 1..127 (the box is rewritten)
};

// The divider box's entry; nullopt when it is not a number. An entry too large for an integer
// is above the limit all the same.
std::optional<GaussianDivider> gaussianDivider(const QString& text);

// The index counter of the list entries 0..3: 16, 32, 64, 128; nullopt for any other index.
std::optional<int32_t> indexCounter(int listIndex);

// 2^modControl x PFD / 2^12 in kHz, halved when the transmitted deviation is halved (the RF
// divide-by-2 on, or the lower band).
double gaussianDeviationKHz(double PfdFrequencyMHz, int modControl, bool halved);

// PFD / (divider x index counter) in kbit/s.
double gaussianDataRateKbps(double PfdFrequencyMHz, int32_t divider, int32_t indexCounter);

} // namespace evalkit::calc
