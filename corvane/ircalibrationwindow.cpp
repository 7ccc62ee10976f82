#include "corvane/ircalibrationwindow.h"

#include "corvane/calc/readback.h"
#include "corvane/corvaneapp.h"
#include "corvane/synthesizerwindow.h"
#include "evalkit/fielddialog.h"
#include "platform/core/numbers.h"
#include "platform/messages.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace corvane {

using evalkit::dialog::bit;

namespace {

// The search's first value lands in the 5-bit phase magnitude (bits 25..29),
// the second in the 4-bit gain magnitude (bits 20..23); each has its own sign
// bit. A step past the end of a field stays at the end rather than spilling
// into the neighbouring bits.
constexpr int FirstLimit = 31;
constexpr int SecondLimit = 15;
constexpr int32_t AdjustModeBit = std::numeric_limits<int32_t>::min(); // bit 31

// Bit 8 of register 7: the chip answers a readback.
constexpr int32_t ReadbackEnabled = 256;
// The internal calibration source at drive level 3.
constexpr int32_t InternalSourceDrive = 3 * bit(28);
// Register 9: manual AGC.
constexpr int32_t ManualAgc = bit(18);
// The image of the channel lies 200 kHz below it.
constexpr double ImageOffsetMHz = 0.2;

QLineEdit* box(const char* name, bool output = false) {
    QLineEdit* b = evalkit::dialog::box(name);
    b->setReadOnly(output);
    b->setMinimumWidth(90);
    return b;
}

QGroupBox* frame(const char* name, const QString& caption,
                 std::initializer_list<std::pair<const char*, QWidget*>> rows) {
    auto* g = new QGroupBox(caption);
    g->setObjectName(QString::fromLatin1(name));
    auto* grid = new QGridLayout(g);
    int row = 0;
    for (const auto& [text, control] : rows) {
        auto* l = new QLabel(QString::fromLatin1(text));
        l->setBuddy(control);
        grid->addWidget(l, row, 0);
        grid->addWidget(control, row, 1);
        ++row;
    }
    return g;
}

// A whole-number entry as the search takes it (half to even), or nullopt with
// a message naming the box.
std::optional<int16_t> entry(const QLineEdit* box, const char* caption, int low, int high,
                             platform::MessageService& messages) {
    const std::optional<double> v = platform::textToNumber(box->text());
    const std::optional<int16_t> n = v ? platform::toInt16(*v) : std::nullopt;
    if (n && *n >= low && *n <= high)
        return n;
    messages.message(QStringLiteral("Invalid entry. %1 must be a number from %2 to %3")
                         .arg(QString::fromLatin1(caption))
                         .arg(low)
                         .arg(high),
                     platform::MsgIcon::Exclamation);
    return std::nullopt;
}

} // namespace

std::optional<int32_t> oddClockMultiple(double ratio) {
    const std::optional<int64_t> rounded = platform::toInt64(ratio);
    if (!rounded)
        return std::nullopt;
    int64_t n = *rounded;
    if (n % 2 == 0)
        n += ratio >= double(n) ? 1 : -1;
    if (n < std::numeric_limits<int32_t>::min() || n > std::numeric_limits<int32_t>::max())
        return std::nullopt;
    return static_cast<int32_t>(n);
}

frmIRcal::frmIRcal(CorvaneApp& app) : app_(app) {
    setObjectName(QLatin1String(DesignName));
    setWindowTitle(QStringLiteral("IR Calibration"));

    txtGainInit = box("txtGainInit");
    txtPhaseInit = box("txtPhaseInit");
    txtIter = box("txtIter");
    txtSubopt = box("txtSubopt");
    txtRSSIbest = box("txtRSSIbest", true);
    txtGainbest = box("txtGainbest", true);
    txtPhasebest = box("txtPhasebest", true);
    txtAttempts = box("txtAttempts", true);
    txtGaincur = box("txtGaincur", true);
    txtPhasecur = box("txtPhasecur", true);
    txtItercur = box("txtItercur", true);
    cmbCalsrc = evalkit::dialog::list("cmbCalsrc",
                                      {QStringLiteral("Internal"), QStringLiteral("External")});
    overrideDemodDivide = new QCheckBox(QStringLiteral("Override Calculated Demod Divide"));
    overrideDemodDivide->setObjectName(QStringLiteral("Check1"));
    QStringList dividers = evalkit::dialog::numberItems(15);
    dividers.removeFirst(); // "1" to "15"
    demodDivider = evalkit::dialog::list("Combo1", dividers);
    demodClock = box("Text1", true);
    rfChannelFrequency = box("Text2", true);
    imageFrequency = box("Text3", true);
    cmbMode = evalkit::dialog::list("cmbMode", {});
    sclOversample = evalkit::dialog::scrollBar("sclOversample", 15);
    updateRf = new QPushButton(QStringLiteral("Update RF"));
    updateRf->setObjectName(QStringLiteral("Command1"));
    cmdStartCal = new QPushButton(QStringLiteral("Start Calibration"));
    cmdStartCal->setObjectName(QStringLiteral("cmdStartCal"));

    initialPoint = frame("Frame1", QStringLiteral("Initial Point"),
                         {{"Gain", txtGainInit}, {"Phase", txtPhaseInit}});
    terminatingConditions = frame("Frame2", QStringLiteral("Terminating Conditions"),
                                  {{"Iterations", txtIter}, {"Suboptimal", txtSubopt}});
    bestPoint = frame("Frame3", QStringLiteral("BEST"),
                      {{"RSSI", txtRSSIbest},
                       {"Gain", txtGainbest},
                       {"Phase", txtPhasebest},
                       {"Attempts", txtAttempts}});
    currentPoint =
        frame("Frame4", QStringLiteral("Current Point"),
              {{"Gain", txtGaincur}, {"Phase", txtPhasecur}, {"Iterations", txtItercur}});

    // The RF set-up on the left, the search beside it.
    auto* rf = new QGridLayout;
    int row = 0;
    const auto add = [&](const char* caption, QWidget* control) {
        auto* l = new QLabel(QString::fromLatin1(caption));
        l->setBuddy(control);
        rf->addWidget(l, row, 0);
        rf->addWidget(control, row, 1);
        ++row;
    };
    add("Cal Source", cmbCalsrc);
    rf->addWidget(overrideDemodDivide, row++, 0, 1, 2);
    add("Demod Divider", demodDivider);
    add("Demod Clock", demodClock);
    add("RF Channel Frequency", rfChannelFrequency);
    add("Image Frequency", imageFrequency);
    add("Mode", cmbMode);
    add("Oversample", sclOversample);
    rf->addWidget(updateRf, row++, 0, 1, 2);
    rf->setRowStretch(row, 1);

    auto* search = new QGridLayout;
    search->addWidget(initialPoint, 0, 0);
    search->addWidget(bestPoint, 0, 1, 2, 1);
    search->addWidget(terminatingConditions, 1, 0);
    search->addWidget(currentPoint, 2, 0);
    search->addWidget(cmdStartCal, 2, 1, Qt::AlignBottom);

    auto* layout = new QHBoxLayout(this);
    layout->addLayout(rf);
    layout->addLayout(search, 1);

    connect(updateRf, &QPushButton::clicked, this, &frmIRcal::updateRf_Click);
    connect(cmdStartCal, &QPushButton::clicked, this, &frmIRcal::cmdStartCal_Click);
}

void frmIRcal::closeBox() {
    if (searching_)
        app_.w().IrCalStop = -1;
    unload();
}

void frmIRcal::refreshAndWrite(int n) {
    // The front panel shows each point as it goes to the chip.
    app_.UpdateAllRegisterLabels();
    app_.writeRegister(n);
}

std::optional<double> frmIRcal::calibrationClock() {
    auto& messages = app_.messages();
    double c = app_.w().DemodClockMHz;
    if (overrideDemodDivide->isChecked()) {
        if (demodDivider->currentIndex() < 0) {
            messages.message(QStringLiteral("Invalid entry. Choose a Demod Divider"),
                             platform::MsgIcon::Exclamation);
            return std::nullopt;
        }
        c = double(app_.w().CrystalFrequencyMHz) / (demodDivider->currentIndex() + 1);
    }
    if (!(c > 0) || !std::isfinite(c)) {
        messages.message(QStringLiteral("Invalid entry. Demod Clock must be above 0 MHz"),
                         platform::MsgIcon::Exclamation);
        return std::nullopt;
    }
    return c;
}

void frmIRcal::updateRf_Click() {
    auto& f = app_.f();
    auto& w = app_.w();
    if (cmbCalsrc->currentIndex() == 1) {
        app_.messages().message(
            QStringLiteral("Ensure external RF source is connected to Corvane Daughter board and "
                           "set to RF Channel Frequency - 200kHz"));
    } else {
        // No choice in the list is taken as the internal source, the list's first entry.
        const std::optional<double> c = calibrationClock();
        if (!c)
            return;
        const std::optional<int32_t> n = oddClockMultiple(w.RfFrequencyMHz / *c);
        if (!n) {
            app_.messages().message(
                QStringLiteral("Invalid entry. Demod Clock must be above 0 MHz"),
                platform::MsgIcon::Exclamation);
            return;
        }

        f.IRCalSourceField = 0;
        f.IRCalDriveField = InternalSourceDrive;
        f.IFFineCalField = 0;
        refreshAndWrite(6);

        // Manual AGC at the lowest gains, so the RSSI follows the image alone.
        f.LnaGainField = 0;
        f.AgcModeField = ManualAgc;
        f.FilterGainField = 0;
        f.AgcHighThresholdField = 0;
        f.AgcLowThresholdField = 0;
        refreshAndWrite(9);

        if (overrideDemodDivide->isChecked())
            demodClock->setText(platform::formatNumber(*c, u"0.0000"));
        // An odd multiple of the demodulator clock puts the calibration tone at the image.
        synthform& synth = app_.synthform();
        synth.txtVCOout1->setText(platform::formatNumber(*c * *n, u".000000"));
        synth.CmdCalculate_Click();
        synth.returnToPanel_Click(); // unloads the synthesizer window
    }
    rfChannelFrequency->setText(platform::formatNumber(w.RfFrequencyMHz, u"0.000000"));
    imageFrequency->setText(platform::formatNumber(w.RfFrequencyMHz - ImageOffsetMHz, u"0.000000") +
                            QStringLiteral(" MHz"));
    for (int n : {1, 3, 0, 4})
        refreshAndWrite(n);
}

void frmIRcal::setIrFields(int first, int second) {
    auto& f = app_.f();
    first = std::clamp(first, -FirstLimit, FirstLimit);
    second = std::clamp(second, -SecondLimit, SecondLimit);
    // The mode list is empty, so its index -1 sets bit 31 (index x 2^31).
    f.IRAdjustModeField = cmbMode->currentIndex() % 2 != 0 ? AdjustModeBit : 0;
    f.IRPhaseSignField = first < 0 ? bit(30) : 0;
    f.IRPhaseMagnitudeField = std::abs(first) * bit(25);
    f.IRGainSignField = second < 0 ? bit(24) : 0;
    f.IRGainMagnitudeField = std::abs(second) * bit(20);
}

void frmIRcal::writeRegister5() {
    // Each point goes to the chip before it is measured: the RSSI only means
    // something for the adjustment the chip actually holds.
    refreshAndWrite(5);
}

void frmIRcal::MeasureImageRssi() {
    auto& w = app_.w();
    app_.f().ReadbackEnableField = ReadbackEnabled;
    if (!app_.writeRegister(7)) {
        // Nothing was measured: a search on stale readings would find nothing real.
        w.IrCalStop = -1;
        return;
    }
    const calc::RssiReading r = calc::rssiLevel(w.ReadbackValue);
    w.ReadbackValue = r.ReadbackValue;
    // Compared at the 0.1 dB the level is shown with.
    w.ImageRssiDbm =
        platform::textToNumber(platform::formatNumber(r.levelDbm, u"#0.0")).value_or(r.levelDbm);
}

void frmIRcal::MeasureIrPoints(int first, int second) {
    auto& w = app_.w();
    const std::array<std::pair<int, int>, 3> points{
        {{first, second}, {first + 1, second}, {first, second + 1}}};
    const std::array<float*, 3> results{&w.IrRssiCentre, &w.IrRssiPhaseStep, &w.IrRssiGainStep};
    for (size_t i = 0; i < points.size(); ++i) {
        setIrFields(points[i].first, points[i].second);
        writeRegister5();
        MeasureImageRssi();
        *results[i] = platform::toSingle(w.ImageRssiDbm);
    }
}

std::optional<frmIRcal::SearchEntries> frmIRcal::searchEntries() {
    auto& m = app_.messages();
    constexpr int Low = std::numeric_limits<int16_t>::min();
    constexpr int High = std::numeric_limits<int16_t>::max();
    const auto first = entry(txtGainInit, "Gain", -FirstLimit, FirstLimit, m);
    if (!first)
        return std::nullopt;
    const auto second = entry(txtPhaseInit, "Phase", -SecondLimit, SecondLimit, m);
    if (!second)
        return std::nullopt;
    const auto iterations = entry(txtIter, "Iterations", Low, High, m);
    if (!iterations)
        return std::nullopt;
    const auto suboptimal = entry(txtSubopt, "Suboptimal", Low, High, m);
    if (!suboptimal)
        return std::nullopt;
    return SearchEntries{*first, *second, *iterations, *suboptimal};
}

void frmIRcal::cmdStartCal_Click() {
    if (searching_) {
        app_.w().IrCalStop = -1;
        return;
    }
    if (const std::optional<SearchEntries> entries = searchEntries())
        runSearch(*entries);
}

void frmIRcal::runSearch(const SearchEntries& e) {
    auto& w = app_.w();
    int g = e.first;
    int p = e.second;
    w.IrCalStop = 0;
    double best = 0.0;
    int iterations = 0;
    int suboptimal = 0;

    searching_ = true;
    cmdStartCal->setText(QStringLiteral("Stop"));
    updateRf->setEnabled(false); // retuning mid-search would spoil the measurements
    const QPointer<frmIRcal> self(this);

    while (w.IrCalStop == 0) {
        MeasureIrPoints(g, p);
        if (w.IrCalStop != 0)
            break; // nothing could be measured
        const double r0 = w.IrRssiCentre;
        const double dG = r0 - w.IrRssiPhaseStep;
        const double dP = r0 - w.IrRssiGainStep;
        const int movedG = dG + 2 >= dP ? (dG > 0 ? g + 1 : g - 1) : g;
        const int movedP = dP + 2 >= dG ? (dP > 0 ? p + 1 : p - 1) : p;
        g = std::clamp(movedG, -FirstLimit, FirstLimit);
        p = std::clamp(movedP, -SecondLimit, SecondLimit);

        if (r0 >= best) {
            ++suboptimal;
            if (suboptimal >= e.suboptimal) {
                setIrFields(g, p);
                writeRegister5();
                w.IrCalStop = -1;
            } else if (++iterations >= e.iterations) {
                w.IrCalStop = -1;
            }
        } else {
            best = r0;
            txtRSSIbest->setText(platform::numberText(best));
            txtGainbest->setText(platform::numberText(g));
            txtPhasebest->setText(platform::numberText(p));
            if (++iterations >= e.iterations)
                w.IrCalStop = -1;
        }
        txtGaincur->setText(platform::numberText(g));
        txtPhasecur->setText(platform::numberText(p));
        txtItercur->setText(platform::numberText(iterations));

        // Let the window repaint and its Stop button (or close box) be used.
        QCoreApplication::processEvents();
        if (!self)
            return; // the window went while its events ran
        if (isUnloaded())
            w.IrCalStop = -1;
    }

    searching_ = false;
    cmdStartCal->setText(QStringLiteral("Start Calibration"));
    updateRf->setEnabled(true);
}

} // namespace corvane
