#pragma once
// The radio-link file's tests: a program started on its front panel, the file written as the
// menu items do (the program's WriteZantrelIni, found beside its context), its keys read back,
// and the read-outs the writer must leave as they were.
#include "filefixture.h"

#include "link/registerreadout.h"
#include "platform/core/numbers.h"
#include "platform/core/profile.h"

#include <QString>
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <utility>
#include <vector>

namespace evaltest {

template <class Base> struct ZantrelFixture : FileFixture<Base> {
    using Mark = reglink::RegisterReadout::Mark;

    // The registers the tests program go out over an open USB link.
    void SetUp() override {
        FileFixture<Base>::SetUp();
        this->connectUsb();
    }

    void write(const QString& path, bool registersOnly) {
        this->w().IniRegistersOnly = registersOnly ? -1 : 0;
        WriteZantrelIni(*this->app, path);
    }

    static QString value(const QString& path, const char* section, const char* key) {
        return platform::GetPrivateProfileString(QLatin1String(section), QLatin1String(key),
                                                 QString(), 256, path)
            .value;
    }

    static uint32_t wordIn(const QString& path, const char* section, const char* key) {
        return platform::hexToU32(value(path, section, key).mid(2)).value_or(0xDEADBEEF);
    }

    // The read-outs as the front panel shows them.
    std::vector<std::pair<QString, Mark>> readouts() const {
        std::vector<std::pair<QString, Mark>> r;
        for (int n = 0; n < 16; ++n) {
            if (auto* label = this->m->readout(n))
                r.emplace_back(label->text(), label->mark());
        }
        return r;
    }

    // The transmit word goes to [TxRegs] and the receive word to [RxRegs] whatever direction
    // the panel shows; the direction, the R0 read-out and its mark are as they were. `words`
    // checks the two words the program plans.
    void expectR0ForBothDirections(const std::function<void(uint32_t rx, uint32_t tx)>& words) {
        auto& m = *this->m;
        for (bool transmit : {true, false}) {
            SCOPED_TRACE(transmit ? "transmit" : "receive");
            (transmit ? m.optTx : m.optRx)->setChecked(true);
            m.cmdUpdateAll->click(); // the read-outs programmed are no longer marked
            ASSERT_EQ(m.lblNhex->mark(), Mark::Normal);
            const int32_t direction = this->f().TxRxField;
            const QString shown = m.lblNhex->text();
            const auto before = readouts();
            const QString path = this->temp(transmit ? "tx.ini" : "rx.ini");
            write(path, true);
            const uint32_t rx = wordIn(path, "RxRegs", "r00");
            const uint32_t tx = wordIn(path, "TxRegs", "r00");
            EXPECT_EQ(value(path, transmit ? "TxRegs" : "RxRegs", "r00"), shown);
            words(rx, tx);
            EXPECT_EQ(this->f().TxRxField, direction);
            EXPECT_EQ(readouts(), before); // texts and marks as they were
            EXPECT_EQ(m.optTx->isChecked(), transmit);
            EXPECT_EQ(reglink::readoutText(this->word(0)), shown);
        }
    }
};

} // namespace evaltest
