// The entry test of the front panel's number boxes: a handler acts only on a text of a
// bounded length that reads as a number; anything else (empty, too long, a lone "-" or "."
// while typing, letters) is left alone without a message.
#pragma once

#include <QStringView>

#include <optional>

namespace evalkit::calc {

// The number in a box text of 1 to maxChars characters; nullopt for any other text.
std::optional<double> boxEntry(QStringView text, int maxChars);

} // namespace evalkit::calc
