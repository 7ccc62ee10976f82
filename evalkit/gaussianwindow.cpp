#include "evalkit/gaussianwindow.h"

#include "evalkit/fielddialog.h"
#include "platform/named.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace evalkit {

GaussianWindow::GaussianWindow(const QString& updateCaption, int resultWidth) {
    setObjectName(QLatin1String(DesignName));
    setWindowTitle(QStringLiteral("Gaussian ASK/FSK Form"));

    cmbModCtrl = dialog::list("cmbModCtrl", dialog::numberItems(7));
    cmbIndexCount = dialog::list("cmbIndexCount", {QStringLiteral("16"), QStringLiteral("32"),
                                                   QStringLiteral("64"), QStringLiteral("128")});
    txtDivider = dialog::box("txtDivider", QStringLiteral("64"));
    lblFdev = dialog::label("lblFdev", QString());
    lblDatarate = dialog::label("lblDatarate", QString());
    for (QLabel* l : {lblFdev, lblDatarate}) {
        l->setFrameShape(QFrame::Panel);
        l->setFrameShadow(QFrame::Sunken);
        l->setMinimumWidth(resultWidth);
    }
    cmdCalculate = platform::namedButton("cmdCalculate", QStringLiteral("Calculate !"));
    cmdUpdate = platform::namedButton("cmdUpdate", updateCaption);
    setupFrame = platform::named(new QGroupBox(QStringLiteral("Gaussian Setup")), "Frame1");
}

int GaussianWindow::addRows(QGridLayout* grid,
                            std::initializer_list<std::pair<const char*, QWidget*>> rows) {
    int row = 0;
    for (const auto& [caption, control] : rows) {
        auto* l = new QLabel(QString::fromLatin1(caption));
        l->setBuddy(control);
        grid->addWidget(l, row, 0);
        grid->addWidget(control, row, 1);
        ++row;
    }
    return row;
}

} // namespace evalkit
