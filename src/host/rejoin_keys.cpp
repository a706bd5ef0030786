#include "host/rejoin_keys.h"

#include "net/rejoin_messages.h"

#include <QByteArray>
#include <QRandomGenerator>

namespace {

// Compares every character whatever the first difference, so that the time a
// refusal takes tells a guesser nothing about how close it came.
bool sameKey(const QString& a, const QString& b) {
    if (a.size() != b.size())
        return false;
    char16_t difference = 0;
    for (qsizetype i = 0; i < a.size(); ++i)
        difference |= a[i].unicode() ^ b[i].unicode();
    return difference == 0;
}

} // namespace

QString RejoinKeys::issue(int seat) {
    std::array<quint32, rejoinmsg::kKeyLength / 8> words{};
    QRandomGenerator::system()->fillRange(words.data(), words.size());
    const QByteArray bytes(reinterpret_cast<const char*>(words.data()), sizeof(words));
    key(seat) = QString::fromLatin1(bytes.toHex());
    return key(seat);
}

int RejoinKeys::redeem(const QString& presented) {
    int found = 0;
    for (int seat = 1; seat <= game::kSeats; ++seat) {
        if (has(seat) && sameKey(key(seat), presented)) {
            found = seat;
            revoke(seat);
        }
    }
    return found;
}

void RejoinKeys::revoke(int seat) {
    key(seat).clear();
}
