#pragma once
// A fresh pellion-eval per test: recording services and board back ends, the real windows on
// the offscreen platform.
#include "../support/programfixture.h"

#include "pellion/pellionapp.h"
#include "pellion/windows.h"
#include "platform/core/numbers.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QStringList>

namespace pellion::test {

// The parallel port is a recording back end by default; tests of what the chip decodes use
// the simulated port instead.
template <class Port> using BasicPellionFixture = evaltest::ProgramFixture<PellionApp, Port>;

using PellionFixture = BasicPellionFixture<board::RecordingParllio>;
using PellionOverSimulatedPort = BasicPellionFixture<board::SimulatedPort>;

using platform::bit;

// As 0, the number keys a settings import reads whatever the scheme: what a missing key reads
// as, without the import's summary naming it as missing. A test's file holds these unless it
// gives its own.
inline const QStringList ZeroNumberKeys{
    QStringLiteral("VCO/Lext=0"),           QStringLiteral("PLL/RefDivider=0"),
    QStringLiteral("PLL/IcpIndex=0"),       QStringLiteral("VCO/VCODivider=0"),
    QStringLiteral("VCO/VCOBand=0"),        QStringLiteral("VCO/VCOBias=0"),
    QStringLiteral("Tx/PALevel=0"),         QStringLiteral("Rx/IF_BW=0"),
    QStringLiteral("Rx/MIXER_LINEARITY=0"), QStringLiteral("Rx/LNA_MODE=0"),
    QStringLiteral("Sync/SyncDetect=0"),    QStringLiteral("Sync/Wordlength=0"),
    QStringLiteral("Sync/NumErrors=0")};

// "Pellion-1 (External Inductor)" ticked as a user must from the start-up channel (868.3 MHz,
// which the external inductor does not reach): a channel both inductors reach, 433.92 MHz,
// planned from the synthesizer window first, then the box.
inline void tickExternalInductor(PellionApp& app) {
    synthform& s = app.synthform();
    s.txtVCOout1->setText(QStringLiteral("433.92"));
    s.CmdCalculate_Click();
    s.returnToPanel_Click();
    app.main().chkInductor->setChecked(true);
}

} // namespace pellion::test
