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
    prompt = new QLabel(texts.prompt);
    prompt->setObjectName(QStringLiteral("Label1"));
    prompt->setWordWrap(true);
    lpt1 = new QRadioButton(QStringLiteral("LPT1 (The usual choice) "));
    lpt1->setObjectName(QStringLiteral("Option1"));
    lpt2 = new QRadioButton(QStringLiteral("LPT2"));
    lpt2->setObjectName(QStringLiteral("Option2"));
    prn = new QRadioButton(QStringLiteral("PRN"));
    prn->setObjectName(QStringLiteral("Option3"));
    storeButton = new QPushButton(texts.store);
    storeButton->setObjectName(QStringLiteral("Command1"));
    leaveButton = new QPushButton(texts.leave);
    leaveButton->setObjectName(QStringLiteral("Command2"));
    hiddenButton = new QPushButton(QStringLiteral("Command3"));
    hiddenButton->setObjectName(QStringLiteral("Command3"));
    hiddenButton->setVisible(false); // nothing shows it

    // One group so "none selected" is possible at load, as the remembered
    // address may match no option.
    auto* group = new QButtonGroup(this);
    group->setExclusive(true);
    for (auto* o : {lpt1, lpt2, prn})
        group->addButton(o);

    auto* options = new QVBoxLayout;
    options->addWidget(lpt1);
    options->addWidget(lpt2);
    options->addWidget(prn);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(storeButton);
    buttons->addStretch();
    buttons->addWidget(leaveButton);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(prompt);
    layout->addLayout(options);
    layout->addLayout(buttons);
    layout->addWidget(hiddenButton);

    connect(storeButton, &QPushButton::clicked, this, &portform::storeButton_Click);
    connect(leaveButton, &QPushButton::clicked, this, &portform::leaveButton_Click);
    connect(hiddenButton, &QPushButton::clicked, this, &portform::hiddenButton_Click);
}

void portform::Form_Load() {
    switch (v_.PortformAddress) {
    case Lpt1:
        lpt1->setChecked(true);
        break;
    case Lpt2:
        lpt2->setChecked(true);
        break;
    case Prn:
        prn->setChecked(true);
        break;
    default:
        break;
    }
}

std::optional<int16_t> portform::selectedAddress() const {
    if (lpt1->isChecked())
        return Lpt1;
    if (lpt2->isChecked())
        return Lpt2;
    if (prn->isChecked())
        return Prn;
    return std::nullopt;
}

void portform::storeButton_Click() {
    // Only remembered: every write still goes to the data port chosen at start-up.
    if (const auto a = selectedAddress())
        v_.PortformAddress = *a;
    if (storeCloses_)
        unload();
}

void portform::leaveButton_Click() {
    unload();
}

void portform::hiddenButton_Click() {
    if (const auto a = selectedAddress())
        v_.ParallelPortAddress = *a;
    unload();
}

} // namespace evalkit
