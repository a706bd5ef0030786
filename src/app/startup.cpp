#include "app/startup.h"

#include "app/join_addresses.h"
#include "client/look/message_box.h"
#include "client/tchat.h"
#include "common/environment.h"
#include "net/tsock.h"
#include "portmap/mapping_words.h"

#include <QClipboard>
#include <QGuiApplication>

namespace {
// A window that starts at no table says how to get to one.
const QString kChooseLine = QString::fromUtf8(
    "0+To play with others, choose Host a Game\u2026 or Join a Game\u2026 in the File menu.");
} // namespace

Startup::Startup(Tchat& chat, LocalHost& host, Hooks hooks)
    : chat_(chat), host_(host), hooks_(std::move(hooks)) {}

void Startup::processparams(const QStringList& arguments) {
    const PlayChoice choice = choosePlayMode(arguments);
    try {
        switch (choice.mode) {
        case PlayMode::Solo:
            playSolo();
            return;
        case PlayMode::Incomplete:
            chat_.say(kChooseLine);
            if (hooks_.incomplete)
                hooks_.incomplete(choice.playername, choice.hostaddress);
            return;
        case PlayMode::Link:
            chat_.say(kChooseLine);
            if (hooks_.link)
                hooks_.link(choice.hostaddress);
            return;
        case PlayMode::Host:
            chat_.say("0+Loading Multi-player Game.. Please Wait.");
            hostGame(choice.playername, environment::gamePortName());
            return;
        case PlayMode::Join:
            if (const QString problem = tableaddress::numericHostProblem(choice.hostaddress);
                !problem.isEmpty()) {
                chat_.say(kChooseLine);
                messagebox::show(&chat_, problem);
                if (hooks_.incomplete)
                    hooks_.incomplete(choice.playername, choice.hostaddress);
                return;
            }
            chat_.say("0+Loading Multi-player Game.. Please Wait.");
            join(choice.playername, choice.hostaddress, environment::gamePortName());
            return;
        }
    } catch (const ESockException& error) {
        messagebox::show(&chat_, QString::fromUtf8(error.what()));
    }
}

void Startup::playSolo() {
    chat_.say("0+Loading Solo Game..Please wait.");
    host("You", environment::gamePortName(), HostReach::ThisComputer);
}

void Startup::hostGame(const QString& playerName, const QString& portName) {
    host(playerName, portName, HostReach::Network);
    chat_.openPresenceLink();
    chat_.say(joinaddresses::line(joinaddresses::ofThisComputer(), hostedPort_));
    if (hooks_.hosting)
        hooks_.hosting(playerName, hostedPort_);
}

void Startup::joinGame(const QString& playerName, const TableAddress& table) {
    join(playerName, table.host, QString::number(table.port));
}

// The own client goes first, so the host tells the others who left; then
// the host ends the table, and every joined window sees it go.
void Startup::leaveTable() {
    chat_.leaveTable();
    if (hooks_.leftTable)
        hooks_.leftTable();
    host_.close();
    hostedPort_ = 0;
}

void Startup::host(const QString& playerName, const QString& portName, HostReach reach) {
    leaveTable();
    // The port may be "0" (tests): the client connects where the host really listens.
    hostedPort_ = host_.open(portName, reach); // a taken port raises, and nothing below runs
    reach_ = reach;
    chat_.beginHosting(playerName, hostedPort_, reach == HostReach::Network);
}

void Startup::join(const QString& playerName, const QString& address, const QString& portName) {
    leaveTable();
    chat_.joinHost(playerName, address, portName);
    chat_.openPresenceLink();
}

void Startup::copyInviteLink() {
    if (!hosting() || reach_ != HostReach::Network)
        return;
    const QList<QHostAddress> addresses = joinaddresses::ofThisComputer();
    const std::optional<portmap::InternetAddress> internet =
        hooks_.internetAddress ? hooks_.internetAddress() : std::nullopt;
    const QString link = joinaddresses::inviteLink(addresses, hostedPort_, internet);
    QGuiApplication::clipboard()->setText(link);
    chat_.say((internet ? "0+Invite link copied, with the router's address on the internet: "
                        : "0+Invite link copied: ") +
              link);
    chat_.say(joinaddresses::line(addresses, hostedPort_));
    if (internet) // the chat keeps both ways in
        chat_.say(mappingwords::reachableAt(*internet));
}
