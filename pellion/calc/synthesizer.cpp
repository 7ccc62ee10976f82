#include "pellion/calc/synthesizer.h"

#include "evalkit/calc/fractionaldivider.h"
#include "evalkit/calc/synthplan.h"
#include "platform/core/numbers.h"

#include <cmath>

namespace pellion::calc {

namespace {

using evalkit::calc::DividerLimits;
using evalkit::calc::FractionalDivider;
using evalkit::calc::synthWarning;
using platform::Message;

constexpr int32_t kVcoDiv2On = 1 << 13; // VcoDiv2Field, R1 bit 13
constexpr int32_t kReceive = 1 << 27;   // TxRxField, R0 bit 27
constexpr int32_t kFracModulus = 32768; // F counts per PFD cycle (2^15)
constexpr double kRxOffsetMHz = 0.2;    // the receiver LO sits 200 kHz below the channel
constexpr int kMinimumN = 31;
constexpr int32_t kMaxAfcScaling = 0xFFFF; // R11 bits 19..4

// R1 bits 6..4, R0 bits 26..19 and 18..4: R above 7 would set R1 bit 7, N above 255 the
// receive/transmit bit.
const DividerLimits kLimits{7, 255, kFracModulus};

// The external inductor's VCO range, compared as the single-precision RF is: 650.1 typed in
// the box is outside, as is 134.9.
constexpr float kExternalLowMHz = 134.9f;
constexpr float kExternalHighMHz = 650.1f;

double numberOf(const QString& text) {
    return platform::textToNumber(text).value_or(0);
}

QString mhzText(double mhz) {
    return platform::formatNumber(mhz, u"#0.000") + QStringLiteral(" MHz");
}

QString boxText(float mhz) {
    return platform::formatSingle(mhz, u"#0.00000");
}

bool failedValidation(const SynthInputs& in, SynthResult& out) {
    const std::optional<evalkit::calc::SynthEntryFailure> failure =
        evalkit::calc::validateSynthEntries(in.rfText, in.pfdText, in.crystalText);
    if (!failure) {
        return false;
    }
    out.messages.push_back(failure->message);
    out.validationFailed = true;
    if (failure->clearsBox) {
        out.focus = failure->box;
        switch (failure->box) {
        case SynthBox::Rf:
            out.rfText = QString();
            break;
        case SynthBox::Pfd:
            out.pfdText = QString();
            break;
        case SynthBox::Crystal:
            out.crystalText = QString();
            break;
        case SynthBox::None:
            break;
        }
    }
    return true;
}

// ---- VCO range and divide-by-2 -----------------------------------------------------------

struct Band {
    bool divideBy2 = false;
    bool setsToggle = false; // the internal inductor decides the toggle itself
};

std::optional<Band> chooseBand(float rf, const SynthInputs& in, std::vector<Message>& messages) {
    if (in.chkInductor) {
        if (kExternalLowMHz < rf && rf < kExternalHighMHz) {
            return Band{in.divideBy2On, false};
        }
        messages.push_back(synthWarning(
            QStringLiteral("Frequency outside of VCO Range for Pellion-1 External VCO Inductor!")));
        return std::nullopt;
    }
    if (const std::optional<bool> divideBy2 = evalkit::calc::internalInductorDivideBy2(rf)) {
        return Band{*divideBy2, true};
    }
    messages.push_back(
        synthWarning(QStringLiteral("Frequency outside of VCO Range for Internal VCO inductor! "
                                    "If you are using the Pellion-1 make sure this is checked "
                                    "on the front panel")));
    return std::nullopt;
}

// The receiver LO and the synthesizer frequency the window shows for the entered RF.
struct SynthDisplay {
    QString lblRxLO;
    QString synthesizerMHz;
};

SynthDisplay showSynthesizer(float rf, bool external, bool divideBy2, bool receive) {
    const double offset = receive ? kRxOffsetMHz : 0;
    // With the external inductor the divide-by-2 sits after the LO; with the internal one
    // the synthesizer runs at twice the LO.
    const double lo = external && divideBy2 ? double{rf} / 2 - offset : double{rf} - offset;
    const double synthesizer = divideBy2 ? 2 * lo : lo;
    return {mhzText(lo), mhzText(synthesizer)};
}

// ---- applying planned dividers ------------------------------------------------------------

struct ApplyInputs {
    double n = 0; // the planned dividers (copies: the fields get their doubled values)
    double f = 0;
    double r = 0;
    float pfd = 0;
    float crystal = 0;
    bool external = false;
    bool divideBy2On = false;
    bool receive = false;
    float crystalBefore = 0;
    int resolution = 15;
};

// `UpdateSynthValues`. Returns false, with the refusal message, when a divider does not fit
// its field; nothing else is set then.
bool applyDividers(const ApplyInputs& in, SynthResult& out) {
    // 4., 5. The dividers the fields carry: doubled for the internal inductor's divide-by-2
    // (the synthesizer runs at twice the output), a whole modulus of F carried into N.
    FractionalDivider fields{in.n, in.f};
    if (in.divideBy2On && !in.external) {
        fields.n *= 2;
        fields.f *= 2;
    }
    if (fields.f >= kFracModulus) {
        fields.f -= kFracModulus;
        fields.n += 1;
    }
    if (std::optional<Message> refusal =
            evalkit::calc::dividerRefusal(fields.n, fields.f, in.r, kLimits)) {
        out.messages.push_back(*refusal);
        return false;
    }

    // 1. The shared frequencies.
    out.PfdFrequencyMHz = in.pfd;
    const bool crystalChanged = in.crystalBefore != in.crystal;
    out.CrystalFrequencyMHz = in.crystal;
    // 2. The channel the planned dividers give, the receive offset added back.
    const int resolution = in.resolution >= 0 && in.resolution <= 30 ? in.resolution : 15;
    double rf = (in.f / static_cast<double>(int64_t{1} << resolution) + in.n) * in.pfd;
    if (in.receive) {
        rf += kRxOffsetMHz;
        if (in.divideBy2On && in.external) {
            rf += kRxOffsetMHz;
        }
    }
    const float rfSingle = platform::toSingle(rf);
    out.RfFrequencyMHz = rfSingle;
    // 3. Boxes and the main window's read-outs.
    out.rfText = boxText(rfSingle);
    out.pfdText = boxText(in.pfd);
    out.crystalText = boxText(in.crystal);
    out.vcoFrequencyText = *out.rfText + QStringLiteral("MHz");
    out.pfdFrequencyText = *out.pfdText + QStringLiteral("MHz");
    out.crystalFrequencyText = *out.crystalText + QStringLiteral("MHz");
    // 4. The note on the divide-by-2.
    out.NoteVisible = in.divideBy2On;
    // 6. Minimum N: the plan goes on.
    if (std::optional<Message> notice = evalkit::calc::minimumNNotice(fields.n, kMinimumN)) {
        out.messages.push_back(*notice);
    }
    // 7. Fields; the refusal above has kept every value within its field.
    const int32_t n = *platform::toInt32(fields.n);
    const int32_t f = *platform::toInt32(fields.f);
    const int16_t r = *platform::toInt16(in.r);
    out.IntegerNField = n << 19;
    out.FracNField = f << 4;
    out.RDividerField = static_cast<int16_t>(r << 4);
    // 8. The data rate and the AFC scaling follow the crystal.
    if (crystalChanged) {
        out.runDataRateHandler = true;
        if (const std::optional<int32_t> scaling =
                evalkit::calc::afcScaling(in.crystal, kMaxAfcScaling)) {
            out.AfcScalingField = static_cast<double>(*scaling) * 16;
        }
    }
    // 9. Divider captions.
    out.rText = platform::numberText(r);
    out.nText = platform::numberText(n);
    out.fText = platform::numberText(f);
    out.planned = true;
    return true;
}

// ---- the fraction steps -------------------------------------------------------------------

FractionStepResult fractionStep(const SynthInputs& in, bool up) {
    FractionStepResult out;
    out.calculation = CmdCalculate(in);
    const SynthResult& calc = out.calculation;
    if (!calc.planned) {
        return out;
    }
    const FractionalDivider stepped = evalkit::calc::stepFraction(
        {static_cast<double>(*calc.IntegerN), static_cast<double>(*calc.FracN)}, up, kFracModulus);

    // The stepped dividers are applied with the PFD and crystal as the boxes now read.
    ApplyInputs apply;
    apply.n = stepped.n;
    apply.f = stepped.f;
    apply.r = *calc.RDivider;
    apply.pfd = platform::toSingle(numberOf(*calc.pfdText));
    apply.crystal = platform::toSingle(numberOf(*calc.crystalText));
    apply.external = in.chkInductor;
    apply.divideBy2On = calc.divideBy2On.value_or(in.divideBy2On);
    apply.receive = in.TxRxField == kReceive;
    apply.crystalBefore = *calc.CrystalFrequencyMHz;

    SynthResult step;
    if (applyDividers(apply, step)) {
        step.IntegerN = platform::toInt16(stepped.n);
        step.FracN = platform::toInt32(stepped.f);
        // The read-outs show the words the step changed.
        step.refreshReadouts = true;
    }
    out.step = std::move(step);
    return out;
}

} // namespace

SynthResult ValidateSynthInputs(const SynthInputs& in) {
    SynthResult out;
    failedValidation(in, out);
    return out;
}

SynthResult CmdCalculate(const SynthInputs& in) {
    SynthResult out;
    // 1. Entries.
    if (failedValidation(in, out)) {
        return out;
    }
    // 2. Values, all single precision.
    float rf = platform::toSingle(numberOf(in.rfText));
    const float pfdEntered = platform::toSingle(numberOf(in.pfdText));
    const float crystalEntered = platform::toSingle(numberOf(in.crystalText));
    const bool receive = in.TxRxField == kReceive;

    // 3. VCO range and divide-by-2, and what the window shows for them.
    const std::optional<Band> band = chooseBand(rf, in, out.messages);
    if (!band) {
        return out;
    }
    const SynthDisplay display = showSynthesizer(rf, in.chkInductor, band->divideBy2, receive);

    // 4. PFD low for lock: the plan goes on.
    if (std::optional<Message> warning =
            evalkit::calc::pfdTooLowForLock(pfdEntered, band->divideBy2)) {
        out.messages.push_back(*warning);
    }
    // 5., 6. Crystal check, R, multiple check.
    const evalkit::calc::ReferencePlan reference =
        evalkit::calc::planReference(crystalEntered, pfdEntered, kLimits, out.messages);
    if (reference.refused) {
        return out;
    }
    const float pfd = platform::toSingle(reference.pfdMHz);
    const float crystal = reference.crystalMHz;

    // 7. Receive LO offset: 0.4 MHz in all with the external inductor's divide-by-2.
    if (receive) {
        rf = platform::toSingle(double{rf} - kRxOffsetMHz);
        if (band->divideBy2 && in.chkInductor) {
            rf = platform::toSingle(double{rf} - kRxOffsetMHz);
        }
    }

    // 8. N and F, in single precision as the values are held.
    const double n = platform::intFloor(platform::toSingle(double{rf} / pfd));
    const float remainder =
        platform::toSingle(double{rf} - double{platform::toSingle(n * double{pfd})});
    const float r = platform::toSingle(platform::roundDecimals(remainder, 4));
    // A remainder that rounds up to a whole PFD cycle is one more N and no fraction.
    const FractionalDivider planned = evalkit::calc::fractionOfRemainder(n, r, pfd, kFracModulus);

    // 9. Apply; a divider that does not fit its field refuses the whole plan.
    ApplyInputs apply;
    apply.n = planned.n;
    apply.f = planned.f;
    apply.r = reference.rDivider;
    apply.pfd = pfd;
    apply.crystal = crystal;
    apply.external = in.chkInductor;
    apply.divideBy2On = band->divideBy2;
    apply.receive = receive;
    apply.crystalBefore = in.CrystalFrequencyMHz;
    if (!applyDividers(apply, out)) {
        return out;
    }
    // Only now that the plan holds does anything of steps 3 to 8 count.
    out.VcoDiv2Field = band->divideBy2 ? kVcoDiv2On : 0;
    if (band->setsToggle) {
        out.divideBy2On = band->divideBy2;
    }
    out.lblRxLO = display.lblRxLO;
    out.synthesizerMHz = display.synthesizerMHz;
    out.RDivider = reference.rDivider;
    out.IntegerN = platform::toInt16(planned.n);
    out.FracN = platform::toInt32(planned.f);
    out.CrystalFrequencyMHz = crystal;
    out.refreshReadouts = true;
    return out;
}

SynthResult UpdateSynthValues(float pfdMHz, float crystalMHz, const SynthValues& values,
                              int resolution) {
    SynthResult out;
    // Called with the values the plan checked; anything else cannot be divided by or shown.
    if (!(pfdMHz > 0) || !std::isfinite(pfdMHz) || !std::isfinite(crystalMHz)) {
        return out;
    }
    ApplyInputs apply;
    apply.n = values.IntegerN;
    apply.f = values.FracN;
    apply.r = values.RDivider;
    apply.pfd = pfdMHz;
    apply.crystal = crystalMHz;
    apply.external = values.chkInductor;
    apply.divideBy2On = values.divideBy2On;
    apply.receive = values.TxRxField == kReceive;
    apply.crystalBefore = values.CrystalFrequencyMHz;
    apply.resolution = resolution;
    out.refreshReadouts = applyDividers(apply, out);
    return out;
}

FractionStepResult cmdfdown(const SynthInputs& in) {
    return fractionStep(in, false);
}

FractionStepResult StepFracUp(const SynthInputs& in) {
    return fractionStep(in, true);
}

} // namespace pellion::calc
