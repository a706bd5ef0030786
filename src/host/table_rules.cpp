#include "host/table_rules.h"

#include "net/game_messages.h"

QString tableRulesMessage(MarksRule marks, bool botplays, bool botfair) {
    const QString marksText =
        marks == MarksRule::Exact ? QStringLiteral("exact marks") : QStringLiteral("classic marks");
    const QString klotText = !botplays ? QStringLiteral("Klot is off")
                             : botfair ? QStringLiteral("Klot plays fair")
                                       : QStringLiteral("Klot gets hints");
    return gamemsg::Chat::systemLine(QStringLiteral("Table rules: ") + marksText +
                                     QStringLiteral(", ") + klotText + u'.');
}
