// The number box and the list values the feature dialogs are built from.
#include "evalkit/fielddialog.h"
#include "testing/recordingservices.h"

#include <QComboBox>
#include <gtest/gtest.h>
#include <memory>

using namespace evalkit::dialog;

TEST(NumberBox, PoliciesForCodesAboveTheLimit) {
    struct Case {
        OverLimit over;
        const char* text;
        std::optional<int32_t> code;
        bool message;
    } cases[] = {
        {OverLimit::Warn, "11", std::nullopt, true},
        {OverLimit::Clamp, "11", 10, false},
        {OverLimit::Ignore, "11", std::nullopt, false},
        {OverLimit::Warn, "10", 10, false},
        {OverLimit::Warn, "9E99", std::nullopt, true},
        {OverLimit::Clamp, "9E99", 10, false},
        {OverLimit::Warn, "2.5", 2, false},
        {OverLimit::Warn, "3.5", 4, false},
    };
    for (const Case& c : cases) {
        platform::RecordingMessageService messages;
        const NumberBox box{.limit = 10, .over = c.over, .limitMessage = QStringLiteral("too big")};
        EXPECT_EQ(box.accept(QString::fromLatin1(c.text), messages), c.code) << c.text;
        EXPECT_EQ(messages.messages.size(), c.message ? 1u : 0u) << c.text;
    }
}

TEST(NumberBox, EmptyTextIsIgnoredUnlessItMeansZero) {
    platform::RecordingMessageService messages;
    EXPECT_EQ(NumberBox{.limit = 3}.accept(QString(), messages), std::nullopt);
    const NumberBox zero{.limit = 3, .emptyIsZero = true};
    EXPECT_EQ(zero.accept(QString(), messages), 0);
}

TEST(FieldValues, ListShowsOnlyValuesItHolds) {
    const FieldValues values{0, bit(18), bit(19)};
    EXPECT_EQ(values.at(2), bit(19));
    EXPECT_EQ(values.at(-1), std::nullopt);
    EXPECT_EQ(values.at(3), std::nullopt);
    auto combo = std::unique_ptr<QComboBox>(list("c", {"a", "b", "c"}));
    EXPECT_EQ(combo->currentIndex(), -1);
    EXPECT_FALSE(showField(combo.get(), values, 3 * bit(18)));
    EXPECT_EQ(combo->currentIndex(), -1);
    EXPECT_TRUE(showField(combo.get(), values, bit(18)));
    EXPECT_EQ(combo->currentIndex(), 1);
}
