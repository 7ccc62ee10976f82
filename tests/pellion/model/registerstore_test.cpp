// Word assembly of the Pellion register field store.
#include "pellion/model/registerstore.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <set>
#include <string>

namespace {

using pellion::PellionStore;
using reglink::FieldInfo;
using reglink::RegisterFile;

constexpr int32_t kReceive = 1 << 27;

PellionStore poweredOn() {
    PellionStore store;
    store.setFieldDefaults();
    return store;
}

std::size_t indexOf(const RegisterFile& file, const std::string& name) {
    const auto table = file.fieldTable();
    for (std::size_t i = 0; i < table.size(); ++i) {
        if (name == table[i].name) {
            return i;
        }
    }
    ADD_FAILURE() << "no field " << name;
    return table.size();
}

// ---- power-on words ---------------------------------------------------------------------------

TEST(PellionStore, PowerOnValuesAloneGiveTheirWords) {
    PellionStore store = poweredOn();
    // R0, R10 and R12 as the design gives them; the others summed by hand from the power-on
    // values of each field.
    const std::pair<int, uint32_t> words[] = {
        {0, 0x7273F740},  {1, 0x004A9001},  {2, 0x80226012},  {3, 0x00780A53},  {4, 0x00000414},
        {5, 0x0002AA05},  {6, 0x2F0008A6},  {7, 0x00000007},  {8, 0x00000008},  {9, 0x00B231E9},
        {10, 0x0000AA2A}, {11, 0x00002F7B}, {12, 0x0000000C}, {13, 0x0000032D},
    };
    for (const auto& [n, expected] : words) {
        EXPECT_EQ(store.wordBits(n), expected) << "R" << n;
    }
    EXPECT_EQ(store.word(14), 0) << "no R14 on this chip";
    EXPECT_EQ(store.word(99), 0);
    EXPECT_EQ(store.word(-1), 0);
}

TEST(PellionStore, R12ReadsTwelveWhateverItsFieldHolds) {
    PellionStore fresh;
    EXPECT_EQ(fresh.wordBits(12), 12u);
    PellionStore store = poweredOn();
    store.f.Reg12ZeroField = 0x7FFFFFF0;
    EXPECT_EQ(store.wordBits(12), 12u);
}

TEST(PellionStore, PowerOnTransmitR8HasTheAdcOff) {
    PellionStore store = poweredOn();
    ASSERT_EQ(store.f.TxRxField, 0);
    EXPECT_EQ(store.f.AdcEnableField, 0);
    store.applyPowerDownRule();
    EXPECT_EQ(store.wordBits(8), 8u);
}

// ---- the R8 rule ------------------------------------------------------------------------------

TEST(PellionStore, PowerDownRuleForReceiveAndTransmit) {
    PellionStore store = poweredOn();
    store.f.TxRxField = kReceive;
    store.applyPowerDownRule();
    EXPECT_EQ(store.wordBits(8), 0x7C8u);

    // Back to transmit: the receiver's enables go off, the ADC switch of the readback
    // window stays as it was left.
    store.f.TxRxField = 0;
    store.applyPowerDownRule();
    EXPECT_EQ(store.wordBits(8), 0x108u);
    store.f.AdcEnableField = 0;
    store.applyPowerDownRule();
    EXPECT_EQ(store.wordBits(8), 8u);
}

// ---- the field table --------------------------------------------------------------------------

// What every chip's table must hold: each field inside its register's field bits (the
// register-number bits 3..0 free), no two fields of a register on the same bit unless they
// are one shared group, and each value able to hold all of its bits.
void expectSoundFieldTable(RegisterFile& file, int registerCount) {
    const auto table = file.fieldTable();
    ASSERT_FALSE(table.empty());
    std::set<std::string> names;
    for (std::size_t i = 0; i < table.size(); ++i) {
        const FieldInfo& a = table[i];
        SCOPED_TRACE(a.name);
        EXPECT_TRUE(names.insert(a.name).second) << "named twice";
        EXPECT_GE(a.reg, 0);
        EXPECT_LT(a.reg, registerCount);
        EXPECT_EQ(a.mask() & 0xFu, 0u) << "covers register-number bits";
        EXPECT_EQ(a.mask() >> 32, 0u) << "beyond bit 31";
        for (std::size_t j = i + 1; j < table.size(); ++j) {
            const FieldInfo& b = table[j];
            if (a.reg == b.reg && (a.sharedGroup == 0 || a.sharedGroup != b.sharedGroup)) {
                EXPECT_EQ(a.mask() & b.mask(), 0u) << "overlaps " << b.name;
            }
        }
    }
}

TEST(PellionStore, FieldTableKeepsFieldsInsideTheirBitsAndApart) {
    PellionStore store;
    expectSoundFieldTable(store, 14);
    // The names the windows use, in the table.
    for (const char* name : {"FracNField", "LockThresholdModeBit23Field", "LockThresholdModeField",
                             "AdcEnableField", "Reg6Reg8ZeroField", "AfcKiField"}) {
        EXPECT_LT(indexOf(store, name), store.fieldTable().size()) << name;
    }
}

TEST(PellionStore, LockThresholdFieldsFormOneCodeWithoutCarry) {
    PellionStore store = poweredOn();
    const uint32_t others = store.wordBits(4) & ~(7u << 23);
    struct Case {
        double code;
        int32_t bit23;
        uint32_t bits;
    };
    const Case cases[] = {
        {0, 0, 0},
        {0, 1 << 23, 1},
        {1 << 24, 0, 2},
        {1 << 24, 1 << 23, 3},
        {3 << 23, 0, 3},       // the sync-word window's "SWD On - Lock Threshold"
        {3 << 23, 1 << 23, 3}, // beside the demodulator's bit 23: no carry into bit 25
        {7 << 23, 1 << 23, 7}, // no carry into bit 26
    };
    for (const Case& c : cases) {
        store.f.LockThresholdModeField = c.code;
        store.f.LockThresholdModeBit23Field = c.bit23;
        EXPECT_EQ(store.wordBits(4), others | (c.bits << 23)) << c.code << " " << c.bit23;
        EXPECT_EQ(store.lockThresholdModeBits(), static_cast<int32_t>(c.bits << 23));
    }
}

TEST(PellionStore, ValuesStoredPastTheChecksNeverLeaveTheWordOrTheRegisterNumber) {
    PellionStore store = poweredOn();
    store.f.SyncWordField = std::numeric_limits<double>::quiet_NaN();
    store.f.MuxoutField = 1e300;
    store.f.CdrClockDividerField = std::numeric_limits<int32_t>::max();
    store.f.SeqClockDividerField = std::numeric_limits<int32_t>::max();
    store.f.AfcKiField = -16;
    EXPECT_EQ(store.wordBits(5), 5u);
    EXPECT_EQ(store.wordBits(0), 0u);
    for (int n : {3, 13}) {
        const double w = store.word(n);
        EXPECT_GE(w, 0);
        EXPECT_LE(w, 4294967295.0);
        EXPECT_EQ(w, std::floor(w));
    }
}

// ---- readback selection and the raw word ---------------------------------------------------

TEST(PellionStore, ReadbackSelectionIsBitsFourToEightOfTheRequest) {
    PellionStore store = poweredOn();
    EXPECT_EQ(store.readbackSelection(), 0);
    store.f.ReadbackAdcModeField = 2 << 4;
    store.f.ReadbackSelectField = 3 << 6;
    store.f.ReadbackEnableField = 1 << 8;
    EXPECT_EQ(store.readbackSelection(), 0x1E);
    store.f.ReadbackAdcModeField = 3 << 4;
    EXPECT_EQ(store.readbackSelection(), 0x1F);
}

TEST(PellionStore, RawWordIsTheTestModeWordWhenItFits32Bits) {
    PellionStore store;
    EXPECT_EQ(store.testModeWordBits(), 0u);
    store.w.TestModeWord = 4294967295.0;
    EXPECT_EQ(store.testModeWordBits(), 0xFFFFFFFFu);
    store.w.TestModeWord = 0x8000000E;
    EXPECT_EQ(store.testModeWordBits(), 0x8000000Eu);
    for (double v : {4294967296.0, -1.0, 1e300, std::numeric_limits<double>::quiet_NaN()}) {
        store.w.TestModeWord = v;
        EXPECT_EQ(store.testModeWordBits(), std::nullopt) << v;
    }
}

// ---- working values at start-up ---------------------------------------------------------------

TEST(PellionStore, WorkingDefaultsAreThoseOfStartUpAndLeaveTheRest) {
    PellionStore store;
    store.w.RfFrequencyMHz = 433.92f;
    store.w.PortClaimed = 1;
    store.setWorkingDefaults();
    EXPECT_EQ(store.w.FracN, 16244);
    EXPECT_EQ(store.w.IntegerN, 78);
    EXPECT_EQ(store.w.RDivider, 1);
    EXPECT_EQ(store.w.DemodClockMHz, 6.0f);
    EXPECT_EQ(store.w.CdrClockKHz, 600.0f);
    EXPECT_EQ(store.w.ActualDeviationKHz, 20.25f);
    EXPECT_EQ(store.w.ParallelPortAddress, 888);
    EXPECT_EQ(store.w.DeviceName, QStringLiteral("Check Readback"));
    EXPECT_EQ(store.w.SiliconRevisionText, QStringLiteral("Check Readback"));
    // The front panel sets the frequencies; the board choice owns the claim.
    EXPECT_EQ(store.w.RfFrequencyMHz, 433.92f);
    EXPECT_EQ(store.w.PortClaimed, 1);
}

} // namespace
