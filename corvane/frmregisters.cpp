#include "corvane/frmregisters.h"

#include "corvane/corvaneapp.h"
#include "corvane/frmsavereg.h"
#include "corvane/main_window.h"
#include "platform/named.h"
#include "platform/numbers.h"

#include <QComboBox>
#include <QFont>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace corvane {

namespace {

using platform::named;

// What a read-out shows before it was ever refreshed: the box then keeps its own text.
const QString NeverRefreshed = QStringLiteral("0xZZZZZZ");
const QString BoxDesignText = QStringLiteral("0xZZZZZZZZ");

const QString Captions[frmRegisters::RegisterCount] = {
    QStringLiteral("Register 00 (Hex)"),  QStringLiteral("Register 01(Hex)"),
    QStringLiteral("Register 02 (Hex)"),  QStringLiteral("Register 03 (Hex)"),
    QStringLiteral("Register 04 (Hex)"),  QStringLiteral("Register 05 (Hex )"),
    QStringLiteral("Register 06 (Hex )"), QStringLiteral("Register 07 (Hex)"),
    QStringLiteral("Register 08 (Hex)"),  QStringLiteral("Register 09 (Hex)"),
    QStringLiteral("Register 10 (Hex)"),  QStringLiteral("Register 11 (Hex)"),
    QStringLiteral("Register 12 (Hex)"),  QStringLiteral("Register 13 (Hex)"),
    QStringLiteral("Register 14 (Hex)"),  QStringLiteral("Register 15 (Hex)")};

// Registers 7, 8, 14 and 15 have no read-out on the front panel: their boxes start at the
// bare register number.
struct FixedText {
    int n;
    const char* text;
};
constexpr FixedText FixedTexts[] = {
    {7, "0x007"}, {8, "0x0008"}, {14, "0x0000000E"}, {15, "0x0000000F"}};

// Long pasted texts are cut in the message so the box stays readable.
QString shownText(const QString& text) {
    constexpr qsizetype Longest = 40;
    return text.size() > Longest ? text.left(Longest) + QStringLiteral("...") : text;
}

} // namespace

frmRegisters::frmRegisters(CorvaneApp& app) : app_(app) {
    setObjectName(QStringLiteral("frmRegisters"));
    setWindowTitle(QStringLiteral("Directly Program Registers"));

    QFont fixed(QStringLiteral("Courier"));
    fixed.setStyleHint(QFont::TypeWriter);

    auto* grid = new QGridLayout;
    for (int n = 0; n < RegisterCount; ++n) {
        const QString number = QString::number(n);
        auto* caption = new QLabel(Captions[n]);
        caption->setObjectName(QStringLiteral("lblRegister") + number);
        auto* text = new QLineEdit(n <= 6 ? BoxDesignText : QString());
        text->setObjectName(QStringLiteral("Text") + number);
        text->setFont(fixed);
        text->setMinimumWidth(QFontMetrics(fixed).horizontalAdvance(BoxDesignText) + 16);
        caption->setBuddy(text);
        auto* button = new QPushButton(QStringLiteral("Update ") + number);
        button->setObjectName(QStringLiteral("cmd") + number);
        // Return in a box must not send a register the user did not ask for.
        button->setAutoDefault(false);
        boxes_[static_cast<size_t>(n)] = text;
        buttons_[static_cast<size_t>(n)] = button;
        connect(button, &QPushButton::clicked, this, [this, n] { cmdClick(n); });

        // Two columns of eight, register number order top to bottom.
        const int row = n % 8;
        const int column = (n / 8) * 4;
        grid->addWidget(caption, row, column);
        grid->addWidget(text, row, column + 1);
        grid->addWidget(button, row, column + 2);
    }
    grid->setColumnMinimumWidth(3, 24);

    Text0 = boxes_[0], Text1 = boxes_[1], Text2 = boxes_[2], Text3 = boxes_[3];
    Text4 = boxes_[4], Text5 = boxes_[5], Text6 = boxes_[6], Text7 = boxes_[7];
    Text8 = boxes_[8], Text9 = boxes_[9], Text10 = boxes_[10], Text11 = boxes_[11];
    Text12 = boxes_[12], Text13 = boxes_[13], Text14 = boxes_[14], Text15 = boxes_[15];
    cmd0 = buttons_[0], cmd1 = buttons_[1], cmd2 = buttons_[2], cmd3 = buttons_[3];
    cmd4 = buttons_[4], cmd5 = buttons_[5], cmd6 = buttons_[6], cmd7 = buttons_[7];
    cmd8 = buttons_[8], cmd9 = buttons_[9], cmd10 = buttons_[10], cmd11 = buttons_[11];
    cmd12 = buttons_[12], cmd13 = buttons_[13], cmd14 = buttons_[14], cmd15 = buttons_[15];

    Label14 = named(new QLabel(QStringLiteral(
                        "WARNING : Direct Programming of the registers will not update the "
                        "Graphical interface. Programming of Registers 9 to 13 is not advised. "
                        "The part should be reset to assume default values for these registers  ")),
                    "Label14");
    Label14->setWordWrap(true);
    Label14->setStyleSheet(QStringLiteral("color: #C00000; font-weight: bold;"));

    cmdReturn = platform::namedButton("cmdReturn", QStringLiteral("Return to Front Panel"));
    cmdReturn->setAutoDefault(false);
    connect(cmdReturn, &QPushButton::clicked, this, &frmRegisters::cmdReturn_Click);

    auto* foot = new QHBoxLayout;
    foot->addStretch();
    foot->addWidget(cmdReturn);

    auto* top = new QVBoxLayout(this);
    top->addWidget(Label14);
    top->addLayout(grid);
    top->addLayout(foot);
}

void frmRegisters::Form_Load() {
    Main& m = app_.main();
    const std::array<std::pair<int, const link::RegisterReadout*>, 12> readouts = {{
        {0, m.lblNhex},
        {1, m.lblOSChex},
        {2, m.lblMODhex},
        {3, m.lblRxCLKhex},
        {4, m.lblDEMODhex},
        {5, m.lblSyncHex},
        {6, m.lblT4hex},
        {9, m.lblAGC9hex},
        {10, m.lbltest10hex},
        {11, m.lbltest11hex},
        {12, m.lbltest12hex},
        {13, m.lblTFSK13hex},
    }};
    for (const auto& [n, readout] : readouts) {
        const QString caption = readout->text();
        // A read-out that was never refreshed holds no word; the box keeps its own text.
        if (caption != NeverRefreshed && caption != link::RegisterReadout::DesignCaption)
            box(n)->setText(caption);
    }
    for (const auto& fixed : FixedTexts)
        box(fixed.n)->setText(QString::fromLatin1(fixed.text));
}

std::optional<uint32_t> frmRegisters::registerWordBits(const QString& text) {
    if (!text.startsWith(QStringLiteral("0x")))
        return std::nullopt;
    return platform::hexToU32(QStringView(text).mid(2));
}

void frmRegisters::cmdClick(int n) {
    if (n < 0 || n >= RegisterCount)
        return;
    const QString text = box(n)->text();
    const auto bits = registerWordBits(text);
    if (!bits) {
        // The box is sent as the user wrote it or not at all: a guessed word could program
        // the chip with settings nobody asked for.
        app_.messages().message(
            QStringLiteral("Register %1: \"%2\" is not a register word. Enter 0x followed by 1 "
                           "to 8 hexadecimal digits (0 to 9, A to F), for example 0x%3.")
                .arg(n, 2, 10, QLatin1Char('0'))
                .arg(shownText(text))
                .arg(platform::hexText(uint32_t(n))),
            platform::MsgIcon::Exclamation);
        return;
    }
    send(*bits);
}

void frmRegisters::send(uint32_t bits) {
    auto& link = app_.link();
    if (app_.main().cmbMB->currentIndex() != 0) {
        // The USB library takes the word as a signed 32-bit value with the same bits.
        int32_t word = static_cast<int32_t>(bits);
        link.usb().dd_write_pellion_reg(word);
        return;
    }
    // A raw word is always a full 32-bit write, whatever register was last selected
    // (a readback selection would otherwise cut it to 16 bits).
    app_.w().RegisterWord = double(bits);
    link.ShiftOutWord(false);
    link.PulseLatchEnable(false);
}

void frmRegisters::cmdReturn_Click() {
    unload();
}

std::optional<double> frmRegisters::HexTextToValue(const QString& digits) {
    // A register word has at most eight digits; longer texts are no word of this chip.
    const auto bits = platform::hexToU32(digits);
    if (!bits)
        return std::nullopt;
    return double(*bits);
}

void frmRegisters::WriteAllRegisterTexts() {
    for (int n = 0; n < RegisterCount; ++n)
        cmdClick(n);
}

void frmRegisters::ShowSaveWindow() {
    app_.showModal(&app_.saveReg());
}

} // namespace corvane
