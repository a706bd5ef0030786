#pragma once

#include "tally/ttallylist.h"
#include "tally_test_support.h"

#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

namespace tallytest {

// Widgets need one application object for the whole test process.
inline void ensureApplication() {
    if (QCoreApplication::instance())
        return;
    static int argc = 1;
    static char name[] = "tally_tests";
    static char* argv[] = {name, nullptr};
    new QApplication(argc, argv); // lives as long as the process
}

// Answers the window's questions as the test says and keeps what it asked.
class ScriptedPrompts : public TallyPrompts {
public:
    bool confirm(QWidget*, const QString& question) override {
        questions << question;
        return answerYes;
    }
    void inform(QWidget*, const QString& message) override { notices << message; }

    bool answerYes = true;
    QStringList questions;
    QStringList notices;
};

class TableSeats : public TallySeats {
public:
    QStringList otherSeatedNames() const override { return names; }
    QStringList otherSeatedPeople() const override {
        QStringList people = names;
        people.removeAll(QStringLiteral("Klot"));
        return people;
    }
    QStringList names; // Klot among them is the computer player
};

// A tally window on a tally file in a fresh folder, and what a player sees.
class TallyWindowTest : public ::testing::Test {
protected:
    void SetUp() override { ensureApplication(); }

    QString tallyPath() const { return dir.filePath("Ludomyratally.tld"); }

    std::unique_ptr<Ttallylist> openWindow() {
        auto window = std::make_unique<Ttallylist>(tallyPath(), prompts);
        window->setSeats(&seats);
        window->show();
        return window;
    }

    static QString shown(const Ttallylist& window, const QString& labelName) {
        const auto* label = window.findChild<QLabel*>(labelName);
        EXPECT_NE(label, nullptr) << labelName.toStdString();
        return label ? label->text() : QString();
    }
    static QListWidget* list(const Ttallylist& window, const char* name) {
        return window.findChild<QListWidget*>(name);
    }
    // The names listed, each marked "+" when ticked.
    static QStringList itemsOf(const QListWidget* list) {
        QStringList names;
        for (int i = 0; i < list->count(); ++i)
            names << (list->item(i)->checkState() == Qt::Checked ? "+" : "") +
                         list->item(i)->text();
        return names;
    }
    // Sets an item's tick as a click on its box does.
    static void tick(const Ttallylist& window, const char* listName, const QString& name,
                     bool ticked) {
        const QList<QListWidgetItem*> found =
            list(window, listName)->findItems(name, Qt::MatchExactly);
        ASSERT_EQ(found.size(), 1) << name.toStdString();
        found.first()->setCheckState(ticked ? Qt::Checked : Qt::Unchecked);
    }
    static void click(const Ttallylist& window, const char* buttonName) {
        QTest::mouseClick(window.findChild<QPushButton*>(buttonName), Qt::LeftButton);
    }
    // Seats the names and ticks `name` in "Players In Current Game".
    void follow(Ttallylist& window, const QString& name) {
        if (!seats.names.contains(name))
            seats.names << name;
        window.loadchecklist();
        tick(window, "checklist", name, true);
    }
    // Clicks the opponent in "Players Being Tallied" and reads the eight
    // counters: games, his wins, your wins, neither, in total then session.
    static QStringList countersOf(const Ttallylist& window, const QString& name) {
        QListWidget* tallied = list(window, "listbox_tally");
        const QList<QListWidgetItem*> found = tallied->findItems(name, Qt::MatchExactly);
        if (found.size() != 1)
            return {"not followed"};
        QTest::mouseClick(tallied->viewport(), Qt::LeftButton, {},
                          tallied->visualItemRect(found.first()).center());
        QStringList counters;
        for (int i = 1; i <= 8; ++i)
            counters << shown(window, QString("label_%1").arg(i));
        return counters;
    }
    // The tally text in the file now.
    QByteArray savedText() const { return expanded(readFile(tallyPath())); }

    QTemporaryDir dir;
    ScriptedPrompts prompts;
    TableSeats seats;
};

// The saved text of a tally: lines joined with CR LF.
inline QByteArray tallyText(const QStringList& lines) {
    return (lines.join("\r\n") + "\r\n").toUtf8();
}

} // namespace tallytest
