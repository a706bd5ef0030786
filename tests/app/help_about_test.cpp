#include "app/tabout.h"
#include "app/thelp.h"
#include "client/board/board.h"

#include <QDate>
#include <QDesktopServices>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <QTextBrowser>
#include <QUrl>
#include <gtest/gtest.h>

#include "event_wait.h"

namespace {

class HelpWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        help.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&help));
    }

    QString caption() const { return help.findChild<QLabel*>("label_caption")->text(); }
    // The page in front: the one memo the player can see.
    QString pageInFront() const {
        QString shown;
        for (auto* memo : help.findChildren<QTextBrowser*>())
            if (memo->isVisible())
                shown += memo->objectName();
        return shown;
    }
    QTextBrowser* memo(int number) const {
        return help.findChild<QTextBrowser*>(QString("memo%1").arg(number));
    }
    QPushButton* button(const QString& text) const {
        for (auto* button : help.findChildren<QPushButton*>())
            if (button->text() == text)
                return button;
        return nullptr;
    }

    Tabout about;
    Thelp help{about};
};

TEST_F(HelpWindowTest, OpensOnOverviewAndAPageButtonBringsItsPageAndTitleToTheFront) {
    EXPECT_EQ(pageInFront(), "memo1");
    EXPECT_EQ(caption(), "Overview");

    QTest::mouseClick(button("Scoring"), Qt::LeftButton);
    EXPECT_EQ(pageInFront(), "memo4");
    EXPECT_EQ(caption(), "Scoring");
    EXPECT_TRUE(memo(4)->toPlainText().contains("1, 5 and 9 makes 15"));
    EXPECT_TRUE(memo(3)->toPlainText().contains("For the hidden word LLAMA, the guess LEAPT"));

    // What F1 asks for, after the player left the window on another page.
    EXPECT_TRUE(help.showPage("Overview"));
    EXPECT_EQ(pageInFront(), "memo1");
    EXPECT_EQ(caption(), "Overview");

    EXPECT_FALSE(help.showPage("Index"));
    EXPECT_EQ(caption(), "Overview");
}

TEST_F(HelpWindowTest, SidePanelListsTheSixPagesTopToBottomThenAboutAndDone) {
    const QStringList expected{"Overview",      "Connecting", "Game Play", "Scoring",
                               "Documentation", "License",    "About",     "Done"};
    int previousTop = -1;
    for (const QString& text : expected) {
        QPushButton* next = button(text);
        ASSERT_NE(next, nullptr) << text.toStdString();
        EXPECT_GT(next->y(), previousTop) << text.toStdString();
        EXPECT_LT(next->geometry().right(), 145) << "inside the side panel";
        previousTop = next->y();
    }
    EXPECT_EQ(help.size(), QSize(538, 421));
    EXPECT_EQ(help.windowTitle(), "Ludomyra - Help File");
}

TEST_F(HelpWindowTest, PagesSayTheRulesOfThisGameAndTheLicenceCarriesBothNotices) {
    EXPECT_TRUE(memo(2)->toPlainText().contains("7772"));
    EXPECT_TRUE(memo(2)->toPlainText().contains("--serve"));
    // Every time the page gives for a row is the one the board's clock counts down.
    const QString play = memo(3)->toPlainText();
    const QRegularExpression seconds("(\\d+) seconds");
    int told = 0;
    for (auto it = seconds.globalMatch(play); it.hasNext(); ++told)
        EXPECT_EQ(it.next().captured(1).toInt(), Board::kTurnSeconds);
    EXPECT_GE(told, 1);
    EXPECT_TRUE(memo(5)->toPlainText().contains("1.0.8"));

    QTest::mouseClick(button("License"), Qt::LeftButton);
    const QString licence = memo(6)->toPlainText();
    EXPECT_TRUE(licence.contains("Copyright (c) 2026 The Ludomyra developers"));
    EXPECT_TRUE(licence.contains("Permission is hereby granted, free of charge"));
    // The word lists' notice must reach the player in full, its last lines included.
    EXPECT_TRUE(licence.contains("Copyright (c) J Ross Beresford 1993-1999"));
    EXPECT_TRUE(licence.contains("POSSIBILITY OF SUCH DAMAGE."));
}

TEST_F(HelpWindowTest, AboutOpensBesideTheHelpAndDoneHidesOnlyTheHelp) {
    QTest::mouseClick(button("About"), Qt::LeftButton);
    EXPECT_TRUE(about.isVisible());
    EXPECT_TRUE(help.isVisible());
    EXPECT_LE((about.frameGeometry().center() - help.frameGeometry().center()).manhattanLength(), 2)
        << "centred on the help window";

    QTest::mouseClick(button("Done"), Qt::LeftButton);
    EXPECT_FALSE(help.isVisible());
    EXPECT_TRUE(about.isVisible());
}

// Stands in for the desktop's browser.
class BrowserStandIn : public QObject {
    Q_OBJECT
public:
    QList<QUrl> opened;
public slots:
    void open(const QUrl& url) { opened << url; }
};

TEST(AboutWindowTest, ShowsVersionBuildAndYearAndItsLinkOpensTheProjectPage) {
    Tabout about;
    about.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&about));
    EXPECT_EQ(about.windowTitle(), "Ludomyra - About");
    EXPECT_EQ(about.size(), QSize(304, 174));

    const auto* version = about.findChild<QLabel*>("version");
    ASSERT_NE(version, nullptr);
    EXPECT_EQ(version->text(), "1.0.8");
    QLabel* build = nullptr;
    for (auto* label : about.findChildren<QLabel*>())
        if (label->text() == ".11")
            build = label;
    ASSERT_NE(build, nullptr);
    EXPECT_EQ(build->mapTo(&about, QPoint(0, 0)),
              version->mapTo(&about, QPoint(version->width(), 0)))
        << "the build number follows the version directly";
    EXPECT_EQ(about.findChild<QLabel*>("label_year")->text(),
              QString::number(QDate::currentDate().year()));

    BrowserStandIn browser;
    QDesktopServices::setUrlHandler("https", &browser, "open");
    auto* link = about.findChild<QLabel*>("label_link");
    QTest::mouseClick(link, Qt::LeftButton, {}, link->rect().center());
    QDesktopServices::unsetUrlHandler("https");
    ASSERT_EQ(browser.opened.size(), 1);
    EXPECT_EQ(browser.opened.front(), QUrl("https://ludomyra.example.org"));
    EXPECT_TRUE(link->text().contains("https://ludomyra.example.org"));
}

} // namespace

#include "help_about_test.moc"
