#pragma once

#include <QRect>
#include <QString>
#include <QtGlobal>

class QLabel;
class QLineEdit;
class QWidget;

// What the two join windows (Play with Others and an invite link's
// question) share: the name field, the line that says what is wrong, the
// look of edits and lists on the wood, and the port a table has by default.
namespace joinform {

// The player's name: one line of plain text, as long as a name may be.
QLineEdit* nameEdit(QWidget* parent, const QRect& geometry);
// A plain, wrapping line in a warm colour that stands out on the wood.
QLabel* messageLine(QWidget* parent, const QRect& geometry);
// A caption above a part of the window.
QLabel* caption(QWidget* parent, const QString& text, const QRect& geometry);

// The style sheet of a window with edits and lists, after the small windows' own.
QString lookOf(const QString& smallWindowSheet);

// Why the typed name will not do (empty when it will), and the name as the
// host will show it.
QString nameProblem(const QString& typed);

// LUDOMYRA_PORT when it is a port number, else 7772.
quint16 defaultPort();

} // namespace joinform
