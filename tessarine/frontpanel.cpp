// The front panel's transmit settings: the modulation scheme, the FSK deviation, the Gaussian
// settings, the PA levels, the charge pump and the power-down switches. Each handler stores
// its fields and refreshes the read-outs; none writes to the board.
#include "tessarine/frontpanel.h"

#include "platform/core/numbers.h"
#include "platform/entrymark.h"
#include "platform/fitwindow.h"
#include "platform/named.h"
#include "tessarine/calc/modulation.h"
#include "tessarine/tessarineapp.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>

#include <array>

namespace tessarine {

namespace {

using platform::bit;

// What a scheme does with a row of the panel: shows it, hides it, or leaves it as it is.
enum class Row : uint8_t { Keep, Show, Hide };

struct SchemeRows {
    Row FrFSK, FrFSKpower, frASK, frHideFSK, frGaussian;
    Row modControl;          // cmbModCtrl with its title
    Row dataRate;            // lblTitleDateRate and lblDatarate
    Row deviationEntry;      // TxtFSKdev: Show enables it, Hide disables it
    const char16_t* caption; // FrFSK
    bool askLabels;          // the level captions name the data levels; otherwise "PA Level"
};

using R = Row;
// FrFSK, FrFSKpower, frASK, frHideFSK, frGaussian, mod control, data rate, deviation entry.
constexpr std::array<SchemeRows, 5> Schemes{{
    {R::Show, R::Show, R::Hide, R::Hide, R::Hide, R::Keep, R::Hide, R::Show, u"FSK", false},
    {R::Show, R::Show, R::Hide, R::Hide, R::Show, R::Show, R::Show, R::Hide, u"GFSK", false},
    {R::Show, R::Keep, R::Show, R::Show, R::Hide, R::Keep, R::Hide, R::Keep, u"ASK", true},
    {R::Keep, R::Keep, R::Hide, R::Show, R::Hide, R::Keep, R::Hide, R::Keep, u"OOK", false},
    // GOOK keeps the OOK caption.
    {R::Keep, R::Keep, R::Hide, R::Show, R::Show, R::Hide, R::Show, R::Keep, u"OOK", false},
}};

// Shows or hides the widgets as the scheme says; whether any of them changed.
bool apply(Row row, std::initializer_list<QWidget*> widgets) {
    if (row == Row::Keep)
        return false;
    bool changed = false;
    for (QWidget* w : widgets) {
        const bool shown = row == Row::Show;
        changed = changed || w->isHidden() == shown;
        w->setVisible(shown);
    }
    return changed;
}

const QString PaLevelTitle = QStringLiteral("PA Level");

} // namespace

// ---- modulation scheme -------------------------------------------------------

void Main::cmbModulation_Click() {
    auto& f = app_.f();
    const int index = cmbModulation->currentIndex();
    const std::optional<int32_t> scheme = calc::modulationSchemeField(index);
    if (!scheme) {
        fnGuiWrite();
        return;
    }
    f.ModulationSchemeField = *scheme;

    const SchemeRows& rows = Schemes[static_cast<std::size_t>(index)];
    bool resized = false;
    resized |= apply(rows.FrFSK, {FrFSK});
    resized |= apply(rows.FrFSKpower, {FrFSKpower});
    resized |= apply(rows.frASK, {frASK});
    resized |= apply(rows.frHideFSK, {frHideFSK});
    resized |= apply(rows.frGaussian, {frGaussian});
    resized |= apply(rows.modControl, {cmbModCtrl, lblTitleModCtrl});
    resized |= apply(rows.dataRate, {lblTitleDateRate, lblDatarate});
    if (rows.deviationEntry != Row::Keep)
        TxtFSKdev->setEnabled(rows.deviationEntry == Row::Show);
    FrFSK->setTitle(QString::fromUtf16(rows.caption));
    if (rows.askLabels)
        showAskDataLabels();
    else
        paLevelCaption->setText(PaLevelTitle);
    if (resized)
        platform::fitToContents(*this);

    switch (index) {
    case calc::FskItem:
        f.GfskIndexCounterField = 0;
        f.GfskModControlField = 0;
        TxtFSKdev_Change();
        break;
    case calc::GfskItem:
    case calc::GookItem:
        FnUpdateGaussian();
        break;
    case calc::AskItem:
        // The deviation field holds the low level while ASK is chosen.
        paLevelLow->setValue(1);
        f.TxDeviationField = 1 * bit(11);
        f.GfskModControlField = 0;
        f.GfskIndexCounterField = 0;
        break;
    case calc::OokItem:
        f.TxDeviationField = 0;
        f.GfskModControlField = 0;
        f.GfskIndexCounterField = 0;
        break;
    default:
        break;
    }
    fnGuiWrite();
}

void Main::showAskDataLabels() {
    const calc::AskDataLabels labels = calc::askDataLabels(app_.f().DataInvertField);
    paLevelCaption->setText(labels.paLevelCaption);
    paLevelLowCaption->setText(labels.paLevelLowCaption);
}

// ---- FSK deviation -------------------------------------------------------------

void Main::TxtFSKdev_Change() {
    auto& f = app_.f();
    auto& w = app_.w();
    const calc::DeviationResult r = calc::planDeviation(
        {TxtFSKdev->text(), f.ModulationSchemeField, w.PfdFrequencyMHz, f.TxDeviationField});
    // A refused entry leaves the deviation in force: the box says so until it is taken, and
    // the label shows what the field still gives. The message of a complete entry comes when
    // it is committed.
    std::vector<platform::Message> said;
    if (r.message && !deviationMessageHeld_)
        said.push_back({*r.message, platform::MsgIcon::Exclamation, std::nullopt});
    if (r.refusal || r.TxDeviationField)
        app_.entries().show(TxtFSKdev, r.refusal, said);
    else
        platform::clearRefusedMark(TxtFSKdev); // not acted on (another scheme): said stands

    if (r.actualDeviation)
        Lblfskdev->setText(*r.actualDeviation);
    if (!r.TxDeviationField)
        return;
    w.DeviationStepHz = *r.DeviationStepHz;
    f.TxDeviationField = *r.TxDeviationField;
    fnGuiWrite();
}

// ---- Gaussian settings -------------------------------------------------------

void Main::FnUpdateGaussian() {
    auto& f = app_.f();
    const calc::GaussianResult r =
        calc::planGaussian({cmbModCtrl->currentIndex(), cmbIndexCount->currentIndex(),
                            txtDivider->text(), f.ModulationSchemeField, app_.w().PfdFrequencyMHz});
    platform::showRefusal(txtDivider, r.refusal.has_value(), r.refusal.value_or(QString()));
    // The box shows the limit it was held to (which runs its handler again, with the limit).
    if (r.dividerAtLimit)
        txtDivider->setText(*r.dividerAtLimit);
    platform::assignIfSet(f.TxDeviationField, r.TxDeviationField);
    platform::assignIfSet(f.GfskModControlField, r.GfskModControlField);
    platform::assignIfSet(f.GfskIndexCounterField, r.GfskIndexCounterField);
    if (r.actualDeviation)
        Lblfskdev->setText(*r.actualDeviation);
    if (r.deviationEntry)
        TxtFSKdev->setText(*r.deviationEntry);
    if (r.dataRate)
        lblDatarate->setText(*r.dataRate);
}

void Main::cmbModCtrl_Click() {
    FnUpdateGaussian();
    fnGuiWrite();
}

void Main::cmbIndexCount_Click() {
    FnUpdateGaussian();
    fnGuiWrite();
}

void Main::txtDivider_Change() {
    if (txtDivider->text().isEmpty())
        platform::markRefused(txtDivider, calc::DividerAcceptsText);
    else
        FnUpdateGaussian();
    fnGuiWrite();
}

// ---- levels, charge pump and switches -------------------------------------------

void Main::paLevel_Change() {
    const int level = paLevel->value();
    app_.f().PaLevelField = level * bit(5);
    LblFSKpower->setText(calc::settingText(level));
    fnGuiWrite();
}

void Main::paLevelLow_Change() {
    const int level = paLevelLow->value();
    app_.f().TxDeviationField = level * bit(11);
    paLevelLowSetting->setText(calc::settingText(level));
    fnGuiWrite();
}

void Main::cmbIcp_Click() {
    const int i = cmbIcp->currentIndex();
    if (i >= 0 && i <= 3)
        app_.f().ChargePumpField = i * bit(6);
    fnGuiWrite();
}

void Main::TogPLL_Change() {
    app_.f().PllEnableField = TogPLL->isOn() ? bit(2) : 0;
    fnGuiWrite();
}

void Main::TogOutput_Change() {
    app_.f().PaEnableField = TogOutput->isOn() ? bit(3) : 0;
    fnGuiWrite();
}

void Main::TogVCO_Change() {
    app_.f().VcoDisableField = TogVCO->isOn() ? 0 : bit(10);
    fnGuiWrite();
}

void Main::TogCrystal_Change() {
    app_.f().XtalOscDisableField = TogCrystal->isOn() ? 0 : bit(18);
    fnGuiWrite();
}

} // namespace tessarine
