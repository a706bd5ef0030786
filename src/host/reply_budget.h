#pragma once

#include <QHash>
#include <QHostAddress>

// How many discovery replies a host may send: a few a second to any one
// address and a bounded number in all, so that forged sources cannot turn
// the host into a stream of datagrams aimed at someone. The addresses it
// remembers are bounded too; a flood of new ones is refused, not stored.
class ReplyBudget {
public:
    struct Limits {
        int perSourceBurst = 3;
        int perSourcePerSecond = 2;
        int totalBurst = 20;
        int totalPerSecond = 20;
        int trackedSources = 256;
    };

    explicit ReplyBudget(Limits limits);
    ReplyBudget() : ReplyBudget(Limits{}) {}

    // Spends one reply to source at nowMs (a monotonic clock); false when the
    // source's or the total allowance is used up.
    bool take(const QHostAddress& source, qint64 nowMs);
    qsizetype trackedSources() const { return sources_.size(); }

private:
    // Allowances count thousandths of a reply, so that a refill per
    // millisecond is exact.
    static constexpr qint64 kReply = 1000;
    struct Bucket {
        qint64 allowance = 0;
        qint64 updatedMs = 0;
    };
    static void refill(Bucket& bucket, qint64 nowMs, int burst, int perSecond);
    // Room for one more source: forgets those whose allowance is whole again.
    // Looks at most every kPruneEveryMs, so that a flood of new sources costs
    // no more than one look each time.
    bool makeRoom(qint64 nowMs);
    static constexpr qint64 kPruneEveryMs = 100;

    Limits limits_;
    Bucket total_;
    QHash<QHostAddress, Bucket> sources_;
    qint64 prunedMs_ = -kPruneEveryMs;
};
