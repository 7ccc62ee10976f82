#pragma once
// The texts of register words: read-outs, four-digit hexadecimal, hexadecimal text read back,
// raw words typed as text, and the frequency read-outs of the front panels.
#include "link/transport.h"

#include <QString>
#include <cstdint>
#include <optional>

class QLabel;

namespace reglink {

// "0x" + hexadecimal of the high 16 bits without leading zeros + the low 16 bits as four
// digits (0x0000D, 0x535001, 0x80556214).
QString readoutText(uint32_t word);
// "0x" + all hexadecimal digits without leading zeros (0x86000, 0x3AE2A9).
QString wholeWordText(uint32_t word);
QString readoutText(ReadoutText form, uint32_t word);

// Four hexadecimal digits, upper case, zero-padded; a value of four or more digits as it is.
QString Hex4(int32_t v);

// Each character read as one hexadecimal digit from the right; anything that is not a digit
// counts 0. An empty text gives 0.
double HexTextToNumber(const QString& text);

// A raw word as text ("&H" and hexadecimal digits, or decimal digits) read as its 32-bit
// pattern: values from -2^31 to 2^32-1; anything else is refused.
std::optional<uint32_t> rawWordBits(const QString& text);

// A frequency read-out: the value formatted "#0.00000" and "MHz" (869.50000MHz). A single is
// formatted from its own exact value.
QString frequencyText(double mhz);
QString frequencyText(float mhz);

// UpdateFrequencyLabels: the RF, PFD and crystal read-outs of a front panel.
template <class Rf, class Pfd, class Crystal>
void UpdateFrequencyLabels(QLabel* vco, QLabel* pfd, QLabel* crystal, Rf rfMHz, Pfd pfdMHz,
                           Crystal crystalMHz);

} // namespace reglink

#include <QLabel>

template <class Rf, class Pfd, class Crystal>
void reglink::UpdateFrequencyLabels(QLabel* vco, QLabel* pfd, QLabel* crystal, Rf rfMHz, Pfd pfdMHz,
                                    Crystal crystalMHz) {
    vco->setText(frequencyText(rfMHz));
    pfd->setText(frequencyText(pfdMHz));
    crystal->setText(frequencyText(crystalMHz));
}
