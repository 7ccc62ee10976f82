#include "evalkit/fielddialog.h"
#include "platform/named.h"

#include "evalkit/programcontext.h"
#include "platform/core/numbers.h"
#include "platform/form.h"
#include "platform/messages.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>

namespace evalkit::dialog {

std::optional<int32_t> NumberBox::accept(const QString& text,
                                         platform::MessageService& messages) const {
    if (text.isEmpty())
        return emptyIsZero ? std::optional<int32_t>(0) : std::nullopt;
    if (text.size() > maxLength)
        return std::nullopt;
    const std::optional<double> entry = platform::textToNumber(text);
    if (!entry || *entry < 0)
        return std::nullopt;
    // A code too large even for 64 bits is simply above the limit.
    const std::optional<int64_t> code = platform::toInt64(*entry / step);
    if (code && *code <= limit)
        return static_cast<int32_t>(*code);
    switch (over) {
    case OverLimit::Warn:
        messages.message(limitMessage);
        return std::nullopt;
    case OverLimit::Clamp:
        return limit;
    case OverLimit::Ignore:
        break;
    }
    return std::nullopt;
}

FieldValues FieldValues::steps(int count, int32_t unit) {
    std::vector<int32_t> values;
    for (int i = 0; i < count; ++i)
        values.push_back(i * unit);
    return FieldValues(std::move(values));
}

std::optional<int> FieldValues::indexOf(double field) const {
    for (size_t i = 0; i < values_.size(); ++i)
        if (values_[i] == field)
            return static_cast<int>(i);
    return std::nullopt;
}

std::optional<int32_t> FieldValues::at(int index) const {
    if (index < 0 || static_cast<size_t>(index) >= values_.size())
        return std::nullopt;
    return values_[static_cast<size_t>(index)];
}

bool showField(QComboBox* list, const FieldValues& values, double field) {
    const std::optional<int> index = values.indexOf(field);
    if (index)
        list->setCurrentIndex(*index);
    return index.has_value();
}

bool showField(QAbstractSlider* slider, const FieldValues& values, double field) {
    const std::optional<int> index = values.indexOf(field);
    if (index)
        slider->setValue(*index);
    return index.has_value();
}

namespace {
using platform::named;
} // namespace

QComboBox* list(const char* name, const QStringList& items) {
    return platform::namedList(name, items);
}

QStringList numberItems(int last) {
    QStringList items;
    for (int i = 0; i <= last; ++i)
        items << platform::numberText(i);
    return items;
}

QLineEdit* box(const char* name, const QString& text) {
    return named(new QLineEdit(text), name);
}

QLabel* label(const char* name, const QString& text) {
    return named(new QLabel(text), name);
}

QScrollBar* scrollBar(const char* name, int maximum) {
    auto* s = named(new QScrollBar(Qt::Horizontal), name);
    s->setRange(0, maximum);
    s->setSingleStep(1);
    s->setPageStep(1);
    return s;
}

QPushButton* returnButton(const char* name) {
    return named(new QPushButton(QStringLiteral("Return to Front Panel")), name);
}

QHBoxLayout* footer(std::initializer_list<QWidget*> buttons) {
    auto* foot = new QHBoxLayout;
    foot->addStretch();
    for (QWidget* button : buttons)
        foot->addWidget(button);
    return foot;
}

void returnToFrontPanel(platform::Form& window, ProgramContext& app) {
    window.unload();
    app.UpdateAllRegisterLabels();
}

} // namespace evalkit::dialog
