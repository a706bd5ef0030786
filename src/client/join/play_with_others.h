#pragma once

#include "client/join/table_memory.h"
#include "client/look/small_window.h"
#include "net/found_table.h"
#include "net/table_address.h"

#include <QList>
#include <functional>
#include <optional>

class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;

// "Play with Others": the player's name, and either hosting a table on this
// computer (on a port) or joining one by address, from the tables found on
// this network or from the tables joined lately. The name, the joined
// tables and whether a hosted table asks the router to forward its port are
// remembered in the settings file.
class PlayWithOthers : public SmallWindow {
    Q_OBJECT
public:
    struct Hooks {
        // Each returns why it could not be done, or empty: the window then closes.
        std::function<QString(const QString& name, quint16 port)> host;
        std::function<QString(const QString& name, const TableAddress& table)> join;
        // The table where a seat may still be held for this player, if any:
        // "Rejoin your seat" joins it again (the window shows its key there).
        std::function<std::optional<TableAddress>()> heldSeat;
    };

    PlayWithOthers(TableMemory memory, Hooks hooks);

    // Opens the window over `over` with the name (the remembered one when
    // empty) and the address filled in, ready for hosting or for joining.
    void offer(const QWidget* over, bool hosting, const QString& name = {},
               const QString& address = {});

    // The tables that answer on this network, as a finder reports them.
    void showTables(const QList<FoundTable>& tables);

    // One line per found table, as the list shows it.
    static QString describe(const FoundTable& table);

private:
    void build();
    void fieldLabel(const QString& text, const QRect& geometry);
    void buildLists();
    void fillRecent();
    void chooseFrom(QListWidgetItem* item, bool join);
    void hostClicked();
    void joinClicked();
    void rejoinClicked();
    void showRejoin();
    // The name as the host will show it, or empty after saying what is wrong.
    QString checkedName();
    void tell(const QString& problem);

    TableMemory memory_;
    Hooks hooks_;
    QLineEdit* edit_name = nullptr;
    QLineEdit* edit_port = nullptr;
    QCheckBox* check_portmapping = nullptr;
    QLineEdit* edit_address = nullptr;
    QListWidget* list_tables = nullptr;
    QLabel* label_notables = nullptr;
    QListWidget* list_recent = nullptr;
    QLabel* label_message = nullptr;
    QPushButton* button_host = nullptr;
    QPushButton* button_join = nullptr;
    QPushButton* button_rejoin = nullptr;
};
