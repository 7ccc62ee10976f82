#include "corvane/aboutform.h"

#include "corvane/corvaneapp.h"
#include "platform/named.h"

#include <QFont>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace corvane {

aboutform::aboutform(CorvaneApp& app) : app_(app) {
    setObjectName(QStringLiteral("aboutform"));
    setWindowTitle(QStringLiteral("Who's behind this software ?"));

    REV = platform::namedLabel("REV", QStringLiteral("REV 3.2 Release, Jan 2008"));
    QFont big = REV->font();
    big.setBold(true);
    big.setPointSizeF(big.pointSizeF() * 1.4);
    REV->setFont(big);
    Label1 = platform::namedLabel("Label1", QStringLiteral("This Software is an evaluation tool "
                                                           "for the Verrix Corvane Low Power "
                                                           "Narrow Band Transceiver. "));
    Label1->setWordWrap(true);
    Label2 = platform::namedLabel(
        "Label2",
        QStringLiteral("Verrix Ltd., 4 Millbrook Court, Eastfield Park, Dunmarrow DM3 9QT"));
    Label2->setWordWrap(true);
    Command1 = platform::namedButton("Command1", QStringLiteral("OK"));
    Command1->setDefault(true);
    connect(Command1, &QPushButton::clicked, this, &aboutform::Command1_Click);

    auto* foot = new QHBoxLayout;
    foot->addStretch();
    foot->addWidget(Command1);

    auto* top = new QVBoxLayout(this);
    top->addWidget(REV);
    top->addWidget(Label1);
    top->addWidget(Label2);
    top->addLayout(foot);
    setMinimumWidth(420);
}

void aboutform::Command1_Click() {
    unload();
}

} // namespace corvane
