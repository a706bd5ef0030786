#include "net/game_messages.h"
#include "net/player_messages.h"
#include "net/protocol.h"
#include "net/rejoin_messages.h"
#include "qstring_printer.h"

#include <functional>
#include <gtest/gtest.h>

namespace {

namespace host = gamemsg::build;
namespace player = playermsg::build;

// Builds again from what the parser read out of a message's fields.
using Rebuild = std::function<QString(const QString& args)>;

struct Case {
    QString built;   // what the builder writes
    QString wire;    // the text that goes on the wire, byte for byte
    Rebuild rebuild; // empty: the receiver does not cut this message's fields
};

QString argsOf(const QString& message) {
    return message.mid(message.indexOf(u'+') + 1);
}

QString joined(const gamemsg::Letters& letters) {
    QString word;
    for (const QString& letter : letters)
        word += letter;
    return word;
}

const QString kKey = QString("0123456789abcdef").repeated(4);

TEST(Messages, EveryBuilderWritesTheWireFormAndItsParserReadsBackEveryField) {
    const std::array<QString, game::kRows> found = {"PLANE", "CRANE", "", "", ""};
    const Rebuild startgameBack = [](auto& args) {
        const auto start = gamemsg::startgame(args);
        return host::startgame(start.starter, start.type, start.botPlays ? "0" : "1");
    };
    const Rebuild justwatchBack = [](auto& args) {
        const auto request = playermsg::justwatch(args);
        return player::justwatch(request.seat, request.watch);
    };
    const Rebuild justwatchingBack = [](auto& args) {
        const auto watching = gamemsg::justwatching(args);
        return host::justwatching(watching.seat, watching.watching);
    };
    const Rebuild playerscoresBack = [](auto& args) {
        return host::playerscores(gamemsg::playerscores(args));
    };
    const Rebuild heguessedBack = [](auto& args) {
        const auto found = gamemsg::heguessed(args);
        return host::heguessed(found.slot, found.word, found.ball, found.score);
    };
    const Case cases[] = {
        // Client to host.
        {player::logininfo(3, "1.0.8", "Zoë+Bo"), "CMD_logininfo+3+1.0.8+Zoë+Bo",
         [](auto& args) {
             const auto login = playermsg::logininfo(args);
             return player::logininfo(login.slot, login.version, login.name);
         }},
        {player::kickhim(1, 7), "CMD_kickhim+1+7+",
         [](auto& args) {
             const auto kick = playermsg::kickhim(args);
             return player::kickhim(kick.sender, kick.slot);
         }},
        {player::chat(4, "a+b|clRed"), "CMD_chat+4+a+b|clRed",
         [](auto& args) {
             const auto chat = playermsg::relayed(args);
             return player::chat(chat.slot, chat.text);
         }},
        {player::action(4, "waves|$00FF00"), "CMD_action+4+waves|$00FF00",
         [](auto& args) {
             const auto action = playermsg::relayed(args);
             return player::action(action.slot, action.text);
         }},
        {player::startgame("Ann", "race", "1"), "CMD_startgame+Ann+race+1+", startgameBack},
        {player::justwatch(2, true), "CMD_justwatch+2+1", justwatchBack},
        {player::justwatch(5, false), "CMD_justwatch+5+2", justwatchBack},
        {player::myword(2, "crane"), "CMD_myword+2+crane+",
         [](auto& args) {
             const auto word = playermsg::myword(args);
             return player::myword(word.slot, word.guess);
         }},
        {player::playasound(5, 12), "CMD_playasound+5+wave12+",
         [](auto& args) { // the host passes the rest on as it came
             const auto sound = playermsg::relayed(args);
             return host::playasound(sound.slot, sound.text);
         }},
        {rejoinmsg::Rejoin::build(7, kKey), "CMD_rejoin+7+" + kKey,
         [](auto& args) {
             const auto rejoin = rejoinmsg::rejoin(args);
             return rejoinmsg::Rejoin::build(rejoin.slot, rejoin.key);
         }},
        // Host to client.
        {host::sendlogininfo(6), "CMD_sendlogininfo+6",
         [](auto& args) {
             return host::sendlogininfo(gamemsg::slotOnly(args));
         }},
        {host::full(), "CMD_full+", {}},
        {host::newplayerinfo(7, "Bob"), "CMD_newplayerinfo+7+Bob+0",
         [](auto& args) {
             const auto records = gamemsg::players(args);
             return records.size() == 1 && !records[0].watching
                        ? host::newplayerinfo(records[0].slot, records[0].name)
                        : QString();
         }},
        {host::existingplayers({{1, "Ann", false}, {3, "Cy", true}, {8, "Spy", false}}),
         "CMD_existingplayers+1+Ann+0+3+Cy+1+8+Spy+0",
         [](auto& args) {
             return host::existingplayers(gamemsg::players(args));
         }},
        {host::havewrongversion("Bob"), "CMD_havewrongversion+Bob", {}},
        {host::wrongversion(), "CMD_wrongversion+", {}},
        {host::gamestats("nine", 6, 4, "G"), "CMD_gamestats+nine+6+4+G+",
         [](auto& args) {
             const auto stats = gamemsg::gamestats(args);
             return host::gamestats(stats.type, stats.row, stats.ball, stats.letter);
         }},
        {host::playerscores({{1, 1000}, {2, 1000}, {3, 1000}, {4, 1000}, {5, 1000}}),
         "CMD_playerscores+1+1000+2+1000+3+1000+4+1000+5+1000", playerscoresBack},
        {host::playerscores({{1, 12}, {2, 0}, {3, 45}, {4, 3}, {5, 0}}),
         "CMD_playerscores+1+12+2+0+3+45+4+3+5+0", playerscoresBack},
        {host::theyown({{1, 2}, {2, 9}, {3, 0}, {4, 0}, {5, 1}}), "CMD_theyown+1+2+2+9+3+0+4+0+5+1",
         [](auto& args) {
             return host::theyown(gamemsg::theyown(args));
         }},
        {host::ballowners({{1, 3}, {2, 0}, {3, 9}, {4, 0}, {5, 0}, {6, 0}, {7, 0}, {8, 0}, {9, 0}}),
         "CMD_ballowners+1+3+2+0+3+9+4+0+5+0+6+0+7+0+8+0+9+0",
         [](auto& args) {
             return host::ballowners(gamemsg::ballowners(args));
         }},
        {host::playerdisconnected(9, "Eve"), "CMD_playerdisconnected+9+Eve",
         [](auto& args) {
             return host::playerdisconnected(gamemsg::slotOnly(args), "Eve");
         }},
        {host::chat(4, "Dee", "a+b|clRed"), "CMD_chat+4+Dee chats: a+b|clRed", {}},
        {host::action(4, "Dee", "waves|clRed"), "CMD_action+4+Dee waves|clRed", {}},
        {host::playasound(5, "wave12+"), "CMD_playasound+5+wave12+",
         [](auto& args) {
             const auto sound = gamemsg::playasound(args);
             return host::playasound(sound.seat, sound.sound + u'+');
         }},
        {host::justwatching(3, true), "CMD_justwatching+3+1", justwatchingBack},
        {host::justwatching(4, false), "CMD_justwatching+4+2", justwatchingBack},
        {host::startgame("Ann", "high", "0"), "CMD_startgame+Ann+high+0+", startgameBack},
        {host::loadball(9, "Q"), "CMD_loadball+9+Q+",
         [](auto& args) {
             const auto load = gamemsg::loadball(args);
             return host::loadball(load.ball, load.letter);
         }},
        {host::nextplayer(8, 5), "CMD_nextplayer+8+5+",
         [](auto& args) {
             const auto next = gamemsg::nextplayer(args);
             return host::nextplayer(next.slot, next.row);
         }},
        {host::submitted(2), "CMD_submitted+2+",
         [](auto& args) {
             return host::submitted(gamemsg::slotOnly(args));
         }},
        {host::notvalid(2, false, "CRANX", 3), "CMD_notvalid+2+f+CRANX+3+",
         [](auto& args) {
             const auto judged = gamemsg::notvalid(args);
             return host::notvalid(judged.slot, judged.everyone, judged.rawGuess, judged.row);
         }},
        {host::yourletters(2, true, 4, "sxcxs", "CRANE"), "CMD_yourletters+2+t+4+sxcxs+CRANE+",
         [](auto& args) {
             const auto judged = gamemsg::yourletters(args);
             return host::yourletters(judged.slot, judged.everyone, judged.row, judged.marks,
                                      judged.rawGuess);
         }},
        {host::wordlist(6, found), "CMD_wordlist+6+1+PLANE+2+CRANE+3++4++5+",
         [](auto& args) {
             const auto list = gamemsg::wordlist(args);
             std::array<QString, game::kRows> rows;
             for (const auto& [row, word] : list.rows)
                 rows[size_t(row - 1)] = word;
             return list.rows.size() == game::kRows ? host::wordlist(list.slot, rows) : QString();
         }},
        {host::heguessed(1, "CRANE", 7, 28), "CMD_heguessed+1+CRANE+7+28+", heguessedBack},
        {host::heguessed(3, "PLANE", 2, gamemsg::kNoScore), "CMD_heguessed+3+PLANE+2+1000+",
         heguessedBack},
        {host::nooneguessed("PEARL"), "CMD_nooneguessed+PEARL+",
         [](auto& args) {
             return host::nooneguessed(joined(gamemsg::nooneguessed(args)));
         }},
        {host::timeup(5), "CMD_timeup+5+",
         [](auto& args) {
             return host::timeup(gamemsg::timeup(args));
         }},
        {host::winner(4), "CMD_winner+4+",
         [](auto& args) {
             return host::winner(gamemsg::slotOnly(args));
         }},
        {host::tiegame({"Ann", "Klot", "Bo+b"}), "CMD_tiegame+Ann and Klot and Bo+b+",
         [](auto& args) {
             return host::tiegame({gamemsg::tiegame(args)});
         }},
        {host::impossible(), "CMD_impossible+", {}},
        {rejoinmsg::RejoinKey::build(kKey), "CMD_rejoinkey+" + kKey,
         [](auto& args) {
             return rejoinmsg::RejoinKey::build(rejoinmsg::key(args));
         }},
        {rejoinmsg::RejoinRefused::build(), "CMD_rejoinrefused+", {}},
        {rejoinmsg::Rejoined::build(5), "CMD_rejoined+5",
         [](auto& args) {
             return rejoinmsg::Rejoined::build(rejoinmsg::rejoinedSeat(args));
         }},
        {rejoinmsg::PlayerAway::build(3, true), "CMD_playeraway+3+1",
         [](auto& args) {
             const auto away = rejoinmsg::away(args);
             return rejoinmsg::PlayerAway::build(away.seat, away.away);
         }},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.built, c.wire);
        if (c.rebuild) {
            EXPECT_EQ(c.rebuild(argsOf(c.wire)), c.wire);
        }
    }
}

// The checks that stop a hostile peer's message before anything is applied.
TEST(Messages, ParsersRefuseFieldsOutOfTheGamesShape) {
    const std::pair<std::function<void(const QString&)>, QString> refused[] = {
        {gamemsg::slotOnly, "10+"},
        {gamemsg::players, "1+Ann"},
        {gamemsg::players, "1+Ann+2"},
        {gamemsg::players, "1+a+0+2+b+0+3+c+0+4+d+0+5+e+0+6+f+0+7+g+0+8+h+0+9+i+0+1+j+0"},
        {gamemsg::justwatching, "6+1"},
        {gamemsg::justwatching, "2+3"},
        {gamemsg::playasound, "6+wave1+"},
        {gamemsg::loadball, "10+A+"},
        {gamemsg::loadball, "1+AB+"},
        {gamemsg::nextplayer, "1+6+"},
        {gamemsg::yourletters, "1+x+1+sssss+CRANE+"},
        {gamemsg::playerscores, "6+10"},
        {gamemsg::theyown, "1+10"},
        {gamemsg::ballowners, "1+10"},
        {gamemsg::startgame, "Ann+high+2+"},
        {playermsg::logininfo, "0+1.0.8+Ann"},
        {playermsg::kickhim, "1+10+"},
        {playermsg::relayed, "+hello"},
        {playermsg::justwatch, "3+3"},
        {playermsg::justwatch, "3+1+"},
        {playermsg::myword, "x+CRANE+"},
        // A key is 64 lower-case hexadecimal digits: it stands in a settings value too.
        {rejoinmsg::key, kKey.chopped(1)},
        {rejoinmsg::key, kKey.toUpper()},
        {rejoinmsg::key, kKey.chopped(1) + "|"},
        {rejoinmsg::key, kKey + "0"},
        {rejoinmsg::rejoinedSeat, "6"},
        {rejoinmsg::away, "6+1"},
        {rejoinmsg::away, "2+2"},
        {rejoinmsg::rejoin, "10+" + kKey},
        {rejoinmsg::rejoin, "3+" + kKey.left(32)},
    };
    for (const auto& [parse, args] : refused)
        EXPECT_THROW(parse(args), MalformedMessage) << args.toStdString();
}

} // namespace
