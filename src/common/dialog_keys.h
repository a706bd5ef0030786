#pragma once

#include <functional>

class QWidget;

// The keys every small window answers as a dialog would, although none of
// them is a QDialog (they are made once and only shown and hidden): Enter
// takes the focused button, else the window's default; Escape closes it.
namespace dialogkeys {

// enter: the window's default action (Start, Done, ...).
void install(QWidget* window, std::function<void()> enter);

// An edit that acts on its own Enter (returnPressed): the window's default
// then stays out of it, so that one Enter never acts twice.
void keepOwnEnter(QWidget* control);

// Enter or Return, on the main keys or the keypad, with no other modifier.
bool isEnter(int key, int modifiers);

} // namespace dialogkeys
