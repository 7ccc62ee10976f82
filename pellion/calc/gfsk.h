// The figures of the Gaussian set-up window: the divider number, index counter and mod control
// of R2, the deviation and data rate they give, and what the window pushes into the front
// panel. Pure: the window reads its controls, applies the result and sets the front panel's
// texts (whose handlers then plan the deviation and the data rate).
#pragma once

#include "pellion/calc/datarate.h"
#include "pellion/calc/deviation.h"
#include "platform/core/message.h"

#include <QString>

#include <cstdint>
#include <optional>

namespace pellion::calc {

struct GfskInputs {
    int cmbModCtrlIndex = -1;    // mod control M, 0..7
    int cmbIndexCountIndex = -1; // index counter 16, 32, 64, 128
    QString txtDivider;
    float PfdFrequencyMHz = 0;
    int32_t VcoDiv2Field = 0;
    int16_t ModulationSchemeField = 0;
};

struct GfskResult {
    // The divider box rewritten with the limit (" 1", " 127") when the entry lay outside
    // 1..127; this happens even when nothing else is calculated.
    std::optional<QString> txtDivider;
    // False: nothing is stored or shown (the divider is not a number, or a list has no
    // choice); only txtDivider may be set.
    bool calculated = false;

    int32_t TxDeviationField = 0; // the divider number x 2^15
    int32_t GfskModControlField = 0;
    int32_t GfskIndexCounterField = 0;
    float ActualDeviationKHz = 0; // 50 in GOOK; the deviation to 3 decimals in GFSK

    double deviationKHz = 0; // halved with the RF divide-by-2
    double dataRateKbps = 0;
    QString lblDatarate; // "#0.000" and " kbits/s"

    // GFSK only: the deviation in this window and on the front panel.
    std::optional<QString> lblFdev; // "#0.000" and " kHz"
    std::optional<QString> Lblfskdev;
    std::optional<QString> TxtFSKdev;

    // The front panel's data rate: the rate to three decimals as the box text, and the exact
    // rate for the data-rate plan (DataRateInputs::rateFromCode): the receiver is planned for
    // the rate the divider gives, and a long figure is not dropped by the box's character
    // count.
    QString txtDatarate;
    double frontPanelRate = 0;
};

GfskResult planGfsk(const GfskInputs& in);

// The plans the window's results run on the front panel: in GFSK the deviation box's plan
// for the deviation text it sets (only when that text differs from what the box shows), then
// the data-rate box's plan for the rate it pushes, taken as it is, with the deviation then
// in force.
struct GfskFollowUps {
    DeviationInputs deviation;    // the front panel's; its text is replaced by the window's
    DataRateInputs rate;          // the front panel's; its rate is replaced by the window's
    float ActualDeviationKHz = 0; // in force before the window's calculation
};

// The warning with which the front panel would refuse what a calculation pushes (a rate the
// data-rate box does not take, or one the receiver clocks cannot follow, or a deviation the
// discriminator cannot hold); nothing when both plans take it. The window keeps nothing of a
// calculation so refused.
std::optional<platform::Message> gfskRefusal(const GfskResult& r, GfskFollowUps in);

// What the divider box accepts with the other entries as they stand: the dividers 1..127 whose
// calculation the front panel takes, for the box's refusal mark.
QString dividerAcceptsText(const GfskInputs& in, const GfskFollowUps& followUps);

// What the window's load shows from the fields: the divider number as text and the list
// indexes of the index counter and mod control (-1 where the field names no entry).
struct GfskControls {
    QString txtDivider;
    int cmbIndexCountIndex = -1;
    int cmbModCtrlIndex = -1;
};
GfskControls gfskControls(int32_t TxDeviationField, int32_t GfskIndexCounterField,
                          int32_t GfskModControlField);

} // namespace pellion::calc
