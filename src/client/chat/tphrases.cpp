#include "client/chat/tphrases.h"

#include "client/chat/plain_text.h"

#include <QLabel>
#include <QLineEdit>

namespace {

// Typing stops at the limit, but a longer stored phrase is kept as it is:
// the limit follows the text down, never up past its own length.
void limitTypingKeepingStored(QLineEdit* edit) {
    QObject::connect(edit, &QLineEdit::textChanged, edit, [edit](const QString& text) {
        edit->setMaxLength(qMax<int>(Tphrases::kMaxTyped, int(text.size())));
    });
}

} // namespace

Tphrases::Tphrases() : SmallWindow("phrases", "Ludomyra - Phrase Buttons", QSize(380, 300)) {
    for (int index = 0; index < kCount; ++index) {
        const int top = 12 + 27 * index;
        auto* label = new QLabel(QString("Phrase Button %1:").arg(index + 1), this);
        label->setGeometry(10, top, 100, 22);
        auto* edit = new QLineEdit(this);
        edit->setObjectName(QString("edit_phrase%1").arg(index + 1));
        edit->setAccessibleName(QString("Phrase Button %1").arg(index + 1));
        edit->setGeometry(112, top, 258, 22);
        edit->setMaxLength(kMaxTyped);
        edit->setValidator(new BlankingValidator(edit));
        limitTypingKeepingStored(edit);
        edits_.append(edit);
    }
    QPushButton* done = addDoneButton(QRect(150, 264, 80, 26));
    connect(done, &QPushButton::clicked, this, [this] {
        if (onDone)
            onDone(texts());
    });
}

void Tphrases::edit(const QStringList& phrases, const QWidget* over) {
    for (int index = 0; index < kCount; ++index) {
        const QString phrase = phrases.value(index);
        edits_[index]->setMaxLength(qMax<int>(kMaxTyped, int(phrase.size())));
        edits_[index]->setText(phrase);
    }
    showCentredOn(over);
}

QStringList Tphrases::texts() const {
    QStringList result;
    for (const QLineEdit* edit : edits_)
        result.append(edit->text());
    return result;
}
