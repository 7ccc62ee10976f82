// The entries a number box takes at the set-up in force, found from the box's own plan, for
// the tool tip of its refusal mark: a fixed range in the tip would say more than is true once
// another setting moves a limit (a lower PFD leaves fewer kHz to the deviation count's field).
#pragma once

#include <QString>

#include <functional>
#include <optional>

namespace evalkit::calc {

// Both ends are taken by the plan and can be typed into the box.
struct TakenRange {
    double from = 0;
    double to = 0;
};

// The entries within [lowest, highest] that `takes` takes, where those form one interval
// (each end set by a limit that one field meets as the entry falls or rises). Each end is
// given to three decimals, or as many as a box of `maxChars` characters holds, rounded inwards
// so that it is taken itself. nullopt when no entry of the interval is taken.
std::optional<TakenRange> takenRange(const std::function<bool(double)>& takes, double lowest,
                                     double highest, int maxChars);

// An end in the plain number form with at most three decimals ("500", "2.363").
QString endText(double end);
// "from <from> to <to>".
QString rangeText(const TakenRange& range);

} // namespace evalkit::calc
