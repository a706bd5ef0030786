#include "app/single_instance.h"

#include <QDir>
#include <QLocalSocket>

namespace {
constexpr char kInstanceName[] = "oxevun";
constexpr char kActivate[] = "activate\n";
constexpr int kAskTimeoutMs = 2000;
} // namespace

SingleInstance::SingleInstance(QString runtimeDir, QObject* parent)
    : QObject(parent), runtimeDir_(std::move(runtimeDir)) {}

SingleInstance::~SingleInstance() = default;

QString SingleInstance::defaultRuntimeDir() {
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    return runtime.isEmpty() ? QDir::tempPath() : runtime;
}

bool SingleInstance::claim() {
    QDir().mkpath(runtimeDir_);
    const QDir dir(runtimeDir_);
    lock_ = std::make_unique<QLockFile>(dir.filePath(QString(kInstanceName) + ".lock"));
    lock_->setStaleLockTime(0); // only a live process holds the lock
    if (lock_->tryLock(0)) {
        serveActivations();
        return true;
    }
    if (lock_->error() != QLockFile::LockFailedError)
        return true; // the folder is unusable: run as if first
    // Another copy holds the lock; if it cannot be reached it may be starting
    // up or hung, and a second window must still not open.
    askFirstCopyToShow();
    return false;
}

bool SingleInstance::askFirstCopyToShow() const {
    QLocalSocket socket;
    socket.connectToServer(QDir(runtimeDir_).filePath(kInstanceName));
    if (!socket.waitForConnected(kAskTimeoutMs))
        return false;
    socket.write(kActivate);
    return socket.waitForBytesWritten(kAskTimeoutMs);
}

void SingleInstance::serveActivations() {
    const QString path = QDir(runtimeDir_).filePath(kInstanceName);
    QLocalServer::removeServer(path); // left behind by a copy that crashed
    server_.setSocketOptions(QLocalServer::UserAccessOption);
    if (!server_.listen(path))
        return;
    connect(&server_, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* socket = server_.nextPendingConnection()) {
            connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
                if (socket->readAll().contains('\n'))
                    emit activateRequested();
            });
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        }
    });
}
