#include "corvane/frmgfsk.h"

#include "corvane/corvaneapp.h"
#include "corvane/main_window.h"
#include "evalkit/calc/gaussian.h"
#include "evalkit/fielddialog.h"
#include "platform/messages.h"
#include "platform/named.h"
#include "platform/numbers.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <cmath>

namespace corvane {

using evalkit::dialog::bit;

namespace {

// Below this channel frequency the VCO runs divided by 2, which halves the deviation.
constexpr double DividedBandMHz = 500;
// Register 2 carries the Gaussian scheme as 1 in bits 4..6.
constexpr int16_t GaussianScheme = 16;

} // namespace

std::optional<GfskSetup> planGfsk(int modControl, int indexCounterIndex, const QString& dividerText,
                                  double PfdFrequencyMHz, double RfFrequencyMHz) {
    const std::optional<int32_t> counter = evalkit::calc::indexCounter(indexCounterIndex);
    if (modControl < 0 || modControl > 7 || !counter)
        return std::nullopt;
    const std::optional<evalkit::calc::GaussianDivider> divider =
        evalkit::calc::gaussianDivider(dividerText);
    if (!divider)
        return std::nullopt;
    GfskSetup s;
    s.divider = divider->divider;
    s.dividerLimited = divider->limited;
    s.TxDeviationField = s.divider * bit(19);
    s.GfskIndexCounterField = indexCounterIndex * bit(27);
    s.ActualDeviationKHz =
        platform::toSingle(evalkit::calc::gaussianDeviationKHz(PfdFrequencyMHz, modControl, false));
    s.deviationKHz = evalkit::calc::gaussianDeviationKHz(PfdFrequencyMHz, modControl,
                                                         !(RfFrequencyMHz >= DividedBandMHz));
    s.dataRateKbps = evalkit::calc::gaussianDataRateKbps(PfdFrequencyMHz, s.divider, *counter);
    return s;
}

frmGFSK::frmGFSK(CorvaneApp& app)
    : GaussianWindow(QStringLiteral("Update MOD        Register !"), 120), app_(app) {
    Label4 =
        evalkit::dialog::label("Label4", QStringLiteral("If operating in the 300-500 MHz band "
                                                        "deviation is half what it would be if "
                                                        "operating in excess of 500 MHz."));
    Label4->setWordWrap(true);
    cmdCancel = platform::namedButton("cmdCancel", QStringLiteral("Exit"));

    auto* grid = new QGridLayout(Frame1);
    const int row = addRows(grid, {
                                      {"Mod Control", cmbModCtrl},
                                      {"Index Counter", cmbIndexCount},
                                      {"Divider Number", txtDivider},
                                      {"Deviation", lblFdev},
                                      {"Data Rate", lblDatarate},
                                  });
    grid->addWidget(Label4, row, 0, 1, 2);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmdCalculate);
    buttons->addWidget(cmdUpdate);
    buttons->addStretch();
    buttons->addWidget(cmdCancel);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Frame1);
    layout->addLayout(buttons);
    setMinimumWidth(380);

    connect(cmdCalculate, &QPushButton::clicked, this, &frmGFSK::CmdCalculate_Click);
    connect(cmdUpdate, &QPushButton::clicked, this, &frmGFSK::cmdUpdate_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmGFSK::cmdCancel_Click);
}

void frmGFSK::CmdCalculate_Click() {
    auto& f = app_.f();
    auto& w = app_.w();
    const std::optional<GfskSetup> s =
        planGfsk(cmbModCtrl->currentIndex(), cmbIndexCount->currentIndex(), txtDivider->text(),
                 w.PfdFrequencyMHz, w.RfFrequencyMHz);
    if (!s) {
        const bool chosen = cmbModCtrl->currentIndex() >= 0 && cmbIndexCount->currentIndex() >= 0;
        app_.messages().message(chosen
                                    ? QStringLiteral("Invalid entry. This must be a number")
                                    : QStringLiteral("Choose a Mod Control and an Index Counter"),
                                platform::MsgIcon::Exclamation);
        return;
    }
    if (s->dividerLimited)
        txtDivider->setText(platform::numberText(s->divider));
    f.TxDeviationField = s->TxDeviationField;
    f.GfskIndexCounterField = s->GfskIndexCounterField;
    w.ActualDeviationKHz = s->ActualDeviationKHz;
    lblDatarate->setText(platform::formatNumber(s->dataRateKbps, u"#0.000") +
                         QStringLiteral(" kbits/s"));
    if (f.ModulationSchemeField == GaussianScheme)
        lblFdev->setText(platform::formatNumber(s->deviationKHz, u"#0.000") +
                         QStringLiteral(" kHz"));

    Main& panel = app_.main();
    panel.Lblfskdev->setText(platform::formatNumber(s->deviationKHz, u"#0.000"));
    // The front panel takes the rate to the 3 decimals this window shows, which
    // also keeps the text inside the 6 characters its data-rate box acts on.
    if (!std::isfinite(s->dataRateKbps) || s->dataRateKbps <= 0)
        return;
    const QString rate = platform::numberText(platform::roundDecimals(s->dataRateKbps, 3));
    if (panel.txtDatarate->text() == rate)
        panel.txtDatarate_Change(); // the deviation may have changed: plan again all the same
    else
        panel.txtDatarate->setText(rate);
}

void frmGFSK::cmdUpdate_Click() {
    selectModRegister(app_, app_.w());
}

void frmGFSK::cmdCancel_Click() {
    unload();
}

} // namespace corvane
