#include "client/core/main_menu.h"

#include <QMenu>

namespace {

QAction* addItem(QMenu* menu, const QString& caption, const QString& objectName,
                 bool checkable = false, bool checked = false) {
    QAction* action = menu->addAction(caption);
    action->setObjectName(objectName);
    action->setCheckable(checkable);
    action->setChecked(checked);
    return action;
}

QAction* addChoice(QMenu* menu, const QString& caption, const QString& objectName, int value,
                   bool checked) {
    QAction* action = addItem(menu, caption, objectName, true, checked);
    action->setData(value);
    return action;
}

} // namespace

MainMenu::MainMenu(QMenuBar* bar) {
    QMenu* file = bar->addMenu("File");
    file->setObjectName("File1");
    HostaGame1 = addItem(file, QString::fromUtf8("Host a Game\u2026"), "HostaGame1");
    JoinaGame1 = addItem(file, QString::fromUtf8("Join a Game\u2026"), "JoinaGame1");
    CopyInviteLink1 = addItem(file, "Copy Invite Link", "CopyInviteLink1");
    CopyInviteLink1->setEnabled(false); // only while this copy hosts
    file->addSeparator();
    StartGame1 = addItem(file, "Start Game", "StartGame1");
    StartGame1->setEnabled(false); // only a hosting copy starts games
    file->addSeparator();
    Exit1 = addItem(file, "Exit", "Exit1");

    QMenu* options = bar->addMenu("Options");
    options->setObjectName("Options1");
    PlaySounds1 = addItem(options, "Play Sounds", "PlaySounds1", true, true);
    PlayChatterSounds1 = addItem(options, "Play Chatter Sounds", "PlayChatterSounds1", true);
    QMenu* turnSound = options->addMenu("Turn Sound");
    turnSound->setObjectName("TurnSound1");
    Classic1 = addChoice(turnSound, "Classic", "Classic1", 0, true);
    New1 = addChoice(turnSound, "New", "New1", 1, false);
    QMenu* botSpeed = options->addMenu("Bot Speed");
    botSpeed->setObjectName("BotSpeed1");
    Slow1 = addChoice(botSpeed, "Slow", "Slow1", 2000, false);
    Normal1 = addChoice(botSpeed, "Normal", "Normal1", 1000, true);
    Fast1 = addChoice(botSpeed, "Fast", "Fast1", 500, false);
    QMenu* between = options->addMenu("Time Between Rounds");
    between->setObjectName("TimeBetweenRounds1");
    Short1 = addChoice(between, "Short", "Short1", 5, true);
    Long1 = addChoice(between, "Long", "Long1", 10, false);
    ShowWordList1 = addItem(options, "Show Word List", "ShowWordList1", true, true);
    options->addSeparator();
    TextColor1 = addItem(options, "Text Color", "TextColor1");
    QMenu* textSize = options->addMenu("Text Size");
    textSize->setObjectName("TextSize1");
    TextSize8 = addChoice(textSize, "8", "N81", 8, false);
    TextSize10 = addChoice(textSize, "10", "N101", 10, false);
    TextSize12 = addChoice(textSize, "12", "N121", 12, false);
    TextSize14 = addChoice(textSize, "14", "N141", 14, false);
    ScrollChatOff1 = addItem(options, "Scroll Chat Off", "ScrollChatOff1", true);
    ScrollChatOff1->setShortcut(QKeySequence("Ctrl+S"));
    ClearMainChat1 = addItem(options, "Clear Main Chat", "ClearMainChat1");
    options->addSeparator();
    ResetScreenLocation1 = addItem(options, "Reset Screen Location", "ResetScreenLocation1");
    JustWatch1 = addItem(options, "Just Watch", "JustWatch1", true);

    QMenu* view = bar->addMenu("View");
    view->setObjectName("View1");
    ViewTally1 = addItem(view, "View Tally", "ViewTally1");
    SpyList1 = addItem(view, "Spy List", "SpyList1");
    PhraseList1 = addItem(view, "Phrase List", "PhraseList1");
    view->addSeparator();
    ColourtheTiles1 = addItem(view, "Colour the Tiles", "ColourtheTiles1", true);

    QMenu* help = bar->addMenu("Help");
    help->setObjectName("Help1");
    Content1 = addItem(help, "Content", "Content1");
    Content1->setShortcut(QKeySequence(Qt::Key_F1));
    About1 = addItem(help, "About", "About1");
}
