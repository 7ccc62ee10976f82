#include "corvane/gaussianwindow.h"

#include "corvane/corvaneapp.h"
#include "corvane/frontpanel.h"
#include "evalkit/calc/gaussian.h"
#include "evalkit/calc/limitwarning.h"
#include "evalkit/fielddialog.h"
#include "platform/core/numbers.h"
#include "platform/messages.h"
#include "platform/named.h"

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

std::optional<platform::Message> rateRefusal(const GfskSetup& s, const QString& rateText,
                                             calc::DataRateInputs rate) {
    const QString shown = platform::formatNumber(s.dataRateKbps, u"#0.000");
    if (!(platform::toSingle(s.dataRateKbps) > 0))
        return evalkit::calc::limitWarning(
            QStringLiteral("Data rate of %1 kbit/s is too low to plan. Please raise the PFD "
                           "frequency or lower "
                           "the Divider Number or the Index Counter")
                .arg(shown));
    rate.rateText = rateText;
    rate.rateFromCode = s.dataRateKbps;
    rate.ActualDeviationKHz = s.ActualDeviationKHz;
    const calc::DataRatePlan p = calc::planDataRate(rate);
    if (p.ran)
        return std::nullopt;
    // The limit the rate missed, as the front panel's data-rate box names it at this set-up:
    // one range, worked out for both.
    const std::optional<evalkit::calc::TakenRange> range = calc::dataRateRange(rate);
    if (range && s.dataRateKbps > range->to)
        return evalkit::calc::aboveMaximumWarning(
            QStringLiteral("Data rate"), shown + QStringLiteral(" kbit/s"),
            evalkit::calc::endText(range->to) + QStringLiteral(" kbit/s"),
            QStringLiteral("Please raise the Divider Number or the Index Counter"));
    if (range && s.dataRateKbps < range->from)
        return evalkit::calc::limitWarning(
            QStringLiteral("Data rate of %1 kbit/s is below the minimum of %2 kbit/s. Please "
                           "lower the Divider Number or the Index Counter")
                .arg(shown, evalkit::calc::endText(range->from)));
    if (p.setUpRefusal)
        return p.setUpRefusal;
    return evalkit::calc::limitWarning(
        QStringLiteral("Data rate of %1 kbit/s cannot be planned at this set-up. Please change "
                       "the Divider Number or the Index Counter")
            .arg(shown));
}

frmGFSK::frmGFSK(CorvaneApp& app)
    : GaussianWindow(QStringLiteral("Update MOD        Register !"), 120), app_(app) {
    bandNote =
        evalkit::dialog::label("Label4", QStringLiteral("If operating in the 300-500 MHz band "
                                                        "deviation is half what it would be if "
                                                        "operating in excess of 500 MHz."));
    bandNote->setWordWrap(true);
    cmdCancel = platform::namedButton("cmdCancel", QStringLiteral("Exit"));

    auto* grid = new QGridLayout(setupFrame);
    const int row = addRows(grid, {
                                      {"Mod Control", cmbModCtrl},
                                      {"Index Counter", cmbIndexCount},
                                      {"Divider Number", txtDivider},
                                      {"Deviation", lblFdev},
                                      {"Data Rate", lblDatarate},
                                  });
    grid->addWidget(bandNote, row, 0, 1, 2);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmdCalculate);
    buttons->addWidget(cmdUpdate);
    buttons->addStretch();
    buttons->addWidget(cmdCancel);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(setupFrame);
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
    // The front panel plans the receiver from the rate and deviation this pushes; a rate it
    // would refuse keeps everything as it was, and says why.
    Main& panel = app_.main();
    const QString rate = platform::numberText(platform::roundDecimals(s->dataRateKbps, 3));
    if (const std::optional<platform::Message> refusal =
            rateRefusal(*s, rate, panel.dataRateInputs())) {
        app_.show({*refusal});
        return;
    }
    f.TxDeviationField = s->TxDeviationField;
    f.GfskIndexCounterField = s->GfskIndexCounterField;
    w.ActualDeviationKHz = s->ActualDeviationKHz;
    lblDatarate->setText(platform::formatNumber(s->dataRateKbps, u"#0.000") +
                         QStringLiteral(" kbits/s"));
    if (f.ModulationSchemeField == GaussianScheme)
        lblFdev->setText(platform::formatNumber(s->deviationKHz, u"#0.000") +
                         QStringLiteral(" kHz"));

    panel.Lblfskdev->setText(platform::formatNumber(s->deviationKHz, u"#0.000"));
    // The box shows the rate to the 3 decimals this window shows; the receiver is planned
    // for the exact rate.
    panel.setDataRateFromCode(rate, s->dataRateKbps);
    // The modulation register's word follows, whether or not the pushed rate changed.
    app_.UpdateAllRegisterLabels();
}

void frmGFSK::cmdUpdate_Click() {
    // The read-outs show the modulation register's new word.
    app_.UpdateAllRegisterLabels();
}

void frmGFSK::cmdCancel_Click() {
    unload();
}

} // namespace corvane
