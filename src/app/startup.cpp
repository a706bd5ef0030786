#include "app/startup.h"

#include "client/message_box.h"
#include "client/tchat.h"
#include "common/environment.h"
#include "net/tsock.h"

Startup::Startup(Tchat& chat, TSock& hostListener, OnHosting onHosting)
    : chat_(chat), hostListener_(hostListener), onHosting_(std::move(onHosting)) {}

void Startup::processparams(const QStringList& arguments) {
    const PlayChoice choice = choosePlayMode(arguments);
    try {
        if (choice.mode == PlayMode::Solo) {
            chat_.say("0+Loading Solo Game..Please wait.");
            listenAndPlay(choice.playername);
            return;
        }
        chat_.say("0+Loading Multi-player Game.. Please Wait.");
        if (choice.mode == PlayMode::Incomplete)
            return;
        if (choice.mode == PlayMode::Host)
            hostpress(choice.playername);
        else
            joinpress(choice.playername, choice.hostaddress);
        chat_.openPresenceLink();
    } catch (const ESockException& error) {
        messagebox::show(&chat_, QString::fromUtf8(error.what()));
    }
}

void Startup::hostpress(const QString& playerName) {
    listenAndPlay(playerName); // a port in use raises, and nothing below runs
    if (onHosting_)
        onHosting_(playerName, hostListener_.localPort());
}

void Startup::listenAndPlay(const QString& playerName) {
    hostListener_.setListen(true);
    // The listener may have been given port "0" (tests): connect where it really listens.
    chat_.beginHosting(playerName, hostListener_.localPort());
}

void Startup::joinpress(const QString& playerName, const QString& hostAddress) {
    chat_.joinHost(playerName, hostAddress, environment::gamePortName());
}
