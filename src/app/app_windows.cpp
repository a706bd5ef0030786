#include "app/app_windows.h"

#include "net/player_text.h"

AppWindows::AppWindows(const QStringList& arguments)
    : chat(Tchat::Hooks{
          .firstShown = [this, arguments] { startup.processparams(arguments); },
          .gameOptionsWanted = [this] { gamestart().showCentredOn(&chat); },
          .addgame = [this](const QString& winnerText) { tallylist.addgame(winnerText); },
          .spyListWanted = [this] { spylist().showCentredOn(&chat); },
          .tallyWanted =
              [this] {
                  tallylist.loadchecklist();
                  tallylist.move(chat.frameGeometry().center() - tallylist.rect().center());
                  tallylist.show();
                  tallylist.raise();
              },
          .helpWanted =
              [this] {
                  help().showPage("Overview");
                  help().showCentredOn(&chat);
              },
          .aboutWanted = [this] { about().showCentredOn(&chat); },
      }),
      server(hostOptions), startup(chat, server.Sock1(),
                                   [this](const QString& playerName, quint16 gamePort) {
                                       answerTableQueries(playerName, gamePort);
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
      help([this] { return std::make_unique<Thelp>(about()); }) {
    tallylist.setSeats(&tallySeats);
}

AppWindows::~AppWindows() = default;

void AppWindows::answerTableQueries(const QString& playerName, quint16 gamePort) {
    tableResponder.startOnDiscoveryPort(gamePort,
                                        playertext::nameForSlot(playerName, game::kHostPlayerSlot));
}

void AppWindows::activate() {
    if (chat.isMinimized())
        chat.showNormal();
    chat.show();
    chat.raise();
    chat.activateWindow();
}
