#include "pellion/testmodeswindow.h"

#include "evalkit/fielddialog.h"
#include "pellion/pellionapp.h"
#include "platform/named.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <array>

namespace pellion {

namespace {

struct TestMode {
    const char16_t* item;
    std::optional<double> word;
};

const std::array<TestMode, 7> kTestModes{{
    {u"Logic Low to Mux", 0xF},
    {u"CDR Clock to Mux", 0x4000F},
    {u"Rnd Data Clk txclk. to Mux (SD mode)", 0xB00000F},
    {u"Analog RSSI o/p to T1 (pin23)", 0x3F},
    {u"Linear Demod Slicer o/p to Rxdata", 0x4F},
    {u"Correlator o/p to Rxdata", 0x1C00C},
    {u"Test DAC to Clkout", std::nullopt},
}};

} // namespace

std::optional<double> testModeWord(int listIndex) {
    if (listIndex < 0 || size_t(listIndex) >= kTestModes.size())
        return std::nullopt;
    return kTestModes[size_t(listIndex)].word;
}

frmTestModes::frmTestModes(PellionApp& app) : app_(app) {
    setObjectName(QLatin1String(DesignName));
    setWindowTitle(QStringLiteral("Form1"));

    QStringList items;
    for (const TestMode& m : kTestModes)
        items << QString::fromUtf16(m.item);
    cmbTestList = evalkit::dialog::list("cmbTestList", items);
    cmdTestModeWrite = platform::namedButton("cmdTestModeWrite", QStringLiteral("Write"));
    lblTestMode = platform::namedLabel(
        "lblTestMode", QStringLiteral("Write to register again to turn test mode off"));
    lblTestMode->setVisible(false);

    auto* testRegister =
        platform::named(new QGroupBox(QStringLiteral("Set Test Register ")), "Frame1");
    auto* grid = new QGridLayout(testRegister);
    grid->addWidget(cmbTestList, 0, 0);
    grid->addWidget(cmdTestModeWrite, 0, 1);
    grid->addWidget(lblTestMode, 1, 0, 1, 2);
    grid->setColumnStretch(0, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(testRegister);
    setMinimumWidth(380);

    connect(cmdTestModeWrite, &QPushButton::clicked, this, &frmTestModes::cmdTestModeWrite_Click);
}

void frmTestModes::cmdTestModeWrite_Click() {
    PellionWorking& w = app_.w();
    if (const std::optional<double> word = testModeWord(cmbTestList->currentIndex()))
        w.TestModeWord = *word;
    app_.UpdateAllRegisterLabels();
    // The button writes what it names: the test word goes to the chip over the chosen board.
    // A word that went nowhere switched no test mode on or off.
    if (!send())
        return;
    // The second write of a test word turns the test mode off again: until then the list
    // stays where it is.
    const bool testModeOn = lblTestMode->isHidden();
    lblTestMode->setVisible(testModeOn);
    cmbTestList->setEnabled(!testModeOn);
}

bool frmTestModes::send() {
    // Register 99 has no USB path of its own: the word goes straight to the chosen board, as a
    // raw register word does.
    const std::optional<uint32_t> bits = app_.store().testModeWordBits();
    return bits && app_.sendWord(*bits);
}

} // namespace pellion
