#include "evalkit/calc/windowsettings.h"

#include "platform/core/numbers.h"

#include <algorithm>
#include <cmath>

namespace evalkit::calc {

namespace {

constexpr qsizetype MaxTextLength = 255;   // a text key reads into 256 characters
constexpr uint32_t MaxSyncWord = 0xFFFFFF; // 24 bits

bool isHexDigit(QChar c) {
    const char16_t u = c.unicode();
    return (u >= '0' && u <= '9') || (u >= 'A' && u <= 'F') || (u >= 'a' && u <= 'f');
}

// Two frequencies the calculation keeps in single precision are the same when they are the
// same single.
bool sameFrequency(double a, double b) {
    return platform::toSingle(a) == platform::toSingle(b) ||
           std::abs(a - b) <= 1e-6 * std::max(std::abs(a), std::abs(b));
}

} // namespace

SynthesizerEntries planSynthesizerEntries(KeyReader& r, const SynthesizerKeys& keys,
                                          int maxRefDivider) {
    SynthesizerEntries e;
    e.keys = keys;
    e.rf = r.numberText(keys.frequency, MaxTextLength);
    // Read whole: cut to the design's buffer of 8, a crystal of 12.3456789 would come back as
    // 12.3456.
    e.crystal = r.numberText(keys.crystal, MaxTextLength);
    // 0 (or missing): the PFD is the crystal frequency; a divider the reference divider's
    // field cannot hold is left out (the PFD box keeps its text).
    e.refDivider = r.inRange(keys.refDivider, 0, maxRefDivider);
    return e;
}

std::optional<QString> pfdEntry(const QString& crystalText, int refDivider, double doubling) {
    if (refDivider == 0)
        return crystalText;
    const std::optional<double> c = platform::textToNumber(crystalText);
    if (!c)
        return std::nullopt;
    return platform::numberText(*c * doubling / refDivider);
}

std::vector<Key> entriesNotTaken(const SynthesizerEntries& entries, const SynthesizerValues& given,
                                 const SynthesizerValues& kept, double rfToleranceMHz) {
    const bool refDividerGiven = entries.refDivider.value_or(0) != 0;
    const bool crystalTaken = sameFrequency(given.crystalMHz, kept.crystalMHz);
    const bool pfdTaken = sameFrequency(given.pfdMHz, kept.pfdMHz);
    const bool rfTaken = std::abs(given.rfMHz - kept.rfMHz) <= rfToleranceMHz;
    std::vector<Key> notTaken;
    if (!crystalTaken || (!pfdTaken && !refDividerGiven))
        notTaken.push_back(entries.keys.crystal);
    if (!pfdTaken && crystalTaken && refDividerGiven)
        notTaken.push_back(entries.keys.refDivider);
    if (!rfTaken)
        notTaken.push_back(entries.keys.frequency);
    return notTaken;
}

void planVcoBias(KeyReader& r, BiasPlan& p, const Key& band, const Key& bias) {
    p.vcoBand = r.inRange(band, 0, 3);
    // 0 (or missing) keeps the bias the VCO choice set.
    if (const std::optional<int> b = r.integer(bias); b && *b != 0)
        p.vcoBias = r.inRange(bias, 0, 15);
}

std::optional<uint32_t> syncWordValue(const QString& text, const QString& prefix, bool* tooWide) {
    if (tooWide)
        *tooWide = false;
    if (!text.startsWith(prefix, Qt::CaseInsensitive))
        return std::nullopt;
    QStringView digits = QStringView(text).mid(prefix.size());
    if (digits.isEmpty())
        return 0;
    if (!std::all_of(digits.begin(), digits.end(), isHexDigit))
        return std::nullopt;
    // Leading zeros make no wider a word.
    while (digits.size() > 1 && digits.front() == QLatin1Char('0'))
        digits = digits.mid(1);
    const std::optional<uint32_t> word = platform::hexToU32(digits);
    if (word && *word <= MaxSyncWord)
        return word;
    if (tooWide)
        *tooWide = true;
    return std::nullopt;
}

} // namespace evalkit::calc
