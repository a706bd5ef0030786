#include "client/join/play_with_others.h"

#include "client/join/join_form.h"
#include "common/dialog_keys.h"
#include "common/version.h"
#include "net/game_type.h"
#include "net/player_text.h"

#include <QCheckBox>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>

namespace {

constexpr int kAddressRole = Qt::UserRole;

QString gameTypeName(const QString& key) {
    const std::optional<GameType> type = gametype::fromWord(key);
    if (!type)
        return "a game";
    constexpr const char* kNames[] = {"High Score", "Most Balls Pocketed", "9 Ball", "Race to 9"};
    return kNames[static_cast<int>(*type)]; // in the order of GameType
}

QString spies(int count) {
    return QString::number(count) + (count == 1 ? " spy" : " spies");
}

QListWidgetItem* entry(const QString& text, const QString& address) {
    auto* item = new QListWidgetItem(text); // list items never read text as markup
    item->setData(kAddressRole, address);
    return item;
}

} // namespace

PlayWithOthers::PlayWithOthers(TableMemory memory, Hooks hooks)
    : SmallWindow("playwithothers", "Ludomyra - Play with Others", QSize(460, 506)),
      memory_(std::move(memory)), hooks_(std::move(hooks)) {
    setStyleSheet(joinform::lookOf(styleSheet()));
    build();
    buildLists();
}

void PlayWithOthers::fieldLabel(const QString& text, const QRect& geometry) {
    auto* label = new QLabel(text, this);
    label->setGeometry(geometry);
}

void PlayWithOthers::build() {
    auto* heading = new QLabel("PLAY WITH OTHERS", this);
    heading->setGeometry(0, 10, width(), 24);
    heading->setAlignment(Qt::AlignCenter);
    heading->setStyleSheet("font: bold 16px 'Arial';");

    joinform::caption(this, "Your name", QRect(16, 48, 90, 22));
    edit_name = joinform::nameEdit(this, QRect(110, 46, 220, 24));

    joinform::caption(this, "Host a game on this computer", QRect(16, 86, 300, 20));
    fieldLabel("Port", QRect(32, 114, 70, 22));
    edit_port = new QLineEdit(this);
    edit_port->setObjectName("edit_port");
    edit_port->setGeometry(110, 112, 70, 24);
    edit_port->setValidator(new QIntValidator(0, 65535, edit_port));
    edit_port->setAccessibleName("Port to host on");
    check_portmapping = new QCheckBox("Open router port", this);
    check_portmapping->setObjectName("check_portmapping");
    check_portmapping->setGeometry(190, 113, 142, 22);
    check_portmapping->setAccessibleName("Ask the router to forward the port");
    check_portmapping->setToolTip(
        "Asks the router (UPnP or NAT-PMP) to forward the port to this computer while the table "
        "is open, so friends on the internet can join.");
    connect(check_portmapping, &QCheckBox::toggled, this,
            [this](bool on) { memory_.rememberPortMapping(on); });
    button_host = new QPushButton("Host", this);
    button_host->setObjectName("button_host");
    button_host->setGeometry(336, 111, 108, 26);
    connect(button_host, &QPushButton::clicked, this, [this] { hostClicked(); });
    connect(edit_port, &QLineEdit::returnPressed, this, [this] { hostClicked(); });

    joinform::caption(this, "Join a game", QRect(16, 152, 300, 20));
    fieldLabel("Address", QRect(32, 180, 70, 22));
    edit_address = new QLineEdit(this);
    edit_address->setObjectName("edit_address");
    edit_address->setGeometry(110, 178, 220, 24);
    edit_address->setMaxLength(tableaddress::kMaxLength + 1); // longer says "too long"
    edit_address->setAccessibleName("Address of the table to join");
    auto* forms = new QLabel("host, host:port, [IPv6]:port or ludomyra://HOST:PORT", this);
    forms->setGeometry(110, 204, 334, 16);
    forms->setStyleSheet("font: 11px 'Arial';");
    button_join = new QPushButton("Join", this);
    button_join->setObjectName("button_join");
    button_join->setGeometry(336, 177, 108, 26);
    connect(button_join, &QPushButton::clicked, this, [this] { joinClicked(); });
    connect(edit_address, &QLineEdit::returnPressed, this, [this] { joinClicked(); });

    label_message = joinform::messageLine(this, QRect(16, 462, 330, 36));
    auto* cancel = new QPushButton("Cancel", this);
    cancel->setObjectName("button_cancel");
    cancel->setGeometry(364, 468, 80, 26);
    connect(cancel, &QPushButton::clicked, this, &QWidget::hide);
    setEnterAction([this] { (button_host->isDefault() ? button_host : button_join)->click(); });
    for (QWidget* own : {static_cast<QWidget*>(edit_port), static_cast<QWidget*>(edit_address)})
        dialogkeys::keepOwnEnter(own);
}

void PlayWithOthers::buildLists() {
    joinform::caption(this, "Tables on this network", QRect(32, 228, 300, 20));
    list_tables = new QListWidget(this);
    list_tables->setObjectName("list_tables");
    list_tables->setGeometry(32, 250, 412, 92);
    list_tables->setAccessibleName("Tables on this network");
    label_notables = new QLabel("None found yet.", list_tables);
    label_notables->setObjectName("label_notables");
    label_notables->setGeometry(8, 6, 300, 20);
    label_notables->setStyleSheet("color: rgb(90, 70, 50); font: italic 12px 'Arial';");

    joinform::caption(this, "Recent tables", QRect(32, 350, 300, 20));
    list_recent = new QListWidget(this);
    list_recent->setObjectName("list_recent");
    list_recent->setGeometry(32, 372, 412, 82);
    list_recent->setAccessibleName("Recent tables");
    // After a dropped connection or a restart, while the host may still hold the seat.
    button_rejoin = new QPushButton("Rejoin your seat", this);
    button_rejoin->setObjectName("button_rejoin");
    button_rejoin->setGeometry(300, 345, 144, 24);
    button_rejoin->hide();
    connect(button_rejoin, &QPushButton::clicked, this, [this] { rejoinClicked(); });

    for (QListWidget* list : {list_tables, list_recent}) {
        connect(list, &QListWidget::itemClicked, this,
                [this](QListWidgetItem* item) { chooseFrom(item, false); });
        connect(list, &QListWidget::itemActivated, this,
                [this](QListWidgetItem* item) { chooseFrom(item, true); });
        dialogkeys::keepOwnEnter(list);
    }
}

void PlayWithOthers::offer(const QWidget* over, bool hosting, const QString& name,
                           const QString& address) {
    edit_name->setText(name.isEmpty() ? memory_.playerName() : name);
    if (edit_port->text().isEmpty())
        edit_port->setText(QString::number(joinform::defaultPort()));
    edit_address->setText(address);
    {
        const QSignalBlocker quiet(check_portmapping); // showing is no choice
        check_portmapping->setChecked(memory_.portMapping());
    }
    label_message->clear();
    fillRecent();
    showRejoin();
    button_host->setDefault(hosting);
    button_join->setDefault(!hosting);
    showCentredOn(over);
    QLineEdit* ready = edit_name->text().isEmpty() ? edit_name : hosting ? edit_port : edit_address;
    ready->setFocus(Qt::OtherFocusReason);
}

QString PlayWithOthers::describe(const FoundTable& table) {
    const QString name = playertext::cleanName(table.name);
    QString text = (name.isEmpty() ? QString("A table") : name) + QString::fromUtf8(" \u2014 ") +
                   TableAddress{table.address, table.port}.text() + QString::fromUtf8(" \u2014 ") +
                   QString("%1 of 5 seats taken, ").arg(table.seatsTaken) + spies(table.spies) +
                   ", " +
                   (table.gameRunning ? "playing " + gameTypeName(table.gameType) : "waiting");
    if (table.version != QLatin1String(kLudomyraVersion))
        text += " (version " + playertext::cleanName(table.version) + ")";
    return text;
}

void PlayWithOthers::showTables(const QList<FoundTable>& tables) {
    const QString chosen =
        list_tables->currentItem() ? list_tables->currentItem()->data(kAddressRole).toString() : "";
    list_tables->clear();
    for (const FoundTable& table : tables) {
        const QString address = TableAddress{table.address, table.port}.text();
        list_tables->addItem(entry(describe(table), address));
        if (address == chosen)
            list_tables->setCurrentRow(list_tables->count() - 1);
    }
    label_notables->setVisible(tables.isEmpty());
}

void PlayWithOthers::fillRecent() {
    list_recent->clear();
    for (const TableMemory::Recent& table : memory_.recentTables()) {
        const QString when =
            table.when.isValid() ? table.when.toLocalTime().toString("yyyy-MM-dd HH:mm") : "";
        list_recent->addItem(entry(table.address.text() + "    " + when, table.address.text()));
    }
}

void PlayWithOthers::chooseFrom(QListWidgetItem* item, bool join) {
    if (!item)
        return;
    edit_address->setText(item->data(kAddressRole).toString());
    button_join->setDefault(true);
    if (join)
        joinClicked();
}

QString PlayWithOthers::checkedName() {
    label_message->clear(); // each try says its own
    const QString problem = joinform::nameProblem(edit_name->text());
    if (!problem.isEmpty()) {
        tell(problem);
        edit_name->setFocus(Qt::OtherFocusReason);
        return {};
    }
    return playertext::cleanName(edit_name->text());
}

void PlayWithOthers::hostClicked() {
    const QString name = checkedName();
    if (name.isEmpty())
        return;
    bool ok = false;
    const uint port = edit_port->text().toUInt(&ok);
    if (!ok || port < 1 || port > 65535) {
        tell("The port must be a number from 1 to 65535.");
        return;
    }
    memory_.rememberName(name);
    const QString problem = hooks_.host ? hooks_.host(name, quint16(port)) : QString();
    if (problem.isEmpty())
        hide();
    else
        tell(problem);
}

void PlayWithOthers::joinClicked() {
    const QString name = checkedName();
    if (name.isEmpty())
        return;
    const AddressReading reading =
        tableaddress::read(edit_address->text(), joinform::defaultPort());
    if (!reading.address) {
        tell(reading.problem);
        edit_address->setFocus(Qt::OtherFocusReason);
        return;
    }
    memory_.rememberName(name);
    memory_.rememberJoined(*reading.address, QDateTime::currentDateTimeUtc());
    const QString problem = hooks_.join ? hooks_.join(name, *reading.address) : QString();
    if (problem.isEmpty())
        hide();
    else
        tell(problem);
    fillRecent();
}

void PlayWithOthers::showRejoin() {
    const std::optional<TableAddress> held = hooks_.heldSeat ? hooks_.heldSeat() : std::nullopt;
    button_rejoin->setVisible(held.has_value());
    if (held)
        button_rejoin->setToolTip("Your seat at " + held->text() + " may still be kept.");
    button_rejoin->setAccessibleName(button_rejoin->text() + " " +
                                     (held ? held->text() : QString()));
}

void PlayWithOthers::rejoinClicked() {
    const QString name = checkedName(); // the host keeps the seat's own name
    if (name.isEmpty())
        return;
    const std::optional<TableAddress> held = hooks_.heldSeat ? hooks_.heldSeat() : std::nullopt;
    showRejoin();
    if (!held) {
        tell("Your seat is no longer kept.");
        return;
    }
    const QString problem = hooks_.join ? hooks_.join(name, *held) : QString();
    if (problem.isEmpty())
        hide();
    else
        tell(problem);
}

void PlayWithOthers::tell(const QString& problem) {
    label_message->setText(problem);
}
