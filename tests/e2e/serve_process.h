#pragma once

// `ludomyra --serve` started as a process of its own, with its own home
// folder and an ephemeral game port.

#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QTemporaryDir>

class ServeProcess {
public:
    // extraEnvironment is added to (and overrides) the inherited environment.
    explicit ServeProcess(const QProcessEnvironment& extraEnvironment = {});
    ~ServeProcess();
    ServeProcess(const ServeProcess&) = delete;
    ServeProcess& operator=(const ServeProcess&) = delete;

    // Starts the host (`--serve` and the options) and waits for it to say
    // where it listens; 0 on failure.
    quint16 start(const QStringList& options = {});
    // Sends SIGTERM and waits; true when it ended normally with exit code 0.
    bool terminate();

    QProcess& process() { return process_; }

private:
    QProcess process_;
};

// The environment of a host that lives in home, with glenmorra.ini holding
// fast game settings (short pauses, the quickest computer player) and its
// clocks scaled by timeScale. Empty when the settings cannot be written.
QProcessEnvironment fastHostEnvironment(const QTemporaryDir& home, double timeScale);
