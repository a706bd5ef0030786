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
// One line a request: "activate", or "link " and the link.
constexpr char kActivate[] = "activate\n";
constexpr char kLinkPrefix[] = "link ";
constexpr int kMaxRequest = SingleInstance::kMaxLinkLength + 16;
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
bool SingleInstance::claim(const QString& link) {
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
    askFirstCopyToShow(link);
    return false;
}

bool SingleInstance::askFirstCopyToShow(const QString& link) const {
    QLocalSocket socket;
    socket.connectToServer(QDir(runtimeDir_).filePath(kInstanceName));
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
