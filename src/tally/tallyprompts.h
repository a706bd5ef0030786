#pragma once

#include <QString>

class QWidget;

// The tally window's questions and notices to the player. The program asks
// with message boxes; tests answer without a modal dialog.
class TallyPrompts {
public:
    virtual ~TallyPrompts() = default;
    // A Yes/No question; true for Yes.
    virtual bool confirm(QWidget* parent, const QString& question) = 0;
    virtual void inform(QWidget* parent, const QString& message) = 0;
};

class MessageBoxPrompts : public TallyPrompts {
public:
    bool confirm(QWidget* parent, const QString& question) override;
    void inform(QWidget* parent, const QString& message) override;
};
