#include "app/app_windows.h"

#include "app/finder_while_shown.h"
#include "app/join_addresses.h"

#include "client/join/join_form.h"
#include "client/link/seat_key_file.h"
#include "client/look/message_box.h"
#include "common/environment.h"
#include "net/player_text.h"
#include "net/tsock.h"

#include <QTimer>

namespace {

constexpr int kTallyAfterFirstFrameMs = 100;

// A key stored by this program (perhaps before it was restarted) whose seat
// may still be held.
std::optional<TableAddress> heldSeatTable() {
    const std::optional<SeatKeyFile::Entry> entry =
        SeatKeyFile(environment::settingsFile()).valid();
    if (!entry)
        return std::nullopt;
    return tableaddress::read(entry->table, 0).address;
}

QString bestLanAddress() {
    const QList<QHostAddress> addresses = joinaddresses::ofThisComputer();
    return addresses.isEmpty() ? QString() : addresses.first().toString();
}

} // namespace

AppWindows::AppWindows(const QStringList& arguments, std::function<void()> textWanted)
    : chat(Tchat::Hooks{
          .firstShown = [this, arguments] { startup.processparams(arguments); },
          // The tally is read once the window is at its table or, at no
          // table, shortly after the first frame (whose next moments belong
          // to the table's own log-in): it tells at once of a damaged file.
          .firstFrame =
              [this] {
                  QTimer::singleShot(kTallyAfterFirstFrameMs, &chat, [this] { tallylist(); });
              },
          .loggedIn = [this] { tallylist(); },
          .textWanted = std::move(textWanted),
          .gameOptionsWanted = [this] { gamestart().showCentredOn(&chat); },
          .addgame = [this](const QString& winnerText) { tallylist().addgame(winnerText); },
          .spyListWanted = [this] { spylist().showCentredOn(&chat); },
          .tallyWanted =
              [this] {
                  Ttallylist& tally = tallylist();
                  tally.loadchecklist();
                  tally.move(chat.frameGeometry().center() - tally.rect().center());
                  tally.show();
                  tally.raise();
              },
          .helpWanted =
              [this] {
                  help().showPage("Overview");
                  help().showCentredOn(&chat);
              },
          .aboutWanted = [this] { about().showCentredOn(&chat); },
          .playWithOthersWanted = [this](bool hosting) { playWithOthers().offer(&chat, hosting); },
          .inviteLinkWanted = [this] { startup.copyInviteLink(); },
          .soloWanted = [this] { startup.playSolo(); },
      }),
      tallylist([this] {
          auto tally = std::make_unique<Ttallylist>();
          tally->setSeats(&tallySeats);
          tally->offerFollowing = [this](const QString& name) {
              chat.say("0+Count your games with " + name + "? Tick " + name +
                       " in View Tally; this game counts too.");
          };
          return tally;
      }),
      portMapping({
          .say = [this](const QString& line) { chat.say(line); },
          .lanAddress = [] { return bestLanAddress(); },
          .globalIpv6 = [] { return joinaddresses::globalIpv6(joinaddresses::ofThisComputer()); },
      }),
      startup(chat, host,
              {
                  .incomplete =
                      [this](const QString& name, const QString& address) {
                          playWithOthers().offer(&chat, false, name, address);
                      },
                  .link = [this](const QString& link) { openLink(link); },
                  .hosting =
                      [this](const QString& playerName, quint16 gamePort) {
                          answerTableQueries(playerName, gamePort);
                          if (TableMemory(environment::settingsFile()).portMapping())
                              portMapping.open(gamePort);
                      },
                  .leftTable =
                      [this] {
                          tableResponder.reset();
                          portMapping.close();
                      },
                  .internetAddress = [this] { return portMapping.internetAddress(); },
              }),
      gamestart([this] {
          return std::make_unique<Tgamestart>(chat.gameChoice(), [this] { chat.startGame(); });
      }),
      spylist([this] {
          auto window = std::make_unique<Tspylist>();
          window->mayRemove = [this] {
              return chat.mayRemovePlayers();
          };
          window->kicking = [this](int slot) {
              chat.removePlayer(slot);
          };
          chat.attachSpyList(window->listbox_spys); // filled at once
          return window;
      }),
      about([] { return std::make_unique<Tabout>(); }),
      help([this] { return std::make_unique<Thelp>(about()); }), playWithOthers([this] {
          auto window = std::make_unique<PlayWithOthers>(
              TableMemory(environment::settingsFile()),
              PlayWithOthers::Hooks{
                  .host = [this](const QString& name,
                                 quint16 port) { return hostFromWindow(name, port); },
                  .join = [this](const QString& name,
                                 const TableAddress& table) { return joinFromWindow(name, table); },
                  .heldSeat = [] { return heldSeatTable(); },
              });
          QObject::connect(
              &tableFinder, &TableFinder::tablesChanged, window.get(),
              [this, shown = window.get()] { shown->showTables(tableFinder.tables()); });
          new FinderWhileShown(tableFinder, *window);
          return window;
      }),
      linkConfirmation([this] {
          return std::make_unique<LinkConfirmation>(
              TableMemory(environment::settingsFile()),
              [this](const QString& name, const TableAddress& table) {
                  return joinFromWindow(name, table);
              });
      }) {}

AppWindows::~AppWindows() = default;

// Each hosted table has a host of its own, so each gets its own responder.
void AppWindows::answerTableQueries(const QString& playerName, quint16 gamePort) {
    if (!host.server())
        return;
    tableResponder = std::make_unique<TableResponder>(host.server()->state());
    tableResponder->startOnDiscoveryPort(
        gamePort, playertext::nameForSlot(playerName, game::kHostPlayerSlot));
}

void AppWindows::activate() {
    if (chat.isMinimized())
        chat.showNormal();
    chat.show();
    chat.raise();
    chat.activateWindow();
}

void AppWindows::listenTo(SingleInstance& instance) {
    QObject::connect(&instance, &SingleInstance::activateRequested, &chat, [this] { activate(); });
    QObject::connect(&instance, &SingleInstance::linkReceived, &chat,
                     [this](const QString& link) { openLink(link); });
}

void AppWindows::openLink(const QString& link) {
    activate();
    const AddressReading reading = tableaddress::read(link, joinform::defaultPort());
    QString problem = reading.problem;
    if (reading.address && !reading.link)
        problem = "This is not an invite link: it must start with ludomyra://.";
    if (!problem.isEmpty()) {
        messagebox::show(&chat, problem);
        return;
    }
    linkConfirmation().ask(&chat, *reading.address);
}

QString AppWindows::hostFromWindow(const QString& name, quint16 port) {
    try {
        startup.hostGame(name, QString::number(port));
    } catch (const ESockException& error) {
        return QString("Could not host on port %1 (%2): another program may be using it.")
            .arg(port)
            .arg(QString::fromUtf8(error.what()));
    }
    return {};
}

QString AppWindows::joinFromWindow(const QString& name, const TableAddress& table) {
    try {
        startup.joinGame(name, table);
    } catch (const ESockException& error) {
        return "Could not join " + table.text() + ": " + QString::fromUtf8(error.what());
    }
    return {};
}
