#include "net/game_messages.h"
#include "net/player_messages.h"
#include "net/protocol.h"
#include "net/rejoin_messages.h"
#include "qstring_printer.h"

#include <functional>
#include <gtest/gtest.h>

namespace {

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
        const auto start = gamemsg::StartGame::parse(args);
        return gamemsg::StartGame::build(start.starter, *start.type, start.botPlays);
    };
    const Rebuild justwatchBack = [](auto& args) {
        const auto request = playermsg::JustWatch::parse(args);
        return playermsg::JustWatch::build(request.seat, request.watch);
    };
    const Rebuild justwatchingBack = [](auto& args) {
        const auto watching = gamemsg::JustWatching::parse(args);
        return gamemsg::JustWatching::build(watching.seat, watching.watching);
    };
    const Rebuild playerscoresBack = [](auto& args) {
        return gamemsg::PlayerScores::build(gamemsg::PlayerScores::parse(args).scores);
    };
    const Rebuild heguessedBack = [](auto& args) {
        const auto found = gamemsg::HeGuessed::parse(args);
        return gamemsg::HeGuessed::build(found.slot, found.word, found.ball, found.score);
    };
    const Case cases[] = {
        // Client to host.
        {playermsg::LoginInfo::build(3, "1.0.8", "Zoë+Bo"), "CMD_logininfo+3+1.0.8+Zoë+Bo",
         [](auto& args) {
             const auto login = playermsg::LoginInfo::parse(args);
             return playermsg::LoginInfo::build(login.slot, login.version, login.name);
         }},
        {playermsg::KickHim::build(1, 7), "CMD_kickhim+1+7+",
         [](auto& args) {
             const auto kick = playermsg::KickHim::parse(args);
             return playermsg::KickHim::build(kick.sender, kick.slot);
         }},
        {playermsg::Chat::build(4, "a+b|clRed"), "CMD_chat+4+a+b|clRed",
         [](auto& args) {
             const auto chat = playermsg::Chat::parse(args);
             return playermsg::Chat::build(chat.slot, chat.text);
         }},
        {playermsg::Action::build(4, "waves|$00FF00"), "CMD_action+4+waves|$00FF00",
         [](auto& args) {
             const auto action = playermsg::Action::parse(args);
             return playermsg::Action::build(action.slot, action.text);
         }},
        {playermsg::StartGame::build("Ann", GameType::Race, false), "CMD_startgame+Ann+race+1+", startgameBack},
        {playermsg::JustWatch::build(2, true), "CMD_justwatch+2+1", justwatchBack},
        {playermsg::JustWatch::build(5, false), "CMD_justwatch+5+2", justwatchBack},
        {playermsg::MyWord::build(2, "crane"), "CMD_myword+2+crane+",
         [](auto& args) {
             const auto word = playermsg::MyWord::parse(args);
             return playermsg::MyWord::build(word.slot, word.guess);
         }},
        {playermsg::PlayASound::build(5, 12), "CMD_playasound+5+wave12+",
         [](auto& args) { // the host passes the rest on as it came
             const auto sound = playermsg::PlayASound::parse(args);
             return gamemsg::PlayASound::build(sound.slot, sound.text);
         }},
        {rejoinmsg::Rejoin::build(7, kKey), "CMD_rejoin+7+" + kKey,
         [](auto& args) {
             const auto rejoin = rejoinmsg::Rejoin::parse(args);
             return rejoinmsg::Rejoin::build(rejoin.slot, rejoin.key);
         }},
        // Host to client.
        {gamemsg::SendLoginInfo::build(6), "CMD_sendlogininfo+6",
         [](auto& args) {
             return gamemsg::SendLoginInfo::build(gamemsg::SendLoginInfo::parse(args).slot);
         }},
        {gamemsg::Full::build(), "CMD_full+", {}},
        {gamemsg::NewPlayerInfo::build(7, "Bob"), "CMD_newplayerinfo+7+Bob+0",
         [](auto& args) {
             const auto records = gamemsg::NewPlayerInfo::parse(args).players;
             return records.size() == 1 && !records[0].watching
                        ? gamemsg::NewPlayerInfo::build(records[0].slot, records[0].name)
                        : QString();
         }},
        {gamemsg::ExistingPlayers::build({{1, "Ann", false}, {3, "Cy", true}, {8, "Spy", false}}),
         "CMD_existingplayers+1+Ann+0+3+Cy+1+8+Spy+0",
         [](auto& args) {
             return gamemsg::ExistingPlayers::build(gamemsg::ExistingPlayers::parse(args).players);
         }},
        {gamemsg::HaveWrongVersion::build("Bob"), "CMD_havewrongversion+Bob", {}},
        {gamemsg::WrongVersion::build(), "CMD_wrongversion+", {}},
        {gamemsg::GameStats::build(GameType::Nine, 6, 4, "G"), "CMD_gamestats+nine+6+4+G+",
         [](auto& args) {
             const auto stats = gamemsg::GameStats::parse(args);
             return gamemsg::GameStats::build(*stats.type, stats.row, stats.ball, stats.letter);
         }},
        {gamemsg::PlayerScores::build({{1, 1000}, {2, 1000}, {3, 1000}, {4, 1000}, {5, 1000}}),
         "CMD_playerscores+1+1000+2+1000+3+1000+4+1000+5+1000", playerscoresBack},
        {gamemsg::PlayerScores::build({{1, 12}, {2, 0}, {3, 45}, {4, 3}, {5, 0}}),
         "CMD_playerscores+1+12+2+0+3+45+4+3+5+0", playerscoresBack},
        {gamemsg::TheyOwn::build({{1, 2}, {2, 9}, {3, 0}, {4, 0}, {5, 1}}), "CMD_theyown+1+2+2+9+3+0+4+0+5+1",
         [](auto& args) {
             return gamemsg::TheyOwn::build(gamemsg::TheyOwn::parse(args).ballCounts);
         }},
        {gamemsg::BallOwners::build({{1, 3}, {2, 0}, {3, 9}, {4, 0}, {5, 0}, {6, 0}, {7, 0}, {8, 0}, {9, 0}}),
         "CMD_ballowners+1+3+2+0+3+9+4+0+5+0+6+0+7+0+8+0+9+0",
         [](auto& args) {
             return gamemsg::BallOwners::build(gamemsg::BallOwners::parse(args).owners);
         }},
        {gamemsg::PlayerDisconnected::build(9, "Eve"), "CMD_playerdisconnected+9+Eve",
         [](auto& args) {
             return gamemsg::PlayerDisconnected::build(gamemsg::PlayerDisconnected::parse(args).slot, "Eve");
         }},
        {gamemsg::Chat::build(4, "Dee", "a+b|clRed"), "CMD_chat+4+Dee chats: a+b|clRed", {}},
        {gamemsg::Action::build(4, "Dee", "waves|clRed"), "CMD_action+4+Dee waves|clRed", {}},
        {gamemsg::PlayASound::build(5, "wave12+"), "CMD_playasound+5+wave12+",
         [](auto& args) {
             const auto sound = gamemsg::PlayASound::parse(args);
             return gamemsg::PlayASound::build(sound.seat, "wave" + QString::number(sound.chatterSound) + u'+');
         }},
        {gamemsg::JustWatching::build(3, true), "CMD_justwatching+3+1", justwatchingBack},
        {gamemsg::JustWatching::build(4, false), "CMD_justwatching+4+2", justwatchingBack},
        {gamemsg::StartGame::build("Ann", GameType::High, true), "CMD_startgame+Ann+high+0+", startgameBack},
        {gamemsg::LoadBall::build(9, "Q"), "CMD_loadball+9+Q+",
         [](auto& args) {
             const auto load = gamemsg::LoadBall::parse(args);
             return gamemsg::LoadBall::build(load.ball, load.letter);
         }},
        {gamemsg::NextPlayer::build(8, 5), "CMD_nextplayer+8+5+",
         [](auto& args) {
             const auto next = gamemsg::NextPlayer::parse(args);
             return gamemsg::NextPlayer::build(next.slot, next.row);
         }},
        {gamemsg::Submitted::build(2), "CMD_submitted+2+",
         [](auto& args) {
             return gamemsg::Submitted::build(gamemsg::Submitted::parse(args).slot);
         }},
        {gamemsg::NotValid::build(2, false, "CRANX", 3), "CMD_notvalid+2+f+CRANX+3+",
         [](auto& args) {
             const auto judged = gamemsg::NotValid::parse(args);
             return gamemsg::NotValid::build(judged.slot, judged.everyone, judged.rawGuess, judged.row);
         }},
        {gamemsg::YourLetters::build(2, true, 4, marks::read(u"sxcxs"), "CRANE"), "CMD_yourletters+2+t+4+sxcxs+CRANE+",
         [](auto& args) {
             const auto judged = gamemsg::YourLetters::parse(args);
             return gamemsg::YourLetters::build(judged.slot, judged.everyone, judged.row, judged.marks,
                                      judged.rawGuess);
         }},
        {gamemsg::WordList::build(6, found), "CMD_wordlist+6+1+PLANE+2+CRANE+3++4++5+",
         [](auto& args) {
             const auto list = gamemsg::WordList::parse(args);
             std::array<QString, game::kRows> rows;
             for (const auto& [row, word] : list.rows)
                 rows[size_t(row - 1)] = word;
             return list.rows.size() == game::kRows ? gamemsg::WordList::build(list.slot, rows) : QString();
         }},
        {gamemsg::HeGuessed::build(1, "CRANE", 7, 28), "CMD_heguessed+1+CRANE+7+28+", heguessedBack},
        {gamemsg::HeGuessed::build(3, "PLANE", 2, gamemsg::kNoScore), "CMD_heguessed+3+PLANE+2+1000+",
         heguessedBack},
        {gamemsg::NoOneGuessed::build("PEARL"), "CMD_nooneguessed+PEARL+",
         [](auto& args) {
             return gamemsg::NoOneGuessed::build(joined(gamemsg::NoOneGuessed::parse(args).word));
         }},
        {gamemsg::TimeUp::build(5), "CMD_timeup+5+",
         [](auto& args) {
             return gamemsg::TimeUp::build(gamemsg::TimeUp::parse(args).row);
         }},
        {gamemsg::Winner::build(4), "CMD_winner+4+",
         [](auto& args) {
             return gamemsg::Winner::build(gamemsg::Winner::parse(args).slot);
         }},
        {gamemsg::TieGame::build({"Ann", "Klot", "Bo+b"}), "CMD_tiegame+Ann and Klot and Bo+b+",
         [](auto& args) {
             return gamemsg::TieGame::build({gamemsg::TieGame::parse(args).names});
         }},
        {gamemsg::Impossible::build(), "CMD_impossible+", {}},
        {gamemsg::Goodbye::build(), "CMD_goodbye+", {}},
        {gamemsg::StoodIn::build({2, 5}), "CMD_stoodin+2+5+",
         [](auto& args) {
             return gamemsg::StoodIn::build(gamemsg::StoodIn::parse(args).rows);
         }},
        {rejoinmsg::RejoinKey::build(kKey), "CMD_rejoinkey+" + kKey,
         [](auto& args) {
             return rejoinmsg::RejoinKey::build(rejoinmsg::RejoinKey::parse(args).key);
         }},
        {rejoinmsg::RejoinRefused::build(), "CMD_rejoinrefused+", {}},
        {rejoinmsg::Rejoined::build(5), "CMD_rejoined+5",
         [](auto& args) {
             return rejoinmsg::Rejoined::build(rejoinmsg::Rejoined::parse(args).seat);
         }},
        {rejoinmsg::PlayerAway::build(3, true), "CMD_playeraway+3+1",
         [](auto& args) {
             const auto away = rejoinmsg::PlayerAway::parse(args);
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
        {gamemsg::Winner::parse, "10+"},
        {gamemsg::NewPlayerInfo::parse, "1+Ann"},
        {gamemsg::NewPlayerInfo::parse, "1+Ann+2"},
        {gamemsg::NewPlayerInfo::parse,
         "1+a+0+2+b+0+3+c+0+4+d+0+5+e+0+6+f+0+7+g+0+8+h+0+9+i+0+1+j+0"},
        {gamemsg::JustWatching::parse, "6+1"},
        {gamemsg::JustWatching::parse, "2+3"},
        {gamemsg::PlayASound::parse, "6+wave1+"},
        {gamemsg::LoadBall::parse, "10+A+"},
        {gamemsg::LoadBall::parse, "1+AB+"},
        {gamemsg::NextPlayer::parse, "1+6+"},
        {gamemsg::YourLetters::parse, "1+x+1+sssss+CRANE+"},
        {gamemsg::PlayerScores::parse, "6+10"},
        {gamemsg::TheyOwn::parse, "1+10"},
        {gamemsg::BallOwners::parse, "1+10"},
        {gamemsg::StartGame::parse, "Ann+high+2+"},
        {gamemsg::PlayASound::parse, "3+wave21+"},
        {gamemsg::PlayASound::parse, "3+wave01+"},
        {gamemsg::PlayASound::parse, "3+beep+"},
        {gamemsg::StoodIn::parse, ""},
        {gamemsg::StoodIn::parse, "6+"},
        {gamemsg::StoodIn::parse, "1+2+3+4+5+1+"},
        {gamemsg::Chat::parse, "3"}, // a sender and no line
        {gamemsg::Chat::parse, "10+hi|clRed"},
        {playermsg::LoginInfo::parse, "0+1.0.8+Ann"},
        // A sender is written as the host writes slots: "03" names no connection.
        {playermsg::LoginInfo::parse, "03+1.0.8+Ann"},
        {playermsg::StartGame::parse, "Ann+pool+1+"},
        {playermsg::StartGame::parse, "Ann+high+2+"},
        {playermsg::KickHim::parse, "1+10+"},
        {playermsg::Chat::parse, "+hello"},
        {playermsg::JustWatch::parse, "3+3"},
        {playermsg::JustWatch::parse, "3+1+"},
        {playermsg::MyWord::parse, "x+CRANE+"},
        // A key is 64 lower-case hexadecimal digits: it stands in a settings value too.
        {rejoinmsg::RejoinKey::parse, kKey.chopped(1)},
        {rejoinmsg::RejoinKey::parse, kKey.toUpper()},
        {rejoinmsg::RejoinKey::parse, kKey.chopped(1) + "|"},
        {rejoinmsg::RejoinKey::parse, kKey + "0"},
        {rejoinmsg::Rejoined::parse, "6"},
        {rejoinmsg::PlayerAway::parse, "6+1"},
        {rejoinmsg::PlayerAway::parse, "2+2"},
        {rejoinmsg::Rejoin::parse, "10+" + kKey},
        {rejoinmsg::Rejoin::parse, "3+" + kKey.left(32)},
    };
    for (const auto& [parse, args] : refused)
        EXPECT_THROW(parse(args), MalformedMessage) << args.toStdString();
}

} // namespace
