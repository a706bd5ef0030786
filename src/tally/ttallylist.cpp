#include "tally/ttallylist.h"

#include "common/dialog_keys.h"
#include "common/environment.h"
#include "common/plain_widgets.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSet>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace {

// Pool-table felt until the artwork comes.
const char* const kLook = R"(
Ttallylist { background-color: #0d5a34; }
QLabel { color: #f3ecd2; }
QLabel#heading, QLabel#label_hisnametop { font-weight: bold; }
QListWidget { background-color: #f7f4e8; color: #1d2a22; }
QPushButton { padding: 4px 16px; }
)";

QLabel* heading(const QString& text) {
    auto* label = new QLabel(text);
    label->setObjectName("heading");
    return label;
}

// Counts and names come from the tally file: never read as markup.
QLabel* countLabel(const QString& objectName) {
    QLabel* label = plainwidgets::label(nullptr, "0");
    label->setObjectName(objectName);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    label->setMinimumWidth(48);
    return label;
}

QListWidgetItem* tickedItem(const QString& name, bool ticked) {
    auto* item = new QListWidgetItem(name);
    item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
    item->setCheckState(ticked ? Qt::Checked : Qt::Unchecked);
    return item;
}

// A name is saved as one line of the tally text.
bool fitsOnOneLine(const QString& name) {
    return !name.contains(u'\n') && !name.contains(u'\r');
}

} // namespace

Ttallylist::Ttallylist(QWidget* parent)
    : QWidget(parent), ownPrompts_(std::make_unique<MessageBoxPrompts>()), prompts_(*ownPrompts_),
      doit(new Tlzrw1(this)), tallyFile_(defaultTallyPath(), *doit) {
    FormCreate();
}

Ttallylist::Ttallylist(const QString& tallyPath, TallyPrompts& prompts, QWidget* parent)
    : QWidget(parent), prompts_(prompts), doit(new Tlzrw1(this)), tallyFile_(tallyPath, *doit) {
    FormCreate();
}

Ttallylist::~Ttallylist() {
    FormDestroy();
}

QString Ttallylist::defaultTallyPath() {
    return environment::homeFile("Ludomyratally.tld");
}

void Ttallylist::FormCreate() {
    doit->setObjectName("doit");
    doit->setCompressMode(Tlzrw1::Fast);
    buildControls();
    QString failure;
    stringgrid_scores = tallyFile_.load(&failure);
    if (!failure.isEmpty())
        prompts_.inform(this, failure);
    loadtally();
}

void Ttallylist::FormDestroy() {
    saveTally();
}

// Styling every control is a noticeable part of start-up, and most runs
// never open the tally.
void Ttallylist::showEvent(QShowEvent* event) {
    if (styleSheet().isEmpty())
        setStyleSheet(kLook);
    QWidget::showEvent(event);
}

void Ttallylist::buildControls() {
    setWindowTitle("Ludomyra - Tally List");
    setAttribute(Qt::WA_StyledBackground); // the look itself comes at the first showing

    mylabel_1 = countLabel("mylabel_1");
    mylabel_2 = countLabel("mylabel_2");
    auto* totals = new QGridLayout;
    totals->addWidget(heading("Your Total Tally"), 0, 0, 1, 2);
    totals->addWidget(new QLabel("Total Games:"), 1, 0);
    totals->addWidget(mylabel_1, 1, 1);
    totals->addWidget(new QLabel("Your Wins"), 2, 0);
    totals->addWidget(mylabel_2, 2, 1);
    totals->setRowStretch(3, 1);

    // Until an opponent is chosen, the captions say what the panel is for.
    label_hisnametop = plainwidgets::label(nullptr, "Opponent's Tally");
    label_hisnametop->setObjectName("label_hisnametop");
    label_hisname = plainwidgets::label(nullptr, "Opponent Wins:");
    label_hisname->setObjectName("label_hisname");
    auto* opponent = new QGridLayout;
    opponent->addWidget(label_hisnametop, 0, 0);
    opponent->addWidget(heading("Total"), 0, 1, Qt::AlignRight);
    opponent->addWidget(heading("Session"), 0, 2, Qt::AlignRight);
    const QList<QWidget*> rowTitles{new QLabel("Number of Games"), label_hisname,
                                    new QLabel("Your Wins:"), new QLabel("Neither Won:")};
    for (int i = 0; i < 4; ++i) {
        label_[i] = countLabel(QString("label_%1").arg(i + 1));
        label_[i + 4] = countLabel(QString("label_%1").arg(i + 5));
        opponent->addWidget(rowTitles[i], i + 1, 0);
        opponent->addWidget(label_[i], i + 1, 1);
        opponent->addWidget(label_[i + 4], i + 1, 2);
    }

    listbox_tally = new QListWidget;
    listbox_tally->setObjectName("listbox_tally");
    checklist = new QListWidget;
    checklist->setObjectName("checklist");
    listbox_tally->setAccessibleName("Players Being Tallied");
    checklist->setAccessibleName("Players In Current Game");
    auto* lists = new QGridLayout;
    lists->addWidget(heading("Players Being Tallied"), 0, 0);
    lists->addWidget(heading("Players In Current Game"), 0, 1);
    lists->addWidget(listbox_tally, 1, 0);
    lists->addWidget(checklist, 1, 1);
    auto* tickNote = new QLabel("Tick a player to count your games together.");
    tickNote->setObjectName("label_ticknote");
    tickNote->setWordWrap(true);
    lists->addWidget(tickNote, 2, 1);
    checklist->setAccessibleDescription(tickNote->text());

    button_reset = new QPushButton("Reset Tally");
    button_reset->setObjectName("button_reset");
    button_done = new QPushButton("Done");
    button_done->setObjectName("button_done");
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(button_reset);
    buttons->addStretch(1);
    buttons->addWidget(button_done);

    auto* panels = new QHBoxLayout;
    panels->addLayout(totals, 1);
    panels->addSpacing(24);
    panels->addLayout(opponent, 2);
    auto* window = new QVBoxLayout(this);
    window->addLayout(panels);
    window->addSpacing(8);
    window->addLayout(lists, 1);
    window->addLayout(buttons);
    resize(520, 400);

    connect(checklist, &QListWidget::itemChanged, this, &Ttallylist::checklistClickCheck);
    connect(listbox_tally, &QListWidget::itemChanged, this, &Ttallylist::listbox_tallyClickCheck);
    connect(listbox_tally, &QListWidget::currentRowChanged, this, &Ttallylist::listbox_tallyClick);
    connect(button_reset, &QPushButton::clicked, this, &Ttallylist::button_resetClick);
    connect(button_done, &QPushButton::clicked, this, &Ttallylist::FlatButton1Click);
    dialogkeys::install(this, [this] { button_done->click(); });
}

QLabel* Ttallylist::mylabel(int column) const {
    switch (column) {
    case TallyGrid::kMyGames:
        return mylabel_1;
    case TallyGrid::kMyWins:
        return mylabel_2;
    default:
        return nullptr;
    }
}

void Ttallylist::loadchecklist() {
    const QSignalBlocker blocker(checklist);
    checklist->clear();
    if (!seats_)
        return;
    QStringList listed;
    for (const QString& name : seats_->otherSeatedNames()) {
        // Names match without case here as everywhere in the tally: one entry each.
        if (listed.contains(name, Qt::CaseInsensitive))
            continue;
        listed.append(name);
        checklist->addItem(tickedItem(name, followedIndex(name) >= 0));
    }
}

void Ttallylist::addgame(const QString& winner) {
    loadchecklist();
    addtomineincrease(TallyGrid::kMyGames);
    if (winner == kPlayerWon)
        addtomineincrease(TallyGrid::kMyWins);
    // A name seated twice still counts once per game.
    QSet<int> counted;
    for (int i = 0; i < checklist->count(); ++i) {
        const int index = followedIndex(checklist->item(i)->text());
        if (index >= 0 && !counted.contains(index)) {
            counted.insert(index);
            countGameFor(index + 1, winner);
        }
    }
    offerUnfollowedPeople(winner);
    if (listbox_tally->currentRow() >= 0)
        listbox_tallyClick();
    saveTally();
}

// Strangers at a public table stay out of the tally unless chosen, but a
// friend's games should not be lost because the choice went unseen.
void Ttallylist::offerUnfollowedPeople(const QString& winner) {
    uncountedGame_.clear();
    for (const QString& name : seats_ ? seats_->otherSeatedPeople() : QStringList()) {
        const QString key = name.toLower();
        if (followedIndex(name) >= 0 || !fitsOnOneLine(name) || uncountedGame_.contains(key))
            continue;
        uncountedGame_.insert(key, winner);
        if (!offered_.contains(key) && offerFollowing) {
            offered_.insert(key);
            offerFollowing(name);
        }
    }
}

void Ttallylist::countGameFor(int row, const QString& winner) {
    using G = TallyGrid;
    stringgrid_scores.fillEmptyCounts(row);
    int outcome = G::NeitherWon;
    // The local player's win is tested first: an opponent who happens to be
    // called like the marker must not be credited with it.
    if (winner == kPlayerWon)
        outcome = G::YourWins;
    else if (stringgrid_scores.cell(G::Name, row) == winner)
        outcome = G::HisWins;
    for (const int column : {int(G::Games), outcome}) {
        addit(column, row);
        addit(column + G::kSessionOffset, row);
    }
}

void Ttallylist::addtomineincrease(int column) {
    const qint64 value = addit(column, 0);
    if (QLabel* label = mylabel(column))
        label->setText(QString::number(value));
}

void Ttallylist::addtomineset(int column, const QString& text) {
    stringgrid_scores.setCell(column, 0, text);
    if (QLabel* label = mylabel(column))
        label->setText(text);
}

qint64 Ttallylist::addit(int column, int row) {
    return stringgrid_scores.addit(column, row);
}

void Ttallylist::loadtally() {
    mylabel_1->setText(stringgrid_scores.cell(TallyGrid::kMyGames, 0));
    mylabel_2->setText(stringgrid_scores.cell(TallyGrid::kMyWins, 0));
    stringgrid_scores.startSession();
    const QSignalBlocker blocker(listbox_tally);
    for (int row = 1; row < stringgrid_scores.rowCount(); ++row)
        listbox_tally->addItem(tickedItem(stringgrid_scores.cell(TallyGrid::Name, row), true));
}

void Ttallylist::moverow(int row) {
    stringgrid_scores.moverow(row);
}

int Ttallylist::followedIndex(const QString& name) const {
    for (int i = 0; i < listbox_tally->count(); ++i)
        if (listbox_tally->item(i)->text().compare(name, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

void Ttallylist::checklistClickCheck(QListWidgetItem* item) {
    const QString name = item->text();
    if (followedIndex(name) >= 0 || !fitsOnOneLine(name))
        return;
    addFollowed(name);
    const auto uncounted = uncountedGame_.constFind(name.toLower());
    if (uncounted != uncountedGame_.constEnd()) {
        countGameFor(listbox_tally->count(), *uncounted);
        uncountedGame_.erase(uncounted);
    }
    saveTally();
}

void Ttallylist::addFollowed(const QString& name) {
    {
        const QSignalBlocker blocker(listbox_tally);
        listbox_tally->addItem(tickedItem(name, true));
    }
    stringgrid_scores.addRow(name);
}

void Ttallylist::listbox_tallyClickCheck(QListWidgetItem* item) {
    if (item->checkState() == Qt::Checked)
        return;
    const QString name = item->text();
    if (!prompts_.confirm(this,
                          "This will delete " + name + "'s Tally, Are you want to delete it?")) {
        const QSignalBlocker blocker(listbox_tally);
        item->setCheckState(Qt::Checked);
        return;
    }
    const int index = listbox_tally->row(item);
    moverow(index + 1);
    {
        // The list moves its current row while the grid is already one
        // row shorter: show the counters once both agree again.
        const QSignalBlocker blocker(listbox_tally);
        delete listbox_tally->takeItem(index);
    }
    listbox_tallyClick();
    saveTally();
}

void Ttallylist::listbox_tallyClick() {
    const int row = listbox_tally->currentRow() + 1;
    if (row >= 1 && row < stringgrid_scores.rowCount())
        showOpponent(row);
}

void Ttallylist::showOpponent(int row) {
    for (int column = 1; column < TallyGrid::kColumns; ++column)
        label_[column - 1]->setText(stringgrid_scores.cell(column, row));
    const QString name = stringgrid_scores.cell(TallyGrid::Name, row);
    label_hisname->setText(name + " Wins:");
    label_hisnametop->setText(name + "'s Tally");
}

void Ttallylist::button_resetClick() {
    if (!prompts_.confirm(this, "Are you sure you want to reset the Tally?"))
        return;
    mylabel_1->setText("0");
    mylabel_2->setText("0");
    stringgrid_scores.reset();
    listbox_tally->clear();
    for (QLabel* label : label_)
        label->setText("0");
    saveTally();
}

void Ttallylist::FlatButton1Click() {
    hide();
}

void Ttallylist::saveTally() {
    // The compressor lets the event loop run; a change made meanwhile is
    // saved right after this save instead of inside it.
    if (saving_) {
        saveAgain_ = true;
        return;
    }
    saving_ = true;
    do {
        saveAgain_ = false;
        if (!tallyFile_.save(stringgrid_scores))
            qWarning("Ludomyra: the tally could not be saved to %s", qPrintable(tallyFile_.path()));
    } while (saveAgain_);
    saving_ = false;
}
