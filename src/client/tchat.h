#pragma once

#include "client/chat_pane.h"
#include "client/main_menu.h"
#include "net/protocol.h"
#include "net/tsock.h"

#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QRect>
#include <QStringList>
#include <QTimer>
#include <functional>

// The main window: the game client. It owns the connection to the host,
// its message queue and dispatch, the menu, and the window's own life.
class Tchat : public QMainWindow {
    Q_OBJECT
public:
    // One dispatch step every tick; counted ticks pace the phrase cool-down and
    // the table animation, so the interval is part of the game's feel.
    static constexpr int kTimer1IntervalMs = 16;
    static constexpr int kPanelWidth = 737;
    static constexpr int kPanelHeight = 514;
    // The client area never shrinks below the board panel and its 3-pixel
    // margin: that is also the client area of the default 748 x 563 frame.
    static constexpr int kMinClientWidth = kPanelWidth + 3;
    static constexpr int kMinClientHeight = kPanelHeight + 3;
    static constexpr char kPresencePort[] = "9001";

    Tchat();
    ~Tchat() override;

    // Start-up state.
    QString playername;
    QString hostaddress;
    QString loginname;
    bool ishost = false;
    QString settingssection = "Ludomyra";
    int defaultwidth = 748;
    int defaultheight = 563;
    int savedleft = 0;
    int savedtop = 0;
    int savedwidth = 0;
    int savedheight = 0;

    // Connection state.
    int myseat = 0;
    bool connected = false;
    int turnseat = 0;
    bool phraseready = true;
    int phraseticks = 0;
    int linkcounter = -1;
    // Pause between rounds in host ticks; 0 until the settings are loaded.
    int betweenrounds = 0;

    TSock sock;   // the connection to the host
    TSock Sock11; // presence link: opened in multi-player mode, never used
    QStringList receivedlist{"receivedlist"};
    MessageFramer framer;
    MessageDispatcher dispatcher;
    QTimer Timer1;

    MainMenu* menu = nullptr;
    QWidget* panel_board = nullptr;
    QLabel* button_start = nullptr;
    ChatPane* mainchat = nullptr;
    QLineEdit* mychat = nullptr;

    // Called once, the first time the window is shown (start-up reads the
    // command line then).
    std::function<void()> onFirstShow;

    void addlinetochat(const QString& line, ColourValue colour);
    int botSpeedMs() const;

    // The outer frame's bounds, as the settings file stores them.
    QRect bounds() const;
    void setBounds(const QRect& outer);

    void ResetScreenLocation1Click();
    void Exit1Click();
    void saveinifile();

    // Bounds to keep at close: the frame, 15 pixels smaller in a dimension
    // that exceeds the work area.
    static QRect boundsToSave(const QRect& frame, const QSize& workArea);

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildPanel();
    void connectMenu();
    void sockRead(TSock* sender, int count);
    void sockInfo(TSock* sender, TSocketInfo info, const QString& msg);
    void Timer1Timer();
    void processsocktimer();
    void FormClose();

    bool shown_ = false;
};
