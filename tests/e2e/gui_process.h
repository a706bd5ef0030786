#pragma once

// A game window started as a process of its own (`ludomyra NAME HOST MODE`),
// headless, with its own runtime folder and a home folder that outlives it,
// so that a restarted window finds its settings and tally again. The client
// reports the handled host messages named in LUDOMYRA_TRACE on stderr; they
// are collected here with the moment each was handled.

#include <QList>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

// Seconds on the monotonic clock, comparable with the client's trace lines.
double monotonicSeconds();

class GuiProcess {
public:
    struct Handled {
        double at = 0; // monotonic seconds
        QString message;
    };

    // home: LUDOMYRA_HOME; port: LUDOMYRA_PORT (the host's, or the port to
    // host on); traced: the command words to report.
    GuiProcess(const QString& home, quint16 port, const QStringList& traced,
               const QString& timeScale = QStringLiteral("0.01"));
    ~GuiProcess();
    GuiProcess(const GuiProcess&) = delete;
    GuiProcess& operator=(const GuiProcess&) = delete;

    // Adds to the program's environment; call before start().
    void setEnvironment(const QString& name, const QString& value);
    // Runs the program through a launcher (`ip netns exec NAME`); call before start().
    void setLauncher(const QStringList& launcher) { launcher_ = launcher; }
    // Runs the program in that network namespace; call before start().
    void setNetworkNamespace(const QString& name) { setLauncher({"ip", "netns", "exec", name}); }
    // Starts the program with the given arguments; false if it did not start.
    bool start(const QStringList& arguments);
    // Joins the host on the loopback address as NAME.
    bool join(const QString& name) { return start({name, "127.0.0.1", "no"}); }

    // Every traced message handled so far, in order.
    const QList<Handled>& handled();
    // The first handled message that starts with prefix, waiting for it; empty if none came.
    QString waitForHandled(const QString& prefix, int timeoutMs = 15000);
    bool hasHandled(const QString& prefix);
    // The window's connection ended: it said `line` in the chat and offered
    // its choices under it, Close among them; waits for it. "system" and
    // "choices" must be traced.
    bool waitForEnding(const QString& line, int timeoutMs = 15000);

    bool running() const { return process_.state() == QProcess::Running; }
    // Waits for the program to end by itself: true when it ended normally with code 0.
    bool waitForCleanExit(int timeoutMs = 10000);
    // Ends the program as the system does (SIGTERM): it closes as if its
    // player had, keeping settings and tally; true when it ended cleanly.
    bool terminate(int timeoutMs = 10000);
    void signal(int number);
    qint64 pid() const { return process_.processId(); }
    // What the program wrote on stderr besides the trace, for failure messages.
    QString otherOutput() const { return otherOutput_; }

private:
    void readTrace();

    QTemporaryDir runtime_; // created 0700, as the single-instance lock wants it
    QStringList launcher_;
    QProcess process_;
    QByteArray tail_;
    QList<Handled> handled_;
    QString otherOutput_;
};
