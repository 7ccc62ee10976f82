#pragma once
// Steps of the fractional-N synthesizer plan that the chips share, each taking what differs
// between them (field widths, bands, limits) as data: the reference divider with its crystal
// checks, the internal-inductor VCO bands, the low-PFD warning, the divider bounds, the
// minimum-N notice and the crystal-derived AFC scaling (the fraction itself and its one-count
// steps are in fractionaldivider.h). Messages come back for the caller's window to show in
// order.
#include "platform/core/message.h"

#include <QString>

#include <cstdint>
#include <optional>
#include <vector>

namespace evalkit::calc {

// Range and plausibility messages of the plan: critical icon, title "Warning".
platform::Message synthWarning(const QString& text);

// What the dividers' register fields hold: R 1..maxR, N 0..maxN, F 0..fracModulus - 1.
struct DividerLimits {
    double maxR = 7;
    double maxN = 255;
    double fracModulus = 32768;
};

// A divider outside its field would spill into the neighbouring fields: the plan is refused
// with a message naming the limit.
std::optional<platform::Message> rDividerRefusal(double r, const DividerLimits& limits);
std::optional<platform::Message> dividerRefusal(double n, double f, double r,
                                                const DividerLimits& limits);

// "PFD frequency too low to acheive lock (Nmax = 256) !" below 2.35 MHz with the divide-by-2
// off and below 1.2 MHz with it on; the plan goes on.
std::optional<platform::Message> pfdTooLowForLock(double pfdMHz, bool divideBy2On);

struct ReferencePlan {
    float crystalMHz = 0; // replaced by the PFD when it was implausible
    double pfdMHz = 0;    // replaced by crystal / R when R does not divide the crystal
    int16_t rDivider = 0; // set unless refused
    bool refused = false; // R does not fit its field: nothing of the plan may be kept
};

// The reference side of the plan, in order: a crystal above 40 MHz or below the PFD is
// replaced by the PFD ("Invalid Crystal Frequency"); R := crystal / PFD rounded, refused
// outside 1..maxR; a PFD more than 1 kHz away from crystal / R becomes crystal / R (computed
// in single precision, "Crystal frequency should be an integer multiple of PFD ").
ReferencePlan planReference(float crystalMHz, double pfdMHz, const DividerLimits& limits,
                            std::vector<platform::Message>& messages);

// The internal VCO inductor's two bands, bounds exclusive.
struct InternalVcoBands {
    double divideBy2OffLowMHz = 840;
    double divideBy2OffHighMHz = 960;
    double divideBy2OnLowMHz = 420;
    double divideBy2OnHighMHz = 480;
};

// Whether the band the RF falls in needs the divide-by-2; nothing outside both bands.
std::optional<bool> internalInductorDivideBy2(double rfMHz, const InternalVcoBands& bands = {});

// "Minimum N divide is <min>. Please lower the PFD frequency by increasing the R-divide or
// changing the XTAL frequency " (no icon, default title) below the chip's minimum; the plan
// goes on.
std::optional<platform::Message> minimumNNotice(double n, int minimumN);

// Round(2^24 x 500 / crystal in Hz), unshifted; nothing when it does not fit 0..maxValue.
std::optional<int32_t> afcScaling(float crystalMHz, int32_t maxValue);

} // namespace evalkit::calc
