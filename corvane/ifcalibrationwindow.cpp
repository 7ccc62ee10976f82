#include "corvane/ifcalibrationwindow.h"

#include "evalkit/fielddialog.h"
#include "platform/named.h"

#include "corvane/corvaneapp.h"
#include "corvane/frontpanel.h"
#include "evalkit/fieldref.h"
#include "evalkit/settingsfile.h"
#include "platform/core/numbers.h"
#include "platform/entrymark.h"

#include <QFont>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

#include <cmath>

namespace corvane {

namespace {

using platform::named;

// Where the calibration fields sit in registers 5 and 6, and how wide they are.
constexpr int DwellShift = 21, DwellBits = 7;
constexpr int UpperToneShift = 13, UpperToneBits = 8;
constexpr int LowerToneShift = 5, LowerToneBits = 8;
constexpr int AdjustShift = 14;
constexpr int16_t CalibrateNow = 16; // the coarse (R5) and fine (R6) calibration bits
// The chip's fine calibration cannot count a lower tone divide above this.
constexpr double FineCalLowerToneLimit = 127;
constexpr int32_t AutoDwell = 40;
// Scroll positions 0..31 adjust downwards (31 = none), 32..63 upwards (32 = none).
constexpr int AdjustCentre = 31;
constexpr int AdjustMaximum = 63;
// Bandwidth index 1, which the workaround calibrates at.
constexpr double WorkaroundBandwidth = 1073741824.0;
constexpr int WorkaroundWait = 10000;

constexpr double pow2(int n) {
    return double(int64_t{1} << n);
}

// A text-box entry as a whole number (half to even, as the entries are always read), or
// nullopt when it is not a number or not an int32.
std::optional<int32_t> entryValue(const QString& text) {
    const auto v = platform::textToNumber(text);
    if (!v)
        return std::nullopt;
    return platform::toInt32(*v);
}

bool fitsBits(int32_t v, int bits) {
    return v >= 0 && v < (int32_t{1} << bits);
}

// The change handlers act on one to three characters only.
bool shortEntry(const QString& text) {
    return !text.isEmpty() && text.size() < 4;
}

float crystalKHz(float crystalMHz) {
    return platform::toSingle(double(crystalMHz) * 1000.0);
}

} // namespace

frmIFCal::frmIFCal(CorvaneApp& app, const IFCalFeatures& features)
    : app_(app), features_(features) {
    setObjectName(QLatin1String(DesignName));
    loadAgainWhenShown();
    setWindowTitle(QStringLiteral("IF Filter Calibration"));

    const QString fineCalTip = QStringLiteral(
        "Does Coarse cal followed by Fine Cal by programming Register 6 followed by Register 5. "
        "Fine Cal is recommended if using 18.75kHz or 12.5kHz IF Filter B/Ws");
    fineCalibrate = named(new QPushButton(QStringLiteral("Do Fine Cal")), "Command1");
    fineCalibrate->setToolTip(fineCalTip);
    coarseCalibrate = named(new QPushButton(QStringLiteral("Do Coarse Cal")), "Command3");
    coarseCalibrate->setToolTip(QStringLiteral("Just does Coarse Cal"));
    fineCalWorkaround = nullptr;
    if (features_.workaround) {
        fineCalWorkaround =
            named(new QPushButton(QStringLiteral("Do Workaround for Fine Cal")), "Command6");
        fineCalWorkaround->setToolTip(fineCalTip);
    }

    outerFrame = named(new QGroupBox(features_.outerCaption), "Frame1");
    outerFrame->setToolTip(QStringLiteral(
        "Auto calculate dwell time, upper and lower tones based on datasheet recommendations"));
    fineFrame = named(new QGroupBox(features_.fineFrameCaption), "Frame2");
    coarseFrame = nullptr;
    coarseNote = fineNote = nullptr;
    if (features_.framePerCalibration) {
        coarseFrame = named(new QGroupBox(features_.coarseFrameCaption), "Frame4");
        coarseNote = named(new QLabel(QStringLiteral("Writes to Register 5")), "Label1");
        fineNote =
            named(new QLabel(QStringLiteral("Writes to Register 6 then Register 5")), "Label2");
    }
    auto entry = [](const char* name) {
        auto* e = named(new QLineEdit, name);
        e->setMaximumWidth(60);
        return e;
    };
    dwellTime = entry("Text1");
    upperTone = entry("Text2");
    lowerTone = entry("Text3");
    upperToneFrequency = named(new QLabel, "Label13");
    lowerToneFrequency = named(new QLabel, "Label14");
    toneCalTime = named(new QLabel, "Label8");
    totalFineCalTime = named(new QLabel, "Label10");
    autoCalculate = nullptr;
    if (features_.autoCalculate) {
        autoCalculate = named(new QPushButton(QStringLiteral("Auto Calculate")), "Command4");
        autoCalculate->setToolTip(QStringLiteral(
            "Auto Calculates dwell time, upper and lower tones to datasheet recommendations"));
    }

    manualAdjust = new QGroupBox(QStringLiteral("Manual Filter Adjust"));
    scrollIFadjust = named(new QScrollBar(Qt::Horizontal), "scrollIFadjust");
    scrollIFadjust->setRange(0, AdjustMaximum);
    scrollIFadjust->setSingleStep(1);
    scrollIFadjust->setPageStep(4);
    scrollIFadjust->setMinimumWidth(240);
    adjustValue = named(new QLabel(QStringLiteral("= ")), "Label18");
    updateRegister5 = named(new QPushButton(QStringLiteral("Update Register 5")), "Command5");
    registerOrderNote = nullptr;
    if (features_.registerOrderNote) {
        registerOrderNote =
            named(new QLabel(QStringLiteral("Note: Write to register 6 first then "
                                            "register 5 to perform a fine IF filter "
                                            "calibration")),
                  "Label17");
        registerOrderNote->setWordWrap(true);
    }
    returnToPanel = named(new QPushButton(QStringLiteral("Return to Front Panel")), "Command2");

    buildLayout();

    // The boxes refuse without a message of their own; Return in one commits it and presses
    // no calibration button.
    app_.entries().watch(dwellTime, {QStringLiteral("dwell time")}, [this] { dwellTime_Change(); });
    app_.entries().watch(upperTone, {QStringLiteral("upper tone divide")},
                         [this] { upperTone_Change(); });
    app_.entries().watch(lowerTone, {QStringLiteral("lower tone divide")},
                         [this] { lowerTone_Change(); });
    connect(scrollIFadjust, &QScrollBar::valueChanged, this, &frmIFCal::scrollIFadjust_Change);
    connect(fineCalibrate, &QPushButton::clicked, this, &frmIFCal::fineCalibrate_Click);
    connect(returnToPanel, &QPushButton::clicked, this, &frmIFCal::returnToPanel_Click);
    connect(coarseCalibrate, &QPushButton::clicked, this, &frmIFCal::coarseCalibrate_Click);
    if (autoCalculate)
        connect(autoCalculate, &QPushButton::clicked, this, &frmIFCal::autoCalculate_Click);
    connect(updateRegister5, &QPushButton::clicked, this, &frmIFCal::updateRegister5_Click);
    if (fineCalWorkaround)
        connect(fineCalWorkaround, &QPushButton::clicked, this, &frmIFCal::fineCalWorkaround_Click);
}

namespace {

QLabel* note(QLabel* l) {
    QFont font = l->font();
    font.setItalic(true);
    l->setFont(font);
    return l;
}

QLabel* note(const QString& text) {
    return note(new QLabel(text));
}

QLabel* caption(const QString& text, QLineEdit* buddy = nullptr) {
    auto* l = new QLabel(text);
    if (buddy)
        l->setBuddy(buddy);
    return l;
}

} // namespace

// The calibration part in outerFrame: either the buttons together above the fine-calibration
// settings, each with what it writes, or each button in its own calibration's frame. Below it
// the manual adjust, the note and the return button.
void frmIFCal::buildLayout() {
    auto* fine = new QGridLayout(fineFrame);
    const QString kHz = QStringLiteral("kHz");
    const QString ms = QStringLiteral("ms");
    fine->addWidget(caption(QStringLiteral("IF Cal Dwell Time"), dwellTime), 0, 0);
    fine->addWidget(dwellTime, 0, 1);
    fine->addWidget(caption(QStringLiteral("Fine Cal Upper Tone"), upperTone), 1, 0);
    fine->addWidget(upperTone, 1, 1);
    fine->addWidget(upperToneFrequency, 1, 2);
    fine->addWidget(caption(kHz), 1, 3);
    fine->addWidget(caption(QStringLiteral("Fine Cal Lower Tone"), lowerTone), 2, 0);
    fine->addWidget(lowerTone, 2, 1);
    fine->addWidget(lowerToneFrequency, 2, 2);
    fine->addWidget(caption(kHz), 2, 3);
    fine->addWidget(caption(QStringLiteral("IF Tone Cal Time")), 3, 0);
    fine->addWidget(toneCalTime, 3, 2);
    fine->addWidget(caption(ms), 3, 3);
    fine->addWidget(caption(QStringLiteral("Total Fine Cal Time")), 4, 0);
    fine->addWidget(totalFineCalTime, 4, 2);
    fine->addWidget(caption(ms), 4, 3);
    int row = 5;
    if (autoCalculate)
        fine->addWidget(autoCalculate, row++, 0, 1, 5);
    fine->setColumnMinimumWidth(2, 60);
    fine->setColumnStretch(4, 1);

    auto* calibration = new QVBoxLayout(outerFrame);
    if (features_.framePerCalibration) {
        auto* coarse = new QHBoxLayout(coarseFrame);
        coarse->addWidget(coarseCalibrate);
        coarse->addWidget(note(coarseNote));
        coarse->addStretch();
        auto* fineButton = new QHBoxLayout;
        fineButton->addWidget(fineCalibrate);
        fineButton->addWidget(note(fineNote));
        fineButton->addStretch();
        fine->addLayout(fineButton, row, 0, 1, 5);
        calibration->addWidget(coarseFrame);
    } else {
        auto* buttons = new QGridLayout;
        buttons->addWidget(fineCalibrate, 0, 0);
        buttons->addWidget(note(QStringLiteral("Writes to Register 6 then Register 5")), 0, 1);
        buttons->addWidget(coarseCalibrate, 1, 0);
        buttons->addWidget(note(QStringLiteral("Writes to Register 5")), 1, 1);
        if (fineCalWorkaround) {
            buttons->addWidget(fineCalWorkaround, 2, 0);
            auto* workaroundNotes = new QVBoxLayout;
            workaroundNotes->addWidget(
                note(QStringLiteral("Writes to Register 6 then Register 5")));
            workaroundNotes->addWidget(note(QStringLiteral("Refer to Corvane anomaly sheet")));
            buttons->addLayout(workaroundNotes, 2, 1);
        }
        calibration->addLayout(buttons);
    }
    calibration->addWidget(fineFrame);

    auto* adjust = new QGridLayout(manualAdjust);
    adjust->addWidget(new QLabel(QStringLiteral("-9.3kHz")), 0, 0);
    adjust->addWidget(scrollIFadjust, 0, 1);
    adjust->addWidget(new QLabel(QStringLiteral("+9.3kHz")), 0, 2);
    adjust->addWidget(adjustValue, 1, 1, Qt::AlignHCenter);
    adjust->addWidget(updateRegister5, 2, 0, 1, 3);

    auto* foot = evalkit::dialog::footer({returnToPanel});

    auto* top = new QVBoxLayout(this);
    top->addWidget(outerFrame);
    top->addWidget(manualAdjust);
    if (registerOrderNote)
        top->addWidget(registerOrderNote);
    top->addLayout(foot);
}

// ---- shown quantities --------------------------------------------------------

void frmIFCal::showToneTime() {
    // The dwell as the box holds it; an entry that is not a number leaves the times shown.
    const auto text = platform::textToNumber(dwellTime->text());
    const auto dwell = text ? platform::toInt16(*text) : std::nullopt;
    if (!dwell)
        return;
    const auto& f = app_.f();
    const double seqDivider = f.SeqClockDividerField / pow2(18);
    const double toneMs =
        platform::roundDecimals(seqDivider * *dwell / crystalKHz(app_.w().CrystalFrequencyMHz), 3);
    if (!std::isfinite(toneMs)) {
        toneCalTime->clear();
        totalFineCalTime->clear();
        return;
    }
    toneCalTime->setText(platform::numberText(toneMs));
    totalFineCalTime->setText(platform::numberText(toneMs * 10));
}

namespace {
// Round(crystal kHz / (2 x divide), 1); nothing to show for a divide of 0.
QString toneText(float crystalMHz, double divide) {
    const double tone = platform::roundDecimals(crystalKHz(crystalMHz) / (2 * divide), 1);
    return std::isfinite(tone) ? platform::numberText(tone) : QString();
}
} // namespace

void frmIFCal::showUpperTone(double divide) {
    upperToneFrequency->setText(toneText(app_.w().CrystalFrequencyMHz, divide));
}

void frmIFCal::showLowerTone(double divide) {
    lowerToneFrequency->setText(toneText(app_.w().CrystalFrequencyMHz, divide));
}

void frmIFCal::setCalibrationCaption(const QString& caption) {
    app_.main().ifCalStatus->setText(caption);
}

// ---- load and change handlers -----------------------------------------------

void frmIFCal::Form_Load() {
    const auto& f = app_.f();
    dwellTime->setText(platform::numberText(f.IFCalDwellTimeField / pow2(DwellShift)));
    showToneTime();
    const double upper = f.IFCalUpperToneField / pow2(UpperToneShift);
    upperTone->setText(platform::numberText(upper));
    showUpperTone(upper);
    const double lower = f.IFCalLowerToneField / pow2(LowerToneShift);
    lowerTone->setText(platform::numberText(lower));
    showLowerTone(lower);

    // The adjust field holds sign (bit 19) and magnitude; the scroll bar runs from the most
    // negative adjust on the left to the most positive on the right.
    const auto a = platform::toInt32(f.IFFilterAdjustField / pow2(AdjustShift));
    if (a) {
        const int position = *a >= 32 ? *a : AdjustCentre - *a;
        if (position >= 0 && position <= AdjustMaximum)
            scrollIFadjust->setValue(position);
    }
}

// The three entry boxes take short numbers that fit their field, whole after rounding (a tone
// divide from 1 up: a tone of the crystal divided by 0 is none); anything else is not taken,
// the field keeps its value and the box says what it takes.
std::optional<int32_t> frmIFCal::fieldEntry(QLineEdit* box, int bits, int32_t lowest,
                                            const QString& name) const {
    std::optional<int32_t> value = shortEntry(box->text()) ? entryValue(box->text()) : std::nullopt;
    if (value && (!fitsBits(*value, bits) || *value < lowest))
        value.reset();
    app_.entries().show(box,
                        value ? std::nullopt
                              : std::optional<QString>(
                                    name + QStringLiteral(": a number from %1 to %2 of at most 3 "
                                                          "characters")
                                               .arg(lowest)
                                               .arg((1 << bits) - 1)));
    return value;
}

void frmIFCal::dwellTime_Change() {
    const auto dwell = fieldEntry(dwellTime, DwellBits, 0, QStringLiteral("IF Cal Dwell Time"));
    if (!dwell)
        return;
    showToneTime();
    app_.f().IFCalDwellTimeField = *dwell << DwellShift;
    app_.UpdateAllRegisterLabels();
}

void frmIFCal::upperTone_Change() {
    const auto divide =
        fieldEntry(upperTone, UpperToneBits, 1, QStringLiteral("Fine Cal Upper Tone"));
    if (!divide)
        return;
    showUpperTone(*divide);
    app_.f().IFCalUpperToneField = *divide << UpperToneShift;
    app_.UpdateAllRegisterLabels();
}

void frmIFCal::lowerTone_Change() {
    const auto divide =
        fieldEntry(lowerTone, LowerToneBits, 1, QStringLiteral("Fine Cal Lower Tone"));
    if (!divide)
        return;
    showLowerTone(*divide);
    app_.f().IFCalLowerToneField = *divide << LowerToneShift;
    app_.UpdateAllRegisterLabels();
}

void frmIFCal::scrollIFadjust_Change() {
    const int p = scrollIFadjust->value();
    // 0.3 kHz per step; counted in tenths so the text shows -9.3, not a binary neighbour.
    int32_t field = 0;
    double adjust = 0;
    if (p >= 32) {
        field = p << AdjustShift; // bit 19 set, magnitude p - 32
        adjust = (p - 32) * 3 / 10.0;
    } else {
        field = (AdjustCentre - p) << AdjustShift;
        adjust = (p - AdjustCentre) * 3 / 10.0;
    }
    app_.f().IFFilterAdjustField = field;
    adjustValue->setText(QStringLiteral("= ") + platform::strText(adjust) + QStringLiteral(" kHz"));
    app_.UpdateAllRegisterLabels();
}

// ---- buttons -------------------------------------------------------------------

void frmIFCal::fineCalibrate_Click() {
    auto& f = app_.f();
    auto& messages = app_.messages();
    if (features_.refusesHighLowerTone &&
        f.IFCalLowerToneField / pow2(LowerToneShift) > FineCalLowerToneLimit) {
        messages.message(FineCalRefusedText);
        return;
    }
    // Every entry is checked so the user sees all that is wrong; a value its field cannot
    // hold is never stored, and the chip is not asked to calibrate with it.
    const auto dwell = entryValue(dwellTime->text());
    const auto upper = entryValue(upperTone->text());
    const auto lower = entryValue(lowerTone->text());
    bool fits = true;
    if (!dwell || !fitsBits(*dwell, DwellBits)) {
        messages.message(DwellLimitsText);
        fits = false;
    }
    // A tone divide of 0 gives no tone to calibrate with.
    if (!upper || !fitsBits(*upper, UpperToneBits) || *upper == 0) {
        messages.message(UpperToneLimitsText);
        fits = false;
    }
    if (!lower || !fitsBits(*lower, LowerToneBits) || *lower == 0) {
        messages.message(LowerToneLimitsText);
        fits = false;
    }
    if (!fits)
        return;
    f.IFCalUpperToneField = *upper << UpperToneShift;
    f.IFCalLowerToneField = *lower << LowerToneShift;
    f.IFCalDwellTimeField = *dwell << DwellShift;
    f.IFFineCalField = CalibrateNow;
    f.IFCoarseCalField = CalibrateNow;
    // R6 carries the fine-calibration set-up; writing R5 afterwards starts the calibration.
    // The status button names the last calibration done: one whose words did not reach the
    // chip was not done (and R5 does not start one on a set-up the chip does not have).
    app_.UpdateAllRegisterLabels();
    if (app_.writeRegister(6) && app_.writeRegister(5))
        setCalibrationCaption(FineCalCaption);
}

void frmIFCal::returnToPanel_Click() {
    unload();
}

void frmIFCal::coarseCalibrate_Click() {
    auto& f = app_.f();
    bool done = true;
    if (f.IFFineCalField == CalibrateNow) {
        // Otherwise the coarse calibration's R5 write would finish a fine calibration too.
        f.IFFineCalField = 0;
        app_.UpdateAllRegisterLabels();
        done = app_.writeRegister(6);
    }
    scrollIFadjust->setValue(AdjustCentre);
    f.IFFilterAdjustField = 0;
    f.IFCoarseCalField = CalibrateNow;
    app_.UpdateAllRegisterLabels();
    if (app_.writeRegister(5) && done)
        setCalibrationCaption(CoarseCalCaption);
}

void frmIFCal::autoCalculate_Click() {
    auto& f = app_.f();
    const float kHz = crystalKHz(app_.w().CrystalFrequencyMHz);
    // The recommended tones are about 131.5 kHz and 65.8 kHz; a crystal far outside the
    // chip's range could give divides the fields cannot hold, and those are not taken.
    const auto upper = platform::toInt32(kHz / 263.0);
    const auto lower = platform::toInt32(kHz / 131.6);
    const bool upperFits = upper && fitsBits(*upper, UpperToneBits);
    const bool lowerFits = lower && fitsBits(*lower, LowerToneBits);
    if (upperFits)
        f.IFCalUpperToneField = *upper << UpperToneShift;
    if (lowerFits)
        f.IFCalLowerToneField = *lower << LowerToneShift;
    f.IFCalDwellTimeField = AutoDwell << DwellShift;

    dwellTime->setText(platform::numberText(AutoDwell));
    showToneTime();
    if (upperFits) {
        upperTone->setText(platform::numberText(*upper));
        showUpperTone(*upper);
    }
    if (lowerFits) {
        lowerTone->setText(platform::numberText(*lower));
        showLowerTone(*lower);
    }
    app_.UpdateAllRegisterLabels();
}

void frmIFCal::updateRegister5_Click() {
    app_.f().IFCoarseCalField = 0;
    app_.UpdateAllRegisterLabels();
    if (app_.writeRegister(5))
        setCalibrationCaption(ManualAdjustCaption);
}

void frmIFCal::fineCalWorkaround_Click() {
    auto& f = app_.f();
    auto& w = app_.w();
    // Two raw words prepare the chip (the first addresses R15, the second R9); R9 and R15
    // are written from the store afterwards, which undoes them. Every step is sent, so the
    // chip is put back whatever went wrong, but the workaround counts as done only when
    // every word went out.
    bool allOut = app_.writeRawWord(0xCB00000Fu);

    const double keptBandwidth = f.IFFilterBandwidthField;
    f.IFFilterBandwidthField = WorkaroundBandwidth;
    app_.UpdateAllRegisterLabels();
    allOut = app_.writeRegister(4) && allOut;

    allOut = app_.writeRawWord(0x00040009u) && allOut;

    const auto upper = platform::toInt32(double(w.CrystalFrequencyMHz) / 0.2294);
    const auto lower = platform::toInt32(double(w.CrystalFrequencyMHz) / 0.168);
    const bool upperFits = upper && fitsBits(*upper, UpperToneBits);
    const bool lowerFits = lower && fitsBits(*lower, LowerToneBits);
    if (upperFits)
        f.IFCalUpperToneField = *upper << UpperToneShift;
    if (lowerFits)
        f.IFCalLowerToneField = *lower << LowerToneShift;
    f.IFFineCalField = CalibrateNow;
    f.IFCoarseCalField = CalibrateNow;
    showToneTime();

    app_.UpdateAllRegisterLabels();
    allOut = app_.writeRegister(6) && allOut;
    allOut = app_.writeRegister(5) && allOut;
    // Give the calibration time to finish before R9 and R15 are put back.
    reglink::RegisterLink::DelayLoop(WorkaroundWait);
    allOut = app_.writeRegister(9) && allOut;
    allOut = app_.writeRegister(15) && allOut;

    if (allOut) {
        QPushButton* status = app_.main().ifCalStatus;
        QFont font = status->font();
        font.setPointSize(7); // the longer caption has to fit the status button
        status->setFont(font);
        setCalibrationCaption(FineCalWorkaroundCaption);
    }

    if (upperFits) {
        upperTone->setText(platform::numberText(*upper));
        showUpperTone(*upper);
    }
    if (lowerFits) {
        lowerTone->setText(platform::numberText(*lower));
        showLowerTone(*lower);
    }

    f.IFFilterBandwidthField = keptBandwidth;
    app_.UpdateAllRegisterLabels();
    const bool r4Written = app_.writeRegister(4);

    // Done: later writes of R5 and R6 must not start another calibration.
    f.IFFineCalField = 0;
    f.IFCoarseCalField = 0;
    app_.UpdateAllRegisterLabels();
    // R4 holds the bandwidth the chip was given back, unless that word went nowhere.
    if (r4Written)
        app_.main().lblDEMODhex->setMark(reglink::RegisterReadout::Mark::Normal);
}

void frmIFCal::applySettings(const calc::IfFilterPlan& p) {
    evalkit::setNumber(dwellTime, p.dwell, [this] { dwellTime_Change(); });
    evalkit::setNumber(upperTone, p.upper, [this] { upperTone_Change(); });
    evalkit::setNumber(lowerTone, p.lower, [this] { lowerTone_Change(); });
}

calc::IfFilterRecord frmIFCal::settingsInForce() const {
    const auto inForce = [this](const QLineEdit* box, const char* field) {
        const std::optional<int> code = evalkit::FieldRef(app_.store(), field).code();
        return code ? evalkit::numberInForce(box, *code) : platform::textInForce(box);
    };
    return {inForce(dwellTime, "IFCalDwellTimeField"), inForce(upperTone, "IFCalUpperToneField"),
            inForce(lowerTone, "IFCalLowerToneField")};
}

} // namespace corvane
