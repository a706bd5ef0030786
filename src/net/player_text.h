#pragma once

#include <QString>
#include <QStringView>

// Text that players give each other is shown as they wrote it, but nothing
// in it may hide a player, turn text around or break a line: control and
// format characters (the bidirectional marks and embeddings among them),
// line and paragraph separators and halves of a surrogate pair. The host and
// every client apply these same rules, since either side may be old or hostile.
namespace playertext {

inline constexpr int kMaxNameLength = 40;

// A character that no name or chat line may show.
bool hidesOrBreaks(char32_t character);

// The text with every such character (a whole pair counts as one) replaced.
QString replaceHidden(QStringView text, QStringView replacement);

// A login name as everyone is shown it: such characters dropped, blanks
// around it trimmed and each run of blanks inside it made one space, "+"
// (which would split every list the name stands in) as "-", at most
// kMaxNameLength characters and never half a pair. May be empty.
//
// A name also ends no sentence: the system lines that carry one ("Ann is
// Connected.", "Ann lost the connection. ...") must not read as two notices,
// the first of the name's making ("Table rules: Klot is off. Host is Mal."),
// so marks that end a sentence or open a notice (. ! ? : ; …) go where a
// blank follows them or the name ends with them, and their wide and
// ideographic forms wherever they stand: "Dr. Who!" is "Dr Who", while
// "v1.2" and "Ann:)" stay as they are.
QString cleanName(QStringView raw);

// The name a slot goes by: its clean name, or "Player N" when nothing is
// left of it, so that nobody sits at the table unseen.
QString nameForSlot(QStringView raw, int slot);

} // namespace playertext
