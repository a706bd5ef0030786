// Whole-program runs of the built binary: the single-instance rule and the
// headless host's life. Every run uses its own runtime and home folders and
// an ephemeral game port.
#include "serve_process.h"

#include <QProcess>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class ProgramRun : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(runtime.isValid());
        ASSERT_TRUE(home.isValid());
    }
    void TearDown() override {
        for (QProcess* p : started) {
            if (p->state() != QProcess::NotRunning) {
                p->kill();
                p->waitForFinished(5000);
            }
            delete p;
        }
    }
    QProcess* start(const QStringList& args, const QString& pulseServer = {}) {
        auto* process = new QProcess;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_QPA_PLATFORM", "offscreen");
        env.insert("XDG_RUNTIME_DIR", runtime.path());
        env.insert("LUDOMYRA_HOME", home.path());
        env.insert("LUDOMYRA_PORT", "0");
        if (!pulseServer.isEmpty())
            env.insert("PULSE_SERVER", pulseServer);
        process->setProcessEnvironment(env);
        process->start(LUDOMYRA_BINARY, args);
        started.push_back(process);
        return process;
    }
    QTemporaryDir runtime;
    QTemporaryDir home;
    std::vector<QProcess*> started;
};

TEST_F(ProgramRun, ASecondCopyEndsAtOnceWhileTheFirstKeepsRunning) {
    QProcess* first = start({});
    ASSERT_TRUE(first->waitForStarted(5000));
    // The first copy holds its lock once its local server is up.
    ASSERT_TRUE(QTest::qWaitFor([&] { return QFile::exists(runtime.filePath("oxevun")); }, 10000));

    QProcess* second = start({});
    ASSERT_TRUE(second->waitForFinished(10000));
    EXPECT_EQ(second->exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second->exitCode(), 0);
    EXPECT_EQ(first->state(), QProcess::Running);
}

// The sound library retries a sound server that refuses it every few
// seconds; the player's terminal is told of it once a run.
TEST_F(ProgramRun, ASoundServerThatRefusesIsReportedOnceARun) {
    QTcpServer gone;
    ASSERT_TRUE(gone.listen(QHostAddress::LocalHost));
    const QString refusing = QString("tcp:127.0.0.1:%1").arg(gone.serverPort());
    gone.close();
    QProcess* game = start({}, refusing); // a solo game: its first sound asks for the server
    QByteArray errors;
    const auto refusals = [&] {
        errors += game->readAllStandardError();
        return errors.count("Connection refused");
    };
    ASSERT_TRUE(QTest::qWaitFor([&] { return refusals() > 0; }, 15000)) << errors.toStdString();
    QTest::qWait(7000); // two more tries at least
    EXPECT_EQ(refusals(), 1) << errors.toStdString();
    EXPECT_EQ(game->state(), QProcess::Running);
}

TEST_F(ProgramRun, HeadlessHostServesTheGamePortAndEndsOnSigterm) {
    QProcessEnvironment env;
    env.insert("LUDOMYRA_HOME", home.path());
    ServeProcess host(env);
    const quint16 port = host.start();
    ASSERT_NE(port, 0);

    QTcpSocket client;
    client.connectToHost("127.0.0.1", port);
    ASSERT_TRUE(client.waitForConnected(5000));
    ASSERT_TRUE(QTest::qWaitFor([&] { return client.bytesAvailable() >= 20; }, 5000));
    EXPECT_EQ(client.readAll(), QByteArray("CMD_sendlogininfo+1\xFF"));
    EXPECT_TRUE(host.terminate());
}

TEST_F(ProgramRun, HeadlessHostReportsATakenPortAndFails) {
    QTcpServer blocker;
    ASSERT_TRUE(blocker.listen(QHostAddress::Any));
    auto* process = new QProcess;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("LUDOMYRA_HOME", home.path());
    env.insert("LUDOMYRA_PORT", QString::number(blocker.serverPort()));
    process->setProcessEnvironment(env);
    process->start(LUDOMYRA_BINARY, {"--serve"});
    started.push_back(process);
    ASSERT_TRUE(process->waitForFinished(10000));
    EXPECT_NE(process->exitCode(), 0);
    EXPECT_TRUE(process->readAllStandardError().contains("Listen - Error Binding Socket"));
}

} // namespace
