#include "managed_display.h"

#include "event_wait.h"
#include "gui_process.h"

#include <QRegularExpression>
#include <QStandardPaths>

namespace {

constexpr int kToolTimeoutMs = 10000;

// The number after `label` in xwininfo's report, e.g. "Width: 746".
std::optional<int> reported(const QString& report, const QString& label) {
    const QRegularExpression pattern(QRegularExpression::escape(label) + ":\\s*(-?\\d+)");
    const QRegularExpressionMatch match = pattern.match(report);
    return match.hasMatch() ? std::optional<int>(match.captured(1).toInt()) : std::nullopt;
}

} // namespace

ManagedDisplay::ManagedDisplay() {
    for (const char* tool : {"Xvfb", "openbox", "xdotool", "xprop", "xwininfo"}) {
        if (QStandardPaths::findExecutable(tool).isEmpty()) {
            unavailable_ = QString("%1 is not installed (scripts/install-deps)").arg(tool);
            return;
        }
    }
    if (startServer())
        startWindowManager();
}

ManagedDisplay::~ManagedDisplay() {
    for (QProcess* process : {&windowManager_, &server_}) {
        if (process->state() == QProcess::NotRunning)
            continue;
        process->terminate();
        if (!process->waitForFinished(5000)) {
            process->kill();
            process->waitForFinished(5000);
        }
    }
}

// Xvfb picks a free display number itself and writes it to the descriptor
// given. No reset when the last client goes: the tools below come and go.
bool ManagedDisplay::startServer() {
    server_.start("Xvfb", {"-displayfd", "1", "-screen", "0", "1280x1024x24", "-nolisten", "tcp",
                           "-noreset"});
    const bool named = server_.waitForStarted(5000) &&
                       testsupport::waitFor([&] { return server_.canReadLine(); }, kToolTimeoutMs);
    if (named)
        name_ = ":" + QString::fromUtf8(server_.readLine()).trimmed();
    // The number comes a moment before the server takes clients.
    if (!named || !testsupport::waitFor([&] { return run("xprop", {"-root"}).has_value(); },
                                        kToolTimeoutMs)) {
        unavailable_ = "Xvfb did not start: " + QString::fromUtf8(server_.readAllStandardError());
        return false;
    }
    return true;
}

bool ManagedDisplay::startWindowManager() {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("DISPLAY", name_);
    env.insert("XDG_CONFIG_HOME", config_.path()); // no desktop's own key bindings
    windowManager_.setProcessEnvironment(env);
    windowManager_.start("openbox", {"--sm-disable"});
    const bool managing = testsupport::waitFor(
        [&] {
            const auto check = run("xprop", {"-root", "_NET_SUPPORTING_WM_CHECK"});
            return check && check->contains("window id");
        },
        kToolTimeoutMs);
    if (!managing)
        unavailable_ = "openbox did not manage the display: " +
                       QString::fromUtf8(windowManager_.readAllStandardError());
    return managing;
}

std::optional<QString> ManagedDisplay::run(const QString& program,
                                           const QStringList& arguments) const {
    QProcess tool;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("DISPLAY", name_);
    tool.setProcessEnvironment(env);
    tool.start(program, arguments);
    if (!tool.waitForFinished(kToolTimeoutMs)) {
        tool.kill();
        tool.waitForFinished();
        return std::nullopt;
    }
    if (tool.exitStatus() != QProcess::NormalExit || tool.exitCode() != 0)
        return std::nullopt;
    return QString::fromUtf8(tool.readAllStandardOutput());
}

void ManagedDisplay::host(GuiProcess& window) const {
    window.setEnvironment("QT_QPA_PLATFORM", "xcb");
    window.setEnvironment("DISPLAY", name_);
}

qulonglong ManagedDisplay::windowOf(qint64 pid, int timeoutMs) const {
    qulonglong found = 0;
    testsupport::waitFor(
        [&] {
            const auto ids = run("xdotool", {"search", "--onlyvisible", "--pid",
                                             QString::number(pid), "--class", "ludomyra"});
            found = ids ? ids->section(u'\n', 0, 0).toULongLong() : 0;
            return found != 0;
        },
        timeoutMs);
    return found;
}

QRect ManagedDisplay::frameOf(qulonglong window) const {
    const QString id = QString::number(window);
    const auto client = run("xwininfo", {"-id", id});
    const auto extents = run("xprop", {"-id", id, "_NET_FRAME_EXTENTS"});
    if (!client || !extents || !client->contains("IsViewable"))
        return {};
    // "_NET_FRAME_EXTENTS(CARDINAL) = left, right, top, bottom"
    const QStringList sides = extents->section(u'=', 1).split(u',', Qt::SkipEmptyParts);
    const auto x = reported(*client, "Absolute upper-left X");
    const auto y = reported(*client, "Absolute upper-left Y");
    const auto width = reported(*client, "Width");
    const auto height = reported(*client, "Height");
    if (sides.size() != 4 || !x || !y || !width || !height)
        return {};
    const int left = sides[0].trimmed().toInt(), right = sides[1].trimmed().toInt();
    const int top = sides[2].trimmed().toInt(), bottom = sides[3].trimmed().toInt();
    return QRect(*x - left, *y - top, *width + left + right, *height + top + bottom);
}

bool ManagedDisplay::activate(qulonglong window) const {
    return run("xdotool", {"windowactivate", "--sync", QString::number(window)}).has_value();
}

bool ManagedDisplay::type(const QString& text) const {
    return run("xdotool", {"type", "--delay", "40", text}).has_value();
}

bool ManagedDisplay::key(const QString& keys) const {
    return run("xdotool", {"key", "--clearmodifiers", keys}).has_value();
}
