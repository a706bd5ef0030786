#pragma once

#include <QString>
#include <functional>

class QWidget;

// Message boxes go through one seam so that headless tests can see what a
// player would be told without a modal dialog blocking them.
namespace messagebox {

using Handler = std::function<void(QWidget* parent, const QString& text)>;
using Question = std::function<bool(QWidget* parent, const QString& text)>;

void show(QWidget* parent, const QString& text);
// Replaces how boxes are shown (tests record them); an empty handler restores the dialog.
void setHandler(Handler handler);

// A question with Yes and No: true for Yes.
bool ask(QWidget* parent, const QString& text);
// Replaces how questions are asked (tests answer them); empty restores the dialog.
void setQuestionHandler(Question handler);

} // namespace messagebox
