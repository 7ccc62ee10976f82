#include "pellion/calc/demod.h"

#include "evalkit/calc/demodfilters.h"
#include "evalkit/calc/receiverclocks.h"
#include "platform/core/numbers.h"

#include <cmath>

namespace pellion::calc {

namespace {

using evalkit::calc::dividerEntry;

constexpr int32_t MaxIFFilterDivider = 511;
constexpr int32_t MaxBBOffsetEntry = 27; // 28 / 8 rounds to 4, beyond the 2-bit code
constexpr int32_t MaxDemodDivider = 4;
constexpr int32_t MaxCdrDivider = 255;
constexpr int32_t LargestDiscrimSetting = 600;

const QString kHz = QStringLiteral(" kHz");
const QString MHz = QStringLiteral(" MHz");

using platform::bit;

// A field's value over 2^lowBit, rounded; 0 for a field that holds no 32-bit count.
int32_t countOf(double field, int lowBit) {
    return platform::toInt32(field / bit(lowBit)).value_or(0);
}

platform::Message notice(const QString& text) {
    return {text, platform::MsgIcon::None, std::nullopt, false};
}

platform::Message entryRefusal(const QString& text) {
    return {text, platform::MsgIcon::Exclamation, std::nullopt, false};
}

} // namespace

BalancedCdr balanceCdr(int32_t cdr, int32_t demod) {
    BalancedCdr b{cdr, demod};
    if (b.cdr > MaxCdrDivider && b.demod == 1) {
        b.cdr = platform::toInt32(b.cdr / 2.0).value_or(MaxCdrDivider);
        b.demod = 2;
    }
    if (b.cdr > MaxCdrDivider && b.demod == 2) {
        b.cdr = platform::toInt32(b.cdr * 2.0 / 3.0).value_or(MaxCdrDivider);
        b.demod = 3;
    }
    if (b.cdr > MaxCdrDivider && b.demod == 3) {
        b.cdr = platform::toInt32(b.cdr * 3.0 / 4.0).value_or(MaxCdrDivider);
        b.demod = 4;
    }
    if (b.cdr > MaxCdrDivider)
        b.cdr = MaxCdrDivider;
    return b;
}

ShownDividers shownDividers(const ReceiverClockFields& f) {
    ShownDividers s;
    s.ifFilter = countOf(f.IFFilterDividerField, 20);
    s.bbOffset = evalkit::calc::bbOffsetDivider(countOf(f.BbOffsetDividerField, 4));
    const BalancedCdr b =
        balanceCdr(countOf(f.CdrClockDividerField, 8),
                   evalkit::calc::demodDividerOfCode(countOf(f.DemodClockDividerField, 6)));
    s.demod = b.demod;
    s.cdr = b.cdr;
    s.seq = countOf(f.SeqClockDividerField, 16);
    return s;
}

ClockLabels clockLabels(float CrystalFrequencyMHz, const ShownDividers& s) {
    // The crystal is a single and the dividers whole numbers, so each clock is worked out in
    // single precision: 11059.2 kHz / 35 shows 315.9771, not the 315.9772 of the double.
    const float crystalMHz = CrystalFrequencyMHz;
    const float crystalKHz = platform::toSingle(double{crystalMHz} * 1000.0);
    ClockLabels l;
    using evalkit::calc::singleClockText;
    l.lblIFfilterclk = singleClockText(crystalKHz, s.ifFilter, kHz);
    l.lblBBoffsetclk = singleClockText(crystalMHz, s.bbOffset, MHz);
    l.lblDemodclk = singleClockText(crystalMHz, s.demod, MHz);
    l.lblCDRclk = singleClockText(crystalKHz, static_cast<double>(s.cdr) * s.demod, kHz);
    if (s.seq > 0)
        l.lblSeqclk = singleClockText(crystalKHz, s.seq, kHz);
    return l;
}

std::optional<QString> t4FrequencyText(float CrystalFrequencyMHz, int32_t setting) {
    if (setting == 0)
        return std::nullopt;
    // In single precision, as the clock labels.
    const float v = platform::toSingle(
        double{platform::toSingle(double{CrystalFrequencyMHz} * 1000.0)} / setting);
    if (!std::isfinite(v))
        return std::nullopt;
    return platform::formatSingle(v, u"#0.000") + kHz;
}

QString demodBwLabel(const QString& frontPanelCaption) {
    const std::optional<double> v = platform::textToNumber(frontPanelCaption);
    return (v ? platform::formatNumber(*v, u".0000") : frontPanelCaption) + QStringLiteral("kHz");
}

QString postDemodCodeText(int32_t PostDemodBwField) {
    return QStringLiteral("R4_DB(6:15) = ") + platform::numberText(PostDemodBwField / 64.0);
}

LoadDiscriminator loadDiscriminator(float ActualDeviationKHz, float DemodClockMHz,
                                    int16_t DemodTypeField, float CrystalFrequencyMHz) {
    LoadDiscriminator l;
    l.plan = planDiscriminator(ActualDeviationKHz, DemodClockMHz, DemodTypeField);
    if (l.plan.setting) {
        l.txtT4delay = platform::numberText(*l.plan.setting);
        l.lblT4Frequency = t4FrequencyText(CrystalFrequencyMHz, *l.plan.setting);
    }
    return l;
}

DiscrimEntry discrimEntry(const QString& text, float CrystalFrequencyMHz) {
    DiscrimEntry e;
    const evalkit::calc::DividerEntry K =
        dividerEntry(text, 1, evalkit::calc::MaxTenBitCode, DiscrimLimitText);
    if (K.refusal)
        e.messages.push_back(*K.refusal);
    if (!K.value)
        return e;
    e.DiscrimBwField = *K.value * bit(4);
    e.txtT4delay = platform::numberText(*K.value);
    e.lblT4Frequency = t4FrequencyText(CrystalFrequencyMHz, *K.value);
    if (*K.value > LargestDiscrimSetting)
        e.messages.push_back(notice(DiscrimWarningText));
    return e;
}

IFFilterEntry ifFilterEntry(const QString& text) {
    const evalkit::calc::DividerEntry n =
        dividerEntry(text, 1, MaxIFFilterDivider, IFFilterLimitText);
    IFFilterEntry e{n.refusal, std::nullopt};
    if (n.value)
        e.IFFilterDividerField = static_cast<double>(*n.value) * bit(20);
    return e;
}

BBOffsetEntry bbOffsetEntry(const QString& text) {
    const evalkit::calc::DividerEntry n =
        dividerEntry(text, 0, MaxBBOffsetEntry, BBOffsetLimitText);
    BBOffsetEntry e{n.refusal, std::nullopt};
    if (n.value)
        e.BbOffsetDividerField = evalkit::calc::bbOffsetCodeOfEntry(*n.value) * bit(4);
    return e;
}

CdrEntry cdrEntry(const QString& text, float DemodClockMHz) {
    const evalkit::calc::DividerEntry n = dividerEntry(text, 0, MaxCdrDivider, CDRLimitText);
    CdrEntry e{n.refusal, std::nullopt, std::nullopt};
    if (!n.value)
        return e;
    const int32_t c = *n.value == 0 ? 1 : *n.value; // 0: no divide at all
    e.CdrClockDividerField = c * bit(8);
    e.CdrClockKHz = platform::toSingle(DemodClockMHz * 1000.0 / c);
    return e;
}

DemodEntry demodEntry(const QString& text, float CrystalFrequencyMHz, float ActualDeviationKHz) {
    const evalkit::calc::DividerEntry n = dividerEntry(text, 1, MaxDemodDivider, DemodLimitText);
    DemodEntry e;
    e.refusal = n.refusal;
    // Without a crystal there is no demodulator clock to plan.
    if (!n.value || !std::isfinite(CrystalFrequencyMHz) || !(CrystalFrequencyMHz > 0))
        return e;
    const int32_t d = *n.value;
    const float fd = platform::toSingle(static_cast<double>(CrystalFrequencyMHz) / d);
    // The discriminator for the new clock; without a deviation it stays as it is, and a
    // setting of 0 is kept out of the register.
    if (ActualDeviationKHz > 0) {
        const double exact = fd * 1000.0 / (static_cast<double>(ActualDeviationKHz) * 4);
        const std::optional<int64_t> K = platform::toInt64(exact);
        if (!K || *K > evalkit::calc::MaxTenBitCode || *K < 0) {
            DemodEntry refused;
            refused.refusal = discriminatorRefusal(platform::roundHalfEven(exact));
            return refused;
        }
        if (*K > 0) {
            const auto setting = static_cast<int32_t>(*K);
            e.DiscrimBwField = setting * bit(4);
            e.txtT4delay = platform::numberText(setting);
            e.lblT4Frequency = t4FrequencyText(CrystalFrequencyMHz, setting);
        }
    }
    e.DemodClockMHz = fd;
    e.DemodClockDividerField = static_cast<int16_t>(d == 4 ? 0 : d * bit(6));
    return e;
}

PostDemodEntry postDemodEntry(const QString& text, float DemodClockMHz) {
    PostDemodEntry e;
    const std::optional<double> v = platform::textToNumber(text);
    if (!v)
        return e;
    const float bw = platform::toSingle(*v);
    if (!std::isfinite(bw) || bw < 0)
        return e;
    const std::optional<int32_t> code = evalkit::calc::postDemodCodeForBandwidth(bw, DemodClockMHz);
    if (!code)
        return e;
    if (*code > evalkit::calc::MaxTenBitCode) {
        e.refusal = entryRefusal(evalkit::calc::PostDemodLimitText);
        return e;
    }
    const QString shown = platform::formatNumber(
        evalkit::calc::postDemodBandwidthKHz(*code, DemodClockMHz), u"#0.0000");
    e.PostDemodBwField = *code * bit(6);
    e.lblDemodBW = shown + QStringLiteral("kHz");
    e.frontPanelDemodBW = shown;
    e.lblDemodBW_disp = QStringLiteral("R4_DB(6:15) = ") + platform::numberText(*code);
    return e;
}

int lockModeListIndex(int32_t LockThresholdModeBit23Field, double LockThresholdModeField) {
    const double sum = LockThresholdModeBit23Field + LockThresholdModeField;
    for (int i = 0; i < 4; ++i) {
        const LockModeFields f = *lockModeFields(i);
        if (sum == f.LockThresholdModeBit23Field + f.LockThresholdModeField)
            return i;
    }
    return -1;
}

int lockModeListIndexOfCode(int32_t codeBits) {
    return lockModeListIndex(0, codeBits);
}

std::optional<LockModeFields> lockModeFields(int listIndex) {
    switch (listIndex) {
    case 0:
        return LockModeFields{0, 0};
    case 1:
        return LockModeFields{0, bit(23)};
    case 2:
        return LockModeFields{bit(24), 0};
    case 3:
        return LockModeFields{bit(24), bit(23)};
    default:
        return std::nullopt;
    }
}

} // namespace pellion::calc
