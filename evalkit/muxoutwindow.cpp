#include "evalkit/muxoutwindow.h"

#include "evalkit/programcontext.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace evalkit {

muxform::muxform(ProgramContext& app, const MuxoutChoices& choices, QLabel* frontPanelLabel)
    : app_(app), choices_(choices), field_(app, choices.field), frontPanelLabel_(frontPanelLabel) {
    setObjectName(QLatin1String(DesignName));
    setWindowTitle(QStringLiteral("Muxout Options"));

    // The options share one box so that choosing one clears the others; a long list goes in
    // two columns.
    auto* pins = new QGroupBox;
    auto* grid = new QGridLayout(pins);
    const int rows = choices.captions.size() > 8 ? (int(choices.captions.size()) + 1) / 2
                                                 : int(choices.captions.size());
    for (int k = 0; k < choices.captions.size(); ++k) {
        auto* b = new QRadioButton(choices.captions[k]);
        b->setObjectName(QStringLiteral("lblmux") + QString::number(k));
        lblmux.push_back(b);
        grid->addWidget(b, k % rows, k / rows);
    }
    returnToPanel = new QPushButton(QStringLiteral("Return to Front Panel"));
    returnToPanel->setObjectName(QStringLiteral("Command1"));
    returnToPanel->setDefault(true);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(pins);
    layout->addWidget(returnToPanel);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(returnToPanel, &QPushButton::clicked, this, [this] { returnToPanel_Click(); });
}

void muxform::Form_Load() {
    // A stored value that is no code leaves every option clear.
    const std::optional<int> k = field_.code();
    if (k && *k < int(lblmux.size()))
        lblmux[size_t(*k)]->setChecked(true);
}

void muxform::UpdateMux() {
    for (size_t k = 0; k < lblmux.size(); ++k) {
        if (lblmux[k]->isChecked()) {
            field_.setCode(int(k));
            frontPanelLabel_->setText(lblmux[k]->text());
            return;
        }
    }
}

void muxform::returnToPanel_Click() {
    UpdateMux();
    app_.UpdateAllRegisterLabels();
    unload();
}

void muxform::closeBox() {
    if (choices_.closeBoxKeepsChoice)
        returnToPanel_Click();
    else
        unload();
}

void muxform::applySetting(int code) {
    lblmux.at(static_cast<std::size_t>(code))->setChecked(true);
    UpdateMux();
}

} // namespace evalkit
