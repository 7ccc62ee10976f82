// The conversion calculator: dBm, volts and dB.
#include "corvanefixture.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

using namespace corvane;
using namespace corvane::test;

using ConversionCalculator = CorvaneFixture;

TEST_F(ConversionCalculator, ConvertsWithTheChosenOption) {
    struct Case {
        const char* x;
        int option; // 1..4
        const char* answer;
    };
    const Case cases[] = {
        {"0", 1, "0.77500"},     {"1", 4, "0.00000"},      {"-3", 2, "undefined"},
        {"20", 3, "10.00000"},   {"0.775", 2, "0.00000"},  {"0", 4, "undefined"},
        {"-6", 3, "0.50119"},    {"1E-3", 2, "-57.78603"}, {"&H14", 3, "10.00000"},
        {"1E6", 3, "undefined"}, {"1E6", 1, "undefined"},  {"-1E6", 1, "0.00000"},
    };
    conversionform& c = app->conversionform();
    EXPECT_TRUE(c.dBmToVolt->isChecked());
    QRadioButton* options[] = {c.dBmToVolt, c.voltToDbm, c.dBToVolt, c.voltToDb};
    for (const Case& k : cases) {
        SCOPED_TRACE(std::string(k.x) + " option " + std::to_string(k.option));
        options[k.option - 1]->click();
        c.level->setText(QString::fromLatin1(k.x));
        c.performConversion->click();
        EXPECT_EQ(c.answer->text(), QString::fromLatin1(k.answer));
    }
    EXPECT_TRUE(messageTexts().empty());
}

TEST_F(ConversionCalculator, EntryThatIsNoNumberIsRefused) {
    conversionform& c = app->conversionform();
    c.show();
    c.activateWindow();
    c.level->setText(QStringLiteral("20"));
    c.performConversion->click();
    ASSERT_EQ(c.answer->text(), QStringLiteral("7.75000"));
    for (const char* entry : {"", "abc", "1,5", "  "}) {
        SCOPED_TRACE(entry);
        services.messages.clear();
        c.level->setText(QString::fromLatin1(entry));
        c.returnToPanel->setFocus();
        c.performConversion->click();
        EXPECT_EQ(services.messages.beeps, 1);
        ASSERT_EQ(services.messages.messages.size(), 1u);
        const auto& msg = services.messages.messages[0];
        EXPECT_EQ(msg.text, QStringLiteral("Invalid entry. This must be a number"));
        EXPECT_EQ(msg.icon, platform::MsgIcon::Exclamation);
        EXPECT_EQ(msg.title, services.messages.defaultTitle());
        EXPECT_EQ(msg.buttons, platform::MsgButtons::Ok);
        EXPECT_EQ(c.level->text(), QString());
        EXPECT_EQ(c.answer->text(), QStringLiteral("7.75000"));
        EXPECT_EQ(c.focusWidget(), c.level);
    }
}

TEST_F(ConversionCalculator, ReturnUnloadsAndReopensOnDbmToVolt) {
    conversionform& c = app->conversionform();
    c.voltToDb->click();
    c.returnToPanel->click();
    EXPECT_FALSE(app->isLoaded(QStringLiteral("conversionform")));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(app->conversionform().dBmToVolt->isChecked());
    EXPECT_FALSE(app->conversionform().voltToDb->isChecked());
}
