// A game window that joins a dedicated `ludomyra --serve` host and is given
// slot 1 has the host player's say: it starts games from its own options.
#include "client/message_box.h"
#include "client/tchat.h"
#include "qstring_printer.h"
#include "raw_client.h"
#include "serve_process.h"
#include "tchat_probe.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

using testsupport::waitFor;

TEST(ServeClient, TheWindowInSlotOneStartsAGameOnADedicatedHost) {
    QTemporaryDir home;
    ASSERT_TRUE(home.isValid());
    qputenv("LUDOMYRA_HOME", home.path().toUtf8());
    ServeProcess serve;
    const quint16 port = serve.start();
    ASSERT_NE(port, 0);

    Tchat window;
    Tgamestart options(window.gameChoice(), [&window] { window.startGame(); });
    window.show();
    window.joinHost("Ann", "127.0.0.1", QString::number(port));
    const TchatProbe probe(window);
    ASSERT_TRUE(waitFor([&] { return probe.seats().occupied(1); }));
    EXPECT_EQ(probe.state().myseat, 1);
    EXPECT_TRUE(probe.menu().StartGame1->isEnabled());
    EXPECT_TRUE(probe.startButton().isVisible());

    testsupport::RawClient bob(port);
    ASSERT_EQ(bob.logIn("Bob"), 2);
    ASSERT_TRUE(waitFor([&] { return probe.seats().nameLabel(2)->text() == "Bob"; }));

    probe.menu().StartGame1->trigger();
    options.image_1Click(3);
    options.button_startClick();
    EXPECT_TRUE(bob.waitFor("CMD_startgame+Ann+nine+0+"));
    EXPECT_FALSE(bob.waitForPrefix("CMD_loadball+").isEmpty());
    EXPECT_TRUE(serve.terminate());
    EXPECT_TRUE(waitFor([&] { return !window.isVisible(); })); // the host went
    qunsetenv("LUDOMYRA_HOME");
}

} // namespace
