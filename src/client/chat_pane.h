#pragma once

#include <QRgb>
#include <QTextBrowser>

// The read-only chat pane: every chat line, action and game notice.
class ChatPane : public QTextBrowser {
    Q_OBJECT
public:
    explicit ChatPane(QWidget* parent = nullptr);

    // line: sender number, "+", text ("0+You are Connected."); sender 0 is the system.
    void addlinetochat(const QString& line, QRgb colour);

    bool scrollOff = false; // "Scroll Chat Off": keep the view where the reader left it
};
