#include "client/core/zoom_menu.h"

#include "client/core/player_settings.h"

#include <QActionGroup>
#include <QMenu>
#include <QMenuBar>

namespace {

struct Step {
    int percent;
    const char* caption;
    const char* objectName;
};

constexpr Step kSteps[] = {
    {75, "&75 %", "Zoom75Percent1"},
    {100, "&100 %", "Zoom100Percent1"},
    {125, "12&5 %", "Zoom125Percent1"},
    {150, "15&0 %", "Zoom150Percent1"},
    {200, "&200 %", "Zoom200Percent1"},
    {PlayerSettings::kFitZoom, "&Fit to Window", "FittoWindow1"},
};

} // namespace

ZoomMenu::ZoomMenu(QMenuBar* bar, std::function<void(int percent)> chosen)
    : QObject(bar), chosen_(std::move(chosen)) {
    QMenu* view = bar->findChild<QMenu*>("View1");
    QMenu* zoom = (view ? view : bar->addMenu("View"))->addMenu("&Zoom");
    zoom->setObjectName("Zoom1");
    auto* group = new QActionGroup(zoom); // exclusive
    for (const Step& step : kSteps) {
        if (step.percent == PlayerSettings::kFitZoom)
            zoom->addSeparator();
        QAction* action = zoom->addAction(QString::fromUtf8(step.caption));
        action->setObjectName(step.objectName);
        action->setCheckable(true);
        action->setData(step.percent);
        group->addAction(action);
        connect(action, &QAction::triggered, this, [this, percent = step.percent] {
            if (chosen_)
                chosen_(percent);
        });
        items_.push_back(action);
    }
    check(PlayerSettings::kDefaultZoom);
}

int ZoomMenu::percent() const {
    for (const QAction* action : items_) {
        if (action->isChecked())
            return action->data().toInt();
    }
    return PlayerSettings::kDefaultZoom;
}

void ZoomMenu::check(int percent) {
    if (QAction* action = item(percent))
        action->setChecked(true);
}

QAction* ZoomMenu::item(int percent) const {
    for (QAction* action : items_) {
        if (action->data().toInt() == percent)
            return action;
    }
    return nullptr;
}
