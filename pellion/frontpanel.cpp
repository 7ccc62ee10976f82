// The front panel's deviation and data-rate boxes: the plans behind them, applied.
#include "pellion/main_window.h"

#include "pellion/calc/datarate.h"
#include "pellion/calc/deviation.h"
#include "pellion/pellionapp.h"
#include "platform/named.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

namespace pellion {

void Main::TxtFSKdev_Change() {
    auto& f = app_.f();
    auto& w = app_.w();
    const calc::DeviationResult r =
        calc::planDeviation({TxtFSKdev->text(), w.PfdFrequencyMHz, f.VcoDiv2Field,
                             f.ModulationSchemeField, f.DemodTypeField, w.DemodClockMHz});
    app_.show(r.messages);
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

void Main::txtDatarate_Change() {
    auto& f = app_.f();
    auto& w = app_.w();
    const calc::DataRatePlan p = calc::planDataRate(
        {txtDatarate->text(), std::nullopt, w.CrystalFrequencyMHz, w.ActualDeviationKHz,
         f.DemodTypeField, cmbDemod->currentIndex(), lblRxCLK->text()});
    app_.show(p.messages);
    if (!p.ran)
        return;
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
