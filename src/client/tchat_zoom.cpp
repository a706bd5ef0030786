// View -> Zoom: the panel's scale, the window's minimum, and the window
// sized to a zoom step.
#include "client/tchat.h"

#include "client/look/panel_zoom.h"

#include <QLayout>
#include <QScreen>
#include <algorithm>

void Tchat::zoomChosen(int percent) {
    applyZoom(percent, true);
    saveinifile();
}

// A step that would not fit the work area is cut down to it, keeping the
// panel's proportions. The window never gets smaller than the panel at its
// step; fitted to the window, not smaller than at the smallest step.
void Tchat::applyZoom(int percent, bool sizeWindow) {
    zoomMenu_->check(percent);
    const QSize area = zoom_->area();
    const QMargins frame = frameBorders();
    const int menuHeight = menuWidget() ? menuWidget()->sizeHint().height() : 0;
    const QRect work = screen() ? screen()->availableGeometry() : QRect();
    const QSize room = work.size().shrunkBy(frame) - QSize(0, menuHeight);
    qreal scale = percent == PlayerSettings::kFitZoom ? PlayerSettings::kZoomSteps[0] / 100.0
                                                      : percent / 100.0;
    if (!work.isEmpty())
        scale = std::min(
            {scale, qreal(room.width()) / area.width(), qreal(room.height()) / area.height()});
    const QSize panelArea = (QSizeF(area) * scale).toSize();
    centralWidget()->setMinimumSize(panelArea);
    layout()->activate(); // the window's own minimum follows now, before any resize
    zoom_->setChoice(percent == PlayerSettings::kFitZoom ? PanelZoom::kFit : scale);
    if (!sizeWindow || percent == PlayerSettings::kFitZoom)
        return;
    QRect outer(bounds().topLeft(), panelArea.grownBy(frame) + QSize(0, menuHeight));
    if (!work.isEmpty()) {
        outer.moveRight(std::min(outer.right(), work.right()));
        outer.moveBottom(std::min(outer.bottom(), work.bottom()));
        outer.moveLeft(std::max(outer.left(), work.left()));
        outer.moveTop(std::max(outer.top(), work.top()));
    }
    setBounds(outer);
}
