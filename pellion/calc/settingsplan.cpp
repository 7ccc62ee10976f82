#include "pellion/calc/settingsplan.h"

#include "evalkit/calc/gaussian.h"
#include "platform/core/numbers.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace pellion::calc {

namespace {

using platform::numberText;

constexpr std::array<const char16_t*, 5> SchemeNames{u"FSK", u"GFSK", u"ASK", u"OOK", u"GOOK"};

// Limits of the boxes and fields the import fills, so that a value goes in only where its
// control takes it (and shows none of its own messages).
constexpr int MaxLevel = 63;   // the PA scroll bars
constexpr int MaxRDivider = 7; // R1 bits 6..4
constexpr double MaxDeviationKHz = 500;
constexpr int MaxDeviationText = 6; // the deviation box acts below 7 characters
// The Gaussian window, which the modulation handler runs next, takes a divider below 1 as 1
// and one above 127 as 127.
constexpr int MinDivider = evalkit::calc::MinGaussianDivider;
constexpr int MaxDivider = evalkit::calc::MaxGaussianDivider;

void planSynthesizer(KeyReader& r, SettingsPlan& p) {
    if (const std::optional<int> lext = r.inRange(keys::Lext, 0, 1))
        p.panel.externalInductor = *lext == 1;
    p.synthesizer.entries = evalkit::calc::planSynthesizerEntries(
        r, {keys::Frequency, keys::CrystalFreq, keys::RefDivider}, MaxRDivider);
    p.panel.icp = r.index(keys::IcpIndex, 4);
    // The exporter writes "True" or "False"; as a number (the other tool's files), non-zero is
    // on.
    const std::optional<QString> div2 = r.text(keys::VcoDivider);
    if (div2 && div2->compare(QStringLiteral("True"), Qt::CaseInsensitive) == 0)
        p.synthesizer.divideBy2 = true;
    else if (div2 && div2->compare(QStringLiteral("False"), Qt::CaseInsensitive) == 0)
        p.synthesizer.divideBy2 = false;
    else if (const std::optional<int> v = r.integer(keys::VcoDivider)) {
        p.synthesizer.divideBy2 = *v != 0;
        // Said in the file's own words for what is not a plain 0 or 1.
        if (div2 && *div2 != QStringLiteral("0") && *div2 != QStringLiteral("1"))
            r.readAs(keys::VcoDivider, *v != 0 ? QStringLiteral("True") : QStringLiteral("False"));
    }
    // 0 (or missing) keeps the bias the inductor check box chose.
    evalkit::calc::planVcoBias(r, p.bias, keys::VcoBand, keys::VcoBias);
}

void planModulation(KeyReader& r, SettingsPlan& p) {
    FrontPanelPlan& m = p.panel;
    // Any other scheme name, or none, leaves the scheme and its settings as they are.
    m.scheme = r.nameIndex(keys::Modulation, SchemeNames);
    if (!m.scheme)
        return;
    switch (*m.scheme) {
    case FskScheme:
        m.deviation = r.number<double>(keys::Deviation, [](double v) -> std::optional<double> {
            // Whether its count fits the field at the PFD is known only once the synthesizer
            // has run.
            if (!evalkit::calc::roundedText(v, 3, 0, MaxDeviationKHz, MaxDeviationText))
                return std::nullopt;
            return platform::roundDecimals(v, 3);
        });
        break;
    case GfskScheme:
    case GookScheme:
        p.gaussian.indexCounter = r.inRange(keys::IndexCounter, 0, 3);
        if (const std::optional<int> d = r.integer(keys::DividerFactor)) {
            p.gaussian.divider = std::clamp(*d, MinDivider, MaxDivider);
            if (*p.gaussian.divider != *d)
                r.readAs(keys::DividerFactor, numberText(*p.gaussian.divider));
        }
        p.gaussian.modControl = r.inRange(keys::ModControl, 0, 7);
        break;
    case AskScheme:
        m.paLevelLow = r.inRange(keys::PALevelLow, 0, MaxLevel);
        break;
    default:
        break;
    }
    m.paLevel = r.inRange(keys::PALevel, 0, MaxLevel);
}

void planReceiver(KeyReader& r, SettingsPlan& p) {
    // The rate is taken as the file holds it (whether the plan can use it at the crystal the
    // synthesizer ends up with is checked when it is applied).
    p.panel.rate = r.number<double>(keys::BaudRate, [](double v) -> std::optional<double> {
        const double kbps = v / 1000;
        if (!std::isfinite(kbps))
            return std::nullopt;
        return kbps;
    });
    p.panel.ifBandwidth = r.index(keys::IfBandwidth, 3);
    p.bias.mixerLinearity = r.index(keys::MixerLinearity, 2);
    p.lnaMode = r.inRange(keys::LnaMode, 0, 1);
}

void planSync(KeyReader& r, SettingsPlan& p) {
    evalkit::calc::SyncWordPlan& s = p.sync;
    s.detect = r.index(keys::SyncDetect, 3);
    // "0x" and at most the 24 bits of the field, as the window's box takes it.
    if (const std::optional<QString> word = r.text(keys::SyncWord)) {
        if (evalkit::calc::syncWordValue(*word, SyncWordPrefix))
            s.word = *word;
        else
            r.skip(keys::SyncWord);
    }
    s.length = r.index(keys::WordLength, 4);
    s.errors = r.inRange(keys::NumErrors, 0, 3);
}

} // namespace

bool isGaussianScheme(int scheme) {
    return scheme == GfskScheme || scheme == GookScheme;
}

SettingsPlan planSettings(KeyReader& r) {
    SettingsPlan p;
    planSynthesizer(r, p);
    planModulation(r, p);
    planReceiver(r, p);
    planSync(r, p);
    return p;
}

void writeSettings(const SettingsRecord& s, const evalkit::calc::KeyWriter& write) {
    const FrontPanelRecord& m = s.panel;
    // 1, 2. The file section, the chip and the modulation.
    evalkit::calc::writeFileSection(write, s.path);
    write(keys::Chip, m.externalInductor ? QStringLiteral("Pellion-1") : QStringLiteral("Pellion"));
    write(keys::Modulation, m.modulation);
    // 3, 4. The data rate, the RF channel and its dividers.
    write(keys::BaudRate, numberText(s.rateKbps * 1000));
    write(keys::Frequency, s.synthesizer.rf);
    write(keys::Int, s.fields.integerN);
    write(keys::Frac, s.fields.fracN);
    // 5. Each scheme writes its own keys.
    const auto gaussianKeys = [&] {
        write(keys::IndexCounter, s.gaussian.indexCounter);
        write(keys::DividerFactor, s.gaussian.divider);
        write(keys::ModControl, s.gaussian.modControl);
    };
    if (m.modulation == QStringLiteral("FSK")) {
        write(keys::PALevel, m.fskLevel);
        write(keys::Deviation, m.deviationEntry);
    } else if (m.modulation == QStringLiteral("GFSK")) {
        write(keys::PALevel, m.fskLevel);
        write(keys::Deviation, m.deviationShown);
        gaussianKeys();
    } else if (m.modulation == QStringLiteral("ASK")) {
        write(keys::PALevel, m.askLevel);
        write(keys::PALevelLow, m.askLowLevel);
    } else if (m.modulation == QStringLiteral("OOK")) {
        write(keys::PALevel, m.askLevel);
    } else if (m.modulation == QStringLiteral("GOOK")) {
        write(keys::PALevel, m.askLevel);
        gaussianKeys();
    }
    // 6. The receiver: IF bandwidth, mixer linearity and LNA mode.
    write(keys::IfBandwidth, m.ifBandwidth);
    write(keys::MixerLinearity, s.bias.mixerLinearity);
    write(keys::LnaMode, s.fields.lnaMode);
    // 7. The crystal, the charge pump and the reference divider.
    write(keys::CrystalFreq, s.synthesizer.crystal);
    write(keys::IcpIndex, m.icp);
    write(keys::RefDivider, s.fields.refDivider);
    // 8. The VCO: its band, divide-by-2, the external inductor and its bias.
    write(keys::VcoBand, s.bias.vcoBand);
    write(keys::VcoDivider, s.fields.divideBy2 ? QStringLiteral("True") : QStringLiteral("False"));
    write(keys::Lext, m.externalInductor ? QStringLiteral("1") : QStringLiteral("0"));
    write(keys::VcoBias, s.bias.vcoBias);
    // 9. The sync-word detection.
    write(keys::SyncDetect, s.sync.detect);
    write(keys::SyncWord, s.sync.word);
    write(keys::WordLength, s.sync.length);
    write(keys::NumErrors, s.sync.errors);
}

} // namespace pellion::calc
