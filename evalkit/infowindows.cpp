#include "evalkit/infowindows.h"
#include "evalkit/fielddialog.h"

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
    description = platform::namedLabel("Label1", texts.description);
    description->setWordWrap(true);
    address = texts.address.isEmpty() ? nullptr : platform::namedLabel("Label2", texts.address);
    if (address)
        address->setWordWrap(true);
    okButton = platform::namedButton("Command1", texts.button);
    okButton->setDefault(true);
    connect(okButton, &QPushButton::clicked, this, &aboutform::okButton_Click);

    auto* foot = dialog::footer({okButton});

    auto* top = new QVBoxLayout(this);
    top->addWidget(REV);
    top->addWidget(description);
    if (address)
        top->addWidget(address);
    top->addLayout(foot);
    setMinimumWidth(420);
}

void aboutform::okButton_Click() {
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

    historyFrame = platform::named(new QGroupBox(history.frame), "Frame1");
    auto* lines = new QVBoxLayout(historyFrame);

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

    okButton = platform::namedButton("Command1", history.button);
    okButton->setToolTip(history.buttonToolTip);
    okButton->setDefault(true);
    connect(okButton, &QPushButton::clicked, this, &revform::okButton_Click);

    auto* foot = dialog::footer({okButton});

    auto* top = new QVBoxLayout(this);
    top->addWidget(historyFrame);
    top->addLayout(foot);
    setMinimumWidth(760);
}

void revform::okButton_Click() {
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
    intro = labels[0], step1 = labels[1], step2 = labels[2], step3 = labels[3];
    step4 = labels[4], step5 = labels[5], step6 = labels[6], step7 = labels[7];
    step8 = labels[8], step9 = labels[9];
    setMinimumWidth(460);
}

} // namespace evalkit
