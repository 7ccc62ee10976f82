// The register link over a second, smaller transport: four registers numbered in bits 1..0,
// read-outs showing the whole word and marked against the last written word, USB sending the
// built word, and a parallel word of 100 writes ending 8, 12, 8. The simulated chip, told the
// chip's numbering, decodes every word back.
#include <gtest/gtest.h>

#include "../qtprinters.h"

#include "board/simulatedboard.h"
#include "board/simulatedport.h"
#include "link/registerlink.h"
#include "testing/recordingskerry.h"

#include <array>
#include <memory>

using namespace reglink;
using Mark = RegisterReadout::Mark;

namespace {

struct Fields {
    int32_t A = 0; // R0 bits 2..17
    int32_t B = 0; // R1 bits 2..21
    int32_t C = 0; // R2 bits 2..30
    int32_t D = 0; // R3 bits 2..9
};

const FieldSpec<Fields> kSpecs[] = {
    {{"A", 0, 2, 16}, &Fields::A},
    {{"B", 1, 2, 20}, &Fields::B},
    {{"C", 2, 2, 29}, &Fields::C},
    {{"D", 3, 2, 8}, &Fields::D},
};
const FieldTable kTable(kSpecs);

struct SmallChip : TabledRegisterFile<Fields> {
    TransportValues v;
    double last[4] = {0, 0, 0, 0};

    SmallChip() : TabledRegisterFile(kTable) {}
    void setFieldDefaults() override { f = {0x86000 - 0, 0x3AE2A8, 0x85F00, 0x8C}; }
    double word(int n) override {
        switch (n) {
        case 0:
            return f.A;
        case 1:
            return double(f.B) + 1;
        case 2:
            return double(f.C) + 2;
        case 3:
            return double(f.D) + 3;
        default:
            return 0;
        }
    }
    std::optional<double> lastWritten(int n) const override {
        return n >= 0 && n < 4 ? std::optional<double>(last[n]) : std::nullopt;
    }
    void rememberWritten(int n, double word) override {
        if (n >= 0 && n < 4)
            last[n] = word;
    }
};

const TransportDescription& smallTransport() {
    static const TransportDescription t = [] {
        TransportDescription d;
        d.chip = {2, std::nullopt};
        d.refreshOrder = {3, 2, 1, 0};
        for (int n : {0, 1, 2, 3})
            d.registers.push_back({n, true, true});
        d.latchTail = LatchTail::LowAfterPulse;
        d.text = ReadoutText::Whole;
        d.marks = ReadoutMarks::LastWritten;
        d.unchosenBoardIsUsb = true;
        return d;
    }();
    return t;
}

struct Host : LinkHost {
    std::array<std::unique_ptr<RegisterReadout>, 4> labels;
    int board = 1;
    Host() {
        for (auto& l : labels)
            l = std::make_unique<RegisterReadout>();
    }
    RegisterReadout* readoutLabel(int n) override {
        return n >= 0 && n < 4 ? labels[size_t(n)].get() : nullptr;
    }
    int motherboardIndex() const override { return board; }
    // What the link told, in order, with the detail of a port failure.
    std::vector<std::pair<NotSent, QString>> notices;
    void undelivered(NotSent why, const QString& detail) override {
        notices.emplace_back(why, detail);
    }
};

struct SmallChipLink : ::testing::Test {
    SmallChip chip;
    board::RecordingSkerry usb;
    board::SimulatedPort port;
    Host host;
    RegisterLink rl{smallTransport(), chip, chip.v, usb, port, host};
    void SetUp() override {
        chip.setFieldDefaults();
        chip.v.ParallelPortAddress = 888;
        port.setChip(smallTransport().chip);
        rl.OpenParallelPort();
        rl.OpenUsbLink();
        usb.clear();
    }
    void write(int n) { rl.writeRegister(n); }
};

} // namespace

TEST_F(SmallChipLink, ParallelWordIs100WritesThatTheChipDecodes) {
    host.board = 0;
    write(1);
    std::vector<int16_t> bytes;
    for (const auto& b : port.outBytes())
        bytes.push_back(static_cast<int16_t>(b.value));
    std::vector<int16_t> expected{8};
    for (int b = 31; b >= 0; --b) {
        const bool one = (0x3AE2A9u >> b) & 1u;
        for (int16_t v : one ? std::array<int16_t, 3>{10, 11, 10} : std::array<int16_t, 3>{8, 9, 8})
            expected.push_back(v);
    }
    for (int16_t v : {8, 12, 8})
        expected.push_back(v);
    EXPECT_EQ(bytes, expected);
    EXPECT_EQ(bytes.size(), 100u);
    EXPECT_EQ(port.words(), (std::vector<uint32_t>{0x3AE2A9u}));
    EXPECT_EQ(port.lastWord(1), 0x3AE2A9u); // numbered by bits 1..0, not 3..0
    EXPECT_FALSE(port.lastWord(9).has_value());
    EXPECT_TRUE(port.malformed().empty());
}

TEST_F(SmallChipLink, RawWordWithBit31GoesOutWithItsTopBit) {
    host.board = 0;
    rl.writeRawWord(0x80000003u);
    ASSERT_EQ(port.words().size(), 1u);
    EXPECT_EQ(port.words()[0], 0x80000003u);
    EXPECT_EQ(port.lastWord(3), 0x80000003u);
}

TEST_F(SmallChipLink, ReadoutsAreMarkedAgainstTheLastWrittenWord) {
    rl.UpdateAllRegisterLabels();
    EXPECT_EQ(host.labels[0]->text(), QStringLiteral("0x86000"));
    EXPECT_EQ(host.labels[1]->text(), QStringLiteral("0x3AE2A9"));
    for (auto& l : host.labels)
        EXPECT_EQ(l->mark(), Mark::Changed); // nothing written yet
    EXPECT_EQ(chip.v.RegisterSelect, 0);

    write(2); // the whole-word refresh leaves the records of the last write alone
    rl.UpdateAllRegisterLabels();
    EXPECT_EQ(chip.v.RegisterSelect, 2);

    for (int n : {0, 1, 2, 3})
        write(n);
    rl.UpdateAllRegisterLabels();
    for (auto& l : host.labels)
        EXPECT_EQ(l->mark(), Mark::ButtonFace);

    chip.f.D += 4; // changed: only R3 turns green
    rl.UpdateAllRegisterLabels();
    EXPECT_EQ(host.labels[3]->mark(), Mark::Changed);
    EXPECT_EQ(host.labels[2]->mark(), Mark::ButtonFace);
    chip.f.D -= 4; // changed back: button face again, without a write
    rl.UpdateAllRegisterLabels();
    EXPECT_EQ(host.labels[3]->mark(), Mark::ButtonFace);
}

TEST_F(SmallChipLink, UsbSendsTheBuiltWordAlsoWithNoBoardChosen) {
    rl.UpdateAllRegisterLabels();
    chip.f.A = 0x1000; // changed without a refresh: the new word goes out anyway
    write(0);
    host.board = -1;
    write(3);
    EXPECT_EQ(usb.writtenWords(), (std::vector<uint32_t>{0x1000u, 0x8Fu}));
    EXPECT_EQ(host.labels[0]->text(), QStringLiteral("0x1000"));
    EXPECT_EQ(chip.last[0], double(0x1000));
    // The write leaves the colour to the next refresh.
    EXPECT_EQ(host.labels[0]->mark(), Mark::Changed);
}

TEST_F(SmallChipLink, RegistersOutsideTheChipSendNothing) {
    for (int board : {0, 1}) {
        host.board = board;
        for (int n : {4, 7, 8, 15})
            write(n);
    }
    EXPECT_TRUE(usb.writtenWords().empty());
    EXPECT_EQ(port.outByteCount(), 0u);
}

TEST(SimulatedBoardChip, RegistersAreNumberedAsTheChipProfileSays) {
    board::SimulatedBoard usb;
    usb.setChip({2, std::nullopt});
    usb.rpc_initialise_vb();
    int32_t word = 0x3AE2A9; // bits 1..0 = 1
    usb.dd_write_pellion_reg(word);
    EXPECT_EQ(usb.lastWord(1), 0x3AE2A9u);
    EXPECT_FALSE(usb.lastWord(9).has_value());
}
