#pragma once

class QMenu;
class QMenuBar;
class QObject;
class QWidget;

// Keyboard ways into the main window's menus.
namespace accesskeys {

// Gives every menu and item of the bar an access key (an underlined letter),
// one letter per menu, without changing the captions the player reads: the
// first free initial of a word, else the first free letter or digit. Items
// that already have one keep it.
void assign(QMenuBar* bar);
void assign(QMenu* menu);

// F10 opens the bar's first menu, as on most desktops.
void openWithF10(QWidget* window, QMenuBar* bar);

// Shift+F10 opens the focused control's context menu in every window of the
// program, as the Menu key does (the window system sends that one itself).
// Ends with owner.
void contextMenuOnShiftF10(QObject* owner);

} // namespace accesskeys
