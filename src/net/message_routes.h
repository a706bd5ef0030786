#pragma once

#include "net/game_messages.h"
#include "net/player_messages.h"
#include "net/protocol.h"
#include "net/rejoin_messages.h"

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
                rejoinmsg::RejoinRefused, rejoinmsg::Rejoined, rejoinmsg::PlayerAway>;

// One lambda per message type, called as one overloaded function.
template <typename... Handlers> struct Routes : Handlers... {
    using Handlers::operator()...;
};
template <typename... Handlers> Routes(Handlers...) -> Routes<Handlers...>;

// Gives every message of the list its handler in routes: a message without
// one does not compile.
template <typename... Messages, typename Handlers>
void routeEvery(MessageDispatcher& dispatcher, MessageList<Messages...>, Handlers routes) {
    const auto shared = std::make_shared<const Handlers>(std::move(routes));
    (dispatcher.on<Messages>([shared](const Messages& message) { (*shared)(message); }), ...);
}
