// The main window from the keyboard: the order in which Tab walks it.
#include "client/board/guess_row.h"
#include "client/chat/cooling_button.h"
#include "client/chat/phrase_buttons.h"
#include "client/look/clickable_label.h"
#include "client/tchat.h"

#include <QPushButton>
#include <QToolButton>

// The guess first, then the chat and what it sends (and, once the table has
// ended, the choices of what next), then the seats, whose menus the Menu key
// or Shift+F10 opens, and the pictures that act as buttons. Hidden controls
// are passed over.
void Tchat::orderFocus() {
    QList<QWidget*> chain{board->guessRow()->edit(1), mychat};
    for (QPushButton* choice : sessionEnd->buttons())
        chain << choice;
    chain << panel_board->findChild<QPushButton*>("button_smilies");
    for (int index = 0; index < PhraseButtons::kCount; ++index)
        chain << chat->phraseButtons()->button(index);
    chain << sounds->button() << mainchat;
    for (int seat = 1; seat <= game::kSeats; ++seat)
        chain << seats->nameLabel(seat);
    chain << button_start << panel_board->findChild<QWidget*>("image_logo")
          << panel_board->findChild<QToolButton*>("FlatSpeedButton1");
    // Qt links no widget that takes no focus (yet): it is left out, and the
    // chain is laid again when it does.
    chain.removeIf([](const QWidget* w) { return !w || w->focusPolicy() == Qt::NoFocus; });
    for (qsizetype at = 1; at < chain.size(); ++at)
        setTabOrder(chain[at - 1], chain[at]);
}
