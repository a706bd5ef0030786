#pragma once

#include <QFrame>
#include <QString>
#include <functional>

class QKeyEvent;
class QLabel;
class QPushButton;

// What the player can do once the connection to the host has ended: a strip
// over the table that says why it ended and offers the next table. A choice
// nobody around the window can carry out is shown, but not offered. While a
// dropped connection is being tried again it says so and offers only to give up.
class SessionEndBar : public QFrame {
    Q_OBJECT
public:
    static constexpr char kJoin[] = "Join a Game…";
    static constexpr char kHost[] = "Host a Game…";
    static constexpr char kSolo[] = "Play Solo";
    // As File -> Exit: the program ends.
    static constexpr char kExit[] = "Exit";
    // Puts the bar away, to look at the last table.
    static constexpr char kHide[] = "Hide";
    static constexpr char kRejoin[] = "Rejoin your seat";
    static constexpr char kGiveUp[] = "Give Up";
    static constexpr char kReconnecting[] = "Connection lost. Reconnecting…";

    struct Choices {
        std::function<void()> join;
        std::function<void()> host;
        std::function<void()> solo;
        std::function<void()> exit;
        std::function<void()> rejoin;
        std::function<void()> giveUp;
    };
    // Stands over the table in the board panel, hidden until offered; its
    // caption and buttons are made when first offered, as most windows never
    // need them. built runs then, so the window can put them in its focus chain.
    SessionEndBar(QWidget* panel, Choices choices, std::function<void()> built = {});

    // Shows the bar with the reason as its caption; "Rejoin your seat" only
    // while a seat may still be held.
    void offer(const QString& reason, bool rejoinOffered = false);
    void showReconnecting();
    void withdraw() { hide(); }
    // The player put the bar away (its button or Escape); the menus offer
    // the same choices.
    void dismiss();

    QString reason() const;
    // The buttons in keyboard order, for the window's focus chain (none
    // before the bar was first offered).
    QList<QPushButton*> buttons() const;
    // The captions of the choices that can be taken now, in order.
    QStringList offered() const;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void build();
    QPushButton* addChoice(const char* caption, const QString& objectName,
                           const std::function<void()>& action);

    void showButtons(bool reconnecting, bool rejoinOffered);

    Choices choices_;
    std::function<void()> built_;
    QLabel* caption_ = nullptr;
    QList<QPushButton*> buttons_;
    QPushButton* rejoin_ = nullptr;
    QPushButton* giveUp_ = nullptr;
    QPushButton* hide_ = nullptr;
};
