// Every chip's register file, tested once over all of them: the words its power-on values
// give, each field inside its register's bits and apart from the others (unless the design
// says they share bits), and the register-number bits left to the number.
#include <gtest/gtest.h>

#include "corvane/model/registerstore.h"
#include "pellion/model/registerstore.h"
#include "tessarine/model/registerstore.h"

#include <cmath>
#include <map>
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

} // namespace
