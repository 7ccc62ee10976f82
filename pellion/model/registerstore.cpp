#include "pellion/model/registerstore.h"

#include "link/registerrules.h"
#include "platform/core/numbers.h"

namespace pellion {

namespace {

using reglink::FieldSpec;
using Spec = FieldSpec<PellionFields>;
using F = PellionFields;

// The lock-threshold code of R4: the bit-23 field and the code field share bit 23.
constexpr int kLockThresholdGroup = 1;
constexpr int32_t kLockThresholdMask = 7 << 23;

constexpr int32_t kReceive = 1 << 27; // TxRxField

constexpr double p2(int bit) {
    return static_cast<double>(int64_t{1} << bit);
}

// clang-format off
const Spec kSpecs[] = {
    // R0
    {{"FracNField", 0, 4, 15}, &F::FracNField},
    {{"IntegerNField", 0, 19, 8}, &F::IntegerNField},
    {{"TxRxField", 0, 27, 1}, &F::TxRxField},
    {{"Reg0Bit28Field", 0, 28, 1}, &F::Reg0Bit28Field},
    {{"MuxoutField", 0, 29, 3}, &F::MuxoutField},
    // R1
    {{"RDividerField", 1, 4, 3}, &F::RDividerField},
    {{"Reg1Bit7Field", 1, 7, 1}, &F::Reg1Bit7Field},
    {{"ClockOutField", 1, 8, 4}, &F::ClockOutField},
    {{"XtalOscEnableField", 1, 12, 1}, &F::XtalOscEnableField},
    {{"VcoDiv2Field", 1, 13, 1}, &F::VcoDiv2Field},
    {{"ChargePumpField", 1, 14, 2}, &F::ChargePumpField},
    {{"VcoBiasField", 1, 16, 4}, &F::VcoBiasField},
    {{"VcoAdjustField", 1, 20, 2}, &F::VcoAdjustField},
    {{"IFFilterBandwidthField", 1, 22, 2}, &F::IFFilterBandwidthField},
    // R2
    {{"PaEnableField", 2, 4, 1}, &F::PaEnableField},
    {{"Reg2ZeroField", 2, 0, 0}, &F::Reg2ZeroField},
    {{"ModulationSchemeField", 2, 6, 3}, &F::ModulationSchemeField},
    {{"PaLevelField", 2, 9, 6}, &F::PaLevelField},
    {{"TxDeviationField", 2, 15, 9}, &F::TxDeviationField},
    {{"GfskModControlField", 2, 24, 3}, &F::GfskModControlField},
    {{"GfskIndexCounterField", 2, 27, 2}, &F::GfskIndexCounterField},
    {{"TxDataInvertField", 2, 29, 1}, &F::TxDataInvertField},
    {{"PaBiasField", 2, 30, 2}, &F::PaBiasField},
    // R3
    {{"BbOffsetDividerField", 3, 4, 2}, &F::BbOffsetDividerField},
    {{"DemodClockDividerField", 3, 6, 2}, &F::DemodClockDividerField},
    {{"CdrClockDividerField", 3, 8, 8}, &F::CdrClockDividerField},
    {{"SeqClockDividerField", 3, 16, 8}, &F::SeqClockDividerField},
    // R4
    {{"DemodTypeField", 4, 4, 2}, &F::DemodTypeField},
    {{"PostDemodBwField", 4, 6, 10}, &F::PostDemodBwField},
    {{"LockThresholdModeBit23Field", 4, 23, 1, kLockThresholdGroup}, &F::LockThresholdModeBit23Field},
    {{"LockThresholdModeField", 4, 23, 3, kLockThresholdGroup}, &F::LockThresholdModeField},
    // R5
    {{"SyncWordLengthField", 5, 4, 2}, &F::SyncWordLengthField},
    {{"SyncErrorsField", 5, 6, 2}, &F::SyncErrorsField},
    {{"SyncWordField", 5, 8, 24}, &F::SyncWordField},
    // R6 (Reg6Reg8ZeroField is summed into R8 as well)
    {{"DiscrimBwField", 6, 4, 10}, &F::DiscrimBwField},
    {{"KParityBit14Field", 6, 14, 1}, &F::KParityBit14Field},
    {{"LnaModeField", 6, 15, 1}, &F::LnaModeField},
    {{"Reg6Bit16Field", 6, 16, 1}, &F::Reg6Bit16Field},
    {{"MixerLinearityField", 6, 18, 1}, &F::MixerLinearityField},
    {{"IFFilterCalEnableField", 6, 19, 1}, &F::IFFilterCalEnableField},
    {{"IFFilterDividerField", 6, 20, 9}, &F::IFFilterDividerField},
    {{"KParityBit29Field", 6, 29, 1}, &F::KParityBit29Field},
    {{"Reg6Reg8ZeroField", 6, 0, 0}, &F::Reg6Reg8ZeroField},
    // R7
    {{"ReadbackAdcModeField", 7, 4, 2}, &F::ReadbackAdcModeField},
    {{"ReadbackSelectField", 7, 6, 2}, &F::ReadbackSelectField},
    {{"ReadbackEnableField", 7, 8, 1}, &F::ReadbackEnableField},
    // R8
    {{"SynthEnableField", 8, 4, 1}, &F::SynthEnableField},
    {{"LnaEnableField", 8, 6, 1}, &F::LnaEnableField},
    {{"FilterEnableField", 8, 7, 1}, &F::FilterEnableField},
    {{"AdcEnableField", 8, 8, 1}, &F::AdcEnableField},
    {{"DemodEnableField", 8, 9, 1}, &F::DemodEnableField},
    {{"LogAmpEnableField", 8, 10, 1}, &F::LogAmpEnableField},
    {{"TxRxSwitchEnableField", 8, 11, 1}, &F::TxRxSwitchEnableField},
    // R9
    {{"AgcLowThresholdField", 9, 4, 7}, &F::AgcLowThresholdField},
    {{"AgcHighThresholdField", 9, 11, 7}, &F::AgcHighThresholdField},
    {{"AgcModeField", 9, 18, 2}, &F::AgcModeField},
    {{"LnaGainField", 9, 20, 2}, &F::LnaGainField},
    {{"FilterGainField", 9, 22, 2}, &F::FilterGainField},
    {{"Reg9Bit24Field", 9, 24, 1}, &F::Reg9Bit24Field},
    // R10
    {{"Reg10Bit4Field", 10, 4, 4}, &F::Reg10Bit4Field},
    {{"Reg10Bit8Field", 10, 8, 4}, &F::Reg10Bit8Field},
    {{"Reg10Bit12Field", 10, 12, 4}, &F::Reg10Bit12Field},
    // R11
    {{"AfcScalingField", 11, 4, 16}, &F::AfcScalingField},
    {{"AfcEnableField", 11, 20, 1}, &F::AfcEnableField},
    // R12
    {{"Reg12ZeroField", 12, 0, 0}, &F::Reg12ZeroField},
    // R13
    {{"AfcKpField", 13, 4, 3}, &F::AfcKpField},
    {{"AfcKiField", 13, 8, 4}, &F::AfcKiField},
};
// clang-format on

// Built on first use, so a store made during static initialisation finds it ready.
const reglink::FieldTable<PellionFields>& table() {
    static const reglink::FieldTable<PellionFields> t(kSpecs);
    return t;
}

// A field value as the integer it stands for; a value that is not a finite number
// contributes nothing rather than an undefined conversion.
int64_t bitsOf(double v) {
    return platform::toInt64(v).value_or(0);
}

// The word as the chip receives it: the low 32 bits of the exact sum. Every field a writer
// keeps inside its bits gives a sum below 2^32, so this only matters for values stored past
// the field checks.
double toWord(int64_t sum) {
    return static_cast<double>(static_cast<uint32_t>(static_cast<uint64_t>(sum) & 0xFFFFFFFFu));
}

// Registers with a double field are summed in floating point; every field holds a whole
// number well below 2^53, so the sum is exact. A sum that is no whole number of 64 bits can
// only come from a value stored past the field checks: the word is then the register number.
double toWord(double sum, int n) {
    const std::optional<int64_t> whole = platform::toInt64(sum);
    return whole ? toWord(*whole) : n;
}

} // namespace

PellionStore::PellionStore() : TabledRegisterFile(table()) {}

void PellionStore::setFieldDefaults() {
    f = PellionFields{};
    // R0
    f.FracNField = 16244 << 4;
    f.IntegerNField = 78 << 19;
    f.Reg0Bit28Field = 1 << 28;
    f.MuxoutField = 3 * p2(29);
    // R1 (the reference divider stays 0 until the first frequency plan)
    f.XtalOscEnableField = 1 << 12;
    f.ChargePumpField = 2 << 14;
    f.VcoBiasField = 10 << 16;
    f.IFFilterBandwidthField = 1 << 22;
    // R2
    f.PaEnableField = 1 << 4;
    f.PaLevelField = 48 << 9;
    f.TxDeviationField = 68 << 15;
    f.PaBiasField = 2 * p2(30);
    // R3
    f.BbOffsetDividerField = 1 << 4;
    f.DemodClockDividerField = 1 << 6;
    f.CdrClockDividerField = 10 << 8;
    f.SeqClockDividerField = 120 << 16;
    // R4
    f.DemodTypeField = 1 << 4;
    f.PostDemodBwField = 16 << 6;
    // R5
    f.SyncWordField = 682 * p2(8);
    // R6
    f.DiscrimBwField = 138 << 4;
    f.IFFilterDividerField = 240 * p2(20);
    f.KParityBit29Field = 1 << 29;
    // R8: the ADC starts off, so a transmit R8 is the bare register number until the
    // readback window switches the ADC on; receive switches it on by itself.
    f.AdcEnableField = 0;
    // R9
    f.AgcLowThresholdField = 30 << 4;
    f.AgcHighThresholdField = 70 << 11;
    f.LnaGainField = 3 << 20;
    f.FilterGainField = 2 << 22;
    // R10, the constant 0xAA2A
    f.Reg10Bit12Field = 10 << 12;
    f.Reg10Bit8Field = 10 << 8;
    f.Reg10Bit4Field = 2 << 4;
    // R11
    f.AfcScalingField = 759 * p2(4);
    // R13
    f.AfcKpField = 2 << 4;
    f.AfcKiField = 3 << 8;
}

void PellionStore::setWorkingDefaults() {
    w.FracN = 16244;
    w.IntegerN = 78;
    w.RDivider = 1;
    w.DemodClockMHz = 6.0f;
    w.CdrClockKHz = 600.0f;
    w.ActualDeviationKHz = 20.25f;
    w.ParallelPortAddress = 888;
    w.DeviceName = QStringLiteral("Check Readback");
    w.SiliconRevisionText = QStringLiteral("Check Readback");
}

int32_t PellionStore::lockThresholdModeBits() const {
    const int64_t code = bitsOf(f.LockThresholdModeField) | f.LockThresholdModeBit23Field;
    return static_cast<int32_t>(code & kLockThresholdMask);
}

double PellionStore::word(int n) {
    switch (n) {
    case 0:
        return toWord(
            f.MuxoutField + f.Reg0Bit28Field + f.TxRxField + f.IntegerNField + f.FracNField + 0, n);
    case 1:
        return toWord(int64_t{f.IFFilterBandwidthField} + f.VcoAdjustField + f.VcoBiasField +
                      f.ChargePumpField + f.VcoDiv2Field + f.XtalOscEnableField + f.ClockOutField +
                      f.Reg1Bit7Field + f.RDividerField + 1);
    case 2:
        return toWord(f.PaBiasField + f.TxDataInvertField + f.GfskIndexCounterField +
                          f.GfskModControlField + f.TxDeviationField + f.PaLevelField +
                          f.ModulationSchemeField + f.Reg2ZeroField + f.PaEnableField + 2,
                      n);
    case 3:
        return toWord(int64_t{f.SeqClockDividerField} + f.CdrClockDividerField +
                      f.DemodClockDividerField + f.BbOffsetDividerField + 3);
    case 4:
        // The two lock-threshold fields form one 3-bit code: combined bit by bit, a
        // bit-23 field beside a code that already has bit 23 set cannot carry upwards.
        return toWord(static_cast<double>(lockThresholdModeBits()) + f.PostDemodBwField +
                          f.DemodTypeField + 4,
                      n);
    case 5:
        return toWord(f.SyncWordField + f.SyncErrorsField + f.SyncWordLengthField + 5, n);
    case 6:
        return toWord(f.Reg6Reg8ZeroField + f.KParityBit29Field + f.IFFilterDividerField +
                          f.IFFilterCalEnableField + f.MixerLinearityField + f.Reg6Bit16Field +
                          f.LnaModeField + f.KParityBit14Field + f.DiscrimBwField + 6,
                      n);
    case 7:
        return toWord(int64_t{f.ReadbackEnableField} + f.ReadbackSelectField +
                      f.ReadbackAdcModeField + 7);
    case 8:
        return toWord(f.TxRxSwitchEnableField + f.Reg6Reg8ZeroField + f.LogAmpEnableField +
                          f.DemodEnableField + f.AdcEnableField + f.FilterEnableField +
                          f.LnaEnableField + f.SynthEnableField + 8,
                      n);
    case 9:
        return toWord(int64_t{f.Reg9Bit24Field} + f.FilterGainField + f.LnaGainField +
                      f.AgcModeField + f.AgcHighThresholdField + f.AgcLowThresholdField + 9);
    case 10:
        return toWord(int64_t{f.Reg10Bit12Field} + f.Reg10Bit8Field + f.Reg10Bit4Field + 10);
    case 11:
        return toWord(f.AfcEnableField + f.AfcScalingField + 11, n);
    case 12:
        // Nothing writes R12's field; the test-data list sends its own R12 words.
        return 12;
    case 13:
        return toWord(int64_t{f.AfcKiField} + f.AfcKpField + 13);
    default:
        return 0;
    }
}

void PellionStore::applyPowerDownRule() {
    // Transmitting leaves the ADC switch of the readback window as the user set it.
    const auto direction = reglink::radioDirection(f.TxRxField, kReceive);
    reglink::applyReceiveTransmitRule(direction, {{f.LnaEnableField, p2(6)},
                                                  {f.FilterEnableField, p2(7)},
                                                  {f.AdcEnableField, p2(8)},
                                                  {f.DemodEnableField, p2(9)},
                                                  {f.LogAmpEnableField, p2(10)},
                                                  f.TxRxSwitchEnableField,
                                                  f.Reg6Reg8ZeroField});
}

int16_t PellionStore::readbackSelection() const {
    return reglink::readbackSelectionBits(static_cast<double>(f.ReadbackAdcModeField) +
                                          f.ReadbackSelectField + f.ReadbackEnableField);
}

std::optional<uint32_t> PellionStore::testModeWordBits() const {
    const std::optional<int64_t> v = platform::toInt64(w.TestModeWord);
    if (!v || *v < 0 || *v > 0xFFFFFFFFLL) {
        return std::nullopt;
    }
    return static_cast<uint32_t>(*v);
}

} // namespace pellion
