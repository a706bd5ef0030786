#pragma once

// A main window connected to a stand-in host on loopback: host messages go
// into the client's queue, what the client sends is read off the host's end.

#include "client/look/message_box.h"
#include "client/tchat.h"
#include "event_wait.h"
#include "net/commands.h"
#include "net/protocol.h"
#include "program_environment.h"
#include "qstring_printer.h"
#include "tchat_probe.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace clienttest {

using testsupport::settle;
using testsupport::waitFor;

class ClientHarness : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Queues host messages (command and fields, no terminator) and waits
    // until the client has handled them all.
    void hostSays(const QStringList& messages);
    void hostSays(const QString& message) { hostSays(QStringList{message}); }
    // Logs in as that slot and sees the own arrival, as a real host does it.
    void logIn(int slot, const QString& name = "Ann");
    // Everything the client has sent since the last call, one entry a message.
    QStringList sent();
    QString chatText() const { return probe().chatText(); }
    TchatProbe probe() const { return TchatProbe(*chat); }
    QString settingsPath() const { return home.filePath("glenmorra.ini"); }
    void writeSettings(const QByteArray& content);

    testsupport::ProgramEnvironment home;
    QStringList boxes;       // message boxes shown
    QStringList questions;   // questions asked, each answered with `answer`
    bool answer = false;     // Yes
    Tchat::Hooks appHooks{}; // what the program around the window is told, set before SetUp
    bool hosting = false;    // the window hosts the table, set before SetUp
    std::unique_ptr<Tchat> chat;
    TSock host;
    TSock* peer = nullptr;
    QByteArray fromClient;
};

} // namespace clienttest
