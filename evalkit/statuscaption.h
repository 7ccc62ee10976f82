#pragma once
// The caption a front-panel status button shows for the field it reports (AFC "On"/"OFF", AGC
// mode, sync-word mode, ...). The feature windows set it on their return; a program's settings
// import may set it too, from the same table, so the two agree.
#include "evalkit/fielddialog.h"

#include <QString>
#include <QStringList>
#include <optional>

class QAbstractButton;

namespace evalkit::dialog {

struct StatusCaption {
    FieldValues values{};   // the field values the button names ...
    QStringList captions{}; // ... and their captions, in the same order
    // The caption for any other value; a null text leaves the button as it is.
    QString otherwise = {};

    std::optional<QString> of(double field) const;
};

// Shows the caption for `field` on the button (nothing when the table has none for it).
void showStatus(QAbstractButton* button, const StatusCaption& caption, double field);

} // namespace evalkit::dialog
