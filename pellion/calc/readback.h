// The readback conversions of the readback window: how the chip's 16-bit answer to a
// register-7 request becomes the text shown for the chosen quantity, and how the silicon
// revision code names the chip variant. Pure: the window writes register 7, shows the texts
// and the messages, and sets the front panel's Labelrev and devinuse.
#pragma once

#include "evalkit/calc/readbackconversions.h"
#include "platform/core/message.h"

#include <QString>

#include <cstdint>
#include <optional>
#include <vector>

namespace pellion::calc {

using evalkit::calc::ReadbackChoice;
using evalkit::calc::readbackChoice;
using evalkit::calc::readbackListIndex;
using enum evalkit::calc::ReadbackQuantity;

inline const QString FrequencyErrorNote = QStringLiteral(
    "The IF frequency error is due to errors between the incoming RF and Rx LO (due to XTAL "
    "error). The Pellion can handle large frequency errors ( > +/- 40ppm) in linear demod mode. "
    "In correlator mode the tolerance is +/- 0.4 x FDEV. AFC will improve this to better than "
    "+/- 25ppm. Try IF Frequency readback again after enabling AFC.");

inline const QString InvalidSiliconCodeText = QStringLiteral(
    "Warning - not a valid readback code. Check you have connected to the target board by "
    "clicking on Connect USB and also that the radio module is plugged into the mother board "
    "in the right orientation. Aslo check that you have either a Pellion or Pellion-1 module "
    "plugged in. For other devices please choose the corresponding software.");

inline const QString PellionDeviceName = QStringLiteral("Pellion");
inline const QString Pellion1DeviceName = QStringLiteral("Pellion-1");

// The RSSI correction of the receiver gain code (bits 7 and up of the answer); 0 for codes
// the table does not list.
int32_t rssiGainCorrection(int32_t gainCode);

// (low 7 bits + correction) x 0.5 - 120 dBm.
evalkit::calc::RssiReading rssiLevel(int32_t raw);

// The chip variant a silicon revision code names: "Pellion" for 2007h/2008h, "Pellion-1" for
// 2017h/2018h; nullopt for any other code.
std::optional<QString> deviceOfSiliconCode(int32_t raw);

struct ReadbackResult {
    QString lblReadbackDisplay; // the raw answer in decimal
    // The converted value; nullopt leaves the label as it stands (an unknown silicon code).
    std::optional<QString> lblReadbackSpecificDisplay;
    int32_t ReadbackValue = 0; // the answer after the conversion (RSSI, temperature: 7 bits)
    std::vector<platform::Message> messages;
    // Silicon revision only: DeviceName when the code names a variant, and always the code as
    // SiliconRevisionText; the window then shows both on the front panel.
    std::optional<QString> DeviceName;
    std::optional<QString> SiliconRevisionText;
};

ReadbackResult convertReadback(int32_t ReadbackMode, int32_t raw, float DemodClockMHz);

} // namespace pellion::calc
