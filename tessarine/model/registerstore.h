#pragma once
// The register field store of the Tessarine transmitter: four 32-bit write-only registers
// (R 0, N 1, modulation 2, function 3; the address sits in bits 1..0). Every field is held
// already multiplied by 2 to the power of its lowest bit, in the storage type the windows
// rely on; a register word is never stored but rebuilt from the fields whenever it is shown
// or sent. Beside the fields live the working values the windows exchange.
#include "link/registerfile.h"

#include <cstdint>
#include <optional>
#include <span>

namespace tessarine {

struct TessarineFields {
    // R register (address 0)
    int32_t RDividerField = 0;       // bits 13-16, reference divider R
    int32_t DoublerField = 0;        // bit 17, reference doubler on
    int32_t XtalOscDisableField = 0; // bit 18, crystal oscillator off
    int32_t ClockOutField = 0;       // bits 19-22, clock-out divide position (1 while off)
    int32_t VcoAdjustField = 0;      // bits 23-24
    int32_t VcoDivideField = 0;      // bits 25-26, output divider code
    // N register (address 1)
    int16_t FracNField = 0;     // bits 2-13, 12-bit fraction
    int32_t IntegerNField = 0;  // bits 14-21
    int32_t PrescalerField = 0; // bit 22, 8/9 prescaler
    // Modulation register (address 2)
    int32_t ModulationSchemeField = 0; // bits 2-4
    int32_t PaLevelField = 0;          // bits 5-10
    int32_t TxDeviationField = 0;      // bits 11-19: FSK count, ASK low level or divider
    int32_t GfskModControlField = 0;   // bits 20-22
    int32_t GfskIndexCounterField = 0; // bits 23-24
    // Function register (address 3)
    int32_t PllEnableField = 0;           // bit 2
    int32_t PaEnableField = 0;            // bit 3
    int32_t ClockOutEnableField = 0;      // bit 4
    int32_t DataInvertField = 0;          // bit 5
    int32_t ChargePumpField = 0;          // bits 6-7
    int32_t VcoDisableField = 0;          // bit 10
    int32_t MuxoutField = 0;              // bits 11-14
    int32_t LockDetectPrecisionField = 0; // bit 15
    int32_t VcoBiasField = 0;             // bits 16-19
    int32_t PaBiasField = 0;              // bits 20-22
    // Bits 28-31. A mode from 8 up sets bit 31 and is held as its two's-complement pattern
    // (negative); the program itself only ever writes 0 and 4.
    int32_t TestModeField = 0;
};

// The working values of the program. RegisterWord (inherited, a double) carries this chip's
// 32-bit signed word: every word built from the fields is below 2^31 and is held as it is; a
// raw word with bit 31 set is held negative (see registerWordValue), and the wire's high half,
// the word / 65536 rounded down, then still gives its two's-complement bits.
struct TessarineWorking : reglink::TransportValues {
    int16_t IntegerN = 0; // last synthesizer result
    int16_t FracN = 0;    // 12-bit fraction of it
    int16_t RDivider = 0;
    int16_t DoublerFactor = 0; // 1, or 2 while the reference doubler is on
    float RfFrequencyMHz = 0;
    float PfdFrequencyMHz = 0;
    float CrystalFrequencyMHz = 0;
    float DeviationStepHz = 0;
    // The words last sent, which the read-outs are marked against.
    double LastRWord = 0;
    double LastNWord = 0;
    int32_t LastMWord = 0;
    int32_t LastFWord = 0;
    double DirectRegisterValue = 0; // the whole word typed in the raw register window
    int16_t PortClaimed = 0;        // a 16-bit boolean: the board session keeps the claim in it
    bool FrontPanelInitialised = false;
};

// Register addresses.
inline constexpr int RRegister = 0;
inline constexpr int NRegister = 1;
inline constexpr int ModulationRegister = 2;
inline constexpr int FunctionRegister = 3;

inline constexpr int16_t PowerOnPortAddress = 888; // 0x378

// A word as RegisterWord holds it in this program: the signed 32-bit integer with the
// word's bits.
double registerWordValue(uint32_t word);

class TessarineStore : public reglink::TabledRegisterFile<TessarineFields> {
public:
    TessarineStore();

    TessarineWorking w;

    // Every field gets its power-on value.
    void setFieldDefaults() override;
    // The working values the board initialisation sets beside the fields: no doubler, both
    // port addresses 888, the port not claimed. The rest keep what they have.
    void setWorkingDefaults();

    // Address + the fields of register n (0..3) as the chip receives it, 0 .. 2^32 - 1;
    // 0 for any other n. The sum is taken in 64 bits and its low 32 bits are the word.
    double word(int n) override;

    // DirectRegisterValue rounded half to even, as the bits a raw write sends; nullopt when it
    // is not a number or lies outside the signed 32-bit range, so nothing is sent.
    std::optional<uint32_t> directRegisterBits() const;

    // LastRWord, LastNWord, LastMWord, LastFWord for registers 0..3, as words comparable with
    // word(n); nullopt for any other register.
    std::optional<double> lastWritten(int n) const override;
    // Remembers a word sent to register n (0..3); a value that is no 32-bit word is ignored.
    void rememberWritten(int n, double word) override;
};

} // namespace tessarine
