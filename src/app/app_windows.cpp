#include "app/app_windows.h"

#include <QCoreApplication>

AppWindows::AppWindows()
    : gamestart(chat.gamechoice, [this] { chat.startGame(); }), server(hostOptions),
      startup(chat, server.Sock1()) {
    tallylist.setSeats(&tallySeats);
    chat.seats->attachSpyList(spylist.listbox_spys);
    spylist.mayRemove = [this] {
        return chat.state.holdsSlotOne();
    };
    spylist.kicking = [this](int slot) {
        chat.seats->kicking(slot);
    };
    chat.addgame = [this](const QString& winnerText) {
        tallylist.addgame(winnerText);
    };
    chat.showGameOptions = [this] {
        gamestart.showCentredOn(&chat);
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
    QObject::connect(chat.menu->SpyList1, &QAction::triggered, &spylist,
                     [this] { spylist.showCentredOn(&chat); });
    QObject::connect(chat.menu->ViewTally1, &QAction::triggered, &tallylist, [this] {
        tallylist.loadchecklist();
        tallylist.move(chat.frameGeometry().center() - tallylist.rect().center());
        tallylist.show();
        tallylist.raise();
    });
}

AppWindows::~AppWindows() = default;

Tabout& AppWindows::about() {
    if (!about_)
        about_ = std::make_unique<Tabout>();
    return *about_;
}

Thelp& AppWindows::help() {
    if (!help_)
        help_ = std::make_unique<Thelp>(about());
    return *help_;
}

void AppWindows::activate() {
    if (chat.isMinimized())
        chat.showNormal();
    chat.show();
    chat.raise();
    chat.activateWindow();
}
