#include "app/single_instance.h"

#include <QDir>
#include <QFile>
#include <QLocalServer>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Another account that got there first: it owns the runtime folder or the
// lock and the server in it, holds the lock and listens for invite links.
class Squatter {
public:
    Squatter(const QString& folder, uid_t uid) {
        QDir().mkpath(folder);
        lock_ = ::open(QFile::encodeName(folder + "/oxevun.lock").constData(),
                       O_RDWR | O_CREAT | O_CLOEXEC, 0666);
        server_.setSocketOptions(QLocalServer::WorldAccessOption);
        const QString socket = folder + "/oxevun";
        ok_ = lock_ >= 0 && ::flock(lock_, LOCK_EX | LOCK_NB) == 0 && server_.listen(socket);
        for (const QString& path : {folder + "/oxevun.lock", socket})
            ok_ = ok_ && ::lchown(QFile::encodeName(path).constData(), uid, gid_t(-1)) == 0;
    }
    ~Squatter() { ::close(lock_); }
    bool ready() const { return ok_; }
    bool heardFromAnyone() { return server_.waitForNewConnection(300); }

private:
    int lock_ = -1;
    bool ok_ = false;
    QLocalServer server_;
};

// XDG_RUNTIME_DIR and TMPDIR for one test, as a desktop without the first
// would have them.
class RuntimeEnvironment {
public:
    RuntimeEnvironment(const QByteArray& runtime, const QByteArray& temp)
        : runtime_(qgetenv("XDG_RUNTIME_DIR")), temp_(qgetenv("TMPDIR")) {
        runtime.isEmpty() ? qunsetenv("XDG_RUNTIME_DIR") : qputenv("XDG_RUNTIME_DIR", runtime);
        qputenv("TMPDIR", temp);
    }
    ~RuntimeEnvironment() {
        runtime_.isEmpty() ? qunsetenv("XDG_RUNTIME_DIR") : qputenv("XDG_RUNTIME_DIR", runtime_);
        temp_.isEmpty() ? qunsetenv("TMPDIR") : qputenv("TMPDIR", temp_);
    }

private:
    QByteArray runtime_, temp_;
};

TEST(SingleInstanceTest, AnotherAccountsLockOrServerIsNeverTrustedWithALink) {
    if (::geteuid() != 0)
        GTEST_SKIP() << "needs root to make files that another account owns";
    const passwd* nobody = ::getpwnam("nobody");
    ASSERT_TRUE(nobody);
    const uid_t stranger = nobody->pw_uid;
    const QString link = "ludomyra://192.0.2.1:7772";
    QTemporaryDir temp;
    {
        // No XDG_RUNTIME_DIR: the folder in the shared temp folder is taken first.
        const RuntimeEnvironment env("", QFile::encodeName(temp.path()));
        const QString folder = SingleInstance::defaultRuntimeDir();
        Squatter squatter(folder, stranger);
        ASSERT_TRUE(squatter.ready());
        ASSERT_EQ(::chown(QFile::encodeName(folder).constData(), stranger, gid_t(-1)), 0);
        ::chmod(QFile::encodeName(folder).constData(), 01777);
        SingleInstance copy(SingleInstance::defaultRuntimeDir());
        EXPECT_TRUE(copy.claim(link)) << "the copy runs, as if it were the first";
        EXPECT_FALSE(squatter.heardFromAnyone());
    }
    {
        // The user's own folder, with a lock and a server someone else owns in it.
        QTemporaryDir runtime;
        const RuntimeEnvironment env(QFile::encodeName(runtime.path()),
                                     QFile::encodeName(temp.path()));
        Squatter squatter(runtime.path(), stranger);
        ASSERT_TRUE(squatter.ready());
        SingleInstance copy(SingleInstance::defaultRuntimeDir());
        EXPECT_TRUE(copy.claim(link));
        EXPECT_FALSE(squatter.heardFromAnyone());
    }
}

TEST(SingleInstanceTest, SecondCopyIsRefusedAndAsksTheFirstToShowItself) {
    QTemporaryDir runtime;
    SingleInstance first(runtime.path());
    ASSERT_TRUE(first.claim());
    QSignalSpy activations(&first, &SingleInstance::activateRequested);

    SingleInstance second(runtime.path());
    EXPECT_FALSE(second.claim());
    EXPECT_TRUE(activations.wait(3000));
    EXPECT_EQ(activations.count(), 1);
}

TEST(SingleInstanceTest, ALinkGivenToASecondCopyIsHandedToTheFirst) {
    QTemporaryDir runtime;
    SingleInstance first(runtime.path());
    ASSERT_TRUE(first.claim());
    QSignalSpy activations(&first, &SingleInstance::activateRequested);
    QSignalSpy links(&first, &SingleInstance::linkReceived);

    SingleInstance second(runtime.path());
    EXPECT_FALSE(second.claim("ludomyra://192.168.1.5:7000"));
    ASSERT_TRUE(links.wait(3000));
    EXPECT_EQ(links.takeFirst().at(0).toString(), "ludomyra://192.168.1.5:7000");
    EXPECT_EQ(activations.count(), 1);

    // A line break cannot end the request early and smuggle in another.
    SingleInstance third(runtime.path());
    EXPECT_FALSE(third.claim("ludomyra://a:1\nlink ludomyra://b:2"));
    ASSERT_TRUE(links.wait(3000));
    EXPECT_EQ(links.takeFirst().at(0).toString(), "ludomyra://a:1 link ludomyra://b:2");
    EXPECT_TRUE(links.isEmpty());
}

TEST(SingleInstanceTest, TheLockIsFreeAgainOnceTheFirstCopyHasGone) {
    QTemporaryDir runtime;
    {
        SingleInstance first(runtime.path());
        ASSERT_TRUE(first.claim());
    }
    SingleInstance next(runtime.path());
    EXPECT_TRUE(next.claim());
}

TEST(SingleInstanceTest, AnUnusableFolderLetsTheCopyRunAsTheFirst) {
    SingleInstance copy("/proc/no-such-folder-for-ludomyra");
    EXPECT_TRUE(copy.claim());
}

} // namespace
