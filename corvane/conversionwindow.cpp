#include "corvane/conversionwindow.h"
#include "platform/named.h"

#include "corvane/corvaneapp.h"
#include "platform/core/numbers.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <cmath>

namespace corvane {

namespace {

// 0 dBm across 600 ohms.
constexpr double ZeroDbmVolts = 0.775;

using platform::named;

std::optional<double> finite(double v) {
    if (!std::isfinite(v))
        return std::nullopt;
    return v;
}

} // namespace

std::optional<double> convertLevel(LevelConversion conversion, double x) {
    switch (conversion) {
    case LevelConversion::DbmToVolt:
        return finite(ZeroDbmVolts * std::pow(10.0, x / 20.0));
    case LevelConversion::VoltToDbm:
        if (!(x > 0))
            return std::nullopt;
        return finite(20.0 * std::log10(x / ZeroDbmVolts));
    case LevelConversion::DbToVolt:
        return finite(std::pow(10.0, x / 20.0));
    case LevelConversion::VoltToDb:
        if (!(x > 0))
            return std::nullopt;
        return finite(20.0 * std::log10(x));
    }
    return std::nullopt;
}

QString levelAnswer(LevelConversion conversion, double x) {
    const std::optional<double> v = convertLevel(conversion, x);
    return v ? platform::formatNumber(*v, u"#0.00000") : QStringLiteral("undefined");
}

conversionform::conversionform(CorvaneApp& app) : app_(app) {
    setObjectName(QLatin1String(DesignName));
    setWindowTitle(QStringLiteral("Conversion Calculator"));

    level = named(new QLineEdit, "Text1");
    level->setToolTip(QStringLiteral("Type in a numerical value here."));
    dBmToVolt = named(new QRadioButton(QStringLiteral("dBm to Volt")), "Option1");
    voltToDbm = named(new QRadioButton(QStringLiteral("Volt to dBm")), "Option2");
    dBToVolt = named(new QRadioButton(QStringLiteral("dB to Volt")), "Option3");
    voltToDb = named(new QRadioButton(QStringLiteral("Volt to dB")), "Option4");
    answer = named(new QLineEdit, "Text2");
    performConversion = named(new QPushButton(QStringLiteral("Perform Conversion")), "Command1");
    performConversion->setDefault(true);
    returnToPanel = named(new QPushButton(QStringLiteral("Return to Front Panel")), "Command3");
    usefulLinks = named(new QGroupBox(QStringLiteral("Useful Links:")), "Frame1");
    usefulLink =
        named(new QLineEdit(QStringLiteral("https://en.wikipedia.org/wiki/Decibel")), "Text3");
    usefulLink->setReadOnly(true);

    auto* entries = new QGridLayout;
    entries->addWidget(named(new QLabel(QStringLiteral("I've got....")), "Label1"), 0, 0);
    entries->addWidget(level, 0, 1);
    entries->addWidget(named(new QLabel(QStringLiteral("Answer:")), "Label2"), 1, 0);
    entries->addWidget(answer, 1, 1);

    // The options share one box so that choosing one clears the others.
    auto* options = new QGroupBox;
    auto* optionColumn = new QVBoxLayout(options);
    for (QRadioButton* o : {dBmToVolt, voltToDbm, dBToVolt, voltToDb})
        optionColumn->addWidget(o);

    auto* links = new QVBoxLayout(usefulLinks);
    links->addWidget(usefulLink);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(performConversion);
    buttons->addWidget(returnToPanel);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(entries);
    layout->addWidget(options);
    layout->addLayout(buttons);
    layout->addWidget(usefulLinks);

    connect(performConversion, &QPushButton::clicked, this, [this] { performConversion_Click(); });
    connect(returnToPanel, &QPushButton::clicked, this, [this] { returnToPanel_Click(); });
}

void conversionform::Form_Load() {
    dBmToVolt->setChecked(true);
}

std::optional<LevelConversion> conversionform::chosenConversion() const {
    if (dBmToVolt->isChecked())
        return LevelConversion::DbmToVolt;
    if (voltToDbm->isChecked())
        return LevelConversion::VoltToDbm;
    if (dBToVolt->isChecked())
        return LevelConversion::DbToVolt;
    if (voltToDb->isChecked())
        return LevelConversion::VoltToDb;
    return std::nullopt;
}

void conversionform::performConversion_Click() {
    const std::optional<double> x = platform::textToNumber(level->text());
    if (!x) {
        app_.messages().beep();
        app_.messages().message(QStringLiteral("Invalid entry. This must be a number"),
                                platform::MsgIcon::Exclamation);
        level->clear();
        level->setFocus();
        return;
    }
    const std::optional<LevelConversion> conversion = chosenConversion();
    answer->setText(conversion ? levelAnswer(*conversion, *x) : QString());
}

void conversionform::returnToPanel_Click() {
    unload();
}

} // namespace corvane
