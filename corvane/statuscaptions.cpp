#include "corvane/statuscaptions.h"

#include <QAbstractButton>

namespace corvane {

QString afcCaption(int32_t afcEnableField) {
    return afcEnableField == 16 ? QStringLiteral("On") : QStringLiteral("OFF");
}

std::optional<QString> agcCaption(int32_t agcModeField) {
    switch (agcModeField) {
    case 0:
        return QStringLiteral("Auto");
    case 1 << 18:
        return QStringLiteral("Manual");
    case 1 << 19:
        return QStringLiteral("Frozen");
    default:
        return std::nullopt;
    }
}

std::optional<QString> swdCaptionOnReturn(int32_t swdModeField) {
    switch (swdModeField) {
    case 0:
        return QStringLiteral("Low");
    case 1 << 6:
        return QStringLiteral("High on SWD");
    case 2 << 6:
        return QStringLiteral("High on SWD for DPL");
    case 3 << 6:
        return QStringLiteral("High");
    default:
        return std::nullopt;
    }
}

std::optional<QString> swdCaptionOnImport(int32_t swdModeField) {
    if (swdModeField == 2 << 6)
        return QStringLiteral("High on SWD");
    return swdCaptionOnReturn(swdModeField);
}

void setCaption(QAbstractButton& button, const std::optional<QString>& caption) {
    if (caption)
        button.setText(*caption);
}

} // namespace corvane
