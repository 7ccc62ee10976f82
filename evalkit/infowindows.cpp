#include "evalkit/infowindows.h"

#include "platform/named.h"

#include <QFont>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <array>

namespace evalkit {

// ---- about box ----------------------------------------------------------------------------

aboutform::aboutform(const AboutTexts& texts) {
    setObjectName(QLatin1String(DesignName));
    setWindowTitle(QStringLiteral("Who's behind this software ?"));

    REV = platform::namedLabel("REV", texts.revision);
    QFont big = REV->font();
    big.setBold(true);
    big.setPointSizeF(big.pointSizeF() * 1.4);
    REV->setFont(big);
    Label1 = platform::namedLabel("Label1", texts.description);
    Label1->setWordWrap(true);
    Label2 = texts.address.isEmpty() ? nullptr : platform::namedLabel("Label2", texts.address);
    if (Label2)
        Label2->setWordWrap(true);
    Command1 = platform::namedButton("Command1", texts.button);
    Command1->setDefault(true);
    connect(Command1, &QPushButton::clicked, this, &aboutform::Command1_Click);

    auto* foot = new QHBoxLayout;
    foot->addStretch();
    foot->addWidget(Command1);

    auto* top = new QVBoxLayout(this);
    top->addWidget(REV);
    top->addWidget(Label1);
    if (Label2)
        top->addWidget(Label2);
    top->addLayout(foot);
    setMinimumWidth(420);
}

void aboutform::Command1_Click() {
    unload();
}

// ---- revision history -----------------------------------------------------------------------

QString RevisionHistory::columns(const QString& revision, const QString& date,
                                 const QString& note) {
    return revision.leftJustified(12) + date.leftJustified(14) + note;
}

revform::revform(const RevisionHistory& history) {
    setObjectName(QLatin1String(DesignName));
    setWindowTitle(QStringLiteral("Help / Information"));

    Frame1 = platform::named(new QGroupBox(history.frame), "Frame1");
    auto* lines = new QVBoxLayout(Frame1);

    QFont fixed(QStringLiteral("Courier"));
    fixed.setStyleHint(QFont::TypeWriter);
    fixed.setBold(true);
    for (const RevisionHistory::Line& line : history.lines) {
        auto* label = new QLabel(line.text);
        label->setObjectName(line.name.isEmpty() ? QStringLiteral("Label") +
                                                       QString::number(historyLines.size() + 1)
                                                 : line.name);
        historyLines.push_back(label);
        switch (line.kind) {
        case RevisionHistory::Kind::Revision:
            label->setFont(fixed);
            lines->addSpacing(4);
            break;
        case RevisionHistory::Kind::Note:
            label->setWordWrap(true);
            label->setIndent(24);
            break;
        case RevisionHistory::Kind::Footer:
            lines->addSpacing(10);
            break;
        }
        lines->addWidget(label);
    }

    Command1 = platform::namedButton("Command1", history.button);
    Command1->setToolTip(history.buttonToolTip);
    Command1->setDefault(true);
    connect(Command1, &QPushButton::clicked, this, &revform::Command1_Click);

    auto* foot = new QHBoxLayout;
    foot->addStretch();
    foot->addWidget(Command1);

    auto* top = new QVBoxLayout(this);
    top->addWidget(Frame1);
    top->addLayout(foot);
    setMinimumWidth(760);
}

void revform::Command1_Click() {
    unload();
}

// ---- laptop help ----------------------------------------------------------------------------

IBMhelpform::IBMhelpform() {
    setObjectName(QLatin1String(DesignName));
    setWindowTitle(QStringLiteral("IBM Thinkpad Help"));

    const QString texts[] = {
        QStringLiteral("For IBM Thinkpad platforms, if problems are encountered in communicating "
                       "with the evaluation board, please follow these instructions:"),
        QStringLiteral("1. From the Windows Start menu, enter Control Panel."),
        QStringLiteral("2. Enter the System section."),
        QStringLiteral("3. Select the Hardware tab."),
        QStringLiteral("4. Click on Device Manager."),
        QStringLiteral("5. Click on Ports (COM and LPT)."),
        QStringLiteral("6. Click on Printer Port LPT1."),
        QStringLiteral("7. Select the Port Settings tab."),
        QStringLiteral("8. Check \"Enable Plug and Play\"."),
        QStringLiteral("9. Check \"Never Use an Interupt\"."),
    };
    std::array<QLabel*, 10> labels{};
    auto* top = new QVBoxLayout(this);
    for (size_t i = 0; i < labels.size(); ++i) {
        labels[i] = new QLabel(texts[i]);
        labels[i]->setObjectName(QStringLiteral("Label") + QString::number(i + 1));
        labels[i]->setWordWrap(true);
        top->addWidget(labels[i]);
        // The introduction stands apart from the steps.
        if (i == 0)
            top->addSpacing(8);
    }
    Label1 = labels[0], Label2 = labels[1], Label3 = labels[2], Label4 = labels[3];
    Label5 = labels[4], Label6 = labels[5], Label7 = labels[6], Label8 = labels[7];
    Label9 = labels[8], Label10 = labels[9];
    setMinimumWidth(460);
}

} // namespace evalkit
