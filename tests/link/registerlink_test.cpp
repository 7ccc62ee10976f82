// Read-out refresh, register writes and readback over both boards.
#include <gtest/gtest.h>

#include "../qtprinters.h"

#include "board/simulatedport.h"
#include "corvane/model/registerstore.h"
#include "corvane/model/transport.h"
#include "link/registerlink.h"
#include "testing/recordingparllio.h"
#include "testing/recordingskerry.h"

#include <array>
#include <memory>

using namespace reglink;
using corvane::CorvaneStore;
using Mark = RegisterReadout::Mark;

namespace {

struct Host : LinkHost {
    std::array<std::unique_ptr<RegisterReadout>, 16> labels;
    int board = -1;
    Host() {
        for (int n : {0, 1, 2, 3, 4, 5, 6, 9, 10, 11, 12, 13, 15})
            labels[n] = std::make_unique<RegisterReadout>();
    }
    RegisterReadout* readoutLabel(int n) override {
        return n >= 0 && n < 16 ? labels[n].get() : nullptr;
    }
    int motherboardIndex() const override { return board; }
    // What the link told, in order, with the detail of a port failure.
    std::vector<std::pair<NotSent, QString>> notices;
    void undelivered(NotSent why, const QString& detail) override {
        notices.emplace_back(why, detail);
    }
};

struct LinkFixture : ::testing::Test {
    CorvaneStore store;
    board::RecordingSkerry usb;
    board::SimulatedPort port;
    Host host;
    RegisterLink rl{corvane::corvaneTransport(), store, store.w, usb, port, host};
    void SetUp() override {
        store.setFieldDefaults();
        store.w.ParallelPortAddress = 888;
        rl.OpenParallelPort();
        rl.OpenUsbLink();
        usb.clear();
    }
    void write(int n) { rl.writeRegister(n); }
    std::vector<int16_t> dataBytes() const {
        std::vector<int16_t> out;
        for (const auto& b : port.outBytes())
            if (b.address == 888)
                out.push_back(static_cast<int16_t>(b.value));
        return out;
    }
};

} // namespace

TEST(ReadoutText, HighWithoutLeadingZerosAndLowAsFourDigits) {
    const std::pair<uint32_t, const char*> cases[] = {
        {0x0000000D, "0x0000D"},    {0x00003155, "0x03155"},   {0x00535001, "0x535001"},
        {0x80556214, "0x80556214"}, {0x09616A30, "0x9616A30"}, {0x0000800C, "0x0800C"},
    };
    for (const auto& [word, text] : cases)
        EXPECT_EQ(readoutText(word), QString::fromLatin1(text));
}

TEST(ReadoutText, Hex4AndHexTextToNumber) {
    EXPECT_EQ(Hex4(15), QStringLiteral("000F"));
    EXPECT_EQ(Hex4(16), QStringLiteral("0010"));
    EXPECT_EQ(Hex4(4095), QStringLiteral("0FFF"));
    EXPECT_EQ(Hex4(4096), QStringLiteral("1000"));
    EXPECT_EQ(HexTextToNumber(QStringLiteral("1f")), 31.0);
    EXPECT_EQ(HexTextToNumber(QStringLiteral("zz")), 0.0);
    EXPECT_EQ(HexTextToNumber(QStringLiteral("2AA")), 682.0);
    EXPECT_EQ(HexTextToNumber(QString()), 0.0);
}

TEST(RawWord, DecimalAndHexTextsAsTheir32BitPattern) {
    EXPECT_EQ(rawWordBits(QStringLiteral("&HCB00000F")), 0xCB00000Fu);
    EXPECT_EQ(rawWordBits(QStringLiteral("&H00040009")), 0x00040009u);
    EXPECT_EQ(rawWordBits(QStringLiteral("171870")), 171870u);
    EXPECT_EQ(rawWordBits(QStringLiteral("-1")), 0xFFFFFFFFu);
    EXPECT_EQ(rawWordBits(QStringLiteral("4294967295")), 0xFFFFFFFFu);
    EXPECT_FALSE(rawWordBits(QStringLiteral("4294967296")));
    EXPECT_FALSE(rawWordBits(QStringLiteral("-2147483649")));
    EXPECT_FALSE(rawWordBits(QStringLiteral("")));
    EXPECT_FALSE(rawWordBits(QStringLiteral("abc")));
}

TEST_F(LinkFixture, FirstRefreshMarksAllAndAnUnchangedRefreshMarksNothing) {
    rl.UpdateAllRegisterLabels();
    EXPECT_EQ(host.labels[0]->text(), QStringLiteral("0x9616A30"));
    EXPECT_EQ(host.labels[4]->text(), QStringLiteral("0x80556214"));
    EXPECT_EQ(host.labels[13]->text(), QStringLiteral("0x0000D"));
    EXPECT_EQ(host.labels[15]->text(), QStringLiteral("0x0000F"));
    for (int n : {0, 1, 2, 3, 4, 5, 6, 9, 10, 11, 12, 13})
        EXPECT_EQ(host.labels[n]->mark(), Mark::Changed) << n;
    EXPECT_EQ(host.labels[15]->mark(), Mark::Normal); // R15 is never marked
    EXPECT_EQ(store.w.RegisterSelect, 0);
    // R0 is formatted last and has no bit 31, R4 had it: RegisterWord is R0's word.
    EXPECT_EQ(store.w.RegisterWord, double(0x09616A30));

    for (int n : {0, 1, 2, 3, 4, 5, 6, 9, 10, 11, 12, 13})
        host.labels[n]->setMark(Mark::Normal);
    rl.UpdateAllRegisterLabels();
    for (int n : {0, 1, 2, 3, 4, 5, 6, 9, 10, 11, 12, 13})
        EXPECT_EQ(host.labels[n]->mark(), Mark::Normal) << n;
}

TEST_F(LinkFixture, FormatLowersAWordWithBit31By2To31) {
    rl.FormatRegisterWord(double(0x80556214u));
    EXPECT_EQ(store.w.RegisterHexHigh, QStringLiteral("8055"));
    EXPECT_EQ(store.w.RegisterHexLow, QStringLiteral("6214"));
    EXPECT_EQ(store.w.RegisterWord, double(0x00556214));
}

TEST_F(LinkFixture, R6ChangeDuringFineCalibrationMarksR5Too) {
    rl.UpdateAllRegisterLabels();
    for (auto& l : host.labels)
        if (l)
            l->setMark(Mark::Normal);
    store.f.IFFineCalField = 16;
    rl.UpdateAllRegisterLabels();
    EXPECT_EQ(host.labels[6]->mark(), Mark::Changed);
    EXPECT_EQ(host.labels[5]->mark(), Mark::Changed);
    EXPECT_EQ(host.labels[4]->mark(), Mark::Normal);
}

TEST_F(LinkFixture, ParallelWriteIsTheExact101ByteSequenceAndTheChipDecodesIt) {
    host.board = 0;
    write(0);
    const auto bytes = dataBytes();
    ASSERT_EQ(bytes.size(), 101u);
    std::vector<int16_t> expected{8};
    for (int b = 31; b >= 0; --b) {
        const bool one = (0x09616A30u >> b) & 1u;
        for (int16_t v : one ? std::array<int16_t, 3>{10, 11, 10} : std::array<int16_t, 3>{8, 9, 8})
            expected.push_back(v);
    }
    for (int16_t v : {8, 12, 8, 8})
        expected.push_back(v);
    EXPECT_EQ(bytes, expected);
    ASSERT_EQ(port.words().size(), 1u);
    EXPECT_EQ(port.words()[0], 0x09616A30u);
    EXPECT_EQ(host.labels[0]->text(), QStringLiteral("0x9616A30"));
    EXPECT_EQ(host.labels[0]->mark(), Mark::Normal);
}

TEST_F(LinkFixture, ParallelWriteOfAWordWithBit31) {
    host.board = 0;
    write(4);
    ASSERT_EQ(port.words().size(), 1u);
    EXPECT_EQ(port.words()[0], 0x80556214u);
    EXPECT_EQ(host.labels[4]->text(), QStringLiteral("0x80556214"));
}

TEST_F(LinkFixture, ParallelReadbackUsesTheSecondOfEachPairOfReads) {
    host.board = 0;
    store.f.ReadbackSelectField = 64;
    store.f.ReadbackEnableField = 256;
    const int16_t selection = (64 + 256) / 16;
    for (int32_t answer : {32769, 0x012C, 0xFFFF, 0}) {
        port.setReadbackAnswer(selection, answer);
        write(7);
        EXPECT_EQ(store.w.ReadbackValue, answer);
    }
    ASSERT_FALSE(port.readbacks().empty());
    EXPECT_EQ(port.readbacks().back().selection, selection);
    EXPECT_TRUE(port.malformed().empty());
    EXPECT_EQ(port.words().size(), 0u); // a readback latches no register
}

TEST_F(LinkFixture, RawWriteAfterAReadbackStillSends32BitsAndClosesTheLatch) {
    host.board = 0;
    write(7);
    rl.writeRawWord(0xCB00000Fu);
    ASSERT_EQ(port.words().size(), 1u);
    EXPECT_EQ(port.words()[0], 0xCB00000Fu);
    EXPECT_TRUE(port.malformed().empty());
}

TEST_F(LinkFixture, BothBoardsSendTheWordTheFieldsMakeNowAndShowItWritten) {
    for (int board : {1, 0}) {
        host.board = board;
        store.setFieldDefaults();
        rl.UpdateAllRegisterLabels();
        store.f.FracNField = 0; // changed without a refresh
        write(0);
        EXPECT_EQ(host.labels[0]->text(), QStringLiteral("0x9600000")) << board;
        EXPECT_EQ(host.labels[0]->mark(), Mark::Normal) << board;
        // A read-out that was never written keeps its mark.
        EXPECT_EQ(host.labels[3]->mark(), Mark::Changed) << board;
    }
    EXPECT_EQ(usb.writtenWords(), (std::vector<uint32_t>{0x09600000u}));
    EXPECT_EQ(port.words(), (std::vector<uint32_t>{0x09600000u}));
}

TEST_F(LinkFixture, UsbWordWithHighDigitIsNotSignExtended) {
    host.board = 1;
    store.f.PacketLengthField = 0x80 << 8;
    write(12);
    ASSERT_EQ(usb.writtenWords().size(), 1u);
    EXPECT_EQ(usb.writtenWords()[0], 0x0000800Cu);
    EXPECT_EQ(host.labels[12]->text(), QStringLiteral("0x0800C"));
}

TEST_F(LinkFixture, AReadoutNeverRefreshedSendsTheFieldsWordAndShowsIt) {
    host.board = 1;
    write(5);
    EXPECT_EQ(usb.writtenWords(), (std::vector<uint32_t>{0x00003155u}));
    EXPECT_EQ(host.labels[5]->text(), QStringLiteral("0x03155"));
}

TEST_F(LinkFixture, AnUnclaimedPortSendsNothingAndLeavesTheMarks) {
    host.board = 0;
    rl.ReleaseParallelPort();
    rl.UpdateAllRegisterLabels();
    for (int n : {0, 3, 7, 8, 15})
        EXPECT_FALSE(rl.writeRegister(n)) << n;
    EXPECT_FALSE(rl.sendWord(0x1234567Fu));
    EXPECT_TRUE(port.outBytes().empty());
    EXPECT_EQ(host.labels[0]->mark(), Mark::Changed);
    ASSERT_EQ(host.notices.size(), 6u);
    for (const auto& [why, detail] : host.notices)
        EXPECT_EQ(why, LinkHost::NotSent::PortNotClaimed);

    // Claimed again, the same write goes out and is shown written.
    ASSERT_TRUE(rl.OpenParallelPort());
    write(0);
    EXPECT_EQ(port.words(), (std::vector<uint32_t>{0x09616A30u}));
    EXPECT_EQ(host.labels[0]->mark(), Mark::Normal);
    EXPECT_EQ(host.notices.size(), 6u);
}

// A closed link takes nothing and reads nothing, as an unclaimed port does; with no board
// chosen at all nothing is said.
TEST_F(LinkFixture, AClosedUsbLinkSendsAndReadsNothingAndLeavesTheMarks) {
    host.board = 1;
    rl.CloseUsbLink();
    usb.clear();
    rl.UpdateAllRegisterLabels();
    store.w.ReadbackValue = 1234;
    for (int n : {0, 3, 7, 8, 15})
        EXPECT_FALSE(rl.writeRegister(n)) << n;
    EXPECT_FALSE(rl.writeRawWord(0xCB00000Fu));
    EXPECT_FALSE(rl.sendWord(0x1234567Fu));
    EXPECT_TRUE(usb.calls().empty());
    EXPECT_EQ(store.w.ReadbackValue, 1234); // no invented reading
    EXPECT_EQ(host.labels[0]->mark(), Mark::Changed);
    EXPECT_EQ(host.labels[3]->mark(), Mark::Changed);
    ASSERT_EQ(host.notices.size(), 7u);
    for (const auto& [why, detail] : host.notices)
        EXPECT_EQ(why, LinkHost::NotSent::UsbLinkClosed);

    host.board = -1;
    host.notices.clear();
    EXPECT_FALSE(rl.writeRegister(0));
    EXPECT_TRUE(host.notices.empty());

    host.board = 1;
    ASSERT_TRUE(rl.OpenUsbLink());
    EXPECT_TRUE(rl.writeRegister(0));
    EXPECT_EQ(usb.writtenWords(), (std::vector<uint32_t>{0x09616A30u}));
    EXPECT_EQ(host.labels[0]->mark(), Mark::Normal);
    EXPECT_TRUE(host.notices.empty());
}

TEST_F(LinkFixture, ALinkThatDoesNotOpenStaysClosed) {
    host.board = 1;
    usb.setInitResult(0);
    EXPECT_FALSE(rl.OpenUsbLink());
    EXPECT_FALSE(rl.usbOpen());
    EXPECT_FALSE(rl.writeRegister(0));
    EXPECT_TRUE(usb.writtenWords().empty());
}

namespace {

const QString DeviceGone = QStringLiteral("/dev/parport0: No such device");

// A link over a recording port whose device goes away after `working` byte calls.
struct FailingPort {
    board::RecordingParllio port;
    RegisterLink link;
    FailingPort(LinkFixture& t, size_t working)
        : link{corvane::corvaneTransport(), t.store, t.store.w, t.usb, port, t.host} {
        t.host.board = 0;
        link.OpenParallelPort();
        port.clear();
        port.failAfter(working, DeviceGone);
    }
    size_t dataBytes() const { return port.outBytesTo(888).size(); }
};

void expectOnePortFailure(const Host& host) {
    ASSERT_EQ(host.notices.size(), 1u);
    EXPECT_EQ(host.notices[0].first, LinkHost::NotSent::PortFailed);
    EXPECT_EQ(host.notices[0].second, DeviceGone);
}

} // namespace

// A word is written only if every byte went out: after the first lost byte the link sends
// nothing more (no latch pulse, so the chip keeps its register), the read-out shows the
// fields' word still marked, and the host hears the device and the cause.
TEST_F(LinkFixture, AWordCutShortByThePortIsNotShownWritten) {
    for (size_t working : {size_t{0}, size_t{50}, size_t{100}}) {
        SCOPED_TRACE(working);
        FailingPort failing(*this, working);
        host.notices.clear();
        store.setFieldDefaults();
        failing.link.UpdateAllRegisterLabels();
        host.labels[0]->setMark(Mark::Normal); // as if written before
        store.f.FracNField = 0;                // changed without a refresh
        EXPECT_FALSE(failing.link.writeRegister(0));
        EXPECT_EQ(failing.dataBytes(), working);
        EXPECT_EQ(failing.port.failedCalls(), 1u) << "the link went on after a lost byte";
        EXPECT_EQ(host.labels[0]->text(), QStringLiteral("0x9600000"));
        EXPECT_EQ(host.labels[0]->mark(), Mark::Changed);
        expectOnePortFailure(host);
    }
}

TEST_F(LinkFixture, AFailingPortReadsNothingAndTakesNoWholeWord) {
    FailingPort failing(*this, 120); // gone while the answer bits are read
    store.w.ReadbackValue = 1234;
    EXPECT_FALSE(failing.link.writeRegister(7));
    EXPECT_EQ(store.w.ReadbackValue, 1234); // bits of a failed port are no reading
    expectOnePortFailure(host);

    for (auto send : {+[](RegisterLink& l) { return l.writeRawWord(0xCB00000Fu); },
                      +[](RegisterLink& l) { return l.sendWord(0x1234567Fu); },
                      +[](RegisterLink& l) {
                          return l.writeRegister(8);
                      }}) {
        host.notices.clear();
        EXPECT_FALSE(send(failing.link));
        expectOnePortFailure(host);
    }

    // The device back, the next word goes out whole and is shown written.
    failing.port.heal();
    failing.port.clear();
    host.notices.clear();
    failing.link.UpdateAllRegisterLabels();
    EXPECT_TRUE(failing.link.writeRegister(0));
    EXPECT_EQ(failing.dataBytes(), 101u);
    EXPECT_EQ(host.labels[0]->mark(), Mark::Normal);
    EXPECT_TRUE(host.notices.empty());
}

TEST_F(LinkFixture, R8ReceiveAndTransmitOnBothBoards) {
    for (int board : {0, 1}) {
        host.board = board;
        store.f.TxRxField = 1 << 27;
        write(8);
        store.f.TxRxField = 0;
        store.f.AdcEnableField = 256;
        write(8);
        store.f.AdcEnableField = 0;
    }
    EXPECT_EQ(port.words(), (std::vector<uint32_t>{0x7C8, 0x108}));
    EXPECT_EQ(usb.writtenWords(), (std::vector<uint32_t>{0x7C8, 0x108}));
}

TEST_F(LinkFixture, UsbReadbackSendsTheSelectionAndR15TheBuiltWord) {
    host.board = 1;
    store.f.ReadbackSelectField = 192;
    store.f.ReadbackEnableField = 256;
    usb.setReadbackAnswer(28, 0x0507);
    write(7);
    EXPECT_EQ(store.w.ReadbackValue, 0x0507);
    store.f.RssiTestField = 11 << 24;
    write(15);
    ASSERT_EQ(usb.writtenWords().size(), 1u);
    EXPECT_EQ(usb.writtenWords()[0], 0x0B00000Fu);
}

TEST_F(LinkFixture, RawRegister99OverUsb) {
    host.board = 1;
    for (const char* text : {"&HCB00000F", "30", "-1", "nonsense", "99999999999"}) {
        if (const std::optional<uint32_t> bits = rawWordBits(QString::fromLatin1(text))) {
            EXPECT_TRUE(rl.writeRawWord(*bits)) << text;
        }
    }
    EXPECT_EQ(usb.writtenWords(), (std::vector<uint32_t>{0xCB00000F, 30, 0xFFFFFFFF}));
    // What went out is the link's own record.
    EXPECT_EQ(store.w.RawWord, 0xFFFFFFFFu);
    EXPECT_EQ(store.w.RegisterSelect, TransportDescription::RawRegister);
}

TEST_F(LinkFixture, Register14AndNoBoardSendNothing) {
    for (int board : {-1, 0, 1}) {
        host.board = board;
        write(14);
        write(TransportDescription::RawRegister); // a whole word is no register of the fields
    }
    host.board = -1;
    write(0);
    EXPECT_TRUE(usb.calls().empty());
    EXPECT_EQ(port.outByteCount(), 0u);
}

TEST(OsVersion, CodesOfTheTable) {
    struct Case {
        OsVersionInfo info;
        int16_t code;
    } cases[] = {
        {{1, 4, 0}, 95},  {{1, 4, 10}, 98},  {{1, 4, 90}, 0}, {{2, 3, 51}, 351},
        {{2, 4, 0}, 400}, {{2, 5, 1}, 2000}, {{2, 6, 0}, 0},  {{3, 0, 0}, -1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(osVersionCode(c.info), c.code);
    // On Linux the port is always claimed through ppdev before use.
    const int16_t here = osVersionCode(currentOsVersion());
    EXPECT_TRUE(here == 351 || here == 400 || here == 2000);
}

TEST(DelayLoop, CountsToNPlusOne) {
    EXPECT_EQ(RegisterLink::DelayLoop(10000), 10001);
    EXPECT_EQ(RegisterLink::DelayLoop(0), 1);
    EXPECT_EQ(RegisterLink::DelayLoop(-5), 1);
    EXPECT_EQ(RegisterLink::DelayLoop(32767), 32768); // would wrap in 16 bits
}

TEST_F(LinkFixture, PortInByteIsNeverNegative) {
    board::RecordingParllio recording;
    RegisterLink other{corvane::corvaneTransport(), store, store.w, usb, recording, host};
    recording.setInByteAnswers(889, {0xFF});
    EXPECT_EQ(other.PortInByte(889), 255);
}
