#include "host/table_rules.h"

#include "net/game_messages.h"

QString tableRulesMessage(MarksRule marks, bool klotSits, bool botfair) {
    QString rules =
        marks == MarksRule::Exact ? QStringLiteral("exact marks") : QStringLiteral("classic marks");
    if (klotSits)
        rules +=
            botfair ? QStringLiteral(", Klot plays fair") : QStringLiteral(", Klot gets hints");
    return gamemsg::Chat::systemLine(QStringLiteral("Table rules: ") + rules + u'.');
}
