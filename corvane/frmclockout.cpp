#include "corvane/frmclockout.h"

#include "corvane/corvaneapp.h"
#include "corvane/main_window.h"
#include "platform/numbers.h"
#include "platform/selector.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace corvane {

namespace {

// ClockOutField holds the code already shifted to its place, bits 7-10.
constexpr int ClockOutUnit = 128; // 2^7

const QString Off = QStringLiteral("OFF");

QLabel* label(const char* name, const QString& caption) {
    auto* l = new QLabel(caption);
    l->setObjectName(QString::fromLatin1(name));
    return l;
}

} // namespace

frmClockOut::frmClockOut(CorvaneApp& app) : app_(app) {
    setObjectName(QStringLiteral("frmClockOut"));
    setWindowTitle(QStringLiteral("Set Clock Out Frequency"));

    SelClockoutDivide = new platform::Selector;
    SelClockoutDivide->setObjectName(QStringLiteral("SelClockoutDivide"));
    SelClockoutDivide->setAccessibleName(QStringLiteral("Clock Out Divide Ratio"));
    lblcrystalfreq = label("lblcrystalfreq", QString());
    lblclkoutfrequency = label("lblclkoutfrequency", QString());
    cmdokclock = new QPushButton(QStringLiteral("Return to Front Panel"));
    cmdokclock->setObjectName(QStringLiteral("cmdokclock"));
    cmdokclock->setDefault(true);

    auto* divide = new QGroupBox(QStringLiteral("Clock Out Divide Ratio"));
    auto* dial = new QVBoxLayout(divide);
    dial->addWidget(SelClockoutDivide);

    auto* frequencies = new QGridLayout;
    frequencies->addWidget(label("Label1", QStringLiteral("Crystal Frequency  :")), 0, 0);
    frequencies->addWidget(lblcrystalfreq, 0, 1);
    frequencies->addWidget(label("Label2", QStringLiteral("Clock Out Frequency  :")), 1, 0);
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

QString frmClockOut::outputText(int ratio) const {
    const double crystal = app_.w().CrystalFrequencyMHz;
    return platform::formatNumber(crystal / ratio, u"#0.00") + QStringLiteral(" MHz");
}

void frmClockOut::Form_Load() {
    lblcrystalfreq->setText(platform::formatSingle(app_.w().CrystalFrequencyMHz, u"#0.000") +
                            QStringLiteral(" MHz"));

    // A stored value that is no position (say from a garbled settings file)
    // is left as it is: nothing is chosen until the user turns the selector.
    const int field = app_.f().ClockOutField;
    const int code = field / ClockOutUnit;
    positionChosen_ =
        field % ClockOutUnit == 0 && code >= 0 && code < platform::Selector::Positions;
    if (positionChosen_) {
        SelClockoutDivide->setPosition(code);
        if (code != 0) {
            lblclkoutfrequency->setText(outputText(2 * code));
        } else {
            SelClockoutDivide->setCaption(0, Off);
            lblclkoutfrequency->setText(Off);
        }
    }
    for (int p = 1; p < platform::Selector::Positions; ++p)
        SelClockoutDivide->setCaption(p, QString::number(2 * p));
}

void frmClockOut::UpdateClockout() {
    if (!positionChosen_)
        return;
    const int p = SelClockoutDivide->position();
    app_.f().ClockOutField = static_cast<int16_t>(p * ClockOutUnit);
    const int ratio = 2 * p;
    const QString text = ratio < 1 ? Off : outputText(ratio);
    lblclkoutfrequency->setText(text);
    app_.main().LblClockout->setText(text);
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

} // namespace corvane
