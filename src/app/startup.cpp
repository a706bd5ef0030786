#include "app/startup.h"

#include "client/message_box.h"
#include "client/tchat.h"
#include "common/environment.h"
#include "net/tsock.h"

Startup::Startup(Tchat& chat, TSock& hostListener, std::function<void()> onHosting)
    : chat_(chat), hostListener_(hostListener), onHosting_(std::move(onHosting)) {}

void Startup::processparams(const QStringList& arguments) {
    chat_.button_start->hide();
    chat_.menu->StartGame1->setEnabled(false);
    chat_.state.loginname.clear();
    const PlayChoice choice = choosePlayMode(arguments);
    try {
        if (choice.mode == PlayMode::Solo) {
            chat_.addlinetochat("0+Loading Solo Game..Please wait.", kSystemLineColour);
            chat_.hostaddress = choice.hostaddress;
            chat_.playername = choice.playername;
            hostpress();
            return;
        }
        chat_.addlinetochat("0+Loading Multi-player Game.. Please Wait.", kSystemLineColour);
        if (choice.mode == PlayMode::Incomplete)
            return;
        chat_.playername = choice.playername;
        chat_.hostaddress = choice.hostaddress;
        if (choice.mode == PlayMode::Host)
            hostpress();
        else
            joinpress();
        chat_.Sock11.Open();
    } catch (const ESockException& error) {
        messagebox::show(&chat_, QString::fromUtf8(error.what()));
    }
}

void Startup::hostpress() {
    hostListener_.setListen(true); // a port in use raises, and nothing below runs
    chat_.state.loginname = chat_.playername;
    chat_.state.ishost = true;
    chat_.sock.setHostName("127.0.0.1");
    // The listener may have been given port "0" (tests): connect where it really listens.
    chat_.sock.setPortName(QString::number(hostListener_.localPort()));
    chat_.sock.Open();
    chat_.button_start->show();
    chat_.menu->StartGame1->setEnabled(true);
    if (onHosting_)
        onHosting_();
}

void Startup::joinpress() {
    chat_.state.loginname = chat_.playername;
    chat_.sock.setHostName(chat_.hostaddress);
    chat_.sock.setPortName(environment::gamePortName());
    chat_.sock.Open();
    chat_.button_start->hide();
    chat_.menu->StartGame1->setEnabled(false); // only the host starts games
}
