// Which part handles which host message: one table, one hop to any handler.
// Every message the host sends has its entry, or this does not compile.
#include "client/tchat.h"

#include "net/message_routes.h"

void Tchat::buildDispatch() {
    using namespace gamemsg;
    using namespace rejoinmsg;
    routeEvery(
        dispatcher_, ToClient{},
        Routes{
            // Connection and seats
            [this](const SendLoginInfo& asked) { session_->sendloginfo(asked); },
            [this](const HaveWrongVersion& newcomer) { session_->havewrongversion(newcomer); },
            [this](const WrongVersion&) { session_->wrongversion(); },
            [this](const Full&) { session_->full(); },
            [this](const NewPlayerInfo& arrived) { seats->newplayerinfo(arrived.players); },
            [this](const ExistingPlayers& others) { seats->newplayerinfo(others.players); },
            [this](const PlayerDisconnected& left) { seats->playerdisconnected(left); },
            [this](const JustWatching& watching) { seats->justwatching(watching); },
            [this](const rightsmsg::HostRights& rights) { model_.setRightsHolder(rights.holder); },
            // Held seats and the way back to them
            [this](const PlayerAway& held) { seats->playeraway(held); },
            // The table this program hosts ends with it: no seat there outlives a
            // drop, and its key must not push out one for a table elsewhere.
            [this](const RejoinKey& given) {
                if (!state.ishost)
                    link_.keyArrived(given.key);
            },
            [this](const Rejoined& back) {
                link_.rejoined(back.seat);
                layTableIfDue();
            },
            [this](const RejoinRefused&) {
                link_.rejoinRefused();
                layTableIfDue();
            },
            [this](const Goodbye&) { link_.goodbye(); },
            // Chat
            [this](const gamemsg::Chat& line) { chat->chatrecieved(line); },
            [this](const gamemsg::Action& line) { chat->chatrecieved(line); },
            // Guess board and turns
            [this](const LoadBall& round) { board->loadball(round); },
            [this](const NextPlayer& turn) { board->getnextplayer(turn); },
            [this](const Submitted& guessed) { board->submitted(guessed); },
            [this](const YourLetters& judged) { board->yourletters(judged); },
            [this](const NotValid& judged) { board->notvalid(judged); },
            [this](const TimeUp& timeUp) { board->timeup(timeUp); },
            [this](const NoOneGuessed& unfound) { board->nooneguessed(unfound); },
            // Board and table both read these: checked once, so neither acts on half of it.
            [this](const HeGuessed& found) {
                board->heguessed(found);
                table->heguessed(found);
                // The finder's words (CMD_wordlist comes first) open after the shot.
                table->whenTableRests([this] { board->showWordList(); });
            },
            [this](const WordList& list) { board->wordlist(list); },
            [this](const StoodIn& rows) { board->stoodIn(rows); },
            // Table, racks and scores
            [this](const StartGame& start) { table->startthegame(start); },
            // A finished game leaves no seat to come back to.
            [this](const Winner& won) {
                table->winner(won);
                link_.gameOver();
            },
            [this](const TieGame& tie) {
                table->tiegame(tie);
                link_.gameOver();
            },
            [this](const Impossible&) { table->impossible(); },
            [this](const GameStats& stats) {
                table->gamestats(stats);
                board->gamestats(stats);
            },
            [this](const PlayerScores& scores) { table->playerscores(scores); },
            [this](const BallOwners& owners) { table->ballowners(owners); },
            [this](const TheyOwn& owned) { table->theyown(owned); },
            // Sounds
            [this](const gamemsg::PlayASound& sound) { sounds->playasound(sound); },
        });
}
