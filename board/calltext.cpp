#include "board/calltext.h"

namespace board::calltext {

QString word(uint32_t value) {
    return QString::asprintf("0x%08X", value);
}

QString rpcInitialiseVb(int32_t result) {
    return QStringLiteral("rpc_initialise_vb -> %1").arg(result);
}

QString schedInitialiseTarget() {
    return QStringLiteral("sched_initialise_target");
}

QString chipSel(int32_t select) {
    return QStringLiteral("dd_pellion_chip_sel %1").arg(select);
}

QString writeReg(int32_t value) {
    return QStringLiteral("dd_write_pellion_reg ") + word(static_cast<uint32_t>(value));
}

QString readReg(int16_t selection, int32_t result) {
    return QStringLiteral("dd_read_pellion_reg %1 -> ").arg(selection) +
           word(static_cast<uint32_t>(result));
}

QString rpcShutdown() {
    return QStringLiteral("rpc_shutdown");
}

QString claimPort(int32_t port, int32_t result) {
    return QStringLiteral("ClaimParallelPort %1 -> %2").arg(port).arg(result);
}

QString releasePort(int32_t port) {
    return QStringLiteral("ReleaseParallelPort %1").arg(port);
}

QString outByte(uint16_t address, int16_t value) {
    return QStringLiteral("OutByte %1 %2").arg(address).arg(value);
}

QString inByte(uint16_t address, int32_t result) {
    return QStringLiteral("InByte %1 -> %2").arg(address).arg(result);
}

QString parallelWord(uint32_t value) {
    return QStringLiteral("parallel word ") + word(value);
}

QString parallelReadback(uint32_t r7Word, int32_t answer) {
    return QStringLiteral("parallel readback ") + word(r7Word) + QStringLiteral(" -> ") +
           word(static_cast<uint32_t>(answer));
}

QString parallelMalformed(const QString& what) {
    return QStringLiteral("parallel malformed: ") + what;
}

} // namespace board::calltext
