// Every chip's register file, tested once over all of them: the words its power-on values
// give, each field inside its register's bits and apart from the others (unless the design
// says they share bits), the register-number bits left to the number, and the one rule by
// which every store takes or refuses a field value.
#include <gtest/gtest.h>

#include "corvane/model/registerstore.h"
#include "pellion/model/registerstore.h"
#include "tessarine/model/registerstore.h"

#include <cmath>
#include <limits>
#include <map>
#include <set>
#include <vector>

namespace {

struct CorvaneChip {
    using Store = corvane::CorvaneStore;
    static Store make() { return Store{}; }
    static constexpr int numberBits = 4;
    static std::map<int, uint32_t> powerOnWords() {
        return {{0, 0x09616A30},  {1, 0x00535001},  {2, 0x00A5D082},  {3, 0x2B1480A3},
                {4, 0x80556214},  {5, 0x00003155},  {6, 0x050A4F66},  {9, 0x000231E9},
                {10, 0x3296354A}, {11, 0x0000003B}, {12, 0x0000010C}, {13, 0x0000000D},
                {15, 0x0000000F}};
    }
};

// The narrow-band variant of the Corvane chip: another R3 constant and dwell default.
struct CorvaneNChip {
    using Store = corvane::CorvaneStore;
    static Store make() { return Store{corvane::ChipVariant{13, 80}}; }
    static constexpr int numberBits = 4;
    static std::map<int, uint32_t> powerOnWords() {
        auto words = CorvaneChip::powerOnWords();
        words[3] = 0x371480A3;
        words[6] = 0x0A0A4F66;
        return words;
    }
};

struct PellionChip {
    using Store = pellion::PellionStore;
    static Store make() { return Store{}; }
    static constexpr int numberBits = 4;
    static std::map<int, uint32_t> powerOnWords() {
        return {{0, 0x7273F740},  {1, 0x004A9001}, {2, 0x80226012},  {3, 0x00780A53},
                {4, 0x00000414},  {5, 0x0002AA05}, {6, 0x2F0008A6},  {7, 0x00000007},
                {8, 0x00000008},  {9, 0x00B231E9}, {10, 0x0000AA2A}, {11, 0x00002F7B},
                {12, 0x0000000C}, {13, 0x0000032D}};
    }
};

struct TessarineChip {
    using Store = tessarine::TessarineStore;
    static Store make() { return Store{}; }
    static constexpr int numberBits = 2;
    static std::map<int, uint32_t> powerOnWords() {
        return {{0, 0x00086000}, {1, 0x003AE2A9}, {2, 0x00085F02}, {3, 0x0055A08F}};
    }
};

template <class Chip> struct RegisterFiles : ::testing::Test {};

using Chips = ::testing::Types<CorvaneChip, CorvaneNChip, PellionChip, TessarineChip>;
TYPED_TEST_SUITE(RegisterFiles, Chips);

// A field's stored value as the bits it puts into the word (a signed field on bit 31 holds
// -2^31).
uint64_t bitsOf(double stored) {
    const double wrapped = stored < 0 ? stored + 4294967296.0 : stored;
    return static_cast<uint64_t>(wrapped);
}

TYPED_TEST(RegisterFiles, PowerOnValuesAloneGiveTheDesignWords) {
    auto store = TypeParam::make();
    store.setFieldDefaults();
    for (const auto& [n, expected] : TypeParam::powerOnWords()) {
        SCOPED_TRACE(n);
        EXPECT_EQ(store.wordBits(n), expected);
        EXPECT_EQ(store.wordBits(n) & ((1u << TypeParam::numberBits) - 1), uint32_t(n));
    }
}

TYPED_TEST(RegisterFiles, EveryFieldStaysInItsBitsAndApartFromTheOthers) {
    auto store = TypeParam::make();
    const auto table = store.fieldTable();
    const uint64_t numberMask = (uint64_t{1} << TypeParam::numberBits) - 1;
    for (std::size_t i = 0; i < table.size(); ++i) {
        const reglink::FieldInfo& a = table[i];
        SCOPED_TRACE(a.name);
        EXPECT_EQ(a.mask() & numberMask, 0u) << "on the register-number bits";
        EXPECT_LE(a.lowBit + a.bitCount, 32);
        for (std::size_t j = i + 1; j < table.size(); ++j) {
            const reglink::FieldInfo& b = table[j];
            if (a.reg != b.reg || (a.sharedGroup != 0 && a.sharedGroup == b.sharedGroup))
                continue;
            EXPECT_EQ(a.mask() & b.mask(), 0u) << "overlaps " << b.name;
        }
    }
}

TYPED_TEST(RegisterFiles, AFieldAtItsLargestValueSetsOnlyItsOwnBits) {
    for (std::size_t i = 0; i < TypeParam::make().fieldTable().size(); ++i) {
        auto store = TypeParam::make();
        const reglink::FieldInfo info = store.fieldTable()[i];
        if (info.reg < 0 || info.bitCount == 0)
            continue; // part of no word, or only ever 0
        SCOPED_TRACE(info.name);
        const uint32_t before = store.wordBits(info.reg);
        const double largest = std::ldexp(double((uint64_t{1} << info.bitCount) - 1), info.lowBit);
        store.setField(i, largest);
        ASSERT_EQ(bitsOf(store.field(i)), static_cast<uint64_t>(largest));
        const uint32_t after = store.wordBits(info.reg);
        EXPECT_EQ(uint64_t(before ^ after) & ~info.mask(), 0u);
        EXPECT_EQ(uint64_t(after) & info.mask(), info.mask());
    }
}

// Every register the chip builds a word for: those with a power-on word and those with fields.
template <class Chip> std::map<int, uint32_t> allWords(typename Chip::Store& store) {
    std::set<int> registers;
    for (const auto& [n, word] : Chip::powerOnWords())
        registers.insert(n);
    for (const reglink::FieldInfo& info : store.fieldTable())
        if (info.reg >= 0)
            registers.insert(info.reg);
    std::map<int, uint32_t> words;
    for (int n : registers)
        words[n] = store.wordBits(n);
    return words;
}

// Each field at its full width gives exactly its bits beside what the register holds without
// it, touching no other register; every field of a register at full width together gives their
// union, so no field reaches into another or into the register number.
TYPED_TEST(RegisterFiles, FieldsAtFullWidthLandOnTheirBitsAloneAndTogether) {
    auto together = TypeParam::make();
    const std::map<int, uint32_t> fresh = allWords<TypeParam>(together);
    std::map<int, uint32_t> union_;
    const auto table = together.fieldTable();
    for (std::size_t i = 0; i < table.size(); ++i) {
        const reglink::FieldInfo info = table[i];
        if (info.reg < 0)
            continue; // part of no word
        SCOPED_TRACE(info.name);
        auto alone = TypeParam::make();
        ASSERT_TRUE(alone.setField(i, static_cast<double>(info.mask())));
        EXPECT_EQ(bitsOf(alone.field(i)), info.mask()) << "the storage type holds it";
        for (const auto& [n, word] : allWords<TypeParam>(alone)) {
            const uint32_t expected =
                n == info.reg ? fresh.at(n) | uint32_t(info.mask()) : fresh.at(n);
            EXPECT_EQ(word, expected) << "R" << n;
        }
        ASSERT_TRUE(together.setField(i, static_cast<double>(info.mask())));
        union_[info.reg] |= uint32_t(info.mask());
    }
    for (const auto& [n, word] : allWords<TypeParam>(together))
        EXPECT_EQ(word, fresh.at(n) | union_[n]) << "R" << n;
}

// A value the field's bits cannot hold is refused, whichever chip: it would otherwise carry into
// the neighbouring field or the register number, or be undefined in the field's type. The field
// keeps what it held, and no word changes.
TYPED_TEST(RegisterFiles, SetFieldRefusesWhatTheFieldsBitsCannotHold) {
    constexpr double NaN = std::numeric_limits<double>::quiet_NaN();
    constexpr double Inf = std::numeric_limits<double>::infinity();
    const auto table = TypeParam::make().fieldTable();
    for (std::size_t i = 0; i < table.size(); ++i) {
        const reglink::FieldInfo info = table[i];
        if (info.bitCount == 0)
            continue; // below
        SCOPED_TRACE(info.name);
        auto store = TypeParam::make();
        store.setFieldDefaults();
        const double unit = std::ldexp(1.0, info.lowBit);
        const double largest = std::ldexp(double((uint64_t{1} << info.bitCount) - 1), info.lowBit);
        const int top = info.lowBit + info.bitCount;
        ASSERT_TRUE(store.setField(i, largest));
        const double held = store.field(i);
        const std::map<int, uint32_t> words = allWords<TypeParam>(store);

        std::vector<double> refused = {
            largest + unit, // one past the top of the field
            4.5 * unit,     // no whole multiple of 2^lowBit
            1.5,
            20.5,
            4294967296.0, // past every word
            -2147483649.0,
            NaN,
            Inf,
            -Inf,
            1e300,
        };
        if (info.lowBit > 0)
            refused.push_back(unit / 2); // below the field's lowest bit
        if (top < 32)
            refused.push_back(-unit); // a negative value sets the bits above the field
        if (info.bitCount < 16)
            refused.push_back(std::ldexp(1.0, info.lowBit + 16)); // far past a short field
        for (double v : refused) {
            SCOPED_TRACE(v);
            EXPECT_FALSE(store.setField(i, v));
            EXPECT_EQ(bitsOf(store.field(i)), bitsOf(held));
            EXPECT_EQ(allWords<TypeParam>(store), words);
        }
        for (double v : {0.0, unit, largest}) {
            SCOPED_TRACE(v);
            EXPECT_TRUE(store.setField(i, v));
            EXPECT_EQ(bitsOf(store.field(i)), bitsOf(v));
        }
    }
}

// A field on bit 31 takes that bit as 2^31 or as the signed -2^31 alike, and the word carries it.
TYPED_TEST(RegisterFiles, AFieldOnBit31TakesItsTopBitSignedOrNot) {
    const auto table = TypeParam::make().fieldTable();
    for (std::size_t i = 0; i < table.size(); ++i) {
        const reglink::FieldInfo info = table[i];
        if (info.bitCount == 0 || info.lowBit + info.bitCount != 32)
            continue;
        SCOPED_TRACE(info.name);
        for (double v : {2147483648.0, -2147483648.0}) {
            auto store = TypeParam::make();
            ASSERT_TRUE(store.setField(i, v)) << v;
            EXPECT_EQ(bitsOf(store.field(i)), 0x80000000u) << v;
            if (info.reg >= 0) {
                EXPECT_NE(store.wordBits(info.reg) & 0x80000000u, 0u) << v;
            }
        }
    }
}

// A field without bits holds nothing but 0, and an index past the end of the table is no field.
TYPED_TEST(RegisterFiles, AFieldWithoutBitsAndAnIndexPastTheTableTakeNothing) {
    auto store = TypeParam::make();
    store.setFieldDefaults();
    const auto table = store.fieldTable();
    const std::map<int, uint32_t> words = allWords<TypeParam>(store);
    for (std::size_t i = 0; i < table.size(); ++i) {
        const reglink::FieldInfo info = table[i];
        if (info.bitCount != 0)
            continue;
        SCOPED_TRACE(info.name);
        for (double v : {16.0, 1.0, std::ldexp(1.0, info.lowBit)})
            EXPECT_FALSE(store.setField(i, v)) << v;
        EXPECT_EQ(store.field(i), 0);
        EXPECT_TRUE(store.setField(i, 0));
    }
    for (double v : {4.0, 16.0})
        EXPECT_FALSE(store.setField(table.size(), v));
    EXPECT_EQ(store.field(table.size()), 0);
    EXPECT_EQ(allWords<TypeParam>(store), words);
}

} // namespace
