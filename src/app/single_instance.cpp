#include "app/single_instance.h"

#include <QDir>
#include <QFile>
#include <QLocalSocket>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace {
constexpr char kInstanceName[] = "oxevun";
constexpr char kActivate[] = "activate\n";
constexpr int kAskTimeoutMs = 2000;
} // namespace

SingleInstance::SingleInstance(QString runtimeDir, QObject* parent)
    : QObject(parent), runtimeDir_(std::move(runtimeDir)) {}

SingleInstance::~SingleInstance() {
    if (lockFile_ >= 0)
        ::close(lockFile_);
}

QString SingleInstance::defaultRuntimeDir() {
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    return runtime.isEmpty() ? QDir::tempPath() : runtime;
}

// A kernel lock rather than a lock file with the owner's details: nothing to
// write and sync at every start, and nothing stale after a crash.
bool SingleInstance::claim() {
    QDir().mkpath(runtimeDir_);
    const QByteArray path =
        QFile::encodeName(QDir(runtimeDir_).filePath(QString(kInstanceName) + ".lock"));
    lockFile_ = ::open(path.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (lockFile_ < 0)
        return true; // the folder is unusable: run as if first
    if (::flock(lockFile_, LOCK_EX | LOCK_NB) == 0) {
        serveActivations();
        return true;
    }
    if (errno != EWOULDBLOCK)
        return true;
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
