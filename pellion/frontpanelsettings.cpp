// The front panel's settings: every list, switch, scroll bar and box that sets register fields,
// and the deviation and data-rate plans behind the two boxes.
#include "pellion/frontpanel.h"

#include "evalkit/frontpanelwindow.h"
#include "pellion/calc/datarate.h"
#include "pellion/calc/deviation.h"
#include "pellion/pellionapp.h"
#include "pellion/windows.h"
#include "platform/core/numbers.h"
#include "platform/entrymark.h"
#include "platform/fitwindow.h"
#include "platform/named.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QScrollBar>
#include <QSignalBlocker>

#include <algorithm>

namespace pellion {

namespace {

using platform::bit;

// What a modulation does to a control: show or enable it, hide or disable it, or leave it.
enum class Set { On, Off, Keep };

void apply(Set s, QWidget* w, void (QWidget::*setter)(bool)) {
    if (s != Set::Keep)
        (w->*setter)(s == Set::On);
}

struct ModulationRow {
    int16_t scheme; // ModulationSchemeField
    const char16_t* frame;
    bool fskPower, askPower;
    const char16_t* askCaption; // nullptr: FrASK keeps its caption
    Set deviationEnabled, deviationShown, deviationCaption, actualDeviation, rateEnabled, rxClock,
        askLowLevel;
    bool gaussian; // the Gaussian window sets the divider
    bool ask;      // the ASK demodulator
};

constexpr Set T = Set::On, F = Set::Off, K = Set::Keep;

// clang-format off
const ModulationRow kModulations[] = {
    {calc::ModulationFsk, u"PA Output Power FSK Mode", true, false, nullptr, T, T, T, T, T, T, K, false, false},
    {calc::ModulationGfsk, u"GFSK", true, false, nullptr, K, F, F, T, F, F, K, true, false},
    {calc::ModulationAsk, u"ASK", false, true, u"PA Output Power ASK Mode", F, T, T, K, T, T, T, false, true},
    {calc::ModulationOok, u"OOK", false, true, nullptr, F, T, T, K, T, T, F, false, true},
    {calc::ModulationGook, u"GOOK", false, false, nullptr, F, F, F, F, F, T, F, true, true},
};
// clang-format on

// The list index of "2FSK Correlator" in cmbDemod.
constexpr int DemodListCorrelator = 1;

} // namespace

// ---- modulation and demodulator ---------------------------------------------------------

void Main::cmbModulation_Click() {
    const int i = cmbModulation->currentIndex();
    if (i < 0 || i >= int(std::size(kModulations))) {
        app_.UpdateAllRegisterLabels();
        return;
    }
    const ModulationRow& row = kModulations[i];
    auto& f = app_.f();
    auto& w = app_.w();
    f.ModulationSchemeField = row.scheme;

    // The frames and rows this scheme shows; the window fits itself when that changes.
    const auto shownNow = [this] {
        std::vector<bool> v;
        for (QWidget* c :
             {static_cast<QWidget*>(FrFSKpower), static_cast<QWidget*>(FrASK),
              static_cast<QWidget*>(TxtFSKdev), static_cast<QWidget*>(actualDeviationCaption),
              static_cast<QWidget*>(txRxClockCaption), static_cast<QWidget*>(HScrollOOKfine1)})
            v.push_back(!c->isHidden());
        return v;
    };
    const std::vector<bool> before = shownNow();
    FrFSK->setVisible(true);
    FrFSK->setTitle(QString::fromUtf16(row.frame));
    FrFSKpower->setVisible(row.fskPower);
    FrASK->setVisible(row.askPower);
    if (row.askCaption)
        FrASK->setTitle(QString::fromUtf16(row.askCaption));
    apply(row.deviationEnabled, TxtFSKdev, &QWidget::setEnabled);
    apply(row.deviationShown, TxtFSKdev, &QWidget::setVisible);
    apply(row.deviationShown, deviationUnit_, &QWidget::setVisible);
    apply(row.deviationCaption, desiredDeviationCaption, &QWidget::setVisible);
    for (QWidget* c :
         {static_cast<QWidget*>(actualDeviationCaption), static_cast<QWidget*>(Lblfskdev),
          static_cast<QWidget*>(actualDeviationUnit_)})
        apply(row.actualDeviation, c, &QWidget::setVisible);
    apply(row.rateEnabled, txtDatarate, &QWidget::setEnabled);
    demodBandwidthCaption->setVisible(false);
    lblDemodBW->setVisible(false);
    apply(row.rxClock, txRxClockCaption, &QWidget::setVisible);
    apply(row.rxClock, lblRxCLK, &QWidget::setVisible);
    for (QWidget* c : {static_cast<QWidget*>(HScrollOOKfine1), static_cast<QWidget*>(lblOOKmax),
                       static_cast<QWidget*>(lblOOKmin)})
        apply(row.askLowLevel, c, &QWidget::setVisible);
    if (shownNow() != before)
        platform::fitToContents(*this);

    // 1. The Gaussian schemes take their divider from the Gaussian window; a settings import
    // runs it without showing it.
    if (row.gaussian) {
        if (w.SettingsLoaded != 0) {
            frmGFSK& gfsk = app_.frmGFSK();
            gfsk.CmdCalculate_Click();
            gfsk.cmdUpdate_Click();
        } else {
            app_.showModal(&app_.frmGFSK());
        }
    }
    // 2. ASK schemes take the ASK demodulator, the others the correlator.
    if (row.ask) {
        f.DemodTypeField = calc::DemodAsk;
        f.KParityBit29Field = 0;
        cmbDemod->setCurrentIndex(calc::DemodListAsk);
    } else {
        f.DemodTypeField = calc::DemodCorrelator;
        cmbDemod->setCurrentIndex(DemodListCorrelator);
    }
    // In FSK the deviation field holds the FSK count again: in the other schemes it held the
    // Gaussian divider or the ASK low level.
    if (row.scheme == calc::ModulationFsk)
        TxtFSKdev_Change();
    // 3. The data-rate plan for the new scheme.
    txtDatarate_Change();
    // 4. The ASK levels from the fields they set.
    if (row.scheme == calc::ModulationAsk) {
        const int low = (f.TxDeviationField & (bit(21) - 1)) / bit(15);
        setScrollBar(HScrollOOKfine1, low, &Main::HScrollOOKfine1_Change);
        Lblpower0->setText(QStringLiteral("Setting") + platform::strText(low));
    }
    if (row.ask) {
        const int high = (f.PaLevelField & (bit(15) - 1)) / bit(9);
        setScrollBar(HScrollASKFine1, high, &Main::HScrollASKFine1_Change);
        Lblpower1->setText(QStringLiteral("Setting") + platform::strText(high));
    }
    // 5. The read-outs show the new words.
    app_.UpdateAllRegisterLabels();
}

void Main::cmbDemod_Click() {
    auto& f = app_.f();
    switch (cmbDemod->currentIndex()) {
    case 0:
        f.DemodTypeField = calc::DemodLinear;
        f.KParityBit29Field = 0;
        break;
    case DemodListCorrelator:
        f.DemodTypeField = calc::DemodCorrelator;
        txtDatarate_Change();
        break;
    case calc::DemodListAsk:
        f.DemodTypeField = calc::DemodAsk;
        f.KParityBit29Field = 0;
        break;
    default:
        break;
    }
    app_.UpdateAllRegisterLabels();
}

// ---- lists, switches and scroll bars ----------------------------------------------------

void Main::cmbIFBW_Click() {
    const int i = cmbIFBW->currentIndex();
    if (i >= 0 && i <= 2)
        app_.f().IFFilterBandwidthField = i * bit(22);
    app_.UpdateAllRegisterLabels();
}

void Main::Chgpumpvalue_Click() {
    const int i = Chgpumpvalue->currentIndex();
    if (i >= 0 && i <= 3)
        app_.f().ChargePumpField = i * bit(14);
    app_.UpdateAllRegisterLabels();
}

void Main::cmbTestdata_Click() {
    int32_t word = 12;
    switch (cmbTestdata->currentIndex()) {
    case 1:
        word = 4 * bit(9) + 12; // the PN9 generator
        break;
    case 2: {
        int32_t& invert = app_.f().TxDataInvertField;
        invert = invert == 0 ? bit(29) : 0;
        app_.UpdateAllRegisterLabels();
        break;
    }
    default:
        break;
    }
    sendTestDataWord(word);
}

void Main::sendTestDataWord(int32_t word) {
    // The word goes out as it is: the field store's R12 and its read-out stay as they are.
    app_.sendWord(static_cast<uint32_t>(word));
}

void Main::OSC_EN_Change() {
    app_.f().XtalOscEnableField = OSC_EN->isOn() ? bit(12) : 0;
    app_.UpdateAllRegisterLabels();
}

void Main::PA_EN_Change() {
    app_.f().PaEnableField = static_cast<int16_t>(PA_EN->isOn() ? bit(4) : 0);
    app_.UpdateAllRegisterLabels();
}

void Main::setScrollBar(QScrollBar* bar, int value, void (Main::*handler)()) {
    if (bar->value() == value)
        (this->*handler)();
    else
        bar->setValue(value);
}

// The FSK scroll bar and the ASK high level set the one PA level of R2: each follows the
// other, so the bar a scheme shows, the settings file (which reads the bar of the scheme) and
// the radio-link file (which reads the FSK bar) all hold the level in force.
void Main::paLevel_Change() {
    const int v = paLevel->value();
    app_.f().PaLevelField = static_cast<int16_t>(v * bit(9));
    LblFSKpower->setText(QStringLiteral("Setting ") + platform::strText(v));
    HScrollASKFine1->setValue(v);
    app_.UpdateAllRegisterLabels();
}

void Main::HScrollASKFine1_Change() {
    const int v = HScrollASKFine1->value();
    app_.f().PaLevelField = static_cast<int16_t>(v * bit(9));
    Lblpower1->setText(QStringLiteral("Setting ") + platform::strText(v));
    paLevel->setValue(v);
    app_.UpdateAllRegisterLabels();
}

void Main::HScrollOOKfine1_Change() {
    // The ASK low level lives where FSK keeps its deviation count.
    const int v = HScrollOOKfine1->value();
    app_.f().TxDeviationField = v * bit(15);
    Lblpower0->setText(QStringLiteral("Setting ") + platform::strText(v));
    app_.UpdateAllRegisterLabels();
}

bool Main::takesInductor(bool external) {
    const bool loaded = app_.isLoaded<synthform>();
    const std::optional<std::vector<platform::Message>> refusal =
        app_.synthform().inductorRefusal(external);
    if (!refusal)
        return true;
    // Nothing of the choice stays: the box as it was (its handler is not to run again), and a
    // synthesizer window loaded only for the check is gone again.
    if (!loaded)
        app_.synthform().unload();
    {
        const QSignalBlocker keep(chkInductor);
        chkInductor->setChecked(!external);
    }
    app_.show(*refusal);
    return false;
}

void Main::chkInductor_Click() {
    auto& f = app_.f();
    const bool external = chkInductor->isChecked();
    // The inductor, its VCO bias and the synthesizer plan for it are one choice: a plan
    // refused for the new inductor refuses the choice whole. A settings import plans later,
    // from the file's frequencies.
    if (app_.w().SettingsLoaded == 0 && !takesInductor(external))
        return;
    f.ExtInductorField = external ? bit(25) : 0;
    // With the external inductor the user chooses the divide-by-2; otherwise the band does.
    app_.synthform().lblVCOdiv2->setEnabled(external);
    f.VcoBiasField = (external ? 3 : 10) * bit(16);
    // A bias window that is open, or loaded unseen, shows the VCO bias the inductor now sets.
    if (app_.isLoaded<evalkit::BiasWindow>())
        app_.biasWindow().Form_Load();
    // A settings import sets the synthesizer's boxes after the check box and then plans once
    // from them: planning here would take the frequencies the import is about to replace.
    if (app_.w().SettingsLoaded == 0)
        evalkit::planSynthesizer(app_);
    app_.UpdateAllRegisterLabels();
}

// ---- deviation and data rate ------------------------------------------------------------

void Main::TxtFSKdev_Change() {
    auto& f = app_.f();
    auto& w = app_.w();
    const calc::DeviationResult r =
        calc::planDeviation({TxtFSKdev->text(), w.PfdFrequencyMHz, f.VcoDiv2Field,
                             f.ModulationSchemeField, f.DemodTypeField, w.DemodClockMHz});
    // A value that does not fit its field is refused with its warning, said when the entry is
    // committed; the other messages are the plan's own and come as the text changes. A
    // refused entry leaves the deviation in force: the box says so until it is taken.
    const bool fieldRefusal = r.refusal && !r.refreshReadouts;
    if (!fieldRefusal)
        app_.show(r.messages);
    app_.entries().show(TxtFSKdev, r.refusal,
                        fieldRefusal ? r.messages : std::vector<platform::Message>{});
    platform::assignIfSet(w.DeviationStepHz, r.DeviationStepHz);
    platform::assignIfSet(w.ActualDeviationKHz, r.ActualDeviationKHz);
    platform::assignIfSet(f.TxDeviationField, r.TxDeviationField);
    platform::assignIfSet(f.DiscrimBwField, r.DiscrimBwField);
    platform::assignIfSet(f.KParityBit14Field, r.KParityBit14Field);
    platform::assignIfSet(f.KParityBit29Field, r.KParityBit29Field);
    if (r.Lblfskdev)
        Lblfskdev->setText(*r.Lblfskdev);
    if (r.refreshReadouts)
        app_.UpdateAllRegisterLabels();
}

void Main::setDataRateFromCode(const QString& text, double rate) {
    pushedRate_.push(txtDatarate, text, rate, [this] { txtDatarate_Change(); });
}

calc::DataRateInputs Main::dataRateInputs(const QString& text,
                                          std::optional<double> rateFromCode) const {
    return {text,
            rateFromCode,
            app_.w().CrystalFrequencyMHz,
            app_.w().ActualDeviationKHz,
            app_.f().DemodTypeField,
            cmbDemod->currentIndex(),
            lblRxCLK->text()};
}

calc::DataRateInputs Main::dataRateInputs() const {
    const QString text = txtDatarate->text();
    return dataRateInputs(text, pushedRate_.rateFor(text));
}

bool Main::takesDataRate(double rate) const {
    return calc::planDataRate(dataRateInputs(platform::numberText(rate), rate)).ran;
}

bool Main::takesDeviation(const QString& kHz) const {
    const calc::DeviationResult r =
        calc::planDeviation({kHz, app_.w().PfdFrequencyMHz, app_.f().VcoDiv2Field,
                             calc::ModulationFsk, app_.f().DemodTypeField, app_.w().DemodClockMHz});
    return r.ActualDeviationKHz.has_value();
}

void Main::txtDatarate_Change() {
    auto& f = app_.f();
    auto& w = app_.w();
    const QString text = txtDatarate->text();
    const calc::DataRatePlan p =
        calc::planDataRate(dataRateInputs(text, pushedRate_.rateFor(text)));
    // A refused rate changes nothing; the warning of a value that does not fit its field is
    // said when the entry is committed.
    app_.entries().show(txtDatarate, p.refusal,
                        p.ran ? std::vector<platform::Message>{} : p.messages);
    if (!p.ran)
        return;
    app_.show(p.messages);
    f.IFFilterDividerField = p.IFFilterDividerField;
    f.BbOffsetDividerField = p.BbOffsetDividerField;
    f.DemodClockDividerField = p.DemodClockDividerField;
    f.CdrClockDividerField = p.CdrClockDividerField;
    f.SeqClockDividerField = p.SeqClockDividerField;
    f.PostDemodBwField = p.PostDemodBwField;
    w.DemodClockMHz = p.DemodClockMHz;
    w.CdrClockKHz = p.CdrClockKHz;
    lblDemodBW->setText(p.lblDemodBW);
    lblRxCLK->setText(p.lblRxCLK);
    platform::assignIfSet(f.DiscrimBwField, p.DiscrimBwField);
    platform::assignIfSet(f.KParityBit14Field, p.KParityBit14Field);
    platform::assignIfSet(f.KParityBit29Field, p.KParityBit29Field);
    app_.UpdateAllRegisterLabels();
}

} // namespace pellion
