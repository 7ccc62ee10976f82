// The readback quantities of register 7 as the Corvane chip answers them: the list table and
// the conversions are the shared ones, with this chip's RSSI gain corrections, level offset and
// frequency-error scale. Pure: the readback window does the register-7 write and shows the
// texts.
#pragma once

#include "evalkit/calc/readbackconversions.h"

#include <cstdint>

namespace corvane::calc {

using evalkit::calc::ReadbackChoice;
using evalkit::calc::readbackChoice;
using evalkit::calc::ReadbackDisplay;
using evalkit::calc::readbackListIndex;
using evalkit::calc::RssiReading;
using enum evalkit::calc::ReadbackQuantity;

// The Corvane chip's numbers: gain codes 0, 4, 5 and 6 corrected, -130 dBm offset; the
// discriminator counts 2^18 steps per demodulator clock and the IF sits at 100 kHz.
const evalkit::calc::ReadbackScales& readbackScales();

// RSSI correction for the receiver gain code in bits 7..10 of the answer.
int32_t rssiGainCorrection(int32_t gainCode);

// (low 7 bits + correction) / 2 - 130 dBm.
RssiReading rssiLevel(int32_t raw);

ReadbackDisplay convertReadback(int32_t ReadbackMode, int32_t raw, float DemodClockMHz);

} // namespace corvane::calc
