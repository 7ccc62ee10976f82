#pragma once
// The register field store of the Pellion chip: one value per field of the fourteen 32-bit
// registers R0..R13, each held already multiplied by 2 to the power of the field's lowest bit
// with the storage type the windows rely on, and the working values the windows exchange.
// A register word is never stored: it is rebuilt from the fields whenever it is shown or sent.
#include "link/registerfile.h"

#include <QString>

#include <cstdint>
#include <optional>
#include <span>

namespace pellion {

struct PellionFields {
    // R0 "N Register"
    int32_t FracNField = 0;     // 18..4
    int32_t IntegerNField = 0;  // 26..19
    int32_t TxRxField = 0;      // 27: 1 = receive
    int32_t Reg0Bit28Field = 0; // 28, constant 1
    double MuxoutField = 0;     // 31..29
    // R1 "VCO/Oscillator Register"
    int16_t RDividerField = 0;          // 6..4
    int16_t Reg1Bit7Field = 0;          // 7, always 0
    int16_t ClockOutField = 0;          // 11..8
    int32_t XtalOscEnableField = 0;     // 12
    int32_t VcoDiv2Field = 0;           // 13
    int32_t ChargePumpField = 0;        // 15..14
    int32_t VcoBiasField = 0;           // 19..16
    int32_t VcoAdjustField = 0;         // 21..20
    int32_t IFFilterBandwidthField = 0; // 23..22
    // R2 "Transmit Modulation Register"
    int16_t PaEnableField = 0;         // 4
    int16_t Reg2ZeroField = 0;         // no bits, always 0
    int16_t ModulationSchemeField = 0; // 8..6
    int16_t PaLevelField = 0;          // 14..9
    int32_t TxDeviationField = 0;      // 23..15
    int32_t GfskModControlField = 0;   // 26..24
    int32_t GfskIndexCounterField = 0; // 28..27
    int32_t TxDataInvertField = 0;     // 29
    double PaBiasField = 0;            // 31..30
    // R3 "Tx/Rx Clock Register"
    int32_t BbOffsetDividerField = 0;   // 5..4
    int16_t DemodClockDividerField = 0; // 7..6 (divider 4 is stored as 0)
    int32_t CdrClockDividerField = 0;   // 15..8
    int32_t SeqClockDividerField = 0;   // 23..16
    // R4 "Demodulator Setup Register"
    int16_t DemodTypeField = 0;              // 5..4
    int32_t PostDemodBwField = 0;            // 15..6
    int32_t LockThresholdModeBit23Field = 0; // 23, part of the lock-threshold code
    double LockThresholdModeField = 0;       // 25..23, the lock-threshold code
    // R5 (holds the sync word)
    int16_t SyncWordLengthField = 0; // 5..4
    int32_t SyncErrorsField = 0;     // 7..6
    double SyncWordField = 0;        // 31..8
    // R6 "IF Fine Cal Setup Register"
    int32_t DiscrimBwField = 0;         // 13..4
    int32_t KParityBit14Field = 0;      // 14
    int32_t LnaModeField = 0;           // 15
    int32_t Reg6Bit16Field = 0;         // 16, always 0
    int32_t MixerLinearityField = 0;    // 18
    int32_t IFFilterCalEnableField = 0; // 19
    double IFFilterDividerField = 0;    // 28..20
    int32_t KParityBit29Field = 0;      // 29
    double Reg6Reg8ZeroField = 0;       // no bits, summed into R6 and R8, always 0
    // R7, the readback request
    int32_t ReadbackAdcModeField = 0; // 5..4
    int32_t ReadbackSelectField = 0;  // 7..6
    int32_t ReadbackEnableField = 0;  // 8
    // R8, the power-down register (built only after applyPowerDownRule)
    double SynthEnableField = 0;      // 4, only ever 0
    double LnaEnableField = 0;        // 6
    double FilterEnableField = 0;     // 7
    double AdcEnableField = 0;        // 8
    double DemodEnableField = 0;      // 9
    double LogAmpEnableField = 0;     // 10
    double TxRxSwitchEnableField = 0; // 11, only ever 0
    // R9 "AGC Register"
    int32_t AgcLowThresholdField = 0;  // 10..4
    int32_t AgcHighThresholdField = 0; // 17..11
    int32_t AgcModeField = 0;          // 19..18
    int32_t LnaGainField = 0;          // 21..20
    int32_t FilterGainField = 0;       // 23..22
    int32_t Reg9Bit24Field = 0;        // 24, always 0
    // R10 "AFC Register": a constant word, set at power-on only
    int32_t Reg10Bit4Field = 0;  // 7..4
    int32_t Reg10Bit8Field = 0;  // 11..8
    int32_t Reg10Bit12Field = 0; // 15..12
    // R11 (holds the AFC set-up)
    double AfcScalingField = 0; // 19..4
    int32_t AfcEnableField = 0; // 20
    // R12 "SWD/Threshold Register"
    int32_t Reg12ZeroField = 0; // no bits; nothing writes it
    // R13 (holds the AFC loop gains)
    int32_t AfcKpField = 0; // 6..4
    int32_t AfcKiField = 0; // 11..8
    // In no register word: 2^25 while chkInductor is checked.
    int32_t ExtInductorField = 0;
};

// The working values of the program; the transport's own come from the link.
struct PellionWorking : reglink::TransportValues {
    int32_t FracN = 0;
    int16_t IntegerN = 0;
    int16_t RDivider = 0;
    float RfFrequencyMHz = 0;
    float PfdFrequencyMHz = 0;
    float CrystalFrequencyMHz = 0;
    float DemodClockMHz = 0;
    float CdrClockKHz = 0;
    float DeviationStepHz = 0;
    float ActualDeviationKHz = 0;
    double TestModeWord = 0; // the test word the test-mode window last sent
    int16_t PortClaimed = 0; // 0, or the non-zero result of the parallel-port claim
    QString DeviceName;
    QString SiliconRevisionText;
    int32_t ReadbackMode = 0;     // the readback window's choice, 0..6
    int16_t SettingsLoaded = 0;   // -1 while a settings import runs
    int16_t IniRegistersOnly = 0; // -1: the configuration writer updates an existing file
};

class PellionStore : public reglink::TabledRegisterFile<PellionFields> {
public:
    PellionStore();

    PellionWorking w;

    void setFieldDefaults() override;
    // The working values the start-up gives before the front panel is set up: the
    // synthesizer numbers, the demodulator clocks, the deviation, the port address and the
    // device texts. The other working values keep theirs.
    void setWorkingDefaults();

    // R0..R13; 0 for any other number. R10 and R12 come out constant (0xAA2A once the
    // power-on values are set, and 12).
    double word(int n) override;

    // Receive switches the receiver's enables on; transmit switches them off but leaves the
    // ADC enable as the readback window set it.
    void applyPowerDownRule() override;

    // Bits 8..4 of the readback request, as a USB readback passes them.
    int16_t readbackSelection() const override;

    // TestModeWord, when it is a whole word of 32 bits.
    std::optional<uint32_t> testModeWordBits() const;

    // The lock-threshold code of R4 bits 25..23 as the word carries it: the demodulator
    // window's bit-23 field and the shared code field together, bit by bit, so that no
    // combination of the two carries into bit 26.
    int32_t lockThresholdModeBits() const;
};

} // namespace pellion
