#include "client/tchat.h"

#include "common/environment.h"
#include "common/inifile.h"

#include <QCloseEvent>
#include <QScreen>
#include <QShowEvent>

Tchat::Tchat() {
    setObjectName("chat");
    setWindowTitle("Ludomyra");
    menu = new MainMenu(menuBar());
    buildPanel();
    connectMenu();

    sock.setPortName(environment::gamePortName());
    sock.OnInfo = [this](TSock* s, TSocketInfo info, const QString& msg) {
        sockInfo(s, info, msg);
    };
    sock.OnRead = [this](TSock* s, int count) {
        sockRead(s, count);
    };
    Sock11.setHostName("127.0.0.1");
    Sock11.setPortName(kPresencePort);

    Timer1.setInterval(kTimer1IntervalMs);
    connect(&Timer1, &QTimer::timeout, this, [this] { Timer1Timer(); });
    Timer1.start();

    setBounds(QRect(3, 3, defaultwidth, defaultheight));
}

Tchat::~Tchat() = default;

void Tchat::buildPanel() {
    auto* central = new QWidget(this);
    central->setObjectName("client");
    central->setMinimumSize(kMinClientWidth, kMinClientHeight);
    central->setStyleSheet("QWidget#client { background: rgb(38, 28, 20); }");
    setCentralWidget(central);

    panel_board = new QWidget(central);
    panel_board->setObjectName("panel_board");
    panel_board->setGeometry(3, 3, kPanelWidth, kPanelHeight);
    panel_board->setStyleSheet("QWidget#panel_board { background: qlineargradient(x1:0, y1:0, "
                               "x2:0, y2:1, stop:0 rgb(40, 92, 58), stop:1 rgb(22, 60, 38)); "
                               "border: 2px solid rgb(92, 58, 30); border-radius: 6px; }");

    auto* chatFrame = new QFrame(panel_board);
    chatFrame->setObjectName("panel_chat");
    chatFrame->setGeometry(380, 311, 348, 175);
    chatFrame->setStyleSheet("QFrame#panel_chat { background: rgb(92, 58, 30); }");
    mainchat = new ChatPane(panel_board);
    mainchat->setGeometry(382, 313, 344, 171);

    mychat = new QLineEdit(panel_board);
    mychat->setObjectName("mychat");
    mychat->setGeometry(380, 487, 321, 22);
    QFont entryFont("Arial");
    entryFont.setPixelSize(13);
    mychat->setFont(entryFont);
    mychat->setText("<Enter Chat Here>");

    button_start = new QLabel(panel_board);
    button_start->setObjectName("button_start");
    button_start->setText("START");
    button_start->setAlignment(Qt::AlignCenter);
    button_start->setGeometry(456, 230, 120, 26);
    button_start->setStyleSheet("QLabel { color: rgb(224, 227, 157); font: bold 13px 'Arial'; "
                                "background: rgb(92, 58, 30); border-radius: 4px; }");
    button_start->hide();
}

void Tchat::connectMenu() {
    connect(menu->Exit1, &QAction::triggered, this, [this] { Exit1Click(); });
    connect(menu->ResetScreenLocation1, &QAction::triggered, this,
            [this] { ResetScreenLocation1Click(); });
    connect(menu->ClearMainChat1, &QAction::triggered, mainchat, &ChatPane::clearChat);
    connect(menu->ScrollChatOff1, &QAction::toggled, this,
            [this](bool on) { mainchat->scrollOff = on; });
}

void Tchat::addlinetochat(const QString& line, ColourValue colour) {
    mainchat->addlinetochat(line, colour);
}

int Tchat::botSpeedMs() const {
    for (QAction* choice : {menu->Slow1, menu->Normal1, menu->Fast1}) {
        if (choice->isChecked())
            return choice->data().toInt();
    }
    return menu->Normal1->data().toInt();
}

QRect Tchat::bounds() const {
    return frameGeometry();
}

void Tchat::setBounds(const QRect& outer) {
    const QSize frameExtra = frameGeometry().size() - geometry().size();
    move(outer.topLeft());
    resize(outer.size() - frameExtra);
}

void Tchat::ResetScreenLocation1Click() {
    setBounds(QRect(3, 3, defaultwidth, defaultheight));
}

void Tchat::Exit1Click() {
    close();
}

void Tchat::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (shown_)
        return;
    shown_ = true;
    if (onFirstShow)
        onFirstShow();
}

void Tchat::closeEvent(QCloseEvent* event) {
    FormClose();
    QMainWindow::closeEvent(event);
}

QRect Tchat::boundsToSave(const QRect& frame, const QSize& workArea) {
    QRect keep = frame;
    if (keep.width() > workArea.width())
        keep.setWidth(keep.width() - 15);
    if (keep.height() > workArea.height())
        keep.setHeight(keep.height() - 15);
    return keep;
}

void Tchat::FormClose() {
    const QRect frame = bounds();
    if (frame == QRect(savedleft, savedtop, savedwidth, savedheight))
        return; // every other setting was saved when it changed
    const QSize workArea = screen() ? screen()->availableGeometry().size() : frame.size();
    const QRect keep = boundsToSave(frame, workArea);
    savedleft = keep.left();
    savedtop = keep.top();
    savedwidth = keep.width();
    savedheight = keep.height();
    saveinifile();
}

void Tchat::saveinifile() {
    IniFile ini(environment::homeFile("glenmorra.ini"));
    ini.load();
    ini.writeInteger(settingssection, "Top", savedtop);
    ini.writeInteger(settingssection, "Left", savedleft);
    ini.writeInteger(settingssection, "Width", savedwidth);
    ini.writeInteger(settingssection, "Height", savedheight);
    ini.save();
}

void Tchat::sockRead(TSock* sender, int) {
    framer.feed(sender->Receive(), receivedlist);
}

void Tchat::sockInfo(TSock*, TSocketInfo, const QString& msg) {
    if (msg == "Socket Closed")
        close(); // the host has gone: the game is over for this window
}

void Tchat::Timer1Timer() {
    if (!phraseready && ++phraseticks > 100) {
        phraseready = true;
        phraseticks = 0;
    }
    processsocktimer();
}

void Tchat::processsocktimer() {
    dispatcher.dispatchOne(receivedlist);
}
