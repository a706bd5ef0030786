// Names and phrases that look like markup come from a hostile host, a
// hostile tally file and a hand-edited settings file and go through every
// window of the program. Wherever they show (labels, tooltips, message
// boxes) they must show as the very text they are: markup read from them
// could load files from the local disk.
#include "app/app_windows.h"
#include "program_environment.h"
#include "qstring_printer.h"
#include "tally/tallyfile.h"
#include "tally/tlzrw1.h"
#include "tchat_probe.h"

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTextDocumentFragment>
#include <QTimer>
#include <gtest/gtest.h>
#include <set>

namespace {

// Each holds a marker ("Zed" and a digit) that survives being read as markup.
const QStringList kFromHost = {"<img src=x.png>Zed1", "<b>Zed2</b>", "&lt;Zed3&gt;", "<i>Zed4</i>"};
const QStringList kFromTally = {"<img src=x.png>Zed5", "<b>Zed6</b>"};
const QStringList kFromSettings = {"<img src=x.png>Zed7", "/me <u>Zed8</u> &amp; more"};

QString markerOf(const QString& hostile) {
    return QRegularExpression("Zed\\d").match(hostile).captured();
}

// What a player reads: the text itself, or what Qt makes of it as markup.
QString shownText(const QString& text, Qt::TextFormat format) {
    const bool markup =
        format == Qt::RichText || (format == Qt::AutoText && Qt::mightBeRichText(text));
    return markup ? QTextDocumentFragment::fromHtml(text).toPlainText() : text;
}

struct Sweep {
    std::set<QString> labels;   // object names of labels that held a hostile text
    std::set<QString> toolTips; // object names of widgets whose tooltip did
    QStringList faults;

    // A widget's text that holds a hostile text must show it whole, and a
    // label must not even consider reading it as markup.
    void check(const QWidget* widget, const QString& text, Qt::TextFormat format, bool label) {
        for (const QStringList* list : {&kFromHost, &kFromTally, &kFromSettings}) {
            for (const QString& hostile : *list) {
                if (!text.contains(markerOf(hostile)))
                    continue;
                (label ? labels : toolTips).insert(widget->objectName());
                const QString what = widget->objectName() + (label ? " label: " : " tooltip: ");
                if (label && format != Qt::PlainText)
                    faults << what + "not plain text: " + text;
                if (!shownText(text, format).contains(hostile))
                    faults << what + "shows " + shownText(text, format) + " for " + hostile;
            }
        }
    }

    void overEveryWidget() {
        for (const QWidget* widget : QApplication::allWidgets()) {
            if (const auto* label = qobject_cast<const QLabel*>(widget))
                check(label, label->text(), label->textFormat(), true);
            // Qt decides for every tooltip whether it is markup.
            check(widget, widget->toolTip(), Qt::AutoText, false);
        }
    }
};

// Answers the message box that is about to open with No, keeping its text.
class BoxAnswerer {
public:
    BoxAnswerer() {
        QObject::connect(&poll_, &QTimer::timeout, [this] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box)
                return;
            poll_.stop();
            text = box->text();
            format = box->textFormat();
            box->button(QMessageBox::No)->click();
        });
        poll_.start(10);
    }
    QString text;
    Qt::TextFormat format = Qt::AutoText;

private:
    QTimer poll_;
};

class ForeignText : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(home.isValid());
        writeTallyFile();
        QFile settings(home.filePath("glenmorra.ini"));
        ASSERT_TRUE(settings.open(QIODevice::WriteOnly));
        settings.write(("[Ludomyra]\r\nPhrase1=" + kFromSettings[0] +
                        "\r\nPhrase2=" + kFromSettings[1] + "\r\n")
                           .toUtf8());
    }

    void writeTallyFile() {
        Tlzrw1 compressor;
        TallyFile file(home.filePath("Ludomyratally.tld"), compressor);
        TallyGrid grid;
        for (const QString& name : kFromTally)
            grid.addRow(name);
        ASSERT_TRUE(file.save(grid));
    }

    static void hostSays(const TchatProbe& probe, const QStringList& messages) {
        probe.queue() << messages;
        while (!probe.queue().isEmpty())
            probe.handleNext();
    }

    testsupport::ProgramEnvironment home;
};

TEST_F(ForeignText, NamesAndPhrasesShowAsTheTextTheyAreInEveryWindow) {
    AppWindows windows(QStringList{"You"}); // no game of its own: the host below is the test
    Tchat& chat = windows.chat;
    const TchatProbe probe(chat);
    probe.sounds().player = [](const QString&) {
    };
    chat.show();
    hostSays(probe, {"CMD_sendlogininfo+1", "CMD_newplayerinfo+1+You+0",
                     QString("CMD_existingplayers+2+%1+0+3+%2+0+4+%3+0+6+%4+0")
                         .arg(kFromHost[0], kFromHost[1], kFromHost[2], kFromHost[3]),
                     "CMD_startgame+You+high+0+", "CMD_loadball+1+A", "CMD_nextplayer+3+1",
                     "CMD_heguessed+2+ANGEL+1+1000", "CMD_winner+2+"});
    probe.menu().SpyList1->trigger();
    probe.menu().About1->trigger();
    probe.menu().Content1->trigger();
    probe.menu().PhraseList1->trigger();
    windows.gamestart().show();
    probe.menu().ViewTally1->trigger();

    // Everyone at the table is followed, next to the names from the file.
    auto* checklist = windows.tallylist().findChild<QListWidget*>("checklist");
    auto* followed = windows.tallylist().findChild<QListWidget*>("listbox_tally");
    ASSERT_TRUE(checklist && followed);
    ASSERT_EQ(checklist->count(), 3);
    for (int row = 0; row < checklist->count(); ++row)
        checklist->item(row)->setCheckState(Qt::Checked);
    ASSERT_EQ(followed->count(), 5);

    Sweep sweep;
    for (int row : {1, 3}) { // a name from the file, then one from the host
        followed->setCurrentRow(row);
        sweep.overEveryWidget();
    }
    BoxAnswerer answerer;
    followed->item(1)->setCheckState(Qt::Unchecked); // asks first: "No" keeps the name

    EXPECT_TRUE(sweep.faults.isEmpty()) << sweep.faults.join("\n").toStdString();
    for (const char* name : {"label_playername2", "label_playername3", "label_playername4",
                             "label_status", "label_winner2", "label_hisname", "label_hisnametop"})
        EXPECT_TRUE(sweep.labels.count(name)) << name << " never held a hostile name";
    for (const char* name : {"b_phrase1", "b_phrase2"})
        EXPECT_TRUE(sweep.toolTips.count(name)) << name << " never held a hostile phrase";
    EXPECT_EQ(answerer.text,
              "This will delete " + kFromTally[1] + "'s Tally, Are you want to delete it?");
    EXPECT_EQ(answerer.format, Qt::PlainText);
    EXPECT_EQ(followed->count(), 5);
}

} // namespace
