#include "pellion/demodulatorwindow.h"

#include "evalkit/calc/takenrange.h"
#include "evalkit/fielddialog.h"
#include "pellion/frontpanel.h"
#include "pellion/pellionapp.h"
#include "platform/core/numbers.h"
#include "platform/entrymark.h"
#include "platform/named.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace pellion {

namespace {

using platform::named;

// What the post-demodulator box takes at the demodulator clock fd: the bandwidths whose filter
// code fits its ten bits.
QString postDemodAccepts(float fd) {
    const auto fits = [fd](double bw) {
        return calc::postDemodEntry(platform::numberText(bw), fd).PostDemodBwField.has_value();
    };
    const auto range = evalkit::calc::takenRange(fits, 0, 100000, 12);
    if (!range)
        return QStringLiteral("Desired BW(3dB) in kHz: none at this demodulator clock");
    return QStringLiteral("Desired BW(3dB) in kHz: a number ") + evalkit::calc::rangeText(*range) +
           QStringLiteral(" at this demodulator clock");
}

void showIfSet(QLabel* label, const std::optional<QString>& text) {
    if (text)
        label->setText(*text);
}

} // namespace

frmDemod::frmDemod(PellionApp& app)
    : DemodWindow({.dividerBoxWidth = 90,
                   .stretchBelowClocks = true,
                   .postDemodBoxWidth = 90,
                   .actualBwCaption = QStringLiteral("Actual BW"),
                   .lblDemodBW = QStringLiteral("20kHz"),
                   .lblT4Frequency = QStringLiteral("172.80 kHz")}),
      app_(app) {
    txtT4delay = evalkit::dialog::box("txtT4delay", QStringLiteral("64"));
    auto* correlator = new QGridLayout(FrCorrelator);
    auto* discrim = new QLabel(QStringLiteral("Discrim BW Setting"));
    discrim->setBuddy(txtT4delay);
    correlator->addWidget(discrim, 0, 0);
    correlator->addWidget(txtT4delay, 0, 1);
    correlator->addWidget(lblT4Frequency, 0, 2);
    txtT4delay->setMaximumWidth(90);
    // The bandwidth and the threshold act when the user leaves them, as the dividers do.
    txtDemodBW->installEventFilter(this);
    cmbLockmode->installEventFilter(this);

    FrDemodSettings = named(new QGroupBox(QStringLiteral("Demod Settings")), "FrDemodSettings");
    auto* settings = new QVBoxLayout(FrDemodSettings);
    settings->addWidget(FrCorrelator);
    settings->addWidget(FrLockmode);

    auto* right = new QVBoxLayout;
    right->addWidget(FrPostDemod);
    right->addWidget(FrDemodSettings);
    right->addStretch();
    auto* columns = new QHBoxLayout;
    columns->addWidget(FrClocks);
    columns->addLayout(right);
    layoutWindow(columns);

    app_.entries().watch(txtT4delay, {QStringLiteral("discriminator bandwidth setting")},
                         [this] { txtT4delay_Change(); });
    connect(cmdautoClock, &QPushButton::clicked, this, &frmDemod::cmdautoClock_Click);
    connect(returnToPanel, &QPushButton::clicked, this, &frmDemod::returnToPanel_Click);
}

void frmDemod::controlLeft(QObject* control) {
    if (control == txtDemodBW)
        txtDemodBW_LostFocus();
    else if (control == cmbLockmode)
        cmbLockmode_LostFocus();
}

// ---- load --------------------------------------------------------------------------------

void frmDemod::Form_Load() {
    PellionFields& f = app_.f();
    const PellionWorking& w = app_.w();

    // 1. The post-demodulator bandwidth the front panel shows.
    const QString caption = app_.main().lblDemodBW->text();
    txtDemodBW->setText(caption);
    platform::clearRefusedMark(txtDemodBW);
    lblDemodBW->setText(calc::demodBwLabel(caption));

    // 2 to 6. The dividers as they stand (a clock-recovery divider above eight bits shown
    // balanced), remembered for "Auto Calc Clocks".
    snapshotFields_ = {f.IFFilterDividerField, f.BbOffsetDividerField, f.DemodClockDividerField,
                       f.CdrClockDividerField, f.SeqClockDividerField};
    snapshotShown_ = calc::shownDividers(snapshotFields_);
    showDividers(snapshotShown_);
    showClockLabels(snapshotShown_);

    // 7 to 9. The discriminator of the data-rate plan; the box's change handler stores it
    // again and warns when it is above 600.
    const calc::LoadDiscriminator d = calc::loadDiscriminator(
        w.ActualDeviationKHz, w.DemodClockMHz, f.DemodTypeField, w.CrystalFrequencyMHz);
    if (d.plan.refusal) {
        app_.show({*d.plan.refusal});
    } else {
        platform::assignIfSet(f.DiscrimBwField, d.plan.DiscrimBwField);
        if (d.plan.parity) {
            f.KParityBit14Field = d.plan.parity->KParityBit14Field;
            f.KParityBit29Field = d.plan.parity->KParityBit29Field;
        }
        if (d.txtT4delay)
            txtT4delay->setText(*d.txtT4delay);
        showIfSet(lblT4Frequency, d.lblT4Frequency);
    }

    // 10. The post-demodulator bandwidth code the word carries.
    lblDemodBW_disp->setText(calc::postDemodCodeText(f.PostDemodBwField));

    // 11. The entry of the lock-threshold code the word carries; a code without an entry
    // leaves the list as it is.
    const int lock = calc::lockModeListIndexOfCode(app_.store().lockThresholdModeBits());
    if (lock >= 0)
        cmbLockmode->setCurrentIndex(lock);
    // The load plans the discriminator again: the front panel shows the word it makes.
    app_.UpdateAllRegisterLabels();
}

void frmDemod::showDividers(const calc::ShownDividers& s) {
    showDividerBoxes(s.ifFilter, s.bbOffset, s.demod, s.cdr, s.seq);
}

void frmDemod::showClockLabels(const calc::ShownDividers& shown) {
    const calc::ClockLabels l = calc::clockLabels(app_.w().CrystalFrequencyMHz, shown);
    showIfSet(lblIFfilterclk, l.lblIFfilterclk);
    showIfSet(lblBBoffsetclk, l.lblBBoffsetclk);
    showIfSet(lblDemodclk, l.lblDemodclk);
    showIfSet(lblCDRclk, l.lblCDRclk);
    showIfSet(lblSeqclk, l.lblSeqclk);
}

// ---- the divider boxes -------------------------------------------------------------------

void frmDemod::refuseEntry(QLineEdit* box, const std::optional<platform::Message>& refusal,
                           const QString& accepts, int32_t shownValue) {
    if (refusal) {
        app_.show({*refusal});
        platform::clearRefusedMark(box);
        box->setText(platform::numberText(shownValue));
        return;
    }
    platform::markRefused(box, accepts);
}

void frmDemod::txtIFFilter_LostFocus() {
    const calc::IFFilterEntry e = calc::ifFilterEntry(txtIFFilter->text());
    if (!e.IFFilterDividerField) {
        refuseEntry(txtIFFilter, e.refusal, calc::IFFilterLimitText, snapshotShown_.ifFilter);
        return;
    }
    app_.f().IFFilterDividerField = *e.IFFilterDividerField;
    Form_Load();
}

void frmDemod::txtBBOffset_LostFocus() {
    const calc::BBOffsetEntry e = calc::bbOffsetEntry(txtBBOffset->text());
    if (!e.BbOffsetDividerField) {
        refuseEntry(txtBBOffset, e.refusal, calc::BBOffsetLimitText, snapshotShown_.bbOffset);
        return;
    }
    app_.f().BbOffsetDividerField = *e.BbOffsetDividerField;
    Form_Load();
}

void frmDemod::txtCDR_LostFocus() {
    const calc::CdrEntry e = calc::cdrEntry(txtCDR->text(), app_.w().DemodClockMHz);
    if (!e.CdrClockDividerField) {
        refuseEntry(txtCDR, e.refusal, calc::CDRLimitText, snapshotShown_.cdr);
        return;
    }
    app_.f().CdrClockDividerField = *e.CdrClockDividerField;
    platform::assignIfSet(app_.w().CdrClockKHz, e.CdrClockKHz);
    Form_Load();
}

void frmDemod::txtDemod_LostFocus() {
    PellionFields& f = app_.f();
    PellionWorking& w = app_.w();
    const calc::DemodEntry e =
        calc::demodEntry(txtDemod->text(), w.CrystalFrequencyMHz, w.ActualDeviationKHz);
    if (!e.DemodClockMHz) {
        refuseEntry(txtDemod, e.refusal, calc::DemodLimitText, snapshotShown_.demod);
        return;
    }
    // The new clock, the clock recovery that divides it and the discriminator the reload
    // plans for it are one plan: check what follows before anything of it is stored. A CDR box
    // without a usable entry shows the divider in force again.
    if (!calc::cdrEntry(txtCDR->text(), *e.DemodClockMHz).CdrClockDividerField) {
        platform::clearRefusedMark(txtCDR);
        txtCDR->setText(platform::numberText(snapshotShown_.cdr));
    }
    const calc::LoadDiscriminator reload = calc::loadDiscriminator(
        w.ActualDeviationKHz, *e.DemodClockMHz, f.DemodTypeField, w.CrystalFrequencyMHz);
    if (reload.plan.refusal) {
        app_.show({*reload.plan.refusal});
        txtDemod->setText(platform::numberText(snapshotShown_.demod));
        return;
    }
    w.DemodClockMHz = *e.DemodClockMHz;
    f.DemodClockDividerField = *e.DemodClockDividerField;
    // The clock recovery follows the new demodulator clock (and reloads the window).
    txtCDR_LostFocus();
    // Then the discriminator for the new clock.
    platform::assignIfSet(f.DiscrimBwField, e.DiscrimBwField);
    if (e.txtT4delay)
        txtT4delay->setText(*e.txtT4delay);
    showIfSet(lblT4Frequency, e.lblT4Frequency);
    app_.UpdateAllRegisterLabels();
}

void frmDemod::txtDemodBW_LostFocus() {
    const calc::PostDemodEntry e = calc::postDemodEntry(txtDemodBW->text(), app_.w().DemodClockMHz);
    if (!e.PostDemodBwField) {
        platform::markRefused(txtDemodBW, postDemodAccepts(app_.w().DemodClockMHz));
        if (e.refusal)
            app_.show({*e.refusal});
        return;
    }
    platform::clearRefusedMark(txtDemodBW);
    app_.f().PostDemodBwField = *e.PostDemodBwField;
    showIfSet(lblDemodBW, e.lblDemodBW);
    showIfSet(app_.main().lblDemodBW, e.frontPanelDemodBW);
    showIfSet(lblDemodBW_disp, e.lblDemodBW_disp);
    app_.UpdateAllRegisterLabels();
}

// ---- discriminator and lock threshold ----------------------------------------------------

void frmDemod::txtT4delay_Change() {
    const calc::DiscrimEntry e =
        calc::discrimEntry(txtT4delay->text(), app_.w().CrystalFrequencyMHz);
    if (!e.DiscrimBwField) {
        // Typed a key at a time: a setting outside 1..1023 (or no number yet) is marked on the
        // box, not told in a message per keystroke; the setting in force stays.
        platform::markRefused(txtT4delay, calc::DiscrimLimitText);
        return;
    }
    platform::clearRefusedMark(txtT4delay);
    app_.f().DiscrimBwField = *e.DiscrimBwField;
    if (e.txtT4delay && txtT4delay->text() != *e.txtT4delay) {
        // The box shows the whole number stored; that is no new entry.
        const QSignalBlocker same(txtT4delay);
        txtT4delay->setText(*e.txtT4delay);
    }
    showIfSet(lblT4Frequency, e.lblT4Frequency);
    app_.UpdateAllRegisterLabels();
    // Above 600 the setting is stored all the same, with the warning.
    app_.show(e.messages);
}

void frmDemod::cmbLockmode_LostFocus() {
    const std::optional<calc::LockModeFields> lock =
        calc::lockModeFields(cmbLockmode->currentIndex());
    if (!lock)
        return;
    app_.f().LockThresholdModeField = lock->LockThresholdModeField;
    app_.f().LockThresholdModeBit23Field = lock->LockThresholdModeBit23Field;
    app_.UpdateAllRegisterLabels();
}

// ---- buttons -----------------------------------------------------------------------------

void frmDemod::cmdautoClock_Click() {
    // The clocks and dividers of the last load (or edit).
    showClockLabels(snapshotShown_);
    PellionFields& f = app_.f();
    f.IFFilterDividerField = snapshotFields_.IFFilterDividerField;
    f.BbOffsetDividerField = snapshotFields_.BbOffsetDividerField;
    f.DemodClockDividerField = snapshotFields_.DemodClockDividerField;
    f.CdrClockDividerField = snapshotFields_.CdrClockDividerField;
    f.SeqClockDividerField = snapshotFields_.SeqClockDividerField;
    app_.UpdateAllRegisterLabels();
}

void frmDemod::returnToPanel_Click() {
    unload();
}

} // namespace pellion
