#include "evalkit/biaswindow.h"

#include "evalkit/fielddialog.h"
#include "evalkit/programcontext.h"
#include "evalkit/settingsfile.h"
#include "platform/core/numbers.h"

#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

namespace evalkit {

namespace {

QString microamps(int current) {
    return platform::strText(current) + QStringLiteral("uA");
}

QString milliamps(double current) {
    return platform::numberText(current) + QStringLiteral(" mA");
}

// Puts the bar on its field's code, which runs the bar's handler when that moves it; a code
// the bar has no position for leaves it. The result says whether the field named a position.
bool showCode(QScrollBar* bar, const FieldRef& field) {
    const std::optional<int> code = field.code();
    if (!code || *code < bar->minimum() || *code > bar->maximum())
        return false;
    bar->setValue(*code);
    return true;
}

} // namespace

BiasWindow::BiasWindow(ProgramContext& app, const BiasDescription& description)
    : app_(app), d_(description), paBias_(app, description.paBiasField),
      vcoAdjust_(app, description.vcoAdjustField), vcoBias_(app, description.vcoBiasField),
      mixer_(app, description.mixerField) {
    setObjectName(QLatin1String(DesignName));
    loadAgainWhenShown();
    setWindowTitle(QStringLiteral("Bias Settings"));
    setModal(false);

    HScrPABias = dialog::scrollBar("HScrPABias", 3);
    lblPABias = dialog::label("lblPABias", QStringLiteral("11uA"));
    cmbMixerLinearity =
        dialog::list("cmbMixerLinearity", {QStringLiteral("Normal"), QStringLiteral("High")});
    HScrVCOAdjust = dialog::scrollBar("HScrVCOAdjust", 3);
    lblVCOAdjust = dialog::label("lblVCOAdjust", QString());
    HScrVCObias = dialog::scrollBar("HScrVCObias", 15);
    lblVCObias = dialog::label("lblVCObias", QString());
    lblVCOB = dialog::label("lblVCOB", QString());
    returnToPanel = dialog::returnButton("Command1");
    returnToPanel->setDefault(true);
    // Room for the longest texts, so the bars do not move as the labels change.
    const int labelWidth = lblVCOB->fontMetrics().horizontalAdvance(QStringLiteral("Setting 15  "));
    for (QLabel* l : {lblPABias, lblVCOAdjust, lblVCObias, lblVCOB})
        l->setMinimumWidth(labelWidth);
    for (QScrollBar* bar : {HScrPABias, HScrVCOAdjust, HScrVCObias})
        bar->setMinimumWidth(160);

    auto* pa = new QGroupBox(QStringLiteral("PA Bias"));
    auto* paRow = new QHBoxLayout(pa);
    paRow->addWidget(HScrPABias, 1);
    paRow->addWidget(lblPABias);

    auto* mixer = new QGroupBox(QStringLiteral("Mixer Linearity"));
    (new QHBoxLayout(mixer))->addWidget(cmbMixerLinearity);

    auto* vco = new QGroupBox(QStringLiteral("VCO Settings"));
    auto* vcoGrid = new QGridLayout(vco);
    auto* adjustCaption = new QLabel(QStringLiteral("VCO Adjust (Center Frequency)"));
    adjustCaption->setBuddy(HScrVCOAdjust);
    vcoGrid->addWidget(adjustCaption, 0, 0, 1, 3);
    if (description.vcoAdjustEnds) {
        vcoGrid->addWidget(new QLabel(QStringLiteral("Min")), 1, 0);
        vcoGrid->addWidget(new QLabel(QStringLiteral("Max")), 1, 2);
    }
    vcoGrid->addWidget(HScrVCOAdjust, 1, 1);
    vcoGrid->addWidget(lblVCOAdjust, 1, 3);
    auto* biasCaption = new QLabel(QStringLiteral("VCO Bias"));
    biasCaption->setBuddy(HScrVCObias);
    vcoGrid->addWidget(biasCaption, 2, 0, 1, 3);
    vcoGrid->addWidget(HScrVCObias, 3, 0, 1, 3);
    vcoGrid->addWidget(lblVCObias, 3, 3);
    vcoGrid->addWidget(lblVCOB, 3, 4);
    vcoGrid->setColumnStretch(1, 1);

    auto* layout = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    top->addWidget(pa, 1);
    top->addWidget(mixer);
    layout->addLayout(top);
    layout->addWidget(vco);
    if (description.xtalBiasField) {
        xtalBias_.emplace(app, description.xtalBiasField);
        HScrXtalBias = dialog::scrollBar("HScrXtalBias", 3);
        lblXtalBias = dialog::label("lblXtalBias", QStringLiteral("20uA"));
        auto* xtal = new QGridLayout;
        auto* xtalCaption = new QLabel(QStringLiteral("Xtal Bias"));
        xtalCaption->setBuddy(HScrXtalBias);
        xtal->addWidget(xtalCaption, 0, 0);
        xtal->addWidget(HScrXtalBias, 0, 1);
        xtal->addWidget(lblXtalBias, 0, 2);
        xtal->setColumnStretch(1, 1);
        layout->addLayout(xtal);
        connect(HScrXtalBias, &QScrollBar::valueChanged, this, &BiasWindow::HScrXtalBias_Change);
    }
    auto* foot = dialog::footer({returnToPanel});
    layout->addLayout(foot);
    setMinimumWidth(440);

    connect(HScrPABias, &QScrollBar::valueChanged, this, &BiasWindow::HScrPABias_Change);
    connect(HScrVCOAdjust, &QScrollBar::valueChanged, this, &BiasWindow::HScrVCOAdjust_Change);
    connect(HScrVCObias, &QScrollBar::valueChanged, this, &BiasWindow::HScrVCObias_Change);
    connect(cmbMixerLinearity, &QComboBox::currentIndexChanged, this,
            &BiasWindow::cmbMixerLinearity_Change);
    cmbMixerLinearity->installEventFilter(this);
    connect(returnToPanel, &QPushButton::clicked, this, &BiasWindow::returnToPanel_Click);
}

void BiasWindow::Form_Load() {
    if (showCode(HScrVCOAdjust, vcoAdjust_))
        lblVCOAdjust->setText(QStringLiteral("Setting ") +
                              platform::numberText(HScrVCOAdjust->value()));
    // The load shows the bias a quarter milliamp above n / 4.
    if (showCode(HScrVCObias, vcoBias_))
        lblVCObias->setText(milliamps(HScrVCObias->value() / 4.0 + 0.25));
    if (const std::optional<int> mixer = mixer_.code();
        mixer && *mixer < cmbMixerLinearity->count())
        cmbMixerLinearity->setCurrentIndex(*mixer);
    if (showCode(HScrPABias, paBias_))
        showPABias();
    if (HScrXtalBias && showCode(HScrXtalBias, *xtalBias_))
        showXtalBias();
}

void BiasWindow::showPABias() {
    lblPABias->setText(microamps(2 * HScrPABias->value() + 5));
}

void BiasWindow::showXtalBias() {
    lblXtalBias->setText(microamps(5 * HScrXtalBias->value() + 20));
}

void BiasWindow::HScrPABias_Change() {
    if (paBias_.setCode(HScrPABias->value()))
        showPABias();
}

void BiasWindow::HScrXtalBias_Change() {
    if (HScrXtalBias && xtalBias_->setCode(HScrXtalBias->value()))
        showXtalBias();
}

void BiasWindow::HScrVCOAdjust_Change() {
    const int a = HScrVCOAdjust->value();
    if (vcoAdjust_.setCode(a))
        lblVCOAdjust->setText(QStringLiteral("Setting ") + platform::strText(a));
}

void BiasWindow::HScrVCObias_Change() {
    const int n = HScrVCObias->value();
    if (!vcoBias_.setCode(n))
        return;
    lblVCObias->setText(milliamps(n / 4.0 + d_.vcoBiasMovedOffsetMilliamps));
    lblVCOB->setText(QStringLiteral("Setting ") + platform::numberText(n));
}

void BiasWindow::cmbMixerLinearity_Change() {
    const int i = cmbMixerLinearity->currentIndex();
    if (i >= 0)
        mixer_.setCode(i);
}

bool BiasWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == cmbMixerLinearity && event->type() == QEvent::FocusOut)
        cmbMixerLinearity_LostFocus();
    return platform::Form::eventFilter(watched, event);
}

void BiasWindow::returnToPanel_Click() {
    dialog::returnToFrontPanel(*this, app_);
}

void BiasWindow::applyVcoSettings(const calc::BiasPlan& p) {
    setValue(HScrVCOAdjust, p.vcoBand, [this] { HScrVCOAdjust_Change(); });
    setValue(HScrVCObias, p.vcoBias, [this] { HScrVCObias_Change(); });
}

void BiasWindow::applyPaBiasSetting(const calc::BiasPlan& p) {
    setValue(HScrPABias, p.paBias, [this] { HScrPABias_Change(); });
}

void BiasWindow::applyMixerSetting(const calc::BiasPlan& p) {
    if (!p.mixerLinearity)
        return;
    mixer_.setCode(*p.mixerLinearity);
    setIndex(cmbMixerLinearity, p.mixerLinearity, [this] { cmbMixerLinearity_Change(); });
}

calc::BiasRecord BiasWindow::settingsInForce() const {
    return {
        valueInForce(HScrPABias, paBias_.code()), indexInForce(cmbMixerLinearity, mixer_.code()),
        valueInForce(HScrVCOAdjust, vcoAdjust_.code()), valueInForce(HScrVCObias, vcoBias_.code())};
}

} // namespace evalkit
