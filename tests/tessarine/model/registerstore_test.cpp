// The Tessarine field store: power-on words, the field table against the word rule, the last
// written words the read-outs are marked against, and the raw word of a raw write.
#include "tessarine/model/registerstore.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

using tessarine::TessarineStore;

constexpr double NaN = std::numeric_limits<double>::quiet_NaN();
constexpr double Inf = std::numeric_limits<double>::infinity();

TessarineStore poweredOn() {
    TessarineStore store;
    store.setFieldDefaults();
    return store;
}

TEST(TessarineStore, PowerOnWords) {
    TessarineStore store = poweredOn();
    EXPECT_EQ(store.wordBits(0), 0x86000u);
    EXPECT_EQ(store.wordBits(1), 0x3AE2A9u);
    EXPECT_EQ(store.wordBits(2), 0x85F02u);
    EXPECT_EQ(store.wordBits(3), 0x55A08Fu);
    // The chip has no other registers.
    for (int n : {-1, 4, 15, 99})
        EXPECT_EQ(store.word(n), 0) << n;
}

TEST(TessarineStore, DefaultsResetEveryField) {
    TessarineStore store;
    for (std::size_t i = 0; i < store.fieldTable().size(); ++i)
        store.setField(i, static_cast<double>(store.fieldTable()[i].mask() & 0x7FFFFFFF));
    store.setFieldDefaults();
    EXPECT_EQ(store.wordBits(0), 0x86000u);
    EXPECT_EQ(store.wordBits(1), 0x3AE2A9u);
    EXPECT_EQ(store.wordBits(2), 0x85F02u);
    EXPECT_EQ(store.wordBits(3), 0x55A08Fu);
}

TEST(TessarineStore, FieldTableDescribesFourRegistersAboveTheAddressBits) {
    TessarineStore store;
    const auto table = store.fieldTable();
    EXPECT_EQ(table.size(), 25u);
    for (const auto& info : table) {
        SCOPED_TRACE(info.name);
        EXPECT_GE(info.reg, 0);
        EXPECT_LE(info.reg, 3);
        EXPECT_GE(info.lowBit, 2); // bits 1..0 are the address
        EXPECT_GT(info.bitCount, 0);
        EXPECT_LE(info.lowBit + info.bitCount, 32);
    }
}

TEST(TessarineStore, FieldAccessByIndexReachesTheNamedMembers) {
    TessarineStore store = poweredOn();
    const auto table = store.fieldTable();
    auto index = [&](const char* name) {
        for (std::size_t i = 0; i < table.size(); ++i) {
            if (QString(table[i].name) == name)
                return i;
        }
        ADD_FAILURE() << name;
        return table.size();
    };
    EXPECT_EQ(store.field(index("FracNField")), 2218 * 4);
    EXPECT_EQ(store.field(index("IntegerNField")), 235 << 14);
    store.setField(index("FracNField"), 4095 * 4);
    EXPECT_EQ(store.f.FracNField, 4095 * 4);
    store.setField(index("TxDeviationField"), 133 << 11);
    EXPECT_EQ(store.f.TxDeviationField, 133 << 11);
    // Test mode 8 and up sets bit 31: held as the signed pattern, sent as bit 31.
    store.setField(index("TestModeField"), 15.0 * (1u << 28));
    EXPECT_EQ(store.f.TestModeField, static_cast<int32_t>(0xF0000000u));
    EXPECT_EQ(store.wordBits(3), 0xF055A08Fu);
}

TEST(TessarineStore, WorkingDefaultsOfTheBoardInitialisation) {
    TessarineStore store;
    store.w.FrontPanelInitialised = true;
    store.w.LastNWord = 0x3AE2A9;
    store.w.PortClaimed = true;
    store.setWorkingDefaults();
    EXPECT_EQ(store.w.DoublerFactor, 1);
    EXPECT_EQ(store.w.ParallelPortAddress, 888);
    EXPECT_EQ(store.w.PortformAddress, 888);
    EXPECT_FALSE(store.w.PortClaimed);
    // What the start-up sets afterwards, and what was sent, are not its business.
    EXPECT_TRUE(store.w.FrontPanelInitialised);
    EXPECT_EQ(store.w.LastNWord, 0x3AE2A9);
}

TEST(TessarineStore, LastWrittenWordsStartAtZeroAndFollowEachWrite) {
    TessarineStore store = poweredOn();
    for (int n = 0; n < 4; ++n) {
        ASSERT_TRUE(store.lastWritten(n)) << n;
        EXPECT_EQ(*store.lastWritten(n), 0) << n; // every read-out starts marked
    }
    for (int n = 0; n < 4; ++n)
        store.rememberWritten(n, store.word(n));
    for (int n = 0; n < 4; ++n)
        EXPECT_EQ(*store.lastWritten(n), store.word(n)) << n;
    EXPECT_EQ(store.w.LastRWord, 0x86000);
    EXPECT_EQ(store.w.LastNWord, 0x3AE2A9);
    EXPECT_EQ(store.w.LastMWord, 0x85F02);
    EXPECT_EQ(store.w.LastFWord, 0x55A08F);
    EXPECT_FALSE(store.lastWritten(4));
    EXPECT_FALSE(store.lastWritten(-1));
}

TEST(TessarineStore, ThirtyTwoBitLastWordsCompareAsTheWord) {
    TessarineStore store = poweredOn();
    store.f.TestModeField = static_cast<int32_t>(0x80000000u);
    const double word = store.word(3);
    EXPECT_EQ(word, 2147483648.0 + 0x55A08F);
    store.rememberWritten(3, word);
    EXPECT_EQ(store.w.LastFWord, static_cast<int32_t>(0x8055A08Fu));
    EXPECT_EQ(*store.lastWritten(3), word);
}

TEST(TessarineStore, RememberIgnoresWhatIsNoWord) {
    TessarineStore store = poweredOn();
    for (int n = 0; n < 4; ++n)
        store.rememberWritten(n, store.word(n));
    for (double bad : {NaN, Inf, 4294967296.0, -2147483649.0, 12.5}) {
        for (int n = 0; n < 4; ++n) {
            store.rememberWritten(n, bad);
            EXPECT_EQ(*store.lastWritten(n), store.word(n)) << n << " " << bad;
        }
    }
    store.rememberWritten(7, 7); // no such register: nothing to remember
    EXPECT_FALSE(store.lastWritten(7));
}

struct RawCase {
    double typed;
    std::optional<uint32_t> sent;
};

TEST(TessarineStore, RawWordIsRoundedHalfEvenAndBoundedToSigned32Bits) {
    const RawCase cases[] = {
        {0, 0u},
        {0x3AE2A9, 0x3AE2A9u},
        {2147483647.0, 0x7FFFFFFFu},
        {-1, 0xFFFFFFFFu},
        {-2147483648.0, 0x80000000u}, // bit 31 goes out set
        {2.5, 2u},
        {3.5, 4u},
        {-2147483648.4, 0x80000000u},
        {2147483647.5, std::nullopt}, // rounds to 2^31
        {2147483648.0, std::nullopt},
        {4294967295.0, std::nullopt},
        {-2147483649.0, std::nullopt},
        {1e300, std::nullopt},
        {NaN, std::nullopt},
        {Inf, std::nullopt},
        {-Inf, std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        TessarineStore store;
        store.w.DirectRegisterValue = c.typed;
        EXPECT_EQ(store.directRegisterBits(), c.sent);
    }
}

TEST(TessarineStore, RegisterWordHoldsTheSignedWord) {
    EXPECT_EQ(tessarine::registerWordValue(0x3AE2A9u), 3859113.0);
    EXPECT_EQ(tessarine::registerWordValue(0x80000000u), -2147483648.0);
    EXPECT_EQ(tessarine::registerWordValue(0xFFFFFFFFu), -1.0);
    // The wire's high half of the negative form is the word's own high half.
    EXPECT_EQ(static_cast<uint16_t>(std::floor(tessarine::registerWordValue(0x8055A08Fu) / 65536)),
              0x8055u);
}

} // namespace
