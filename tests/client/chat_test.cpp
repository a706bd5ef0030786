#include "client/chat/chat_entry.h"
#include "client/chat/chat_pane.h"
#include "client/chat/chat_part.h"
#include "client/chat/colour_text.h"
#include "client/chat/phrase_buttons.h"
#include "client/chat/smiley_menu.h"
#include "client/chat/tphrases.h"
#include "client/core/main_menu.h"
#include "client/look/message_box.h"
#include "net/protocol.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <gtest/gtest.h>

void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

namespace {

class RecordingOutbox : public ClientOutbox {
public:
    void send(const QString& text) override { sent.append(text); }
    QStringList sent;
};

const ColourValue kNavy = colourValue(0, 0, 128);

// A line of the pane as runs of equal look: "text/colour/bold/underline" or "<image name>".
QStringList looksOf(const ChatPane& pane, const QTextBlock& block) {
    QStringList runs;
    for (auto it = block.begin(); !it.atEnd(); ++it) {
        const QTextCharFormat format = it.fragment().charFormat();
        QString run;
        if (format.isImageFormat()) {
            run = "<" + format.toImageFormat().name() + ">";
        } else {
            run = it.fragment().text() + "/" +
                  colourtext::write(fromQColor(pane.textColourAt(it.fragment().position())));
            if (format.fontWeight() == QFont::Bold)
                run += "/bold";
            if (format.fontUnderline())
                run += "/underline";
        }
        if (!runs.isEmpty() && !format.isImageFormat() && !runs.last().startsWith('<') &&
            runs.last().section('/', 1) == run.section('/', 1))
            runs.last() = runs.last().section('/', 0, 0) + run; // same look: one run
        else
            runs.append(run);
    }
    return runs;
}

class ChatTest : public ::testing::Test {
protected:
    ChatTest() {
        state.connected = true;
        state.myseat = 3;
        panel.resize(740, 517);
        part.pane()->openUrl = [this](const QUrl& url) {
            opened.append(url.toString());
            return true;
        };
        messagebox::setHandler([this](QWidget*, const QString& text) { boxes.append(text); });
    }
    ~ChatTest() override { messagebox::setHandler({}); }

    QTextDocument* document() const { return part.pane()->document(); }
    QTextBlock lastLine() const { return part.pane()->newestLine(); }
    // A CMD_chat's fields as the window's dispatcher hands them on.
    void received(const QString& fields) {
        try {
            part.chatrecieved(gamemsg::Chat::parse(fields));
        } catch (const MalformedMessage&) {
        }
    }
    QStringList runsOf(const QTextBlock& line) const { return looksOf(*part.pane(), line); }
    // How many pixels of the shown pane within line have exactly this colour.
    int pixelsIn(const QTextBlock& line, const QColor& colour) const {
        ChatPane* pane = part.pane();
        const QImage shown = pane->viewport()->grab().toImage();
        const QRect area = document()
                               ->documentLayout()
                               ->blockBoundingRect(line)
                               .toAlignedRect()
                               .translated(0, -pane->verticalScrollBar()->value())
                               .intersected(shown.rect());
        int count = 0;
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x)
                count += shown.pixelColor(x, y) == colour ? 1 : 0;
        return count;
    }
    void type(const QString& text) {
        QTest::keyClicks(part.entry(), text);
        QTest::keyClick(part.entry(), Qt::Key_Return);
    }
    QPushButton* phraseButton(int number) const {
        return panel.findChild<QPushButton*>(QString("b_phrase%1").arg(number));
    }

    QWidget panel;
    QMenuBar bar;
    MainMenu menu{&bar};
    ClientState state;
    RecordingOutbox outbox;
    ChatPart part{&panel, menu, state, outbox};
    QStringList opened;
    QStringList boxes;
};

TEST_F(ChatTest, LinesShowSpeakerSmileysAndLinksInTheirStyles) {
    part.addlinetochat("3+Ann chats: hi :)#12 see www.example.com now", kNavy);
    EXPECT_EQ(runsOf(lastLine()),
              QStringList({"Ann chats: hi /clNavy/bold", "<smiley:2>", " see /clNavy/bold",
                           "www.example.com /clGreen/underline", "now /clNavy/bold"}));

    part.addlinetochat("0+Loading Solo Game..Please wait.", kSystemLineColour);
    EXPECT_EQ(runsOf(lastLine()), QStringList({"Loading Solo Game..Please wait. /$00005E00/bold"}));
    EXPECT_EQ(part.pane()->lineCount(), 2);

    part.addlinetochat("3+Ann chats: at https://secure.example/p now", kNavy);
    EXPECT_EQ(runsOf(lastLine()),
              QStringList({"Ann chats: at /clNavy/bold",
                           "https://secure.example/p /clGreen/underline", "now /clNavy/bold"}));

    struct Code {
        const char* line;
        const char* image;
    };
    for (const Code& code :
         {Code{"5+Bo: end :)#5", "<smiley:0>"}, Code{"5+Bo: :)#27", "<smiley:17>"},
          Code{"5+Bo: :)#28 too", "<smiley:0>"}, Code{"5+Bo: :)#1x", "<smiley:0>"}}) {
        part.addlinetochat(code.line, kNavy);
        EXPECT_TRUE(runsOf(lastLine()).contains(code.image)) << code.line;
    }
}

TEST_F(ChatTest, ASendersNewColourRepaintsItsEarlierLinesOnly) {
    panel.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&panel));
    const QColor red(255, 0, 0), blue(0, 0, 255), navy = toQColor(kNavy), green(0, 128, 0);
    part.addlinetochat("4+Bob chats: one www.a.com", colourValue(255, 0, 0));
    part.addlinetochat("3+Ann chats: mine", kNavy);
    const QTextBlock first = document()->firstBlock();
    EXPECT_GT(pixelsIn(first, red), 0);
    part.addlinetochat("4+Bob chats: two", colourValue(0, 0, 255));
    EXPECT_EQ(runsOf(first),
              QStringList({"Bob chats: one /clBlue/bold", "www.a.com /clGreen/underline"}));
    EXPECT_EQ(runsOf(first.next()), QStringList({"Ann chats: mine /clNavy/bold"}));

    // What the player sees: Bob's first line is drawn blue now, its link still green.
    EXPECT_GT(pixelsIn(first, blue), 0);
    EXPECT_EQ(pixelsIn(first, red), 0);
    EXPECT_GT(pixelsIn(first, green), 0);
    EXPECT_GT(pixelsIn(first.next(), navy), 0);
    EXPECT_EQ(pixelsIn(first.next(), blue), 0);
    part.pane()->popup_mainchat->findChild<QAction*>("SelectAll1")->trigger();
    const QColor highlight = part.pane()->palette().color(QPalette::Inactive, QPalette::Highlight);
    EXPECT_GT(pixelsIn(first, highlight), 0);
}

// A flood of lines that flip their sender's colour must not make each line
// cost more the more the pane holds: a new line changes no earlier line in the
// document, so no earlier line is laid out again, long as it may be.
TEST_F(ChatTest, ANewLineLeavesEveryEarlierLineAsItWas) {
    const ColourValue colours[2] = {colourValue(255, 0, 0), colourValue(0, 0, 255)};
    part.addlinetochat("4+Bob chats: " + QString(64 * 1024, 'x'), colours[0]);
    int firstLineTouched = -1;
    QObject::connect(document(), &QTextDocument::contentsChange, [&](int from, int, int) {
        const int line = document()->findBlock(from).blockNumber();
        firstLineTouched = firstLineTouched < 0 ? line : std::min(firstLineTouched, line);
    });
    for (int line = 1; line < 300; ++line) {
        const int linesBefore = part.pane()->lineCount();
        firstLineTouched = -1;
        part.addlinetochat(
            QString("%1+Someone chats: line %2 www.a.com :)#12").arg(line % 3 ? 4 : 5).arg(line),
            colours[line % 2]);
        ASSERT_EQ(part.pane()->lineCount(), linesBefore + 1);
        ASSERT_GE(firstLineTouched, linesBefore) << "line " << line;
    }
    part.addlinetochat("4+Bob chats: navy now", kNavy);
    EXPECT_EQ(runsOf(document()->firstBlock()).first().section('/', 1), "clNavy/bold");
}

TEST_F(ChatTest, ReceivedChatIsMendedOrDropped) {
    struct Case {
        QString fields;
        QString shown; // empty: dropped
        QString colour;
    };
    const Case cases[] = {
        {"3+Ann chats: hi|clNavy", "Ann chats: hi ", "clNavy"},
        {"3+A|nn chats: a|b|$00800000", "A|nn chats: a|b ", "clNavy"},
        {"3+Ann chats: <b>x</b>|clNavy", "Ann chats: <b>x</b> ", "clNavy"},
        {QString("3+Ann chats: a\n0+You\x01 \u202Eb\u2066|clNavy"), "Ann chats: a 0+You   b ",
         "clNavy"},
        {"3+Ann chats: hi|$01000000", "Ann chats: hi ", "clRed"},
        {"3+Ann chats: hi|clNone", "Ann chats: hi ", "clRed"},
        {"3+Ann chats: hi|nonsense", "Ann chats: hi ", "clRed"},
        {"9+Spy chats: no bar", "Spy chats: no bar ", "clRed"},
        {"0+Table rules: exact marks.|$00005E00", "Table rules: exact marks. ", "$00005E00"},
        {"10+Ann chats: hi|clNavy", "", ""},
        {"x+Ann chats: hi|clNavy", "", ""},
        {"-3+Ann chats: hi|clNavy", "", ""},
        {"no plus at all", "", ""},
    };
    for (const Case& c : cases) {
        part.pane()->clearChat();
        received(c.fields);
        if (c.shown.isEmpty()) {
            EXPECT_TRUE(document()->isEmpty()) << c.fields.toStdString();
            continue;
        }
        ASSERT_EQ(part.pane()->lineCount(), 1) << c.fields.toStdString();
        EXPECT_EQ(lastLine().text(), c.shown);
        EXPECT_EQ(runsOf(lastLine()), QStringList(c.shown + "/" + c.colour + "/bold"));
    }
    received("3+Ann chats: hi|clBtnFace"); // system colours come from the palette
    EXPECT_EQ(part.pane()->textColourAt(lastLine().position()),
              QGuiApplication::palette().color(QPalette::Button));
}

TEST_F(ChatTest, ColourTextRoundTripsAndRefusesGarbage) {
    struct Case {
        const char* text;
        std::optional<ColourValue> value;
        const char* written; // how the value is written back
    };
    const Case cases[] = {
        {"clBlack", colourValue(0, 0, 0), "clBlack"},
        {"clMaroon", colourValue(128, 0, 0), "clMaroon"},
        {"clGreen", colourValue(0, 128, 0), "clGreen"},
        {"clOlive", colourValue(128, 128, 0), "clOlive"},
        {"clNavy", colourValue(0, 0, 128), "clNavy"},
        {"clPurple", colourValue(128, 0, 128), "clPurple"},
        {"clTeal", colourValue(0, 128, 128), "clTeal"},
        {"clGray", colourValue(128, 128, 128), "clGray"},
        {"clSilver", colourValue(192, 192, 192), "clSilver"},
        {"clRed", colourValue(255, 0, 0), "clRed"},
        {"clLime", colourValue(0, 255, 0), "clLime"},
        {"clYellow", colourValue(255, 255, 0), "clYellow"},
        {"clBlue", colourValue(0, 0, 255), "clBlue"},
        {"clFuchsia", colourValue(255, 0, 255), "clFuchsia"},
        {"clAqua", colourValue(0, 255, 255), "clAqua"},
        {"clWhite", colourValue(255, 255, 255), "clWhite"},
        {"CLnAVY", colourValue(0, 0, 128), "clNavy"},
        {"clScrollBar", 0xFF000000, "clScrollBar"},
        {"clbtnface", 0xFF00000F, "clBtnFace"},
        {"$FF000018", 0xFF000018, "clInfoBk"},
        {"-16777215", 0xFF000001, "clBackground"},
        {"clNone", 0x1FFFFFFF, "clNone"},
        {"$000080FF", colourValue(255, 128, 0), "$000080FF"},
        {"$80ff", colourValue(255, 128, 0), "$000080FF"},
        {"24064", colourValue(0, 94, 0), "$00005E00"},
        {" 16777215 ", colourValue(255, 255, 255), "clWhite"},
        {"", std::nullopt, ""},
        {"$", std::nullopt, ""},
        {"$01000000", std::nullopt, ""},
        {"$FF000019", std::nullopt, ""},
        {"$123456789", std::nullopt, ""},
        {"$0x12", std::nullopt, ""},
        {"-5", std::nullopt, ""},
        {"+5", std::nullopt, ""},
        {"12abc", std::nullopt, ""},
        {"clPink", std::nullopt, ""},
        {"99999999999", std::nullopt, ""},
    };
    for (const Case& c : cases) {
        const std::optional<ColourValue> read = colourtext::read(c.text);
        EXPECT_EQ(read, c.value) << c.text;
        if (read) {
            EXPECT_EQ(colourtext::write(*read), c.written) << c.text;
        }
    }
    EXPECT_EQ(fromQColor(toQColor(colourValue(255, 128, 0))), colourValue(255, 128, 0));
    EXPECT_EQ(toQColor(kNoColour), QGuiApplication::palette().color(QPalette::WindowText));
}

TEST_F(ChatTest, EnterSendsChatOrMeActionsAndNothingElse) {
    struct Case {
        const char* typed;
        const char* sent; // nullptr: nothing
    };
    for (const Case& c :
         {Case{"hello | you", "CMD_chat+3+hello | you|clBlack"},
          Case{"/me waves", "CMD_action+3+waves|clBlack"}, Case{"/meow", "CMD_action+3+w|clBlack"},
          Case{"/Me waves", nullptr}, Case{"/join", nullptr}, Case{"", nullptr}}) {
        outbox.sent.clear();
        type(c.typed);
        EXPECT_EQ(outbox.sent, c.sent ? QStringList(c.sent) : QStringList()) << c.typed;
        EXPECT_EQ(part.entry()->text(), "") << c.typed;
    }
    outbox.sent.clear();
    state.connected = false;
    type("later");
    EXPECT_TRUE(outbox.sent.isEmpty());
    EXPECT_EQ(part.entry()->text(), "later");
}

TEST_F(ChatTest, EntryBoxTakesPasteAndSmileysAsOneCleanLine) {
    EXPECT_EQ(part.entry()->text(), ChatEntry::kPlaceholder);
    QApplication::clipboard()->setText("one\ntwo\tthree\r\n");
    part.entry()->setCursorPosition(0);
    QTest::keyClick(part.entry(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(part.entry()->text(), "one two three  ");
    EXPECT_EQ(part.entry()->cursorPosition(), part.entry()->text().size());

    part.entry()->setText(ChatEntry::kPlaceholder);
    auto* smileys = part.entry()->parentWidget()->findChild<SmileyButton*>("button_smilies");
    smileys->popup_smilies()->actions().at(2)->trigger();
    EXPECT_EQ(part.entry()->text(), ":)#12");

    QApplication::clipboard()->setText(QString(1500, 'x'));
    part.entry()->popup_mychat->actions().first()->trigger(); // "Paste"
    EXPECT_EQ(part.entry()->text().size(), ChatEntry::kMaxLength);
    EXPECT_TRUE(part.entry()->text().startsWith(":)#12xxx"));
}

TEST_F(ChatTest, PhraseButtonsSendOnceThenCoolDown) {
    part.setPhrases({"", "/me dances", ""});
    EXPECT_EQ(part.phrases().mid(0, 3), QStringList({"Way To Go!", "/me dances", "Nice Try!"}));
    EXPECT_EQ(QTextDocumentFragment::fromHtml(phraseButton(2)->toolTip()).toPlainText(),
              "/me dances"); // the tooltip shows the phrase, never reads it as markup
    // Each button shows the start of its phrase, as much of the first word as fits.
    const auto caption = [&](int number) {
        QPushButton* button = phraseButton(number);
        EXPECT_LE(button->fontMetrics().horizontalAdvance(button->text()), button->width() - 4);
        return button->text();
    };
    EXPECT_EQ(caption(1), "Way");
    EXPECT_TRUE(QString("dances").startsWith(caption(2)) && caption(2).size() >= 3)
        << caption(2).toStdString();
    EXPECT_TRUE(QString("Excellent").startsWith(caption(4)) && caption(4).size() >= 3);
    EXPECT_EQ(caption(6), "Wow");

    QTest::mouseClick(phraseButton(1), Qt::LeftButton);
    QTest::mouseClick(phraseButton(1), Qt::LeftButton);
    EXPECT_EQ(outbox.sent, QStringList({"CMD_action+3+says: Way To Go!|clBlack"}));
    for (int tick = 0; tick < 100; ++tick)
        part.tick();
    QTest::mouseClick(phraseButton(2), Qt::LeftButton);
    EXPECT_EQ(outbox.sent.size(), 1);
    part.tick();
    QTest::mouseClick(phraseButton(2), Qt::LeftButton);
    EXPECT_EQ(outbox.sent.last(), "CMD_action+3+dances|clBlack");

    for (int tick = 0; tick < 101; ++tick)
        part.tick();
    state.connected = false;
    QTest::mouseClick(phraseButton(3), Qt::LeftButton);
    EXPECT_EQ(outbox.sent.size(), 2);
}

TEST_F(ChatTest, PhraseEditorLimitsTypingButKeepsLongStoredPhrases) {
    const QString stored(60, 'a');
    part.setPhrases({stored});
    QStringList saved;
    part.phrasesEdited = [&](const QStringList& phrases) {
        saved = phrases;
    };
    menu.PhraseList1->trigger();
    Tphrases* editor = part.phraseEditor();
    ASSERT_TRUE(editor->isVisible());
    auto* first = editor->findChild<QLineEdit*>("edit_phrase1");
    auto* second = editor->findChild<QLineEdit*>("edit_phrase2");
    auto* third = editor->findChild<QLineEdit*>("edit_phrase3");
    EXPECT_EQ(first->text(), stored);
    first->end(false);
    QTest::keyClick(first, Qt::Key_Backspace);
    QTest::keyClicks(first, "bc");
    EXPECT_EQ(first->text(), QString(59, 'a'));
    second->clear();
    QTest::keyClicks(second, QString(70, 'z'));
    third->clear();
    QTest::mouseClick(editor->findChild<QPushButton*>("button_done"), Qt::LeftButton);
    EXPECT_FALSE(editor->isVisible());
    EXPECT_EQ(saved.mid(0, 3), QStringList({QString(59, 'a'), QString(50, 'z'), ""}));
    EXPECT_EQ(part.phrases(), saved);

    menu.PhraseList1->trigger();
    QTest::keyClicks(third, "dropped");
    editor->close();
    EXPECT_EQ(part.phrases(), saved);
}

TEST_F(ChatTest, LinksOpenOnlyWebAddressesAndKeepTheirNumbersAfterAClear) {
    part.addlinetochat("3+Ann: www.first.example", kNavy);
    menu.ClearMainChat1->trigger();
    part.addlinetochat("3+Ann: see http://second.example/x", kNavy);
    panel.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&panel));
    QTextCursor link(document());
    link.setPosition(lastLine().text().indexOf("http") + 2);
    QTest::mouseClick(part.pane()->viewport(), Qt::LeftButton, {},
                      part.pane()->cursorRect(link).center());
    EXPECT_EQ(opened, QStringList({"http://second.example/x"}));

    struct Case {
        const char* word;
        const char* opens; // nullptr: "Cannot open Webpage"
    };
    for (const Case& c :
         {Case{"HTTPS://www.third.example/a?b=1", "https://www.third.example/a?b=1"},
          Case{"https://secure.example/c", "https://secure.example/c"},
          Case{"www.fourth.example/a", "http://www.fourth.example/a"},
          Case{"file://www.x/etc/passwd", nullptr}, Case{"smb://www.share/x", nullptr},
          Case{"\\\\www.unc\\share", nullptr}, Case{"(http://inside.example)", nullptr},
          Case{"http://", nullptr}}) {
        opened.clear();
        boxes.clear();
        part.addlinetochat(QString("3+Ann: ") + c.word, kNavy);
        part.pane()->mainchatJump(part.pane()->linkcounter);
        EXPECT_EQ(opened, c.opens ? QStringList(c.opens) : QStringList()) << c.word;
        EXPECT_EQ(boxes, c.opens ? QStringList() : QStringList("Cannot open Webpage")) << c.word;
    }
}

TEST_F(ChatTest, ScrollChatOffKeepsTheViewAndIsOneSharedAction) {
    panel.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&panel));
    QScrollBar* scroll = part.pane()->verticalScrollBar();
    for (int line = 0; line < 60; ++line)
        part.addlinetochat(QString("3+Ann: line %1").arg(line), kNavy);
    EXPECT_GT(scroll->maximum(), 0);
    EXPECT_EQ(scroll->value(), scroll->maximum());

    EXPECT_TRUE(part.pane()->popup_mainchat->actions().contains(menu.ScrollChatOff1));
    menu.ScrollChatOff1->trigger();
    scroll->setValue(scroll->maximum() / 2);
    const int reading = scroll->value();
    for (int line = 0; line < 30; ++line)
        part.addlinetochat("3+Ann: more", kNavy);
    EXPECT_EQ(scroll->value(), reading);

    menu.ScrollChatOff1->trigger();
    part.addlinetochat("3+Ann: back", kNavy);
    EXPECT_EQ(scroll->value(), scroll->maximum());
}

TEST_F(ChatTest, HugeLinesShowWholeAndOldLinesGo) {
    QString huge;
    while (huge.size() < 64 * 1024)
        huge += "word www.x.example :)#13 ";
    received("3+Ann chats: " + huge + "|clNavy");
    QString shown = huge;
    shown.replace(":)#13", QString(QChar::ObjectReplacementCharacter));
    EXPECT_TRUE(lastLine().text() == "Ann chats: " + shown); // too long to print

    const QString word(64 * 1024, 'w');
    part.addlinetochat("3+Ann: " + word, kNavy);
    part.pane()->popup_mainchat->findChild<QAction*>("SelectAll1")->trigger();
    part.pane()->popup_mainchat->findChild<QAction*>("Copy1")->trigger();
    EXPECT_TRUE(QApplication::clipboard()->text().endsWith("\nAnn: " + word + " "));

    const int lines = ChatPane::kMaxLines + 500;
    for (int line = 0; line < lines; ++line)
        part.addlinetochat(
            QString("%1: www.%2.example").arg(line % 2 ? "3+Ann" : "4+Bob").arg(line), kNavy);
    EXPECT_LE(part.pane()->lineCount(), ChatPane::kMaxLines);
    EXPECT_LE(part.pane()->linkaddresses.size(), ChatPane::kMaxLines);
    part.pane()->mainchatJump(part.pane()->linkcounter);
    EXPECT_EQ(opened, QStringList(QString("http://www.%1.example").arg(lines - 1)));
    // The oldest line left still belongs to its sender: it takes the sender's new colour.
    const QTextBlock oldest = document()->firstBlock();
    const QString sender = oldest.text().startsWith("Ann") ? "3+" : "4+";
    part.addlinetochat(sender + "Someone: red now", colourValue(255, 0, 0));
    EXPECT_EQ(runsOf(oldest).first().section('/', 1), "clRed/bold");
    EXPECT_EQ(runsOf(oldest.next()).first().section('/', 1), "clNavy/bold");
}

TEST_F(ChatTest, TextColourAndSizeComeFromTheOptionsMenu) {
    int saves = 0;
    part.settingsChanged = [&] {
        ++saves;
    };
    part.chooseColour = [](const QColor&, QWidget*) {
        return QColor(255, 128, 0);
    };
    menu.TextColor1->trigger();
    type("hi");
    EXPECT_EQ(outbox.sent, QStringList("CMD_chat+3+hi|$000080FF"));
    EXPECT_EQ(part.entry()->palette().color(QPalette::Text), QColor(255, 128, 0));

    menu.TextSize12->trigger();
    EXPECT_EQ(part.pane()->document()->defaultFont().pointSize(), 12);
    EXPECT_EQ(saves, 2);
    for (QAction* item : {menu.TextSize8, menu.TextSize10, menu.TextSize12, menu.TextSize14})
        EXPECT_EQ(item->isChecked(), item == menu.TextSize12) << item->text().toStdString();
    part.setTextSize(11);
    EXPECT_EQ(part.textSize(), 11);
    for (QAction* item : {menu.TextSize8, menu.TextSize10, menu.TextSize12, menu.TextSize14})
        EXPECT_FALSE(item->isChecked());
    EXPECT_EQ(saves, 2); // loading settings is no change of the player's
}

} // namespace
