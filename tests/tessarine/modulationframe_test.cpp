// The modulation frame as each scheme shows it: the deviation entry is there only in FSK and
// GFSK; in ASK, OOK and GOOK its cover stands in for it and takes no room, so the frame holds
// no blank panel, only the rows the scheme has.
#include "tessarinefixture.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

using namespace tessarine;
using namespace tessarine::test;

namespace {

// Chooses item `index` of `list` through its drop-down, as a user does.
void choose(QComboBox* list, int index) {
    list->showPopup();
    QAbstractItemView* view = list->view();
    const QModelIndex item = view->model()->index(index, list->modelColumn(), view->rootIndex());
    view->scrollTo(item);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(item).center());
    QCoreApplication::processEvents();
}

// The names of what the frame shows that has room on the screen, top to bottom.
QStringList shownIn(const QGroupBox* frame) {
    QStringList names;
    for (QWidget* w : frame->findChildren<QWidget*>()) {
        if (!w->isVisible() || w->size().isEmpty())
            continue;
        if (auto* label = qobject_cast<QLabel*>(w))
            names << label->text();
        else if (!w->objectName().isEmpty())
            names << w->objectName();
    }
    return names;
}

} // namespace

TEST_F(TessarineFixture, TheCoveredDeviationEntryLeavesNoBlankPanel) {
    Main& m = start();
    m.show();
    const struct {
        int scheme;
        bool entry; // the deviation entry and its labels are shown
        bool gaussian;
    } cases[] = {{2, false, false}, {3, false, false}, {4, false, true},
                 {0, true, false},  {1, true, true},   {3, false, false}};
    for (const auto& c : cases) {
        choose(m.cmbModulation, c.scheme);
        SCOPED_TRACE(m.cmbModulation->currentText().toStdString());
        EXPECT_EQ(m.frHideFSK->isHidden(), c.entry);
        EXPECT_EQ(m.TxtFSKdev->isVisible(), c.entry);
        EXPECT_EQ(m.Lblfskdev->isVisible(), c.entry);
        // The cover takes no room in the frame.
        EXPECT_TRUE(m.frHideFSK->size().isEmpty());
        EXPECT_EQ(m.frGaussian->isVisible(), c.gaussian);
        if (!c.entry && !c.gaussian) {
            // The frame holds the scheme list and its caption, nothing else.
            EXPECT_EQ(shownIn(m.FrFSK), (QStringList{QStringLiteral("Modulation &Scheme"),
                                                     QStringLiteral("cmbModulation")}));
            EXPECT_LE(m.FrFSK->height(), m.cmbModulation->height() * 3);
        }
    }
}
