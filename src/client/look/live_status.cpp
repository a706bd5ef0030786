#include "client/look/live_status.h"

#include "client/look/accessible_factory.h"

#include <QAccessible>
#include <QAccessibleWidget>

namespace {

class LiveStatusAccessible : public QAccessibleWidget {
public:
    explicit LiveStatusAccessible(LiveStatus* status)
        : QAccessibleWidget(status, QAccessible::StatusBar) {}
};

} // namespace

LiveStatus::LiveStatus(QWidget* parent) : QWidget(parent) {
    provideAccessibleInterface<LiveStatus, LiveStatusAccessible>();
    setObjectName("live_status");
    setFocusPolicy(Qt::NoFocus);
    setGeometry(0, 0, 0, 0); // shown, so that screen readers list it, but never seen
}

// This Qt (6.4) has no announcement event (it came in 6.8). A status bar
// whose name changes is what screen readers watch on every desktop, so the
// news goes out as a name change, sent even when the same news comes twice
// ("Your Turn." at each of one's turns).
void LiveStatus::announce(const QString& news) {
    if (news.isEmpty())
        return;
    if (news == accessibleName()) {
        QAccessibleEvent again(this, QAccessible::NameChanged);
        QAccessible::updateAccessibility(&again);
        return;
    }
    setAccessibleName(news); // sends the name change itself
}
