#pragma once

#include <QColor>
#include <QRectF>
#include <QTextCharFormat>
#include <QTextCursor>
#include <functional>

class QPainter;
class QTextBlock;
class QTextDocument;

// Draws the lines of a chat document that meet area (document coordinates).
// Text without a colour of its own is drawn in its line's colour, asked for
// while painting: a sender's new colour reaches all its earlier lines with
// no change to the document, so nothing has to be laid out again.
struct ChatLinesPaint {
    QRectF area;
    std::function<QColor(const QTextBlock&)> lineColour;
    QTextCursor selection; // drawn in selectionFormat when it selects anything
    QTextCharFormat selectionFormat;
};

void paintChatLines(QPainter& painter, const QTextDocument& document, const ChatLinesPaint& paint);
