#include "evalkit/pushedrate.h"

#include <QLineEdit>

namespace evalkit {

void PushedRate::push(QLineEdit* box, const QString& text, double rate,
                      const std::function<void()>& plan) {
    pushed_ = Pushed{text, rate};
    if (box->text() == text)
        plan();
    else
        box->setText(text);
}

std::optional<double> PushedRate::rateFor(const QString& text) const {
    if (pushed_ && pushed_->text == text)
        return pushed_->rate;
    return std::nullopt;
}

} // namespace evalkit
