#include "pellion/pendingwindow.h"

#include "platform/named.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace pellion {

PendingWindow::PendingWindow(const char* name, const QString& caption) {
    setObjectName(QString::fromLatin1(name));
    setWindowTitle(caption);
    cmdReturn = platform::namedButton("cmdReturn", QStringLiteral("Return to Front Panel"));
    cmdReturn->setDefault(true);
    connect(cmdReturn, &QPushButton::clicked, this, &PendingWindow::cmdReturn_Click);

    auto* foot = new QHBoxLayout;
    foot->addStretch();
    foot->addWidget(cmdReturn);
    auto* layout = new QVBoxLayout(this);
    layout->addStretch();
    layout->addLayout(foot);
    setMinimumSize(320, 160);
}

void PendingWindow::cmdReturn_Click() {
    unload();
}

} // namespace pellion
