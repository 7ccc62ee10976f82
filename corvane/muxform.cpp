#include "corvane/muxform.h"

#include "corvane/corvaneapp.h"
#include "corvane/main_window.h"

#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace corvane {

namespace {

// MuxoutField holds the code already shifted to its place, bits 29-31.
constexpr double MuxoutUnit = 536870912.0; // 2^29

QRadioButton* option(const char* name, const QString& caption) {
    auto* b = new QRadioButton(caption);
    b->setObjectName(QString::fromLatin1(name));
    return b;
}

} // namespace

muxform::muxform(CorvaneApp& app) : app_(app) {
    setObjectName(QStringLiteral("muxform"));
    setWindowTitle(QStringLiteral("Muxout Options"));

    lblmux0 = option("lblmux0", QStringLiteral("Regulator Ready"));
    lblmux1 = option("lblmux1", QStringLiteral("End of Cal"));
    lblmux2 = option("lblmux2", QStringLiteral("Digital Lock Detect"));
    lblmux3 = option("lblmux3", QStringLiteral("RSSI Ready"));
    lblmux4 = option("lblmux4", QStringLiteral("Tx_Rx"));
    lblmux5 = option("lblmux5", QStringLiteral("Logic Zero"));
    lblmux6 = option("lblmux6", QStringLiteral("Tristate"));
    lblmux7 = option("lblmux7", QStringLiteral("Logic One"));
    Command1 = new QPushButton(QStringLiteral("Return to Front Panel"));
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setDefault(true);

    // The options share one box so that choosing one clears the others.
    auto* pins = new QGroupBox;
    auto* column = new QVBoxLayout(pins);
    for (QRadioButton* b : options())
        column->addWidget(b);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(pins);
    layout->addWidget(Command1);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
}

std::array<QRadioButton*, 8> muxform::options() const {
    return {lblmux0, lblmux1, lblmux2, lblmux3, lblmux4, lblmux5, lblmux6, lblmux7};
}

void muxform::Form_Load() {
    // A stored value that is no code leaves every option clear.
    const auto all = options();
    for (std::size_t k = 0; k < all.size(); ++k) {
        if (app_.f().MuxoutField == double(k) * MuxoutUnit) {
            all[k]->setChecked(true);
            return;
        }
    }
}

void muxform::UpdateMux() {
    const auto all = options();
    for (std::size_t k = 0; k < all.size(); ++k) {
        if (all[k]->isChecked()) {
            app_.f().MuxoutField = double(k) * MuxoutUnit;
            app_.main().LblMuxOut->setText(all[k]->text());
            return;
        }
    }
}

void muxform::Command1_Click() {
    UpdateMux();
    app_.UpdateAllRegisterLabels();
    unload();
}

} // namespace corvane
