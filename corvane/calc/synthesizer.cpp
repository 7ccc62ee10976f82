#include "corvane/calc/synthesizer.h"

#include "evalkit/calc/fractionaldivider.h"
#include "evalkit/calc/synthentry.h"
#include "evalkit/calc/synthplan.h"
#include "platform/core/numbers.h"

#include <cmath>

namespace corvane::calc {

namespace {

using platform::MsgIcon;

constexpr int32_t kVcoDiv2On = 1 << 18;        // VcoDiv2Field, R1 bit 18
constexpr int32_t kExternalInductor = 1 << 25; // ExtInductorField, R1 bit 25
constexpr int32_t kFracModulus = 32768;        // F counts per PFD cycle (2^15)
constexpr double kRxOffsetMHz = 0.1;           // the receiver LO sits 100 kHz below the channel
constexpr int kMinimumN = 23;

// Field widths: a value outside them would spill into the neighbouring fields. N one above
// 255 would set the receive/transmit bit of R0.
constexpr evalkit::calc::DividerLimits kLimits{7, 255, kFracModulus};
constexpr int32_t kMaxAfcScaling = 4095; // R10, 12 bits

// A refused RF entry keeps its text as typed; the PFD and crystal boxes are emptied.
constexpr evalkit::calc::SynthEntryRules kEntryRules{false};

platform::Message notice(const QString& text) {
    return {text, MsgIcon::None, std::nullopt, false};
}

QString mhzText(double mhz) {
    return platform::formatNumber(mhz, u"#0.000000") + QStringLiteral(" MHz");
}

QString integerText(double v) {
    return platform::numberText(v);
}

// Returns true when an entry failed; the later boxes are not tried then.
bool ValidateSynthInputs(const QString& rfText, const QString& pfdText, const QString& crystalText,
                         SynthResult& out) {
    const std::optional<evalkit::calc::SynthEntryFailure> failure =
        evalkit::calc::validateSynthEntries(rfText, pfdText, crystalText, kEntryRules);
    if (!failure) {
        return false;
    }
    out.messages.push_back(failure->message);
    if (failure->box == evalkit::calc::SynthBox::Pfd) {
        out.pfdText = QString();
        out.focus = FocusBox::Pfd;
    } else if (failure->box == evalkit::calc::SynthBox::Crystal) {
        out.crystalText = QString();
        out.focus = FocusBox::Crystal;
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
        evalkit::calc::InternalVcoBands bands;
        bands.divideBy2OffHighMHz = limits.divideBy2OffMHz;
        bands.divideBy2OnHighMHz = limits.divideBy2OnMHz;
        if (const std::optional<bool> divideBy2 =
                evalkit::calc::internalInductorDivideBy2(rf, bands)) {
            return {BandChoice::Chosen, *divideBy2, true};
        }
        out.messages.push_back(evalkit::calc::synthWarning(
            QStringLiteral("Frequency outside of VCO Range for Internal VCO inductor! "
                           "Please consult the Corvane datasheet for achievable "
                           "frequency ranges")));
        return {BandChoice::OutOfRange};
    }
    if (extInductorField == kExternalInductor) {
        if (70 < rf && rf < 660) {
            return {BandChoice::Chosen, toggleOn, false};
        }
        out.messages.push_back(evalkit::calc::synthWarning(
            QStringLiteral("Frequency outside of VCO Range for External VCO Inductor!")));
        return {BandChoice::OutOfRange};
    }
    return {BandChoice::NoDivider, toggleOn, false};
}

// ---- dividers -----------------------------------------------------------------------------

using Dividers = evalkit::calc::FractionalDivider;

Dividers integerAndFraction(double rf, double pfd, bool divideBy2, bool receive) {
    const double d = divideBy2 ? 2 : 1;
    const double o = receive ? kRxOffsetMHz : 0;
    // 1. The synthesizer target.
    const double t = d * (rf - o);
    // 2. N.
    const double n = platform::intFloor(t / pfd);
    // 3. The remainder, rounded to the places that keep the target's own digits.
    const int places = divideBy2 ? 4 : (receive ? 8 : 7);
    const double r = platform::roundDecimals(t - n * pfd, places);
    // 4. F, within its 15 bits.
    return evalkit::calc::fractionOfRemainder(n, r, pfd, kFracModulus);
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
    const double vco = (div.f / double{kFracModulus} + div.n) * in.pfd;
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

    out.rfText = boxes.rf;
    out.actualChannel = mhzText(channel);
    out.pfdText = boxes.pfd;
    out.crystalText = boxes.crystal;
    out.lblRxLO = mhzText(lo);
    if (in.ExtInductorField == kExternalInductor) {
        out.synthesizerFrequency = mhzText(vco);
    }
    return boxes;
}

// Step 6: the closing steps of both paths.
void closingSteps(const Boxes& boxes, Path path, bool divideBy2, const Dividers& div,
                  double rDivider, SynthResult& out) {
    // 1. Main window read-outs.
    out.vcoFrequencyText = boxes.rf + QStringLiteral("MHz");
    out.pfdFrequencyText = boxes.pfd + QStringLiteral("MHz");
    out.crystalFrequencyText = boxes.crystal + QStringLiteral("MHz");
    // 2. Shared values, as the boxes now read.
    out.RfFrequencyMHz = numberOf(boxes.rf);
    out.PfdFrequencyMHz = numberOf(boxes.pfd);
    out.CrystalFrequencyMHz = platform::toSingle(numberOf(boxes.crystal));
    // 3. The divide-by-2 note.
    out.NoteVisible = divideBy2;
    // 4. Minimum N.
    if (std::optional<platform::Message> minimum =
            evalkit::calc::minimumNNotice(div.n, kMinimumN)) {
        out.messages.push_back(*minimum);
    }
    // 5. The frequency step of one F count at the RF output.
    if (path == Path::Calculate) {
        const double modulus = divideBy2 ? 2.0 * kFracModulus : kFracModulus;
        out.frequencyStep = QStringLiteral("Fstep = ") +
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
    out.rText = integerText(r);
    out.nText = integerText(n);
    out.fText = integerText(f);
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
    if (std::optional<platform::Message> refusal =
            evalkit::calc::dividerRefusal(div.n, div.f, in.RDivider, kLimits)) {
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

bool withinExternalInductorGate(double rf, bool divideBy2On) {
    return divideBy2On ? (70 < rf && rf < 330) : (150 < rf && rf < 660);
}

// Step 9: the IF calibration tone dividers and the AFC scaling follow the crystal.
void storeCrystalFields(float crystalMHz, const std::optional<ToneDivisors>& divisors,
                        SynthResult& out) {
    if (divisors) {
        const CalibrationTones tones = calibrationTones(crystalMHz, *divisors);
        out.IFCalUpperToneField = tones.IFCalUpperToneField;
        out.IFCalLowerToneField = tones.IFCalLowerToneField;
    }
    if (const auto scaling = evalkit::calc::afcScaling(crystalMHz, kMaxAfcScaling)) {
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
    // 3. PFD warning (a divide-by-2 field of any other value gives none).
    if (in.VcoDiv2Field == 0 || in.VcoDiv2Field == kVcoDiv2On) {
        if (std::optional<platform::Message> low =
                evalkit::calc::pfdTooLowForLock(pfd, in.VcoDiv2Field == kVcoDiv2On)) {
            out.messages.push_back(*low);
        }
    }
    // 4. Crystal check, 5. R (a divider outside its field refuses the whole calculation),
    // 6. multiple check.
    const evalkit::calc::ReferencePlan reference =
        evalkit::calc::planReference(crystal, pfd, kLimits, out.messages);
    if (reference.refused) {
        return out;
    }
    crystal = reference.crystalMHz;
    pfd = reference.pfdMHz;
    const int16_t rDivider = reference.rDivider;
    // 7. External-inductor RF gate, 8. the core. An RF the gate or the VCO bands refuse ends
    // the calculation as a divider that does not fit does: nothing of it is kept, not R (which
    // a fraction step would put into R1 beside the dividers of the plan before), nor the
    // crystal's fields.
    if (in.ExtInductorField == kExternalInductor &&
        !withinExternalInductorGate(rf, in.divideBy2On)) {
        out.messages.push_back(
            notice(QStringLiteral("Cannot acheive specified RF Channel Frequency. Refer to "
                                  "Corvane datasheet for RF Frequency limits")));
        return out;
    }
    CoreInputs core = coreInputs(in);
    core.rf = rf;
    core.pfd = pfd;
    core.crystal = crystal;
    core.IntegerN = in.IntegerN;
    core.FracN = in.FracN;
    core.RDivider = rDivider;
    if (synthesizerCore(core, Path::Calculate, out) != CoreEnd::Done)
        return out;
    out.RDivider = rDivider;
    // 9. Crystal-derived fields from the shared crystal value.
    storeCrystalFields(out.CrystalFrequencyMHz.value_or(in.CrystalFrequencyMHz), in.tones, out);
    // 10. The read-outs show the words the plan changed.
    out.refreshReadouts = true;
    return out;
}

SynthResult UpdatesynthF(const FractionStepInputs& in, VcoUpperLimits limits) {
    SynthResult out;
    if (ValidateSynthInputs(in.rfText, in.pfdText, in.crystalText, out)) {
        return out;
    }
    const std::optional<int16_t> n = captionValue(in.nCaption);
    const std::optional<int16_t> f = captionValue(in.fCaption);
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
    // The read-outs show the words the step changed.
    if (synthesizerCore(core, Path::FractionStep, out) == CoreEnd::Done)
        out.refreshReadouts = true;
    return out;
}

std::optional<FractionStep> stepFraction(const QString& nCaption, const QString& fCaption,
                                         bool up) {
    // Empty captions: no calculation since the window was loaded.
    const std::optional<int16_t> n0 = captionValue(nCaption);
    const std::optional<int16_t> f0 = captionValue(fCaption);
    if (!n0 || !f0) {
        return std::nullopt;
    }
    const evalkit::calc::FractionalDivider d = evalkit::calc::stepFraction(
        {static_cast<double>(*n0), static_cast<double>(*f0)}, up, kFracModulus);
    const double n = d.n;
    const int32_t f = *platform::toInt32(d.f);
    const std::optional<int16_t> stepped = platform::toInt16(n);
    if (!stepped) {
        return std::nullopt;
    }
    return FractionStep{*stepped, f, integerText(n), integerText(f)};
}

} // namespace corvane::calc
