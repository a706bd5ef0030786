#pragma once

#include <QAction>
#include <QMenuBar>

// The main window's menu bar. Every item is an action with an object name
// (its caption without blanks, then "1"), so tests and later features find
// it by name; choice groups keep their value in the action's data().
struct MainMenu {
    explicit MainMenu(QMenuBar* bar);

    // File
    QAction* HostaGame1; // both open the Play with Others window
    QAction* JoinaGame1;
    QAction* CopyInviteLink1;
    QAction* StartGame1;
    QAction* Exit1;
    // Options
    QAction* PlaySounds1;
    QAction* PlayChatterSounds1;
    QAction* Classic1; // turn sound 0
    QAction* New1;     // turn sound 1
    QAction* Slow1;    // bot speed 2000
    QAction* Normal1;  // bot speed 1000
    QAction* Fast1;    // bot speed 500
    QAction* Short1;   // pause 5
    QAction* Long1;    // pause 10
    QAction* ShowWordList1;
    QAction* TextColor1;
    QAction* TextSize8;
    QAction* TextSize10;
    QAction* TextSize12;
    QAction* TextSize14;
    QAction* ScrollChatOff1;
    QAction* ClearMainChat1;
    QAction* ResetScreenLocation1;
    QAction* JustWatch1;
    // View
    QAction* ViewTally1;
    QAction* SpyList1;
    QAction* PhraseList1;
    QAction* ColourtheTiles1;
    // Help
    QAction* Content1;
    QAction* About1;
};
