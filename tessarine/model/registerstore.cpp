#include "tessarine/model/registerstore.h"

#include "platform/core/numbers.h"

namespace tessarine {

namespace {

using reglink::FieldInfo;
using reglink::FieldSpec;
using Spec = FieldSpec<TessarineFields>;
using F = TessarineFields;

// Every field in register order, lowest bit first.
const Spec kSpecs[] = {
    {{"RDividerField", RRegister, 13, 4}, &F::RDividerField},
    {{"DoublerField", RRegister, 17, 1}, &F::DoublerField},
    {{"XtalOscDisableField", RRegister, 18, 1}, &F::XtalOscDisableField},
    {{"ClockOutField", RRegister, 19, 4}, &F::ClockOutField},
    {{"VcoAdjustField", RRegister, 23, 2}, &F::VcoAdjustField},
    {{"VcoDivideField", RRegister, 25, 2}, &F::VcoDivideField},
    {{"FracNField", NRegister, 2, 12}, &F::FracNField},
    {{"IntegerNField", NRegister, 14, 8}, &F::IntegerNField},
    {{"PrescalerField", NRegister, 22, 1}, &F::PrescalerField},
    {{"ModulationSchemeField", ModulationRegister, 2, 3}, &F::ModulationSchemeField},
    {{"PaLevelField", ModulationRegister, 5, 6}, &F::PaLevelField},
    {{"TxDeviationField", ModulationRegister, 11, 9}, &F::TxDeviationField},
    {{"GfskModControlField", ModulationRegister, 20, 3}, &F::GfskModControlField},
    {{"GfskIndexCounterField", ModulationRegister, 23, 2}, &F::GfskIndexCounterField},
    {{"PllEnableField", FunctionRegister, 2, 1}, &F::PllEnableField},
    {{"PaEnableField", FunctionRegister, 3, 1}, &F::PaEnableField},
    {{"ClockOutEnableField", FunctionRegister, 4, 1}, &F::ClockOutEnableField},
    {{"DataInvertField", FunctionRegister, 5, 1}, &F::DataInvertField},
    {{"ChargePumpField", FunctionRegister, 6, 2}, &F::ChargePumpField},
    {{"VcoDisableField", FunctionRegister, 10, 1}, &F::VcoDisableField},
    {{"MuxoutField", FunctionRegister, 11, 4}, &F::MuxoutField},
    {{"LockDetectPrecisionField", FunctionRegister, 15, 1}, &F::LockDetectPrecisionField},
    {{"VcoBiasField", FunctionRegister, 16, 4}, &F::VcoBiasField},
    {{"PaBiasField", FunctionRegister, 20, 3}, &F::PaBiasField},
    {{"TestModeField", FunctionRegister, 28, 4}, &F::TestModeField},
};

// Built on first use, so a store made during static initialisation finds it ready.
const reglink::FieldTable<TessarineFields>& table() {
    static const reglink::FieldTable<TessarineFields> t(kSpecs);
    return t;
}

constexpr int64_t TwoTo31 = int64_t{1} << 31;
constexpr int64_t TwoTo32 = int64_t{1} << 32;

// A whole number that a 32-bit register can hold, signed or not, as its bit pattern.
std::optional<uint32_t> wordPattern(double v) {
    const std::optional<int64_t> whole = platform::toInt64(v);
    if (!whole || static_cast<double>(*whole) != v || *whole < -TwoTo31 || *whole >= TwoTo32)
        return std::nullopt;
    return static_cast<uint32_t>(static_cast<uint64_t>(*whole) & 0xFFFFFFFFu);
}

// The word is the low 32 bits of the exact sum; with every field within its bits no two
// fields share a bit, so nothing carries.
double toWord(int64_t sum) {
    return static_cast<double>(static_cast<uint32_t>(static_cast<uint64_t>(sum) & 0xFFFFFFFFu));
}

} // namespace

double registerWordValue(uint32_t word) {
    return static_cast<double>(static_cast<int32_t>(word));
}

TessarineStore::TessarineStore() : TabledRegisterFile(table()) {}

void TessarineStore::setFieldDefaults() {
    f = TessarineFields{};
    // R: 0x86000
    f.RDividerField = 3 << 13;
    f.ClockOutField = 1 << 19; // clock-out off still holds position 1
    // N: 0x3AE2A9
    f.FracNField = 2218 << 2;
    f.IntegerNField = 235 << 14;
    // Modulation: 0x85F02 (FSK, deviation count 267)
    f.PaLevelField = 56 << 5;
    f.TxDeviationField = 267 << 11;
    // Function: 0x55A08F
    f.PllEnableField = 1 << 2;
    f.PaEnableField = 1 << 3;
    f.ChargePumpField = 2 << 6;
    f.MuxoutField = 4 << 11;
    f.LockDetectPrecisionField = 1 << 15;
    f.VcoBiasField = 5 << 16;
    f.PaBiasField = 5 << 20;
}

void TessarineStore::setWorkingDefaults() {
    w.DoublerFactor = 1;
    w.PortformAddress = PowerOnPortAddress;
    w.ParallelPortAddress = PowerOnPortAddress;
    w.PortClaimed = 0;
}

double TessarineStore::word(int n) {
    switch (n) {
    case RRegister:
        return toWord(int64_t{f.VcoAdjustField} + f.VcoDivideField + f.ClockOutField +
                      f.XtalOscDisableField + f.DoublerField + f.RDividerField + RRegister);
    case NRegister:
        return toWord(int64_t{f.IntegerNField} + f.PrescalerField + f.FracNField + NRegister);
    case ModulationRegister:
        return toWord(int64_t{f.GfskIndexCounterField} + f.GfskModControlField +
                      f.TxDeviationField + f.PaLevelField + f.ModulationSchemeField +
                      ModulationRegister);
    case FunctionRegister:
        return toWord(int64_t{f.TestModeField} + f.PaBiasField + f.VcoBiasField +
                      f.LockDetectPrecisionField + f.MuxoutField + f.VcoDisableField +
                      f.ChargePumpField + f.DataInvertField + f.ClockOutEnableField +
                      f.PaEnableField + f.PllEnableField + FunctionRegister);
    default:
        return 0;
    }
}

std::optional<uint32_t> TessarineStore::directRegisterBits() const {
    const std::optional<int32_t> v = platform::toInt32(w.DirectRegisterValue);
    if (!v)
        return std::nullopt;
    return static_cast<uint32_t>(*v);
}

std::optional<double> TessarineStore::lastWritten(int n) const {
    switch (n) {
    case RRegister:
        return w.LastRWord;
    case NRegister:
        return w.LastNWord;
    // The 32-bit slots hold the word's bit pattern; read back as the word itself, so a word
    // with bit 31 set compares equal to what word() builds.
    case ModulationRegister:
        return static_cast<double>(static_cast<uint32_t>(w.LastMWord));
    case FunctionRegister:
        return static_cast<double>(static_cast<uint32_t>(w.LastFWord));
    default:
        return std::nullopt;
    }
}

void TessarineStore::rememberWritten(int n, double word) {
    const std::optional<uint32_t> bits = wordPattern(word);
    if (!bits)
        return;
    switch (n) {
    case RRegister:
        w.LastRWord = static_cast<double>(*bits);
        break;
    case NRegister:
        w.LastNWord = static_cast<double>(*bits);
        break;
    case ModulationRegister:
        w.LastMWord = static_cast<int32_t>(*bits);
        break;
    case FunctionRegister:
        w.LastFWord = static_cast<int32_t>(*bits);
        break;
    default:
        break;
    }
}

} // namespace tessarine
