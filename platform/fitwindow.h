#pragma once
// A main window grows by itself when rows of its panel appear but never shrinks when they go
// away again; a panel whose rows come and go fits itself to what it needs now.
class QMainWindow;

namespace platform {

// Gives the window the size its contents need now, unless the user has it maximized or full
// screen.
void fitToContents(QMainWindow& window);

} // namespace platform
