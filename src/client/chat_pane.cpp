#include "client/chat_pane.h"

#include <QScrollBar>

ChatPane::ChatPane(QWidget* parent) : QTextBrowser(parent) {
    setObjectName("mainchat");
    setOpenLinks(false);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    document()->setDocumentMargin(5);
    setStyleSheet("QTextBrowser { background: rgb(223, 213, 196); color: black; }");
    QFont font("Arial");
    font.setPointSize(10);
    setFont(font);
}

void ChatPane::addlinetochat(const QString& line, QRgb colour) {
    const int plus = line.indexOf('+');
    const QString text = plus >= 0 ? line.mid(plus + 1) : line;
    const QString html = QString("<span style=\"color:%1; font-weight:bold\">%2</span>")
                             .arg(QColor(colour).name(), text.toHtmlEscaped());
    append(html);
    if (!scrollOff)
        verticalScrollBar()->setValue(verticalScrollBar()->maximum());
}
