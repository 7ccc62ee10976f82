#pragma once
// The yardstick of a front panel's start-up: the same widget tree in plain Qt. The panel is
// walked after its start-up and each widget noted as the nearest plain Qt class (the programs'
// own controls as the Qt kinds they derive from: a read-out or a clickable label as a QLabel,
// a switch as a check box, a selector as the widget it is, with its dial and caption) with its
// text, items, state and size limits, inside the same layouts nested the same way (grid
// positions and spans, box layouts with their stretches and spacers, group boxes, the menus
// and their items). Built from that, the window has everything Qt has to lay out and paint for
// the panel and nothing of the program: no handlers, fonts, palettes or style sheets.
#include <QMainWindow>
#include <QString>

#include <map>
#include <memory>

namespace evalbench {

class PlainWindow {
public:
    // Notes the window's tree as it stands now.
    static PlainWindow of(const QMainWindow& window);

    PlainWindow();
    PlainWindow(PlainWindow&&) noexcept;
    PlainWindow& operator=(PlainWindow&&) noexcept;
    ~PlainWindow();

    // A new window with the noted tree, not shown.
    std::unique_ptr<QMainWindow> build() const;

    // How many widgets of each plain kind the tree holds (menus and menu items counted as
    // "QMenu" and "QAction").
    const std::map<QString, int>& census() const;
    // The same census of a window built from it, to check that the build holds the tree.
    static std::map<QString, int> censusOf(const QMainWindow& built);

    struct Tree;

private:
    std::unique_ptr<Tree> tree_;
    std::map<QString, int> census_;
};

} // namespace evalbench
