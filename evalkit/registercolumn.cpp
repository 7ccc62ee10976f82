#include "evalkit/registercolumn.h"

#include "link/registerreadout.h"
#include "platform/named.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

namespace evalkit {

void RegisterColumn::build(const RegisterColumnLook& look, std::vector<RegisterRow> rows) {
    const QString update = QStringLiteral("Update");
    rows_.clear();
    for (const RegisterRow& r : rows) {
        auto* readout =
            platform::named(new reglink::RegisterReadout(
                                r.designCaption.isEmpty() ? reglink::RegisterReadout::DesignCaption
                                                          : r.designCaption),
                            r.readoutName);
        if (!look.widthSample.isEmpty())
            readout->setMinimumWidth(readout->fontMetrics().horizontalAdvance(look.widthSample) +
                                     16);
        auto* button = platform::namedButton(r.updateName, update);
        auto* caption = new QLabel(r.caption.isEmpty() ? look.captionPattern.arg(r.n) : r.caption);
        if (!look.captionNamePattern.isEmpty())
            caption->setObjectName(look.captionNamePattern.arg(r.n));
        if (!r.title.isEmpty()) {
            button->setToolTip(r.title);
            caption->setToolTip(r.title);
        }
        *r.readout = readout;
        *r.update = button;
        rows_.push_back({r.n, readout, button, caption});
    }
}

QGroupBox* RegisterColumn::frame(QPushButton* updateAll, QPushButton* manualEdit) const {
    auto* regs = new QGroupBox(QStringLiteral("Registers"));
    auto* grid = new QGridLayout(regs);
    int r = 0;
    for (const Row& row : rows_) {
        grid->addWidget(row.caption, r, 0);
        grid->addWidget(row.readout, r, 1);
        grid->addWidget(row.update, r, 2);
        ++r;
    }
    grid->addWidget(updateAll, r++, 0, 1, 3);
    grid->addWidget(manualEdit, r++, 0, 1, 3);
    return regs;
}

void RegisterColumn::connectUpdates(QObject* context,
                                    const std::function<void(int)>& update) const {
    for (const Row& r : rows_)
        QObject::connect(r.update, &QPushButton::clicked, context,
                         [update, n = r.n] { update(n); });
}

std::vector<RegisterRow> TransceiverRegisters::registerRows(const std::vector<RowTexts>& texts) {
    std::vector<RegisterRow> rows = {
        {0, &lblNhex, "lblNhex", &cmdN, "cmdN"},
        {1, &lblOSChex, "lblOSChex", &cmdOsc, "cmdOsc"},
        {2, &lblMODhex, "lblMODhex", &cmdTransmit, "cmdTransmit"},
        {3, &lblRxCLKhex, "lblRxCLKhex", &cmdRxClk, "cmdRxClk"},
        {4, &lblDEMODhex, "lblDEMODhex", &cmdDemod, "cmdDemod"},
        {5, &lblSyncHex, "lblSyncHex", &cmdSync, "cmdSync"},
        {6, &lblT4hex, "lblT4hex", &cmdT4, "cmdT4"},
        {9, &lblAGC9hex, "lblAGC9hex", &cmdReg9, "cmdReg9"},
        {10, &lbltest10hex, "lbltest10hex", &cmdReg10, "cmdReg10"},
        {11, &lbltest11hex, "lbltest11hex", &cmdReg11, "cmdReg11"},
        {12, &lbltest12hex, "lbltest12hex", &cmdReg12, "Command4"},
        {13, &lblTFSK13hex, "lblTFSK13hex", &cmdReg13, "cmdReg13"},
    };
    for (std::size_t i = 0; i < texts.size() && i < rows.size(); ++i) {
        rows[i].designCaption = texts[i].designCaption;
        rows[i].title = texts[i].title;
    }
    return rows;
}

const RegisterColumn::Row* RegisterColumn::rowOf(int n) const {
    for (const Row& r : rows_)
        if (r.n == n)
            return &r;
    return nullptr;
}

reglink::RegisterReadout* RegisterColumn::readout(int n) const {
    const Row* r = rowOf(n);
    return r ? r->readout : nullptr;
}

QPushButton* RegisterColumn::updateButton(int n) const {
    const Row* r = rowOf(n);
    return r ? r->update : nullptr;
}

QLabel* RegisterColumn::caption(int n) const {
    const Row* r = rowOf(n);
    return r ? r->caption : nullptr;
}

} // namespace evalkit
