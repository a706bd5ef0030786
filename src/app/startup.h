#pragma once

#include "app/local_host.h"
#include "app/play_mode.h"
#include "net/table_address.h"
#include "portmap/mapping_result.h"

#include <QStringList>
#include <functional>
#include <optional>

class Tchat;

// Where this copy plays: solo, hosting or joining, chosen by the command
// line at the main window's first showing or later from the File menu. A new
// choice first ends the table the window plays at, in the same window.
class Startup {
public:
    struct Hooks {
        // One or two arguments: the Play with Others window, filled in with them.
        std::function<void(const QString& name, const QString& address)> incomplete;
        // An invite link, the only argument.
        std::function<void(const QString& link)> link;
        // A table hosted for others (not a solo game) is open under playerName
        // on gamePort; and the table this copy played at has ended.
        std::function<void(const QString& playerName, quint16 gamePort)> hosting;
        std::function<void()> leftTable;
        // Where friends on the internet join, while the router forwards a port.
        std::function<std::optional<portmap::InternetAddress>()> internetAddress;
    };

    Startup(Tchat& chat, LocalHost& host, Hooks hooks = {});

    // Once, at the main window's first showing.
    void processparams(const QStringList& arguments);

    // Hosts as "You" for this computer alone: no invite, nobody else can join.
    void playSolo();
    // Hosts a table others can join and says where. Throws ESockException
    // when the port cannot be had: this copy then plays nowhere.
    void hostGame(const QString& playerName, const QString& portName);
    // Throws ESockException when the host's name cannot be looked up.
    void joinGame(const QString& playerName, const TableAddress& table);

    bool hosting() const { return hostedPort_ != 0; }
    // While hosting for others: the invite link on the clipboard, and in the
    // chat where others can join.
    void copyInviteLink();

private:
    void leaveTable();
    void host(const QString& playerName, const QString& portName, HostReach reach);
    void join(const QString& playerName, const QString& address, const QString& portName);

    Tchat& chat_;
    LocalHost& host_;
    Hooks hooks_;
    quint16 hostedPort_ = 0;
    HostReach reach_ = HostReach::ThisComputer;
};
