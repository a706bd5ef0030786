#include "client_harness.h"
#include "program_environment.h"

#include <QFile>

namespace clienttest {

void ClientHarness::SetUp() {
    ASSERT_TRUE(home.isValid());
    messagebox::setHandler([this](QWidget*, const QString& text) { boxes << text; });
    messagebox::setQuestionHandler([this](QWidget*, const QString& text) {
        questions << text;
        return answer;
    });
    chat = std::make_unique<Tchat>(appHooks);
    host.setPortName("0");
    host.OnAccept = [this](TSock* s) {
        s->Accept(peer);
        peer->OnRead = [this](TSock* p, int) {
            fromClient += p->Receive();
        };
    };
    host.setListen(true);
    chat->show();
    if (hosting)
        chat->beginHosting("Ann", host.localPort(), true);
    else
        chat->joinHost("Ann", "127.0.0.1", QString::number(host.localPort()));
    ASSERT_TRUE(waitFor([&] { return peer && probe().connection().Connected(); }, 5000));
}

void ClientHarness::TearDown() {
    chat.reset();
    messagebox::setHandler({});
    messagebox::setQuestionHandler({});
}

void ClientHarness::hostSays(const QStringList& messages) {
    probe().queue().append(messages);
    ASSERT_TRUE(waitFor([&] { return !chat || probe().queue().isEmpty(); }, 5000));
    settle(40); // the last one is handled on the tick that emptied the queue
}

void ClientHarness::logIn(int slot, const QString& name) {
    hostSays({"CMD_sendlogininfo+" + QString::number(slot),
              QString("CMD_newplayerinfo+%1+%2+0").arg(slot).arg(name)});
    sent(); // the log-in answer is not what a test looks at
}

QStringList ClientHarness::sent() {
    settle(60);
    QStringList messages;
    for (const QByteArray& part : fromClient.split(kTerminator)) {
        if (!part.isEmpty())
            messages << QString::fromUtf8(part);
    }
    fromClient.clear();
    return messages;
}

void ClientHarness::writeSettings(const QByteArray& content) {
    QFile file(settingsPath());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(content);
}

} // namespace clienttest
