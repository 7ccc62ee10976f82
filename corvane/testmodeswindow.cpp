#include "corvane/testmodeswindow.h"

#include "corvane/calc/datarate.h"
#include "corvane/corvaneapp.h"
#include "corvane/frontpanel.h"
#include "evalkit/fielddialog.h"
#include "platform/core/numbers.h"
#include "platform/listchoice.h"
#include "platform/named.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QScrollBar>
#include <QVBoxLayout>

namespace corvane {

using evalkit::dialog::bit;

namespace {

constexpr int32_t RssiOnTestA = 11 * bit(24);
constexpr int MaxGain = 15;
constexpr uint32_t GainUnit = bit(21);
// While the test DAC is on, the clock recovery runs undivided.
constexpr int32_t TestDacCdrDivider = 1 * bit(10);
constexpr int16_t TestDacOn = -1;

const evalkit::dialog::FieldValues& slicerValues() {
    static const evalkit::dialog::FieldValues values{0, 6 * 16, 5 * 16, 4 * 16};
    return values;
}

} // namespace

frmTestModes::frmTestModes(CorvaneApp& app) : app_(app) {
    setObjectName(QLatin1String(DesignName));
    setWindowTitle(QStringLiteral("Test Modes"));

    rssiOnTestA =
        platform::named(new QCheckBox(QStringLiteral("Analog RSSI on Test_A (pin 23)")), "Check1");
    cmbTestList = evalkit::dialog::list(
        "cmbTestList", {QStringLiteral("Off"), QStringLiteral("Correlator Slicer"),
                        QStringLiteral("Linear Slicer"), QStringLiteral("3FSK Slicer")});
    testDacOnSwd = platform::named(
        new QCheckBox(QStringLiteral("Enable Test DAC O/P on SWD (pin 36)")), "Check2");
    testDacGain = platform::named(new QScrollBar(Qt::Vertical), "VScroll1");
    testDacGain->setRange(0, MaxGain);
    testDacGain->setSingleStep(1);
    testDacGain->setPageStep(1);
    testDacGain->setInvertedAppearance(true); // more gain towards the top
    testDacGain->setMinimumHeight(90);
    testDacGainValue = evalkit::dialog::box("Text1", QStringLiteral("0"));
    testDacGainValue->setReadOnly(true); // shows the gain the scroll bar sets
    testDacGainValue->setMaximumWidth(40);
    testDacGainCaption = evalkit::dialog::label("Label4", QStringLiteral("Test DAC Gain"));
    register15Readout = new reglink::RegisterReadout(this);
    register15Readout->setObjectName(QStringLiteral("Label2"));
    register15Readout->setMinimumWidth(90);
    returnToPanel = evalkit::dialog::returnButton("Command2");

    auto* frame = new QGroupBox(QStringLiteral("Set Test Register "));
    auto* grid = new QGridLayout(frame);
    grid->addWidget(rssiOnTestA, 0, 0, 1, 3);
    auto* slicerCaption = new QLabel(QStringLiteral("Slicer output on TxRXDATA"));
    slicerCaption->setBuddy(cmbTestList);
    grid->addWidget(slicerCaption, 1, 0);
    grid->addWidget(cmbTestList, 1, 1, 1, 2);
    grid->addWidget(testDacOnSwd, 2, 0, 1, 3);
    auto* gain = new QHBoxLayout;
    gain->addWidget(testDacGainCaption);
    gain->addWidget(testDacGainValue);
    gain->addWidget(testDacGain);
    gain->addStretch();
    grid->addLayout(gain, 3, 0, 1, 3);

    auto* readout = new QHBoxLayout;
    readout->addWidget(new QLabel(QStringLiteral("Register 15")));
    readout->addWidget(register15Readout);
    readout->addStretch();
    readout->addWidget(returnToPanel);

    auto* top = new QVBoxLayout(this);
    top->addWidget(frame);
    top->addLayout(readout);

    showGain(false);

    connect(rssiOnTestA, &QCheckBox::toggled, this, &frmTestModes::rssiOnTestA_Click);
    platform::onChoice(cmbTestList, this, &frmTestModes::cmbTestList_Click);
    connect(testDacOnSwd, &QCheckBox::toggled, this, &frmTestModes::testDacOnSwd_Click);
    connect(testDacGain, &QScrollBar::valueChanged, this, &frmTestModes::testDacGain_Change);
    connect(returnToPanel, &QPushButton::clicked, this, &frmTestModes::returnToPanel_Click);
}

// Setting the controls runs their handlers, as every change does, but opening the window writes
// nothing: the chip keeps what was last sent to it, also a test mode set since in the raw
// register window.
void frmTestModes::Form_Load() {
    const QScopedValueRollback<bool> showingOnly(loading_, true);
    const CorvaneFields& f = app_.f();
    const CorvaneWorking& w = app_.w();
    rssiOnTestA->setChecked(f.RssiTestField == RssiOnTestA);
    if (w.TestDacEnabled == TestDacOn) {
        testDacOnSwd->setChecked(true);
        const bool linear = f.DemodTypeField == calc::DemodLinear;
        showGain(linear);
        if (linear)
            testDacGain->setValue(platform::toInt32(w.TestDacLevel).value_or(0));
    } else {
        testDacOnSwd->setChecked(false);
        showGain(false);
    }
    evalkit::dialog::showField(cmbTestList, slicerValues(), f.RxTestModeField);
    app_.UpdateAllRegisterLabels();
}

void frmTestModes::rssiOnTestA_Click() {
    app_.f().RssiTestField = rssiOnTestA->isChecked() ? RssiOnTestA : 0;
    app_.UpdateAllRegisterLabels();
    writeRegister15();
}

void frmTestModes::cmbTestList_Click() {
    if (const auto v = slicerValues().at(cmbTestList->currentIndex()))
        app_.f().RxTestModeField = *v;
    app_.UpdateAllRegisterLabels();
    writeRegister15();
}

void frmTestModes::testDacOnSwd_Click() {
    CorvaneFields& f = app_.f();
    CorvaneWorking& w = app_.w();
    uint32_t word = TestDacOffWord;
    if (testDacOnSwd->isChecked()) {
        w.TestDacEnabled = TestDacOn;
        // Only the linear demodulator's output has a gain to set.
        const bool linear = f.DemodTypeField == calc::DemodLinear;
        word = linear ? TestDacLinearOnWord : TestDacOnWord;
        showGain(linear);
        f.CdrClockDividerField = TestDacCdrDivider;
    } else {
        w.TestDacEnabled = 0;
        showGain(false);
        // The data-rate plan puts back the clock-recovery divider the test DAC replaced.
        app_.main().txtDatarate_Change();
    }
    writeTestDacWord(word);
    app_.UpdateAllRegisterLabels();
}

void frmTestModes::testDacGain_Change() {
    const int g = testDacGain->value();
    CorvaneWorking& w = app_.w();
    // The bits of the linear word with the gain on top, as the raw register takes them.
    const uint32_t word = static_cast<uint32_t>(g) * GainUnit + TestDacLinearOnWord;
    w.TestDacLevel = g;
    testDacGainValue->setText(platform::numberText(w.TestDacLevel));
    writeTestDacWord(word);
}

void frmTestModes::writeRegister15() {
    if (!loading_)
        app_.writeRegister(15);
}

void frmTestModes::writeTestDacWord(uint32_t word) {
    if (!loading_)
        app_.writeRawWord(word);
}

void frmTestModes::returnToPanel_Click() {
    const CorvaneFields& f = app_.f();
    const bool enabled =
        f.RssiTestField != 0 || f.RxTestModeField != 0 || testDacOnSwd->isChecked();
    unload();
    app_.main().testModesStatus->setText(enabled ? QStringLiteral("Enabled")
                                                 : QStringLiteral("Disabled"));
}

void frmTestModes::showGain(bool shown) {
    testDacGainValue->setVisible(shown);
    testDacGain->setVisible(shown);
    testDacGainCaption->setVisible(shown);
}

} // namespace corvane
