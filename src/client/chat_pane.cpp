#include "client/chat_pane.h"

#include "client/colour_text.h"
#include "client/message_box.h"
#include "client/plain_text.h"
#include "client/widget_look.h"
#include "net/game_shape.h"

#include <QAbstractTextDocumentLayout>
#include <QContextMenuEvent>
#include <QDesktopServices>
#include <QMenu>
#include <QMimeData>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <optional>
#include <utility>
#include <vector>

namespace {

// Every fragment remembers its style, so a style's new colour can find it.
constexpr int kStyleProperty = QTextFormat::UserProperty + 1;
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

bool isLinkWord(QStringView word) {
    return word.contains(u"http://", Qt::CaseInsensitive) ||
           word.contains(u"https://", Qt::CaseInsensitive) ||
           word.contains(u"www.", Qt::CaseInsensitive);
}

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
// as one run, so even a 64 KiB line costs only a few insertions.
class ChatPane::LineWriter {
public:
    LineWriter(ChatPane& pane, QTextCursor& cursor, int style) : pane_(pane), cursor_(cursor) {
        text_.setForeground(toQColor(pane.styleColours_[style]));
        text_.setFontWeight(QFont::Bold);
        text_.setProperty(kStyleProperty, style);
        link_.setForeground(toQColor(pane.styleColours_[kLinkStyle]));
        link_.setFontUnderline(true);
        link_.setAnchor(true);
        link_.setProperty(kStyleProperty, kLinkStyle);
    }

    void startLine(int style, const QString& speaker) {
        if (!pane_.document()->isEmpty())
            cursor_.insertBlock();
        cursor_.block().setUserState(style);
        insert(speaker + ' ', text_);
    }

    // Each word keeps its trailing blank; a word with a web address is a link.
    void appendWords(const QString& text) {
        qsizetype runStart = 0;
        qsizetype wordStart = 0;
        while (wordStart < text.size()) {
            const qsizetype blank = text.indexOf(' ', wordStart);
            const qsizetype wordEnd = blank < 0 ? text.size() : blank + 1;
            const QStringView word = QStringView(text).mid(wordStart, wordEnd - wordStart);
            if (isLinkWord(word)) {
                insertRun(QStringView(text).mid(runStart, wordStart - runStart));
                appendLink(word.toString());
                runStart = wordEnd;
            }
            wordStart = wordEnd;
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
    setFont(font);
    applyDocumentLook();

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
}

void ChatPane::applyDocumentLook() {
    document()->setDocumentMargin(5);
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
    cursor.movePosition(QTextCursor::End);
    cursor.beginEditBlock();
    LineWriter writer(*this, cursor, style);
    writer.startLine(style, speaker);
    static const QString smileyMark = QStringLiteral(":)#");
    for (qsizetype mark = rest.indexOf(smileyMark); mark >= 0; mark = rest.indexOf(smileyMark)) {
        const QString segment = rest.left(mark);
        const QString code = rest.mid(mark + smileyMark.size(), 2);
        rest.remove(0, mark + smileyMark.size() + code.size());
        writer.appendWords(segment + ' ');
        writer.appendSmiley(smileyIndex(code));
    }
    if (!rest.isEmpty())
        writer.appendWords(rest + ' ');
    cursor.endEditBlock();

    trimOldLines();
    scrollToEnd();
}

// Sender styles are shared: a new colour repaints that sender's earlier lines.
void ChatPane::setStyleColour(int style, ColourValue colour) {
    if (styleColours_[style] == colour)
        return;
    styleColours_[style] = colour;
    std::vector<std::pair<int, int>> ranges;
    for (QTextBlock block = document()->begin(); block.isValid(); block = block.next()) {
        if (block.userState() != style)
            continue;
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            const QTextCharFormat format = fragment.charFormat();
            if (format.hasProperty(kStyleProperty) && format.intProperty(kStyleProperty) == style)
                ranges.emplace_back(fragment.position(), fragment.position() + fragment.length());
        }
    }
    if (ranges.empty())
        return;
    QTextCharFormat recolour;
    recolour.setForeground(toQColor(colour));
    QTextCursor cursor(document());
    cursor.beginEditBlock();
    for (const auto& [from, to] : ranges) {
        cursor.setPosition(from);
        cursor.setPosition(to, QTextCursor::KeepAnchor);
        cursor.mergeCharFormat(recolour);
    }
    cursor.endEditBlock();
}

void ChatPane::trimOldLines() {
    QTextDocument* doc = document();
    const bool tooManyLines = doc->blockCount() > kMaxLines;
    const bool tooManyCharacters = doc->characterCount() > kMaxCharacters;
    if (!tooManyLines && !tooManyCharacters)
        return;
    const int keepLines = kMaxLines - kTrimBatch;
    int charactersLeft = doc->characterCount();
    int linesLeft = doc->blockCount();
    qreal removedHeight = 0;
    QTextBlock firstKept = doc->begin();
    // The newest line always stays, however long it is.
    while (firstKept != doc->lastBlock() &&
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
    cursor.setPosition(firstKept.position(), QTextCursor::KeepAnchor);
    cursor.removeSelectedText();
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
    applyDocumentLook();
    linkaddresses.clear();
    linkcounter = -1;
}

void ChatPane::mainchatJump(int link) {
    const std::optional<QUrl> url = webAddress(linkaddresses.value(link));
    if (!url || !openUrl(*url))
        messagebox::show(window(), "Cannot open Webpage");
}

void ChatPane::setTextSize(int points) {
    QFont resized = font();
    resized.setPointSize(points);
    setFont(resized);
}

int ChatPane::textSize() const {
    return font().pointSize();
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
    auto* data = new QMimeData;
    data->setText(textCursor().selection().toPlainText().remove(kBreakOpportunity));
    return data;
}

void ChatPane::contextMenuEvent(QContextMenuEvent* event) {
    popup_mainchat->exec(event->globalPos());
}
