#pragma once

#include <QLocalServer>
#include <QObject>

// Keeps the program to one running copy per user. The first copy holds a lock
// on a file "oxevun.lock" and a local server named "oxevun" in the runtime
// folder; a later copy finds the lock taken, asks the first copy to bring its
// window to the front (handing over an invite link it was started with) and
// must then end. The lock is released by the system when a copy dies, so a
// crashed copy never blocks the next start. The folder, the lock and the
// server must be the user's own (owned, no link, the folder writable by
// nobody else): another account could otherwise hold the lock or hear every
// link. Where they are not, the copy runs as if first and hands nothing over.
class SingleInstance : public QObject {
    Q_OBJECT
public:
    // Longer links are cut: the running copy then calls them malformed.
    static constexpr int kMaxLinkLength = 2048;

    // runtimeDir: where the lock and the server live (made, open to the owner only, if missing).
    explicit SingleInstance(QString runtimeDir, QObject* parent = nullptr);
    ~SingleInstance() override;

    // True for the first copy (or when the rule cannot be enforced: then this
    // copy runs as if it were the first). False when another copy runs; that
    // copy has then been asked to show itself, and given the link if there is one.
    bool claim(const QString& link = {});

    // XDG_RUNTIME_DIR, else a folder named after the user in the temp folder.
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
