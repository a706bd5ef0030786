#pragma once

#include "host/letter_marks.h"

#include <QString>

// The CMD_chat that tells every window at a game start which rules the table
// plays by, such as "Table rules: classic marks, Klot gets hints.". It is a
// system line (sender 0) in the system colour: no new command word, so every
// client shows it as it is. Klot's part is named only when Klot plays
// (klotSits): at a table of people it would only mislead.
QString tableRulesMessage(MarksRule marks, bool klotSits, bool botfair);
