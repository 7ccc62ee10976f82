#include "tessarine/biaswindow.h"

#include "evalkit/fielddialog.h"
#include "evalkit/settingsfile.h"
#include "platform/core/numbers.h"
#include "tessarine/tessarineapp.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

namespace tessarine {

using evalkit::dialog::bit;
using evalkit::dialog::FieldValues;

namespace {

const FieldValues& paBiasValues() {
    static const auto values = FieldValues::steps(8, bit(20));
    return values;
}
const FieldValues& vcoAdjustValues() {
    static const auto values = FieldValues::steps(4, bit(23));
    return values;
}
const FieldValues& vcoBiasValues() {
    static const auto values = FieldValues::steps(16, bit(16));
    return values;
}

QString setting(int n) {
    return QStringLiteral("Setting ") + platform::numberText(n);
}

// The PA bias current is 5 uA above its setting.
constexpr int PaBiasOffsetMicroamps = 5;

} // namespace

BiasWindow::BiasWindow(TessarineApp& app) : app_(app) {
    setObjectName(QLatin1String(DesignName));
    setWindowTitle(QStringLiteral("Bias Settings"));

    HScrPAbias = evalkit::dialog::scrollBar("HScrPAbias", 7);
    lblPABias = evalkit::dialog::label("lblPABias", QString());
    HScrVCOAdjust = evalkit::dialog::scrollBar("HScrVCOAdjust", 3);
    lblVCOAdjust = evalkit::dialog::label("lblVCOAdjust", QString());
    HScrVCObias = evalkit::dialog::scrollBar("HScrVCObias", 15);
    lblVCObias = evalkit::dialog::label("lblVCObias", QString());
    returnToPanel = evalkit::dialog::returnButton("Command1");
    returnToPanel->setDefault(true);
    const int labelWidth =
        lblPABias->fontMetrics().horizontalAdvance(setting(7) + QStringLiteral("   12 uA"));
    for (QLabel* l : {lblPABias, lblVCOAdjust, lblVCObias})
        l->setMinimumWidth(labelWidth);
    for (QScrollBar* bar : {HScrPAbias, HScrVCOAdjust, HScrVCObias})
        bar->setMinimumWidth(180);

    auto* pa = new QGroupBox(QStringLiteral("PA Bias"));
    auto* paRow = new QHBoxLayout(pa);
    paRow->addWidget(HScrPAbias, 1);
    paRow->addWidget(lblPABias);

    auto* adjust = new QGroupBox;
    auto* adjustGrid = new QGridLayout(adjust);
    auto* adjustTitle = new QLabel(QStringLiteral("VCO Adjust (Center Frequency)"));
    adjustTitle->setBuddy(HScrVCOAdjust);
    adjustGrid->addWidget(adjustTitle, 0, 0, 1, 2);
    adjustGrid->addWidget(HScrVCOAdjust, 1, 0);
    adjustGrid->addWidget(lblVCOAdjust, 1, 1);
    adjustGrid->setColumnStretch(0, 1);

    auto* vco = new QGroupBox(QStringLiteral("VCO Bias"));
    auto* vcoRow = new QHBoxLayout(vco);
    vcoRow->addWidget(HScrVCObias, 1);
    vcoRow->addWidget(lblVCObias);

    auto* foot = evalkit::dialog::footer({returnToPanel});

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(pa);
    layout->addWidget(adjust);
    layout->addWidget(vco);
    layout->addLayout(foot);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(HScrPAbias, &QScrollBar::valueChanged, this, &BiasWindow::HScrPAbias_Change);
    connect(HScrVCOAdjust, &QScrollBar::valueChanged, this, &BiasWindow::HScrVCOAdjust_Change);
    connect(HScrVCObias, &QScrollBar::valueChanged, this, &BiasWindow::HScrVCObias_Change);
    connect(returnToPanel, &QPushButton::clicked, this, &BiasWindow::returnToPanel_Click);
}

void BiasWindow::Form_Load() {
    const TessarineFields& f = app_.f();
    // A bar already at its setting runs no handler, so each label is shown here as well.
    if (evalkit::dialog::showField(HScrPAbias, paBiasValues(), f.PaBiasField))
        showPABias();
    if (evalkit::dialog::showField(HScrVCOAdjust, vcoAdjustValues(), f.VcoAdjustField))
        showVCOAdjust();
    if (evalkit::dialog::showField(HScrVCObias, vcoBiasValues(), f.VcoBiasField))
        showVCObias();
}

void BiasWindow::showPABias() {
    const int n = HScrPAbias->value();
    lblPABias->setText(setting(n) + QStringLiteral("   ") +
                       platform::numberText(n + PaBiasOffsetMicroamps) + QStringLiteral(" uA"));
}

void BiasWindow::showVCOAdjust() {
    lblVCOAdjust->setText(setting(HScrVCOAdjust->value()));
}

void BiasWindow::showVCObias() {
    lblVCObias->setText(setting(HScrVCObias->value()));
}

void BiasWindow::HScrPAbias_Change() {
    if (const auto v = paBiasValues().at(HScrPAbias->value())) {
        app_.f().PaBiasField = *v;
        showPABias();
    }
    app_.fnGuiWrite();
}

void BiasWindow::HScrVCOAdjust_Change() {
    if (const auto v = vcoAdjustValues().at(HScrVCOAdjust->value())) {
        app_.f().VcoAdjustField = *v;
        showVCOAdjust();
    }
    app_.fnGuiWrite();
}

void BiasWindow::HScrVCObias_Change() {
    if (const auto v = vcoBiasValues().at(HScrVCObias->value())) {
        app_.f().VcoBiasField = *v;
        showVCObias();
    }
    app_.fnGuiWrite();
}

void BiasWindow::returnToPanel_Click() {
    unload();
}

void BiasWindow::applySettings(const calc::OtherPlan& p) {
    evalkit::setValue(HScrVCOAdjust, p.vcoAdjust);
    evalkit::setValue(HScrVCObias, p.vcoBias);
    evalkit::setValue(HScrPAbias, p.paBias);
}

calc::BiasRecord BiasWindow::settings() const {
    return {evalkit::valueText(HScrVCOAdjust), evalkit::valueText(HScrVCObias),
            evalkit::valueText(HScrPAbias)};
}

} // namespace tessarine
