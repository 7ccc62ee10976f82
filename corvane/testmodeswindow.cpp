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

    Check1 =
        platform::named(new QCheckBox(QStringLiteral("Analog RSSI on Test_A (pin 23)")), "Check1");
    cmbTestList = evalkit::dialog::list(
        "cmbTestList", {QStringLiteral("Off"), QStringLiteral("Correlator Slicer"),
                        QStringLiteral("Linear Slicer"), QStringLiteral("3FSK Slicer")});
    Check2 = platform::named(new QCheckBox(QStringLiteral("Enable Test DAC O/P on SWD (pin 36)")),
                             "Check2");
    VScroll1 = platform::named(new QScrollBar(Qt::Vertical), "VScroll1");
    VScroll1->setRange(0, MaxGain);
    VScroll1->setSingleStep(1);
    VScroll1->setPageStep(1);
    VScroll1->setInvertedAppearance(true); // more gain towards the top
    VScroll1->setMinimumHeight(90);
    Text1 = evalkit::dialog::box("Text1", QStringLiteral("0"));
    Text1->setReadOnly(true); // shows the gain the scroll bar sets
    Text1->setMaximumWidth(40);
    Label4 = evalkit::dialog::label("Label4", QStringLiteral("Test DAC Gain"));
    Label2 = new reglink::RegisterReadout(this);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setMinimumWidth(90);
    Command2 = evalkit::dialog::returnButton("Command2");

    auto* frame = new QGroupBox(QStringLiteral("Set Test Register "));
    auto* grid = new QGridLayout(frame);
    grid->addWidget(Check1, 0, 0, 1, 3);
    auto* slicerCaption = new QLabel(QStringLiteral("Slicer output on TxRXDATA"));
    slicerCaption->setBuddy(cmbTestList);
    grid->addWidget(slicerCaption, 1, 0);
    grid->addWidget(cmbTestList, 1, 1, 1, 2);
    grid->addWidget(Check2, 2, 0, 1, 3);
    auto* gain = new QHBoxLayout;
    gain->addWidget(Label4);
    gain->addWidget(Text1);
    gain->addWidget(VScroll1);
    gain->addStretch();
    grid->addLayout(gain, 3, 0, 1, 3);

    auto* readout = new QHBoxLayout;
    readout->addWidget(new QLabel(QStringLiteral("Register 15")));
    readout->addWidget(Label2);
    readout->addStretch();
    readout->addWidget(Command2);

    auto* top = new QVBoxLayout(this);
    top->addWidget(frame);
    top->addLayout(readout);

    showGain(false);

    connect(Check1, &QCheckBox::toggled, this, &frmTestModes::Check1_Click);
    platform::onChoice(cmbTestList, this, &frmTestModes::cmbTestList_Click);
    connect(Check2, &QCheckBox::toggled, this, &frmTestModes::Check2_Click);
    connect(VScroll1, &QScrollBar::valueChanged, this, &frmTestModes::VScroll1_Change);
    connect(Command2, &QPushButton::clicked, this, &frmTestModes::Command2_Click);
}

// Setting the controls runs their handlers, so reopening the window sends its settings to the
// chip again.
void frmTestModes::Form_Load() {
    const CorvaneFields& f = app_.f();
    const CorvaneWorking& w = app_.w();
    Check1->setChecked(f.RssiTestField == RssiOnTestA);
    if (w.TestDacEnabled == TestDacOn) {
        Check2->setChecked(true);
        const bool linear = f.DemodTypeField == calc::DemodLinear;
        showGain(linear);
        if (linear)
            VScroll1->setValue(platform::toInt32(w.TestDacLevel).value_or(0));
    } else {
        Check2->setChecked(false);
        showGain(false);
    }
    evalkit::dialog::showField(cmbTestList, slicerValues(), f.RxTestModeField);
    app_.UpdateAllRegisterLabels();
}

void frmTestModes::Check1_Click() {
    app_.f().RssiTestField = Check1->isChecked() ? RssiOnTestA : 0;
    app_.UpdateAllRegisterLabels();
    app_.writeRegister(15);
}

void frmTestModes::cmbTestList_Click() {
    if (const auto v = slicerValues().at(cmbTestList->currentIndex()))
        app_.f().RxTestModeField = *v;
    app_.UpdateAllRegisterLabels();
    app_.writeRegister(15);
}

void frmTestModes::Check2_Click() {
    CorvaneFields& f = app_.f();
    CorvaneWorking& w = app_.w();
    uint32_t word = TestDacOffWord;
    if (Check2->isChecked()) {
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
    app_.writeRawWord(word);
    app_.UpdateAllRegisterLabels();
}

void frmTestModes::VScroll1_Change() {
    const int g = VScroll1->value();
    CorvaneWorking& w = app_.w();
    // The bits of the linear word with the gain on top, as the raw register takes them.
    const uint32_t word = static_cast<uint32_t>(g) * GainUnit + TestDacLinearOnWord;
    w.TestDacLevel = g;
    Text1->setText(platform::numberText(w.TestDacLevel));
    app_.writeRawWord(word);
}

void frmTestModes::Command2_Click() {
    const CorvaneFields& f = app_.f();
    const bool enabled = f.RssiTestField != 0 || f.RxTestModeField != 0 || Check2->isChecked();
    unload();
    app_.main().testModesStatus->setText(enabled ? QStringLiteral("Enabled")
                                                 : QStringLiteral("Disabled"));
}

void frmTestModes::showGain(bool shown) {
    Text1->setVisible(shown);
    VScroll1->setVisible(shown);
    Label4->setVisible(shown);
}

} // namespace corvane
