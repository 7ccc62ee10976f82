// The Help menu's information windows: fixed texts, and closing them changes nothing.
#include "corvanefixture.h"

#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

using namespace corvane;
using namespace corvane::test;

namespace {

struct InformationWindows : CorvaneFixture {
    // Every register word and the board traffic, to show a window changed nothing.
    std::vector<uint32_t> words() {
        std::vector<uint32_t> out;
        for (int n = 0; n < 16; ++n)
            out.push_back(word(n));
        return out;
    }
    void expectNothingChanged(const std::vector<uint32_t>& before) {
        EXPECT_EQ(words(), before);
        EXPECT_TRUE(usb.lines().empty());
        EXPECT_TRUE(port.lines().empty());
        EXPECT_TRUE(messageTexts().empty());
    }
};

TEST_F(InformationWindows, AboutBoxOpensFromItsMenuItemAndOkCloses) {
    Main& m = start();
    clearRecords();
    const auto before = words();
    EXPECT_EQ(m.mnuRev->text(), QStringLiteral("&About this Rev (Rev 3.1)"));
    m.mnuRev->trigger();
    ASSERT_FALSE(services.shower.shown.empty());
    EXPECT_EQ(services.shower.shown.back().name, QStringLiteral("aboutform"));
    EXPECT_TRUE(services.shower.shown.back().modal);

    aboutform& a = app->aboutform();
    EXPECT_EQ(a.windowTitle(), QStringLiteral("Who's behind this software ?"));
    EXPECT_EQ(a.REV->text(), QStringLiteral("REV 3.2 Release, Jan 2008"));
    EXPECT_EQ(a.description->text(), QStringLiteral("This Software is an evaluation tool for the "
                                                    "Verrix Corvane Low Power Narrow Band "
                                                    "Transceiver. "));
    EXPECT_FALSE(a.address->text().isEmpty());
    EXPECT_EQ(a.okButton->text(), QStringLiteral("OK"));
    a.okButton->click();
    EXPECT_FALSE(app->isLoaded(QStringLiteral("aboutform")));
    expectNothingChanged(before);
}

TEST_F(InformationWindows, RevisionHistoryShowsEveryLineAndOkReturns) {
    Main& m = start();
    clearRecords();
    const auto before = words();
    m.mnuRevHistory->trigger();
    EXPECT_EQ(services.shower.names().back(), QStringLiteral("revform"));

    revform& r = app->revform();
    EXPECT_EQ(r.windowTitle(), QStringLiteral("Help / Information"));
    EXPECT_EQ(r.historyFrame->title(), QStringLiteral("Unload Me"));
    EXPECT_EQ(r.okButton->text(), QStringLiteral("OK"));
    EXPECT_EQ(r.okButton->toolTip(), QStringLiteral("Back to the Main Window"));

    QStringList texts;
    for (const QLabel* l : r.historyLines)
        texts << l->text();
    // Revision lines: revision, date and note in one label, in order.
    const std::vector<std::vector<const char*>> revisions = {
        {"Rev 1.0", "May '05", "Sampling Silicon Rev 1 - Datasheet Rev Pr. A"},
        {"Rev 2.0", "March '06", "New Silicon - Rev 1 "},
        {"Rev 2.1", "July '06", "Minor update "},
        {"Rev 3.0", "Nov 06", "Major Update. Silicon Rev 3"},
        {"Rev 3.1", "Silicon Rev4"},
        {"Rev 3.2", "Silicon Rev4"},
    };
    qsizetype previous = -1;
    for (const auto& parts : revisions) {
        SCOPED_TRACE(parts[0]);
        const auto at = std::find_if(texts.begin(), texts.end(), [&](const QString& t) {
            return t.startsWith(QString::fromLatin1(parts[0]));
        });
        ASSERT_NE(at, texts.end());
        EXPECT_GT(at - texts.begin(), previous);
        previous = at - texts.begin();
        EXPECT_TRUE(at->endsWith(QString::fromLatin1(parts.back())));
        for (const char* part : parts)
            EXPECT_TRUE(at->contains(QString::fromLatin1(part)));
    }
    const char* notes[] = {
        "Added use of external inductor",
        "Change to appearance",
        "Removed Load Now buttons. ",
        "User must now write to appropriate register. Regsiter highlighted in green",
        "Can be used with USB or Parallel Port interface",
        "Added Import/export to tesxt file. Can also import from Ombrelle and export to Zantrel "
        "ver 2.0",
        "No longer any conflicts with French/German PC language settings",
        "Fixed some minor bugs ",
        "Changed Synthesizer window. User now always enters desired RF channel frequency (even "
        "in ext L mode with RF_divide by_2 enabled)",
        "Fixed AFC scaling issue and fine cal tones now as per datasheet revA",
    };
    for (const char* note : notes)
        EXPECT_EQ(texts.count(QString::fromLatin1(note)), 1) << note;
    EXPECT_EQ(
        texts.count(QStringLiteral("Addition of seperate AFC, AGC, SWD and IF Filter cal windows")),
        2);
    EXPECT_EQ(texts.last(),
              QStringLiteral("Please check the Verrix website for Updates to this software"));
    EXPECT_EQ(texts.size(), 6 + 12 + 1);

    r.okButton->click();
    EXPECT_FALSE(app->isLoaded(QStringLiteral("revform")));
    expectNothingChanged(before);
}

TEST_F(InformationWindows, ThinkpadHelpHasItsStepsAndNoButton) {
    Main& m = start();
    clearRecords();
    const auto before = words();
    m.mnuIBM->trigger();
    EXPECT_EQ(services.shower.names().back(), QStringLiteral("IBMhelpform"));

    IBMhelpform& h = app->IBMhelpform();
    EXPECT_EQ(h.windowTitle(), QStringLiteral("IBM Thinkpad Help"));
    const std::pair<QLabel*, const char*> labels[] = {
        {h.intro, "For IBM Thinkpad platforms, if problems are encountered in communicating "
                  "with the evaluation board, please follow these instructions:"},
        {h.step1, "1. From the Windows Start menu, enter Control Panel."},
        {h.step2, "2. Enter the System section."},
        {h.step3, "3. Select the Hardware tab."},
        {h.step4, "4. Click on Device Manager."},
        {h.step5, "5. Click on Ports (COM and LPT)."},
        {h.step6, "6. Click on Printer Port LPT1."},
        {h.step7, "7. Select the Port Settings tab."},
        {h.step8, "8. Check \"Enable Plug and Play\"."},
        {h.step9, "9. Check \"Never Use an Interupt\"."},
    };
    for (const auto& [label, text] : labels) {
        EXPECT_EQ(label->text(), QString::fromLatin1(text));
        EXPECT_EQ(h.findChild<QLabel*>(label->objectName()), label);
    }
    EXPECT_TRUE(h.findChildren<QPushButton*>().isEmpty());

    h.close(); // the close box
    EXPECT_FALSE(app->isLoaded(QStringLiteral("IBMhelpform")));
    expectNothingChanged(before);
}

} // namespace
