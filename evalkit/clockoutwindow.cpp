#include "evalkit/clockoutwindow.h"

#include "evalkit/programcontext.h"
#include "platform/core/numbers.h"
#include "platform/named.h"
#include "platform/selector.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace evalkit {

frmClockOut::frmClockOut(ProgramContext& app, const ClockOutDescription& description,
                         QLabel* frontPanelLabel, std::function<float()> crystalMHz)
    : app_(app), d_(description), field_(app, description.field), frontPanelLabel_(frontPanelLabel),
      crystalMHz_(std::move(crystalMHz)) {
    if (description.enableField)
        enable_.emplace(app, description.enableField);
    setObjectName(QLatin1String(DesignName));
    setWindowTitle(QStringLiteral("Set Clock Out Frequency"));

    SelClockoutDivide = platform::named(new platform::Selector, "SelClockoutDivide");
    SelClockoutDivide->setAccessibleName(QStringLiteral("Clock Out Divide Ratio"));
    lblcrystalfreq = platform::namedLabel("lblcrystalfreq", QString());
    lblclkoutfrequency = platform::namedLabel("lblclkoutfrequency", QString());
    cmdokclock = platform::namedButton("cmdokclock", QStringLiteral("Return to Front Panel"));
    cmdokclock->setDefault(true);

    auto* divide = new QGroupBox(QStringLiteral("Clock Out Divide Ratio"));
    auto* dial = new QVBoxLayout(divide);
    dial->addWidget(SelClockoutDivide);

    auto* frequencies = new QGridLayout;
    frequencies->addWidget(platform::namedLabel("Label1", description.crystalCaption), 0, 0);
    frequencies->addWidget(lblcrystalfreq, 0, 1);
    frequencies->addWidget(platform::namedLabel("Label2", QStringLiteral("Clock Out Frequency  :")),
                           1, 0);
    frequencies->addWidget(lblclkoutfrequency, 1, 1);
    frequencies->setColumnMinimumWidth(1, 90);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(divide);
    layout->addLayout(frequencies);
    layout->addWidget(cmdokclock);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(SelClockoutDivide, &platform::Selector::positionChanged, this,
            [this] { SelClockoutDivide_Change(); });
    connect(cmdokclock, &QPushButton::clicked, this, [this] { cmdokclock_Click(); });
}

QString frmClockOut::outputText(int ratio, const QString& unit) const {
    return platform::formatNumber(double(crystalMHz_()) / ratio, u"#0.00") + unit;
}

std::optional<int> frmClockOut::storedPosition() const {
    const std::optional<int> code = field_.code();
    if (!code || *code >= platform::Selector::Positions)
        return std::nullopt;
    // With an enable field, the output is off while the enable is clear.
    if (enable_ && enable_->stored() == 0)
        return 0;
    return code;
}

void frmClockOut::showCrystal() {
    lblcrystalfreq->setText(platform::formatSingle(crystalMHz_(), d_.crystalPattern) +
                            QStringLiteral(" MHz"));
}

void frmClockOut::showEvent(QShowEvent* event) {
    showCrystal();
    platform::Form::showEvent(event);
}

void frmClockOut::Form_Load() {
    showCrystal();

    // A stored value that is no position (say from a garbled settings file) is left as it is:
    // nothing is chosen until the user turns the selector.
    const std::optional<int> position = storedPosition();
    positionChosen_ = position.has_value();
    if (positionChosen_) {
        SelClockoutDivide->setPosition(*position);
        if (*position != 0) {
            lblclkoutfrequency->setText(outputText(2 * *position, d_.loadedOutputUnit));
        } else {
            SelClockoutDivide->setCaption(0, d_.offText);
            lblclkoutfrequency->setText(d_.offText);
        }
    }
    if (d_.offCaptionAlways)
        SelClockoutDivide->setCaption(0, d_.offText);
    for (int p = 1; p < platform::Selector::Positions; ++p)
        SelClockoutDivide->setCaption(p, QString::number(2 * p));
}

void frmClockOut::UpdateClockout() {
    if (!positionChosen_)
        return;
    const int p = SelClockoutDivide->position();
    if (enable_) {
        // Off is the enable cleared, with the divide field at its lowest ratio.
        field_.setCode(p == 0 ? 1 : p);
        enable_->setCode(p == 0 ? 0 : 1);
    } else {
        field_.setCode(p);
    }
    const QString text = p == 0 ? d_.offText : outputText(2 * p);
    lblclkoutfrequency->setText(text);
    frontPanelLabel_->setText(text);
}

void frmClockOut::SelClockoutDivide_Change() {
    positionChosen_ = true;
    UpdateClockout();
}

void frmClockOut::cmdokclock_Click() {
    UpdateClockout();
    app_.UpdateAllRegisterLabels();
    unload();
}

void frmClockOut::applySetting(int position) {
    SelClockoutDivide->setPosition(position);
    UpdateClockout();
}

int frmClockOut::settingPosition() const {
    return SelClockoutDivide->position();
}

} // namespace evalkit
