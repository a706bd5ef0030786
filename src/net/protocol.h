#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QStringList>
#include <exception>
#include <functional>

// The whole message as it goes on the wire: UTF-8 bytes of text ("CMD_x+f1+f2...")
// followed by the terminator.
QByteArray buildMessage(const QString& text);

// Framing of one connection: cuts received bytes at every terminator and keeps the
// incomplete tail for the next read of the same connection.
class MessageFramer {
public:
    // A peer that never ends its message must not exhaust our memory.
    static constexpr int kMaxPending = 64 * 1024;
    explicit MessageFramer(int maxPending = kMaxPending) : maxPending_(maxPending) {}

    // Appends every complete message (UTF-8 decoded, terminator removed) to
    // receivedlist; two terminators in a row give an empty entry. Returns false when
    // the incomplete tail grew past maxPending: the tail is dropped, and so is the
    // rest of that message up to its terminator. The caller decides about the peer.
    bool feed(const QByteArray& bytes, QStringList& receivedlist);
    void clear();
    int pendingSize() const { return int(pending_.size()); }

private:
    int maxPending_;
    QByteArray pending_;
    bool skippingOversized_ = false;
};

// Thrown by the field cutters when a field is not what the handler needs; the
// dispatcher drops the rest of that one message.
struct MalformedMessage : std::exception {
    const char* what() const noexcept override { return "malformed protocol message"; }
};

// The text before the first "+", removed from args together with that "+";
// without a "+" all of args (args becomes empty).
QString cutField(QString& args);
// cutField, which must be decimal digits only (no sign) and fit an int.
int cutNumber(QString& args);
// cutNumber, which must lie in 1..maxSlot.
int cutSlot(QString& args, int maxSlot = 11);

// The dispatch of a message queue: one entry per timer tick. Each message
// type (game_messages.h and its kin) is routed to one handler, which gets
// the parsed value: a message whose fields fail its parser never reaches it.
class MessageDispatcher {
public:
    // Message::kWord is matched exactly, letter case included.
    template <typename Message> void on(std::function<void(const Message&)> handler) {
        onWord(
            QString::fromLatin1(Message::kWord),
            [handler = std::move(handler)](const QString& args) { handler(Message::parse(args)); });
    }

    // Takes the first entry of receivedlist, if any, and calls the handler of its
    // command word (the text before the first "+") with the message parsed from
    // the text after that "+". Entries without "+", with an empty or an unknown
    // word are dropped, and so is a message that its parser refuses. Returns true
    // if the entry had a handler.
    bool dispatchOne(QStringList& receivedlist);

private:
    using WordHandler = std::function<void(const QString& args)>;
    void onWord(const QString& commandWord, WordHandler handler);

    QHash<QString, WordHandler> handlers_;
};
