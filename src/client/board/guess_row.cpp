#include "client/board/guess_row.h"

#include "client/look/widget_look.h"

#include <QApplication>
#include <QKeyEvent>
#include <QStyle>
#include <QValidator>
#include <algorithm>

namespace {

constexpr int kEditSize = 40;
constexpr int kPitch = 45;

bool isLetter(QChar c) {
    return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z');
}

// Empty or one letter A-Z, shown upper case: whatever route text comes by.
class LetterValidator : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int&) const override {
        input = input.toUpper();
        if (input.isEmpty() || (input.size() == 1 && isLetter(input[0])))
            return Acceptable;
        return Invalid;
    }
};

const char* lookName(GuessRow::Look look) {
    switch (look) {
    case GuessRow::Look::Open:
        return "open";
    case GuessRow::Look::Submitted:
        return "submitted";
    case GuessRow::Look::Locked:
    case GuessRow::Look::Revealed:
        break;
    }
    return "locked";
}

// Every look in one sheet, chosen by the edits' properties: a sheet set
// anew is parsed anew, and the look changes at every focus move.
QString rowSheet() {
    return QString("QLineEdit { color: rgb(255, 0, 0); background: black; "
                   "border: 1px solid rgb(92, 58, 30); border-radius: 3px; "
                   "font: bold 32px 'Arial'; padding: 0px; }"
                   "QLineEdit[look=\"open\"] { color: rgb(224, 227, 157); }"
                   "QLineEdit[look=\"submitted\"] { color: rgb(192, 192, 192); }"
                   "QLineEdit[framed=\"true\"] { border: 2px solid %1; }"
                   "QLineEdit[framed=\"true\"]:focus { border: 3px solid %1; }")
        .arg(look::kFocusColour.name());
}

} // namespace

LetterEdit::LetterEdit(QWidget* parent, int column) : QLineEdit(parent), column_(column) {
    setObjectName("edit_" + QString::number(column));
    setProperty("tag", column);
    setMaxLength(1);
    setAlignment(Qt::AlignCenter);
    setValidator(new LetterValidator(this));
    setContextMenuPolicy(Qt::NoContextMenu);
    setAcceptDrops(false);
    setAttribute(Qt::WA_InputMethodEnabled, false);
    setFocusPolicy(column == 1 ? Qt::StrongFocus : Qt::ClickFocus); // one tab stop
    setAccessibleName(QString("Letter %1 of your guess").arg(column));
}

void LetterEdit::keyPressEvent(QKeyEvent* event) {
    if (onKey && onKey(column_, event))
        event->accept();
    else
        QLineEdit::keyPressEvent(event);
}

void LetterEdit::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    const Qt::FocusReason reason = event->reason();
    const bool givenBack = reason == Qt::ActiveWindowFocusReason ||
                           reason == Qt::PopupFocusReason || reason == Qt::MenuBarFocusReason;
    if (!givenBack && onEnteredByPlayer)
        onEnteredByPlayer(column_);
}

GuessRow::GuessRow(QWidget* parent, QPoint topLeft, const ClientState& state, Hooks hooks)
    : QObject(parent), state_(state), hooks_(std::move(hooks)) {
    // The edits share their look through one style sheet on the row.
    row_ = new QWidget(parent);
    row_->setObjectName("guess_row");
    row_->setGeometry(topLeft.x(), topLeft.y(), kPitch * (kColumns - 1) + kEditSize, kEditSize);
    for (int c = 1; c <= kColumns; ++c) {
        auto* e = new LetterEdit(row_, c);
        e->setGeometry(kPitch * (c - 1), 0, kEditSize, kEditSize);
        e->onKey = [this](int column, QKeyEvent* event) {
            return keyPress(column, event);
        };
        // Entering an edit on the own turn empties it, ready for its letter.
        e->onEnteredByPlayer = [this](int column) {
            if (mayType())
                edit(column)->clear();
        };
        edits_[size_t(c - 1)] = e;
    }
    row_->setStyleSheet(rowSheet());
    connect(qApp, &QApplication::focusChanged, this,
            [this](QWidget*, QWidget* now) { focusMoved(now); });
    show(Look::Open);
}

void GuessRow::show(Look look, const gamemsg::Letters& word) {
    setLook(look);
    for (int c = 1; c <= kColumns; ++c)
        edit(c)->setText(look == Look::Revealed ? word[size_t(c - 1)] : QString());
}

void GuessRow::setLook(Look look) {
    look_ = look;
    applyStyle();
    for (int c = 1; c <= kColumns; ++c)
        edit(c)->setReadOnly(look == Look::Revealed);
}

// While the row has the keys, all five edits are framed and the one that
// takes the next letter more so: a text cursor alone was easily missed.
void GuessRow::applyStyle() {
    for (LetterEdit* e : edits_) {
        if (e->property("look").toString() == lookName(look_) &&
            e->property("framed").toBool() == focused_)
            continue;
        e->setProperty("look", lookName(look_));
        e->setProperty("framed", focused_);
        // A sheet reads properties only when it polishes (the first polish
        // comes with the first showing).
        if (e->testAttribute(Qt::WA_WState_Polished)) {
            e->style()->unpolish(e);
            e->style()->polish(e);
            e->update();
        }
    }
}

void GuessRow::focusMoved(QWidget* now) {
    const bool focused = now && row_->isAncestorOf(now);
    if (focused == focused_)
        return;
    focused_ = focused;
    applyStyle();
}

void GuessRow::clearColumn(int column) {
    edit(column)->clear();
}

void GuessRow::focusFirst() {
    edit(1)->setFocus(Qt::OtherFocusReason);
}

bool GuessRow::hasFocus() const {
    return std::any_of(edits_.begin(), edits_.end(),
                       [](const LetterEdit* e) { return e->hasFocus(); });
}

QString GuessRow::word() const {
    QString joined;
    for (const LetterEdit* e : edits_)
        joined += e->text();
    return joined;
}

bool GuessRow::mayType() const {
    return !locked() && state_.seated() && state_.turnseat == state_.myseat;
}

// The row's key rules, in order. Tab and Backtab never get here: they move
// the focus before any key press is delivered.
bool GuessRow::keyPress(int column, QKeyEvent* event) {
    if (!mayType())
        return true;
    LetterEdit* here = edit(column);
    const int key = event->key();
    if (key == Qt::Key_Backspace) {
        if (column > 1 && !(column == kColumns && !here->text().isEmpty()))
            edit(column - 1)->setFocus(Qt::OtherFocusReason); // which empties it
        here->clear();
        hooks_.playsound("backspace");
        return true;
    }
    const QString text = event->text();
    if (event->modifiers() & ~(Qt::ShiftModifier | Qt::KeypadModifier))
        return true;
    if (text.size() == 1 && isLetter(text[0])) {
        const QString letter = text.toUpper();
        const QString given = hooks_.givenLetter ? hooks_.givenLetter() : QString();
        // The given letter cannot be lost: another first letter goes after it.
        if (column == 1 && !given.isEmpty() && letter != given) {
            here->setText(given);
            here = edit(++column);
        }
        if (column < kColumns)
            edit(column + 1)->setFocus(Qt::OtherFocusReason);
        hooks_.playsound("typing1");
        here->setText(letter);
        return true;
    }
    if ((key == Qt::Key_Return || key == Qt::Key_Enter) && column == kColumns)
        enter(column);
    return true; // digits, punctuation, Enter before the last edit
}

void GuessRow::enter(int) {
    const QString joined = word();
    if (joined.size() != kColumns)
        return;
    for (const QChar c : joined) {
        if (c < u'A' || c > u'Z')
            return;
    }
    hooks_.entered(joined);
}
