#pragma once

#include <QFrame>
#include <QString>
#include <functional>

class QLabel;
class QPushButton;

// What the player can do once the connection to the host has ended: a strip
// over the table that says why it ended and offers the next table. A choice
// nobody around the window can carry out is shown, but not offered.
class SessionEndBar : public QFrame {
    Q_OBJECT
public:
    static constexpr char kJoin[] = "Join a Game…";
    static constexpr char kHost[] = "Host a Game…";
    static constexpr char kSolo[] = "Play Solo";
    static constexpr char kClose[] = "Close";

    struct Choices {
        std::function<void()> join;
        std::function<void()> host;
        std::function<void()> solo;
        std::function<void()> close;
    };
    // Stands over the table in the board panel, hidden until offered.
    SessionEndBar(QWidget* panel, Choices choices);

    // Shows the bar with the reason as its caption.
    void offer(const QString& reason);
    void withdraw() { hide(); }

    QString reason() const;
    // The buttons in keyboard order, for the window's focus chain.
    QList<QPushButton*> buttons() const;
    // The captions of the choices that can be taken now, in order.
    QStringList offered() const;

private:
    QPushButton* addChoice(const char* caption, const QString& objectName,
                           const std::function<void()>& action);

    QLabel* caption_ = nullptr;
    QList<QPushButton*> buttons_;
};
