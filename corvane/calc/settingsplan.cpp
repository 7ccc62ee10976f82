#include "corvane/calc/settingsplan.h"

#include "platform/core/numbers.h"

#include <array>
#include <cstdint>

namespace corvane::calc {

namespace {

using evalkit::calc::KeyReader;
using platform::numberText;

struct ModulationName {
    const char16_t* name;
    int index;
    bool singleDeviation; // this branch took the deviation in single precision
};

// The names the other tool writes, and the item texts this program's own
// export writes for list indices 5 and 7, so that its files load back whole.
constexpr std::array<ModulationName, 11> ModulationNames{{{u"FSK", 0, false},
                                                          {u"2FSK", 0, false},
                                                          {u"GFSK", 1, false},
                                                          {u"3FSK", 2, false},
                                                          {u"4FSK", 3, false},
                                                          {u"Oversampled 2FSK", 4, false},
                                                          {u"RCFSK", 5, true},
                                                          {u"RC2FSK", 5, true},
                                                          {u"RC3FSK", 6, false},
                                                          {u"RC4FSK", 7, false},
                                                          {u"Raised Cosine 4FSK", 7, false}}};

const ModulationName* findModulation(const QString& name) {
    for (const ModulationName& m : ModulationNames) {
        if (name == QString::fromUtf16(m.name))
            return &m;
    }
    return nullptr;
}

// Limits of the boxes the import fills, so that a value goes in only where the
// box's own handler takes it (and shows none of its own messages).
constexpr int MaxRDivider = 7; // R1 bits 6..4
constexpr double MaxDeviationKHz = 100;
constexpr int MaxDeviationText = 5;
constexpr double MaxRateKbps = 75;
constexpr int MaxRateText = 6;
constexpr int MaxAfcRangeText = 3;
constexpr int MaxAfcRangeCode = 255;
constexpr uint32_t MaxSyncWord = 0xFFFFFF; // 24 bits of register 11

void planSynthesizer(KeyReader& r, SettingsPlan& p) {
    p.panel.vcoChoice = r.index(keys::Lext, 2);
    // The toggle is set to the number less 1: it is on for any number but 1 (said for a number
    // that is no divider).
    p.synthesizer.divideBy2 =
        r.number<bool>(keys::VcoDivider, [](double v) -> std::optional<bool> { return v != 1; });
    if (const std::optional<QString> divider = r.text(keys::VcoDivider);
        divider && p.synthesizer.divideBy2 == true && platform::textToNumber(*divider) != 2.0)
        r.readAs(keys::VcoDivider, QStringLiteral("2"));
    p.synthesizer.entries = evalkit::calc::planSynthesizerEntries(
        r, {keys::Frequency, keys::CrystalFreq, keys::RefDivider}, MaxRDivider);
    p.panel.icp = r.index(keys::IcpIndex, 4);
    evalkit::calc::planVcoBias(r, p.bias, keys::VcoBand, keys::VcoBias);
    // Any other mode sets neither option.
    if (const std::optional<QString> mode = r.text(keys::Mode)) {
        if (*mode == QStringLiteral("Tx") || *mode == QStringLiteral("Rx"))
            p.panel.transmit = *mode == QStringLiteral("Tx");
        else
            r.skip(keys::Mode);
    }
}

void planModulation(KeyReader& r, FrontPanelPlan& p, int currentModulation) {
    // A name the table does not hold leaves the modulation, its deviation and PA level alone.
    const std::optional<QString> name = r.text(keys::Modulation);
    const ModulationName* m = name ? findModulation(*name) : nullptr;
    if (name && !m)
        r.skip(keys::Modulation);
    if (m) {
        p.modulation = m->index;
        const bool single = m->singleDeviation;
        // The file holds the deviation reached ("24.9243"), which to three decimals is too
        // long for the box: fewer decimals give the box a text it takes, and the same count
        // (a step of the count is far more than the last decimal dropped).
        p.deviation = r.number<QString>(keys::Deviation, [single](double v) {
            const double kHz = single ? double(platform::toSingle(v)) : v;
            std::optional<QString> text;
            for (int places = 3; places >= 0 && !text; --places)
                text =
                    evalkit::calc::roundedText(kHz, places, 0, MaxDeviationKHz, MaxDeviationText);
            return text;
        });
        p.paLevel = r.inRange(keys::PALevel, 0, 63);
    }
    p.rate = r.number<QString>(keys::BaudRate, [](double v) -> std::optional<QString> {
        const std::optional<QString> text =
            evalkit::calc::roundedText(v / 1000, 3, 0, MaxRateKbps, MaxRateText);
        if (text && *text == QStringLiteral("0"))
            return std::nullopt; // the box takes no rate of 0
        return text;
    });
    if (isRaisedCosine(p.modulation.value_or(currentModulation))) {
        // 0.5 and 0.7 choose the alpha; any other number leaves the list as it is.
        p.alpha = r.number<int>(keys::Alpha, [](double v) -> std::optional<int> {
            if (v == 0.5)
                return 0;
            if (v == 0.7)
                return 1;
            return std::nullopt;
        });
    }
}

void planReceiver(KeyReader& r, SettingsPlan& p) {
    p.bias.paBias = r.inRange(keys::PABias, 0, 3);
    p.panel.ifBandwidth = r.index(keys::IfBandwidth, 3);
    p.bias.mixerLinearity = r.index(keys::MixerLinearity, 2);
    p.panel.demod = r.index(keys::Demod, 4);
}

void planSync(KeyReader& r, SettingsPlan& p) {
    const std::optional<int> detect = r.integer(keys::SyncDetect);
    if (!detect || *detect == 0)
        return; // sync-word detection off: the sync-word window is not touched
    evalkit::calc::SyncWordPlan s;
    s.detect = r.index(keys::SyncDetect, 4);
    // The word less its first two characters (the "0x"), as the window's box takes it.
    if (const std::optional<QString> word = r.text(keys::SyncWord)) {
        const QString digits = word->mid(2);
        const std::optional<uint32_t> v =
            digits.isEmpty() ? std::optional<uint32_t>(0) : platform::hexToU32(digits);
        if (word->size() >= 2 && v && *v <= MaxSyncWord)
            s.word = digits;
        else
            r.skip(keys::SyncWord);
    }
    s.length = r.index(keys::WordLength, 4);
    s.errors = r.inRange(keys::NumErrors, 0, 3);
    s.packetLength = QStringLiteral("1");
    p.sync = s;
}

void planAfc(KeyReader& r, SettingsPlan& p) {
    const std::optional<QString> status = r.text(keys::AfcStatus);
    if (!status)
        return;
    evalkit::calc::AfcPlan a;
    if (status->compare(QStringLiteral("True"), Qt::CaseInsensitive) == 0)
        a.on = true;
    else if (status->compare(QStringLiteral("False"), Qt::CaseInsensitive) == 0)
        a.on = false;
    else
        r.skip(keys::AfcStatus);
    a.ki = r.index(keys::AfcKi, 16);
    a.kp = r.index(keys::AfcKp, 8);
    // The range is typed in steps of 0.5 kHz and saved as typed: read as a number, so that a
    // half step comes back.
    if (r.text(keys::AfcRange)) {
        a.range = r.number<QString>(keys::AfcRange, [](double v) -> std::optional<QString> {
            const QString text = numberText(v);
            const std::optional<int32_t> code = platform::toInt32(v / 0.5);
            if (v < 0 || text.size() > MaxAfcRangeText || !code || *code > MaxAfcRangeCode)
                return std::nullopt;
            return text;
        });
    } else {
        a.range = QStringLiteral("0");
    }
    p.afc = a;
}

void planIfFilter(KeyReader& r, SettingsPlan& p) {
    if (!r.text(keys::Dwell))
        return;
    // The tones' dividers are 1 to 255: the window takes no 0.
    p.ifFilter = IfFilterPlan{r.inRange(keys::Dwell, 0, 127), r.inRange(keys::Upper, 1, 255),
                              r.inRange(keys::Lower, 1, 255)};
}

void planAgc(KeyReader& r, SettingsPlan& p) {
    if (!r.text(keys::AgcMode))
        return;
    p.agc = evalkit::calc::AgcPlan{r.index(keys::AgcMode, 3), r.inRange(keys::AgcLow, 0, 63),
                                   r.inRange(keys::AgcHigh, 0, 80), r.index(keys::LnaGain, 3),
                                   r.index(keys::FilterGain, 3)};
}

} // namespace

bool isRaisedCosine(int modulationIndex) {
    return modulationIndex >= 5 && modulationIndex <= 7;
}

std::optional<QString> chipRefusal(const evalkit::calc::KeyReader& r) {
    if (r.text(keys::Chip) == QStringLiteral("Corvane"))
        return std::nullopt;
    return QStringLiteral("Error: Import file is not for Corvane chip");
}

SettingsPlan planSettings(KeyReader& r, int currentModulation) {
    SettingsPlan p;
    planSynthesizer(r, p);
    planModulation(r, p.panel, currentModulation);
    planReceiver(r, p);
    planSync(r, p);
    planAfc(r, p);
    planIfFilter(r, p);
    planAgc(r, p);
    return p;
}

void writeSettings(const SettingsRecord& s, const evalkit::calc::KeyWriter& write) {
    const FrontPanelRecord& m = s.panel;
    evalkit::calc::writeFileSection(write, s.path);
    write(keys::Chip, QStringLiteral("Corvane"));
    write(keys::Lext, m.vcoChoice == 1 ? QStringLiteral("1") : QStringLiteral("0"));
    write(keys::Modulation, m.modulation);
    write(keys::BaudRate, numberText(s.rateKbps * 1000));
    write(keys::Mode, m.receive ? QStringLiteral("Rx") : QStringLiteral("Tx"));
    write(keys::Frequency, s.synthesizer.rf);
    write(keys::Int, s.fields.integerN);
    write(keys::Frac, s.fields.fracN);
    write(keys::PALevel, m.paLevel);
    write(keys::Deviation, m.deviationShown);
    write(keys::PABias, s.bias.paBias);
    write(keys::IfBandwidth, m.ifBandwidth);
    write(keys::MixerLinearity, s.bias.mixerLinearity);
    write(keys::LnaMode, s.fields.lnaMode);
    write(keys::Demod, m.demod);
    write(keys::CrystalFreq, s.synthesizer.crystal);
    write(keys::IcpIndex, m.icp);
    write(keys::RefDivider, s.fields.refDivider);
    write(keys::VcoBand, s.bias.vcoBand);
    write(keys::VcoDivider, s.fields.divideBy2 ? QStringLiteral("2") : QStringLiteral("1"));
    // The list index itself replaces the first Lext in place.
    write(keys::Lext, numberText(m.vcoChoice));
    write(keys::VcoBias, s.bias.vcoBias);
    write(keys::SyncDetect, s.sync.detect);
    write(keys::SyncWord, QStringLiteral("0x") + s.sync.word);
    write(keys::WordLength, s.sync.length);
    write(keys::NumErrors, s.sync.errors);
    write(keys::AfcStatus, s.afc.on ? QStringLiteral("True") : QStringLiteral("False"));
    write(keys::AfcKi, s.afc.ki);
    write(keys::AfcKp, s.afc.kp);
    write(keys::AfcRange, s.afc.range);
    write(keys::Dwell, s.ifFilter.dwell);
    write(keys::Upper, s.ifFilter.upper);
    write(keys::Lower, s.ifFilter.lower);
    write(keys::AgcMode, s.agc.mode);
    write(keys::AgcLow, s.agc.low);
    write(keys::AgcHigh, s.agc.high);
    write(keys::LnaGain, s.agc.lnaGain);
    write(keys::FilterGain, s.agc.filterGain);
    if (isRaisedCosine(m.modulationIndex)) {
        if (m.alpha == 0)
            write(keys::Alpha, QStringLiteral("0.5"));
        else if (m.alpha == 1)
            write(keys::Alpha, QStringLiteral("0.7"));
    }
}

} // namespace corvane::calc
