// Host and friend on IPv6-only links: two network namespaces of this test's
// own, joined by a veth pair that carries IPv6 addresses only. The hosting
// window says at which address others can join (its global IPv6 address),
// and a friend's window in the other namespace joins at exactly that address
// and is seated. Needs root and `ip`; skips saying why where namespaces
// cannot be made.

#include "event_wait.h"
#include "gui_process.h"

#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <cerrno>
#include <csignal>
#include <gtest/gtest.h>
#include <unistd.h>

namespace {

const QStringList kTraced{"CMD_newplayerinfo", "CMD_existingplayers", "system"};

// Runs `ip ARGUMENTS`; the error output when it failed, else empty.
QString ip(const QStringList& arguments) {
    QProcess tool;
    tool.start("ip", arguments);
    if (!tool.waitForFinished(10000))
        return "ip " + arguments.join(' ') + " did not finish";
    if (tool.exitStatus() == QProcess::NormalExit && tool.exitCode() == 0)
        return {};
    const QString why = QString::fromLocal8Bit(tool.readAllStandardError()).trimmed();
    return "ip " + arguments.join(' ') + ": " + (why.isEmpty() ? "failed" : why);
}

// Two namespaces, "host" and "friend", with one veth pair between them and
// 2001:db8:6::1 and ::2 on its ends. Names are unique per process, so test
// binaries running at once never meet; both go when this does.
class Ipv6OnlyLink {
public:
    static constexpr char kHostAddress[] = "2001:db8:6::1";
    static constexpr char kFriendAddress[] = "2001:db8:6::2";

    Ipv6OnlyLink() {
        removeLeftovers();
        const QString tag = QString::number(::getpid());
        host_ = "l6host" + tag;
        friend_ = "l6friend" + tag;
        problem_ = ip({"netns", "add", host_});
        if (!problem_.isEmpty())
            return;
        made_ << host_;
        problem_ = ip({"netns", "add", friend_});
        if (!problem_.isEmpty())
            return;
        made_ << friend_;
        // Each end is made in its namespace, where no other device can share its name.
        for (const QStringList& step : QList<QStringList>{
                 {"link", "add", "v6h", "netns", host_, "type", "veth", "peer", "name", "v6f",
                  "netns", friend_},
                 {"-n", host_, "link", "set", "lo", "up"},
                 {"-n", friend_, "link", "set", "lo", "up"},
                 {"-n", host_, "addr", "add", QString(kHostAddress) + "/64", "dev", "v6h", "nodad"},
                 {"-n", friend_, "addr", "add", QString(kFriendAddress) + "/64", "dev", "v6f",
                  "nodad"},
                 {"-n", host_, "link", "set", "v6h", "up"},
                 {"-n", friend_, "link", "set", "v6f", "up"},
             }) {
            problem_ = ip(step);
            if (!problem_.isEmpty())
                return;
        }
    }
    ~Ipv6OnlyLink() {
        for (const QString& name : made_)
            ip({"netns", "delete", name}); // the veth pair goes with them
    }
    Ipv6OnlyLink(const Ipv6OnlyLink&) = delete;
    Ipv6OnlyLink& operator=(const Ipv6OnlyLink&) = delete;

    // Why the link could not be made; empty when it stands.
    QString problem() const { return problem_; }
    QString hostNamespace() const { return host_; }
    QString friendNamespace() const { return friend_; }

private:
    // A run that was killed (a crash, a time limit) had no chance to remove
    // its namespaces: those of processes that are gone go now.
    static void removeLeftovers() {
        QProcess list;
        list.start("ip", {"netns", "list"});
        if (!list.waitForFinished(10000))
            return;
        static const QRegularExpression kOurs("^l6(?:host|friend)(\\d+)\\b");
        for (const QString& line :
             QString::fromLocal8Bit(list.readAllStandardOutput()).split('\n')) {
            const auto match = kOurs.match(line);
            if (match.hasMatch() && ::kill(match.captured(1).toInt(), 0) != 0 && errno == ESRCH)
                ip({"netns", "delete", line.section(' ', 0, 0)});
        }
    }

    QString host_;
    QString friend_;
    QStringList made_;
    QString problem_;
};

TEST(Ipv6Only, AFriendJoinsTheHostAtTheAddressItsWindowGives) {
    if (::geteuid() != 0)
        GTEST_SKIP() << "network namespaces need root";
    Ipv6OnlyLink link;
    if (!link.problem().isEmpty())
        GTEST_SKIP() << "cannot make network namespaces here: " << link.problem().toStdString();

    QTemporaryDir annHome;
    QTemporaryDir bobHome;
    ASSERT_TRUE(annHome.isValid() && bobHome.isValid());
    GuiProcess ann(annHome.path(), 0, kTraced, "0.05");
    ann.setNetworkNamespace(link.hostNamespace());
    ASSERT_TRUE(ann.start({"Ann", "0.0.0.0", "true"}));
    const QString where = ann.waitForHandled("system+Others can join this table at ");
    const auto said = QRegularExpression("at (.+), port (\\d+)\\.$").match(where);
    ASSERT_TRUE(said.hasMatch()) << where.toStdString() << ann.otherOutput().toStdString();
    // Its only address besides loopback is the link's, and that is IPv6.
    ASSERT_EQ(said.captured(1), Ipv6OnlyLink::kHostAddress);

    GuiProcess bob(bobHome.path(), said.captured(2).toUShort(), kTraced, "0.05");
    bob.setNetworkNamespace(link.friendNamespace());
    ASSERT_TRUE(bob.start({"Bob", said.captured(1), "no"}));
    EXPECT_FALSE(bob.waitForHandled("CMD_existingplayers+1+Ann+").isEmpty())
        << bob.otherOutput().toStdString();
    EXPECT_FALSE(ann.waitForHandled("CMD_newplayerinfo+2+Bob+").isEmpty())
        << ann.otherOutput().toStdString();
    EXPECT_TRUE(bob.terminate());
    EXPECT_TRUE(ann.terminate());
}

} // namespace
