// The front panel's settings: every list, switch, scroll bar and box that sets register
// fields, and the deviation and data-rate plans behind the two boxes.
#include "corvane/frontpanel.h"

#include "corvane/calc/datarate.h"
#include "corvane/calc/deviation.h"
#include "corvane/calc/followups.h"
#include "corvane/corvaneapp.h"
#include "corvane/windows.h"
#include "evalkit/frontpanelwindow.h"
#include "platform/core/numbers.h"
#include "platform/entrymark.h"
#include "platform/fitwindow.h"
#include "platform/named.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QScrollBar>

namespace corvane {

namespace {

using platform::bit;

} // namespace

// ---- front-panel settings ---------------------------------------------------

void Main::cmbModulation_Click() {
    struct Row {
        const char16_t* frame;
        int demodItem;
        const char16_t* rateCaption;
        const char16_t* rateUnit;
        const char16_t* deviationCaption;
        bool alpha;
        bool threeFsk;
    };
    static const Row rows[8] = {
        {u"2FSK", 1, u"Data Rate", u"kbps", u"Desired Deviation", false, false},
        {u"Gaussian 2FSK", 1, u"Data Rate", u"kbps", u"Desired Deviation", false, false},
        {u"3FSK", 2, u"Symbol Rate", u"kbps", u"Desired Deviation", false, true},
        {u"4FSK", 3, u"Symbol Rate", u"ksym/s", u"Desired Deviation (inner)", false, false},
        {u"Oversampled 2FSK", 1, u"Data Rate", u"kbps", u"Desired Deviation", false, false},
        {u"Raised Cosine 2FSK", 1, u"Data Rate", u"kbps", u"Desired Deviation", true, false},
        {u"Raised Cosine 3FSK", 2, u"Data Rate", u"kbps", u"Desired Deviation", true, true},
        {u"Raised Cosine 4FSK", 3, u"Symbol Rate", u"ksym/s", u"Desired Deviation (inner)", true,
         false},
    };
    const int i = cmbModulation->currentIndex();
    if (i < 0 || i > 7) {
        app_.UpdateAllRegisterLabels();
        return;
    }
    const Row& row = rows[i];
    app_.f().ModulationSchemeField = static_cast<int16_t>(i * 16);
    FrFSK->setTitle(QString::fromUtf16(row.frame));
    app_.f().DemodTypeField = static_cast<int16_t>(row.demodItem * 16);
    cmbDemod->setCurrentIndex(row.demodItem);
    dataRateCaption->setText(QString::fromUtf16(row.rateCaption));
    dataRateUnit->setText(QString::fromUtf16(row.rateUnit));
    deviationCaption->setText(QString::fromUtf16(row.deviationCaption));
    gaussianAlpha->setEnabled(row.alpha);
    if (cmb3FSKDetect->isHidden() == row.threeFsk) {
        for (QWidget* w : {static_cast<QWidget*>(cmb3FSKDetect), static_cast<QWidget*>(cmbVPathMem),
                           static_cast<QWidget*>(threeFskDetectCaption),
                           static_cast<QWidget*>(viterbiPathMemoryCaption)})
            w->setVisible(row.threeFsk);
        platform::fitToContents(*this);
    }
    txtDatarate_Change();
    app_.UpdateAllRegisterLabels();
}

void Main::cmbDemod_Click() {
    auto& f = app_.f();
    const int i = cmbDemod->currentIndex();
    if (i >= 0 && i <= 3) {
        f.DemodTypeField = static_cast<int16_t>(i * 16);
        if (i != 1)
            f.KParityBit9Field = 0;
        if (i == 1)
            txtDatarate_Change();
    }
    app_.UpdateAllRegisterLabels();
    txtDatarate_Change();
}

void Main::cmbIcp_Click() {
    const int i = cmbIcp->currentIndex();
    if (i >= 0 && i <= 3)
        app_.f().ChargePumpField = i * bit(15);
    app_.UpdateAllRegisterLabels();
}

void Main::cmbIFBW_Click() {
    const int i = cmbIFBW->currentIndex();
    if (i >= 0 && i <= 2)
        app_.f().IFFilterBandwidthField = i * 1073741824.0;
    // The narrow-band chip's fine calibration needs tones that suit the bandwidth.
    if (app_.variant().bandwidthSetsTones)
        applyCalibrationTones();
    app_.UpdateAllRegisterLabels();
}

void Main::applyCalibrationTones() {
    auto& f = app_.f();
    const std::optional<calc::ToneDivisors> divisors =
        app_.variant().tones.divisorsFor(f.IFFilterBandwidthField);
    if (!divisors)
        return; // a bandwidth the table does not know: the tones stay
    const calc::CalibrationTones tones =
        calc::calibrationTones(app_.w().CrystalFrequencyMHz, *divisors);
    platform::assignIfSet(f.IFCalUpperToneField, tones.IFCalUpperToneField);
    platform::assignIfSet(f.IFCalLowerToneField, tones.IFCalLowerToneField);
}

void Main::cmb3FSKDetect_Click() {
    app_.f().ThreeFskDetectorField = cmb3FSKDetect->currentIndex() == 0 ? int16_t(bit(11)) : 0;
    app_.UpdateAllRegisterLabels();
}

void Main::cmbVPathMem_Click() {
    const int i = cmbVPathMem->currentIndex();
    if (i >= 0 && i <= 3)
        app_.f().ViterbiPathMemoryField = static_cast<int16_t>(i * bit(11));
    app_.UpdateAllRegisterLabels();
}

void Main::gaussianAlpha_Click() {
    const int i = gaussianAlpha->currentIndex();
    if (i == 0 || i == 1)
        app_.f().RcAlphaField = i == 0 ? 0 : bit(30);
    app_.UpdateAllRegisterLabels();
}

void Main::cmbTestdata_Click() {
    const int i = cmbTestdata->currentIndex();
    if (i >= 0 && i <= 6)
        app_.f().TestDataPatternField = i * bit(8);
    app_.writeRegister(15);
}

void Main::cmbVCO_Click() {
    auto& f = app_.f();
    const int i = cmbVCO->currentIndex();
    if (i == 0) {
        f.ExtInductorField = 0;
        f.VcoBiasField = 10 * bit(19);
        app_.synthform().lblVCOdiv2->setEnabled(false);
    } else if (i == 1) {
        f.ExtInductorField = bit(25);
        f.VcoBiasField = 3 * bit(19);
        app_.synthform().lblVCOdiv2->setEnabled(true);
    }
    // A bias window that is open, or loaded unseen, shows the VCO bias the inductor now sets.
    if (app_.isLoaded<evalkit::BiasWindow>())
        app_.biasWindow().Form_Load();
    app_.UpdateAllRegisterLabels();
}

void Main::paLevel_Change() {
    const int v = paLevel->value();
    if (v >= 0 && v <= 63) {
        app_.f().PaLevelField = v * bit(13);
        LblFSKpower->setText(QStringLiteral("Setting ") + platform::strText(v));
    }
    app_.UpdateAllRegisterLabels();
}

void Main::TogCrystal_Change() {
    app_.f().XtalOscEnableField = TogCrystal->isOn() ? bit(12) : 0;
    app_.UpdateAllRegisterLabels();
}

void Main::synthEnable_Change() {
    app_.f().SynthEnableField = synthEnable->isOn() ? 16.0 : 0.0;
    app_.writeRegister(8);
}

void Main::vcoEnable_Change() {
    app_.f().VcoEnableField = vcoEnable->isOn() ? 131072.0 : 0.0;
    app_.UpdateAllRegisterLabels();
}

void Main::paEnable_Change() {
    app_.f().PaEnableField = paEnable->isOn() ? int16_t(bit(7)) : int16_t(0);
    app_.UpdateAllRegisterLabels();
}

void Main::TxtFSKdev_Change() {
    auto& f = app_.f();
    auto& w = app_.w();
    const calc::DeviationResult r =
        calc::planDeviation({TxtFSKdev->text(), w.PfdFrequencyMHz, f.VcoDiv2Field});
    // The deviation and the receiver clocks that follow it are one plan: a deviation whose
    // discriminator or thresholds the receiver cannot hold is refused, the box saying why.
    if (r.TxDeviationField) {
        if (const auto refusal = calc::dataRateRefusalAfter(r, dataRateInputs())) {
            platform::showRefusal(TxtFSKdev, true, refusal->text);
            app_.UpdateAllRegisterLabels();
            return;
        }
    }
    app_.show(r.messages);
    // A refused entry leaves the deviation in force: the box says so until it is taken.
    platform::showRefusal(TxtFSKdev, r.refusal.has_value(), r.refusal.value_or(QString()));
    if (r.TxDeviationField) {
        w.DeviationStepHz = *r.DeviationStepHz;
        w.ActualDeviationKHz = *r.ActualDeviationKHz;
        f.TxDeviationField = *r.TxDeviationField;
        Lblfskdev->setText(*r.actualDeviationText);
    }
    if (r.runDataRatePlan)
        txtDatarate_Change();
    app_.UpdateAllRegisterLabels();
}

calc::DataRateInputs Main::dataRateInputs() const {
    const auto& f = app_.f();
    const auto& w = app_.w();
    const QString text = txtDatarate->text();
    // A rate pushed from code stands for as long as the box shows its text.
    return {text,
            TxtFSKdev->text(),
            w.CrystalFrequencyMHz,
            w.ActualDeviationKHz,
            f.DemodTypeField,
            cmb3FSKDetect->currentIndex(),
            cmbVPathMem->currentIndex(),
            pushedRate_.rateFor(text)};
}

void Main::setDataRateFromCode(const QString& text, double rate) {
    pushedRate_.push(txtDatarate, text, rate, [this] { txtDatarate_Change(); });
}

calc::DataRatePlan Main::planDataRate() const {
    return calc::planDataRate(dataRateInputs());
}

void Main::applyClockDividers(const calc::DataRatePlan& p) {
    auto& f = app_.f();
    auto& w = app_.w();
    f.IFFilterDividerField = p.IFFilterDividerField;
    f.BbOffsetDividerField = p.BbOffsetDividerField;
    f.DemodClockDividerField = p.DemodClockDividerField;
    f.CdrClockDividerField = p.CdrClockDividerField;
    f.SeqClockDividerField = p.SeqClockDividerField;
    w.DemodClockMHz = p.DemodClockMHz;
    w.CdrClockKHz = p.CdrClockKHz;
}

void Main::txtDatarate_Change() {
    auto& f = app_.f();
    auto& w = app_.w();
    const calc::DataRatePlan p = planDataRate();
    // A rate that is not planned changes nothing and gets no message; the box says why, and
    // a save writes the rate in force.
    platform::showRefusal(txtDatarate, !p.ran, p.refusal.value_or(QString()));
    if (!p.ran)
        return;
    app_.show(p.messages);
    applyClockDividers(p);
    f.PostDemodBwField = p.PostDemodBwField;
    lblRxCLK->setText(p.lblRxCLK);
    lblDemodBW->setText(p.lblDemodBW);
    const auto apply = [](auto& field, const auto& value) {
        platform::assignIfSet(field, value);
    };
    apply(f.DiscrimBwField, p.DiscrimBwField);
    apply(f.KParityBit7Field, p.KParityBit7Field);
    apply(f.KParityBit9Field, p.KParityBit9Field);
    apply(w.DiscrimK, p.DiscrimK);
    apply(w.DiscrimMultiplier, p.DiscrimMultiplier);
    apply(f.ThresholdWordField, p.ThresholdWordField);
    apply(f.ThreeFskDetectorField, p.ThreeFskDetectorField);
    apply(f.ViterbiPathMemoryField, p.ViterbiPathMemoryField);
    apply(f.ThreeFskEnableField, p.ThreeFskEnableField);
    apply(f.ThreeFskThresholdField, p.ThreeFskThresholdField);
    apply(f.ThreeFskBits22To25Field, p.ThreeFskBits22To25Field);
    app_.UpdateAllRegisterLabels();
}

} // namespace corvane
