#include "gui_process.h"

#include "event_wait.h"

#include <csignal>
#include <ctime>

double monotonicSeconds() {
    timespec now{};
    ::clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

GuiProcess::GuiProcess(const QString& home, quint16 port, const QStringList& traced,
                       const QString& timeScale) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("XDG_RUNTIME_DIR", runtime_.path());
    env.insert("LUDOMYRA_HOME", home);
    env.insert("LUDOMYRA_PORT", QString::number(port));
    env.insert("LUDOMYRA_DISCOVERY_PORT", "0"); // a hosting window is listed nowhere
    env.insert("LUDOMYRA_TIME_SCALE", timeScale);
    env.insert("LUDOMYRA_TRACE", traced.join(u','));
    process_.setProcessEnvironment(env);
    QObject::connect(&process_, &QProcess::readyReadStandardError, [this] { readTrace(); });
}

GuiProcess::~GuiProcess() {
    if (process_.state() != QProcess::NotRunning) {
        process_.kill();
        process_.waitForFinished(5000);
    }
}

void GuiProcess::setEnvironment(const QString& name, const QString& value) {
    QProcessEnvironment env = process_.processEnvironment();
    env.insert(name, value);
    process_.setProcessEnvironment(env);
}

bool GuiProcess::start(const QStringList& arguments) {
    if (!runtime_.isValid())
        return false;
    handled_.clear();
    if (launcher_.isEmpty())
        process_.start(LUDOMYRA_BINARY, arguments);
    else
        process_.start(launcher_.first(),
                       launcher_.mid(1) + QStringList{LUDOMYRA_BINARY} + arguments);
    return process_.waitForStarted(5000);
}

void GuiProcess::readTrace() {
    static const QByteArray kMark = "ludomyra-trace ";
    tail_ += process_.readAllStandardError();
    qsizetype end;
    while ((end = tail_.indexOf('\n')) >= 0) {
        const QString line = QString::fromUtf8(tail_.left(end));
        tail_.remove(0, end + 1);
        if (!line.startsWith(QString::fromLatin1(kMark))) {
            otherOutput_ += line + "\n";
            continue;
        }
        const QString rest = line.mid(kMark.size());
        handled_.append({rest.section(u' ', 0, 0).toDouble(), rest.section(u' ', 1)});
    }
}

const QList<GuiProcess::Handled>& GuiProcess::handled() {
    readTrace();
    return handled_;
}

bool GuiProcess::hasHandled(const QString& prefix) {
    for (const Handled& entry : handled())
        if (entry.message.startsWith(prefix))
            return true;
    return false;
}

QString GuiProcess::waitForHandled(const QString& prefix, int timeoutMs) {
    QString found;
    testsupport::waitFor(
        [&] {
            for (const Handled& entry : handled()) {
                if (entry.message.startsWith(prefix)) {
                    found = entry.message;
                    return true;
                }
            }
            return false;
        },
        timeoutMs);
    return found;
}

bool GuiProcess::waitForEnding(const QString& line, int timeoutMs) {
    const QString choices = waitForHandled("choices+" + line + "+", timeoutMs);
    return choices.endsWith("+Exit+Hide") && hasHandled("system+" + line);
}

bool GuiProcess::terminate(int timeoutMs) {
    signal(SIGTERM);
    return waitForCleanExit(timeoutMs);
}

bool GuiProcess::waitForCleanExit(int timeoutMs) {
    const bool ended =
        testsupport::waitFor([&] { return process_.state() == QProcess::NotRunning; }, timeoutMs);
    readTrace();
    return ended && process_.exitStatus() == QProcess::NormalExit && process_.exitCode() == 0;
}

void GuiProcess::signal(int number) {
    if (process_.state() != QProcess::NotRunning)
        ::kill(static_cast<pid_t>(process_.processId()), number);
}
