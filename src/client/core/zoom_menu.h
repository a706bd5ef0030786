#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <vector>

class QAction;
class QMenuBar;

// View -> Zoom: the panel's scale steps and "Fit to Window", one of them
// checked. A choice is kept as a percentage, PlayerSettings::kFitZoom for
// fitting the window.
class ZoomMenu : public QObject {
    Q_OBJECT
public:
    // Added to the bar's "View" menu; chosen hears the player's choices.
    ZoomMenu(QMenuBar* bar, std::function<void(int percent)> chosen);

    int percent() const;
    void check(int percent);
    QAction* item(int percent) const;

private:
    std::vector<QAction*> items_;
    std::function<void(int)> chosen_;
};
