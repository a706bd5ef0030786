// Which part handles which host message: one table, one hop to any handler.
#include "client/tchat.h"

#include "net/commands.h"
#include "net/game_messages.h"
#include "net/rejoin_messages.h"

void Tchat::buildDispatch() {
    const auto on = [this](const char* command, auto handler) {
        dispatcher_.on(QString::fromLatin1(command), handler);
    };
    // Connection and seats
    on(cmd::sendlogininfo, [this](auto& args) { session_->sendloginfo(args); });
    on(cmd::havewrongversion, [this](auto& args) { session_->havewrongversion(args); });
    on(cmd::wrongversion, [this](auto& args) { session_->wrongversion(args); });
    on(cmd::full, [this](auto& args) { session_->full(args); });
    on(cmd::newplayerinfo, [this](auto& args) { seats->newplayerinfo(args); });
    on(cmd::existingplayers, [this](auto& args) { seats->newplayerinfo(args); });
    on(cmd::playerdisconnected, [this](auto& args) { seats->playerdisconnected(args); });
    on(cmd::justwatching, [this](auto& args) { seats->justwatching(args); });
    on(cmd::hostrights, [this](auto& args) { seats->hostrights(args); });
    // Held seats and the way back to them
    on(cmd::playeraway, [this](auto& args) { seats->playeraway(args); });
    // The table this program hosts ends with it: no seat there outlives a
    // drop, and its key must not push out one for a table elsewhere.
    on(cmd::rejoinkey, [this](auto& args) {
        const QString key = rejoinmsg::key(args);
        if (!state.ishost)
            seatKeeper_.keyArrived(tableId(), key);
    });
    on(cmd::rejoined, [this](auto& args) { rejoined(rejoinmsg::rejoinedSeat(args)); });
    on(cmd::rejoinrefused, [this](auto&) { rejoinRefused(); });
    // Chat
    on(cmd::chat, [this](auto& args) { chat->chatrecieved(args); });
    on(cmd::action, [this](auto& args) { chat->chatrecieved(args); });
    // Guess board and turns
    on(cmd::loadball, [this](auto& args) { board->loadball(args); });
    on(cmd::nextplayer, [this](auto& args) { board->getnextplayer(args); });
    on(cmd::submitted, [this](auto& args) { board->submitted(args); });
    on(cmd::yourletters, [this](auto& args) { board->yourletters(args); });
    on(cmd::notvalid, [this](auto& args) { board->notvalid(args); });
    on(cmd::timeup, [this](auto& args) { board->timeup(args); });
    on(cmd::nooneguessed, [this](auto& args) { board->nooneguessed(args); });
    // Board and table both read these: checked once, so neither acts on half of it.
    on(cmd::heguessed, [this](auto& args) {
        const gamemsg::HeGuessed found = gamemsg::heguessed(args);
        board->heguessed(found);
        table->heguessed(found);
        // The finder's words (CMD_wordlist comes first) open after the shot.
        table->whenTableRests([this] { board->showWordList(); });
    });
    on(cmd::wordlist, [this](auto& args) { board->wordlist(args); });
    // Table, racks and scores
    on(cmd::startgame, [this](auto& args) { table->startthegame(args); });
    // A finished game leaves no seat to come back to.
    on(cmd::winner, [this](auto& args) {
        table->winner(args);
        seatKeeper_.forget(tableId());
    });
    on(cmd::tiegame, [this](auto& args) {
        table->tiegame(args);
        seatKeeper_.forget(tableId());
    });
    on(cmd::impossible, [this](auto& args) { table->impossible(args); });
    on(cmd::gamestats, [this](auto& args) {
        const gamemsg::GameStats stats = gamemsg::gamestats(args);
        table->gamestats(stats);
        board->gamestats(stats);
    });
    on(cmd::playerscores, [this](auto& args) { table->playerscores(args); });
    on(cmd::ballowners, [this](auto& args) { table->ballowners(args); });
    on(cmd::theyown, [this](auto& args) { table->theyown(args); });
    // Sounds
    on(cmd::playasound, [this](auto& args) { sounds->playasound(args); });
}
