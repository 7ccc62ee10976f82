#include "evalkit/calc/takenrange.h"

#include "platform/core/numbers.h"

#include <algorithm>
#include <cmath>

namespace evalkit::calc {

namespace {

constexpr int Probes = 512; // where the taken interval is first looked for
constexpr int Halvings = 60;

// The boundary between `out` (not taken) and `in` (taken), to the precision of a double.
double boundary(const std::function<bool(double)>& takes, double out, double in) {
    for (int i = 0; i < Halvings; ++i) {
        const double mid = (out + in) / 2;
        if (mid == out || mid == in)
            break;
        (takes(mid) ? in : out) = mid;
    }
    return in;
}

// A taken entry of the interval, if the probes find one.
std::optional<double> takenEntry(const std::function<bool(double)>& takes, double lowest,
                                 double highest) {
    for (int i = 0; i <= Probes; ++i) {
        const double v = lowest + (highest - lowest) * i / Probes;
        if (takes(v))
            return v;
    }
    return std::nullopt;
}

// The end nearest `bound` towards the inside (`inwards` +1 upwards, -1 downwards) that a box
// of maxChars characters can hold and the plan takes: three decimals, fewer where the box
// has no room for them; an end that falls between two such numbers moves one more in.
std::optional<double> typedEnd(const std::function<bool(double)>& takes, double bound, int inwards,
                               int maxChars) {
    const int whole = static_cast<int>(platform::numberText(std::trunc(bound)).size());
    const int places = std::clamp(maxChars - whole - 1, 0, 3);
    const double unit = std::pow(10.0, places);
    double end = inwards > 0 ? std::ceil(bound * unit) / unit : std::floor(bound * unit) / unit;
    end = platform::roundDecimals(end, places);
    for (int step = 0; step < 2; ++step) {
        if (takes(end))
            return end;
        end = platform::roundDecimals(end + inwards / unit, places);
    }
    return std::nullopt;
}

} // namespace

std::optional<TakenRange> takenRange(const std::function<bool(double)>& takes, double lowest,
                                     double highest, int maxChars) {
    const std::optional<double> inside = takenEntry(takes, lowest, highest);
    if (!inside)
        return std::nullopt;
    const double low = takes(lowest) ? lowest : boundary(takes, lowest, *inside);
    const double high = takes(highest) ? highest : boundary(takes, highest, *inside);
    const std::optional<double> from = typedEnd(takes, low, +1, maxChars);
    const std::optional<double> to = typedEnd(takes, high, -1, maxChars);
    if (!from || !to || *from > *to)
        return std::nullopt;
    return TakenRange{*from, *to};
}

QString endText(double end) {
    return platform::numberText(platform::roundDecimals(end, 3));
}

QString rangeText(const TakenRange& range) {
    return QStringLiteral("from ") + endText(range.from) + QStringLiteral(" to ") +
           endText(range.to);
}

} // namespace evalkit::calc
