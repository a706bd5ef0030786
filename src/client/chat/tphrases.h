#pragma once

#include "client/look/small_window.h"

#include <QList>
#include <QStringList>
#include <functional>

class QLineEdit;

// The editor of the nine phrase buttons ("Phrase List").
class Tphrases : public SmallWindow {
    Q_OBJECT
public:
    static constexpr int kCount = 9;
    static constexpr int kMaxTyped = 50;

    Tphrases();

    // Shows the window centred on `over`, its edits holding these phrases.
    void edit(const QStringList& phrases, const QWidget* over);
    QStringList texts() const;

    // "Done": the edited phrases. Closing the window any other way discards them.
    std::function<void(const QStringList&)> onDone;

private:
    QList<QLineEdit*> edits_;
};
