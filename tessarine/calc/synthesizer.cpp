#include "tessarine/calc/synthesizer.h"

#include "evalkit/calc/fractionaldivider.h"
#include "evalkit/calc/limitwarning.h"
#include "platform/core/numbers.h"

#include <cstdint>

namespace tessarine::calc {

namespace {

using evalkit::calc::FractionalDivider;
using platform::MsgIcon;

constexpr double MaxCrystalMHz = 40;
constexpr double MaxMultipleError = 0.001; // squared MHz
constexpr int FractionPlaces = 4;

platform::Message warning(const QString& text) {
    return {text, MsgIcon::Critical, WarningTitle, false};
}

platform::Message caution(const QString& text) {
    return {text, MsgIcon::Exclamation, std::nullopt, false};
}

double numberOf(const QString& text) {
    return platform::textToNumber(text).value_or(0);
}

// R is at least 1 by the crystal check (doubled crystal not below the PFD); above 15 it
// would run into the doubler bit.
std::optional<platform::Message> rDividerRefusal(double r) {
    if (r > MaxRDivider) {
        return evalkit::calc::aboveMaximumWarning(
            QStringLiteral("R divide"), r, MaxRDivider,
            QStringLiteral("Please raise the PFD frequency or lower the XTAL frequency"));
    }
    return std::nullopt;
}

// N above 255 would run into the prescaler bit; below 0 (an RF below zero) into every bit.
std::optional<platform::Message> integerNRefusal(double n) {
    if (n > MaxIntegerN) {
        return evalkit::calc::aboveMaximumWarning(QStringLiteral("Integer N divide"), n,
                                                  MaxIntegerN,
                                                  QStringLiteral("Please raise the PFD frequency"));
    }
    if (n < 0) {
        return evalkit::calc::belowMinimumWarning(QStringLiteral("Integer N divide"), n, 0,
                                                  QStringLiteral("Please raise the RF frequency"));
    }
    return std::nullopt;
}

void refuse(const platform::Message& refusal, SynthResult& out) {
    out.messages.push_back(refusal);
    out.refused = true;
}

// ValidateSynthInputs: the refused box is emptied and gets the focus.
bool entriesRead(const SynthInputs& in, SynthResult& out) {
    const std::optional<evalkit::calc::SynthEntryFailure> failure =
        evalkit::calc::validateSynthEntries(in.rfText, in.pfdText, in.crystalText);
    if (!failure)
        return true;
    out.messages.push_back(failure->message);
    out.validationFailed = true;
    if (failure->clearsBox) {
        out.focus = failure->box;
        switch (failure->box) {
        case evalkit::calc::SynthBox::Rf:
            out.rfText = QString();
            break;
        case evalkit::calc::SynthBox::Pfd:
            out.pfdText = QString();
            break;
        case evalkit::calc::SynthBox::Crystal:
            out.crystalText = QString();
            break;
        case evalkit::calc::SynthBox::None:
            break;
        }
    }
    return false;
}

QString mhzText(float mhz) {
    return platform::formatSingle(mhz, u"#0.00000");
}

// ApplySynthResult: the frequencies the dividers give, the boxes and read-outs, the fields
// and the divider captions. The callers have kept every divider within its field.
void applySynthResult(float pfd, float crystal, const FractionalDivider& div, int16_t rDivider,
                      SynthResult& out) {
    const int16_t n = *platform::toInt16(div.n);
    const int16_t f = *platform::toInt16(div.f);
    out.IntegerN = n;
    out.FracN = f;
    out.RDivider = rDivider;
    // The frequencies the dividers give. The output divider takes no part: this is the
    // synthesizer's own frequency.
    out.PfdFrequencyMHz = pfd;
    out.CrystalFrequencyMHz = crystal;
    const float rf = platform::toSingle((static_cast<double>(f) / FracModulus + n) * double{pfd});
    out.RfFrequencyMHz = rf;
    // The entry boxes and the front panel's read-outs.
    out.rfText = mhzText(rf);
    out.pfdText = mhzText(pfd);
    out.crystalText = mhzText(crystal);
    out.vcoFrequencyText = *out.rfText + QStringLiteral("MHz");
    out.pfdFrequencyText = *out.pfdText + QStringLiteral("MHz");
    out.crystalFrequencyText = *out.crystalText + QStringLiteral("MHz");
    // The register fields, shifted to their bits.
    out.IntegerNField = int32_t{n} << 14;
    out.FracNField = static_cast<int16_t>(f * 4);
    out.RDividerField = int32_t{rDivider} << 13;
    // The divider captions.
    out.rText = platform::numberText(rDivider);
    out.nText = platform::numberText(n);
    out.fText = platform::numberText(f);
    // The read-out refresh, the scheme's plan and the clock-out that follow are the window's.
    out.applied = true;
}

} // namespace

SynthResult cmdCalculate(const SynthInputs& in) {
    SynthResult out;
    // Each entry a number in range.
    if (!entriesRead(in, out))
        return out;
    // The doubler and the three frequencies.
    const double doubler = in.DoublerFactor == 2 ? 2 : 1;
    const float rf = platform::toSingle(numberOf(in.rfText));
    float pfd = platform::toSingle(numberOf(in.pfdText));
    float crystal = platform::toSingle(numberOf(in.crystalText));
    // The crystal check. The doubler feeds the reference divider twice the crystal, so only the
    // doubled crystal has to reach the PFD.
    if (crystal > MaxCrystalMHz || doubler * crystal < pfd) {
        out.messages.push_back(warning(InvalidCrystalText));
        crystal = pfd;
    }
    // R: the doubled crystal over the PFD, rounded, within its field.
    const double r = platform::roundHalfEven(doubler * crystal / pfd);
    if (const auto refusal = rDividerRefusal(r)) {
        refuse(*refusal, out);
        return out;
    }
    const int16_t rDivider = *platform::toInt16(r);
    // A crystal that is no whole multiple of the PFD gives the PFD R divides it down to.
    const double reference = doubler * crystal / rDivider;
    if ((reference - pfd) * (reference - pfd) > MaxMultipleError) {
        out.messages.push_back(caution(NotMultipleText));
        pfd = platform::toSingle(reference);
    }
    // The PFD the dividers are planned with is final here, so the warning judges that one.
    const double lowPfd = in.PrescalerField == Prescaler89Field ? LowPfdMHzPrescaler89 : LowPfdMHz;
    if (pfd < lowPfd)
        out.messages.push_back(warning(PfdTooLowText));
    // N and F: the RF over the PFD, N within its field.
    const double n = platform::intFloor(double{rf} / pfd);
    const float remainder =
        platform::toSingle(platform::roundDecimals(double{rf} - n * pfd, FractionPlaces));
    const FractionalDivider div =
        evalkit::calc::fractionOfRemainder(n, remainder, pfd, FracModulus);
    if (const auto refusal = integerNRefusal(div.n)) {
        refuse(*refusal, out);
        return out;
    }
    // The plan stored and shown.
    applySynthResult(pfd, crystal, div, rDivider, out);
    return out;
}

SynthResult stepFraction(const SynthInputs& in, bool up) {
    SynthResult out = cmdCalculate(in);
    if (!out.applied)
        return out;
    const FractionalDivider stepped = evalkit::calc::stepFraction(
        {static_cast<double>(*out.IntegerN), static_cast<double>(*out.FracN)}, up, FracModulus);
    if (const auto refusal = integerNRefusal(stepped.n)) {
        // The calculation and its step are one plan: nothing of it is kept.
        SynthResult refused;
        refused.messages = std::move(out.messages);
        refuse(*refusal, refused);
        return refused;
    }
    // The PFD and crystal boxes as the calculation has just written them.
    const float pfd = platform::toSingle(numberOf(*out.pfdText));
    const float crystal = platform::toSingle(numberOf(*out.crystalText));
    applySynthResult(pfd, crystal, stepped, *out.RDivider, out);
    return out;
}

DoublerSetting doublerSetting(bool ticked) {
    return ticked ? DoublerSetting{2, DoublerOnField} : DoublerSetting{1, 0};
}

std::optional<int32_t> vcoDivideField(int listIndex) {
    if (listIndex < 0 || listIndex > 3)
        return std::nullopt;
    return int32_t{listIndex} << 25;
}

std::optional<int> vcoDivideIndex(int32_t VcoDivideField) {
    for (int index = 0; index <= 3; ++index) {
        if (VcoDivideField == int32_t{index} << 25)
            return index;
    }
    return std::nullopt;
}

QString prescalerText(int32_t PrescalerField) {
    return PrescalerField == Prescaler89Field ? QStringLiteral("8/9") : QStringLiteral("4/5");
}

QString boxText(float mhz) {
    return platform::formatSingle(mhz, u".000000");
}

} // namespace tessarine::calc
