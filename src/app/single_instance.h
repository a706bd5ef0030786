#pragma once

#include <QLocalServer>
#include <QObject>

// Keeps the program to one running copy per user. The first copy holds a lock
// on a file and a local server named "oxevun" in the runtime folder; a later
// copy finds the lock taken, asks the first copy to bring its window to the
// front (handing over an invite link it was started with) and must then
// end. The lock is released by the system when a copy dies, so a crashed
// copy never blocks the next start.
class SingleInstance : public QObject {
    Q_OBJECT
public:
    // Longer links are cut: the running copy then calls them malformed.
    static constexpr int kMaxLinkLength = 2048;

    // runtimeDir: where the lock and the server live (XDG_RUNTIME_DIR, else the temp folder).
    explicit SingleInstance(QString runtimeDir, QObject* parent = nullptr);
    ~SingleInstance() override;

    // True for the first copy (or when the rule cannot be enforced: then this
    // copy runs as if it were the first). False when another copy runs; that
    // copy has then been asked to show itself, and given the link if there is one.
    bool claim(const QString& link = {});

    static QString defaultRuntimeDir();

signals:
    // Another copy started and asked this one to come to the front.
    void activateRequested();
    // Another copy was started with this invite link.
    void linkReceived(const QString& link);

private:
    bool askFirstCopyToShow(const QString& link) const;
    void serveActivations();
    void readRequest(class QLocalSocket* socket);

    QString runtimeDir_;
    int lockFile_ = -1; // held open, and locked, for the life of the copy
    QLocalServer server_;
};
