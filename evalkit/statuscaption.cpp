#include "evalkit/statuscaption.h"

#include <QAbstractButton>

namespace evalkit::dialog {

std::optional<QString> StatusCaption::of(double field) const {
    if (const std::optional<int> i = values.indexOf(field); i && *i < captions.size())
        return captions.at(*i);
    if (!otherwise.isNull())
        return otherwise;
    return std::nullopt;
}

void showStatus(QAbstractButton* button, const StatusCaption& caption, double field) {
    if (!button)
        return;
    if (const std::optional<QString> text = caption.of(field))
        button->setText(*text);
}

} // namespace evalkit::dialog
