#pragma once
// A data rate another window works out and pushes into the front panel's data-rate box: the
// box shows the rate's text (to three decimals) and the panel's plan takes the rate as it is,
// not as read back from the text, whenever the box shows that text.
#include <QString>
#include <functional>
#include <optional>

class QLineEdit;

namespace evalkit {

class PushedRate {
public:
    // The box shows `text`, which runs its handler; a box that shows it already runs `plan`
    // all the same, since the other inputs of the plan may have changed. The plan runs once.
    void push(QLineEdit* box, const QString& text, double rate, const std::function<void()>& plan);
    // The rate pushed for `text`, if that is the text pushed. It stands until the next push:
    // a refused entry that puts the pushed text back plans with the pushed rate again.
    std::optional<double> rateFor(const QString& text) const;

private:
    struct Pushed {
        QString text;
        double rate = 0;
    };
    std::optional<Pushed> pushed_;
};

} // namespace evalkit
