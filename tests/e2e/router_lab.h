#pragma once

// A home network behind a router, made of network namespaces for one test
// by tests/lab/router-lab: "home" (192.168.77.2) and a second computer
// "home2", the "router" (NAT in nftables, miniupnpd speaking the protocols
// asked for) and "net", the internet (45.77.0.2), from where a friend
// reaches the router at 45.77.0.1. Names are unique per process and lab, so
// test binaries running at once never meet; everything is removed when the
// lab goes, whatever the test's result.

#include <QRegularExpression>
#include <QString>
#include <QStringList>

class RouterLab {
public:
    struct Options {
        bool upnp = false;
        bool natPmp = false;
        bool doubleNat = false; // the router sits behind a second one
        bool ipv6 = false;      // a global prefix at home, firewalled by the router
    };
    static constexpr quint32 kOuterAddress = 0x2D4D0001; // 45.77.0.1
    static constexpr char kHomeIpv6[] = "2a01:77::2";

    explicit RouterLab(Options options);
    ~RouterLab();
    RouterLab(const RouterLab&) = delete;
    RouterLab& operator=(const RouterLab&) = delete;

    // Why no lab can be made on this machine (not root, a tool missing), or empty.
    static QString unavailableReason();
    bool ready() const { return ready_; }
    QString failure() const { return failure_; }

    // The namespace's name: "home", "home2", "router" or "net".
    QString name(const QString& part) const { return prefix_ + "-" + part; }
    // A command line prefix that runs a program in the part.
    QStringList inside(const QString& part) const;
    // The router's forwards, as its NAT table holds them: "PORT ADDRESS:PORT".
    QStringList forwards() const;
    // Ports the router's IPv6 firewall lets in to home, as its pinholes say.
    QStringList pinholes() const;

private:
    // "CAPTURE1 CAPTURE2" of each match of rule in the router's chain.
    QStringList rules(const QString& chain, const QRegularExpression& rule) const;

    QString prefix_;
    bool ready_ = false;
    QString failure_;
};

// While one lives, sockets this thread makes belong to the namespace (a
// friend's connection from the internet); the thread's own comes back after.
class NamespaceVisit {
public:
    explicit NamespaceVisit(const QString& name);
    ~NamespaceVisit();
    NamespaceVisit(const NamespaceVisit&) = delete;
    NamespaceVisit& operator=(const NamespaceVisit&) = delete;
    bool entered() const { return entered_; }

private:
    int home_ = -1;
    bool entered_ = false;
};
