// Every command word must reach a handler on the side that receives it: a word
// added to the protocol and not wired into a dispatch table fails here.
#include "../host/session_harness.h"
#include "client/tchat.h"
#include "net/commands.h"

#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <gtest/gtest.h>

namespace {

QSet<QString> wordsIn(const QStringList& words) {
    return QSet<QString>(words.begin(), words.end());
}

// The words as the protocol's header declares them.
QSet<QString> declaredWords() {
    QFile header(QStringLiteral(LUDO_SOURCE_DIR "/net/commands.h"));
    if (!header.open(QIODevice::ReadOnly))
        return {};
    QSet<QString> words;
    static const QRegularExpression word(QStringLiteral("\"(CMD_\\w+)\""));
    for (const auto& match : word.globalMatch(QString::fromUtf8(header.readAll())))
        words.insert(match.captured(1));
    return words;
}

TEST(CommandWords, HostAndClientHandleEveryWordOfTheProtocolEachTheirOwn) {
    const Tchat client;
    SessionHarness host;

    const QSet<QString> toHost = {cmd::logininfo, cmd::kickhim,    cmd::justwatch,
                                  cmd::myword,    cmd::chat,       cmd::action,
                                  cmd::startgame, cmd::playasound, cmd::rejoin};
    const QSet<QString> toClient = {
        cmd::chat,          cmd::action,          cmd::startgame,
        cmd::playasound,    cmd::sendlogininfo,   cmd::full,
        cmd::newplayerinfo, cmd::existingplayers, cmd::havewrongversion,
        cmd::wrongversion,  cmd::gamestats,       cmd::playerscores,
        cmd::theyown,       cmd::ballowners,      cmd::playerdisconnected,
        cmd::justwatching,  cmd::loadball,        cmd::nextplayer,
        cmd::submitted,     cmd::notvalid,        cmd::yourletters,
        cmd::wordlist,      cmd::heguessed,       cmd::nooneguessed,
        cmd::timeup,        cmd::winner,          cmd::tiegame,
        cmd::impossible,    cmd::rejoinkey,       cmd::rejoinrefused,
        cmd::rejoined,      cmd::playeraway,      cmd::hostrights};
    const QSet<QString> hostWords = wordsIn(host.session.commandWords());
    const QSet<QString> clientWords = wordsIn(client.commandWords());

    EXPECT_EQ(hostWords, toHost);
    EXPECT_EQ(clientWords, toClient);
    const QSet<QString> declared = declaredWords();
    EXPECT_EQ(declared.size(), 38);
    EXPECT_EQ(hostWords | clientWords, declared);
}

} // namespace
