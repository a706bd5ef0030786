// Hostile peers against one game host: the input is a script of connections,
// closes, raw and well-formed messages, timer ticks, peers that stop reading,
// and players who come back to held seats with keys the host gave, made-up
// keys and used ones. After every step the slot table and game state must
// still make sense: one connection per slot, a held seat taken back only with
// its own key, every name clean. At a dedicated host the host player's rights
// belong to the seated player who arrived first of those connected, and every
// window has been told so; only that player starts games or removes others.
//
// Script: byte 0 seeds the random generator (its bit 0 makes the pause ten
// ticks, not five, its bit 3 the host dedicated); then each step is an op byte and its operands
// (missing bytes read as 0). A step that sends a message only queues it, unless bit 7 of its op
// byte asks for the queue to be drained.

#include "common/random.h"
#include "common/version.h"
#include "host/host_ports.h"
#include "host/host_session.h"
#include "host/sender_identity.h"
#include "net/commands.h"
#include "net/player_text.h"
#include "net/protocol.h"
#include "net/rejoin_messages.h"
#include "net/rights_messages.h"
#include "net/write_queue.h"

#include <QByteArray>
#include <QSet>
#include <QString>
#include <QStringList>
#include <array>
#include <cstddef>
#include <cstdint>

namespace {

// Eight hidden words and a dictionary of thirty with shared initials, so that
// guesses and the computer player hit often.
const QStringList kHiddenWords = {"angel", "board", "bread", "crane",
                                  "creek", "sweat", "sweet", "verse"};
const QStringList kMoreWords = {"agree", "anger", "angle", "boast", "bored", "brake",
                                "brand", "broad", "crate", "cream", "creed", "crisp",
                                "pearl", "plane", "swear", "sweep", "swirl", "sword",
                                "vague", "value", "vents", "verbs"};
const QStringList kDictionary = kHiddenWords + kMoreWords;
const QStringList kGameTypes = {"high", "most", "nine", "race", "pool"};
const char* const kRelayed[] = {cmd::chat, cmd::action, cmd::playasound};
// Slot numbers a script names: 0 and two past the last slot, as a hostile
// peer or a confused close report might.
constexpr int kSlotNumbers = game::kSlots + 2;

void require(bool condition) {
    if (!condition)
        __builtin_trap();
}

class Script {
public:
    Script(const uint8_t* data, size_t size) : data_(data), size_(size) {}
    bool atEnd() const { return offset_ >= size_; }
    uint8_t byte() { return atEnd() ? 0 : data_[offset_++]; }
    QByteArray bytes(size_t count) {
        count = std::min(count, size_ - std::min(offset_, size_));
        QByteArray taken(reinterpret_cast<const char*>(data_ + offset_), qsizetype(count));
        offset_ += count;
        return taken;
    }
    // A length byte and that many bytes.
    QByteArray chunk() { return bytes(byte()); }

private:
    const uint8_t* data_;
    size_t size_;
    size_t offset_ = 0;
};

// What waits for a peer that does not read is cut at this bound: small, so
// that a script reaches it in a few dozen messages.
constexpr qsizetype kMaxWaiting = 2048;

// A name goes out as every window will show it: clean and never empty.
void requireShownName(const QString& name) {
    require(!name.isEmpty() && playertext::cleanName(name) == name);
}

// Grace timers that run out only when a step says so. A hold starts with the
// seat's player known: whoever takes the seat back must be that player.
class ManualHoldClock : public HoldClock {
public:
    int graceMs() const override { return 60000; }
    void startHoldTimer(int seat) override {
        running[size_t(seat)] = true;
        heldName[size_t(seat)] = state->player(seat).name;
    }
    void stopHoldTimer(int seat) override { running[size_t(seat)] = false; }
    const HostState* state = nullptr;
    std::array<bool, game::kSeats + 1> running{};
    std::array<QString, game::kSeats + 1> heldName;
};

// Every send must go to a connection that is open at that moment, and must
// go on the wire as exactly one message. Each connection's bytes go through
// its write queue, as TSock sends them: a peer that reads takes them at once,
// one that has stopped reading leaves them waiting until the bound cuts it.
// Names in announcements are clean, and a game start names the player in
// slot 1, whatever its message said.
class CheckingOutbox : public HostOutbox {
public:
    struct Peer {
        WriteQueue waiting{kMaxWaiting};
        bool reads = true;
        bool lost = false;  // cut at the bound; its departure is still to come
        int rightsTold = 0; // the holder of the rights this peer was last told of
    };

    void sendTo(int slot, const QString& message) override {
        require(HostState::validSlot(slot) && state && state->player(slot).connected());
        if (message.startsWith(QLatin1String(cmd::rejoined)))
            connectionMoved(slot);
        if (message.startsWith(QLatin1String(cmd::newplayerinfo)))
            stampArrival(message);
        const QByteArray wire = buildMessage(message);
        require(wire.count(kTerminator) == 1 && wire.endsWith(kTerminator));
        Peer& to = peer(slot);
        to.waiting.append(wire);
        if (to.reads)
            to.waiting.written(to.waiting.size());
        if (to.waiting.cutPastBound())
            to.lost = true;
        require(to.waiting.size() <= kMaxWaiting && (!to.lost || to.waiting.isEmpty()));
        const QStringList fields = message.split(u'+');
        if (fields.first() == QLatin1String(cmd::newplayerinfo)) {
            require(fields.size() == 4);
            requireShownName(fields[2]);
        } else if (fields.first() == QLatin1String(cmd::existingplayers)) {
            require(fields.size() % 3 == 1);
            for (qsizetype i = 2; i < fields.size(); i += 3)
                requireShownName(fields[i]);
        } else if (fields.first() == QLatin1String(cmd::startgame)) {
            requireShownName(fields[1]);
            const int starter = std::max(holder(), 1);
            require(fields[1] == playertext::nameForSlot(state->player(starter).name, starter));
            ++starts;
        } else if (fields.first() == QLatin1String(cmd::hostrights)) {
            require(state->dedicated);
            to.rightsTold = rightsmsg::HostRights::parse(fields[1]).holder;
        } else if (fields.first() == QLatin1String(cmd::rejoinkey)) {
            // Keys go to seated players during a game, each one new.
            const tplayer& player = state->player(slot);
            require(slot <= game::kSeats && player.loggedin && state->gameon);
            require(rejoinmsg::isKey(fields[1]) && !keysGiven.contains(fields[1]));
            keysGiven.append(fields[1]);
            keySeat.append(slot);
        }
    }
    // A connection presented a key: it may take back the seat the key was given to.
    void presented(int slot, const QString& key) {
        const qsizetype given = keysGiven.indexOf(key);
        if (given >= 0)
            presentedSeats[size_t(slot)] |= 1u << keySeat[given];
    }
    void connectionOpened(int slot) {
        Peer& fresh = peer(slot);
        fresh.waiting.restart();
        fresh.reads = true;
        fresh.lost = false;
        fresh.rightsTold = 0;
        presentedSeats[size_t(slot)] = 0;
        arrival[size_t(slot)] = 0;
    }
    // Who holds the host player's rights, by this harness's own count: slot 1
    // at a host with a player of its own; at a dedicated host the seated,
    // connected player whose first announcement came first, or 0.
    int holder() const {
        if (!state->dedicated)
            return game::kHostPlayerSlot;
        int first = 0;
        for (int seat = 1; seat <= game::kSeats; ++seat) {
            const tplayer& player = state->player(seat);
            if (player.connected() && player.loggedin && arrival[size_t(seat)] != 0 &&
                (first == 0 || arrival[size_t(seat)] < arrival[size_t(first)]))
                first = seat;
        }
        return first;
    }
    // A peer stops reading, or reads again and takes what waits.
    void toggleReading(int slot) {
        Peer& p = peer(slot);
        p.reads = !p.reads;
        if (p.reads)
            p.waiting.written(p.waiting.size());
    }
    Peer& peer(int slot) { return peers[size_t(slot)]; }
    const Peer& peer(int slot) const { return peers[size_t(slot)]; }

    const HostState* state = nullptr;
    const ManualHoldClock* holds = nullptr;
    // Each connection's token (its socket's stand-in), in the slot the
    // harness last saw it in.
    std::array<const TSock*, game::kSlots + 1> tokens{};
    QStringList keysGiven; // every key the host has sent, in order
    QList<int> keySeat;    // the seat each was sent to
    int starts = 0;        // game starts sent, to anyone

private:
    // The connection that logged in with a key now sits in the held seat: it
    // is one that showed that seat's key, and it goes on with its own bytes.
    // Its token (the stand-in for its socket) names the slot it came from.
    void connectionMoved(int seat) {
        const TSock* token = state->player(seat).sock;
        int from = 0;
        for (int slot = 1; slot <= game::kSlots; ++slot) {
            if (slot != seat && tokens[size_t(slot)] == token && token != nullptr)
                from = slot;
        }
        require(from != 0 && (presentedSeats[size_t(from)] & (1u << seat)) != 0);
        require(state->player(seat).name == holds->heldName[size_t(seat)]);
        peers[size_t(seat)] = std::move(peers[size_t(from)]);
        peers[size_t(from)] = Peer{};
        tokens[size_t(seat)] = token;
        tokens[size_t(from)] = nullptr;
        presentedSeats[size_t(from)] = 0;
    }

    // A player's first announcement in its slot numbers its arrival; a held
    // seat keeps its number for the player who comes back to it.
    void stampArrival(const QString& message) {
        const int slot = message.section(u'+', 1, 1).toInt();
        if (HostState::validSlot(slot) && arrival[size_t(slot)] == 0)
            arrival[size_t(slot)] = ++arrivals;
    }

    std::array<Peer, game::kSlots + 1> peers;
    std::array<unsigned, game::kSlots + 1> presentedSeats{}; // a bit per seat
    std::array<quint64, game::kSlots + 1> arrival{};
    quint64 arrivals = 0;
};

class ManualClock : public HostClock {
public:
    void startTurnTimer() override { turnActive = true; }
    void stopTurnTimer() override { turnActive = false; }
    bool turnTimerActive() const override { return turnActive; }
    void startComputerTimer(int) override { computerActive = true; }
    void stopComputerTimer() override { computerActive = false; }
    bool turnActive = false;
    bool computerActive = false;
};

class FastOptions : public HostOptions {
public:
    int botSpeedMs() const override { return 500; }
    int betweenRoundsTicks() const override { return pauseTicks; }
    bool botFair() const override { return botfair; }
    bool exactMarks() const override { return exactmarks; }
    int pauseTicks = 5;
    bool botfair = false;
    bool exactmarks = false;
};

// A connection's close as TServer reports it: the slot loses its socket, then
// the session is told. A slot without a connection (free, or a held seat)
// has nothing to close.
void reportClose(HostSession& session, CheckingOutbox& outbox, int slot) {
    if (!HostState::validSlot(slot))
        return;
    tplayer& player = session.state().player(slot);
    if (player.connected()) {
        require(player.sock != nullptr && player.sock == outbox.tokens[size_t(slot)]);
        player.sock = nullptr;
        outbox.tokens[size_t(slot)] = nullptr;
    }
    session.connectionClosed(slot);
}

// The socket reports its close at once, as TSock::Close does.
class ClosingConnections : public HostConnections {
public:
    void disconnectsock(int slot) override {
        if (session && outbox && HostState::validSlot(slot) &&
            session->state().player(slot).connected())
            reportClose(*session, *outbox, slot);
    }
    HostSession* session = nullptr;
    CheckingOutbox* outbox = nullptr;
};

struct FuzzHost {
    FuzzHost()
        : session(outbox, clock, holdClock, options, connections,
                  WordLists(kHiddenWords, kDictionary)) {
        outbox.state = &session.state();
        outbox.holds = &holdClock;
        holdClock.state = &session.state();
        connections.session = &session;
        connections.outbox = &outbox;
    }

    // A new connection gets a free slot, never a held seat, and a token of
    // its own.
    int accept() {
        const int slot = session.chooseSlot();
        require(slot == 0 || (HostState::validSlot(slot) && !session.state().player(slot).inuse));
        if (slot != 0) {
            outbox.connectionOpened(slot);
            const auto* token = reinterpret_cast<const TSock*>(uintptr_t(++lastToken));
            session.state().player(slot).sock = const_cast<TSock*>(token);
            outbox.tokens[size_t(slot)] = token;
            session.connectionAccepted(slot);
        }
        return slot;
    }
    void close(int slot) { reportClose(session, outbox, slot); }
    // A connection cut at the bound is reported from the event loop, after the
    // event that cut it, and then departs as a closed one does; its departure
    // may cut another.
    void departCut() {
        for (bool again = true; again;) {
            again = false;
            for (int slot = 1; slot <= game::kSlots; ++slot) {
                CheckingOutbox::Peer& peer = outbox.peer(slot);
                if (!peer.lost)
                    continue;
                peer.lost = false;
                if (session.state().player(slot).connected()) {
                    close(slot);
                    again = true;
                }
            }
        }
    }
    void tick() {
        session.socktimerTimer();
        departCut();
    }
    // Over a limit the connection is closed, as TServer does.
    void deliver(int slot, const QByteArray& bytes) {
        if (!session.received(slot, bytes))
            connections.disconnectsock(slot);
    }
    void send(int slot, const QString& text) { deliver(slot, buildMessage(text)); }
    void drain() {
        while (session.inbox().waiting() > 0)
            tick();
    }
    // Ticks come only while the timer runs, as from a QTimer.
    void turnTicks(int count) {
        for (int i = 0; i < count && clock.turnActive; ++i) {
            session.turntimerTimer();
            departCut();
        }
    }
    void computerTick() {
        if (clock.computerActive)
            session.computertimerTimer();
        departCut();
    }
    void graceOver(int seat) {
        if (holdClock.running[size_t(seat)])
            session.holdTimerTimer(seat);
        departCut();
    }

    CheckingOutbox outbox;
    ManualClock clock;
    ManualHoldClock holdClock;
    FastOptions options;
    ClosingConnections connections;
    HostSession session;
    quint64 lastToken = 0;
};

QString command(const char* word, const QString& slotField, const QString& rest) {
    return QLatin1String(word) + u'+' + slotField + u'+' + rest;
}

// A slot number in 0..11, or now and then any text.
QString anySlotText(Script& script) {
    const uint8_t choice = script.byte();
    return choice < 240 ? QString::number(choice % (kSlotNumbers + 1))
                        : QString::fromUtf8(script.chunk());
}

// Usually the sender's own slot; now and then another or an impossible one.
QString slotField(Script& script, int sender) {
    return script.byte() < 192 ? QString::number(sender) : anySlotText(script);
}

int senderSlot(Script& script) {
    return 1 + script.byte() % game::kSlots;
}

QString guessWord(Script& script, const HostState& state) {
    const uint8_t choice = script.byte();
    if (choice < kDictionary.size())
        return kDictionary.at(choice);
    if (choice < 128)
        return state.hiddenword; // the find that ends a word
    return QString::fromUtf8(script.chunk());
}

// Names made of what cleaning must deal with: invisible, breaking and
// bidirectional characters, blanks, "+", pairs and halves of pairs, length.
QString hostileName(Script& script) {
    static const QStringList kPieces = {" ",
                                        "\t",
                                        "\u00A0",
                                        "+",
                                        "x",
                                        "Ann",
                                        "\x07",
                                        "\x1b",
                                        "\u200E",
                                        "\u202E",
                                        "\u2028",
                                        "\u2029",
                                        "\u00AD",
                                        "\u2066",
                                        "\U0001F600",
                                        "\U000E0041",
                                        "<b>",
                                        QString(38, u'y'),
                                        QString(QChar(0xD83D)),
                                        QString(QChar(0xDE00))};
    QString name;
    for (int pieces = script.byte() % 12; pieces > 0; --pieces)
        name += kPieces.at(script.byte() % kPieces.size());
    return name;
}

// A name field: now and then raw bytes, otherwise built from hostile pieces.
QString nameField(Script& script) {
    return script.byte() < 64 ? QString::fromUtf8(script.chunk()) : hostileName(script);
}

// The game byte: bits 0-6 choose the type, bit 7 switches the computer player off.
QString startgame(uint8_t game, const QString& starter = QStringLiteral("Ann")) {
    return command(cmd::startgame, starter,
                   kGameTypes.at((game & 0x7F) % kGameTypes.size()) +
                       (game & 0x80 ? "+1+" : "+0+"));
}

void logIn(FuzzHost& host, int slot, const QString& version, const QString& name) {
    host.send(slot, QLatin1String(cmd::logininfo) + QStringLiteral("+%1+").arg(slot) + version +
                        u'+' + name);
}

// A table of players who have logged in, and a game started by slot 1.
void seedTable(FuzzHost& host, Script& script) {
    static const QStringList kNames = {"Ann", "Bob", "Cid", "Dot", "Eve", "Fay", "Gus"};
    const int players = 1 + script.byte() % kNames.size();
    for (int i = 0; i < players; ++i) {
        const int slot = host.accept();
        if (slot != 0)
            logIn(host, slot, QLatin1String(kLudomyraVersion), kNames.at(i));
    }
    host.send(1, startgame(script.byte()));
    host.drain();
}

// A key the host gave (mostly a recent one, which a held seat may still
// take), a made-up one, or raw text.
QString rejoinKey(Script& script, const CheckingOutbox& outbox) {
    const uint8_t choice = script.byte();
    const qsizetype given = outbox.keysGiven.size();
    if (choice < 160 && given > 0)
        return outbox.keysGiven.at(given - 1 - script.byte() % std::min<qsizetype>(given, 8));
    if (choice < 224) {
        QString key;
        for (int i = 0; i < rejoinmsg::kKeyLength; ++i)
            key += QChar(u"0123456789abcdef"[script.byte() % 16]);
        return key;
    }
    return QString::fromUtf8(script.chunk());
}

// Flood without a terminator: the framing limit must close the connection.
void flood(FuzzHost& host, Script& script) {
    const int slot = senderSlot(script);
    const char byte = char(script.byte());
    const char filler = byte == kTerminator ? 'a' : byte;
    const int kilobytes = 1 + script.byte() % 80;
    const QByteArray block(1024, filler);
    for (int i = 0; i < kilobytes; ++i)
        host.deliver(slot, block);
}

// A start or a removal of someone else, alone in the queue: it happens if and
// only if its sender holds the rights.
void rightsProbe(FuzzHost& host, Script& script) {
    const HostState& state = host.session.state();
    const int sender = senderSlot(script);
    host.deliver(sender, QByteArray(1, kTerminator)); // ends whatever raw bytes it sent
    host.drain();
    const bool mayAct = sender == host.outbox.holder() && state.player(sender).connected();
    if (script.byte() & 1) {
        const int starts = host.outbox.starts;
        host.send(sender, command(cmd::startgame, QStringLiteral("Eve"),
                                  kGameTypes.at(script.byte() % 4) + "+1+"));
        host.drain();
        require((host.outbox.starts > starts) == mayAct);
        return;
    }
    const int target = senderSlot(script);
    if (target == sender)
        return;
    const TSock* before = host.outbox.tokens[size_t(target)];
    const bool there = state.player(target).inuse;
    host.send(sender,
              command(cmd::kickhim, QString::number(sender), QString::number(target) + u'+'));
    host.drain();
    const bool gone =
        there && (!state.player(target).inuse || host.outbox.tokens[size_t(target)] != before);
    require(gone == (mayAct && there));
}

void step(FuzzHost& host, Script& script) {
    const uint8_t op = script.byte();
    HostState& state = host.session.state();
    switch ((op & 0x7F) % 18) {
    case 0:
        host.accept();
        break;
    case 1:
        host.close(script.byte() % (kSlotNumbers + 1));
        break;
    case 2: {
        const int slot = script.byte() % (kSlotNumbers + 1);
        host.deliver(slot, script.chunk());
        break;
    }
    case 3: {
        const int sender = senderSlot(script);
        const QString field = slotField(script, sender);
        const QString version =
            script.byte() & 1 ? QLatin1String(kLudomyraVersion) : QStringLiteral("1.0.7");
        host.send(sender, command(cmd::logininfo, field, version + u'+' + nameField(script)));
        break;
    }
    case 4: {
        const int sender = script.byte() < 192 ? 1 : senderSlot(script);
        const uint8_t game = script.byte();
        host.send(sender, startgame(game, nameField(script)));
        break;
    }
    case 5: {
        const int sender = senderSlot(script);
        const QString field = slotField(script, sender);
        host.send(sender, command(cmd::myword, field, guessWord(script, state) + u'+'));
        break;
    }
    case 6: {
        const int sender = senderSlot(script);
        const QString field = slotField(script, sender);
        static const QStringList kFlags = {"1", "2", "0", "1+"};
        host.send(sender, command(cmd::justwatch, field, kFlags.at(script.byte() % kFlags.size())));
        break;
    }
    case 7: {
        const int sender = script.byte() < 192 ? 1 : senderSlot(script);
        const QString field = slotField(script, sender);
        host.send(sender, command(cmd::kickhim, field, anySlotText(script) + u'+'));
        break;
    }
    case 8: {
        const int sender = senderSlot(script);
        const QString field = slotField(script, sender);
        const char* word = kRelayed[script.byte() % std::size(kRelayed)];
        host.send(sender, command(word, field, QString::fromUtf8(script.chunk())));
        break;
    }
    case 9:
        for (int i = 1 + script.byte() % 64; i > 0; --i)
            host.tick();
        break;
    case 10:
        host.turnTicks(1 + script.byte() % 32);
        break;
    case 11:
        host.computerTick();
        break;
    case 12:
        seedTable(host, script);
        break;
    case 13:
        flood(host, script);
        break;
    case 14:
        host.outbox.toggleReading(1 + script.byte() % game::kSlots);
        break;
    case 15: { // a way back, as a client asks for it: the key, then usually its log-in
        const int sender = senderSlot(script);
        const QString field = slotField(script, sender);
        const QString key = rejoinKey(script, host.outbox);
        host.outbox.presented(sender, key);
        host.send(sender, QLatin1String(cmd::rejoin) + u'+' + field + u'+' + key);
        if (script.byte() < 192)
            logIn(host, sender, QLatin1String(kLudomyraVersion), nameField(script));
        break;
    }
    case 16:
        host.graceOver(1 + script.byte() % game::kSeats);
        break;
    case 17:
        rightsProbe(host, script);
        break;
    }
    host.departCut();
    if (op & 0x80)
        host.drain();
}

// Names stand in "+"-separated lists, must stay whole characters, and once
// logged in are never empty (nobody sits at the table unseen).
void checkName(const tplayer& player) {
    require(player.name.size() <= playertext::kMaxNameLength && !player.name.contains(u'+') &&
            player.name.isValidUtf16());
    if (player.loggedin)
        requireShownName(player.name);
}

// One connection per slot and each connection in one slot; a held seat has
// none, keeps its player's name and has its grace timer running.
void checkConnections(const FuzzHost& host) {
    const HostState& state = host.session.state();
    QSet<const TSock*> seen;
    for (int slot = 1; slot <= game::kSlots; ++slot) {
        const tplayer& player = state.player(slot);
        require(player.sock == host.outbox.tokens[size_t(slot)]);
        require((player.sock != nullptr) == player.connected());
        if (player.sock) {
            require(!seen.contains(player.sock));
            seen.insert(player.sock);
        }
        const bool held = slot <= game::kSeats && host.holdClock.running[size_t(slot)];
        require(player.away == held);
        if (player.away)
            require(player.inuse && player.loggedin);
    }
}

// The host obeys the player who arrived first, and every window that is
// logged in has been told who that is.
void checkRights(const FuzzHost& host) {
    const HostState& state = host.session.state();
    const int holder = host.outbox.holder();
    require(senderidentity::hostPlayerSlot(state) == holder);
    if (!state.dedicated)
        return;
    for (int slot = 1; slot <= game::kSlots; ++slot) {
        if (state.player(slot).connected() && state.player(slot).loggedin)
            require(host.outbox.peer(slot).rightsTold == holder);
    }
}

void checkInvariants(const FuzzHost& host) {
    const HostState& state = host.session.state();
    require(state.slotcount >= 0 && state.slotcount <= game::kSlots);
    checkConnections(host);
    checkRights(host);
    for (int slot = 1; slot <= game::kSlots; ++slot) {
        const tplayer& player = state.player(slot);
        checkName(player);
        if (player.inuse)
            require(HostState::validSlot(slot) && slot <= state.slotcount);
        else
            require(player.name.isEmpty());
        require(host.session.inbox().waitingFrom(slot) <= HostInbox::kMaxWaitingPerConnection);
        require(!host.outbox.peer(slot).lost); // each cut peer has departed
    }
    require(state.row >= 0 && state.row <= 6);
    require(state.ballno >= 0);
    require(state.currentseat >= 0 && state.currentseat <= game::kSeats);
    require(state.nextstarter >= 0 && state.nextstarter <= game::kSeats);
    if (state.wordopen)
        require(state.gameon && state.row >= 1 && state.row <= 5 && !state.hiddenword.isEmpty());
    // A running game always has a countdown going, unless a "nine" word waits
    // for a seat that can play.
    const bool waitingForSeat =
        state.playing(GameType::Nine) && state.wordopen && state.currentseat == 0;
    if (state.gameon && !waitingForSeat)
        require(host.clock.turnActive);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Script script(data, size);
    const uint8_t seed = script.byte();
    seedProcessRandom(seed);
    FuzzHost host;
    host.options.pauseTicks = seed & 1 ? 10 : 5;
    host.options.botfair = seed & 2;
    host.options.exactmarks = seed & 4;
    host.session.state().dedicated = seed & 8;
    checkInvariants(host);
    while (!script.atEnd()) {
        step(host, script);
        checkInvariants(host);
    }
    return 0;
}
