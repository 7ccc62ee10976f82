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

    Text1 = named(new QLineEdit, "Text1");
    Text1->setToolTip(QStringLiteral("Type in a numerical value here."));
    Option1 = named(new QRadioButton(QStringLiteral("dBm to Volt")), "Option1");
    Option2 = named(new QRadioButton(QStringLiteral("Volt to dBm")), "Option2");
    Option3 = named(new QRadioButton(QStringLiteral("dB to Volt")), "Option3");
    Option4 = named(new QRadioButton(QStringLiteral("Volt to dB")), "Option4");
    Text2 = named(new QLineEdit, "Text2");
    Command1 = named(new QPushButton(QStringLiteral("Perform Conversion")), "Command1");
    Command1->setDefault(true);
    Command3 = named(new QPushButton(QStringLiteral("Return to Front Panel")), "Command3");
    Frame1 = named(new QGroupBox(QStringLiteral("Useful Links:")), "Frame1");
    Text3 = named(new QLineEdit(QStringLiteral("https://en.wikipedia.org/wiki/Decibel")), "Text3");
    Text3->setReadOnly(true);

    auto* entries = new QGridLayout;
    entries->addWidget(named(new QLabel(QStringLiteral("I've got....")), "Label1"), 0, 0);
    entries->addWidget(Text1, 0, 1);
    entries->addWidget(named(new QLabel(QStringLiteral("Answer:")), "Label2"), 1, 0);
    entries->addWidget(Text2, 1, 1);

    // The options share one box so that choosing one clears the others.
    auto* options = new QGroupBox;
    auto* optionColumn = new QVBoxLayout(options);
    for (QRadioButton* o : {Option1, Option2, Option3, Option4})
        optionColumn->addWidget(o);

    auto* links = new QVBoxLayout(Frame1);
    links->addWidget(Text3);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(Command1);
    buttons->addWidget(Command3);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(entries);
    layout->addWidget(options);
    layout->addLayout(buttons);
    layout->addWidget(Frame1);

    connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
    connect(Command3, &QPushButton::clicked, this, [this] { Command3_Click(); });
}

void conversionform::Form_Load() {
    Option1->setChecked(true);
}

std::optional<LevelConversion> conversionform::chosenConversion() const {
    if (Option1->isChecked())
        return LevelConversion::DbmToVolt;
    if (Option2->isChecked())
        return LevelConversion::VoltToDbm;
    if (Option3->isChecked())
        return LevelConversion::DbToVolt;
    if (Option4->isChecked())
        return LevelConversion::VoltToDb;
    return std::nullopt;
}

void conversionform::Command1_Click() {
    const std::optional<double> x = platform::textToNumber(Text1->text());
    if (!x) {
        app_.messages().beep();
        app_.messages().message(QStringLiteral("Invalid entry. This must be a number"),
                                platform::MsgIcon::Exclamation);
        Text1->clear();
        Text1->setFocus();
        return;
    }
    const std::optional<LevelConversion> conversion = chosenConversion();
    Text2->setText(conversion ? levelAnswer(*conversion, *x) : QString());
}

void conversionform::Command3_Click() {
    unload();
}

} // namespace corvane
