#include "evalkit/rawregisterwindow.h"

#include "evalkit/programcontext.h"
#include "platform/core/numbers.h"
#include "platform/named.h"

#include <QFont>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace evalkit {

namespace {

const QString BoxWidthText = QStringLiteral("0xZZZZZZZZ");

// Long pasted texts are cut in the message so the box stays readable.
QString shownText(const QString& text) {
    constexpr qsizetype Longest = 40;
    return text.size() > Longest ? text.left(Longest) + QStringLiteral("...") : text;
}

} // namespace

std::optional<uint32_t> RawRegisterDescription::hexWordAfterPrefix(const QString& text) {
    if (!text.startsWith(QStringLiteral("0x")))
        return std::nullopt;
    return platform::hexToU32(QStringView(text).mid(2));
}

frmRegisters::frmRegisters(ProgramContext& app, const RawRegisterDescription& description,
                           RawRegisterHooks hooks)
    : app_(app), d_(description), hooks_(std::move(hooks)) {
    setObjectName(QLatin1String(DesignName));
    setWindowTitle(QStringLiteral("Directly Program Registers"));

    QFont fixed(QStringLiteral("Courier"));
    fixed.setStyleHint(QFont::TypeWriter);

    auto* grid = new QGridLayout;
    const int count = int(description.boxes.size());
    // Two columns of eight for a long list, register number order top to bottom.
    const int rows = count > 8 ? (count + 1) / 2 : count;
    for (int n = 0; n < count; ++n) {
        const auto& spec = description.boxes[size_t(n)];
        const QString number = QString::number(n);
        auto* caption = new QLabel(spec.caption);
        caption->setObjectName(QStringLiteral("lblRegister") + number);
        auto* text = new QLineEdit(spec.designText);
        text->setObjectName(QStringLiteral("Text") + number);
        text->setFont(fixed);
        text->setMinimumWidth(QFontMetrics(fixed).horizontalAdvance(BoxWidthText) + 16);
        caption->setBuddy(text);
        auto* button = new QPushButton(QStringLiteral("Update ") + number);
        button->setObjectName(QStringLiteral("cmd") + number);
        // Return in a box must not send a register the user did not ask for.
        button->setAutoDefault(false);
        boxes_.push_back(text);
        buttons_.push_back(button);
        connect(button, &QPushButton::clicked, this, [this, n] { cmdClick(n); });

        const int row = n % rows;
        const int column = (n / rows) * 4;
        grid->addWidget(caption, row, column);
        grid->addWidget(text, row, column + 1);
        grid->addWidget(button, row, column + 2);
    }
    if (count > 8)
        grid->setColumnMinimumWidth(3, 24);

    warning = platform::namedLabel("Label14", description.warning);
    warning->setWordWrap(true);
    warning->setStyleSheet(QStringLiteral("color: #C00000; font-weight: bold;"));

    cmdReturn = platform::namedButton("cmdReturn", QStringLiteral("Return to Front Panel"));
    cmdReturn->setAutoDefault(false);
    connect(cmdReturn, &QPushButton::clicked, this, &frmRegisters::cmdReturn_Click);

    auto* foot = new QHBoxLayout;
    if (description.updateAll) {
        cmdUpdateAll = platform::namedButton("cmdUpdateAll", QStringLiteral("Update All"));
        cmdUpdateAll->setToolTip(description.updateAllToolTip);
        cmdUpdateAll->setAutoDefault(false);
        connect(cmdUpdateAll, &QPushButton::clicked, this, &frmRegisters::cmdUpdateAll_Click);
        foot->addWidget(cmdUpdateAll);
    }
    foot->addStretch();
    foot->addWidget(cmdReturn);

    auto* top = new QVBoxLayout(this);
    top->addWidget(warning);
    top->addLayout(grid);
    top->addLayout(foot);
}

void frmRegisters::Form_Load() {
    for (int n = 0; n < count(); ++n) {
        const auto& spec = d_.boxes[size_t(n)];
        if (spec.readout) {
            const reglink::RegisterReadout* readout = app_.readoutLabel(*spec.readout);
            const QString caption = readout ? readout->text() : QString();
            // A read-out that was never refreshed holds no word; the box keeps its own text.
            const bool holdsWord =
                readout && std::find(d_.neverRefreshed.begin(), d_.neverRefreshed.end(), caption) ==
                               d_.neverRefreshed.end();
            if (holdsWord)
                box(n)->setText(caption);
        } else if (!spec.fixedText.isNull()) {
            box(n)->setText(spec.fixedText);
        }
    }
}

void frmRegisters::cmdClick(int n) {
    if (n < 0 || n >= count())
        return;
    const QString text = box(n)->text();
    const auto& spec = d_.boxes[size_t(n)];
    // The texts the window puts into the boxes of registers without a read-out stand for the
    // bare register number as they are.
    const auto bits = !spec.fixedText.isNull() && text == spec.fixedText
                          ? platform::hexToU32(spec.fixedText.startsWith(QStringLiteral("0x"))
                                                   ? QStringView(spec.fixedText).mid(2)
                                                   : QStringView(spec.fixedText))
                          : RawRegisterDescription::hexWordAfterPrefix(text);
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
    if (!d_.throughRawRegister)
        app_.sendWord(bits);
    else if (hooks_.writeRawWord)
        hooks_.writeRawWord(bits);
    else
        app_.writeRawWord(bits);
}

void frmRegisters::cmdUpdateAll_Click() {
    for (int n = 0; n < count(); ++n)
        cmdClick(n);
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
    for (int n = 0; n < count(); ++n)
        cmdClick(n);
}

} // namespace evalkit
