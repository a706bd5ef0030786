#include "app/startup.h"

#include "client/look/message_box.h"
#include "client/tchat.h"
#include "common/environment.h"
#include "net/tsock.h"

Startup::Startup(Tchat& chat, TSock& hostListener, std::function<void()> onHosting)
    : chat_(chat), hostListener_(hostListener), onHosting_(std::move(onHosting)) {}

void Startup::processparams(const QStringList& arguments) {
    const PlayChoice choice = choosePlayMode(arguments);
    try {
        if (choice.mode == PlayMode::Solo) {
            chat_.say("0+Loading Solo Game..Please wait.");
            hostpress(choice.playername);
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
    hostListener_.setListen(true); // a port in use raises, and nothing below runs
    // The listener may have been given port "0" (tests): connect where it really listens.
    chat_.beginHosting(playerName, hostListener_.localPort());
    if (onHosting_)
        onHosting_();
}

void Startup::joinpress(const QString& playerName, const QString& hostAddress) {
    chat_.joinHost(playerName, hostAddress, environment::gamePortName());
}
