#include "evalkit/boardframe.h"

#include "platform/named.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>

namespace evalkit {

BoardControls BoardWidgets::session() const {
    BoardControls c{board, connect, chipEnable, {}};
    if (caption)
        c.chipEnableCaptions.push_back(caption);
    return c;
}

BoardWidgets boardWidgets(const BoardChoice& choice) {
    BoardWidgets b{};
    b.board = platform::namedList("cmbMB", choice.boards, choice.designText);
    b.connect = platform::namedButton("ConnectUSB", BoardSession::ConnectCaption);
    // Wide enough for either caption: "Disconnect USB" must not widen the panel beyond the
    // screen it was fitted to once the link is open.
    b.connect->setText(BoardSession::DisconnectCaption);
    b.connect->setMinimumWidth(b.connect->sizeHint().width());
    b.connect->setText(BoardSession::ConnectCaption);
    if (!choice.connectToolTip.isEmpty())
        b.connect->setToolTip(choice.connectToolTip);
    b.caption =
        choice.captionName ? platform::namedLabel(choice.captionName, choice.caption) : nullptr;
    b.chipEnable = platform::namedToggle(choice.chipEnableName);
    return b;
}

QGridLayout* boardGrid(const QString& listCaption, const BoardWidgets& c) {
    auto* frame = new QGroupBox(QStringLiteral("Evaluation Board"));
    auto* grid = new QGridLayout(frame);
    auto* caption = new QLabel(listCaption);
    caption->setBuddy(c.board);
    grid->addWidget(caption, 0, 0);
    grid->addWidget(c.board, 0, 1, 1, 2);
    grid->addWidget(c.connect, 1, 0);
    if (c.caption)
        grid->addWidget(c.caption, 1, 1, Qt::AlignRight);
    grid->addWidget(c.chipEnable, 1, 2);
    return grid;
}

} // namespace evalkit
