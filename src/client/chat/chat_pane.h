#pragma once

#include "client/chat/colour_value.h"

#include <QHash>
#include <QList>
#include <QPixmap>
#include <QTextBrowser>
#include <QTextCharFormat>
#include <array>
#include <functional>

class QMenu;
class QTextBlock;
class QTextCursor;

// The read-only chat pane: every chat line, action and game notice. Lines of
// one sender share a style, so a sender's new colour shows on its old lines
// too: the pane paints each line in its style's colour.
class ChatPane : public QTextBrowser {
    Q_OBJECT
public:
    static constexpr int kStyleCount = 15;
    static constexpr int kLinkStyle = 4;
    static constexpr int kSmileyCount = 18;
    static constexpr QSize kSmileySize{17, 17};
    // A long evening must not grow memory without end: old lines are dropped,
    // in batches so that adding a line stays cheap.
    static constexpr int kMaxLines = 2000;
    static constexpr int kTrimBatch = 200;
    static constexpr int kDefaultTextSize = 10;

    explicit ChatPane(QWidget* parent = nullptr);

    // line: sender number 0..9, "+", text ("0+You are Connected."); sender 0 is
    // the system. Lines from other sender numbers are dropped.
    void addlinetochat(const QString& line, ColourValue colour);

    // Opens link k's address in the desktop's browser, if it is a web address.
    void mainchatJump(int link);
    // Removes every line; link numbers start afresh.
    void clearChat();

    void setTextSize(int points);
    int textSize() const;
    void setSmileys(const QList<QPixmap>& pictures);
    // The one "Scroll Chat Off" action, shared with the Options menu.
    void shareScrollOffAction(QAction* scrollChatOff);

    static QString smileyName(int index);
    // The colour the character at position is shown in.
    QColor textColourAt(int position) const;
    // Lines are the document's blocks but its last, an empty tail of no
    // height where the next line is written: that way a new line never lays
    // out the one before it again.
    QTextBlock newestLine() const; // invalid when there is none
    int lineCount() const;

    bool scrollOff = false;            // "Scroll Chat Off": keep the view where the reader left it
    QHash<int, QString> linkaddresses; // by link number; trimmed lines drop theirs
    int linkcounter = -1;              // number of the newest link, -1 when none
    QMenu* popup_mainchat = nullptr;
    // Asks the desktop to open a web address; tests replace it to stay offline.
    std::function<bool(const QUrl&)> openUrl;

signals:
    void clearedByPlayer(); // "Clear Chat" from the pane's own menu

protected:
    QVariant loadResource(int type, const QUrl& name) override;
    void paintEvent(QPaintEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    // Copies plain text only, without the pane's own break opportunities.
    QMimeData* createMimeDataFromSelection() const override;

private:
    class LineWriter;

    void prepareEmptyDocument();
    int textSize_ = kDefaultTextSize;
    void setStyleColour(int style, ColourValue colour);
    QColor lineColour(const QTextBlock& line) const;
    void trimOldLines();
    void scrollToEnd();

    std::array<ColourValue, kStyleCount> styleColours_;
    QList<QPixmap> smileys_;
};
