#include "corvane/ibmhelpform.h"

#include "corvane/corvaneapp.h"

#include <QLabel>
#include <QVBoxLayout>

namespace corvane {

IBMhelpform::IBMhelpform(CorvaneApp& app) : app_(app) {
    setObjectName(QStringLiteral("IBMhelpform"));
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

} // namespace corvane
