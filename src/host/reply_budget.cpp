#include "host/reply_budget.h"

#include <algorithm>

ReplyBudget::ReplyBudget(Limits limits) : limits_(limits) {
    total_.allowance = limits_.totalBurst * kReply;
}

void ReplyBudget::refill(Bucket& bucket, qint64 nowMs, int burst, int perSecond) {
    const qint64 elapsed = std::max<qint64>(0, nowMs - bucket.updatedMs);
    bucket.allowance = std::min(burst * kReply, bucket.allowance + elapsed * perSecond);
    bucket.updatedMs = nowMs;
}

bool ReplyBudget::take(const QHostAddress& source, qint64 nowMs) {
    refill(total_, nowMs, limits_.totalBurst, limits_.totalPerSecond);
    if (total_.allowance < kReply)
        return false;
    auto found = sources_.find(source);
    if (found == sources_.end()) {
        if (sources_.size() >= limits_.trackedSources && !makeRoom(nowMs))
            return false;
        found = sources_.insert(source, Bucket{limits_.perSourceBurst * kReply, nowMs});
    }
    refill(*found, nowMs, limits_.perSourceBurst, limits_.perSourcePerSecond);
    if (found->allowance < kReply)
        return false;
    found->allowance -= kReply;
    total_.allowance -= kReply;
    return true;
}

bool ReplyBudget::makeRoom(qint64 nowMs) {
    if (nowMs - prunedMs_ < kPruneEveryMs)
        return false;
    prunedMs_ = nowMs;
    for (auto it = sources_.begin(); it != sources_.end();) {
        refill(*it, nowMs, limits_.perSourceBurst, limits_.perSourcePerSecond);
        it = it->allowance >= limits_.perSourceBurst * kReply ? sources_.erase(it) : std::next(it);
    }
    return sources_.size() < limits_.trackedSources;
}
