#pragma once
// The register field store of the Corvane chip: one value per field of the
// sixteen 32-bit registers, each held already multiplied by 2 to the power of
// the field's lowest bit, with the storage type the windows rely on. A
// register word is never stored: it is rebuilt from the fields every time it
// is shown or sent.
#include "link/registerfile.h"

#include <QString>
#include <cstdint>

namespace corvane {

// What the narrow-band variant of the chip changes in the store.
struct ChipVariant {
    int32_t reg3Constant = 10; // value of R3 bits 26..29
    int32_t dwellDefault = 40; // IF calibration dwell time at power-on
};

struct CorvaneFields {
    // R0
    int32_t FracNField = 0;
    int32_t IntegerNField = 0;
    int32_t TxRxField = 0;
    int32_t DataInterfaceField = 0;
    double MuxoutField = 0;
    // R1
    int16_t RDividerField = 0;
    int16_t ClockOutField = 0;
    int16_t Reg1Bit11Field = 0;
    int32_t XtalOscEnableField = 0;
    int32_t XtalBiasField = 0;
    int32_t ChargePumpField = 0;
    double VcoEnableField = 0;
    int32_t VcoDiv2Field = 0;
    int32_t VcoBiasField = 0;
    int32_t VcoAdjustField = 0;
    int32_t ExtInductorField = 0;
    // R2
    int16_t ModulationSchemeField = 0;
    int16_t PaEnableField = 0;
    double PaRampField = 0;
    double PaBiasField = 0;
    int32_t PaLevelField = 0;
    int32_t TxDeviationField = 0;
    int32_t RcAlphaField = 0;
    int32_t Reg2ZeroField = 0;
    // R3
    int32_t BbOffsetDividerField = 0;
    int16_t DemodClockDividerField = 0;
    int32_t CdrClockDividerField = 0;
    int32_t SeqClockDividerField = 0;
    // R4
    int16_t DemodTypeField = 0;
    int32_t KParityBit7Field = 0;
    int32_t KParityBit9Field = 0;
    int32_t DiscrimBwField = 0;
    int32_t PostDemodBwField = 0;
    double IFFilterBandwidthField = 0;
    // R5
    int16_t IFCoarseCalField = 0;
    double IFFilterDividerField = 0;
    int32_t IFFilterAdjustField = 0;
    int32_t IRGainMagnitudeField = 0;
    int32_t IRGainSignField = 0;
    int32_t IRPhaseMagnitudeField = 0;
    int32_t IRPhaseSignField = 0;
    int32_t IRAdjustModeField = 0; // bit 31: holds -2^31 when set
    // R6
    int16_t IFFineCalField = 0;
    int32_t IFCalLowerToneField = 0;
    int32_t IFCalUpperToneField = 0;
    int32_t IFCalDwellTimeField = 0;
    int32_t IRCalDriveField = 0;
    int32_t IRCalSourceField = 0;
    // R7
    int32_t ReadbackAdcModeField = 0;
    int32_t ReadbackSelectField = 0;
    int32_t ReadbackEnableField = 0;
    // R8
    double SynthEnableField = 0;
    double LnaEnableField = 0;
    double FilterEnableField = 0;
    double AdcEnableField = 0;
    double DemodEnableField = 0;
    double LogAmpEnableField = 0;
    double TxRxSwitchEnableField = 0;
    double Reg8Bits13To14Field = 0;
    // R9
    int32_t AgcLowThresholdField = 0;
    int32_t AgcHighThresholdField = 0;
    int32_t LnaModeField = 0;
    int32_t AgcModeField = 0;
    int32_t LnaGainField = 0;
    int32_t FilterGainField = 0;
    int32_t Reg9Bit26Field = 0;
    int32_t MixerLinearityField = 0;
    // R10
    int32_t AfcEnableField = 0;
    double AfcScalingField = 0;
    int32_t AfcKiField = 0;
    int32_t AfcKpField = 0;
    double AfcRangeField = 0;
    // R11
    int16_t SyncWordLengthField = 0;
    int32_t SyncErrorsField = 0;
    double SyncWordField = 0;
    // R12
    double LockThresholdModeField = 0;
    int32_t SwdModeField = 0;
    int32_t PacketLengthField = 0;
    // R13
    int16_t ThresholdWordField = 0;
    int16_t ThreeFskDetectorField = 0;
    int16_t ViterbiPathMemoryField = 0;
    int16_t ThreeFskEnableField = 0;
    int32_t ThreeFskThresholdField = 0;
    int32_t ThreeFskBits22To25Field = 0;
    // R15
    int32_t RxTestModeField = 0;
    int32_t TestDataPatternField = 0;
    int32_t SpiModeField = 0;
    int32_t RssiTestField = 0;
    // Held in the store but part of no register word.
    int32_t GfskIndexCounterField = 0;
};

// The working values the windows exchange through the same module, beside the
// transport's own.
struct CorvaneWorking : reglink::TransportValues {
    int32_t FracN = 0;
    int16_t IntegerN = 0;
    int16_t RDivider = 0;
    double RfFrequencyMHz = 0;
    double PfdFrequencyMHz = 0;
    float CrystalFrequencyMHz = 0;
    float DemodClockMHz = 0;
    float CdrClockKHz = 0;
    float ActualDeviationKHz = 0;
    float DeviationStepHz = 0;
    int16_t DiscrimK = 0;
    int16_t DiscrimMultiplier = 0;
    int16_t IniRegistersOnly = 0;
    // Single dialogs' values.
    int16_t TestDacEnabled = 0;
    double TestDacLevel = 0;
    int32_t ReadbackMode = 0;
    double ImageRssiDbm = 0;
    float IrRssiCentre = 0;
    float IrRssiPhaseStep = 0;
    float IrRssiGainStep = 0;
    int16_t IrCalStop = 0;
};

class CorvaneStore : public reglink::TabledRegisterFile<CorvaneFields> {
public:
    explicit CorvaneStore(ChipVariant variant = {});

    CorvaneWorking w;

    const ChipVariant& variant() const { return variant_; }

    // Every field gets its power-on default; fields without one are 0.
    void setFieldDefaults() override;

    // The word of register n (0..15) as the chip receives it. R1 and R9 clear
    // their always-zero bits first; R14 has no fields and reads as its number.
    // Registers outside 0..15 give 0.
    double word(int n) override;

    // The receive/transmit rule that decides the R8 enables before an R8
    // word is built (the only place that applies it).
    void applyPowerDownRule() override;
    void applyReceiveTransmitRule() { applyPowerDownRule(); }

    // Bits 4..8 of the R7 word without its number.
    int16_t readbackSelection() const override;

    // A fine calibration is started by R6 but finished by R5, so R5 has to be
    // sent again too.
    std::optional<int> alsoMarkedWith(int n) const override;

private:
    ChipVariant variant_;
};

} // namespace corvane
