#include "app/app_windows.h"

#include <QCoreApplication>

AppWindows::AppWindows()
    : server(hostOptions), startup(chat, server.Sock1()), gamestart([this] {
          return std::make_unique<Tgamestart>(chat.gamechoice, [this] { chat.startGame(); });
      }),
      spylist([this] {
          auto window = std::make_unique<Tspylist>();
          window->mayRemove = [this] {
              return chat.state.holdsSlotOne();
          };
          window->kicking = [this](int slot) {
              chat.seats->kicking(slot);
          };
          chat.seats->attachSpyList(window->listbox_spys); // filled at once
          return window;
      }),
      about([] { return std::make_unique<Tabout>(); }),
      help([this] { return std::make_unique<Thelp>(about()); }) {
    tallylist.setSeats(&tallySeats);
    chat.addgame = [this](const QString& winnerText) {
        tallylist.addgame(winnerText);
    };
    chat.showGameOptions = [this] {
        gamestart().showCentredOn(&chat);
    };
    chat.onFirstShow = [this] {
        startup.processparams(QCoreApplication::arguments().mid(1));
    };
    QObject::connect(chat.menu->About1, &QAction::triggered, &chat,
                     [this] { about().showCentredOn(&chat); });
    QObject::connect(chat.menu->Content1, &QAction::triggered, &chat, [this] {
        help().showPage("Overview");
        help().showCentredOn(&chat);
    });
    QObject::connect(chat.menu->SpyList1, &QAction::triggered, &chat,
                     [this] { spylist().showCentredOn(&chat); });
    QObject::connect(chat.menu->ViewTally1, &QAction::triggered, &tallylist, [this] {
        tallylist.loadchecklist();
        tallylist.move(chat.frameGeometry().center() - tallylist.rect().center());
        tallylist.show();
        tallylist.raise();
    });
}

AppWindows::~AppWindows() = default;

void AppWindows::activate() {
    if (chat.isMinimized())
        chat.showNormal();
    chat.show();
    chat.raise();
    chat.activateWindow();
}
