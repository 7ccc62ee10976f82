#include "pellion/gaussianwindow.h"

#include "evalkit/fielddialog.h"
#include "pellion/calc/deviation.h"
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
#include <QVBoxLayout>

namespace pellion {

namespace {

const QString DividerAcceptsText =
    QStringLiteral("Divider Number: a whole number from 1 to 127 (entries outside are held there)");

} // namespace

frmGFSK::frmGFSK(PellionApp& app)
    : GaussianWindow(QStringLiteral("Update and Return to Front Panel"), 130), app_(app) {
    divideBy2Note = evalkit::dialog::label(
        "Label6", QStringLiteral("If operating with VCO Divide-by-2 enabled then the Tx Deviation "
                                 "will be halved. Index Counter sets the number of transitions "
                                 "between the 0 and 1 frequencies"));
    LabelGOOK = evalkit::dialog::label(
        "LabelGOOK",
        QStringLiteral("In GOOK mode the ON power level is set to the maximum PA "
                       "setting. To adjust the ON power you can use the PA bias bits"));
    for (QLabel* l : {divideBy2Note, LabelGOOK})
        l->setWordWrap(true);
    cmdUpdate->setDefault(true);

    auto* setup = new QGridLayout(setupFrame);
    const int row = addRows(setup, {
                                       {"Mod Control", cmbModCtrl},
                                       {"Index Counter", cmbIndexCount},
                                       {"Divider Number", txtDivider},
                                   });
    setup->addWidget(cmdCalculate, row, 0, 1, 2);

    auto* resultsFrame = platform::named(new QGroupBox, "Frame2");
    auto* results = new QGridLayout(resultsFrame);
    results->addWidget(new QLabel(QStringLiteral("Deviation")), 0, 0);
    results->addWidget(lblFdev, 0, 1);
    results->addWidget(new QLabel(QStringLiteral("Data Rate")), 1, 0);
    results->addWidget(lblDatarate, 1, 1);
    results->addWidget(divideBy2Note, 2, 0, 1, 2);
    results->addWidget(LabelGOOK, 3, 0, 1, 2);

    auto* foot = evalkit::dialog::footer({cmdUpdate});

    auto* layout = new QVBoxLayout(this);
    auto* frames = new QHBoxLayout;
    frames->addWidget(setupFrame);
    frames->addWidget(resultsFrame, 1);
    layout->addLayout(frames);
    layout->addLayout(foot);
    setMinimumWidth(520);

    connect(cmdCalculate, &QPushButton::clicked, this, &frmGFSK::CmdCalculate_Click);
    connect(cmdUpdate, &QPushButton::clicked, this, &frmGFSK::cmdUpdate_Click);
}

void frmGFSK::Form_Load() {
    const PellionFields& f = app_.f();
    const calc::GfskControls c =
        calc::gfskControls(f.TxDeviationField, f.GfskIndexCounterField, f.GfskModControlField);
    txtDivider->setText(c.txtDivider);
    cmbIndexCount->setCurrentIndex(c.cmbIndexCountIndex);
    cmbModCtrl->setCurrentIndex(c.cmbModCtrlIndex);
    // Each scheme has its own note.
    if (f.ModulationSchemeField == calc::ModulationGfsk)
        LabelGOOK->setVisible(false);
    else
        divideBy2Note->setVisible(false);
}

calc::GfskInputs frmGFSK::inputs() const {
    const PellionFields& f = app_.f();
    return {cmbModCtrl->currentIndex(),
            cmbIndexCount->currentIndex(),
            txtDivider->text(),
            app_.w().PfdFrequencyMHz,
            f.VcoDiv2Field,
            f.ModulationSchemeField};
}

calc::GfskFollowUps frmGFSK::followUps() const {
    const PellionFields& f = app_.f();
    const PellionWorking& w = app_.w();
    Main& panel = app_.main();
    return {{panel.TxtFSKdev->text(), w.PfdFrequencyMHz, f.VcoDiv2Field, f.ModulationSchemeField,
             f.DemodTypeField, w.DemodClockMHz},
            panel.dataRateInputs(),
            w.ActualDeviationKHz};
}

void frmGFSK::CmdCalculate_Click() {
    PellionFields& f = app_.f();
    PellionWorking& w = app_.w();
    const calc::GfskResult r = calc::planGfsk(inputs());
    if (r.txtDivider)
        txtDivider->setText(*r.txtDivider);
    // A divider that is not a number keeps the divider in force; the box says what it takes.
    platform::showRefusal(txtDivider, !platform::isNumeric(txtDivider->text()), DividerAcceptsText);
    if (!r.calculated)
        return;
    // The deviation and the data rate the front panel plans from this are part of the
    // calculation: one it refuses keeps everything as it was, the divider box marked with
    // the dividers it would take.
    if (const std::optional<platform::Message> refusal = calc::gfskRefusal(r, followUps())) {
        app_.show({*refusal});
        platform::markRefused(txtDivider, calc::dividerAcceptsText(inputs(), followUps()));
        return;
    }
    f.TxDeviationField = r.TxDeviationField;
    f.GfskModControlField = r.GfskModControlField;
    f.GfskIndexCounterField = r.GfskIndexCounterField;
    w.ActualDeviationKHz = r.ActualDeviationKHz;

    Main& panel = app_.main();
    if (r.lblFdev) {
        lblFdev->setText(*r.lblFdev);
        panel.Lblfskdev->setText(*r.Lblfskdev);
        // The deviation handler plans the receiver from it; in GFSK it keeps the divider just
        // stored.
        panel.TxtFSKdev->setText(*r.TxtFSKdev);
        divideBy2Note->setVisible(true);
    }
    lblDatarate->setText(r.lblDatarate);
    panel.setDataRateFromCode(r.txtDatarate, r.frontPanelRate);
    // The modulation register's word follows, whether or not the pushed rate changed.
    app_.UpdateAllRegisterLabels();
}

void frmGFSK::cmdUpdate_Click() {
    // The read-outs show the modulation register's new word.
    app_.UpdateAllRegisterLabels();
    unload();
}

void frmGFSK::storeSettings(PellionFields& f, const calc::GaussianPlan& p) {
    using platform::bit;
    if (p.indexCounter)
        f.GfskIndexCounterField = *p.indexCounter * bit(27);
    if (p.divider)
        f.TxDeviationField = *p.divider * bit(15);
    if (p.modControl)
        f.GfskModControlField = *p.modControl * bit(24);
}

calc::GaussianRecord frmGFSK::settingsInForce(const PellionFields& f) {
    using platform::bit;
    using platform::numberText;
    return {numberText(f.GfskIndexCounterField / double(bit(27))),
            numberText(f.TxDeviationField / double(bit(15))),
            numberText(f.GfskModControlField / double(bit(24)))};
}

} // namespace pellion
