#include "pellion/calc/datarate.h"

#include "evalkit/calc/boxentry.h"
#include "evalkit/calc/demodfilters.h"
#include "evalkit/calc/limitwarning.h"
#include "evalkit/calc/ratechecks.h"
#include "evalkit/calc/receiverclocks.h"
#include "evalkit/calc/takenrange.h"
#include "platform/core/numbers.h"

#include <algorithm>
#include <cmath>

namespace pellion::calc {

namespace {

using platform::toSingle;

constexpr int MaxRateTextLength = 5; // the box is acted on below 6 characters
constexpr int32_t RateLimit = 202;   // the rate, rounded, must stay below this
// Every rate the entry test lets through lies between these (0.5 and 201.5 round to 0 and 202).
constexpr double LowestRate = 0.5, HighestRate = 201.5;
constexpr int32_t MaxIFFilterDivider = 511; // R6 bits 28..20
constexpr int64_t MaxCdrDivider = 255;      // R3 bits 15..8
constexpr int32_t MaxSeqDivider = 255;      // R3 bits 23..16
constexpr double PostDemodFactor = 0.75;
constexpr double DiscriminatorK = 200;             // K = 200 / deviation kHz
constexpr double DiscriminatorHzPerCount = 800000; // setting = K x fd / 0.8 MHz

constexpr int32_t field(int32_t value, int lowBit) {
    return value * (int32_t{1} << lowBit);
}

bool isPositiveFinite(float v) {
    return std::isfinite(v) && v > 0;
}

// Step 1: a typed rate is acted on with 1 to 5 characters of a number; a rate pushed from code
// is taken as it is. Either way the rate rounded to an integer must lie below 202 and not be 0,
// and a negative rate is refused.
std::optional<double> enteredRate(const DataRateInputs& in) {
    const std::optional<double> rate =
        in.rateFromCode ? in.rateFromCode : evalkit::calc::boxEntry(in.rateText, MaxRateTextLength);
    if (!rate || !std::isfinite(*rate) || *rate < 0)
        return std::nullopt;
    const std::optional<int32_t> rounded = platform::toInt32(*rate);
    if (!rounded || *rounded >= RateLimit || *rounded == 0)
        return std::nullopt;
    return rate;
}

platform::Message ifFilterRefusal(int64_t n) {
    return evalkit::calc::aboveMaximumWarning(QStringLiteral("IF filter divide"), n,
                                              MaxIFFilterDivider,
                                              QStringLiteral("Please lower the XTAL frequency"));
}

platform::Message cdrRefusal(int64_t c) {
    return evalkit::calc::aboveMaximumWarning(QStringLiteral("CDR divide"), c, MaxCdrDivider,
                                              QStringLiteral("Please raise the data rate"));
}

platform::Message postDemodRefusal(int64_t k) {
    return evalkit::calc::aboveMaximumWarning(QStringLiteral("Post demod BW setting"), k,
                                              evalkit::calc::MaxTenBitCode,
                                              QStringLiteral("Please lower the data rate"));
}

DataRatePlan refused(const platform::Message& warning) {
    DataRatePlan p;
    p.messages.push_back(warning);
    p.refusal = warning.text;
    p.setUpRefusal = warning;
    return p;
}

// No receiver clocks at all: nothing changes, and the box says why.
DataRatePlan noClocks() {
    DataRatePlan p;
    p.refusal = NoReceiverClocksText;
    p.setUpRefusal = evalkit::calc::limitWarning(
        QStringLiteral("The XTAL frequency gives no receiver clocks. Please raise the XTAL "
                       "frequency"));
    return p;
}

// A clock-recovery divider of at least 1 needs fd x 10^6 / (32000 R) above one half.
DataRatePlan rateTooHigh(double R, double fdMHz) {
    const QString highest = platform::formatNumber(fdMHz * 1000.0 / 16.0, u"#0.000");
    DataRatePlan p;
    p.refusal = QStringLiteral("Data rate in kbit/s: below ") + highest +
                QStringLiteral(" at this crystal frequency");
    p.setUpRefusal = evalkit::calc::limitWarning(
        QStringLiteral("Data rate of %1 kbit/s is not below the maximum of %2 kbit/s at this "
                       "XTAL frequency. Please lower the data rate or raise the XTAL frequency")
            .arg(platform::numberText(R), highest));
    return p;
}

// The plan itself, for a rate that passed the entry test. An empty plan (nothing run, no
// message) when a divider would be 0; a refused one when a value does not fit its field.
DataRatePlan plan(const DataRateInputs& in, double R) {
    const float X = in.CrystalFrequencyMHz;
    if (!isPositiveFinite(X))
        return noClocks();
    DataRatePlan p;

    // Step 2: the IF filter clock runs at 50 kHz.
    const std::optional<int64_t> n = platform::toInt64(X * 1000.0 / 50.0);
    if (!n || *n < 1)
        return noClocks();
    if (*n > MaxIFFilterDivider)
        return refused(ifFilterRefusal(*n));
    p.IFFilterDividerField = static_cast<double>(*n) * (1 << 20);

    // Step 3: the baseband offset divider from the crystal.
    p.BbOffsetDividerField = field(evalkit::calc::bbOffsetCode(X), 4);

    // Step 4: the demodulator clock divider for the crystal and the demodulator chosen.
    const int D = demodClockDivider(X, in.cmbDemodIndex);
    p.DemodClockDividerField = static_cast<int16_t>(D == 4 ? 0 : field(D, 6));
    p.DemodClockMHz = toSingle(static_cast<double>(X) / D);
    const double fd = p.DemodClockMHz;

    // Step 5: the clock recovery runs at 32 times the data rate.
    const std::optional<int64_t> C = platform::toInt64(fd * 1e6 / (R * 32.0 * 1000.0));
    if (!C || *C < 1)
        return rateTooHigh(R, fd);
    if (*C > MaxCdrDivider)
        return refused(cdrRefusal(*C));
    p.CdrClockDividerField = field(static_cast<int32_t>(*C), 8);

    // Step 6: the sequencer clock runs at 25 kHz for ASK, 10 kHz otherwise.
    const double seqHz = in.DemodTypeField == DemodAsk ? 40000.0 : 100000.0;
    const std::optional<int64_t> S = platform::toInt64(X * 1e6 / seqHz);
    if (!S || *S < 1)
        return noClocks();
    p.SeqClockDividerField = field(static_cast<int32_t>(std::min<int64_t>(*S, MaxSeqDivider)), 16);

    // Step 7: the post-demodulator bandwidth code for the rate.
    const std::optional<int32_t> K =
        evalkit::calc::postDemodCodeForRate(R, p.DemodClockMHz, PostDemodFactor);
    if (!K || *K < 1)
        return noClocks();
    if (*K > evalkit::calc::MaxTenBitCode)
        return refused(postDemodRefusal(*K));
    p.PostDemodBwField = field(*K, 6);
    p.lblDemodBW = platform::formatNumber(evalkit::calc::postDemodBandwidthKHz(*K, p.DemodClockMHz),
                                          u"#0.0000");

    // Steps 8 and 9.
    const DiscriminatorPlan discriminator =
        planDiscriminator(in.ActualDeviationKHz, p.DemodClockMHz, in.DemodTypeField);
    if (discriminator.refusal)
        return refused(*discriminator.refusal);
    p.DiscrimBwField = discriminator.DiscrimBwField;
    if (discriminator.parity) {
        p.KParityBit14Field = discriminator.parity->KParityBit14Field;
        p.KParityBit29Field = discriminator.parity->KParityBit29Field;
    }

    // Steps 10 and 11.
    const int32_t c = static_cast<int32_t>(*C);
    p.CdrClockKHz = toSingle(static_cast<double>(X) * 1000.0 / (static_cast<double>(c) * D));
    p.lblRxCLK = platform::formatNumber(fd * 1000.0 / (c * 32), u"#0.00");

    // Step 12: the warning comes only when the new rate gives the clock already shown.
    if (p.lblRxCLK == in.lblRxCLK && evalkit::calc::excessiveJitter(p.CdrClockKHz, R))
        p.messages.push_back(evalkit::calc::jitterWarning());

    p.ran = true;
    return p;
}

// Whether the plan takes the rate R with these inputs.
bool takes(double R, DataRateInputs in) {
    in.rateFromCode = R;
    const std::optional<double> rate = enteredRate(in);
    return rate && plan(in, *rate).ran;
}

} // namespace

std::optional<evalkit::calc::TakenRange> dataRateRange(const DataRateInputs& in) {
    return evalkit::calc::takenRange([&in](double R) { return takes(R, in); }, LowestRate,
                                     HighestRate, MaxRateTextLength);
}

QString dataRateAccepts(const DataRateInputs& in) {
    const QString box = QStringLiteral("Data rate in kbit/s of at most 5 characters: ");
    const auto range = dataRateRange(in);
    if (!range)
        return box + QStringLiteral("no rate can be planned at this set-up");
    return box + QStringLiteral("a number ") + evalkit::calc::rangeText(*range) +
           QStringLiteral(" at this set-up");
}

DataRatePlan planDataRate(const DataRateInputs& in) {
    const std::optional<double> R = enteredRate(in);
    if (!R) {
        DataRatePlan p;
        p.refusal = dataRateAccepts(in);
        return p;
    }
    DataRatePlan p = plan(in, *R);
    // A value that does not fit its field: its warning, and on the mark what the box takes.
    if (!p.ran && !p.messages.empty() && p.refusal)
        p.refusal = *p.refusal + QStringLiteral("\n") + dataRateAccepts(in);
    return p;
}

int demodClockDivider(float CrystalFrequencyMHz, int cmbDemodIndex) {
    const float X = CrystalFrequencyMHz;
    if (cmbDemodIndex == DemodListAsk) {
        if (X > 17.9999f)
            return 4;
        if (X > 11.9999f)
            return 3;
        if (X > 5.999f)
            return 2;
        return 1;
    }
    if (X > 23.9999f)
        return 3;
    if (X <= 11.9999f)
        return 1;
    return 2;
}

KParityFields kParity(int32_t K) {
    const evalkit::calc::CorrelatorParity p = evalkit::calc::correlatorParity(K);
    return {p.kOdd ? field(1, 14) : 0, p.halfKOdd ? field(1, 29) : 0};
}

std::optional<int32_t> discriminatorSetting(int32_t K, float DemodClockMHz) {
    return evalkit::calc::discriminatorCode(K, DemodClockMHz, DiscriminatorHzPerCount);
}

platform::Message discriminatorRefusal(double setting) {
    return evalkit::calc::aboveMaximumWarning(QStringLiteral("Discriminator setting"), setting,
                                              evalkit::calc::MaxTenBitCode,
                                              QStringLiteral("Please raise the deviation"));
}

DiscriminatorPlan planDiscriminator(float ActualDeviationKHz, float DemodClockMHz,
                                    int16_t DemodTypeField) {
    DiscriminatorPlan p;
    // No demodulator clock, no discriminator to work out: it stays as it is.
    if (!isPositiveFinite(DemodClockMHz))
        return p;
    int32_t Kc = 0;
    if (ActualDeviationKHz > 0) {
        const std::optional<int32_t> K =
            evalkit::calc::correlatorK(DiscriminatorK, ActualDeviationKHz);
        const std::optional<int32_t> W = K ? discriminatorSetting(*K, DemodClockMHz) : std::nullopt;
        if (!W || *W > evalkit::calc::MaxTenBitCode) {
            // A K or setting too large for any integer is above the field all the same.
            p.refusal = discriminatorRefusal(
                W ? static_cast<double>(*W)
                  : platform::roundHalfEven(DiscriminatorK / ActualDeviationKHz * DemodClockMHz *
                                            1e6 / DiscriminatorHzPerCount));
            return p;
        }
        // A deviation above 400 kHz rounds K, and so the setting, to 0: that is kept out of
        // the register, where the discriminator would divide by it.
        if (*W == 0)
            return p;
        Kc = *K;
        p.setting = *W;
        p.DiscrimBwField = field(*W, 4);
    }
    if (DemodTypeField == DemodCorrelator)
        p.parity = kParity(Kc);
    return p;
}

} // namespace pellion::calc
