#include "platform/selector.h"

#include <QDial>
#include <QLabel>
#include <QVBoxLayout>

namespace platform {

Selector::Selector(QWidget* parent) : QWidget(parent) {
    dial_ = new QDial(this);
    dial_->setObjectName(QStringLiteral("dial"));
    dial_->setRange(0, Positions - 1);
    dial_->setNotchesVisible(true);
    dial_->setWrapping(false);
    dial_->setSingleStep(1);
    dial_->setPageStep(1);
    dial_->setMinimumSize(90, 90);
    current_ = new QLabel(this);
    current_->setObjectName(QStringLiteral("caption"));
    current_->setAlignment(Qt::AlignCenter);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(dial_, 1);
    layout->addWidget(current_);
    connect(dial_, &QDial::valueChanged, this, [this](int value) {
        showCurrentCaption();
        emit positionChanged(value);
    });
    showCurrentCaption();
}

int Selector::position() const {
    return dial_->value();
}

void Selector::setPosition(int position) {
    if (position < 0 || position >= Positions)
        return;
    dial_->setValue(position);
}

QString Selector::caption(int position) const {
    return (position >= 0 && position < Positions) ? captions_[position] : QString();
}

void Selector::setCaption(int position, const QString& caption) {
    if (position < 0 || position >= Positions)
        return;
    captions_[position] = caption;
    if (position == dial_->value())
        showCurrentCaption();
}

void Selector::showCurrentCaption() {
    const QString& c = captions_[dial_->value()];
    current_->setText(c.isEmpty() ? QString::number(dial_->value()) : c);
}

} // namespace platform
