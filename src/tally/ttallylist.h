#pragma once

#include "tally/tallyfile.h"
#include "tally/tallygrid.h"
#include "tally/tallyprompts.h"
#include "tally/tallyseats.h"
#include "tally/tlzrw1.h"

#include <QHash>
#include <QSet>
#include <QWidget>
#include <array>
#include <functional>
#include <memory>

class QLabel;
class QListWidget;
class QListWidgetItem;
class QPushButton;

// The tally window: counts the local player's games and wins across runs,
// and, for every followed opponent, the games played together and who won
// them, in total and in this run. Loads "Ludomyratally.tld" when created,
// saves it after every change and when destroyed.
class Ttallylist : public QWidget {
    Q_OBJECT

public:
    // The winner text that means the local player won.
    static constexpr char kPlayerWon[] = "addtomine";

    // The program's tally in the home folder, asking with message boxes.
    explicit Ttallylist(QWidget* parent = nullptr);
    Ttallylist(const QString& tallyPath, TallyPrompts& prompts, QWidget* parent = nullptr);
    ~Ttallylist() override;

    static QString defaultTallyPath();

    // Who sits at the table; until set, nobody does.
    void setSeats(const TallySeats* seats) { seats_ = seats; }

    // Refills "Players In Current Game" from the table, ticking the
    // followed names. The main window calls it before showing the tally.
    void loadchecklist();
    // Counts one finished game: `winner` is kPlayerWon or the winner's name.
    void addgame(const QString& winner);

    void addtomineincrease(int column);
    void addtomineset(int column, const QString& text);
    qint64 addit(int column, int row);
    void loadtally();
    void moverow(int row);

    const TallyGrid& scores() const { return stringgrid_scores; }

    // Told once a run for each person the player just played and does not
    // follow; ticking that name before the next game's end counts that game.
    std::function<void(const QString& name)> offerFollowing;

protected:
    void showEvent(QShowEvent* event) override;

private slots:
    void checklistClickCheck(QListWidgetItem* item);
    void listbox_tallyClickCheck(QListWidgetItem* item);
    void listbox_tallyClick();
    void button_resetClick();
    void FlatButton1Click();

private:
    void FormCreate();
    void FormDestroy();
    void buildControls();
    QLabel* mylabel(int column) const;
    int followedIndex(const QString& name) const; // -1 when not followed
    void addFollowed(const QString& name);
    void countGameFor(int row, const QString& winner);
    void offerUnfollowedPeople(const QString& winner);
    void showOpponent(int row);
    void saveTally();

    std::unique_ptr<TallyPrompts> ownPrompts_;
    TallyPrompts& prompts_;
    const TallySeats* seats_ = nullptr;
    Tlzrw1* doit;
    TallyFile tallyFile_;
    TallyGrid stringgrid_scores;
    // Lower-case names: offered this run, and the last game's winner for each
    // person it was played against unfollowed.
    QSet<QString> offered_;
    QHash<QString, QString> uncountedGame_;
    bool saving_ = false;
    bool saveAgain_ = false;

    QListWidget* listbox_tally = nullptr;
    QListWidget* checklist = nullptr;
    QLabel* mylabel_1 = nullptr;
    QLabel* mylabel_2 = nullptr;
    std::array<QLabel*, 8> label_{}; // label_1 .. label_8
    QLabel* label_hisname = nullptr;
    QLabel* label_hisnametop = nullptr;
    QPushButton* button_reset = nullptr;
    QPushButton* button_done = nullptr;
};
