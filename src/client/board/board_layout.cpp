// Where the board's controls stand: the board panel left of the table, its
// header, grid and input row, and the status line.
#include "client/board/board.h"
#include "client/board/board_tile.h"
#include "client/board/guess_row.h"
#include "client/board/word_list_panel.h"
#include "client/look/artwork.h"
#include "client/look/widget_look.h"
#include "common/plain_widgets.h"

#include <QLabel>

namespace {

// The board panel sits left of the table and ends above the seat rows.
constexpr QRect kBoardPanel(14, 3, 231, 312);
constexpr int kPitch = 45;    // from one cell to the next
constexpr int kCellSize = 42; // a cell's square behind its letter
constexpr QPoint kFirstCell(3, 35);
// A letter's mark stands centred under it, in the square's lower part, so it
// is plainly that letter's and never covers it.
constexpr int kMarkSize = 16;
constexpr int kLetterPixels = 26;
constexpr int kBelowLetter = 16; // kept free under the letter's line for the mark
constexpr QPoint kInputRow(4, 266);
// Under the table, centred on it.
constexpr QRect kStatusLine(256, 284, 473, 22);
constexpr QPoint kWordListAt(618, 72); // clear of the winner banner

QLabel* newLabel(QWidget* parent, const QString& name, QRect at) {
    QLabel* label = plainwidgets::label(parent);
    label->setObjectName(name);
    label->setGeometry(at);
    return label;
}

QString cellName(const char* prefix, int row, int column) {
    return QString("%1%2%3").arg(QLatin1String(prefix)).arg(row).arg(column);
}

QRect cellSquare(int row, int column) {
    return QRect(kFirstCell + QPoint(kPitch * (column - 1), kPitch * (row - 1)),
                 QSize(kCellSize, kCellSize));
}

QRect markSquare(int row, int column) {
    const QRect cell = cellSquare(row, column);
    return QRect(cell.left() + (kCellSize - kMarkSize) / 2, cell.bottom() - kMarkSize, kMarkSize,
                 kMarkSize);
}

} // namespace

void Board::buildLayout(QWidget* panel) {
    auto* panel_word = new QFrame(panel);
    panelWord_ = panel_word;
    panel_word->setObjectName("panel_word");
    panel_word->setGeometry(kBoardPanel);
    look::setBackground(panel_word, Qt::black); // under the board picture
    auto* background = newLabel(panel_word, "image_board", QRect(QPoint(), kBoardPanel.size()));
    background->setPixmap(artwork::picture(ArtRole::Board)); // its squares lie under the cells
    buildHeader(panel_word);
    buildGrid(panel_word);
    row_ = new GuessRow(panel_word, kInputRow, state_,
                        {
                            .playsound = hooks_.playsound,
                            .entered = [this](const QString& word) { entered(word); },
                            .givenLetter = [this] { return firstletter_; },
                        });

    label_status = newLabel(panel, "label_status", kStatusLine);
    label_status->setAlignment(Qt::AlignCenter);
    look::setTextColour(label_status, look::kCaptionColour);
    label_status->setFont(look::boldArial(14));
    label_status->setAccessibleName("Status");
    panel_winnerwordlist = new WordListPanel(panel);
    panel_winnerwordlist->move(kWordListAt);
}

void Board::buildHeader(QWidget* panelWord) {
    image_theball = newLabel(panelWord, "image_theball", QRect(8, 6, 24, 24));
    label_theball = newLabel(panelWord, "label_theball", QRect(38, 6, 104, 24));
    label_time = newLabel(panelWord, "label_time", QRect(146, 6, 78, 24));
    label_time->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    for (QLabel* label : {label_theball, label_time}) {
        look::setTextColour(label, look::kCaptionColour);
        label->setFont(look::boldArial(15));
    }
    showBallInPlay(); // the clock stays blank until a row opens
}

void Board::buildGrid(QWidget* panelWord) {
    const QFont letterFont = look::boldArial(kLetterPixels);
    for (int r = 1; r <= kRows; ++r) {
        for (int c = 1; c <= kColumns; ++c) {
            Cell& cell = at(r, c);
            cell.letter = new BoardTile(panelWord);
            cell.letter->setObjectName(cellName("label_", r, c));
            cell.letter->setGeometry(cellSquare(r, c));
            cell.letter->setFont(letterFont);
            cell.letter->setAlignment(Qt::AlignHCenter | Qt::AlignBottom);
            cell.letter->setContentsMargins(0, 0, 0, kBelowLetter);
            // Over the letter's square, which a tint may fill.
            cell.image = newLabel(panelWord, cellName("image_", r, c), markSquare(r, c));
            setCell(r, c, {}, CellLook::Played, {});
        }
    }
}

// Under the row's letters, between the last two marks, where it covers
// neither a letter nor a mark.
QLabel* Board::buildStandInTag(int row) {
    const QRect fourth = markSquare(row, kColumns - 1);
    const QRect fifth = markSquare(row, kColumns);
    QLabel* tag = newLabel(panelWord_, QString("label_standin%1").arg(row),
                           QRect(fourth.right() + 2, fourth.top() + 2,
                                 fifth.left() - fourth.right() - 3, kMarkSize - 2));
    tag->setText(game::kBotName);
    tag->setAlignment(Qt::AlignCenter);
    tag->setFont(look::boldArial(9));
    tag->setStyleSheet("color: rgb(224, 227, 157); background: rgba(20, 40, 24, 215);"
                       " border-radius: 3px;");
    tag->setToolTip(QString("%1 played this row for you while you were away.").arg(game::kBotName));
    tag->hide();
    return tag;
}

QLabel* Board::standInTag(int row) {
    QLabel*& tag = standInTags_[size_t(row - 1)];
    if (!tag)
        tag = buildStandInTag(row);
    return tag;
}
