#include "link/registerstore.h"

#include <cmath>

namespace corvane::link {

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

} // namespace

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

void CorvaneStore::applyReceiveTransmitRule() {
    if (f.TxRxField == (1 << 27)) {
        f.TxRxSwitchEnableField = 0;
        f.Reg8Bits13To14Field = 0;
        f.LogAmpEnableField = p2(10);
        f.DemodEnableField = p2(9);
        f.AdcEnableField = p2(8);
        f.FilterEnableField = p2(7);
        f.LnaEnableField = p2(6);
    } else if (f.TxRxField == 0) {
        // The ADC switch of the readback window stays as the user set it.
        f.TxRxSwitchEnableField = 0;
        f.Reg8Bits13To14Field = 0;
        f.LogAmpEnableField = 0;
        f.DemodEnableField = 0;
        f.FilterEnableField = 0;
        f.LnaEnableField = 0;
    }
}

} // namespace corvane::link
