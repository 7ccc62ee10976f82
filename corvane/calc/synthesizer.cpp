#include "corvane/calc/synthesizer.h"

#include "platform/numbers.h"

#include <cmath>

namespace corvane::calc {

namespace {

using platform::MsgIcon;

constexpr int32_t kVcoDiv2On = 1 << 18;        // VcoDiv2Field, R1 bit 18
constexpr int32_t kExternalInductor = 1 << 25; // ExtInductorField, R1 bit 25
constexpr double kFracModulus = 32768;         // F counts per PFD cycle (2^15)
constexpr double kRxOffsetMHz = 0.1;           // the receiver LO sits 100 kHz below the channel
constexpr int kMinimumN = 23;
constexpr double kMaxPfdMHz = 40; // "(Fmax = 40MHz)"

// Field widths: a value outside them would spill into the neighbouring fields. N one above
// 255 would set the receive/transmit bit of R0.
constexpr double kMaxIntegerN = 255;
constexpr double kMaxFracN = 32767;
constexpr double kMinRDivider = 1;
constexpr double kMaxRDivider = 7;
constexpr int32_t kMaxToneDivider = 255; // R6, 8 bits each
constexpr int32_t kMaxAfcScaling = 4095; // R10, 12 bits

const QString kWarningTitle = QStringLiteral("Warning");

platform::Message entryError(const QString& text) {
    return {text, MsgIcon::Exclamation, std::nullopt, true};
}

platform::Message warning(const QString& text) {
    return {text, MsgIcon::Critical, kWarningTitle, false};
}

platform::Message notice(const QString& text) {
    return {text, MsgIcon::None, std::nullopt, false};
}

platform::Message caution(const QString& text) {
    return {text, MsgIcon::Exclamation, std::nullopt, false};
}

QString mhzText(double mhz) {
    return platform::formatNumber(mhz, u"#0.000000") + QStringLiteral(" MHz");
}

QString integerText(double v) {
    return platform::numberText(v);
}

// An entry passes when it reads as a number and, scaled as the chip's units, still fits a
// single-precision value.
bool readsAsSingle(const QString& text, double scale) {
    const std::optional<double> value = platform::textToNumber(text);
    return value && std::isfinite(platform::toSingle(*value * scale));
}

// Returns true when an entry failed; the later boxes are not tried then.
bool ValidateSynthInputs(const QString& rfText, const QString& pfdText, const QString& crystalText,
                         SynthResult& out) {
    if (!readsAsSingle(rfText, 1e6)) {
        out.messages.push_back(entryError(QStringLiteral("Invalid entry in RF Frequency.")));
    } else if (!readsAsSingle(pfdText, 1000) || !(*platform::textToNumber(pfdText) > 0) ||
               *platform::textToNumber(pfdText) > kMaxPfdMHz) {
        // A PFD of zero or below cannot be divided by, and the message itself names the
        // highest one: a PFD beyond it is the entry error it says, not a plan to carry out.
        out.messages.push_back(entryError(
            QStringLiteral("Invalid entry in PFD Comparison Frequency. (Fmax = 40MHz)")));
        out.txtpfd1 = QString();
        out.focus = FocusBox::Pfd;
    } else if (!readsAsSingle(crystalText, 1000)) {
        out.messages.push_back(entryError(QStringLiteral("Invalid entry in Crystal Frequency.")));
        out.TxtCrystal1 = QString();
        out.focus = FocusBox::Crystal;
    } else {
        return false;
    }
    out.validationFailed = true;
    return true;
}

double numberOf(const QString& text) {
    return platform::textToNumber(text).value_or(0);
}

// A divider caption read as a 16-bit integer; nothing for an empty or unreadable caption.
std::optional<int16_t> captionValue(const QString& caption) {
    const std::optional<double> value = platform::textToNumber(caption);
    return value ? platform::toInt16(*value) : std::nullopt;
}

// ---- band choice ------------------------------------------------------------------------

struct BandChoice {
    enum Kind {
        Chosen,     // a band fits: divideBy2 says which
        OutOfRange, // message given, the procedure ends
        NoDivider,  // an inductor setting the program does not know: only the closing steps
    };
    Kind kind = Chosen;
    bool divideBy2 = false;
    bool setsToggle = false; // the internal inductor decides the toggle itself
};

BandChoice chooseBand(double rf, int32_t extInductorField, bool toggleOn, VcoUpperLimits limits,
                      SynthResult& out) {
    if (extInductorField == 0) {
        if (840 < rf && rf < limits.divideBy2OffMHz) {
            return {BandChoice::Chosen, false, true};
        }
        if (420 < rf && rf < limits.divideBy2OnMHz) {
            return {BandChoice::Chosen, true, true};
        }
        out.messages.push_back(
            warning(QStringLiteral("Frequency outside of VCO Range for Internal VCO inductor! "
                                   "Please consult the Corvane datasheet for achievable "
                                   "frequency ranges")));
        return {BandChoice::OutOfRange};
    }
    if (extInductorField == kExternalInductor) {
        if (70 < rf && rf < 660) {
            return {BandChoice::Chosen, toggleOn, false};
        }
        out.messages.push_back(
            warning(QStringLiteral("Frequency outside of VCO Range for External VCO Inductor!")));
        return {BandChoice::OutOfRange};
    }
    return {BandChoice::NoDivider, toggleOn, false};
}

// ---- dividers -----------------------------------------------------------------------------

struct Dividers {
    double n = 0;
    double f = 0;
};

Dividers integerAndFraction(double rf, double pfd, bool divideBy2, bool receive) {
    const double d = divideBy2 ? 2 : 1;
    const double o = receive ? kRxOffsetMHz : 0;
    // 1. The synthesizer target.
    const double t = d * (rf - o);
    // 2. N.
    Dividers div;
    div.n = platform::intFloor(t / pfd);
    // 3. The remainder, rounded to the places that keep the target's own digits.
    const int places = divideBy2 ? 4 : (receive ? 8 : 7);
    const double r = platform::roundDecimals(t - div.n * pfd, places);
    // 4. F.
    div.f = r > 0 ? platform::roundHalfEven(kFracModulus * r / pfd) : 0;
    // A remainder that rounds up to a whole PFD cycle is one more N and no fraction: the
    // same frequency, and F stays within its 15 bits.
    if (div.f >= kFracModulus) {
        div.f -= kFracModulus;
        div.n += 1;
    }
    return div;
}

// A divider that does not fit its register field is refused, never stored.
std::optional<platform::Message> rDividerRefusal(double r) {
    if (r < kMinRDivider || r > kMaxRDivider) {
        return warning(QStringLiteral("R divide of %1 is outside the range of 1 to 7. Please "
                                      "raise the PFD frequency or lower the XTAL frequency")
                           .arg(integerText(r)));
    }
    return std::nullopt;
}

std::optional<platform::Message> dividerRefusal(double n, double f, double r) {
    if (std::optional<platform::Message> refusal = rDividerRefusal(r)) {
        return refusal;
    }
    if (n > kMaxIntegerN) {
        return warning(QStringLiteral("Integer N divide of %1 is above the maximum of 255. "
                                      "Please raise the PFD frequency")
                           .arg(integerText(n)));
    }
    if (n < 0) {
        return warning(QStringLiteral("Integer N divide of %1 is below the minimum of 0. "
                                      "Please lower the PFD frequency")
                           .arg(integerText(n)));
    }
    if (f < 0 || f > kMaxFracN) {
        return warning(QStringLiteral("Fractional divide F of %1 is outside the range of 0 to "
                                      "32767")
                           .arg(integerText(f)));
    }
    return std::nullopt;
}

// ---- the core shared by both paths ----------------------------------------------------------

enum class Path { Calculate, FractionStep };
enum class CoreEnd { Done, OutOfBand, Refused };

struct CoreInputs {
    double rf = 0;
    double pfd = 0;
    float crystal = 0;
    QString rfText, pfdText, crystalText; // the boxes as they stand
    bool divideBy2On = false;
    int32_t ExtInductorField = 0;
    int32_t TxRxField = 0;
    double IntegerN = 0; // N and F the core starts from
    double FracN = 0;
    double RDivider = 0;
    VcoUpperLimits limits;
};

// The boxes and switches both paths hand to the core as they stand.
template <class Inputs> CoreInputs coreInputs(const Inputs& in) {
    CoreInputs core;
    core.rfText = in.rfText;
    core.pfdText = in.pfdText;
    core.crystalText = in.crystalText;
    core.divideBy2On = in.divideBy2On;
    core.ExtInductorField = in.ExtInductorField;
    core.TxRxField = in.TxRxField;
    return core;
}

struct Boxes {
    QString rf, pfd, crystal;
};

// Step 5: the frequency read-outs and the boxes rewritten with the values used.
Boxes showFrequencies(const CoreInputs& in, Path path, bool divideBy2, const Dividers& div,
                      SynthResult& out) {
    const bool receive = in.TxRxField != 0;
    const double vco = (div.f / kFracModulus + div.n) * in.pfd;
    double channel = vco;
    if (divideBy2) {
        channel = receive ? (vco + 2 * kRxOffsetMHz) / 2 : vco / 2;
    } else if (receive) {
        channel = vco + kRxOffsetMHz;
    }
    const double lo = divideBy2 ? vco / 2 : vco;

    Boxes boxes;
    // After a step the RF box follows the stepped dividers, so the shared RF does too.
    boxes.rf = platform::formatNumber(path == Path::Calculate ? in.rf : channel, u"#0.000000");
    boxes.pfd = platform::formatNumber(in.pfd, u"#0.00000");
    boxes.crystal = platform::formatSingle(in.crystal, u"#0.00000");

    out.txtVCOout1 = boxes.rf;
    out.LblActualChnFreq = mhzText(channel);
    out.txtpfd1 = boxes.pfd;
    out.TxtCrystal1 = boxes.crystal;
    out.lblRxLO = mhzText(lo);
    if (in.ExtInductorField == kExternalInductor) {
        out.Label3 = mhzText(vco);
    }
    return boxes;
}

// Step 6: the closing steps of both paths.
void closingSteps(const Boxes& boxes, Path path, bool divideBy2, const Dividers& div,
                  double rDivider, SynthResult& out) {
    // 1. Main window read-outs.
    out.lblvcofreq = boxes.rf + QStringLiteral("MHz");
    out.lblpfd_freq = boxes.pfd + QStringLiteral("MHz");
    out.lblcrystal = boxes.crystal + QStringLiteral("MHz");
    // 2. Shared values, as the boxes now read.
    out.RfFrequencyMHz = numberOf(boxes.rf);
    out.PfdFrequencyMHz = numberOf(boxes.pfd);
    out.CrystalFrequencyMHz = platform::toSingle(numberOf(boxes.crystal));
    // 3. The divide-by-2 note.
    out.NoteVisible = divideBy2;
    // 4. Minimum N.
    if (div.n < kMinimumN) {
        out.messages.push_back(
            notice(QStringLiteral("Minimum N divide is 23. Please lower the PFD frequency by "
                                  "increasing the R-divide or changing the XTAL frequency ")));
    }
    // 5. The frequency step of one F count at the RF output.
    if (path == Path::Calculate) {
        const double modulus = divideBy2 ? 2 * kFracModulus : kFracModulus;
        out.Label9 = QStringLiteral("Fstep = ") +
                     platform::formatNumber(*out.PfdFrequencyMHz * 1e6 / modulus, u"#0.00") +
                     QStringLiteral(" Hz");
    }
    // 6. Register fields. dividerRefusal() has kept every value within its field.
    const int16_t n = *platform::toInt16(div.n);
    const int32_t f = *platform::toInt32(div.f);
    const int16_t r = *platform::toInt16(rDivider);
    out.IntegerN = n;
    out.FracN = f;
    out.IntegerNField = int32_t{n} * (1 << 19);
    out.FracNField = f * (1 << 4);
    out.RDividerField = static_cast<int16_t>(r * (1 << 4));
    // 7. Divider captions.
    out.LblR = integerText(r);
    out.LblN = integerText(n);
    out.LblF = integerText(f);
}

// `CalculateSynthesizer` (Calculate path) and `UpdatesynthF` (fraction-step path) share
// everything but where N and F come from.
CoreEnd synthesizerCore(const CoreInputs& in, Path path, SynthResult& out) {
    // 3. Band choice and divide-by-2.
    const BandChoice band = chooseBand(in.rf, in.ExtInductorField, in.divideBy2On, in.limits, out);
    if (band.kind == BandChoice::OutOfRange) {
        return CoreEnd::OutOfBand;
    }

    // 4. Integer and fractional divider.
    Dividers div{in.IntegerN, in.FracN};
    if (band.kind == BandChoice::Chosen && path == Path::Calculate) {
        div = integerAndFraction(in.rf, in.pfd, band.divideBy2, in.TxRxField != 0);
    }
    if (std::optional<platform::Message> refusal = dividerRefusal(div.n, div.f, in.RDivider)) {
        out.messages.push_back(*refusal);
        return CoreEnd::Refused;
    }

    Boxes boxes{in.rfText, in.pfdText, in.crystalText};
    if (band.kind == BandChoice::Chosen) {
        out.VcoDiv2Field = band.divideBy2 ? kVcoDiv2On : 0;
        if (band.setsToggle) {
            out.divideBy2On = band.divideBy2;
        }
        // 5. Displays.
        boxes = showFrequencies(in, path, band.divideBy2, div, out);
    }
    // 6. Closing steps.
    closingSteps(boxes, path, band.divideBy2, div, in.RDivider, out);
    return CoreEnd::Done;
}

// ---- the Calculate path ---------------------------------------------------------------------

bool pfdTooLowForLock(double pfd, int32_t vcoDiv2Field) {
    return (vcoDiv2Field == 0 && pfd < 2.35) || (vcoDiv2Field == kVcoDiv2On && pfd < 1.2);
}

bool withinExternalInductorGate(double rf, bool divideBy2On) {
    return divideBy2On ? (70 < rf && rf < 330) : (150 < rf && rf < 660);
}

// A tone or scaling value that does not fit its field is not stored: the field keeps what it
// had rather than spilling into its neighbours.
std::optional<int32_t> fitting(double value, int32_t max) {
    const std::optional<int32_t> v = platform::toInt32(value);
    if (!v || *v < 0 || *v > max) {
        return std::nullopt;
    }
    return v;
}

// Step 9: the IF calibration tone dividers and the AFC scaling follow the crystal.
void storeCrystalFields(float crystalMHz, SynthResult& out) {
    const double k = double{crystalMHz} * 1000;
    if (const auto upper = fitting(k / 263, kMaxToneDivider)) {
        out.IFCalUpperToneField = *upper * (1 << 13);
    }
    if (const auto lower = fitting(k / 131.6, kMaxToneDivider)) {
        out.IFCalLowerToneField = *lower * (1 << 5);
    }
    const double afc = 16777216.0 * 500 / (double{crystalMHz} * 1e6);
    if (const auto scaling = fitting(afc, kMaxAfcScaling)) {
        out.AfcScalingField = static_cast<double>(*scaling) * 32;
    }
}

} // namespace

SynthResult CmdCalculate(const SynthInputs& in) {
    SynthResult out;
    // 1. Entries.
    if (ValidateSynthInputs(in.rfText, in.pfdText, in.crystalText, out)) {
        return out;
    }
    // 2. Values.
    const double rf = numberOf(in.rfText);
    double pfd = numberOf(in.pfdText);
    float crystal = platform::toSingle(numberOf(in.crystalText));
    // 3. PFD warning.
    if (pfdTooLowForLock(pfd, in.VcoDiv2Field)) {
        out.messages.push_back(
            warning(QStringLiteral("PFD frequency too low to acheive lock (Nmax = 256) !")));
    }
    // 4. Crystal check.
    if (crystal > 40 || platform::toSingle(pfd) > crystal) {
        out.messages.push_back(warning(QStringLiteral("Invalid Crystal Frequency")));
        crystal = platform::toSingle(pfd);
    }
    // 5. R. A divider outside its field refuses the whole calculation.
    const double r = platform::roundHalfEven(double{crystal} / pfd);
    if (std::optional<platform::Message> refusal = rDividerRefusal(r)) {
        out.messages.push_back(*refusal);
        return out;
    }
    const int16_t rDivider = *platform::toInt16(r);
    out.RDivider = rDivider;
    // 6. Multiple check.
    const float perR = crystal / static_cast<float>(rDivider);
    if (std::abs(pfd - double{perR}) > 0.001) {
        out.messages.push_back(
            caution(QStringLiteral("Crystal frequency should be an integer multiple of PFD ")));
        pfd = perR;
    }
    // 7. External-inductor RF gate, 8. the core.
    if (in.ExtInductorField == kExternalInductor &&
        !withinExternalInductorGate(rf, in.divideBy2On)) {
        out.messages.push_back(
            notice(QStringLiteral("Cannot acheive specified RF Channel Frequency. Refer to "
                                  "Corvane datasheet for RF Frequency limits")));
    } else {
        CoreInputs core = coreInputs(in);
        core.rf = rf;
        core.pfd = pfd;
        core.crystal = crystal;
        core.IntegerN = in.IntegerN;
        core.FracN = in.FracN;
        core.RDivider = rDivider;
        if (synthesizerCore(core, Path::Calculate, out) == CoreEnd::Refused) {
            // Refused: nothing of this calculation is kept, not even R.
            out.RDivider.reset();
            return out;
        }
    }
    // 9. Crystal-derived fields from the shared crystal value.
    storeCrystalFields(out.CrystalFrequencyMHz.value_or(in.CrystalFrequencyMHz), out);
    // 10.
    out.refreshReadouts = true;
    return out;
}

SynthResult UpdatesynthF(const FractionStepInputs& in, VcoUpperLimits limits) {
    SynthResult out;
    if (ValidateSynthInputs(in.rfText, in.pfdText, in.crystalText, out)) {
        return out;
    }
    const std::optional<int16_t> n = captionValue(in.lblN);
    const std::optional<int16_t> f = captionValue(in.lblF);
    if (!n || !f) {
        return out;
    }
    CoreInputs core = coreInputs(in);
    core.rf = numberOf(in.rfText);
    core.pfd = numberOf(in.pfdText);
    core.crystal = platform::toSingle(numberOf(in.crystalText));
    core.IntegerN = *n;
    core.FracN = *f;
    core.RDivider = in.RDivider;
    core.limits = limits;
    synthesizerCore(core, Path::FractionStep, out);
    return out;
}

std::optional<FractionStep> stepFraction(const QString& lblN, const QString& lblF, bool up) {
    // Empty captions: no calculation since the window was loaded.
    const std::optional<int16_t> n0 = captionValue(lblN);
    const std::optional<int16_t> f0 = captionValue(lblF);
    if (!n0 || !f0) {
        return std::nullopt;
    }
    int32_t n = *n0;
    int32_t f = *f0;
    if (up) {
        if (f == 32767) {
            f = 0;
            ++n;
        } else {
            ++f;
        }
    } else {
        if (f != 0) {
            --f;
        } else {
            f = 32767;
            --n;
        }
    }
    const std::optional<int16_t> stepped = platform::toInt16(n);
    if (!stepped) {
        return std::nullopt;
    }
    return FractionStep{*stepped, f, integerText(n), integerText(f)};
}

} // namespace corvane::calc
