#include "corvane/calc/datarate.h"

#include "evalkit/calc/demodfilters.h"
#include "evalkit/calc/limitwarning.h"
#include "evalkit/calc/ratechecks.h"
#include "evalkit/calc/receiverclocks.h"
#include "evalkit/calc/takenrange.h"
#include "platform/core/numbers.h"

#include <algorithm>
#include <cmath>

namespace corvane::calc {

namespace {

using platform::toSingle;

constexpr int MaxRateTextLength = 6;
constexpr float MaxRateKbps = 75;
constexpr int16_t MaxIfFilterDivider = 511;
constexpr int MaxDemodDivider = 15; // DemodClockDividerField has 4 bits
constexpr int32_t MaxCdrDivider = 255;
constexpr int16_t MaxSeqDivider = 255;
constexpr int PostDemodBwBits = 10;
constexpr int DiscrimBwBits = 10;
// The discriminator code counts 400 kHz per demodulator-clock MHz.
constexpr double DiscrimHzPerCount = 400000;
constexpr int ThresholdBits = 7; // ThresholdWordField 4..10, ThreeFskThresholdField 15..21

constexpr int32_t field(int32_t value, int lowBit) {
    return value * (int32_t{1} << lowBit);
}

constexpr bool fitsBits(int64_t value, int bits) {
    return value >= 0 && value < (int64_t{1} << bits);
}

bool isPositiveFinite(float v) {
    return std::isfinite(v) && v > 0;
}

platform::Message tooLowMessage() {
    return {TooLowRateText, platform::MsgIcon::None, std::nullopt};
}

// Why the set-up gives a rate the box takes no plan; nothing when it is planned.
using Refusal = std::optional<platform::Message>;

platform::Message noClocksRefusal() {
    return evalkit::calc::limitWarning(QStringLiteral(
        "The XTAL frequency gives no receiver clocks. Please raise the XTAL frequency"));
}

platform::Message noDeviationRefusal() {
    return evalkit::calc::limitWarning(
        QStringLiteral("The deviation set is 0 kHz, which gives the receiver no discriminator. "
                       "Please raise the deviation"));
}

// A clock-recovery divider of at least 1 needs fd x 10^6 / (32000 R) above one half.
platform::Message rateTooHighRefusal(float R, float fd) {
    return evalkit::calc::limitWarning(
        QStringLiteral("Data rate of %1 kbit/s is not below the maximum of %2 kbit/s at this "
                       "XTAL frequency. Please lower the data rate or raise the XTAL frequency")
            .arg(platform::numberTextSingle(R),
                 platform::formatNumber(fd * 1000.0 / 16.0, u"#0.000")));
}

// A trial of the jitter search whose CDR divider rounds to 0.
platform::Message trialTooFastRefusal(float R) {
    return evalkit::calc::limitWarning(
        QStringLiteral("Data rate of %1 kbit/s is too high for the clock recovery at this XTAL "
                       "frequency. Please lower the data rate or raise the XTAL frequency")
            .arg(platform::numberTextSingle(R)));
}

platform::Message tenBitRefusal(const QString& what, double code, const QString& advice) {
    return evalkit::calc::aboveMaximumWarning(what, code, (1 << 10) - 1, advice);
}

// The demodulator clock divider D, the clock fd = X / D (MHz) and the CDR divider C.
struct Clocks {
    int D = 1;
    float fd = 0;
    int32_t C = 1;
};

// Step 1: the rate box is acted on only with 1 to 6 characters of a number, a deviation
// text that is a number other than zero, and a rate that is not zero and not above 75.
std::optional<float> enteredRate(const DataRateInputs& in) {
    // A rate pushed from code is taken as the number it is; the character count is the box's.
    if (!in.rateFromCode && (in.rateText.isEmpty() || in.rateText.size() > MaxRateTextLength))
        return std::nullopt;
    const auto rate = in.rateFromCode ? in.rateFromCode : platform::textToNumber(in.rateText);
    const auto deviation = platform::textToNumber(in.deviationText);
    if (!rate || !deviation || toSingle(*deviation) == 0)
        return std::nullopt;
    const float R = toSingle(*rate);
    if (R == 0 || R > MaxRateKbps)
        return std::nullopt;
    return R;
}

// Step 2: n = round(X x 1000 / 50), at most 511.
std::optional<int16_t> ifFilterDivider(float X) {
    const auto n = platform::toInt16(X * 1000.0 / 50.0);
    if (!n || *n < 1)
        return std::nullopt;
    return std::min(*n, MaxIfFilterDivider);
}

int demodFactor(int16_t type) {
    switch (type) {
    case DemodFourFsk:
        return 16;
    case DemodThreeFsk:
        return 8;
    default:
        return 4;
    }
}

float demodClock(float X, int D) {
    return toSingle(static_cast<double>(X) / D);
}

// Steps 4.1 to 4.3. Both searches stop at 16; a D that does not fit its four bits gets the
// "too low" message and is kept at 15 for the rest of the plan.
int demodDivider(float X, float delta, float R, int16_t type,
                 std::vector<platform::Message>& messages) {
    const double k = demodFactor(type);
    int D = 1;
    while (D <= MaxDemodDivider && demodClock(X, D) * 1000.0 / (k * delta) > 600)
        ++D;
    while (D <= MaxDemodDivider && toSingle(X * 1000.0 / (D * 255.0 * 32.0)) > R)
        ++D;
    if (D > MaxDemodDivider) {
        messages.push_back(tooLowMessage());
        D = MaxDemodDivider;
    }
    return D;
}

// round(fd x 10^6 / (R x 32 x 1000)). Every count above the 8-bit field only matters as
// "above 255", so those (and a quotient too large for a single) come back as 256.
int32_t cdrCount(float fd, float R) {
    const float q = toSingle(fd * 1e6 / (R * 32.0 * 1000.0));
    if (!(q <= MaxCdrDivider + 0.5f))
        return MaxCdrDivider + 1;
    return platform::toInt32(q).value_or(0);
}

float cdrClock(float X, const Clocks& c) {
    return toSingle(X * 1000.0 / (c.D * c.C));
}

// Step 6.1 to 6.4: larger demodulator dividers are tried while the CDR clock is more than 3%
// away from 32 x R. Each failure condition of a trial warns on its own. False when a trial
// divider rounds to 0 (the CDR clock would divide by it).
bool searchLowJitter(float X, float R, Clocks& clocks, std::vector<platform::Message>& messages) {
    if (!evalkit::calc::excessiveJitter(cdrClock(X, clocks), R))
        return true;
    for (int Dp = clocks.D + 1;; ++Dp) {
        const float fdp = demodClock(X, Dp);
        const int32_t Cp = cdrCount(fdp, R);
        if (Cp < 1)
            return false;
        const bool excessive = evalkit::calc::excessiveJitter(toSingle(fdp * 1000.0 / Cp), R);
        bool failed = false;
        if (Cp > MaxCdrDivider || Dp > MaxDemodDivider) {
            messages.push_back(evalkit::calc::jitterWarning());
            failed = true;
        }
        if (Cp == 1) {
            messages.push_back(evalkit::calc::jitterWarning());
            failed = true;
        }
        if (failed)
            return true;
        if (!excessive) {
            clocks = {Dp, fdp, Cp};
            return true;
        }
    }
}

// Steps 4 to 7.
Refusal planClocks(float X, float delta, float R, int16_t type, DataRatePlan& p) {
    Clocks clocks;
    clocks.D = demodDivider(X, delta, R, type, p.messages);
    clocks.fd = demodClock(X, clocks.D);
    // Step 5; only a D kept at 15 can ask for more than the 8-bit CDR divider.
    clocks.C = std::min(cdrCount(clocks.fd, R), MaxCdrDivider);
    if (clocks.C < 1)
        return rateTooHighRefusal(R, clocks.fd);
    if (!searchLowJitter(X, R, clocks, p.messages))
        return trialTooFastRefusal(R);
    p.DemodClockDividerField = static_cast<int16_t>(field(clocks.D, 6));
    p.DemodClockMHz = clocks.fd;
    p.CdrClockDividerField = field(clocks.C, 10);
    p.CdrClockKHz = cdrClock(X, clocks);
    p.lblRxCLK = platform::formatNumber(clocks.fd * 1000.0 / (clocks.C * 32.0), u"#0.0000");
    return std::nullopt;
}

// Step 8: s = round(X x 10^6 / 100000), at most 255.
std::optional<int16_t> seqClockDivider(float X) {
    const auto s = platform::toInt16(X * 1e6 / 100000.0);
    if (!s || *s < 1)
        return std::nullopt;
    return std::min(*s, MaxSeqDivider);
}

double postDemodFactor(int16_t type) {
    switch (type) {
    case DemodThreeFsk:
        return 1.0;
    case DemodFourFsk:
        return 0.8;
    default:
        return 0.75;
    }
}

// Step 9.
Refusal planPostDemodFilter(float R, float fd, int16_t type, DataRatePlan& p) {
    const auto P = evalkit::calc::postDemodCodeForRate(R, fd, postDemodFactor(type));
    if (!P || !fitsBits(*P, PostDemodBwBits))
        return tenBitRefusal(QStringLiteral("Post demod BW setting"),
                             P ? double(*P)
                               : std::floor(1024 * postDemodFactor(type) *
                                            evalkit::calc::FilterTwoPi * R / (fd * 1000.0)),
                             QStringLiteral("Please lower the data rate"));
    const float B = toSingle(evalkit::calc::postDemodBandwidthKHz(*P, fd));
    p.lblDemodBW = platform::formatSingle(B, u"#0.0000");
    p.PostDemodBwField = field(*P, 20);
    return std::nullopt;
}

void clearRegister13(DataRatePlan& p) {
    p.ThresholdWordField = 0;
    p.ThreeFskDetectorField = 0;
    p.ViterbiPathMemoryField = 0;
    p.ThreeFskEnableField = 0;
    p.ThreeFskThresholdField = 0;
    p.ThreeFskBits22To25Field = 0;
}

// round(K x delta x percent / 100) with the product in single precision; nullopt when it
// does not fit its 7-bit field.
std::optional<int32_t> threshold(double product) {
    const auto t = platform::toInt32(toSingle(product));
    if (!t || !fitsBits(*t, ThresholdBits))
        return std::nullopt;
    return t;
}

platform::Message thresholdRefusal(double product) {
    return evalkit::calc::aboveMaximumWarning(
        QStringLiteral("Threshold setting"), platform::roundHalfEven(toSingle(product)),
        (1 << ThresholdBits) - 1, QStringLiteral("Please lower the deviation"));
}

// Step 12 for 3FSK.
Refusal planThreeFskThresholds(int K, float delta, const DataRateInputs& in, DataRatePlan& p) {
    const double wordProduct = K * static_cast<double>(delta) * 57 / 100;
    const double levelProduct = K * static_cast<double>(delta) * 62 / 100;
    const auto word = threshold(wordProduct);
    const auto level = threshold(levelProduct);
    if (!word)
        return thresholdRefusal(wordProduct);
    if (!level)
        return thresholdRefusal(levelProduct);
    p.ThresholdWordField = static_cast<int16_t>(field(*word, 4));
    p.ThreeFskBits22To25Field = field(15, 22);
    p.ThreeFskThresholdField = field(*level, 15);
    p.ThreeFskDetectorField = static_cast<int16_t>(in.cmb3FSKDetectIndex == 0 ? field(1, 11) : 0);
    if (in.cmbVPathMemIndex >= 0 && in.cmbVPathMemIndex <= 3)
        p.ViterbiPathMemoryField = static_cast<int16_t>(field(in.cmbVPathMemIndex, 11));
    p.ThreeFskEnableField = static_cast<int16_t>(field(1, 13));
    return std::nullopt;
}

// Step 12 for 4FSK.
Refusal planFourFskThreshold(int K, float delta, DataRatePlan& p) {
    const double product = 3 * static_cast<double>(delta) * K * 78 / 100;
    const auto word = threshold(product);
    if (!word)
        return thresholdRefusal(product);
    p.ThresholdWordField = static_cast<int16_t>(field(*word, 4));
    return std::nullopt;
}

platform::Message discriminatorRefusal(double K, float fd) {
    return tenBitRefusal(QStringLiteral("Discriminator setting"),
                         platform::roundHalfEven(K * fd * 1e6 / DiscrimHzPerCount),
                         QStringLiteral("Please raise the deviation"));
}

// K and W of step 10 stored; the refusal when either does not fit.
Refusal storeDiscriminator(int K, int16_t multiplier, float fd, DataRatePlan& p) {
    const auto storedK = platform::toInt16(K);
    const auto W = discrimBandwidthCode(K, fd);
    if (!storedK || !W || !fitsBits(*W, DiscrimBwBits))
        return discriminatorRefusal(K, fd);
    p.DiscrimK = *storedK;
    p.DiscrimBwField = field(*W, 10);
    p.DiscrimMultiplier = multiplier;
    return std::nullopt;
}

// K of a deviation: the correlator's 100 kHz over the deviation the discriminator sees.
std::optional<int> roundedK(double numerator, float delta) {
    return evalkit::calc::correlatorK(numerator, delta);
}

// The K of a deviation that has none worth a discriminator (K beyond 16 bits) is refused as
// the setting it would ask for.
Refusal noK(double numerator, float delta, float fd) {
    return discriminatorRefusal(numerator / delta, fd);
}

// Steps 10 to 12. The plan runs only with a deviation above 0, so K is always computed.
Refusal planDiscriminator(float delta, float fd, const DataRateInputs& in, DataRatePlan& p) {
    switch (in.DemodTypeField) {
    case DemodLinear:
        p.KParityBit7Field = 0;
        p.KParityBit9Field = 0;
        p.DiscrimBwField = 0;
        p.DiscrimK = 0;
        p.DiscrimMultiplier = 1;
        return std::nullopt;
    case DemodCorrelator: {
        const auto K = roundedK(100.0, delta);
        if (!K)
            return noK(100.0, delta, fd);
        if (Refusal refusal = storeDiscriminator(*K, 1, fd, p))
            return refusal;
        const KParity parity = kParity(*K);
        p.KParityBit7Field = parity.bit7;
        p.KParityBit9Field = parity.bit9;
        clearRegister13(p);
        return std::nullopt;
    }
    case DemodThreeFsk: {
        const auto K = roundedK(100.0 / 2, delta);
        if (!K)
            return noK(100.0 / 2, delta, fd);
        if (Refusal refusal = storeDiscriminator(*K, 2, fd, p))
            return refusal;
        const KParity parity = kParity(*K);
        p.KParityBit7Field = parity.bit7;
        p.KParityBit9Field = parity.bit9;
        return planThreeFskThresholds(*K, delta, in, p);
    }
    case DemodFourFsk: {
        const auto uncorrected = roundedK(100.0 / 4, delta);
        if (!uncorrected)
            return noK(100.0 / 4, delta, fd);
        const int K = correctFourFskK(*uncorrected);
        if (Refusal refusal = storeDiscriminator(K, 4, fd, p))
            return refusal;
        p.KParityBit9Field = 0;
        p.KParityBit7Field = kParity(K).bit7;
        clearRegister13(p);
        return planFourFskThreshold(K, delta, p);
    }
    default:
        // No other type is offered; its discriminator is left as it is.
        return std::nullopt;
    }
}

// A plan refused by the set-up: nothing is applied, nothing shown but the mark's reason.
DataRatePlan refusedPlan(const platform::Message& why) {
    DataRatePlan p;
    p.setUpRefusal = why;
    return p;
}

// Steps 2 to 12 for an entered rate R. Refused when the inputs cannot be planned: a
// deviation of 0 (or not a number), a crystal that is not above 0, a divider that rounds to
// 0, or a value that does not fit its field. The caller then changes nothing.
DataRatePlan plan(const DataRateInputs& in, float R) {
    const float X = in.CrystalFrequencyMHz;
    const float delta = in.ActualDeviationKHz;
    if (!isPositiveFinite(X))
        return refusedPlan(noClocksRefusal());
    if (!isPositiveFinite(delta))
        return refusedPlan(noDeviationRefusal());

    DataRatePlan p;
    const auto n = ifFilterDivider(X);
    if (!n)
        return refusedPlan(noClocksRefusal());
    p.IFFilterDividerField = field(*n, 5);
    p.BbOffsetDividerField = field(evalkit::calc::bbOffsetCode(X), 4);
    if (Refusal refusal = planClocks(X, delta, R, in.DemodTypeField, p))
        return refusedPlan(*refusal);
    const auto s = seqClockDivider(X);
    if (!s)
        return refusedPlan(noClocksRefusal());
    p.SeqClockDividerField = field(*s, 18);
    if (Refusal refusal = planPostDemodFilter(R, p.DemodClockMHz, in.DemodTypeField, p))
        return refusedPlan(*refusal);
    if (Refusal refusal = planDiscriminator(delta, p.DemodClockMHz, in, p))
        return refusedPlan(*refusal);
    p.ran = true;
    return p;
}

// Whether the plan takes the rate R, the box's text aside.
bool takes(double R, const DataRateInputs& in) {
    const float r = toSingle(R);
    return r > 0 && r <= MaxRateKbps && plan(in, r).ran;
}

// The least rate tried for "above 0": far below any crystal's minimum rate.
constexpr double TinyRate = 1e-6;

} // namespace

std::optional<evalkit::calc::TakenRange> dataRateRange(const DataRateInputs& in) {
    return evalkit::calc::takenRange([&in](double R) { return takes(R, in); }, TinyRate,
                                     MaxRateKbps, MaxRateTextLength);
}

QString dataRateAccepts(const DataRateInputs& in) {
    const QString box = QStringLiteral("Data rate in kbit/s of at most 6 characters: ");
    const auto deviation = platform::textToNumber(in.deviationText);
    if (!deviation || toSingle(*deviation) == 0 || !isPositiveFinite(in.ActualDeviationKHz))
        return box + QStringLiteral("none is planned until a deviation above 0 is set");
    const auto range = dataRateRange(in);
    if (!range)
        return box + QStringLiteral("none can be planned at this set-up");
    const QString to = evalkit::calc::endText(range->to) + QStringLiteral(" at this set-up");
    if (takes(TinyRate, in))
        return box + QStringLiteral("a number above 0 and at most ") + to;
    return box + QStringLiteral("a number from ") + evalkit::calc::endText(range->from) +
           QStringLiteral(" to ") + to;
}

DataRatePlan planDataRate(const DataRateInputs& in) {
    const auto R = enteredRate(in);
    DataRatePlan p = R && *R > 0 ? plan(in, *R) : DataRatePlan{};
    if (!p.ran)
        p.refusal = dataRateAccepts(in);
    return p;
}

KParity kParity(int K) {
    const evalkit::calc::CorrelatorParity parity = evalkit::calc::correlatorParity(K);
    return {parity.kOdd ? field(1, 7) : 0, parity.halfKOdd ? field(1, 9) : 0};
}

std::optional<int32_t> discrimBandwidthCode(int K, float demodClockMHz) {
    return evalkit::calc::discriminatorCode(K, demodClockMHz, DiscrimHzPerCount);
}

int correctFourFskK(int K) {
    const auto needsMove = [](int k) {
        const int quarter = platform::toInt32((k + 1) / 4.0).value_or(0);
        return k % 4 != 0 && quarter % 4 != 0;
    };
    if (needsMove(K))
        K -= 1;
    if (needsMove(K))
        K += 2;
    return K;
}

} // namespace corvane::calc
