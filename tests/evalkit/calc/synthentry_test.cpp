#include "evalkit/calc/synthentry.h"

#include "../../qtprinters.h"

#include <gtest/gtest.h>

#include <iterator>
#include <ostream>

namespace {

using evalkit::calc::SynthBox;
using evalkit::calc::SynthEntryRules;
using evalkit::calc::validateSynthEntries;

const QString kInvalidRf = "Invalid entry in RF Frequency.";
const QString kInvalidPfd = "Invalid entry in PFD Comparison Frequency. (Fmax = 40MHz)";
const QString kInvalidCrystal = "Invalid entry in Crystal Frequency.";

struct EntryCase {
    const char* rf;
    const char* pfd;
    const char* crystal;
    SynthBox box; // None: all three pass
};

// The case's name in the test list and in failures: the three entries and the box refused.
void PrintTo(const EntryCase& c, std::ostream* os) {
    static const char* const boxes[] = {"None", "Rf", "Pfd", "Crystal"};
    const auto box = static_cast<std::size_t>(c.box);
    *os << "rf \"" << c.rf << "\" pfd \"" << c.pfd << "\" crystal \"" << c.crystal << "\" -> "
        << (box < std::size(boxes) ? boxes[box] : "?");
}

class SynthEntry : public testing::TestWithParam<EntryCase> {};

TEST_P(SynthEntry, FirstFailingBoxGetsItsMessage) {
    const EntryCase& c = GetParam();
    const auto failure = validateSynthEntries(c.rf, c.pfd, c.crystal);
    if (c.box == SynthBox::None) {
        EXPECT_FALSE(failure);
        return;
    }
    ASSERT_TRUE(failure);
    EXPECT_EQ(failure->box, c.box);
    const QString expected = c.box == SynthBox::Rf    ? kInvalidRf
                             : c.box == SynthBox::Pfd ? kInvalidPfd
                                                      : kInvalidCrystal;
    EXPECT_EQ(failure->message.text, expected);
    EXPECT_EQ(failure->message.icon, platform::MsgIcon::Exclamation);
    EXPECT_EQ(failure->message.title, std::nullopt);
    EXPECT_TRUE(failure->message.beep);
    EXPECT_TRUE(failure->clearsBox);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Entries, SynthEntry, testing::Values(
    EntryCase{"868.3", "11.0592", "11.0592", SynthBox::None},
    EntryCase{" 868.3 ", "&H1", "40", SynthBox::None},
    EntryCase{"868.3", "40", "11.0592", SynthBox::None},        // the PFD limit itself
    EntryCase{"868.3", "0.001", "11.0592", SynthBox::None},
    EntryCase{"abc", "x", "y", SynthBox::Rf},                   // later boxes are not tried
    EntryCase{"", "11.0592", "11.0592", SynthBox::Rf},
    EntryCase{"1e33", "11.0592", "11.0592", SynthBox::Rf},      // x 10^6 beyond a single
    EntryCase{"868.3", "", "11.0592", SynthBox::Pfd},
    EntryCase{"868.3", "0", "11.0592", SynthBox::Pfd},          // cannot be divided by
    EntryCase{"868.3", "-5", "11.0592", SynthBox::Pfd},
    EntryCase{"868.3", "40.5", "11.0592", SynthBox::Pfd},       // above the named Fmax
    EntryCase{"868.3", "99999999999999999999", "11.0592", SynthBox::Pfd},
    EntryCase{"868.3", "inf", "11.0592", SynthBox::Pfd},
    EntryCase{"868.3", "11.0592", "", SynthBox::Crystal},
    EntryCase{"868.3", "11.0592", "1e36", SynthBox::Crystal}));   // x 1000 beyond a single
// clang-format on

// A decimal comma is refused in every box (whatever the locale), and the message adds how the
// number is written, since the box is emptied.
TEST(SynthEntry, ADecimalCommaIsToldThatTheMarkIsAPoint) {
    const struct {
        const char *rf, *pfd, *crystal;
        QString message;
    } cases[] = {
        {"868,3", "11.0592", "11.0592",
         kInvalidRf + QStringLiteral("\nThe decimal mark is a point: 868.3")},
        {"868.3", "11,0592", "11.0592",
         kInvalidPfd + QStringLiteral("\nThe decimal mark is a point: 11.0592")},
        {"868.3", "11.0592", "11,0592",
         kInvalidCrystal + QStringLiteral("\nThe decimal mark is a point: 11.0592")},
        {"868,3,1", "11.0592", "11.0592", kInvalidRf}, // no number with a point either
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.rf);
        const auto failure = validateSynthEntries(c.rf, c.pfd, c.crystal);
        ASSERT_TRUE(failure);
        EXPECT_EQ(failure->message.text, c.message);
    }
}

TEST(SynthEntry, OneProgramKeepsARefusedRfText) {
    const auto keeps = validateSynthEntries("abc", "1", "1", SynthEntryRules{false});
    ASSERT_TRUE(keeps);
    EXPECT_EQ(keeps->box, SynthBox::Rf);
    EXPECT_FALSE(keeps->clearsBox);
    // The other boxes are emptied whatever the rule.
    const auto pfd = validateSynthEntries("868", "", "1", SynthEntryRules{false});
    ASSERT_TRUE(pfd);
    EXPECT_TRUE(pfd->clearsBox);
}

} // namespace
