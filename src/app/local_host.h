#pragma once

#include <QString>
#include <QtGlobal>

// The game host inside this process: switched on to host a table, off to
// leave it. Only one table at a time.
class LocalHost {
public:
    virtual ~LocalHost() = default;
    // Listens on the port ("0": any free one) and returns where it listens.
    // Throws ESockException when the port cannot be had.
    virtual quint16 open(const QString& portName) = 0;
    // Ends the table: every connection and the listener close, so each
    // joined player's window sees the host go. Nothing when none is open.
    virtual void close() = 0;
    virtual bool isOpen() const = 0;
};
