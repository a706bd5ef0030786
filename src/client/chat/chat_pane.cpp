#include "client/chat/chat_pane.h"

#include "client/chat/chat_lines_paint.h"
#include "client/chat/colour_text.h"
#include "client/chat/plain_text.h"
#include "client/core/access_keys.h"
#include "client/look/message_box.h"
#include "client/look/widget_look.h"
#include "net/game_shape.h"

#include <QAbstractTextDocumentLayout>
#include <QContextMenuEvent>
#include <QDesktopServices>
#include <QMenu>
#include <QMimeData>
#include <QPainter>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <algorithm>
#include <limits>
#include <optional>
#include <utility>

namespace {

const QString kLinkScheme = QStringLiteral("link");
const QString kSmileyScheme = QStringLiteral("smiley");
constexpr int kFirstSmileyCode = 10;
constexpr int kMaxSender = game::kSlots;
// Many lines of 64 KiB would still be a lot of memory: the oldest lines go
// as well when the pane holds more characters than this.
constexpr int kMaxCharacters = 4 << 20;

// The designed colours; sender styles 6..14 take each line's colour anyway.
const std::array<ColourValue, ChatPane::kStyleCount> kDesignedColours = {
    colourValue(0, 0, 255),     colourValue(0, 0, 255),     colourValue(0, 0, 128),
    colourValue(128, 0, 0),     colourValue(0, 128, 0),     colourValue(0, 128, 0),
    colourValue(192, 192, 192), colourValue(192, 192, 192), kSystemColourBase + 8,
    kSystemColourBase + 8,      kSystemColourBase + 8,      kSystemColourBase + 8,
    kSystemColourBase + 8,      kSystemColourBase + 8,      kSystemColourBase + 8};

int smileyIndex(QStringView code) {
    const std::optional<int> number = smallDecimal(code);
    if (!number || *number < kFirstSmileyCode ||
        *number >= kFirstSmileyCode + ChatPane::kSmileyCount)
        return 0;
    return *number - kFirstSmileyCode;
}

// The empty last block, where the next line is written, takes no room.
QTextBlockFormat tailFormat() {
    QTextBlockFormat format;
    format.setLineHeight(0, QTextBlockFormat::FixedHeight);
    return format;
}

// Finds the words of a text that hold a web address ("http://", "https://"
// or "www.", in any case), in order, searching the text for each mark only once. Neither
// mark holds a blank, so a mark lies within one word.
class LinkWords {
public:
    explicit LinkWords(QStringView text) : text_(text) {}

    // Where the next such word from from on starts and ends (after its
    // trailing blank).
    std::optional<std::pair<qsizetype, qsizetype>> next(qsizetype from) {
        const qsizetype mark =
            std::min({nextMark(http_, u"http://", from), nextMark(https_, u"https://", from),
                      nextMark(www_, u"www.", from)});
        if (mark == kNone)
            return std::nullopt;
        const qsizetype blankBefore = text_.lastIndexOf(u' ', mark);
        const qsizetype blankAfter = text_.indexOf(u' ', mark);
        return std::pair(std::max(from, blankBefore + 1),
                         blankAfter < 0 ? text_.size() : blankAfter + 1);
    }

private:
    static constexpr qsizetype kNone = std::numeric_limits<qsizetype>::max();

    // found: where the mark was last found (-1 before the first search).
    qsizetype nextMark(qsizetype& found, QStringView mark, qsizetype from) {
        if (found != kNone && found < from) {
            const qsizetype at = text_.indexOf(mark, from, Qt::CaseInsensitive);
            found = at < 0 ? kNone : at;
        }
        return found;
    }

    QStringView text_;
    qsizetype http_ = -1;
    qsizetype https_ = -1;
    qsizetype www_ = -1;
};

// Qt's line breaking rescans an unbroken word for every line it fills, so a
// 64 KiB word would take a second to lay out. An invisible break opportunity
// every few dozen characters keeps it linear; copying takes them out again.
constexpr QChar kBreakOpportunity(0x200B);
constexpr int kLongestUnbroken = 32;

QString withBreakOpportunities(QStringView text) {
    QString result;
    result.reserve(text.size() + text.size() / kLongestUnbroken);
    int sinceBreak = 0;
    for (QChar c : text) {
        result += c;
        sinceBreak = c == ' ' ? 0 : sinceBreak + 1;
        if (sinceBreak == kLongestUnbroken) {
            result += kBreakOpportunity;
            sinceBreak = 0;
        }
    }
    return result;
}

std::optional<int> linkNumber(const QString& href) {
    const QUrl url(href);
    if (url.scheme() != kLinkScheme)
        return std::nullopt;
    return smallDecimal(url.path()).has_value() ? std::optional<int>(url.path().toInt())
                                                : std::nullopt;
}

// Only web addresses open: a word that names a file, a share or no host at
// all must not reach the desktop's "open".
std::optional<QUrl> webAddress(const QString& word) {
    QString address = word;
    while (address.endsWith(' '))
        address.chop(1);
    const QString lower = address.toLower();
    if (lower.startsWith("www."))
        address.prepend("http://");
    else if (!lower.startsWith("http://") && !lower.startsWith("https://"))
        return std::nullopt;
    const QUrl url(address, QUrl::TolerantMode);
    if (!url.isValid() || url.host().isEmpty())
        return std::nullopt;
    return url;
}

} // namespace

// Appends one line's items with the cursor. Words between links are inserted
// as one run, so even a 64 KiB line costs only a few insertions. The line's
// own text has no colour in the document: it is painted in its style's colour
// (the block's user state names the style).
class ChatPane::LineWriter {
public:
    LineWriter(ChatPane& pane, QTextCursor& cursor) : pane_(pane), cursor_(cursor) {
        text_.setFontWeight(QFont::Bold);
        link_.setForeground(toQColor(pane.styleColours_[kLinkStyle]));
        link_.setFontUnderline(true);
        link_.setAnchor(true);
    }

    // The cursor is in the tail: the line is written there, and a new tail
    // is split off after it when the line ends.
    void startLine(int style, const QString& speaker) {
        cursor_.setBlockFormat(QTextBlockFormat());
        cursor_.block().setUserState(style);
        insert(speaker, text_); // the blank after the colon is the text's own
    }

    void endLine() {
        cursor_.insertBlock(tailFormat());
        cursor_.block().setUserState(-1);
    }

    // Each word keeps its trailing blank; a word with a web address is a link.
    // The text is searched for links once, not word by word.
    void appendWords(const QString& text) {
        qsizetype runStart = 0;
        LinkWords links(text);
        while (const auto link = links.next(runStart)) {
            const auto [wordStart, wordEnd] = *link;
            insertRun(QStringView(text).mid(runStart, wordStart - runStart));
            appendLink(text.mid(wordStart, wordEnd - wordStart));
            runStart = wordEnd;
        }
        insertRun(QStringView(text).mid(runStart));
    }

    void appendSmiley(int index) {
        QTextImageFormat image;
        image.setName(smileyName(index));
        image.setVerticalAlignment(QTextCharFormat::AlignMiddle);
        cursor_.insertImage(image);
    }

private:
    void insertRun(QStringView run) {
        if (!run.isEmpty())
            insert(run, text_);
    }

    void appendLink(const QString& word) {
        const int number = ++pane_.linkcounter;
        pane_.linkaddresses.insert(number, word);
        link_.setAnchorHref(kLinkScheme + ':' + QString::number(number));
        insert(word, link_);
    }

    void insert(QStringView text, const QTextCharFormat& format) {
        cursor_.insertText(withBreakOpportunities(text), format);
    }

    ChatPane& pane_;
    QTextCursor& cursor_;
    QTextCharFormat text_;
    QTextCharFormat link_;
};

ChatPane::ChatPane(QWidget* parent) : QTextBrowser(parent), styleColours_(kDesignedColours) {
    setObjectName("mainchat");
    setOpenLinks(false);
    setFrameShape(QFrame::NoFrame);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    QPalette paper = palette();
    paper.setColor(QPalette::Base, QColor(223, 213, 196));
    paper.setColor(QPalette::Text, Qt::black);
    setPalette(paper);
    document()->setUndoRedoEnabled(false);
    QFont font("Arial");
    font.setPointSize(kDefaultTextSize);
    // Shaping every line with HarfBuzz was half the cost of a long line;
    // text that needs shaping (other scripts) is still shaped.
    font.setStyleStrategy(QFont::PreferNoShaping);
    setFont(font);
    prepareEmptyDocument();

    openUrl = [](const QUrl& url) {
        return QDesktopServices::openUrl(url);
    };
    connect(this, &QTextBrowser::anchorClicked, this, [this](const QUrl& url) {
        if (const std::optional<int> number = linkNumber(url.toString()))
            mainchatJump(*number);
    });

    popup_mainchat = new QMenu(this);
    popup_mainchat->setObjectName("popup_mainchat");
    QAction* selectAllItem = popup_mainchat->addAction("Select All", this, [this] {
        selectAll();
        viewport()->update();
    });
    selectAllItem->setObjectName("SelectAll1");
    QAction* copyItem = popup_mainchat->addAction("Copy", this, &QTextEdit::copy);
    copyItem->setObjectName("Copy1");
    copyItem->setShortcut(QKeySequence::Copy);
    QAction* clearItem = popup_mainchat->addAction("Clear Chat", this, [this] {
        clearChat();
        emit clearedByPlayer();
    });
    clearItem->setObjectName("ClearChat1");
    accesskeys::assign(popup_mainchat);
}

void ChatPane::prepareEmptyDocument() {
    document()->setDocumentMargin(5);
    QTextCursor(document()).setBlockFormat(tailFormat()); // the first tail
}

QTextBlock ChatPane::newestLine() const {
    return document()->lastBlock().previous();
}

int ChatPane::lineCount() const {
    return document()->blockCount() - 1;
}

void ChatPane::shareScrollOffAction(QAction* scrollChatOff) {
    popup_mainchat->addAction(scrollChatOff);
    scrollOff = scrollChatOff->isChecked();
    connect(scrollChatOff, &QAction::toggled, this, [this](bool on) { scrollOff = on; });
}

QString ChatPane::smileyName(int index) {
    return kSmileyScheme + ':' + QString::number(index);
}

void ChatPane::addlinetochat(const QString& line, ColourValue colour) {
    const qsizetype plus = line.indexOf('+');
    const std::optional<int> sender = smallDecimal(QStringView(line).left(plus));
    if (plus < 0 || !sender || *sender > kMaxSender)
        return;
    const int style = *sender > 0 ? *sender + 5 : 0;
    // Each line is one paragraph, whatever its text holds.
    QString rest = blankControlCharacters(line.mid(plus + 1));
    const qsizetype colon = rest.indexOf(':');
    const QString speaker = rest.left(colon + 1);
    rest.remove(0, colon + 1);

    setStyleColour(style, colour);
    QTextCursor cursor(document());
    // Inside an edit block a cursor's moves skip working out its x on the
    // screen, which would shape the last line again, however long it is.
    cursor.beginEditBlock();
    cursor.movePosition(QTextCursor::End);
    LineWriter writer(*this, cursor);
    writer.startLine(style, speaker);
    static const QString smileyMark = QStringLiteral(":)#");
    for (qsizetype mark = rest.indexOf(smileyMark); mark >= 0; mark = rest.indexOf(smileyMark)) {
        const QString segment = rest.left(mark);
        const QString code = rest.mid(mark + smileyMark.size(), 2);
        rest.remove(0, mark + smileyMark.size() + code.size());
        // One blank before the picture, however the sender typed it.
        writer.appendWords(segment.endsWith(' ') || segment.isEmpty() ? segment : segment + ' ');
        writer.appendSmiley(smileyIndex(code));
    }
    if (!rest.isEmpty())
        writer.appendWords(rest.endsWith(' ') ? rest : rest + ' ');
    writer.endLine();
    cursor.endEditBlock();

    trimOldLines();
    scrollToEnd();
}

// Sender styles are shared: every line of the sender takes the new colour.
// Lines are painted in their style's colour, so the document stays as it is
// and only what is in view is drawn again.
void ChatPane::setStyleColour(int style, ColourValue colour) {
    if (styleColours_[style] == colour)
        return;
    styleColours_[style] = colour;
    viewport()->update();
}

QColor ChatPane::lineColour(const QTextBlock& line) const {
    const int style = line.userState();
    return toQColor(styleColours_[style >= 0 && style < kStyleCount ? style : 0]);
}

QColor ChatPane::textColourAt(int position) const {
    const QTextBlock line = document()->findBlock(position);
    for (auto it = line.begin(); !it.atEnd(); ++it) {
        const QBrush own = it.fragment().charFormat().foreground();
        if (it.fragment().contains(position) && own.style() != Qt::NoBrush)
            return own.color();
    }
    return lineColour(line);
}

void ChatPane::paintEvent(QPaintEvent* event) {
    QPainter painter(viewport());
    const QPoint scrolled(horizontalScrollBar()->value(), verticalScrollBar()->value());
    painter.translate(-scrolled);
    ChatLinesPaint paint;
    paint.area = QRectF(event->rect().translated(scrolled));
    paint.lineColour = [this](const QTextBlock& line) {
        return lineColour(line);
    };
    paint.selection = textCursor();
    const QPalette::ColorGroup group = hasFocus() ? QPalette::Active : QPalette::Inactive;
    paint.selectionFormat.setBackground(palette().brush(group, QPalette::Highlight));
    paint.selectionFormat.setForeground(palette().brush(group, QPalette::HighlightedText));
    paintChatLines(painter, *document(), paint);
}

void ChatPane::trimOldLines() {
    QTextDocument* doc = document();
    const bool tooManyLines = lineCount() > kMaxLines;
    const bool tooManyCharacters = doc->characterCount() > kMaxCharacters;
    if (!tooManyLines && !tooManyCharacters)
        return;
    const int keepLines = kMaxLines - kTrimBatch;
    int charactersLeft = doc->characterCount();
    int linesLeft = lineCount();
    qreal removedHeight = 0;
    QTextBlock firstKept = doc->begin();
    // The newest line always stays, however long it is.
    while (firstKept != newestLine() &&
           (linesLeft > keepLines || charactersLeft > kMaxCharacters * 3 / 4)) {
        for (auto it = firstKept.begin(); !it.atEnd(); ++it) {
            if (const std::optional<int> number =
                    linkNumber(it.fragment().charFormat().anchorHref()))
                linkaddresses.remove(*number);
        }
        removedHeight += doc->documentLayout()->blockBoundingRect(firstKept).height();
        charactersLeft -= firstKept.length();
        --linesLeft;
        firstKept = firstKept.next();
    }
    const int scrolledTo = verticalScrollBar()->value();
    QTextCursor cursor(doc);
    cursor.beginEditBlock();
    cursor.setPosition(firstKept.position(), QTextCursor::KeepAnchor);
    cursor.removeSelectedText();
    cursor.endEditBlock();
    if (scrollOff)
        verticalScrollBar()->setValue(scrolledTo - int(removedHeight));
}

void ChatPane::scrollToEnd() {
    if (scrollOff)
        return;
    // Lays the new tail out now, so that the scroll range already includes it.
    document()->documentLayout()->blockBoundingRect(document()->lastBlock());
    verticalScrollBar()->setValue(verticalScrollBar()->maximum());
}

void ChatPane::clearChat() {
    clear();
    prepareEmptyDocument();
    linkaddresses.clear();
    linkcounter = -1;
}

void ChatPane::mainchatJump(int link) {
    const std::optional<QUrl> url = webAddress(linkaddresses.value(link));
    if (!url || !openUrl(*url))
        messagebox::show(window(), "Cannot open Webpage");
}

void ChatPane::setTextSize(int points) {
    // The same font again would still lay the whole pane out anew.
    if (points == textSize_)
        return;
    textSize_ = points;
    QFont resized = font();
    resized.setPointSize(points);
    setFont(resized);
}

// The chosen size: the font shown is scaled with the panel.
int ChatPane::textSize() const {
    return textSize_;
}

void ChatPane::setSmileys(const QList<QPixmap>& pictures) {
    smileys_ = pictures;
    for (int index = 0; index < smileys_.size(); ++index)
        document()->addResource(QTextDocument::ImageResource, QUrl(smileyName(index)),
                                smileys_[index]);
    document()->markContentsDirty(0, document()->characterCount());
}

QVariant ChatPane::loadResource(int type, const QUrl& name) {
    if (type != QTextDocument::ImageResource || name.scheme() != kSmileyScheme)
        return {}; // nothing else is ours to load, least of all local files
    const std::optional<int> index = smallDecimal(name.path());
    if (index && *index < smileys_.size())
        return smileys_[*index];
    // Without a picture Qt would look for files of that name at every layout.
    QPixmap blank(kSmileySize);
    blank.fill(Qt::transparent);
    return blank;
}

QMimeData* ChatPane::createMimeDataFromSelection() const {
    // The tail is no line: the break before it is not copied either.
    const QTextCursor selected = textCursor();
    const int linesEnd = document()->lastBlock().position() - 1;
    QTextCursor copied(document());
    copied.setPosition(selected.selectionStart());
    copied.setPosition(
        std::max(selected.selectionStart(), std::min(selected.selectionEnd(), linesEnd)),
        QTextCursor::KeepAnchor);
    auto* data = new QMimeData;
    data->setText(copied.selection().toPlainText().remove(kBreakOpportunity));
    return data;
}

void ChatPane::contextMenuEvent(QContextMenuEvent* event) {
    popup_mainchat->exec(event->globalPos());
}
