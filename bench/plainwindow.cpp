#include "bench/plainwindow.h"

#include <QAbstractButton>
#include <QBoxLayout>
#include <QCheckBox>
#include <QComboBox>
#include <QDial>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSlider>
#include <QSpinBox>

#include <set>
#include <vector>

namespace evalbench {

namespace {

// The plain Qt kind a widget is noted as: the first Qt class it is (or derives from) in this
// order, the programs' own controls included.
QString plainKind(const QWidget* w) {
    if (qobject_cast<const QLabel*>(w))
        return QStringLiteral("QLabel");
    if (qobject_cast<const QCheckBox*>(w))
        return QStringLiteral("QCheckBox");
    if (qobject_cast<const QRadioButton*>(w))
        return QStringLiteral("QRadioButton");
    if (qobject_cast<const QPushButton*>(w))
        return QStringLiteral("QPushButton");
    // An on/off switch is a two-state button: a check box.
    if (qobject_cast<const QAbstractButton*>(w))
        return QStringLiteral("QCheckBox");
    if (qobject_cast<const QComboBox*>(w))
        return QStringLiteral("QComboBox");
    if (qobject_cast<const QLineEdit*>(w))
        return QStringLiteral("QLineEdit");
    if (qobject_cast<const QScrollBar*>(w))
        return QStringLiteral("QScrollBar");
    if (qobject_cast<const QSlider*>(w))
        return QStringLiteral("QSlider");
    if (qobject_cast<const QDial*>(w))
        return QStringLiteral("QDial");
    if (qobject_cast<const QDoubleSpinBox*>(w))
        return QStringLiteral("QDoubleSpinBox");
    if (qobject_cast<const QSpinBox*>(w))
        return QStringLiteral("QSpinBox");
    if (qobject_cast<const QGroupBox*>(w))
        return QStringLiteral("QGroupBox");
    if (qobject_cast<const QScrollArea*>(w))
        return QStringLiteral("QScrollArea");
    if (qobject_cast<const QFrame*>(w))
        return QStringLiteral("QFrame");
    return QStringLiteral("QWidget");
}

// Kinds whose children are their own business (Qt's, built again by the plain class); the
// others are containers whose children are noted too.
bool isContainer(const QString& kind) {
    return kind == QLatin1String("QWidget") || kind == QLatin1String("QFrame") ||
           kind == QLatin1String("QGroupBox");
}

} // namespace

struct LayoutNode;

struct Node {
    QString kind;
    QString text; // text, title or caption
    QStringList items;
    QString placeholder;
    int current = -1;
    bool checkable = false;
    bool checked = false;
    bool hidden = false;
    bool disabled = false;
    bool editable = false;
    bool flat = false;
    bool wordWrap = false;
    int frameStyle = -1;
    int lineWidth = 1;
    Qt::Alignment alignment;
    Qt::Orientation orientation = Qt::Horizontal;
    int minimum = 0, maximum = 0, value = 0;
    QSize minimumSize, maximumSize;
    QSizePolicy sizePolicy;
    std::unique_ptr<LayoutNode> layout;
    // Children that no layout places, with where they stand.
    std::vector<std::pair<std::unique_ptr<Node>, QRect>> placed;
    // What a scroll area scrolls (its viewport and scroll bars are Qt's, built again by it).
    std::unique_ptr<Node> scrolled;
};

struct LayoutNode {
    enum class Kind { Grid, Box, Form } kind = Kind::Box;
    QBoxLayout::Direction direction = QBoxLayout::TopToBottom;
    QMargins margins;
    int horizontalSpacing = -1, verticalSpacing = -1;
    QLayout::SizeConstraint constraint = QLayout::SetDefaultConstraint;
    std::vector<int> rowStretch, columnStretch;

    struct Item {
        std::unique_ptr<Node> widget;
        std::unique_ptr<LayoutNode> layout;
        bool spacer = false;
        QSize spacerSize;
        QSizePolicy spacerPolicy;
        int row = 0, column = 0, rowSpan = 1, columnSpan = 1;
        int stretch = 0;
        QFormLayout::ItemRole role = QFormLayout::FieldRole;
        Qt::Alignment alignment;
    };
    std::vector<Item> items;
};

namespace {

struct Menu {
    QString title;
    struct Entry {
        QString text;
        bool separator = false;
        bool checkable = false, checked = false, disabled = false;
        std::unique_ptr<Menu> submenu;
    };
    std::vector<Entry> entries;
};

std::unique_ptr<Node> capture(const QWidget* w, std::map<QString, int>& census);

std::unique_ptr<LayoutNode> captureLayout(const QLayout* layout, std::set<const QWidget*>& laidOut,
                                          std::map<QString, int>& census) {
    auto node = std::make_unique<LayoutNode>();
    node->margins = layout->contentsMargins();
    node->constraint = layout->sizeConstraint();
    const auto* grid = qobject_cast<const QGridLayout*>(layout);
    const auto* box = qobject_cast<const QBoxLayout*>(layout);
    const auto* form = qobject_cast<const QFormLayout*>(layout);
    if (grid) {
        node->kind = LayoutNode::Kind::Grid;
        node->horizontalSpacing = grid->horizontalSpacing();
        node->verticalSpacing = grid->verticalSpacing();
        for (int r = 0; r < grid->rowCount(); ++r)
            node->rowStretch.push_back(grid->rowStretch(r));
        for (int c = 0; c < grid->columnCount(); ++c)
            node->columnStretch.push_back(grid->columnStretch(c));
    } else if (form) {
        node->kind = LayoutNode::Kind::Form;
        node->horizontalSpacing = form->horizontalSpacing();
        node->verticalSpacing = form->verticalSpacing();
    } else {
        // Box layouts, and any other kind as a column of its items.
        node->kind = LayoutNode::Kind::Box;
        node->direction = box ? box->direction() : QBoxLayout::TopToBottom;
        node->horizontalSpacing = layout->spacing();
    }
    for (int i = 0; i < layout->count(); ++i) {
        QLayoutItem* item = layout->itemAt(i);
        LayoutNode::Item out;
        out.alignment = item->alignment();
        if (grid)
            grid->getItemPosition(i, &out.row, &out.column, &out.rowSpan, &out.columnSpan);
        else if (form)
            form->getItemPosition(i, &out.row, &out.role);
        else if (box)
            out.stretch = box->stretch(i);
        if (QWidget* w = item->widget()) {
            laidOut.insert(w);
            out.widget = capture(w, census);
        } else if (QLayout* inner = item->layout()) {
            out.layout = captureLayout(inner, laidOut, census);
        } else if (QSpacerItem* spacer = item->spacerItem()) {
            out.spacer = true;
            out.spacerSize = spacer->sizeHint();
            out.spacerPolicy = spacer->sizePolicy();
        } else {
            continue;
        }
        node->items.push_back(std::move(out));
    }
    return node;
}

std::unique_ptr<Node> capture(const QWidget* w, std::map<QString, int>& census) {
    auto node = std::make_unique<Node>();
    node->kind = plainKind(w);
    ++census[node->kind];
    const QWidget* parent = w->parentWidget();
    node->hidden = parent ? !w->isVisibleTo(parent) : false;
    node->disabled = parent ? !w->isEnabledTo(parent) : !w->isEnabled();
    if (w->minimumSize() != QSize(0, 0))
        node->minimumSize = w->minimumSize();
    if (w->maximumSize() != QSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX))
        node->maximumSize = w->maximumSize();
    node->sizePolicy = w->sizePolicy();
    if (const auto* frame = qobject_cast<const QFrame*>(w)) {
        node->frameStyle = frame->frameStyle();
        node->lineWidth = frame->lineWidth();
    }
    if (const auto* l = qobject_cast<const QLabel*>(w)) {
        node->text = l->text();
        node->alignment = l->alignment();
        node->wordWrap = l->wordWrap();
    } else if (const auto* b = qobject_cast<const QAbstractButton*>(w)) {
        node->text = b->text();
        node->checkable = b->isCheckable();
        node->checked = b->isChecked();
    } else if (const auto* c = qobject_cast<const QComboBox*>(w)) {
        for (int i = 0; i < c->count(); ++i)
            node->items << c->itemText(i);
        node->current = c->currentIndex();
        node->placeholder = c->placeholderText();
        node->editable = c->isEditable();
    } else if (const auto* e = qobject_cast<const QLineEdit*>(w)) {
        node->text = e->text();
        node->editable = !e->isReadOnly();
    } else if (const auto* s = qobject_cast<const QAbstractSlider*>(w)) {
        node->orientation = s->orientation();
        node->minimum = s->minimum();
        node->maximum = s->maximum();
        node->value = s->value();
        if (const auto* d = qobject_cast<const QDial*>(w)) {
            node->checkable = d->notchesVisible();
            node->checked = d->wrapping();
        }
    } else if (const auto* spin = qobject_cast<const QAbstractSpinBox*>(w)) {
        node->text = spin->text();
    } else if (const auto* g = qobject_cast<const QGroupBox*>(w)) {
        node->text = g->title();
        node->checkable = g->isCheckable();
        node->checked = g->isChecked();
        node->flat = g->isFlat();
    }
    if (const auto* area = qobject_cast<const QScrollArea*>(w); area && area->widget())
        node->scrolled = capture(area->widget(), census);
    if (!isContainer(node->kind))
        return node;
    std::set<const QWidget*> laidOut;
    if (const QLayout* layout = w->layout())
        node->layout = captureLayout(layout, laidOut, census);
    for (const QObject* child : w->children()) {
        const auto* cw = qobject_cast<const QWidget*>(child);
        if (!cw || cw->isWindow() || laidOut.count(cw))
            continue;
        node->placed.emplace_back(capture(cw, census), cw->geometry());
    }
    return node;
}

std::unique_ptr<Menu> captureMenu(const QMenu* menu, std::map<QString, int>& census) {
    auto out = std::make_unique<Menu>();
    out->title = menu->title();
    ++census[QStringLiteral("QMenu")];
    for (const QAction* a : menu->actions()) {
        Menu::Entry e;
        e.text = a->text();
        e.separator = a->isSeparator();
        e.checkable = a->isCheckable();
        e.checked = a->isChecked();
        e.disabled = !a->isEnabled();
        if (a->menu())
            e.submenu = captureMenu(a->menu(), census);
        else
            ++census[QStringLiteral("QAction")];
        out->entries.push_back(std::move(e));
    }
    return out;
}

QWidget* build(const Node& node);

QLayout* buildLayout(const LayoutNode& node) {
    QLayout* layout = nullptr;
    QGridLayout* grid = nullptr;
    QBoxLayout* box = nullptr;
    QFormLayout* form = nullptr;
    switch (node.kind) {
    case LayoutNode::Kind::Grid:
        layout = grid = new QGridLayout;
        grid->setHorizontalSpacing(node.horizontalSpacing);
        grid->setVerticalSpacing(node.verticalSpacing);
        for (size_t r = 0; r < node.rowStretch.size(); ++r)
            grid->setRowStretch(int(r), node.rowStretch[r]);
        for (size_t c = 0; c < node.columnStretch.size(); ++c)
            grid->setColumnStretch(int(c), node.columnStretch[c]);
        break;
    case LayoutNode::Kind::Form:
        layout = form = new QFormLayout;
        form->setHorizontalSpacing(node.horizontalSpacing);
        form->setVerticalSpacing(node.verticalSpacing);
        break;
    case LayoutNode::Kind::Box:
        layout = box = new QBoxLayout(node.direction);
        box->setSpacing(node.horizontalSpacing);
        break;
    }
    layout->setContentsMargins(node.margins);
    layout->setSizeConstraint(node.constraint);
    for (const LayoutNode::Item& item : node.items) {
        QWidget* w = item.widget ? build(*item.widget) : nullptr;
        QLayout* inner = item.layout ? buildLayout(*item.layout) : nullptr;
        QSpacerItem* spacer =
            item.spacer ? new QSpacerItem(item.spacerSize.width(), item.spacerSize.height(),
                                          item.spacerPolicy.horizontalPolicy(),
                                          item.spacerPolicy.verticalPolicy())
                        : nullptr;
        if (grid) {
            if (w)
                grid->addWidget(w, item.row, item.column, item.rowSpan, item.columnSpan,
                                item.alignment);
            else if (inner)
                grid->addLayout(inner, item.row, item.column, item.rowSpan, item.columnSpan,
                                item.alignment);
            else
                grid->addItem(spacer, item.row, item.column, item.rowSpan, item.columnSpan,
                              item.alignment);
        } else if (form) {
            if (w)
                form->setWidget(item.row, item.role, w);
            else if (inner)
                form->setLayout(item.row, item.role, inner);
            else
                form->setItem(item.row, item.role, spacer);
        } else {
            if (w)
                box->addWidget(w, item.stretch, item.alignment);
            else if (inner)
                box->addLayout(inner, item.stretch);
            else {
                box->addItem(spacer);
                box->setStretch(box->count() - 1, item.stretch);
            }
        }
    }
    return layout;
}

QWidget* build(const Node& n) {
    QWidget* w = nullptr;
    if (n.kind == QLatin1String("QLabel")) {
        auto* l = new QLabel(n.text);
        l->setAlignment(n.alignment);
        l->setWordWrap(n.wordWrap);
        w = l;
    } else if (n.kind == QLatin1String("QCheckBox")) {
        auto* b = new QCheckBox(n.text);
        b->setChecked(n.checked);
        w = b;
    } else if (n.kind == QLatin1String("QRadioButton")) {
        auto* b = new QRadioButton(n.text);
        b->setChecked(n.checked);
        w = b;
    } else if (n.kind == QLatin1String("QPushButton")) {
        auto* b = new QPushButton(n.text);
        b->setCheckable(n.checkable);
        b->setChecked(n.checked);
        w = b;
    } else if (n.kind == QLatin1String("QComboBox")) {
        auto* c = new QComboBox;
        c->setEditable(n.editable);
        c->addItems(n.items);
        c->setCurrentIndex(n.current);
        c->setPlaceholderText(n.placeholder);
        w = c;
    } else if (n.kind == QLatin1String("QLineEdit")) {
        auto* e = new QLineEdit(n.text);
        e->setReadOnly(!n.editable);
        w = e;
    } else if (n.kind == QLatin1String("QScrollBar") || n.kind == QLatin1String("QSlider") ||
               n.kind == QLatin1String("QDial")) {
        QAbstractSlider* s = nullptr;
        if (n.kind == QLatin1String("QScrollBar"))
            s = new QScrollBar(n.orientation);
        else if (n.kind == QLatin1String("QSlider"))
            s = new QSlider(n.orientation);
        else {
            auto* d = new QDial;
            d->setNotchesVisible(n.checkable);
            d->setWrapping(n.checked);
            s = d;
        }
        s->setRange(n.minimum, n.maximum);
        s->setValue(n.value);
        w = s;
    } else if (n.kind == QLatin1String("QDoubleSpinBox") || n.kind == QLatin1String("QSpinBox")) {
        w = n.kind == QLatin1String("QSpinBox") ? static_cast<QWidget*>(new QSpinBox)
                                                : new QDoubleSpinBox;
    } else if (n.kind == QLatin1String("QGroupBox")) {
        auto* g = new QGroupBox(n.text);
        g->setCheckable(n.checkable);
        g->setChecked(n.checked);
        g->setFlat(n.flat);
        w = g;
    } else if (n.kind == QLatin1String("QScrollArea")) {
        auto* a = new QScrollArea;
        a->setWidgetResizable(true);
        if (n.scrolled)
            a->setWidget(build(*n.scrolled));
        w = a;
    } else if (n.kind == QLatin1String("QFrame")) {
        w = new QFrame;
    } else {
        w = new QWidget;
    }
    if (auto* frame = qobject_cast<QFrame*>(w); frame && n.frameStyle >= 0) {
        frame->setFrameStyle(n.frameStyle);
        frame->setLineWidth(n.lineWidth);
    }
    if (n.minimumSize.isValid())
        w->setMinimumSize(n.minimumSize);
    if (n.maximumSize.isValid())
        w->setMaximumSize(n.maximumSize);
    w->setSizePolicy(n.sizePolicy);
    if (n.disabled)
        w->setEnabled(false);
    if (n.layout)
        w->setLayout(buildLayout(*n.layout));
    for (const auto& [child, geometry] : n.placed) {
        QWidget* c = build(*child);
        c->setParent(w);
        c->setGeometry(geometry);
        if (!child->hidden)
            c->show(); // a child added after its parent's set-up is shown with it
    }
    if (n.hidden)
        w->hide();
    return w;
}

QMenu* buildMenu(const Menu& menu, QWidget* parent) {
    auto* m = new QMenu(menu.title, parent);
    for (const Menu::Entry& e : menu.entries) {
        if (e.separator) {
            m->addSeparator();
        } else if (e.submenu) {
            m->addMenu(buildMenu(*e.submenu, m));
        } else {
            QAction* a = m->addAction(e.text);
            a->setCheckable(e.checkable);
            a->setChecked(e.checked);
            a->setEnabled(!e.disabled);
        }
    }
    return m;
}

} // namespace

struct PlainWindow::Tree {
    QString title;
    QSize size; // the panel's, which a scroll area does not give the plain window by itself
    std::unique_ptr<Node> central;
    std::vector<std::unique_ptr<Menu>> menus;
};

PlainWindow::PlainWindow() = default;
PlainWindow::PlainWindow(PlainWindow&&) noexcept = default;
PlainWindow& PlainWindow::operator=(PlainWindow&&) noexcept = default;
PlainWindow::~PlainWindow() = default;

PlainWindow PlainWindow::of(const QMainWindow& window) {
    PlainWindow plain;
    plain.tree_ = std::make_unique<Tree>();
    plain.tree_->title = window.windowTitle();
    plain.tree_->size = window.size();
    if (const QWidget* central = window.centralWidget())
        plain.tree_->central = capture(central, plain.census_);
    if (const QMenuBar* bar = window.findChild<QMenuBar*>(QString(), Qt::FindDirectChildrenOnly)) {
        for (const QAction* a : bar->actions()) {
            if (a->menu())
                plain.tree_->menus.push_back(captureMenu(a->menu(), plain.census_));
        }
    }
    return plain;
}

std::unique_ptr<QMainWindow> PlainWindow::build() const {
    auto window = std::make_unique<QMainWindow>();
    if (!tree_)
        return window;
    window->setWindowTitle(tree_->title);
    if (tree_->central)
        window->setCentralWidget(evalbench::build(*tree_->central));
    for (const auto& menu : tree_->menus)
        window->menuBar()->addMenu(buildMenu(*menu, window.get()));
    window->resize(tree_->size);
    return window;
}

const std::map<QString, int>& PlainWindow::census() const {
    return census_;
}

std::map<QString, int> PlainWindow::censusOf(const QMainWindow& built) {
    return PlainWindow::of(built).census_;
}

} // namespace evalbench
