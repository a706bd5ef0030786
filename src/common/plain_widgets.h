#pragma once

#include <QMessageBox>
#include <QString>

class QLabel;
class QWidget;

// Widgets for text that came from the network or from a file: names,
// phrases, tally entries. Qt reads text that looks like markup as markup
// unless told otherwise, and markup can load images from the local disk;
// these show the text exactly as it is, whatever it holds.
namespace plainwidgets {

// A label that never reads its text as markup.
QLabel* label(QWidget* parent = nullptr, const QString& text = {});

// The tooltip text that shows `text` as it is. Tooltips cannot be told to
// stay plain, so the text goes escaped into markup of our own.
QString toolTip(const QString& text);

// A modal message box whose text is never read as markup, over `parent`'s
// window but untouched by its style sheet; returns the button chosen.
QMessageBox::StandardButton messageBox(QWidget* parent, QMessageBox::Icon icon,
                                       const QString& title, const QString& text,
                                       QMessageBox::StandardButtons buttons = QMessageBox::Ok);

} // namespace plainwidgets
