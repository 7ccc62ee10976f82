#include "evalkit/menutable.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

namespace evalkit {

void addMenus(QMenuBar* bar, QObject* context, const std::vector<Menu>& menus) {
    for (const Menu& m : menus) {
        QMenu* menu = bar->addMenu(m.text);
        menu->setObjectName(QString::fromLatin1(m.name));
        for (const MenuItem& item : m.items) {
            QAction* a = menu->addAction(item.text);
            a->setObjectName(QString::fromLatin1(item.name));
            if (item.action)
                *item.action = a;
            if (item.triggered)
                QObject::connect(a, &QAction::triggered, context, item.triggered);
        }
    }
}

} // namespace evalkit
