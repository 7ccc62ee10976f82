#include "corvane/frmpowerdown.h"

#include "corvane/corvaneapp.h"
#include "evalkit/fielddialog.h"
#include "platform/numbers.h"

#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

namespace corvane {

using evalkit::dialog::bit;

namespace {

const evalkit::dialog::FieldValues& paBiasValues() {
    static const auto values = evalkit::dialog::FieldValues::steps(4, bit(11));
    return values;
}
const evalkit::dialog::FieldValues& xtalBiasValues() {
    static const auto values = evalkit::dialog::FieldValues::steps(4, bit(13));
    return values;
}
const evalkit::dialog::FieldValues& vcoAdjustValues() {
    static const auto values = evalkit::dialog::FieldValues::steps(4, bit(23));
    return values;
}
const evalkit::dialog::FieldValues& vcoBiasValues() {
    static const auto values = evalkit::dialog::FieldValues::steps(16, bit(19));
    return values;
}
const evalkit::dialog::FieldValues& mixerValues() {
    static const evalkit::dialog::FieldValues values{0, bit(28)};
    return values;
}

QString microamps(int current) {
    return platform::strText(current) + QStringLiteral("uA");
}

} // namespace

frmPowerdown::frmPowerdown(CorvaneApp& app) : app_(app) {
    setObjectName(QStringLiteral("frmPowerdown"));
    setWindowTitle(QStringLiteral("Bias Settings"));
    setModal(false);

    HScrPABias = evalkit::dialog::scrollBar("HScrPABias", 3);
    lblPABias = evalkit::dialog::label("lblPABias", QStringLiteral("11uA"));
    cmbMixerLinearity = evalkit::dialog::list("cmbMixerLinearity",
                                              {QStringLiteral("Normal"), QStringLiteral("High")});
    HScrVCOAdjust = evalkit::dialog::scrollBar("HScrVCOAdjust", 3);
    lblVCOAdjust = evalkit::dialog::label("lblVCOAdjust", QString());
    HScrVCObias = evalkit::dialog::scrollBar("HScrVCObias", 15);
    lblVCObias = evalkit::dialog::label("lblVCObias", QString());
    lblVCOB = evalkit::dialog::label("lblVCOB", QString());
    HScrXtalBias = evalkit::dialog::scrollBar("HScrXtalBias", 3);
    lblXtalBias = evalkit::dialog::label("lblXtalBias", QStringLiteral("20uA"));
    Command1 = evalkit::dialog::returnButton("Command1");

    auto* pa = new QGroupBox(QStringLiteral("PA Bias"));
    auto* paRow = new QHBoxLayout(pa);
    paRow->addWidget(HScrPABias, 1);
    paRow->addWidget(lblPABias);

    auto* mixer = new QGroupBox(QStringLiteral("Mixer Linearity"));
    (new QHBoxLayout(mixer))->addWidget(cmbMixerLinearity);

    auto* vco = new QGroupBox(QStringLiteral("VCO Settings"));
    auto* vcoGrid = new QGridLayout(vco);
    vcoGrid->addWidget(new QLabel(QStringLiteral("VCO Adjust (Center Frequency)")), 0, 0, 1, 3);
    vcoGrid->addWidget(new QLabel(QStringLiteral("Min")), 1, 0);
    vcoGrid->addWidget(HScrVCOAdjust, 1, 1);
    vcoGrid->addWidget(new QLabel(QStringLiteral("Max")), 1, 2);
    vcoGrid->addWidget(lblVCOAdjust, 1, 3);
    vcoGrid->addWidget(new QLabel(QStringLiteral("VCO Bias")), 2, 0, 1, 3);
    vcoGrid->addWidget(HScrVCObias, 3, 0, 1, 3);
    vcoGrid->addWidget(lblVCObias, 3, 3);
    vcoGrid->addWidget(lblVCOB, 3, 4);
    vcoGrid->setColumnStretch(1, 1);

    auto* xtal = new QGridLayout;
    xtal->addWidget(new QLabel(QStringLiteral("Xtal Bias")), 0, 0);
    xtal->addWidget(HScrXtalBias, 0, 1);
    xtal->addWidget(lblXtalBias, 0, 2);
    xtal->setColumnStretch(1, 1);

    auto* layout = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    top->addWidget(pa, 1);
    top->addWidget(mixer);
    layout->addLayout(top);
    layout->addWidget(vco);
    layout->addLayout(xtal);
    layout->addWidget(Command1);
    setMinimumWidth(420);

    connect(HScrPABias, &QScrollBar::valueChanged, this, &frmPowerdown::HScrPABias_Change);
    connect(HScrXtalBias, &QScrollBar::valueChanged, this, &frmPowerdown::HScrXtalBias_Change);
    connect(HScrVCOAdjust, &QScrollBar::valueChanged, this, &frmPowerdown::HScrVCOAdjust_Change);
    connect(HScrVCObias, &QScrollBar::valueChanged, this, &frmPowerdown::HScrVCObias_Change);
    connect(cmbMixerLinearity, &QComboBox::currentIndexChanged, this,
            &frmPowerdown::cmbMixerLinearity_Change);
    cmbMixerLinearity->installEventFilter(this);
    connect(Command1, &QPushButton::clicked, this, &frmPowerdown::Command1_Click);
}

void frmPowerdown::Form_Load() {
    const CorvaneFields& f = app_.f();
    if (evalkit::dialog::showField(HScrVCOAdjust, vcoAdjustValues(), f.VcoAdjustField))
        lblVCOAdjust->setText(QStringLiteral("Setting ") +
                              platform::numberText(HScrVCOAdjust->value()));
    if (evalkit::dialog::showField(HScrVCObias, vcoBiasValues(), f.VcoBiasField)) {
        // The load shows the bias a quarter milliamp above what a move of the
        // bar shows for the same setting.
        lblVCObias->setText(platform::numberText(HScrVCObias->value() / 4.0 + 0.25) +
                            QStringLiteral(" mA"));
    }
    evalkit::dialog::showField(cmbMixerLinearity, mixerValues(), f.MixerLinearityField);
    if (evalkit::dialog::showField(HScrPABias, paBiasValues(), f.PaBiasField))
        showPABias();
    if (evalkit::dialog::showField(HScrXtalBias, xtalBiasValues(), f.XtalBiasField))
        showXtalBias();
}

void frmPowerdown::showPABias() {
    lblPABias->setText(microamps(2 * HScrPABias->value() + 5));
}

void frmPowerdown::showXtalBias() {
    lblXtalBias->setText(microamps(5 * HScrXtalBias->value() + 20));
}

void frmPowerdown::HScrPABias_Change() {
    if (const auto v = paBiasValues().at(HScrPABias->value())) {
        app_.f().PaBiasField = *v;
        showPABias();
    }
}

void frmPowerdown::HScrXtalBias_Change() {
    if (const auto v = xtalBiasValues().at(HScrXtalBias->value())) {
        app_.f().XtalBiasField = *v;
        showXtalBias();
    }
}

void frmPowerdown::HScrVCOAdjust_Change() {
    const int a = HScrVCOAdjust->value();
    if (const auto v = vcoAdjustValues().at(a)) {
        app_.f().VcoAdjustField = *v;
        lblVCOAdjust->setText(QStringLiteral("Setting ") + platform::strText(a));
    }
}

void frmPowerdown::HScrVCObias_Change() {
    const int n = HScrVCObias->value();
    if (const auto v = vcoBiasValues().at(n)) {
        app_.f().VcoBiasField = *v;
        lblVCObias->setText(platform::numberText(n / 4.0) + QStringLiteral(" mA"));
        lblVCOB->setText(QStringLiteral("Setting ") + platform::numberText(n));
    }
}

void frmPowerdown::cmbMixerLinearity_Change() {
    if (const auto v = mixerValues().at(cmbMixerLinearity->currentIndex()))
        app_.f().MixerLinearityField = *v;
    app_.UpdateAllRegisterLabels();
}

bool frmPowerdown::eventFilter(QObject* watched, QEvent* event) {
    if (watched == cmbMixerLinearity && event->type() == QEvent::FocusOut)
        cmbMixerLinearity_LostFocus();
    return platform::Form::eventFilter(watched, event);
}

void frmPowerdown::Command1_Click() {
    evalkit::dialog::returnToFrontPanel(*this, app_);
}

} // namespace corvane
