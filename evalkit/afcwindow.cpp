#include "evalkit/afcwindow.h"
#include "evalkit/fielddialog.h"

#include "evalkit/programcontext.h"
#include "evalkit/settingsfile.h"
#include "platform/core/numbers.h"
#include "platform/entrymark.h"
#include "platform/listchoice.h"
#include "platform/named.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace evalkit {

namespace {

// A list whose index is the code of its field.
void showCode(QComboBox* list, const FieldRef& field) {
    if (const std::optional<int> code = field.code(); code && *code < list->count())
        list->setCurrentIndex(*code);
}

QString rangeCodeText(double code) {
    return QStringLiteral("= ") + platform::numberText(code);
}

} // namespace

frmAFC::frmAFC(ProgramContext& app, const AfcDescription& description,
               std::vector<QAbstractButton*> statusButtons)
    : app_(app), d_(description), statusButtons_(std::move(statusButtons)),
      kp_(app, description.kpField), ki_(app, description.kiField),
      scaling_(app, description.scalingField) {
    setObjectName(QLatin1String(DesignName));
    loadAgainWhenShown();
    setWindowTitle(QStringLiteral("AFC"));

    auto* grid = new QGridLayout;
    int row = 0;
    auto add = [&](const QString& caption, QWidget* control) {
        auto* label = new QLabel(caption);
        label->setBuddy(control);
        grid->addWidget(label, row, 0);
        grid->addWidget(control, row++, 1);
    };
    for (size_t n = 0; n < description.switches.size(); ++n) {
        const AfcDescription::Switch& s = description.switches[n];
        auto* toggle = platform::namedToggle(n == 0 ? "Toggle1" : "Toggle2");
        toggle->setStateTexts(QStringLiteral("Off"), QStringLiteral("On"));
        toggles_.push_back(toggle);
        switchFields_.emplace_back(app, s.field);
        add(s.caption, toggle);
        connect(toggle, &platform::Toggle::toggled, this, [this, n] { switchChanged(n); });
    }
    afcStatus = toggles_.empty() ? nullptr : toggles_[0];
    secondSwitch = toggles_.size() > 1 ? toggles_[1] : nullptr;

    cmbKp = dialog::list("cmbKp", dialog::numberItems(7));
    cmbKi = dialog::list("cmbKi", dialog::numberItems(15));
    add(QStringLiteral("Kp"), cmbKp);
    add(QStringLiteral("Ki"), cmbKi);
    if (description.rangeField) {
        range_.emplace(app, description.rangeField);
        txtAFCRange = dialog::box("txtAFCRange");
        rangeCode = dialog::label("Label6", QStringLiteral("= 50kHz"));
        add(QStringLiteral("Max AFC Range (+/-) kHz"), txtAFCRange);
        add(QStringLiteral("Reg10_DB[24:31]"), rangeCode);
    }
    txtAFCScaling = dialog::box("txtAFCScaling");
    add(QStringLiteral("AFC Scaling Factor"), txtAFCScaling);
    for (QLineEdit* box : {txtAFCRange, txtAFCScaling})
        if (box)
            box->setMaximumWidth(90);
    returnToPanel = dialog::returnButton("Command2");
    returnToPanel->setDefault(true);

    auto* foot = dialog::footer({returnToPanel});
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(foot);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    platform::onChoice(cmbKp, this, &frmAFC::cmbKp_Click);
    platform::onChoice(cmbKi, this, &frmAFC::cmbKi_Click);
    if (txtAFCRange)
        app_.entries().watch(txtAFCRange, {QStringLiteral("AFC range")},
                             [this] { txtAFCRange_Change(); });
    app_.entries().watch(txtAFCScaling, {QStringLiteral("AFC scaling")},
                         [this] { txtAFCScaling_Change(); });
    connect(returnToPanel, &QPushButton::clicked, this, &frmAFC::returnToPanel_Click);
}

void frmAFC::Form_Load() {
    if (txtAFCRange) {
        txtAFCRange->setText(
            platform::numberText(range_->stored() / range_->unit() * d_.range.step));
    }
    txtAFCScaling->setText(platform::numberText(scaling_.stored() / scaling_.unit()));
    showCode(cmbKp, kp_);
    showCode(cmbKi, ki_);
    for (size_t n = 0; n < toggles_.size(); ++n)
        toggles_[n]->setOn(switchFields_[n].code() == 1);
    if (rangeCode)
        rangeCode->setText(rangeCodeText(range_->stored() / range_->unit()));
}

void frmAFC::switchChanged(size_t n) {
    if (n < toggles_.size())
        switchFields_[n].setCode(toggles_[n]->isOn() ? 1 : 0);
}

void frmAFC::cmbKp_Click() {
    if (const int i = cmbKp->currentIndex(); i >= 0)
        kp_.setCode(i);
}

void frmAFC::cmbKi_Click() {
    if (const int i = cmbKi->currentIndex(); i >= 0)
        ki_.setCode(i);
}

void frmAFC::txtAFCScaling_Change() {
    const std::optional<int32_t> v = d_.scaling.accept(txtAFCScaling->text(), app_.messages());
    platform::showRefusal(txtAFCScaling, !v, d_.scalingAccepts);
    if (v)
        scaling_.setCode(*v);
}

void frmAFC::txtAFCRange_Change() {
    if (!txtAFCRange)
        return;
    const std::optional<int32_t> code = d_.range.accept(txtAFCRange->text(), app_.messages());
    platform::showRefusal(txtAFCRange, !code, d_.rangeAccepts);
    if (!code || !range_->setCode(*code))
        return;
    rangeCode->setText(rangeCodeText(*code));
}

void frmAFC::returnToPanel_Click() {
    for (size_t n = 0; n < toggles_.size(); ++n) {
        switchChanged(n);
        if (n < statusButtons_.size())
            dialog::showStatus(statusButtons_[n], d_.switches[n].status, switchFields_[n].stored());
    }
    dialog::returnToFrontPanel(*this, app_);
}

void frmAFC::applySettings(const calc::AfcPlan& p) {
    if (p.on) {
        afcStatus->setOn(*p.on);
        switchFields_.front().setCode(afcStatus->isOn() ? 1 : 0);
    }
    setIndex(cmbKi, p.ki, [this] { cmbKi_Click(); });
    setIndex(cmbKp, p.kp, [this] { cmbKp_Click(); });
    if (txtAFCRange)
        setText(txtAFCRange, p.range, [this] { txtAFCRange_Change(); });
}

calc::AfcRecord frmAFC::settingsInForce() const {
    calc::AfcRecord a;
    a.on = switchFields_.front().stored() != 0;
    a.ki = indexInForce(cmbKi, ki_.code());
    a.kp = indexInForce(cmbKp, kp_.code());
    if (txtAFCRange) {
        const std::optional<int> range = range_->code();
        a.range = range ? numberInForce(txtAFCRange, *range * d_.range.step)
                        : platform::textInForce(txtAFCRange);
    }
    return a;
}

} // namespace evalkit
