#pragma once
// A front panel takes the size its controls need, and grows and shrinks with the rows it
// shows; on a screen too small for it (a small laptop at 125 % text scaling) it takes the
// room the screen has and scrolls the rest, rather than running off the screen or asking for
// a minimum size the screen cannot give.
class QMainWindow;
class QWidget;

namespace platform {

// Makes `content` the window's central widget, inside a frameless scroll area that shows a
// scroll bar only where the screen cannot hold the content, and gives the window its size.
void setFittingCentralWidget(QMainWindow& window, QWidget* content);

// Gives the window the size its contents need now, as far as the screen it is on holds it
// (the rest scrolls), unless the user has it maximized or full screen. A shown window that
// would now run off the screen moves back onto it.
void fitToContents(QMainWindow& window);

} // namespace platform
