#include "app/find_tables.h"

#include "net/table_address.h"
#include "net/table_finder.h"

#include <QCoreApplication>
#include <QHostInfo>
#include <QTimer>
#include <cstdio>

namespace {

// Long enough for a host across a busy LAN; each wait asks three times, so
// one lost datagram loses no table.
constexpr int kListenMs = 1500;
constexpr int kAskEveryMs = 500;

// An address as typed ("[::1]" too), or the addresses a host name has.
QList<QHostAddress> addressesOf(QString text) {
    if (text.startsWith(u'[') && text.endsWith(u']'))
        text = text.mid(1, text.size() - 2);
    const QHostAddress literal(text);
    if (!literal.isNull())
        return {literal};
    return QHostInfo::fromName(text).addresses();
}

QString stateText(const FoundTable& table) {
    return table.gameRunning ? QStringLiteral("playing ") + table.gameType
                             : QStringLiteral("waiting");
}

} // namespace

int runFindTables(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList arguments = QCoreApplication::arguments().mid(2);
    if (arguments.size() > 1) {
        std::fprintf(stderr, "usage: ludomyra %s [ADDRESS]\n", kFindTablesOption);
        return 2;
    }
    TableFinder finder;
    if (!arguments.isEmpty()) {
        if (const QString problem = tableaddress::numericHostProblem(arguments.first());
            !problem.isEmpty()) {
            std::fprintf(stderr, "ludomyra: %s\n", problem.toUtf8().constData());
            return 2;
        }
        const QList<QHostAddress> targets = addressesOf(arguments.first());
        if (targets.isEmpty()) {
            std::fprintf(stderr, "ludomyra: no address for %s\n",
                         arguments.first().toUtf8().constData());
            return 2;
        }
        finder.setTargets(targets);
    }
    finder.setRefreshInterval(kAskEveryMs);
    finder.start();
    QTimer::singleShot(kListenMs, &app, &QCoreApplication::quit);
    app.exec();

    const QList<FoundTable> tables = finder.tables();
    for (const FoundTable& table : tables) {
        const QString line = QStringList{table.address,
                                         QString::number(table.port),
                                         table.name,
                                         QString::number(table.seatsTaken) + "/5",
                                         QString::number(table.spies) + "/4",
                                         stateText(table)}
                                 .join(u'\t');
        std::printf("%s\n", line.toUtf8().constData());
    }
    return tables.isEmpty() ? 1 : 0;
}
