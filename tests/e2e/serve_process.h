#pragma once

// `ludomyra --serve` started as a process of its own, with its own home
// folder and an ephemeral game port.

#include <QProcess>
#include <QProcessEnvironment>
#include <QString>

class ServeProcess {
public:
    // extraEnvironment is added to (and overrides) the inherited environment.
    explicit ServeProcess(const QProcessEnvironment& extraEnvironment = {});
    ~ServeProcess();
    ServeProcess(const ServeProcess&) = delete;
    ServeProcess& operator=(const ServeProcess&) = delete;

    // Starts the host and waits for it to say where it listens; 0 on failure.
    quint16 start();
    // Sends SIGTERM and waits; true when it ended normally with exit code 0.
    bool terminate();

    QProcess& process() { return process_; }

private:
    QProcess process_;
};
