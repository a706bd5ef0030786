#include "app/play_mode.h"

#include <gtest/gtest.h>

namespace {

TEST(PlayModeTest, ArgumentsChooseSoloHostJoinALinkOrTheWindow) {
    struct Case {
        QStringList args;
        PlayMode mode;
        QString name;
        QString address;
    };
    const Case cases[] = {
        {{}, PlayMode::Solo, "You", "127.0.0.1"},
        {{"Ann"}, PlayMode::Incomplete, "Ann", ""},
        {{"A+nn", "10.0.0.5"}, PlayMode::Incomplete, "A-nn", "10.0.0.5"},
        {{"ludomyra://10.0.0.5:7000"}, PlayMode::Link, "", "ludomyra://10.0.0.5:7000"},
        {{" LudoMyra:nonsense"}, PlayMode::Link, "", " LudoMyra:nonsense"},
        {{"ludomyra://10.0.0.5:7000", "Ann"},
         PlayMode::Incomplete,
         "ludomyra://10.0.0.5:7000",
         "Ann"},
        {{"Ann", "10.0.0.5", "true"}, PlayMode::Host, "Ann", "10.0.0.5"},
        {{"Ann", "10.0.0.5", "True"}, PlayMode::Join, "Ann", "10.0.0.5"},
        {{"Ann", "10.0.0.5", "false"}, PlayMode::Join, "Ann", "10.0.0.5"},
        {{"Ann", "host.example", "true", "extra"}, PlayMode::Host, "Ann", "host.example"},
        {{"A+n+n", "10.0.0.5", "x"}, PlayMode::Join, "A-n-n", "10.0.0.5"},
        {{" A\u202En\u2028n ", "10.0.0.5", "x"}, PlayMode::Join, "Ann", "10.0.0.5"},
    };
    for (const Case& c : cases) {
        const PlayChoice choice = choosePlayMode(c.args);
        EXPECT_EQ(choice.mode, c.mode) << c.args.join(' ').toStdString();
        EXPECT_EQ(choice.playername, c.name) << c.args.join(' ').toStdString();
        EXPECT_EQ(choice.hostaddress, c.address) << c.args.join(' ').toStdString();
    }
}

} // namespace
