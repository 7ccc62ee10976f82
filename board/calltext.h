#pragma once

#include <QString>
#include <cstdint>

// One text line per board call, shared by the log of the simulated back ends and the recording
// back ends, so a recorded session reads exactly like a logged one.
namespace board::calltext {

// A register word as 0x and eight upper-case hex digits.
QString word(uint32_t value);

QString rpcInitialiseVb(int32_t result);
QString schedInitialiseTarget();
QString chipSel(int32_t select);
QString writeReg(int32_t word);
QString readReg(int16_t selection, int32_t result);
QString rpcShutdown();

QString claimPort(int32_t port, int32_t result);
QString releasePort(int32_t port);
QString outByte(uint16_t address, int16_t value);
QString inByte(uint16_t address, int32_t result);

// What the simulated chip on the parallel port decoded.
QString parallelWord(uint32_t value);
QString parallelReadback(uint32_t r7Word, int32_t answer);
QString parallelMalformed(const QString& what);

} // namespace board::calltext
