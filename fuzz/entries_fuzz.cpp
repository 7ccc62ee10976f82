// The number entries of the shared planning pieces and of pellion-eval's and tessarine-eval's
// planning on arbitrary texts, beside arbitrary working values (NaN, infinities and the range
// edges among them): nothing crashes or overflows, a refused entry gives no value, an accepted
// one stays within what its box accepts, and every field value a plan gives fits the bits the
// chip's field table gives that field.
//
// Input: the first byte chooses the entry, then the working values, then the box texts.
#include "fuzz/fieldcheck.h"
#include "fuzz/fuzzcheck.h"

#include "evalkit/calc/boxentry.h"
#include "evalkit/calc/gaussian.h"
#include "evalkit/calc/receiverclocks.h"
#include "evalkit/calc/synthentry.h"
#include "pellion/calc/datarate.h"
#include "pellion/calc/demod.h"
#include "pellion/calc/deviation.h"
#include "pellion/calc/gfsk.h"
#include "pellion/calc/synthesizer.h"
#include "pellion/model/registerstore.h"
#include "platform/core/numbers.h"
#include "tessarine/calc/modulation.h"
#include "tessarine/calc/synthesizer.h"
#include "tessarine/model/registerstore.h"

#include <QString>
#include <fuzzer/FuzzedDataProvider.h>

#include <bit>
#include <cmath>
#include <string>

namespace {

using fuzzcheck::checkFieldValue;

// A working value: mostly one in a plausible range, now and then any bit pattern at all.
float anyFloat(FuzzedDataProvider& fdp) {
    if (fdp.ConsumeIntegralInRange(0, 3) == 0)
        return std::bit_cast<float>(fdp.ConsumeIntegral<uint32_t>());
    return fdp.ConsumeFloatingPointInRange<float>(-1.0f, 1000.0f);
}

QString text(FuzzedDataProvider& fdp) {
    return QString::fromUtf8(fdp.ConsumeRandomLengthString(24));
}

QString lastText(FuzzedDataProvider& fdp) {
    return QString::fromUtf8(fdp.ConsumeRemainingBytesAsString());
}

const pellion::PellionStore& pellionFields() {
    static const pellion::PellionStore store;
    return store;
}

const tessarine::TessarineStore& tessarineFields() {
    static const tessarine::TessarineStore store;
    return store;
}

template <class T> bool allOrNone(const std::optional<T>&) {
    return true;
}
template <class A, class B, class... Rest>
bool allOrNone(const std::optional<A>& a, const std::optional<B>& b, const Rest&... rest) {
    return a.has_value() == b.has_value() && allOrNone(b, rest...);
}

void boxEntry(FuzzedDataProvider& fdp) {
    const int maxChars = fdp.ConsumeIntegralInRange(0, 16);
    const QString t = lastText(fdp);
    const std::optional<double> v = evalkit::calc::boxEntry(t, maxChars);
    if (v) {
        FUZZ_CHECK(std::isfinite(*v));
        FUZZ_CHECK(t.size() >= 1 && t.size() <= maxChars);
    }
    if (t.size() > maxChars || t.isEmpty())
        FUZZ_CHECK(!v);
}

void gaussianDivider(FuzzedDataProvider& fdp) {
    const std::optional<evalkit::calc::GaussianDivider> d =
        evalkit::calc::gaussianDivider(lastText(fdp));
    if (!d)
        return;
    FUZZ_CHECK(d->divider >= evalkit::calc::MinGaussianDivider &&
               d->divider <= evalkit::calc::MaxGaussianDivider);
    if (d->limited)
        FUZZ_CHECK(d->divider == evalkit::calc::MinGaussianDivider ||
                   d->divider == evalkit::calc::MaxGaussianDivider);
}

void dividerEntry(FuzzedDataProvider& fdp) {
    const int32_t lo = fdp.ConsumeIntegralInRange<int32_t>(-1000, 1000);
    const int32_t hi = lo + fdp.ConsumeIntegralInRange<int32_t>(0, 100000);
    const evalkit::calc::DividerEntry e =
        evalkit::calc::dividerEntry(lastText(fdp), lo, hi, QStringLiteral("limit"));
    FUZZ_CHECK(!(e.value && e.refusal));
    if (e.value)
        FUZZ_CHECK(*e.value >= lo && *e.value <= hi);
}

void synthEntries(FuzzedDataProvider& fdp) {
    evalkit::calc::SynthEntryRules rules;
    rules.clearsRfBox = fdp.ConsumeBool();
    const QString rf = text(fdp);
    const QString pfd = text(fdp);
    const QString crystal = lastText(fdp);
    const auto failure = evalkit::calc::validateSynthEntries(rf, pfd, crystal, rules);
    if (!failure) {
        // All three read as numbers; the PFD lies above 0 and at most at its limit.
        for (const QString* t : {&rf, &pfd, &crystal})
            FUZZ_CHECK(platform::textToNumber(*t).has_value());
        const double p = *platform::textToNumber(pfd);
        FUZZ_CHECK(p > 0 && p <= evalkit::calc::kMaxPfdMHz);
        return;
    }
    FUZZ_CHECK(failure->box != evalkit::calc::SynthBox::None);
    FUZZ_CHECK(!failure->message.text.isEmpty());
}

void pellionDividers(FuzzedDataProvider& fdp) {
    const auto& store = pellionFields();
    const int which = fdp.ConsumeIntegralInRange(0, 5);
    const float crystal = anyFloat(fdp);
    const float clock = anyFloat(fdp);
    const float deviation = anyFloat(fdp);
    const QString t = lastText(fdp);
    switch (which) {
    case 0: {
        const auto e = pellion::calc::ifFilterEntry(t);
        FUZZ_CHECK(!(e.refusal && e.IFFilterDividerField));
        checkFieldValue(store, "IFFilterDividerField", e.IFFilterDividerField);
        break;
    }
    case 1: {
        const auto e = pellion::calc::bbOffsetEntry(t);
        FUZZ_CHECK(!(e.refusal && e.BbOffsetDividerField));
        checkFieldValue(store, "BbOffsetDividerField", e.BbOffsetDividerField);
        break;
    }
    case 2: {
        const auto e = pellion::calc::cdrEntry(t, clock);
        FUZZ_CHECK(!(e.refusal && e.CdrClockDividerField));
        checkFieldValue(store, "CdrClockDividerField", e.CdrClockDividerField);
        break;
    }
    case 3: {
        const auto e = pellion::calc::demodEntry(t, crystal, deviation);
        FUZZ_CHECK(!(e.refusal && e.DemodClockDividerField));
        checkFieldValue(store, "DemodClockDividerField", e.DemodClockDividerField);
        checkFieldValue(store, "DiscrimBwField", e.DiscrimBwField);
        break;
    }
    case 4: {
        const auto e = pellion::calc::postDemodEntry(t, clock);
        FUZZ_CHECK(!(e.refusal && e.PostDemodBwField));
        checkFieldValue(store, "PostDemodBwField", e.PostDemodBwField);
        break;
    }
    default: {
        const auto e = pellion::calc::discrimEntry(t, crystal);
        checkFieldValue(store, "DiscrimBwField", e.DiscrimBwField);
        break;
    }
    }
}

void pellionDeviation(FuzzedDataProvider& fdp) {
    const auto& store = pellionFields();
    pellion::calc::DeviationInputs in;
    in.PfdFrequencyMHz = anyFloat(fdp);
    in.VcoDiv2Field = fdp.ConsumeBool() ? pellion::calc::VcoDiv2FieldOn : 0;
    in.ModulationSchemeField = fdp.PickValueInArray(
        {pellion::calc::ModulationFsk, pellion::calc::ModulationGfsk, pellion::calc::ModulationAsk,
         pellion::calc::ModulationOok, pellion::calc::ModulationGook});
    in.DemodTypeField = fdp.PickValueInArray(
        {pellion::calc::DemodLinear, pellion::calc::DemodCorrelator, pellion::calc::DemodAsk});
    in.DemodClockMHz = anyFloat(fdp);
    in.text = lastText(fdp);
    const auto r = pellion::calc::planDeviation(in);
    FUZZ_CHECK(!(r.refusal && r.TxDeviationField));
    checkFieldValue(store, "TxDeviationField", r.TxDeviationField);
    checkFieldValue(store, "DiscrimBwField", r.DiscrimBwField);
    checkFieldValue(store, "KParityBit14Field", r.KParityBit14Field);
    checkFieldValue(store, "KParityBit29Field", r.KParityBit29Field);
}

void pellionDataRate(FuzzedDataProvider& fdp) {
    const auto& store = pellionFields();
    pellion::calc::DataRateInputs in;
    if (fdp.ConsumeBool())
        in.rateFromCode = double(anyFloat(fdp));
    in.CrystalFrequencyMHz = anyFloat(fdp);
    in.ActualDeviationKHz = anyFloat(fdp);
    in.DemodTypeField = fdp.PickValueInArray(
        {pellion::calc::DemodLinear, pellion::calc::DemodCorrelator, pellion::calc::DemodAsk});
    in.cmbDemodIndex = fdp.ConsumeIntegralInRange(-1, 3);
    in.lblRxCLK = text(fdp);
    in.rateText = lastText(fdp);
    const auto p = pellion::calc::planDataRate(in);
    if (!p.ran)
        return;
    checkFieldValue(store, "IFFilterDividerField", p.IFFilterDividerField);
    checkFieldValue(store, "BbOffsetDividerField", p.BbOffsetDividerField);
    checkFieldValue(store, "DemodClockDividerField", p.DemodClockDividerField);
    checkFieldValue(store, "CdrClockDividerField", p.CdrClockDividerField);
    checkFieldValue(store, "SeqClockDividerField", p.SeqClockDividerField);
    checkFieldValue(store, "PostDemodBwField", p.PostDemodBwField);
    checkFieldValue(store, "DiscrimBwField", p.DiscrimBwField);
    checkFieldValue(store, "KParityBit14Field", p.KParityBit14Field);
    checkFieldValue(store, "KParityBit29Field", p.KParityBit29Field);
}

void checkPellionSynth(const pellion::calc::SynthResult& r) {
    const auto& store = pellionFields();
    checkFieldValue(store, "IntegerNField", r.IntegerNField);
    checkFieldValue(store, "FracNField", r.FracNField);
    checkFieldValue(store, "RDividerField", r.RDividerField);
    checkFieldValue(store, "VcoDiv2Field", r.VcoDiv2Field);
    checkFieldValue(store, "AfcScalingField", r.AfcScalingField);
    if (r.validationFailed)
        FUZZ_CHECK(!r.planned && !r.IntegerNField && !r.FracNField);
}

void pellionSynthesizer(FuzzedDataProvider& fdp) {
    pellion::calc::SynthInputs in;
    const int which = fdp.ConsumeIntegralInRange(0, 2);
    in.chkInductor = fdp.ConsumeBool();
    in.divideBy2On = fdp.ConsumeBool();
    in.TxRxField = fdp.ConsumeBool() ? int32_t{1} << 27 : 0;
    in.CrystalFrequencyMHz = anyFloat(fdp);
    in.rfText = text(fdp);
    in.pfdText = text(fdp);
    in.crystalText = lastText(fdp);
    if (which == 0) {
        checkPellionSynth(pellion::calc::CmdCalculate(in));
        return;
    }
    const pellion::calc::FractionStepResult r =
        which == 1 ? pellion::calc::cmdfdown(in) : pellion::calc::StepFracUp(in);
    checkPellionSynth(r.calculation);
    if (r.step)
        checkPellionSynth(*r.step);
}

void pellionGfsk(FuzzedDataProvider& fdp) {
    const auto& store = pellionFields();
    pellion::calc::GfskInputs in;
    in.cmbModCtrlIndex = fdp.ConsumeIntegralInRange(-1, 8);
    in.cmbIndexCountIndex = fdp.ConsumeIntegralInRange(-1, 4);
    in.PfdFrequencyMHz = anyFloat(fdp);
    in.VcoDiv2Field = fdp.ConsumeBool() ? pellion::calc::VcoDiv2FieldOn : 0;
    in.ModulationSchemeField =
        fdp.PickValueInArray({pellion::calc::ModulationGfsk, pellion::calc::ModulationGook});
    in.txtDivider = lastText(fdp);
    const auto r = pellion::calc::planGfsk(in);
    if (!r.calculated)
        return;
    checkFieldValue(store, "TxDeviationField", r.TxDeviationField);
    checkFieldValue(store, "GfskModControlField", r.GfskModControlField);
    checkFieldValue(store, "GfskIndexCounterField", r.GfskIndexCounterField);
}

void tessarineDeviation(FuzzedDataProvider& fdp) {
    tessarine::calc::DeviationInputs in;
    in.ModulationSchemeField = fdp.PickValueInArray(
        {tessarine::calc::SchemeFsk, tessarine::calc::SchemeGfsk, tessarine::calc::SchemeAsk,
         tessarine::calc::SchemeOok, tessarine::calc::SchemeGook});
    in.PfdFrequencyMHz = anyFloat(fdp);
    in.TxDeviationField = fdp.ConsumeIntegralInRange(0, tessarine::calc::MaxDeviationCount) << 11;
    in.text = lastText(fdp);
    const auto r = tessarine::calc::planDeviation(in);
    FUZZ_CHECK(!(r.refusal && r.TxDeviationField));
    if (r.message)
        FUZZ_CHECK(r.refusal.has_value());
    FUZZ_CHECK(allOrNone(r.TxDeviationField, r.DeviationStepHz));
    checkFieldValue(tessarineFields(), "TxDeviationField", r.TxDeviationField);
}

void tessarineGaussian(FuzzedDataProvider& fdp) {
    const auto& store = tessarineFields();
    tessarine::calc::GaussianInputs in;
    in.modControlIndex = fdp.ConsumeIntegralInRange(-1, 8);
    in.indexCountIndex = fdp.ConsumeIntegralInRange(-1, 4);
    in.ModulationSchemeField =
        fdp.PickValueInArray({tessarine::calc::SchemeGfsk, tessarine::calc::SchemeGook});
    in.PfdFrequencyMHz = anyFloat(fdp);
    in.dividerText = lastText(fdp);
    const auto r = tessarine::calc::planGaussian(in);
    FUZZ_CHECK(allOrNone(r.TxDeviationField, r.GfskModControlField, r.GfskIndexCounterField));
    if (r.refusal)
        FUZZ_CHECK(!r.TxDeviationField);
    checkFieldValue(store, "TxDeviationField", r.TxDeviationField);
    checkFieldValue(store, "GfskModControlField", r.GfskModControlField);
    checkFieldValue(store, "GfskIndexCounterField", r.GfskIndexCounterField);
}

void tessarineSynthesizer(FuzzedDataProvider& fdp) {
    const auto& store = tessarineFields();
    tessarine::calc::SynthInputs in;
    const int which = fdp.ConsumeIntegralInRange(0, 2);
    in.DoublerFactor = static_cast<int16_t>(fdp.ConsumeIntegralInRange(0, 3));
    in.PrescalerField = fdp.ConsumeBool() ? tessarine::calc::Prescaler89Field : 0;
    in.rfText = text(fdp);
    in.pfdText = text(fdp);
    in.crystalText = lastText(fdp);
    const tessarine::calc::SynthResult r = which == 0
                                               ? tessarine::calc::cmdCalculate(in)
                                               : tessarine::calc::stepFraction(in, which == 1);
    checkFieldValue(store, "IntegerNField", r.IntegerNField);
    checkFieldValue(store, "FracNField", r.FracNField);
    checkFieldValue(store, "RDividerField", r.RDividerField);
    // A refused entry stores nothing; a refused divider stores nothing of a calculation (after
    // a fraction step, the calculation before it stands).
    if (r.validationFailed || (r.refused && which == 0))
        FUZZ_CHECK(!r.applied);
}

using Entry = void (*)(FuzzedDataProvider&);
constexpr Entry Entries[] = {boxEntry,           gaussianDivider,    dividerEntry,
                             synthEntries,       pellionDividers,    pellionDeviation,
                             pellionDataRate,    pellionSynthesizer, pellionGfsk,
                             tessarineDeviation, tessarineGaussian,  tessarineSynthesizer};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0)
        return 0;
    FuzzedDataProvider fdp(data + 1, size - 1);
    Entries[data[0] % std::size(Entries)](fdp);
    return 0;
}
