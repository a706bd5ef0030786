#pragma once

#include "client/join/table_memory.h"
#include "client/look/small_window.h"
#include "net/table_address.h"

#include <QTimer>
#include <functional>

class QLabel;
class QLineEdit;

// The question an invite link asks before anything happens: where it leads
// (host and port, as plain text) and under which name to join. A link can
// come from anyone, so it joins only when the player says so here.
class LinkConfirmation : public SmallWindow {
    Q_OBJECT
public:
    // join: the player confirmed; returns why it could not be done, or empty.
    using Join = std::function<QString(const QString& name, const TableAddress& table)>;

    LinkConfirmation(TableMemory memory, Join join);

    // How long Join stays disabled after the question opens (× LUDOMYRA_TIME_SCALE).
    static constexpr int kJoinPauseMs = 1000;

    // Shows the table the link leads to, over `over`, the focus on where it
    // leads; Join is enabled after the pause.
    void ask(const QWidget* over, const TableAddress& table);
    const TableAddress& table() const { return table_; }

private:
    void joinClicked();

    TableMemory memory_;
    Join join_;
    TableAddress table_;
    QLabel* label_host = nullptr;
    QLabel* label_port = nullptr;
    QLabel* label_warning = nullptr;
    QLabel* label_namecaption = nullptr;
    QLineEdit* edit_name = nullptr;
    QLabel* label_message = nullptr;
    QPushButton* button_join = nullptr;
    QPushButton* button_cancel = nullptr;
    QTimer joinPause_;
};
