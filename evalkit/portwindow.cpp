#include "evalkit/portwindow.h"

#include <QButtonGroup>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace evalkit {

namespace {
constexpr int16_t Lpt1 = 888, Lpt2 = 632, Prn = 956;
} // namespace

portform::portform(const PortTexts& texts, reglink::TransportValues& values, QWidget* parent)
    : platform::Form(parent), v_(values), storeCloses_(texts.storeCloses) {
    setObjectName(QLatin1String(DesignName));
    setWindowTitle(QStringLiteral("Port Connector"));
    Label1 = new QLabel(texts.prompt);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setWordWrap(true);
    Option1 = new QRadioButton(QStringLiteral("LPT1 (The usual choice) "));
    Option1->setObjectName(QStringLiteral("Option1"));
    Option2 = new QRadioButton(QStringLiteral("LPT2"));
    Option2->setObjectName(QStringLiteral("Option2"));
    Option3 = new QRadioButton(QStringLiteral("PRN"));
    Option3->setObjectName(QStringLiteral("Option3"));
    Command1 = new QPushButton(texts.store);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command2 = new QPushButton(texts.leave);
    Command2->setObjectName(QStringLiteral("Command2"));
    Command3 = new QPushButton(QStringLiteral("Command3"));
    Command3->setObjectName(QStringLiteral("Command3"));
    Command3->setVisible(false); // nothing shows it

    // One group so "none selected" is possible at load, as the remembered
    // address may match no option.
    auto* group = new QButtonGroup(this);
    group->setExclusive(true);
    for (auto* o : {Option1, Option2, Option3})
        group->addButton(o);

    auto* options = new QVBoxLayout;
    options->addWidget(Option1);
    options->addWidget(Option2);
    options->addWidget(Option3);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(Command1);
    buttons->addStretch();
    buttons->addWidget(Command2);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    layout->addLayout(options);
    layout->addLayout(buttons);
    layout->addWidget(Command3);

    connect(Command1, &QPushButton::clicked, this, &portform::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &portform::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &portform::Command3_Click);
}

void portform::Form_Load() {
    switch (v_.PortformAddress) {
    case Lpt1:
        Option1->setChecked(true);
        break;
    case Lpt2:
        Option2->setChecked(true);
        break;
    case Prn:
        Option3->setChecked(true);
        break;
    default:
        break;
    }
}

std::optional<int16_t> portform::selectedAddress() const {
    if (Option1->isChecked())
        return Lpt1;
    if (Option2->isChecked())
        return Lpt2;
    if (Option3->isChecked())
        return Prn;
    return std::nullopt;
}

void portform::Command1_Click() {
    // Only remembered: every write still goes to the data port chosen at start-up.
    if (const auto a = selectedAddress())
        v_.PortformAddress = *a;
    if (storeCloses_)
        unload();
}

void portform::Command2_Click() {
    unload();
}

void portform::Command3_Click() {
    if (const auto a = selectedAddress())
        v_.ParallelPortAddress = *a;
    unload();
}

} // namespace evalkit
