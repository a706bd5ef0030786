#include "serve_process.h"

#include "event_wait.h"

#include <QFile>
#include <QRegularExpression>
#include <signal.h>

ServeProcess::ServeProcess(const QProcessEnvironment& extraEnvironment) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("LUDOMYRA_PORT", "0");
    env.insert("LUDOMYRA_DISCOVERY_PORT", "0"); // listed nowhere, unless a test says where
    for (const QString& key : extraEnvironment.keys())
        env.insert(key, extraEnvironment.value(key));
    process_.setProcessEnvironment(env);
}

ServeProcess::~ServeProcess() {
    if (process_.state() != QProcess::NotRunning) {
        process_.kill();
        process_.waitForFinished(5000);
    }
}

quint16 ServeProcess::start(const QStringList& options) {
    process_.start(LUDOMYRA_BINARY, QStringList{"--serve"} + options);
    if (!process_.waitForStarted(5000))
        return 0;
    if (!testsupport::waitFor([&] { return process_.canReadLine(); }, 10000))
        return 0;
    const QString line = QString::fromUtf8(process_.readLine());
    const auto match = QRegularExpression("listening on port (\\d+)").match(line);
    return match.hasMatch() ? match.captured(1).toUShort() : 0;
}

bool ServeProcess::terminate() {
    ::kill(static_cast<pid_t>(process_.processId()), SIGTERM);
    return process_.waitForFinished(10000) && process_.exitStatus() == QProcess::NormalExit &&
           process_.exitCode() == 0;
}

QProcessEnvironment fastHostEnvironment(const QTemporaryDir& home, double timeScale) {
    QFile ini(home.filePath("glenmorra.ini"));
    if (!home.isValid() || !ini.open(QIODevice::WriteOnly))
        return {};
    ini.write("[Ludomyra]\r\nBetweenrounds=5\r\nBotspeed=500\r\n");
    QProcessEnvironment env;
    env.insert("LUDOMYRA_HOME", home.path());
    env.insert("LUDOMYRA_TIME_SCALE", QString::number(timeScale));
    return env;
}
