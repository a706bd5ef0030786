#pragma once

#include "net/game_messages.h"
#include "net/player_messages.h"
#include "net/protocol.h"
#include "net/rejoin_messages.h"
#include "net/rights_messages.h"

#include <cstddef>
#include <memory>

// Which messages go which way, and the one call that gives each its handler.
template <typename... Messages> struct MessageList {};

// Everything a client may send the host.
using ToHost = MessageList<playermsg::LoginInfo, rejoinmsg::Rejoin, playermsg::KickHim,
                           playermsg::Chat, playermsg::Action, playermsg::StartGame,
                           playermsg::JustWatch, playermsg::MyWord, playermsg::PlayASound>;

// Everything the host sends a client.
using ToClient =
    MessageList<gamemsg::SendLoginInfo, gamemsg::Full, gamemsg::NewPlayerInfo,
                gamemsg::ExistingPlayers, gamemsg::HaveWrongVersion, gamemsg::WrongVersion,
                gamemsg::GameStats, gamemsg::PlayerScores, gamemsg::TheyOwn, gamemsg::BallOwners,
                gamemsg::PlayerDisconnected, gamemsg::Chat, gamemsg::Action, gamemsg::PlayASound,
                gamemsg::JustWatching, gamemsg::StartGame, gamemsg::LoadBall, gamemsg::NextPlayer,
                gamemsg::Submitted, gamemsg::YourLetters, gamemsg::NotValid, gamemsg::TimeUp,
                gamemsg::WordList, gamemsg::HeGuessed, gamemsg::NoOneGuessed, gamemsg::Winner,
                gamemsg::TieGame, gamemsg::Impossible, rejoinmsg::RejoinKey,
                rejoinmsg::RejoinRefused, rejoinmsg::Rejoined, rejoinmsg::PlayerAway,
                rightsmsg::HostRights, gamemsg::Goodbye, gamemsg::StoodIn>;

// Two types with one word would each take the other's messages.
namespace routecheck {
constexpr bool sameWord(const char* a, const char* b) {
    while (*a != '\0' && *a == *b) {
        ++a;
        ++b;
    }
    return *a == *b;
}
template <typename... Messages> constexpr bool distinctWords(MessageList<Messages...>) {
    const char* const words[] = {Messages::kWord...};
    for (size_t i = 0; i < sizeof...(Messages); ++i) {
        for (size_t j = i + 1; j < sizeof...(Messages); ++j) {
            if (sameWord(words[i], words[j]))
                return false;
        }
    }
    return true;
}
} // namespace routecheck
static_assert(routecheck::distinctWords(ToHost{}), "two messages to the host share a word");
static_assert(routecheck::distinctWords(ToClient{}), "two messages to a client share a word");

// One lambda per message type, called as one overloaded function.
template <typename... Handlers> struct Routes : Handlers... { using Handlers::operator()...; };
template <typename... Handlers> Routes(Handlers...) -> Routes<Handlers...>;

// Gives every message of the list its handler in routes: a message without
// one does not compile.
template <typename... Messages, typename Handlers>
void routeEvery(MessageDispatcher& dispatcher, MessageList<Messages...>, Handlers routes) {
    const auto shared = std::make_shared<const Handlers>(std::move(routes));
    (dispatcher.on<Messages>([shared](const Messages& message) { (*shared)(message); }), ...);
}
