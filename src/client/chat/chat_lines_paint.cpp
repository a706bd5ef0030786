#include "client/chat/chat_lines_paint.h"

#include <QAbstractTextDocumentLayout>
#include <QPainter>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>
#include <algorithm>

namespace {

QList<QTextLayout::FormatRange> selectedPart(const QTextBlock& block, const ChatLinesPaint& paint) {
    if (!paint.selection.hasSelection())
        return {};
    const int from = std::max(paint.selection.selectionStart(), block.position());
    const int to = std::min(paint.selection.selectionEnd(), block.position() + block.length());
    if (from >= to)
        return {};
    return {QTextLayout::FormatRange{from - block.position(), to - from, paint.selectionFormat}};
}

} // namespace

void paintChatLines(QPainter& painter, const QTextDocument& document, const ChatLinesPaint& paint) {
    QAbstractTextDocumentLayout* layout = document.documentLayout();
    // Only the lines in view are visited, however many the pane holds.
    const int firstInView = layout->hitTest(paint.area.topLeft(), Qt::FuzzyHit);
    for (QTextBlock block = document.findBlock(std::max(firstInView, 0)); block.isValid();
         block = block.next()) {
        const QRectF bounds = layout->blockBoundingRect(block);
        if (bounds.top() > paint.area.bottom())
            break;
        if (!bounds.intersects(paint.area))
            continue;
        painter.setPen(paint.lineColour(block));
        // The lines sit in the root frame, whose offset is the origin.
        block.layout()->draw(&painter, QPointF(), selectedPart(block, paint), paint.area);
    }
}
