#pragma once
// The caption a front-panel status button shows for the field it reports (AFC "On"/"OFF", AGC
// mode, sync-word mode, ...). The feature windows set it on their return; the front panel sets
// every such caption, and the mux-out and clock-out labels, from the fields at start-up and
// after a settings import (which sets the fields without the windows' returns), from the same
// tables, so that no caption names a setting the chip does not have.
#include "evalkit/fielddialog.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>
#include <vector>

class QAbstractButton;
class QLabel;

namespace evalkit {

class ProgramContext;
struct ClockOutDescription;
struct MuxoutChoices;

namespace dialog {

struct StatusCaption {
    FieldValues values{};   // the field values the button names ...
    QStringList captions{}; // ... and their captions, in the same order
    // The caption for any other value; a null text leaves the button as it is.
    QString otherwise = {};

    std::optional<QString> of(double field) const;
};

// Shows the caption for `field` on the button (nothing when the table has none for it).
void showStatus(QAbstractButton* button, const StatusCaption& caption, double field);

// One caption of the front panel and what it shows for the fields as they stand (nothing
// leaves it as it is).
struct PanelCaption {
    std::function<void(const QString&)> show;
    std::function<std::optional<QString>()> caption;
};
PanelCaption statusCaption(QAbstractButton* button, const StatusCaption& caption,
                           std::function<double()> field);
PanelCaption labelCaption(QLabel* label, std::function<std::optional<QString>()> caption);

// Every caption named from the fields.
void showPanelCaptions(const std::vector<PanelCaption>& captions);

// The mux-out label's caption for the code the chip's mux-out field holds.
std::optional<QString> muxoutCaption(ProgramContext& app, const MuxoutChoices& choices);
// The clock-out label's caption: the output frequency the crystal and the clock-out code give,
// or the "off" text.
std::optional<QString> clockOutCaption(ProgramContext& app, const ClockOutDescription& description,
                                       float crystalMHz);

} // namespace dialog
} // namespace evalkit
