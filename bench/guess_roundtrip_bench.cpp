// The guess round trip that a player feels: from a peer's CMD_myword to its
// CMD_yourletters (or CMD_notvalid), against `ludomyra --serve` with nine
// logged-in connections. Seat 2 sits out so that the computer player plays
// for it; the other seven chat every few seconds, as people do. The guesser
// thinks a little between guesses and guesses only while its row is open.
// Measured twice: at a quiet table, and with the spy in slot 9 chattering
// instead, about 200 small messages a second of random command words and
// fields (never enough to be cut); the second should stay within twice the
// first.
#include "common/version.h"
#include "figure.h"
#include "process_probe.h"
#include "served_host.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <memory>
#include <poll.h>
#include <random>
#include <string>
#include <vector>

using namespace bench;
using std::chrono::milliseconds;

namespace {

constexpr int kConnections = 9;
constexpr int kGuesserSlot = 1;
constexpr int kChattySlot = 9;
constexpr double kSocktimerMs = 10;
constexpr auto kChattyInterval = std::chrono::microseconds(5000); // 200 a second

int guessesWanted() {
    const char* text = std::getenv("LUDOMYRA_BENCH_GUESSES");
    return text ? std::max(1, std::atoi(text)) : 500;
}

// Guesses by first letter, from the same dictionary the host judges with.
std::map<char, std::vector<std::string>> dictionaryByInitial() {
    std::map<char, std::vector<std::string>> words;
    std::ifstream file(LUDO_BENCH_DICTIONARY);
    std::string word;
    while (file >> word) {
        if (word.size() != 5)
            continue;
        for (char& c : word)
            c = char(std::toupper(static_cast<unsigned char>(c)));
        words[word.front()].push_back(word);
    }
    if (words.empty())
        fail("no dictionary at " LUDO_BENCH_DICTIONARY);
    return words;
}

std::vector<std::string> fields(const std::string& message) {
    std::vector<std::string> parts;
    std::size_t from = 0, plus;
    while ((plus = message.find('+', from)) != std::string::npos) {
        parts.push_back(message.substr(from, plus - from));
        from = plus + 1;
    }
    parts.push_back(message.substr(from));
    return parts;
}

class Guesser {
public:
    Guesser(WirePeer& peer, std::mt19937& random) : peer(peer), random(random) {}

    void handle(const std::string& message, Clock::time_point now) {
        const std::vector<std::string> f = fields(message);
        const std::string& command = f[0];
        const std::string me = std::to_string(kGuesserSlot);
        if (command == "CMD_loadball" && f.size() > 2) {
            initial = f[2].empty() ? 'A' : f[2][0];
        } else if (command == "CMD_nextplayer" && f[1] == me) {
            rowOpen = true;
        } else if ((command == "CMD_yourletters" || command == "CMD_notvalid") && f[1] == me &&
                   f[2] == "f" && waiting) {
            const double ms = std::chrono::duration<double, std::milli>(now - sentAt).count();
            (command == "CMD_notvalid" ? notValid : letters).push_back(ms);
            waiting = false;
            nextGuess = now + milliseconds(std::uniform_int_distribution(30, 90)(random));
        } else if (command == "CMD_heguessed" || command == "CMD_nooneguessed") {
            endOfWord();
        } else if (command == "CMD_winner" || command == "CMD_tiegame") {
            endOfWord();
            startGame();
        }
    }

    // A guess in flight when the word ends gets no answer: it is not counted.
    void endOfWord() {
        rowOpen = false;
        waiting = false;
    }

    void startGame() {
        peer.send("CMD_startgame+P1+most+0+");
        ++games;
    }

    void guessIfDue(Clock::time_point now, const std::map<char, std::vector<std::string>>& words) {
        if (!rowOpen || waiting || now < nextGuess)
            return;
        std::string guess = "QZXQZ"; // one guess in four is not a word
        if (++guesses % 4 != 0) {
            const auto found = words.find(initial);
            if (found != words.end())
                guess = found->second[random() % found->second.size()];
        }
        peer.send("CMD_myword+" + std::to_string(kGuesserSlot) + "+" + guess + "+");
        sentAt = now;
        waiting = true;
    }

    struct Times {
        std::vector<double> letters, notValid;
        std::vector<double> all() const {
            std::vector<double> both = letters;
            both.insert(both.end(), notValid.begin(), notValid.end());
            return both;
        }
    };
    Times times() const { return {letters, notValid}; }

    bool timedOut(Clock::time_point now) const {
        return waiting && now - sentAt > milliseconds(2000);
    }
    std::size_t answered() const { return letters.size() + notValid.size(); }

    WirePeer& peer;
    std::mt19937& random;
    std::vector<double> letters, notValid;
    int games = 0;
    int lost = 0;

private:
    bool rowOpen = false;
    bool waiting = false;
    char initial = 'A';
    int guesses = 0;
    Clock::time_point sentAt, nextGuess;
};

// One message of a peer that chatters: a command word the host knows or not,
// its own slot or another, and a few random letters.
std::string chatter(std::mt19937& random) {
    static const char* const kWords[] = {"CMD_chat",      "CMD_action",  "CMD_playasound",
                                         "CMD_myword",    "CMD_kickhim", "CMD_startgame",
                                         "CMD_justwatch", "CMD_nonsense"};
    const auto pick = [&](int below) {
        return std::uniform_int_distribution(0, below - 1)(random);
    };
    std::string text;
    for (int letters = 1 + pick(20); letters > 0; --letters)
        text += char('a' + pick(26));
    const int slot = pick(4) == 0 ? 1 + pick(kConnections) : kChattySlot;
    return std::string(kWords[pick(int(std::size(kWords)))]) + "+" + std::to_string(slot) + "+" +
           text;
}

struct Run {
    Guesser::Times times;
    int games = 0;
    int lost = 0;
    int chatterSent = 0;
    std::int64_t peakKiB = -1;
};

Run roundTrips(const std::map<char, std::vector<std::string>>& words, bool chatty) {
    const int wanted = guessesWanted();
    ServedHost host({"LUDOMYRA_TIME_SCALE=0.1", "LUDOMYRA_SEED=11"},
                    "[Ludomyra]\r\nBotspeed=500\r\nBetweenrounds=5\r\n");
    const auto peers = logInPeers(host.port(), kConnections);
    peers[1]->send("CMD_justwatch+2+1"); // the computer player stands in for seat 2

    std::mt19937 random(7);
    Guesser guesser(*peers[0], random);
    guesser.startGame();
    std::vector<Clock::time_point> nextChat(kConnections);
    const auto start = Clock::now();
    for (auto& at : nextChat)
        at = start + milliseconds(std::uniform_int_distribution(500, 4000)(random));
    const auto deadline = start + std::chrono::minutes(4);
    Clock::time_point nextChatter = start;
    int chatterSent = 0;

    std::vector<pollfd> polled;
    for (const auto& peer : peers)
        polled.push_back({peer->fd(), POLLIN, 0});
    while (int(guesser.answered()) < wanted) {
        ::poll(polled.data(), polled.size(), 2);
        const auto now = Clock::now();
        if (now > deadline)
            fail("the round trips took too long: " + std::to_string(guesser.answered()) + " done");
        for (int i = 0; i < kConnections; ++i) {
            std::vector<std::string> messages;
            if (!peers[std::size_t(i)]->receive(messages))
                fail("the host closed connection " + std::to_string(i + 1) + "; the host " +
                     host.status());
            if (i == 0)
                for (const std::string& message : messages)
                    guesser.handle(message, now);
        }
        if (guesser.timedOut(now)) {
            ++guesser.lost;
            guesser.endOfWord();
        }
        guesser.guessIfDue(now, words);
        for (; chatty && nextChatter <= now; nextChatter += kChattyInterval, ++chatterSent)
            peers[kChattySlot - 1]->send(chatter(random));
        for (int slot = 2; slot <= kConnections; ++slot) {
            auto& at = nextChat[std::size_t(slot - 1)];
            if (now < at || (chatty && slot == kChattySlot))
                continue;
            peers[std::size_t(slot - 1)]->send("CMD_chat+" + std::to_string(slot) +
                                               "+nice one, well played|clNavy");
            at = now + milliseconds(std::uniform_int_distribution(2000, 5000)(random));
        }
    }

    return {guesser.times(), guesser.games, guesser.lost, chatterSent,
            processprobe::peakResidentKiB(host.pid())};
}

// A goal in words: "< 0.92 ms".
std::string lessThan(double milliseconds) {
    char text[32];
    std::snprintf(text, sizeof text, "< %.2f ms", milliseconds);
    return text;
}

void report(const char* table, const Run& run) {
    const std::vector<double> all = run.times.all();
    const Spread letters = spreadOf(run.times.letters);
    const Spread notValid = spreadOf(run.times.notValid);
    const auto slow = std::count_if(all.begin(), all.end(), [](double ms) { return ms > 20; });
    std::printf("%s: %zu guesses over %d game(s), %d unanswered, %zd over 20 ms; version %s\n",
                table, all.size(), run.games, run.lost, slow, kLudomyraVersion);
    if (run.chatterSent > 0)
        std::printf("  the chattering peer sent %d messages\n", run.chatterSent);
    std::printf("  CMD_yourletters: median %.2f ms, p99 %.2f ms, worst %.2f ms (%zu)\n",
                letters.median, letters.p99, letters.worst, run.times.letters.size());
    std::printf("  CMD_notvalid:    median %.2f ms, p99 %.2f ms, worst %.2f ms (%zu)\n",
                notValid.median, notValid.p99, notValid.worst, run.times.notValid.size());
}

} // namespace

int measure() {
    const auto words = dictionaryByInitial();
    const Run quiet = roundTrips(words, false);
    report("quiet table", quiet);
    const Run chatty = roundTrips(words, true);
    report("with a chattering peer", chatty);

    const Spread spread = spreadOf(quiet.times.all());
    printFigure("guess round trip, median", spread.median, 2, "ms", "< 10 ms",
                spread.median < kSocktimerMs);
    printFigure("guess round trip, p99", spread.p99, 2, "ms", "< 20 ms",
                spread.p99 < 2 * kSocktimerMs);
    const Spread behind = spreadOf(chatty.times.all());
    const std::string twiceMedian = lessThan(2 * spread.median);
    const std::string twiceP99 = lessThan(2 * spread.p99);
    printFigure("guess round trip beside a chatterer, median", behind.median, 2, "ms",
                twiceMedian.c_str(), behind.median < 2 * spread.median);
    printFigure("guess round trip beside a chatterer, p99", behind.p99, 2, "ms", twiceP99.c_str(),
                behind.p99 < 2 * spread.p99);
    const std::int64_t peakKiB = quiet.peakKiB;
    printFigure("--serve peak RSS, nine playing and chatting", double(peakKiB) / 1024.0, 1, "MB",
                "< 30 MB", peakKiB >= 0 && peakKiB < 30 * 1024);
    return 0;
}

int main() {
    return runBenchmark(measure);
}
