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

SolvingPeer::SolvingPeer(quint16 port, const QString& name, Pick pick, quint32 ipv4)
    : client(port, ipv4), name(name), pick_(pick) {}

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
        shown_.clear();
    } else if (command == "CMD_nextplayer" && fields.size() > 1 && fields.at(1) == slot) {
        if (!holding)
            guess();
    } else if (command == "CMD_yourletters" && fields.size() > 5 && fields.at(1) == slot &&
               fields.at(2) == "f") {
        const QString& marks = fields.at(4);
        const QString& word = fields.at(5);
        shown_.append({word, marks});
        candidates_.removeIf(
            [&](const QString& candidate) { return lettermarks(word, candidate) != marks; });
    } else if (command == "CMD_heguessed" && fields.size() > 2) {
        finds.append(fields.at(1) + "+" + fields.at(2));
        checkShownMarks(fields.at(2));
    } else if (command == "CMD_nooneguessed" && fields.size() > 1) {
        checkShownMarks(fields.at(1));
    } else if (command == "CMD_winner" || command == "CMD_tiegame") {
        gameEnded_ = true;
    }
}

void SolvingPeer::guess() {
    if (candidates_.isEmpty())
        return;
    const QString word = pick_ == Pick::First ? candidates_.takeFirst() : candidates_.takeLast();
    client.send("CMD_myword+" + slot + "+" + word + "+");
}

void SolvingPeer::checkShownMarks(const QString& hidden) {
    for (const auto& [word, marks] : shown_) {
        ++checkedMarks;
        if (lettermarks(word, hidden) != marks)
            wrongMarks.append(word + " " + marks + " for " + hidden);
    }
    shown_.clear();
}
