#pragma once

#include <QString>
#include <QtGlobal>

// Who can reach a table this process hosts: a solo game is for this
// computer alone, so a stranger elsewhere cannot take a seat at it.
enum class HostReach { ThisComputer, Network };

// The game host inside this process: switched on to host a table, off to
// leave it. Only one table at a time.
class LocalHost {
public:
    virtual ~LocalHost() = default;
    // Listens on the port ("0": any free one), on the loopback address alone
    // or on every interface, and returns where it listens.
    // Throws ESockException when the port cannot be had.
    virtual quint16 open(const QString& portName, HostReach reach) = 0;
    // Ends the table: every connection and the listener close, so each
    // joined player's window sees the host go. Nothing when none is open.
    virtual void close() = 0;
    virtual bool isOpen() const = 0;
};
