#include "router_lab.h"

#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <atomic>
#include <fcntl.h>
#include <sched.h>
#include <unistd.h>

namespace {

// stdout of a command, or empty when it failed.
QString run(const QString& program, const QStringList& arguments, QString* error = nullptr) {
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(30000) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0) {
        if (error) {
            *error = QString::fromUtf8(process.readAllStandardError());
            if (error->isEmpty())
                *error = program + " failed";
        }
        return {};
    }
    return QString::fromUtf8(process.readAllStandardOutput());
}

QString uniquePrefix() {
    static std::atomic<int> made{0};
    return QString("lm%1x%2").arg(::getpid()).arg(made++);
}

} // namespace

QString RouterLab::unavailableReason() {
    if (::geteuid() != 0)
        return "network namespaces need root";
    for (const char* tool : {"ip", "nft", "miniupnpd"})
        if (QStandardPaths::findExecutable(tool, {"/usr/sbin", "/sbin", "/usr/bin"}).isEmpty())
            return QString("%1 is not installed (scripts/install-deps)").arg(tool);
    // Root in a container may still be refused namespaces.
    const QString probe = uniquePrefix() + "-probe";
    QString refusal;
    run("ip", {"netns", "add", probe}, &refusal);
    if (!refusal.isEmpty())
        return "cannot make network namespaces here: " + refusal.trimmed();
    run("ip", {"netns", "del", probe});
    return {};
}

RouterLab::RouterLab(Options options) : prefix_(uniquePrefix()) {
    run(ROUTER_LAB_SCRIPT, {"sweep"});
    QStringList arguments{"up", prefix_};
    if (options.upnp)
        arguments << "upnp";
    if (options.natPmp)
        arguments << "natpmp";
    if (options.doubleNat)
        arguments << "double-nat";
    if (options.ipv6)
        arguments << "ipv6";
    ready_ = run(ROUTER_LAB_SCRIPT, arguments, &failure_).contains("up");
}

RouterLab::~RouterLab() {
    run(ROUTER_LAB_SCRIPT, {"down", prefix_});
}

QStringList RouterLab::inside(const QString& part) const {
    return {"ip", "netns", "exec", name(part)};
}

QStringList RouterLab::rules(const QString& chain, const QRegularExpression& rule) const {
    const QString listed = run(
        "ip", {"netns", "exec", name("router"), "nft", "list", "chain", "inet", "filter", chain});
    QStringList found;
    for (auto match = rule.globalMatch(listed); match.hasNext();) {
        const auto one = match.next();
        found.append(one.captured(1) + " " + one.captured(2));
    }
    return found;
}

QStringList RouterLab::forwards() const {
    static const QRegularExpression kRule("dport (\\d+) dnat ip to ([\\d.]+:\\d+)");
    return rules("prerouting_miniupnpd", kRule);
}

QStringList RouterLab::pinholes() const {
    // miniupnpd matches the destination as raw bytes of the IPv6 header.
    static const QRegularExpression kRule("dport (\\d+) @nh,192,128 (0x[0-9a-f]{32})");
    return rules("miniupnpd", kRule);
}

NamespaceVisit::NamespaceVisit(const QString& name) {
    home_ = ::open("/proc/thread-self/ns/net", O_RDONLY | O_CLOEXEC);
    const int there = ::open(("/run/netns/" + name).toUtf8().constData(), O_RDONLY | O_CLOEXEC);
    entered_ = home_ >= 0 && there >= 0 && ::setns(there, CLONE_NEWNET) == 0;
    if (there >= 0)
        ::close(there);
}

NamespaceVisit::~NamespaceVisit() {
    if (entered_)
        ::setns(home_, CLONE_NEWNET);
    if (home_ >= 0)
        ::close(home_);
}
