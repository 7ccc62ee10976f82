// Word assembly from the register field store.
#include <gtest/gtest.h>

#include "corvane/model/registerstore.h"
#include "link/registerlink.h"

using corvane::CorvaneStore;

TEST(RegisterStore, DefaultsAloneGiveTheDocumentedWords) {
    CorvaneStore store;
    store.setFieldDefaults();
    const std::pair<int, uint32_t> words[] = {
        {0, 0x09616A30},  {1, 0x00535001},  {2, 0x00A5D082},  {3, 0x2B1480A3},  {4, 0x80556214},
        {5, 0x00003155},  {6, 0x050A4F66},  {9, 0x000231E9},  {10, 0x3296354A}, {11, 0x0000003B},
        {12, 0x0000010C}, {13, 0x0000000D}, {15, 0x0000000F},
    };
    for (const auto& [n, expected] : words)
        EXPECT_EQ(store.wordBits(n), expected) << "R" << n;
}

TEST(RegisterStore, AlwaysZeroBitsAreClearedBeforeAssembly) {
    CorvaneStore store;
    store.setFieldDefaults();
    store.f.Reg1Bit11Field = 1 << 11;
    store.f.Reg9Bit26Field = 1 << 26;
    EXPECT_EQ(store.wordBits(1), 0x00535001u);
    EXPECT_EQ(store.wordBits(9), 0x000231E9u);
    EXPECT_EQ(store.f.Reg1Bit11Field, 0);
}

TEST(RegisterStore, R3CarriesItsConstantAndTheVariantsOwn) {
    CorvaneStore store;
    EXPECT_EQ((store.wordBits(3) >> 26) & 0xF, 10u);
    store.f.SeqClockDividerField = 255 << 18;
    store.f.CdrClockDividerField = 255 << 10;
    EXPECT_EQ((store.wordBits(3) >> 26) & 0xF, 10u);
    CorvaneStore narrow({13, 80});
    narrow.setFieldDefaults();
    EXPECT_EQ((narrow.wordBits(3) >> 26) & 0xF, 13u);
    EXPECT_EQ(narrow.f.IFCalDwellTimeField, 80 << 21);
}

TEST(RegisterStore, SignedBit31FieldGivesBit31WithoutOverflow) {
    CorvaneStore store;
    store.setFieldDefaults();
    // The IR mode list has no entries: index -1 times 2^31.
    store.f.IRAdjustModeField = INT32_MIN;
    store.f.IRPhaseSignField = 1 << 30;
    store.f.IRPhaseMagnitudeField = 31 << 25;
    EXPECT_EQ(store.wordBits(5), 0x80003155u | (1u << 30) | (31u << 25));
}

TEST(RegisterStore, ReceiveTransmitRuleForR8) {
    CorvaneStore store;
    store.f.TxRxField = 1 << 27;
    store.applyReceiveTransmitRule();
    EXPECT_EQ(store.wordBits(8), 1992u); // 0x7C8
    store.f.TxRxField = 0;
    store.f.AdcEnableField = 256;
    store.applyReceiveTransmitRule();
    EXPECT_EQ(store.wordBits(8), 264u); // 0x108: the ADC switch survives transmit
    store.f.SynthEnableField = 16;
    store.applyReceiveTransmitRule();
    EXPECT_EQ(store.wordBits(8), 280u); // the rule never touches the synthesizer enable
}

TEST(RegisterStore, R14HasNoFields) {
    CorvaneStore store;
    store.setFieldDefaults();
    EXPECT_EQ(store.wordBits(14), 14u);
}

TEST(RegisterStore, ViterbiDetectorAndPathMemoryNeverCarryIntoTheEnableBit) {
    CorvaneStore store;
    store.f.ThreeFskEnableField = 1 << 13;
    store.f.ThreeFskDetectorField = 1 << 11; // "Viterbi"
    const std::pair<int16_t, uint32_t> cases[] = {
        {0, 0x280Du},       // "4 bits"
        {1 << 11, 0x280Du}, // "6 bits": shares bit 11 with the detector, no carry
        {2 << 11, 0x380Du}, // "8 bits"
        {3 << 11, 0x380Du}, // "32 bits"
    };
    for (const auto& [pathMemory, expected] : cases) {
        store.f.ViterbiPathMemoryField = pathMemory;
        EXPECT_EQ(store.wordBits(13), expected) << pathMemory;
        EXPECT_NE(store.wordBits(13) & (1u << 13), 0u); // the 3FSK enable survives
    }
}
