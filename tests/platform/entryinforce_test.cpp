// The entry in force of a box: what its handler last took, while the box shows a refused one.
#include "platform/entrymark.h"

#include <QLineEdit>
#include <gtest/gtest.h>

using namespace platform;

TEST(EntryInForce, IsTheTextTheBoxLastTookWhileItIsMarked) {
    QLineEdit box(QStringLiteral("10"));
    // A box whose handler never took or refused a text: its text.
    EXPECT_EQ(textInForce(&box), QStringLiteral("10"));
    showRefusal(&box, false, QString()); // "10" taken
    box.setText(QStringLiteral("50"));
    showRefusal(&box, false, QString()); // "50" taken
    box.setText(QStringLiteral("500"));
    showRefusal(&box, true, QStringLiteral("a rate below 202"));
    EXPECT_EQ(textInForce(&box), QStringLiteral("50"));
    box.setText(QStringLiteral("5000"));
    markRefused(&box, QStringLiteral("a rate below 202"));
    EXPECT_EQ(textInForce(&box), QStringLiteral("50"));
    box.setText(QStringLiteral("9"));
    clearRefusedMark(&box);
    EXPECT_EQ(textInForce(&box), QStringLiteral("9"));
    // Marked before any text was taken: nothing better than its text is known.
    QLineEdit fresh(QStringLiteral("x"));
    markRefused(&fresh, QStringLiteral("a number"));
    EXPECT_EQ(textInForce(&fresh), QStringLiteral("x"));
}
