#include "corvane/model/registerstore.h"

#include "link/registerrules.h"

#include <cmath>

namespace corvane {

namespace {

constexpr double p2(int bit) {
    return static_cast<double>(int64_t{1} << bit);
}

// Every field value is integral; the sum is exact in 64 bits, so no field
// combination can overflow, and the word is the sum taken modulo 2^32 (a
// field on bit 31 typed as a signed 32-bit value holds -2^31).
double toWord(int64_t integerStage, double doubleStage) {
    const auto total = integerStage + static_cast<int64_t>(std::nearbyint(doubleStage));
    return static_cast<double>(static_cast<uint32_t>(static_cast<uint64_t>(total) & 0xFFFFFFFFu));
}

using F = CorvaneFields;
using Spec = reglink::FieldSpec<F>;

// Every field with its register and bits. The Viterbi detector flag and the
// path-memory index both occupy bit 11 of R13 by design (group 1).
const Spec kFields[] = {
    {{"FracNField", 0, 4, 15}, &F::FracNField},
    {{"IntegerNField", 0, 19, 8}, &F::IntegerNField},
    {{"TxRxField", 0, 27, 1}, &F::TxRxField},
    {{"DataInterfaceField", 0, 28, 1}, &F::DataInterfaceField},
    {{"MuxoutField", 0, 29, 3}, &F::MuxoutField},
    {{"RDividerField", 1, 4, 3}, &F::RDividerField},
    {{"ClockOutField", 1, 7, 4}, &F::ClockOutField},
    {{"Reg1Bit11Field", 1, 11, 0}, &F::Reg1Bit11Field},
    {{"XtalOscEnableField", 1, 12, 1}, &F::XtalOscEnableField},
    {{"XtalBiasField", 1, 13, 2}, &F::XtalBiasField},
    {{"ChargePumpField", 1, 15, 2}, &F::ChargePumpField},
    {{"VcoEnableField", 1, 17, 1}, &F::VcoEnableField},
    {{"VcoDiv2Field", 1, 18, 1}, &F::VcoDiv2Field},
    {{"VcoBiasField", 1, 19, 4}, &F::VcoBiasField},
    {{"VcoAdjustField", 1, 23, 2}, &F::VcoAdjustField},
    {{"ExtInductorField", 1, 25, 1}, &F::ExtInductorField},
    {{"ModulationSchemeField", 2, 4, 3}, &F::ModulationSchemeField},
    {{"PaEnableField", 2, 7, 1}, &F::PaEnableField},
    {{"PaRampField", 2, 8, 3}, &F::PaRampField},
    {{"PaBiasField", 2, 11, 2}, &F::PaBiasField},
    {{"PaLevelField", 2, 13, 6}, &F::PaLevelField},
    {{"TxDeviationField", 2, 19, 11}, &F::TxDeviationField},
    {{"RcAlphaField", 2, 30, 1}, &F::RcAlphaField},
    {{"Reg2ZeroField", 2, 0, 0}, &F::Reg2ZeroField},
    {{"BbOffsetDividerField", 3, 4, 2}, &F::BbOffsetDividerField},
    {{"DemodClockDividerField", 3, 6, 4}, &F::DemodClockDividerField},
    {{"CdrClockDividerField", 3, 10, 8}, &F::CdrClockDividerField},
    {{"SeqClockDividerField", 3, 18, 8}, &F::SeqClockDividerField},
    {{"DemodTypeField", 4, 4, 3}, &F::DemodTypeField},
    {{"KParityBit7Field", 4, 7, 1}, &F::KParityBit7Field},
    {{"KParityBit9Field", 4, 9, 1}, &F::KParityBit9Field},
    {{"DiscrimBwField", 4, 10, 10}, &F::DiscrimBwField},
    {{"PostDemodBwField", 4, 20, 10}, &F::PostDemodBwField},
    {{"IFFilterBandwidthField", 4, 30, 2}, &F::IFFilterBandwidthField},
    {{"IFCoarseCalField", 5, 4, 1}, &F::IFCoarseCalField},
    {{"IFFilterDividerField", 5, 5, 9}, &F::IFFilterDividerField},
    {{"IFFilterAdjustField", 5, 14, 6}, &F::IFFilterAdjustField},
    {{"IRGainMagnitudeField", 5, 20, 4}, &F::IRGainMagnitudeField},
    {{"IRGainSignField", 5, 24, 1}, &F::IRGainSignField},
    {{"IRPhaseMagnitudeField", 5, 25, 5}, &F::IRPhaseMagnitudeField},
    {{"IRPhaseSignField", 5, 30, 1}, &F::IRPhaseSignField},
    {{"IRAdjustModeField", 5, 31, 1}, &F::IRAdjustModeField},
    {{"IFFineCalField", 6, 4, 1}, &F::IFFineCalField},
    {{"IFCalLowerToneField", 6, 5, 8}, &F::IFCalLowerToneField},
    {{"IFCalUpperToneField", 6, 13, 8}, &F::IFCalUpperToneField},
    {{"IFCalDwellTimeField", 6, 21, 7}, &F::IFCalDwellTimeField},
    {{"IRCalDriveField", 6, 28, 2}, &F::IRCalDriveField},
    {{"IRCalSourceField", 6, 0, 0}, &F::IRCalSourceField},
    {{"ReadbackAdcModeField", 7, 4, 2}, &F::ReadbackAdcModeField},
    {{"ReadbackSelectField", 7, 6, 2}, &F::ReadbackSelectField},
    {{"ReadbackEnableField", 7, 8, 1}, &F::ReadbackEnableField},
    {{"SynthEnableField", 8, 4, 1}, &F::SynthEnableField},
    {{"LnaEnableField", 8, 6, 1}, &F::LnaEnableField},
    {{"FilterEnableField", 8, 7, 1}, &F::FilterEnableField},
    {{"AdcEnableField", 8, 8, 1}, &F::AdcEnableField},
    {{"DemodEnableField", 8, 9, 1}, &F::DemodEnableField},
    {{"LogAmpEnableField", 8, 10, 1}, &F::LogAmpEnableField},
    {{"TxRxSwitchEnableField", 8, 11, 1}, &F::TxRxSwitchEnableField},
    {{"Reg8Bits13To14Field", 8, 13, 2}, &F::Reg8Bits13To14Field},
    {{"AgcLowThresholdField", 9, 4, 6}, &F::AgcLowThresholdField},
    {{"AgcHighThresholdField", 9, 11, 7}, &F::AgcHighThresholdField},
    {{"LnaModeField", 9, 15, 0}, &F::LnaModeField},
    {{"AgcModeField", 9, 18, 2}, &F::AgcModeField},
    {{"LnaGainField", 9, 20, 2}, &F::LnaGainField},
    {{"FilterGainField", 9, 22, 2}, &F::FilterGainField},
    {{"Reg9Bit26Field", 9, 26, 0}, &F::Reg9Bit26Field},
    {{"MixerLinearityField", 9, 28, 1}, &F::MixerLinearityField},
    {{"AfcEnableField", 10, 4, 1}, &F::AfcEnableField},
    {{"AfcScalingField", 10, 5, 12}, &F::AfcScalingField},
    {{"AfcKiField", 10, 17, 4}, &F::AfcKiField},
    {{"AfcKpField", 10, 21, 3}, &F::AfcKpField},
    {{"AfcRangeField", 10, 24, 8}, &F::AfcRangeField},
    {{"SyncWordLengthField", 11, 4, 2}, &F::SyncWordLengthField},
    {{"SyncErrorsField", 11, 6, 2}, &F::SyncErrorsField},
    {{"SyncWordField", 11, 8, 24}, &F::SyncWordField},
    {{"LockThresholdModeField", 12, 4, 2}, &F::LockThresholdModeField},
    {{"SwdModeField", 12, 6, 2}, &F::SwdModeField},
    {{"PacketLengthField", 12, 8, 8}, &F::PacketLengthField},
    {{"ThresholdWordField", 13, 4, 7}, &F::ThresholdWordField},
    {{"ThreeFskDetectorField", 13, 11, 1, 1}, &F::ThreeFskDetectorField},
    {{"ViterbiPathMemoryField", 13, 11, 2, 1}, &F::ViterbiPathMemoryField},
    {{"ThreeFskEnableField", 13, 13, 1}, &F::ThreeFskEnableField},
    {{"ThreeFskThresholdField", 13, 15, 7}, &F::ThreeFskThresholdField},
    {{"ThreeFskBits22To25Field", 13, 22, 4}, &F::ThreeFskBits22To25Field},
    {{"RxTestModeField", 15, 4, 4}, &F::RxTestModeField},
    {{"TestDataPatternField", 15, 8, 3}, &F::TestDataPatternField},
    {{"SpiModeField", 15, 17, 3}, &F::SpiModeField},
    {{"RssiTestField", 15, 24, 4}, &F::RssiTestField},
    // Set by the Gaussian window, but part of no register word.
    {{"GfskIndexCounterField", -1, 27, 2}, &F::GfskIndexCounterField},
};
// Built on first use, so a store made during static initialisation finds it ready.
const reglink::FieldTable<CorvaneFields>& table() {
    static const reglink::FieldTable<CorvaneFields> t(kFields);
    return t;
}

} // namespace

CorvaneStore::CorvaneStore(ChipVariant variant) : TabledRegisterFile(table()), variant_(variant) {}

void CorvaneStore::setFieldDefaults() {
    f = CorvaneFields{};
    f.FracNField = 5795 * (1 << 4);
    f.IntegerNField = 44 * (1 << 19);
    f.TxRxField = 1 << 27;
    f.XtalOscEnableField = 1 << 12;
    f.XtalBiasField = 2 * (1 << 13);
    f.ChargePumpField = 2 * (1 << 15);
    f.VcoEnableField = p2(17);
    f.VcoBiasField = 10 * (1 << 19);
    f.PaEnableField = 1 << 7;
    f.PaBiasField = 2 * p2(11);
    f.PaLevelField = 46 * (1 << 13);
    f.TxDeviationField = 20 * (1 << 19);
    f.BbOffsetDividerField = 2 * (1 << 4);
    f.DemodClockDividerField = 2 * (1 << 6);
    f.CdrClockDividerField = 32 * (1 << 10);
    f.SeqClockDividerField = 197 * (1 << 18);
    f.DemodTypeField = 1 << 4;
    f.KParityBit9Field = 1 << 9;
    f.DiscrimBwField = 344 * (1 << 10);
    f.PostDemodBwField = 5 * (1 << 20);
    f.IFFilterBandwidthField = 2 * p2(30);
    f.IFCoarseCalField = 1 << 4;
    f.IFFilterDividerField = 394 * p2(5);
    f.IFCalLowerToneField = 123 * (1 << 5);
    f.IFCalUpperToneField = 82 * (1 << 13);
    f.IFCalDwellTimeField = variant_.dwellDefault * (1 << 21);
    f.AgcLowThresholdField = 30 * (1 << 4);
    f.AgcHighThresholdField = 70 * (1 << 11);
    f.AfcScalingField = 426 * p2(5);
    f.AfcKiField = 11 * (1 << 17);
    f.AfcKpField = 4 * (1 << 21);
    f.AfcRangeField = 50 * p2(24);
    f.SyncWordLengthField = 3 * (1 << 4);
    f.PacketLengthField = 1 << 8;
}

double CorvaneStore::word(int n) {
    switch (n) {
    case 0:
        return toWord(0, f.DataInterfaceField + f.MuxoutField + f.TxRxField + f.IntegerNField +
                             f.FracNField + 0);
    case 1:
        f.Reg1Bit11Field = 0;
        return toWord(
            int64_t{f.VcoAdjustField} + f.ExtInductorField + f.VcoBiasField + f.VcoDiv2Field,
            f.VcoEnableField + f.ChargePumpField + f.XtalBiasField + f.XtalOscEnableField +
                f.Reg1Bit11Field + f.ClockOutField + f.RDividerField + 1);
    case 2:
        return toWord(
            int64_t{f.Reg2ZeroField} + f.RcAlphaField + f.TxDeviationField + f.PaLevelField,
            f.PaBiasField + f.PaRampField + f.PaEnableField + f.ModulationSchemeField + 2);
    case 3:
        return toWord(0, variant_.reg3Constant * p2(26) + f.SeqClockDividerField +
                             f.DemodClockDividerField + f.CdrClockDividerField + 3 +
                             f.BbOffsetDividerField);
    case 4:
        return toWord(0, f.PostDemodBwField + f.IFFilterBandwidthField + f.DiscrimBwField +
                             f.KParityBit9Field + f.KParityBit7Field + f.DemodTypeField + 4);
    case 5:
        return toWord(int64_t{f.IRPhaseSignField} + f.IRAdjustModeField + f.IRPhaseMagnitudeField +
                          f.IRGainSignField + f.IRGainMagnitudeField + f.IFFilterAdjustField,
                      f.IFFilterDividerField + f.IFCoarseCalField + 5);
    case 6:
        return toWord(int64_t{f.IRCalDriveField} + f.IRCalSourceField + f.IFCalDwellTimeField +
                          f.IFCalUpperToneField + f.IFCalLowerToneField + f.IFFineCalField + 6,
                      0);
    case 7:
        return toWord(
            int64_t{f.ReadbackSelectField} + f.ReadbackEnableField + f.ReadbackAdcModeField + 7, 0);
    case 8:
        return toWord(0, f.TxRxSwitchEnableField + f.Reg8Bits13To14Field + f.LogAmpEnableField +
                             f.DemodEnableField + f.AdcEnableField + f.FilterEnableField +
                             f.LnaEnableField + f.SynthEnableField + 8);
    case 9:
        f.Reg9Bit26Field = 0;
        return toWord(int64_t{f.Reg9Bit26Field} + f.MixerLinearityField + f.LnaModeField +
                          f.FilterGainField + f.AgcModeField + f.LnaGainField +
                          f.AgcHighThresholdField + f.AgcLowThresholdField + 9,
                      0);
    case 10:
        return toWord(0, f.AfcKpField + f.AfcRangeField + f.AfcKiField + f.AfcScalingField +
                             f.AfcEnableField + 10);
    case 11:
        return toWord(0, f.SyncErrorsField + f.SyncWordField + f.SyncWordLengthField + 11);
    case 12:
        return toWord(int64_t{f.SwdModeField} + f.PacketLengthField, f.LockThresholdModeField + 12);
    case 13: {
        // The Viterbi detector flag and the path-memory index share bit 11 in
        // this layout. Adding them would carry a Viterbi detector with an odd
        // path memory into bits 12 and 13 (the 3FSK enable); combining them
        // bit by bit keeps every other field of the word intact.
        const int64_t sharedBit11 = int64_t{f.ViterbiPathMemoryField | f.ThreeFskDetectorField};
        return toWord(int64_t{f.ThreeFskThresholdField} + f.ThreeFskBits22To25Field + sharedBit11 +
                          f.ThreeFskEnableField + f.ThresholdWordField + 13,
                      0);
    }
    case 14:
        return 14; // written only as a whole raw word
    case 15:
        return toWord(int64_t{f.SpiModeField} + f.RssiTestField + f.TestDataPatternField +
                          f.RxTestModeField + 15,
                      0);
    default:
        return 0;
    }
}

void CorvaneStore::applyPowerDownRule() {
    const auto direction = reglink::radioDirection(f.TxRxField, 1 << 27);
    reglink::applyReceiveTransmitRule(direction, {{f.LnaEnableField, p2(6)},
                                                  {f.FilterEnableField, p2(7)},
                                                  {f.AdcEnableField, p2(8)},
                                                  {f.DemodEnableField, p2(9)},
                                                  {f.LogAmpEnableField, p2(10)},
                                                  f.TxRxSwitchEnableField,
                                                  f.Reg8Bits13To14Field});
}

int16_t CorvaneStore::readbackSelection() const {
    return reglink::readbackSelectionBits(double(f.ReadbackSelectField) + f.ReadbackEnableField +
                                          f.ReadbackAdcModeField);
}

std::optional<int> CorvaneStore::alsoMarkedWith(int n) const {
    if (n == 6 && f.IFFineCalField == 16)
        return 5;
    return std::nullopt;
}

} // namespace corvane
