#pragma once
// What the data-rate plans of the chips with a correlator choose alike: the receiver clock
// dividers, the post-demodulator filter and the clocks they give, every field already shifted
// to its bit place, with the receive-clock and bandwidth captions. Each chip's plan adds its
// discriminator and whatever else its registers carry.
#include <QString>

#include <cstdint>

namespace evalkit::calc {

// DemodTypeField values (type x 2^4) the chips share; the types above the correlator differ.
inline constexpr int16_t DemodLinear = 0;
inline constexpr int16_t DemodCorrelator = 16;

struct ReceiverClockPlan {
    double IFFilterDividerField = 0;
    int32_t BbOffsetDividerField = 0;
    int16_t DemodClockDividerField = 0;
    int32_t CdrClockDividerField = 0;
    int32_t SeqClockDividerField = 0;
    int32_t PostDemodBwField = 0;
    float DemodClockMHz = 0;
    float CdrClockKHz = 0;
    QString lblRxCLK;
    QString lblDemodBW;
};

} // namespace evalkit::calc
