#include "client/join/link_confirmation.h"

#include "client/join/join_form.h"
#include "common/environment.h"
#include "common/plain_widgets.h"
#include "net/player_text.h"

#include <QLabel>
#include <QLineEdit>

namespace {

constexpr int kWidth = 380;

// A long host name wraps after its dots and colons rather than running out
// of the window: every part of where a link leads stays in sight.
QString breakable(const QString& host) {
    QString text;
    for (const QChar c : host) {
        text += c;
        if (c == u'.' || c == u':' || c == u'-')
            text += QChar(0x200B); // a zero-width space: a place to wrap, nothing shown
    }
    return text;
}

} // namespace

LinkConfirmation::LinkConfirmation(TableMemory memory, Join join)
    : SmallWindow("linkconfirmation", "Ludomyra - Invite Link", QSize(kWidth, 272), Qt::Dialog),
      memory_(std::move(memory)), join_(std::move(join)) {
    setStyleSheet(joinform::lookOf(styleSheet()));
    setWindowModality(Qt::ApplicationModal);

    auto* heading = new QLabel("JOIN THIS TABLE?", this);
    heading->setGeometry(0, 10, kWidth, 24);
    heading->setAlignment(Qt::AlignCenter);
    heading->setStyleSheet("font: bold 16px 'Arial';");

    auto* leads = new QLabel("An invite link asks you to join the table at", this);
    leads->setGeometry(20, 42, kWidth - 40, 20);
    leads->setStyleSheet("font: 13px 'Arial';");
    label_host = plainwidgets::label(this); // the link's host: anyone may have written it
    label_host->setObjectName("label_host");
    label_host->setWordWrap(true);
    label_host->setAlignment(Qt::AlignCenter);
    label_host->setFocusPolicy(Qt::StrongFocus); // where the keys go when the question opens
    label_host->setStyleSheet("color: white; font: bold 18px 'Arial';");
    label_port = plainwidgets::label(this);
    label_port->setObjectName("label_port");
    label_port->setAlignment(Qt::AlignCenter);
    label_port->setStyleSheet("font: bold 14px 'Arial';");
    label_warning =
        new QLabel("Links can come from anyone: join only if you know who sent it.", this);
    label_warning->setWordWrap(true);
    label_warning->setStyleSheet("font: 13px 'Arial';");

    label_namecaption = new QLabel("Your name", this);
    edit_name = joinform::nameEdit(this, QRect());
    label_message = joinform::messageLine(this, QRect());
    // Join is never the default, and Enter acts only on a focused button: a
    // question that opens while the player types elsewhere is not answered by
    // the keys that follow.
    button_join = new QPushButton("Join", this);
    button_join->setObjectName("button_join");
    button_cancel = new QPushButton("Cancel", this);
    button_cancel->setObjectName("button_cancel");
    connect(button_join, &QPushButton::clicked, this, [this] { joinClicked(); });
    connect(button_cancel, &QPushButton::clicked, this, &QWidget::hide);
    joinPause_.setSingleShot(true);
    connect(&joinPause_, &QTimer::timeout, button_join, [this] { button_join->setEnabled(true); });
}

void LinkConfirmation::ask(const QWidget* over, const TableAddress& table) {
    table_ = table;
    label_host->setText(breakable(table.host));
    label_host->setAccessibleName(table.host);
    label_port->setText("port " + QString::number(table.port));

    // The host's lines take what they need; everything below moves down.
    ensurePolished();
    label_host->ensurePolished(); // its style sheet's font decides the lines' height
    const int hostHeight = label_host->heightForWidth(kWidth - 40);
    label_host->setGeometry(20, 66, kWidth - 40, hostHeight);
    int top = 66 + hostHeight + 4;
    label_port->setGeometry(20, top, kWidth - 40, 20);
    top += 30;
    label_warning->setGeometry(20, top, kWidth - 40, 34);
    top += 44;
    label_namecaption->setGeometry(20, top + 2, 80, 22);
    edit_name->setGeometry(104, top, kWidth - 124, 24);
    top += 34;
    label_message->setGeometry(20, top, kWidth - 40, 32);
    top += 38;
    button_join->setGeometry(kWidth - 200, top, 84, 26);
    button_cancel->setGeometry(kWidth - 104, top, 84, 26);
    setFixedSize(kWidth, top + 38);

    edit_name->setText(memory_.playerName());
    label_message->clear();
    // A click or a key meant for the window below cannot join: Join waits a
    // moment, and the focus is on where the link leads, not in an edit.
    button_join->setEnabled(false);
    joinPause_.start(environment::scaledInterval(kJoinPauseMs));
    showCentredOn(over);
    label_host->setFocus(Qt::OtherFocusReason);
}

void LinkConfirmation::joinClicked() {
    const QString problem = joinform::nameProblem(edit_name->text());
    if (!problem.isEmpty()) {
        label_message->setText(problem);
        return;
    }
    const QString name = playertext::cleanName(edit_name->text());
    memory_.rememberName(name);
    memory_.rememberJoined(table_, QDateTime::currentDateTimeUtc());
    const QString failed = join_ ? join_(name, table_) : QString();
    if (failed.isEmpty())
        hide();
    else
        label_message->setText(failed);
}
