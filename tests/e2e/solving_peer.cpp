#include "solving_peer.h"

#include "host/guess_judge.h"
#include "host/word_lists.h"

// The word lists are compiled into ludo_host; outside TServer the resource
// is registered here, outside any namespace.
static QStringList readDictionary() {
    Q_INIT_RESOURCE(words);
    return WordLists::readWordFile(":/words/dictionary.txt");
}

const QStringList& builtInDictionary() {
    static const QStringList words = readDictionary();
    return words;
}

bool sawGameEnd(hosttest::RawClient& client) {
    for (const QString& message : client.messages())
        if (message.startsWith("CMD_winner+") || message.startsWith("CMD_tiegame+"))
            return true;
    return false;
}

SolvingPeer::SolvingPeer(quint16 port, const QString& name) : client(port), name(name) {}

bool SolvingPeer::logIn() {
    const int given = client.logIn(name);
    slot = QString::number(given);
    return given != 0;
}

void SolvingPeer::play() {
    const QStringList& messages = client.messages();
    for (; seen_ < messages.size(); ++seen_)
        onMessage(messages.at(seen_).split(u'+'));
}

void SolvingPeer::onMessage(const QStringList& fields) {
    const QString& command = fields.at(0);
    if (command == "CMD_loadball" && fields.size() > 2) {
        candidates_.clear();
        for (const QString& word : builtInDictionary())
            if (word.startsWith(fields.at(2), Qt::CaseInsensitive))
                candidates_.append(word.toUpper());
    } else if (command == "CMD_nextplayer" && fields.size() > 1 && fields.at(1) == slot) {
        if (!holding)
            guess();
    } else if (command == "CMD_yourletters" && fields.size() > 5 && fields.at(1) == slot &&
               fields.at(2) == "f") {
        const QString& marks = fields.at(4);
        const QString& word = fields.at(5);
        candidates_.removeIf(
            [&](const QString& candidate) { return lettermarks(word, candidate) != marks; });
    } else if (command == "CMD_heguessed" && fields.size() > 2 && fields.at(1) == slot) {
        finds.append(fields.at(2));
    }
}

void SolvingPeer::guess() {
    if (!candidates_.isEmpty())
        client.send("CMD_myword+" + slot + "+" + candidates_.takeFirst() + "+");
}
