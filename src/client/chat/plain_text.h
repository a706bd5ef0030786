#pragma once

#include <QString>
#include <QValidator>
#include <optional>

// Text from a player or from the network stays one line of plain text: line
// breaks, control and format characters, the bidirectional ones included,
// become blanks (playertext::hidesOrBreaks), so nobody can start a forged
// system line or turn text around.
QString blankControlCharacters(const QString& text);

// A small whole number written in plain decimal digits (no sign, no blanks),
// as numbers inside chat text are; nullopt for anything else.
std::optional<int> smallDecimal(QStringView text);

// Applies blankControlCharacters to whatever is typed or pasted into an edit.
class BlankingValidator : public QValidator {
    Q_OBJECT
public:
    using QValidator::QValidator;
    State validate(QString& input, int& pos) const override;
};
