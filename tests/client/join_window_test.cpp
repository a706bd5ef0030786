// The Play with Others window driven from the keyboard and the mouse: what
// it joins or hosts, what it says about bad input, and what it remembers in
// the settings file across a restart.
#include "client/join/play_with_others.h"
#include "common/inifile.h"
#include "event_wait.h"
#include "qstring_printer.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {

struct Chosen {
    QString verb; // "host" or "join"
    QString name;
    QString where; // the port, or the table's address text
};

class JoinWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(home.isValid());
        qunsetenv("LUDOMYRA_PORT");
    }

    std::unique_ptr<PlayWithOthers> makeWindow() {
        return std::make_unique<PlayWithOthers>(
            TableMemory(settingsFile()),
            PlayWithOthers::Hooks{
                .host =
                    [this](const QString& name, quint16 port) {
                        chosen.append({"host", name, QString::number(port)});
                        return refusal;
                    },
                .join =
                    [this](const QString& name, const TableAddress& table) {
                        chosen.append({"join", name, table.text()});
                        return refusal;
                    },
                .heldSeat = {},
            });
    }
    QString settingsFile() const { return home.filePath("glenmorra.ini"); }

    template <typename Widget> static Widget* part(PlayWithOthers& window, const char* name) {
        auto* found = window.findChild<Widget*>(name);
        EXPECT_TRUE(found) << name;
        return found;
    }
    static void retype(QLineEdit* edit, const QString& text) {
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Backspace);
        QTest::keyClicks(edit, text);
    }
    // Types the address and presses Enter in it; returns what the window said.
    static QString joinTyped(PlayWithOthers& window, const QString& address) {
        retype(part<QLineEdit>(window, "edit_address"), address);
        QTest::keyClick(part<QLineEdit>(window, "edit_address"), Qt::Key_Return);
        return part<QLabel>(window, "label_message")->text();
    }
    static QStringList listed(PlayWithOthers& window, const char* list) {
        QStringList texts;
        auto* widget = part<QListWidget>(window, list);
        for (int row = 0; row < widget->count(); ++row)
            texts << widget->item(row)->text();
        return texts;
    }

    QTemporaryDir home;
    QList<Chosen> chosen;
    QString refusal; // what the hooks answer
};

TEST_F(JoinWindowTest, JoinsEveryAddressFormAndSaysWhatIsWrongWithBadInput) {
    auto window = makeWindow();
    window->offer(nullptr, false);
    ASSERT_TRUE(window->isVisible());

    EXPECT_EQ(joinTyped(*window, "ann-pc"), "Type your name: the others see you by it.");
    EXPECT_TRUE(chosen.isEmpty());
    QTest::keyClicks(part<QLineEdit>(*window, "edit_name"), " Bo+b ");

    const struct {
        QString typed;
        QString joined;  // the table joined, or empty
        QString message; // what the window says instead
    } cases[] = {
        {"ann-pc", "ann-pc:7772", {}},
        {" 192.168.1.5:7000 ", "192.168.1.5:7000", {}},
        {"ludomyra://ann-pc:7001/", "ann-pc:7001", {}},
        {"ann-pc:99999", {}, "The port must be a number from 1 to 65535."},
        {"<img src=x>", {}, "\"<img src=x>\" is not a host name or address."},
        {"ludomyra://ann-pc:7000/evil",
         {},
         "This invite link cannot be used: it holds more than a host and a port. An invite "
         "link looks like ludomyra://HOST:PORT."},
        {"[2001:db8::7]:7000", "[2001:db8::7]:7000", {}},
        {"2001:db8::7", "[2001:db8::7]:7772", {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed.toStdString());
        window->show();
        chosen.clear();
        EXPECT_EQ(joinTyped(*window, c.typed), c.message);
        if (c.joined.isEmpty()) {
            EXPECT_TRUE(chosen.isEmpty());
            EXPECT_TRUE(window->isVisible()) << "the player can put it right";
            EXPECT_EQ(part<QLabel>(*window, "label_message")->textFormat(), Qt::PlainText);
            continue;
        }
        ASSERT_EQ(chosen.size(), 1);
        EXPECT_EQ(chosen[0].verb, "join");
        EXPECT_EQ(chosen[0].name, "Bo-b") << "the name as the host will show it";
        EXPECT_EQ(chosen[0].where, c.joined);
        EXPECT_FALSE(window->isVisible());
    }

    // A join or a host that fails keeps the window open with the reason.
    window->offer(nullptr, true);
    refusal = "Could not host on port 7001 (Listen - Error Binding Socket): another program "
              "may be using it.";
    auto* port = part<QLineEdit>(*window, "edit_port");
    EXPECT_EQ(port->text(), "7772");
    retype(port, "0");
    QTest::mouseClick(part<QPushButton>(*window, "button_host"), Qt::LeftButton);
    EXPECT_EQ(part<QLabel>(*window, "label_message")->text(),
              "The port must be a number from 1 to 65535.");
    chosen.clear();
    retype(port, "7001");
    QTest::keyClick(port, Qt::Key_Return);
    ASSERT_EQ(chosen.size(), 1);
    EXPECT_EQ(chosen[0].verb, "host");
    EXPECT_EQ(chosen[0].where, "7001");
    EXPECT_EQ(part<QLabel>(*window, "label_message")->text(), refusal);
    EXPECT_TRUE(window->isVisible());
}

TEST_F(JoinWindowTest, RemembersTheNameAndTheTenNewestTablesAcrossARestart) {
    IniFile before(settingsFile());
    before.writeString("Ludomyra", "Textsize", "12");
    before.writeString("Other", "Key", "kept");
    ASSERT_TRUE(before.save());
    {
        auto window = makeWindow();
        window->offer(nullptr, false, "Ann");
        for (int n = 1; n <= 12; ++n)
            joinTyped(*window, QString("table%1:7000").arg(n));
        joinTyped(*window, "TABLE5:7000"); // joined again: first, and only once
        ASSERT_EQ(chosen.size(), 13);
        auto* routerBox = part<QCheckBox>(*window, "check_portmapping");
        EXPECT_TRUE(routerBox->isChecked()) << "a window asks the router unless told not to";
        QTest::keyClick(routerBox, Qt::Key_Space);
    }
    auto window = makeWindow();
    window->offer(nullptr, false);
    EXPECT_EQ(part<QLineEdit>(*window, "edit_name")->text(), "Ann");
    EXPECT_FALSE(part<QCheckBox>(*window, "check_portmapping")->isChecked());
    EXPECT_FALSE(TableMemory(settingsFile()).portMapping());
    QStringList recent = listed(*window, "list_recent");
    ASSERT_EQ(recent.size(), 10);
    for (QString& entry : recent) {
        EXPECT_TRUE(entry.contains(QDateTime::currentDateTime().toString("yyyy-MM-dd")))
            << entry.toStdString();
        entry = entry.section(u' ', 0, 0);
    }
    EXPECT_EQ(recent, QStringList({"TABLE5:7000", "table12:7000", "table11:7000", "table10:7000",
                                   "table9:7000", "table8:7000", "table7:7000", "table6:7000",
                                   "table4:7000", "table3:7000"}));

    IniFile after(settingsFile());
    ASSERT_TRUE(after.load());
    EXPECT_EQ(after.readString("Ludomyra", "Textsize", {}), "12");
    EXPECT_EQ(after.readString("Other", "Key", {}), "kept");
    EXPECT_EQ(after.readString("Ludomyra", "Playername", {}), "Ann");
    EXPECT_EQ(after.readString("Ludomyra", "PortMapping", {}), "0");
    EXPECT_TRUE(after.readString("Ludomyra", "Recent1", {}).startsWith("TABLE5:7000|"));

    // Choosing a recent table fills the address; activating it joins.
    auto* list = part<QListWidget>(*window, "list_recent");
    const QRect second = list->visualItemRect(list->item(1));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, second.center());
    EXPECT_EQ(part<QLineEdit>(*window, "edit_address")->text(), "table12:7000");
    chosen.clear();
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, second.center());
    ASSERT_FALSE(chosen.isEmpty());
    EXPECT_EQ(chosen.last().where, "table12:7000");
}

TEST_F(JoinWindowTest, TablesOnThisNetworkAreListedAsPlainTextAndChoosingOneFillsTheAddress) {
    auto window = makeWindow();
    window->offer(nullptr, false, "Ann");
    auto* none = part<QLabel>(*window, "label_notables");
    EXPECT_TRUE(none->isVisible());

    FoundTable ann{"192.168.1.5", 7772, "Ann", "1.0.8", 2, 1, true, "nine"};
    FoundTable eve{"fe80::1", 7000, "<b>Eve</b>", "2.0", 1, 0, false, {}};
    window->showTables({ann, eve});
    EXPECT_FALSE(none->isVisible());
    EXPECT_EQ(listed(*window, "list_tables"),
              QStringList({QString::fromUtf8("Ann \u2014 192.168.1.5:7772 \u2014 2 of 5 seats "
                                             "taken, 1 spy, playing 9 Ball"),
                           QString::fromUtf8("<b>Eve</b> \u2014 [fe80::1]:7000 \u2014 1 of 5 seats "
                                             "taken, 0 spies, waiting (version 2.0)")}));

    auto* list = part<QListWidget>(*window, "list_tables");
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(list->item(0)).center());
    EXPECT_EQ(part<QLineEdit>(*window, "edit_address")->text(), "192.168.1.5:7772");
    // A refresh keeps the chosen table chosen, wherever it now stands.
    ann.seatsTaken = 3;
    window->showTables({eve, ann});
    ASSERT_TRUE(list->currentItem());
    EXPECT_TRUE(list->currentItem()->text().startsWith("Ann"));
    window->showTables({});
    EXPECT_TRUE(none->isVisible());
    EXPECT_EQ(list->count(), 0);
}

} // namespace
