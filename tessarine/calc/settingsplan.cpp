#include "tessarine/calc/settingsplan.h"

#include "evalkit/calc/gaussian.h"
#include "platform/core/numbers.h"
#include "tessarine/calc/modulation.h"
#include "tessarine/calc/synthesizer.h"

#include <algorithm>
#include <limits>

namespace tessarine::calc {

namespace {

using platform::numberText;

// The file's scheme names are the list's item texts.
constexpr std::array<const char16_t*, 5> SchemeNames{u"FSK", u"GFSK", u"ASK", u"OOK", u"GOOK"};

// The profile functions read a text into a buffer of 256 characters.
constexpr qsizetype MaxTextLength = 255;
constexpr int MaxLevel = 63;
constexpr int PrescalerFourFive = 4;
constexpr int PrescalerEightNine = 8;

void planSynthesizer(KeyReader& r, SettingsPlan& p) {
    SynthesizerPlan& s = p.synthesizer;
    s.entries = evalkit::calc::planSynthesizerEntries(
        r, {keys::Frequency, keys::CrystalFreq, keys::RefDivider}, MaxRDivider);
    // The doubler's option is off (0) or on (1); another number is neither.
    if (const std::optional<int> doubler = r.inRange(keys::RefDoubler, 0, 1))
        s.doubler = *doubler == 1;
    // 0 reads as no divider, as 1 does; any other number leaves the list as it is.
    if (const std::optional<int> ratio = r.integer(keys::VcoDivider); ratio == 0)
        s.vcoDivide = 0;
    else
        s.vcoDivide = r.position(keys::VcoDivider, VcoDivideRatios);
    p.panel.icp = r.index(keys::IcpIndex, 4);
    // 4 is the 4/5 prescaler; the file's 8, as any other number (0 for a missing key), the
    // 8/9 one.
    if (const std::optional<int> prescaler = r.integer(keys::Prescaler)) {
        p.prescaler89 = *prescaler != PrescalerFourFive;
        if (r.text(keys::Prescaler) && *prescaler != PrescalerFourFive &&
            *prescaler != PrescalerEightNine)
            r.readAs(keys::Prescaler, numberText(PrescalerEightNine));
    }
}

void planModulation(KeyReader& r, FrontPanelPlan& p) {
    // Any other scheme name, or none, leaves the scheme and its settings as they are.
    p.scheme = r.nameIndex(keys::Modulation, SchemeNames);
    if (!p.scheme)
        return;
    // The divider box takes any whole number: below 1 it shows 1, above 127 it shows 127, and
    // the box is given that.
    const auto divider = [&r]() -> std::optional<QString> {
        const std::optional<int> d = r.integer(keys::DividerFactor);
        if (!d)
            return std::nullopt;
        const int taken =
            std::clamp(*d, evalkit::calc::MinGaussianDivider, evalkit::calc::MaxGaussianDivider);
        if (taken != *d)
            r.readAs(keys::DividerFactor, numberText(taken));
        return numberText(taken);
    };
    switch (*p.scheme) {
    case FskItem:
        // Whether the count fits at the PFD is known only once the synthesizer has run.
        p.deviation = r.number<QString>(keys::Deviation, [](double v) {
            return evalkit::calc::roundedText(v, 3, 0, std::numeric_limits<double>::max(),
                                              MaxTextLength);
        });
        break;
    case GfskItem:
        p.gaussian.indexCount = r.index(keys::IndexCounter, 4);
        p.gaussian.divider = divider();
        p.gaussian.modControl = r.index(keys::ModControl, 8);
        break;
    case AskItem:
        p.paLevelLow = r.inRange(keys::PALevelLow, 0, MaxLevel);
        break;
    case GookItem:
        // The count itself; any other number leaves the list as it is.
        p.gaussian.indexCount = r.position(keys::IndexCounter, IndexCounts);
        p.gaussian.divider = divider();
        break;
    default:
        break;
    }
    p.paLevel = r.inRange(keys::PALevel, 0, MaxLevel);
}

void planOther(KeyReader& r, SettingsPlan& p) {
    const std::optional<int> enabled = r.integer(keys::OtherEnabled);
    if (!enabled || *enabled == 0)
        return;
    if (*enabled != 1)
        r.readAs(keys::OtherEnabled, QStringLiteral("1"));
    OtherPlan o;
    o.vcoAdjust = r.inRange(keys::VcoAdjust, 0, 3);
    o.vcoBias = r.inRange(keys::VcoBias, 0, 15);
    o.paBias = r.inRange(keys::PaBias, 0, 7);
    o.clockOut = r.inRange(keys::ClockOut, 0, ClockOutPositions - 1);
    o.muxOut = r.inRange(keys::MuxOut, 0, 15);
    // 1 is on; any other number off.
    const auto onOff = [&r](const Key& k) -> std::optional<bool> {
        const std::optional<int> v = r.integer(k);
        if (!v)
            return std::nullopt;
        if (*v != 0 && *v != 1)
            r.readAs(k, QStringLiteral("0"));
        return *v == 1;
    };
    o.dataInvert = onOff(keys::DataInvert);
    o.lockDetectFiveCycles = onOff(keys::LockDp);
    p.other = o;
}

} // namespace

SettingsPlan planSettings(KeyReader& r) {
    SettingsPlan p;
    planSynthesizer(r, p);
    planModulation(r, p.panel);
    planOther(r, p);
    return p;
}

void writeSettings(const SettingsRecord& s, const evalkit::calc::KeyWriter& write) {
    const FrontPanelRecord& m = s.panel;
    // This file names its path before its version.
    write(evalkit::calc::filekeys::Path, s.path);
    write(evalkit::calc::filekeys::Version, QStringLiteral("1"));
    write(keys::Chip, QStringLiteral("Tessarine"));
    write(keys::Modulation, m.modulation);
    write(keys::Frequency, s.synthesizer.rf);
    write(keys::Int, s.fields.integerN);
    write(keys::Frac, s.fields.fracN);
    write(keys::CrystalFreq, s.synthesizer.crystal);
    write(keys::RefDivider, s.fields.refDivider);
    write(keys::RefDoubler, s.fields.doubler ? QStringLiteral("1") : QStringLiteral("0"));
    write(keys::IcpIndex, m.icp);
    write(keys::Prescaler, s.fields.prescaler89 ? QStringLiteral("8") : QStringLiteral("4"));
    const int divide = s.synthesizer.vcoDivide;
    if (divide >= 0 && divide < static_cast<int>(VcoDivideRatios.size()))
        write(keys::VcoDivider, numberText(VcoDivideRatios[static_cast<std::size_t>(divide)]));

    // Each scheme writes its own keys.
    switch (m.scheme) {
    case FskItem:
        write(keys::PALevel, m.paLevel);
        write(keys::Deviation, m.deviation);
        break;
    case GfskItem:
        write(keys::PALevel, m.paLevel);
        write(keys::IndexCounter, m.indexCountIndex);
        write(keys::DividerFactor, m.divider);
        write(keys::ModControl, m.modControl);
        break;
    case AskItem:
        write(keys::PALevel, m.paLevel);
        write(keys::PALevelLow, m.paLevelLow);
        break;
    case OokItem:
        write(keys::PALevel, m.paLevel);
        break;
    case GookItem:
        write(keys::PALevel, m.paLevel);
        if (m.indexCount >= 0 && m.indexCount < static_cast<int>(IndexCounts.size()))
            write(keys::IndexCounter,
                  numberText(IndexCounts[static_cast<std::size_t>(m.indexCount)]));
        write(keys::DividerFactor, m.divider);
        break;
    default:
        break;
    }

    write(keys::OtherEnabled, QStringLiteral("1"));
    write(keys::VcoAdjust, s.bias.vcoAdjust);
    write(keys::VcoBias, s.bias.vcoBias);
    write(keys::PaBias, s.bias.paBias);
    write(keys::ClockOut, numberText(s.clockOut));
    write(keys::MuxOut, s.fields.muxOut);
    write(keys::DataInvert, s.fields.dataInvert);
    write(keys::LockDp, s.fields.lockDetect);
}

} // namespace tessarine::calc
