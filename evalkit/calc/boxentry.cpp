#include "evalkit/calc/boxentry.h"

#include "platform/core/numbers.h"

namespace evalkit::calc {

std::optional<double> boxEntry(QStringView text, int maxChars) {
    if (text.isEmpty() || text.size() > maxChars)
        return std::nullopt;
    return platform::textToNumber(text);
}

} // namespace evalkit::calc
