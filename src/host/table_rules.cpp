#include "host/table_rules.h"

namespace {
// RGB (0, 94, 0), the colour of every system line, as colour text.
const QString kSystemColourText = QStringLiteral("$00005E00");
} // namespace

QString tableRulesMessage(MarksRule marks, bool botplays, bool botfair) {
    const QString marksText =
        marks == MarksRule::Exact ? QStringLiteral("exact marks") : QStringLiteral("classic marks");
    const QString klotText = !botplays ? QStringLiteral("Klot is off")
                             : botfair ? QStringLiteral("Klot plays fair")
                                       : QStringLiteral("Klot gets hints");
    return QStringLiteral("CMD_chat+0+Table rules: ") + marksText + QStringLiteral(", ") +
           klotText + u'.' + u'|' + kSystemColourText;
}
