#include "net/protocol.h"

#include "net/commands.h"

#include <limits>

QByteArray buildMessage(const QString& text) {
    QByteArray bytes = text.toUtf8();
    bytes.append(kTerminator);
    return bytes;
}

bool MessageFramer::feed(const QByteArray& bytes, QStringList& receivedlist) {
    qsizetype start = 0;
    if (skippingOversized_) {
        const qsizetype end = bytes.indexOf(kTerminator);
        if (end < 0)
            return true;
        skippingOversized_ = false;
        start = end + 1;
    }
    qsizetype end;
    while ((end = bytes.indexOf(kTerminator, start)) >= 0) {
        if (pending_.isEmpty()) {
            receivedlist.append(QString::fromUtf8(bytes.constData() + start, end - start));
        } else {
            pending_.append(bytes.constData() + start, end - start);
            receivedlist.append(QString::fromUtf8(pending_));
            pending_.clear();
        }
        start = end + 1;
    }
    pending_.append(bytes.constData() + start, bytes.size() - start);
    if (pending_.size() <= maxPending_)
        return true;
    pending_.clear();
    skippingOversized_ = true;
    return false;
}

void MessageFramer::clear() {
    pending_.clear();
    skippingOversized_ = false;
}

QString cutField(QString& args) {
    const qsizetype plus = args.indexOf(QLatin1Char('+'));
    QString field;
    if (plus < 0) {
        field.swap(args);
    } else {
        field = args.left(plus);
        args.remove(0, plus + 1);
    }
    return field;
}

int cutNumber(QString& args) {
    const QString field = cutField(args);
    if (field.isEmpty())
        throw MalformedMessage();
    qint64 value = 0;
    for (const QChar c : field) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            throw MalformedMessage();
        value = value * 10 + (c.unicode() - '0');
        if (value > std::numeric_limits<int>::max())
            throw MalformedMessage();
    }
    return int(value);
}

int cutSlot(QString& args, int maxSlot) {
    const int slot = cutNumber(args);
    if (slot < 1 || slot > maxSlot)
        throw MalformedMessage();
    return slot;
}

void MessageDispatcher::onWord(const QString& commandWord, WordHandler handler) {
    handlers_.insert(commandWord, std::move(handler));
}

bool MessageDispatcher::dispatchOne(QStringList& receivedlist) {
    if (receivedlist.isEmpty())
        return false;
    const QString entry = receivedlist.takeFirst();
    const qsizetype plus = entry.indexOf(QLatin1Char('+'));
    if (plus <= 0)
        return false;
    const auto found = handlers_.constFind(entry.left(plus));
    if (found == handlers_.constEnd())
        return false;
    // A copy, so that a handler may register or replace handlers while it runs.
    const WordHandler handler = found.value();
    try {
        handler(entry.mid(plus + 1));
    } catch (const MalformedMessage&) {
        // Garbled or hostile input: the rest of this message is dropped.
    }
    return true;
}
