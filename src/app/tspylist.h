#pragma once

#include "client/look/small_window.h"

#include <QListWidget>
#include <QMenu>
#include <functional>
#include <optional>

// Connections that watch without a seat, one entry "slot: name" each; the
// host player can remove one through the list's context menu.
class Tspylist : public SmallWindow {
    Q_OBJECT
public:
    Tspylist();

    // Filled and emptied by the client as spies come and go. Its "tag"
    // property is the index of the entry under the pointer, -1 for none.
    QListWidget* listbox_spys = nullptr;

    // Whether this client may remove players (it holds slot 1); asked each
    // time the menu opens. Unset means no.
    std::function<bool()> mayRemove;
    // Asks the host to remove the connection in this slot.
    std::function<void(int slot)> kicking;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The entry the open menu acts on, as it read when the menu opened.
    struct Target {
        int slot;
        QString text;
    };

    void listbox_spysMouseMove(const QPoint& viewportPos);
    void openMenu(QListWidgetItem* entry, const QPoint& globalPos);
    void popup_kickhimClick();
    bool stillListed(const Target& entry) const;

    QMenu* popup_kickhim = nullptr;
    QAction* removeFromGame = nullptr;
    std::optional<Target> target;
};
