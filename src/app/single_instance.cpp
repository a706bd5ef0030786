#include "app/single_instance.h"

#include "common/private_file.h"

#include <QDir>
#include <QFile>
#include <QLocalSocket>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
constexpr char kInstanceName[] = "oxevun";
// One line a request: "activate", or "link " and the link.
constexpr char kActivate[] = "activate\n";
constexpr char kLinkPrefix[] = "link ";
constexpr int kMaxRequest = SingleInstance::kMaxLinkLength + 16;
constexpr int kAskTimeoutMs = 2000;

// Only this user's own things are trusted: whoever owns the lock or the
// server would hear of every invite link this user opens.
bool ownedByMe(const struct stat& info) {
    return info.st_uid == ::geteuid();
}

// Nobody else may add or swap names in the folder: it is this user's own
// folder, not a link to one, and not writable by group or others.
bool privateFolder(const QString& folder) {
    struct stat info {};
    return ::lstat(QFile::encodeName(folder).constData(), &info) == 0 && S_ISDIR(info.st_mode) &&
           ownedByMe(info) && (info.st_mode & (S_IWGRP | S_IWOTH)) == 0;
}

bool ownSocket(const QString& path) {
    struct stat info {};
    return ::lstat(QFile::encodeName(path).constData(), &info) == 0 && S_ISSOCK(info.st_mode) &&
           ownedByMe(info);
}
} // namespace

SingleInstance::SingleInstance(QString runtimeDir, QObject* parent)
    : QObject(parent), runtimeDir_(std::move(runtimeDir)) {}

SingleInstance::~SingleInstance() {
    if (lockFile_ >= 0)
        ::close(lockFile_);
}

// The shared temporary folder is everyone's: there the user's own folder,
// named after the user, holds the lock.
QString SingleInstance::defaultRuntimeDir() {
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty())
        return runtime;
    return QDir(QDir::tempPath()).filePath(QStringLiteral("ludomyra-%1").arg(::geteuid()));
}

// A kernel lock rather than a lock file with the owner's details: nothing to
// write and sync at every start, and nothing stale after a crash.
bool SingleInstance::claim(const QString& link) {
    // A folder or lock file someone else made or owns is unusable: run as if first.
    if (!privatefile::makeFolder(runtimeDir_) || !privateFolder(runtimeDir_))
        return true;
    const QByteArray path =
        QFile::encodeName(QDir(runtimeDir_).filePath(QString(kInstanceName) + ".lock"));
    lockFile_ = ::open(path.constData(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (lockFile_ < 0)
        return true;
    struct stat lock {};
    if (::fstat(lockFile_, &lock) != 0 || !S_ISREG(lock.st_mode) || !ownedByMe(lock)) {
        ::close(lockFile_);
        lockFile_ = -1;
        return true;
    }
    if (::flock(lockFile_, LOCK_EX | LOCK_NB) == 0) {
        serveActivations();
        return true;
    }
    if (errno != EWOULDBLOCK)
        return true;
    // Another copy holds the lock; if it cannot be reached it may be starting
    // up or hung, and a second window must still not open.
    askFirstCopyToShow(link);
    return false;
}

bool SingleInstance::askFirstCopyToShow(const QString& link) const {
    const QString server = QDir(runtimeDir_).filePath(kInstanceName);
    if (!ownSocket(server))
        return false; // not the first copy's: it hears nothing
    QLocalSocket socket;
    socket.connectToServer(server);
    if (!socket.waitForConnected(kAskTimeoutMs))
        return false;
    if (link.isEmpty()) {
        socket.write(kActivate);
    } else {
        // A line break inside would end the request early; as a blank it
        // makes the link malformed, which the first copy then says.
        QString oneLine = link.left(kMaxLinkLength);
        oneLine.replace(u'\n', u' ').replace(u'\r', u' ');
        socket.write(kLinkPrefix + oneLine.toUtf8() + '\n');
    }
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
            connect(socket, &QLocalSocket::readyRead, this,
                    [this, socket] { readRequest(socket); });
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        }
    });
}

void SingleInstance::readRequest(QLocalSocket* socket) {
    if (!socket->canReadLine()) {
        if (socket->bytesAvailable() > kMaxRequest)
            socket->abort(); // no line of ours is that long
        return;
    }
    QByteArray request = socket->readLine(kMaxRequest);
    socket->disconnectFromServer(); // one request a connection
    if (!request.endsWith('\n'))
        return;
    request.chop(1);
    emit activateRequested();
    const QByteArray linkPrefix(kLinkPrefix);
    if (request.startsWith(linkPrefix))
        emit linkReceived(QString::fromUtf8(request.mid(linkPrefix.size())));
}
