// The player's settings file as the client reads and writes it, and the game
// options window that starts a game.
#include "client_harness.h"

#include "client/tgamestart.h"
#include "common/inifile.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <QRadioButton>
#include <QScreen>
#include <QTest>

namespace clienttest {
namespace {

class SettingsTest : public ClientHarness {
protected:
    QString stored(const char* key) {
        IniFile ini(settingsPath());
        ini.load();
        return ini.readString("Ludomyra", key, "<missing>");
    }
    QByteArray fileBytes() {
        QFile file(settingsPath());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    const MainMenu& menu() const { return probe().menu(); }
    const ChatPart& chatPart() const { return probe().chat(); }
};

TEST_F(SettingsTest, WithoutAFileTheDefaultsHoldOnceConnected) {
    logIn(1);
    EXPECT_EQ(chat->bounds(), QRect(3, 3, 748, 563));
    EXPECT_TRUE(menu().PlaySounds1->isChecked());
    EXPECT_TRUE(menu().PlayChatterSounds1->isChecked());
    EXPECT_TRUE(menu().ShowWordList1->isChecked());
    EXPECT_TRUE(menu().Short1->isChecked());
    EXPECT_EQ(chat->betweenRounds(), 5);
    EXPECT_TRUE(menu().Normal1->isChecked());
    EXPECT_EQ(chat->botSpeedMs(), 1000);
    EXPECT_TRUE(menu().Classic1->isChecked());
    EXPECT_EQ(chat->gameChoice().gametype, 1);
    EXPECT_EQ(chat->gameChoice().botoff, 0);
    EXPECT_EQ(probe().chat().textSize(), 8);
    EXPECT_TRUE(menu().TextSize8->isChecked());
    EXPECT_FALSE(menu().TextSize10->isChecked());
    EXPECT_EQ(probe().chat().textColour(), colourValue(0, 0, 0));
    EXPECT_FALSE(QFile::exists(settingsPath())); // loading writes nothing
}

TEST_F(SettingsTest, StoredValuesAreReadWithTheirGuards) {
    struct Case {
        const char* lines;
        std::function<bool()> holds;
        const char* what;
    };
    const Case cases[] = {
        {"Textsize=12",
         [this] { return chatPart().textSize() == 12 && menu().TextSize12->isChecked(); },
         "text size"},
        {"Textsize=11",
         [this] { return chatPart().textSize() == 11 && !menu().TextSize12->isChecked(); },
         "text size without an item"},
        {"Textsize=99", [this] { return chatPart().textSize() == 8; }, "text size out of range"},
        {"Textcolor=$000080FF",
         [this] { return chatPart().textColour() == colourValue(255, 128, 0); }, "hex colour"},
        {"Textcolor=CLNAVY", [this] { return chatPart().textColour() == colourValue(0, 0, 128); },
         "colour name"},
        {"Textcolor=tartan", [this] { return chatPart().textColour() == colourValue(0, 0, 0); },
         "no colour"},
        {"Phrase2=Nice, \"shot\"!",
         [this] { return chatPart().phrases().value(1) == "Nice, \"shot\"!"; }, "phrase"},
        {"Botspeed=2000",
         [this] { return menu().Slow1->isChecked() && chat->botSpeedMs() == 2000; }, "slow"},
        {"Botspeed=fast", [this] { return chat->botSpeedMs() == 1000; }, "unknown speed"},
        {"Betweenrounds=10",
         [this] { return menu().Long1->isChecked() && chat->betweenRounds() == 10; }, "long"},
        {"Betweenrounds=7",
         [this] { return menu().Short1->isChecked() && chat->betweenRounds() == 7; },
         "other pause"},
        {"Betweenrounds=soon", [this] { return chat->betweenRounds() == 5; }, "unreadable pause"},
        {"Gametype=0", [this] { return chat->gameChoice().gametype == 1; }, "game type 0"},
        {"Gametype=", [this] { return chat->gameChoice().gametype == 1; }, "empty game type"},
        {"Gametype=9", [this] { return chat->gameChoice().gametype == 1; }, "game type 9"},
        {"Gametype=$3", [this] { return chat->gameChoice().gametype == 3; }, "hex game type"},
        {"Botplay=1", [this] { return chat->gameChoice().botoff == 1; }, "bot off"},
        {"Botfair=1\r\nExactmarks=1",
         [this] { return chat->gameChoice().botfair == 1 && chat->gameChoice().exactmarks == 1; },
         "table rules"},
        {"Botfair=yes\r\nExactmarks=",
         [this] { return chat->gameChoice().botfair == 0 && chat->gameChoice().exactmarks == 0; },
         "unreadable table rules"},
        {"Playsounds=False", [this] { return menu().PlaySounds1->isChecked(); }, "False"},
        {"Playsounds=false", [this] { return !menu().PlaySounds1->isChecked(); }, "false"},
        {"ChatterSounds=false", [this] { return !menu().PlayChatterSounds1->isChecked(); },
         "chatter off"},
        {"Showwordlist=false", [this] { return !menu().ShowWordList1->isChecked(); },
         "word list off"},
        {"Turnsound=1", [this] { return menu().New1->isChecked(); }, "new turn sound"},
        {"ColourTiles=true", [this] { return menu().ColourtheTiles1->isChecked(); },
         "coloured tiles"},
        {"ColourTiles=yes", [this] { return !menu().ColourtheTiles1->isChecked(); },
         "tiles left plain"},
        {"Left=40\r\nTop=50\r\nWidth=800\r\nHeight=600",
         [this] { return chat->bounds() == QRect(40, 50, 800, 600); }, "bounds"},
        {"Left=-9000\r\nTop=50", [this] { return chat->bounds() == QRect(3, 3, 748, 563); },
         "bounds off every screen"},
        {"Left=40\r\nTop=50\r\nWidth=1000000\r\nHeight=1000000",
         [this] {
             const QSize workArea = QGuiApplication::primaryScreen()->availableGeometry().size();
             return chat->bounds() == QRect(QPoint(40, 50), workArea);
         },
         "bounds larger than the screen"},
        {"Left=2147483647\r\nTop=-2147483648\r\nHeight=-5",
         [this] { return chat->bounds() == QRect(3, 3, 748, 563); }, "bounds past any screen"},
    };
    for (const Case& c : cases) {
        TearDown();
        SetUp();
        writeSettings(QByteArray("[Ludomyra]\r\n") + c.lines + "\r\n");
        logIn(1);
        EXPECT_TRUE(c.holds()) << c.what;
    }
}

TEST_F(SettingsTest, ASaveKeepsEveryOtherLineOfAHandEditedFile) {
    const QByteArray original = "; my notes\r\n[Other]\r\nName=\"Wow, WTG!\"\r\n"
                                "[LUDOMYRA]\r\nphrase6=Wow, WTG!\r\nBOTSPEED=2000\r\n"
                                "Extra=a=b, \"c\"\r\n[Tail]\r\nx=1\r\n";
    writeSettings(original);
    logIn(1);
    probe().menu().Fast1->trigger();
    const QByteArray saved = fileBytes();
    for (const char* kept : {"; my notes", "[Other]", "Name=\"Wow, WTG!\"", "phrase6=Wow, WTG!",
                             "Extra=a=b, \"c\"", "[Tail]", "x=1"})
        EXPECT_TRUE(saved.contains(kept)) << kept;
    EXPECT_EQ(stored("Botspeed"), "500");
    EXPECT_TRUE(menu().Fast1->isChecked());
    EXPECT_FALSE(menu().Slow1->isChecked());
    EXPECT_EQ(saved.count("otspeed="), 1);
}

TEST_F(SettingsTest, EveryChangeIsSavedInTheUsualOrder) {
    logIn(1);
    probe().menu().Long1->trigger();
    probe().menu().PlaySounds1->trigger();
    probe().menu().New1->trigger();
    probe().menu().ColourtheTiles1->trigger();
    EXPECT_EQ(stored("ColourTiles"), "true");
    EXPECT_EQ(stored("Betweenrounds"), "10");
    EXPECT_EQ(stored("Playsounds"), "false");
    EXPECT_EQ(stored("Turnsound"), "1");
    EXPECT_EQ(chat->betweenRounds(), 10);
    const QByteArray saved = fileBytes();
    int last = -1;
    for (const char* key :
         {"Textsize=", "Top=", "Left=", "Width=", "Height=", "Textcolor=", "Botspeed=", "Gametype=",
          "Botplay=", "Playsounds=", "Showwordlist=", "Turnsound=", "ChatterSounds="}) {
        const int at = int(saved.indexOf(key));
        EXPECT_GT(at, last) << key;
        last = at;
    }
}

TEST_F(SettingsTest, NothingIsWrittenBeforeTheSettingsWereLoaded) {
    writeSettings("[Ludomyra]\r\nBotspeed=2000\r\n");
    probe().menu().Fast1->trigger();
    chat->setBounds(QRect(60, 60, 800, 600));
    chat->close();
    EXPECT_EQ(fileBytes(), "[Ludomyra]\r\nBotspeed=2000\r\n");
}

TEST_F(SettingsTest, ClosingWritesTheBoundsOnlyWhenTheyChanged) {
    writeSettings("[Ludomyra]\r\nLeft=40\r\nTop=50\r\nWidth=800\r\nHeight=600\r\n");
    logIn(1);
    chat->close();
    EXPECT_EQ(fileBytes(), "[Ludomyra]\r\nLeft=40\r\nTop=50\r\nWidth=800\r\nHeight=600\r\n");
    chat->show();
    chat->setBounds(QRect(60, 70, 760, 580));
    const QRect moved = chat->bounds();
    chat->close();
    EXPECT_EQ(stored("Left"), QString::number(moved.left()));
    EXPECT_EQ(stored("Top"), QString::number(moved.top()));
    EXPECT_EQ(stored("Width"), QString::number(moved.width()));
    EXPECT_EQ(stored("Height"), QString::number(moved.height()));
}

TEST_F(SettingsTest, AWindows1252FileIsReadAndWrittenBackAsUtf8) {
    writeSettings("[Ludomyra]\r\nPhrase1=Caf\xE9 \x80"
                  "5\r\n");
    logIn(1);
    probe().menu().Fast1->trigger();
    EXPECT_TRUE(fileBytes().contains("Phrase1=Caf\xC3\xA9 \xE2\x82\xAC"
                                     "5"));
}

TEST_F(SettingsTest, AFailedSaveKeepsTheOldFileAndSaysSoOnce) {
    logIn(1);
    ASSERT_TRUE(QDir(home.path()).mkdir("glenmorra.ini")); // where the file should be
    probe().menu().Fast1->trigger();
    probe().menu().Slow1->trigger();
    EXPECT_EQ(chatText().count("Could not save the settings."), 1);
}

// Each rule is one choice among a few, read from and kept under the keys
// older files and "--serve" ini files use: Botplay (1: Klot off), Botfair,
// Exactmarks. Turning Klot off keeps how it plays for the next time.
TEST_F(SettingsTest, TheGameOptionsWindowShowsEachRuleAsOneChoiceUnderTheOldKeys) {
    writeSettings("[Ludomyra]\r\nGametype=3\r\nBotfair=1\r\nExactmarks=1\r\n");
    Tgamestart window(chat->gameChoice(), [this] { chat->startGame(); });
    logIn(1, "Ann");
    EXPECT_TRUE(probe().menu().StartGame1->isEnabled()); // slot 1 starts games
    window.show();
    const auto chosen = [&] {
        QStringList names;
        for (const QRadioButton* choice : window.findChildren<QRadioButton*>())
            if (choice->isChecked())
                names << choice->objectName();
        return names;
    };
    const auto click = [&](const char* name) {
        QRadioButton* choice = window.findChild<QRadioButton*>(name);
        ASSERT_TRUE(choice) << name;
        QTest::mouseClick(choice, Qt::LeftButton, {}, QPoint(8, choice->height() / 2));
    };
    EXPECT_EQ(chosen(), QStringList({"image_3", "marks_exact", "klot_fair"}));

    click("image_4");
    click("marks_classic");
    click("klot_off");
    EXPECT_EQ(chosen(), QStringList({"image_4", "marks_classic", "klot_off"}));
    window.button_startClick();
    EXPECT_EQ(sent(), QStringList{"CMD_startgame+Ann+race+1+"});
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(stored("Gametype"), "4");
    EXPECT_EQ(stored("Botplay"), "1");
    EXPECT_EQ(stored("Botfair"), "1");
    EXPECT_EQ(stored("Exactmarks"), "0");

    window.show();
    click("klot_hints");
    window.button_startClick();
    EXPECT_EQ(sent(), QStringList{"CMD_startgame+Ann+race+0+"});
    EXPECT_EQ(stored("Botplay"), "0");
    EXPECT_EQ(stored("Botfair"), "0");
    EXPECT_EQ(chat->gameChoice().exactmarks, 0);
}

// However the table was joined again (a rejoin, the command line, a
// reconnection), "Recent tables" shows the time of the newest arrival.
TEST_F(SettingsTest, AnArrivalAtATableJoinedBeforeIsItsNewTimeInRecentTables) {
    const QString table = "127.0.0.1:" + QString::number(host.localPort());
    writeSettings(("[Ludomyra]\r\nRecent1=other:7000|2020-01-01T00:00:00Z\r\nRecent2=" + table +
                   "|2020-01-01T00:00:00Z\r\n")
                      .toUtf8());
    logIn(2, "Ann");
    const QString newest = stored("Recent1");
    EXPECT_TRUE(newest.startsWith(table + "|")) << newest.toStdString();
    const QDateTime when = QDateTime::fromString(newest.section(u'|', 1), Qt::ISODate);
    EXPECT_LE(when.secsTo(QDateTime::currentDateTimeUtc()), 60);
    EXPECT_EQ(stored("Recent2"), "other:7000|2020-01-01T00:00:00Z");
    EXPECT_EQ(stored("Recent3"), "");
}

TEST_F(SettingsTest, OnlySlotOneMayStartAGame) {
    logIn(2);
    chat->startGame();
    EXPECT_TRUE(sent().isEmpty());
    EXPECT_FALSE(probe().menu().StartGame1->isEnabled());
    EXPECT_FALSE(probe().startButton().isVisible());
}

} // namespace
} // namespace clienttest
