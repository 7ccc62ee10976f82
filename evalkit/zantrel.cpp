#include "evalkit/zantrel.h"

#include "evalkit/fileerrors.h"
#include "evalkit/programcontext.h"
#include "platform/core/numbers.h"
#include "platform/core/profile.h"

#include <array>
#include <cmath>

namespace evalkit {

ZantrelNumbers zantrelNumbers(const std::vector<ZantrelNumber>& numbers, const QString& file) {
    ZantrelNumbers out;
    for (const ZantrelNumber& n : numbers) {
        const std::optional<double> v = platform::textToNumber(n.text);
        if (!v || !(*v > 0) || !std::isfinite(*v * n.scale)) {
            out.values.clear();
            out.refusal = zantrelRefusal(file, n.what, n.text);
            return out;
        }
        out.values.push_back(*v * n.scale);
    }
    return out;
}

QString zantrelRefusal(const QString& file, const QString& what, const QString& text) {
    return QStringLiteral("Nothing was written to %1: the %2 \"%3\" is not a number above 0.")
        .arg(file, what, text);
}

std::optional<int32_t> beaconLengthCorrection(double bitsPerSecond) {
    // Worked from the rate as the file holds it.
    const std::optional<double> b = platform::textToNumber(platform::numberText(bitsPerSecond));
    if (!b || !(*b > 0))
        return std::nullopt;
    return platform::toInt32((152 / *b + 0.00496) * 128);
}

std::vector<ZantrelEntry> linkDefaults(const ZantrelEntry& registerDefault, const QString& rfcn0,
                                       const QString& beaconCorrection) {
    return {
        {u"Config", u"ConfigVersion", QStringLiteral("2")},
        {u"Config", u"DemoSelect", QStringLiteral("0x001FFFFF")},
        {u"Config", u"PerTestLength", QStringLiteral("100")},
        {u"Phy", u"preamble_byte", QStringLiteral("0x55")},
        {u"Phy", u"preamble_length", QStringLiteral("8")},
        registerDefault,
        {u"Phy", u"sync_word", QStringLiteral("0x123456")},
        {u"Phy", u"sync_word_length", QStringLiteral("3")},
        {u"Phy", u"trx_turnaround", QStringLiteral("122")},
        {u"Phy", u"cca_num_meas", QStringLiteral("16")},
        {u"Phy", u"cca_meas_spacing", QStringLiteral("12")},
        {u"Phy", u"rssi_threshold", QStringLiteral("-70")},
        {u"Phy", u"max_cpu_sleep", QStringLiteral("128")},
        {u"Mac", u"unit_short_address", QStringLiteral("6")},
        {u"Mac", u"associated_bs_short_address", QStringLiteral("1")},
        {u"Mac", u"is_basestation", QStringLiteral("0")},
        {u"Mac", u"max_address_value", QStringLiteral("64")},
        {u"Mac", u"max_payload", QStringLiteral("64")},
        {u"Mac", u"num_bs_tx_buffers", QStringLiteral("4")},
        {u"Mac", u"max_retries", QStringLiteral("4")},
        {u"Mac", u"use_cca", QStringLiteral("1")},
        {u"Mac", u"max_cca_attempts", QStringLiteral("10")},
        {u"Mac", u"backoff_period_min", QStringLiteral("50")},
        {u"Mac", u"backoff_period_range", QStringLiteral("1")},
        {u"Mac", u"rfcn0_freq", rfcn0},
        {u"Mac", u"rfcn_spacing", QStringLiteral("2031")},
        {u"Mac", u"hopping_code", QStringLiteral("0x55")},
        {u"Mac", u"hopping_mode", QStringLiteral("0")},
        {u"Mac", u"beacon_spacing", QStringLiteral("5")},
        {u"Mac", u"ep_resync_period", QStringLiteral("3")},
        {u"Mac", u"beacon_length_correction", beaconCorrection},
    };
}

ReadoutMarkKeeper::ReadoutMarkKeeper(ProgramContext& app, int registers) {
    for (int n = 0; n < registers; ++n) {
        if (reglink::RegisterReadout* r = app.readoutLabel(n))
            saved_.push_back({r, r->text(), r->mark()});
    }
}

void ReadoutMarkKeeper::restore() const {
    for (const Saved& s : saved_) {
        if (s.readout->text() == s.text)
            s.readout->setMark(s.mark);
    }
}

QString r0ForDirection(int32_t& txRxField, int32_t direction,
                       const std::function<void()>& calculate, const reglink::RegisterReadout& r0) {
    if (txRxField == direction)
        return r0.text();
    const int32_t before = txRxField;
    txRxField = direction;
    calculate();
    const QString word = r0.text();
    txRxField = before;
    calculate();
    return word;
}

std::vector<ZantrelEntry> zantrelRegisters(ProgramContext& app, int32_t& txRxField,
                                           const ZantrelRegisterRules& rules) {
    static constexpr std::array<const char16_t*, 16> Keys{
        u"r00", u"r01", u"r02", u"r03", u"r04", u"r05", u"r06", u"r07",
        u"r08", u"r09", u"r10", u"r11", u"r12", u"r13", u"r14", u"r15"};
    const auto placeholder = [](int n) {
        return n == 7 || n == 8 || n == 14 || n == 15;
    };
    const auto readout = [&app](int n) {
        return app.readoutLabel(n)->text();
    };
    const ReadoutMarkKeeper marks(app);
    const reglink::RegisterReadout& r0 = *app.readoutLabel(0);
    const QString rx00 = r0ForDirection(txRxField, rules.receive, rules.calculate, r0);
    const QString tx00 = r0ForDirection(txRxField, 0, rules.calculate, r0);
    std::vector<ZantrelEntry> entries{
        {u"Config", u"ConfigName", QStringLiteral("Generated from Verrix Config software")},
        {u"RxRegs", Keys[0], rx00},
        {u"TxRegs", Keys[0], tx00},
    };
    // R1 to R3 do not hold the mode.
    for (int n = 1; n <= 3; ++n)
        entries.push_back({u"RxRegs", Keys[size_t(n)], readout(n)});
    rules.useLinkMode();
    app.UpdateAllRegisterLabels();
    for (int n = 4; n < int(Keys.size()); ++n) {
        if (n == rules.linkDefaultRegister)
            continue;
        const QString text =
            placeholder(n)
                ? QStringLiteral("0x") + QStringLiteral("%1").arg(n, 4, 16, QChar(u'0')).toUpper()
                : readout(n);
        entries.push_back({u"RxRegs", Keys[size_t(n)], text});
    }
    rules.restoreMode();
    app.UpdateAllRegisterLabels();
    marks.restore();
    return entries;
}

void writeZantrelFile(ProgramContext& app, const QString& path,
                      const std::vector<ZantrelEntry>& entries) {
    platform::ProfileBatch batch(path, app.saveDevices());
    for (const ZantrelEntry& e : entries)
        batch.write(QString::fromUtf16(e.section), QString::fromUtf16(e.key), e.value);
    if (const std::optional<platform::ProfileError> error = batch.commit())
        reportFileError(app, ZantrelWriteFailure, *error);
}

} // namespace evalkit
