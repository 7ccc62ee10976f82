#include "evalkit/statuscaption.h"

#include "evalkit/clockoutwindow.h"
#include "evalkit/fieldref.h"
#include "evalkit/muxoutwindow.h"
#include "evalkit/programcontext.h"
#include "platform/core/numbers.h"
#include "platform/selector.h"

#include <QAbstractButton>
#include <QLabel>

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

PanelCaption statusCaption(QAbstractButton* button, const StatusCaption& caption,
                           std::function<double()> field) {
    return {[button](const QString& text) { button->setText(text); },
            [caption, field = std::move(field)] {
                return caption.of(field());
            }};
}

PanelCaption labelCaption(QLabel* label, std::function<std::optional<QString>()> caption) {
    return {[label](const QString& text) { label->setText(text); }, std::move(caption)};
}

void showPanelCaptions(const std::vector<PanelCaption>& captions) {
    for (const PanelCaption& c : captions) {
        if (const std::optional<QString> text = c.caption())
            c.show(*text);
    }
}

std::optional<QString> muxoutCaption(ProgramContext& app, const MuxoutChoices& choices) {
    const std::optional<int> k = FieldRef(app.link().registers(), choices.field).code();
    if (!k || *k >= choices.captions.size())
        return std::nullopt;
    return choices.captions.at(*k);
}

std::optional<QString> clockOutCaption(ProgramContext& app, const ClockOutDescription& description,
                                       float crystalMHz) {
    const FieldRef field(app.link().registers(), description.field);
    std::optional<int> code = field.code();
    if (!code || *code >= platform::Selector::Positions)
        return std::nullopt;
    // With an enable field, the output is off while the enable is clear.
    if (description.enableField &&
        FieldRef(app.link().registers(), description.enableField).stored() == 0)
        code = 0;
    if (*code == 0)
        return description.offText;
    return platform::formatNumber(double(crystalMHz) / (2 * *code), u"#0.00") +
           QStringLiteral(" MHz");
}

} // namespace evalkit::dialog
