#include "client/look/panel_zoom.h"

#include "client/look/artwork.h"
#include "client/look/clickable_label.h"

#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QEvent>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QPainter>
#include <QPointer>
#include <QRegularExpression>
#include <QStyle>
#include <QWidget>

#include <algorithm>
#include <cmath>

namespace {

constexpr char kZoomProperty[] = "panelZoom";

// Controls made of inner widgets place those themselves.
bool placesOwnInsides(const QWidget* widget) {
    return qobject_cast<const QAbstractScrollArea*>(widget) ||
           qobject_cast<const QLineEdit*>(widget) || qobject_cast<const QAbstractButton*>(widget) ||
           qobject_cast<const QAbstractSpinBox*>(widget) || qobject_cast<const QComboBox*>(widget);
}

int scaledLength(int length, qreal scale) {
    return int(std::lround(length * scale));
}

QSize scaledLimit(QSize size, qreal scale) {
    const auto one = [scale](int length) {
        return length >= QWIDGETSIZE_MAX ? length : scaledLength(length, scale);
    };
    return QSize(one(size.width()), one(size.height()));
}

QFont scaledFont(QFont font, qreal scale) {
    if (font.pixelSize() > 0)
        font.setPixelSize(std::max(1, scaledLength(font.pixelSize(), scale)));
    else if (font.pointSizeF() > 0)
        font.setPointSizeF(font.pointSizeF() * scale);
    return font;
}

// Every length of a style sheet is in pixels; a line stays at least one.
QString scaledSheet(const QString& sheet, qreal scale) {
    static const QRegularExpression pixels(QStringLiteral("(\\d+(?:\\.\\d+)?)px"));
    QString result;
    qsizetype done = 0;
    for (auto it = pixels.globalMatch(sheet); it.hasNext();) {
        const QRegularExpressionMatch match = it.next();
        const double length = match.captured(1).toDouble();
        const long shown = length > 0 ? std::max(1L, std::lround(length * scale)) : 0;
        result += QStringView(sheet).mid(done, match.capturedStart() - done);
        result += QString::number(shown) + QStringLiteral("px");
        done = match.capturedEnd();
    }
    result += QStringView(sheet).mid(done);
    return result;
}

} // namespace

PanelZoom::PanelZoom(QWidget* host, QWidget* panel, QSize area, QPoint panelAt)
    : QObject(panel), host_(host), panel_(panel), area_(area), panelAt_(panelAt),
      panelSize_(panel->size()) {
    setObjectName("panelZoom");
    panel->setProperty(kZoomProperty, QVariant::fromValue<QObject*>(this));
    // Laid out at the host's resizes: before the first, it has no size yet.
    host->installEventFilter(this);
    panel->installEventFilter(this);
}

void PanelZoom::setChoice(qreal choice) {
    choice_ = choice;
    layOut();
}

qreal PanelZoom::fittingScale() const {
    if (host_->width() <= 0 || host_->height() <= 0)
        return 1;
    return std::min(qreal(host_->width()) / area_.width(), qreal(host_->height()) / area_.height());
}

QRect PanelZoom::scaled(const QRect& base) const {
    const int left = scaledLength(base.x(), scale_), top = scaledLength(base.y(), scale_);
    return QRect(left, top, scaledLength(base.x() + base.width(), scale_) - left,
                 scaledLength(base.y() + base.height(), scale_) - top);
}

// Centred in the host; the controls are scaled again only when the scale
// changed.
void PanelZoom::layOut() {
    const qreal wanted = choice_ == kFit ? fittingScale() : choice_;
    const bool rescale = std::abs(wanted - scale_) > 1e-6;
    scale_ = wanted;
    const QSize shownArea = scaled(QRect(QPoint(), area_)).size();
    const QPoint origin(std::max(0, (host_->width() - shownArea.width()) / 2),
                        std::max(0, (host_->height() - shownArea.height()) / 2));
    applying_ = true;
    panel_->setGeometry(scaled(QRect(panelAt_, panelSize_)).translated(origin));
    if (rescale) {
        if (!panelFont_)
            panelFont_ = panel_->font();
        panel_->setFont(scaledFont(*panelFont_, scale_));
        adoptChildren(panel_);
        const QList<const QObject*> shown = records_.keys();
        for (const QObject* object : shown) {
            auto* widget = static_cast<QWidget*>(const_cast<QObject*>(object));
            Record& record = records_[object];
            follow(widget, record); // a hidden control may have moved unseen
            showGeometry(widget, record);
            showLook(widget, record);
        }
    }
    applying_ = false;
    if (rescale)
        emit scaleChanged(scale_);
}

void PanelZoom::adoptChildren(QWidget* parent) {
    for (QObject* child : parent->children()) {
        auto* widget = qobject_cast<QWidget*>(child);
        if (!widget || widget->isWindow())
            continue;
        adopt(widget);
        if (!placesOwnInsides(widget))
            adoptChildren(widget);
    }
}

// What the widget shows now is its base: it is adopted either before the
// first scaling or once its part has placed it.
void PanelZoom::adopt(QWidget* widget) {
    if (records_.contains(widget))
        return;
    Record record;
    record.placed = !(widget->parentWidget() && widget->parentWidget()->layout());
    record.base = record.shown = widget->geometry();
    record.baseMinimum = widget->minimumSize();
    record.baseMaximum = widget->maximumSize();
    record.baseMargins = widget->contentsMargins();
    if (const auto* button = qobject_cast<QAbstractButton*>(widget))
        record.baseIconSize = button->iconSize();
    if (widget->testAttribute(Qt::WA_SetFont))
        record.baseFont = widget->font();
    record.shownFont = widget->font();
    record.baseSheet = record.shownSheet = widget->styleSheet();
    records_.insert(widget, record);
    widget->installEventFilter(this);
    connect(widget, &QObject::destroyed, this, [this](QObject* gone) { records_.remove(gone); });
}

PanelZoom::Record* PanelZoom::recordOf(const QWidget* widget) {
    const auto it = records_.find(widget);
    return it == records_.end() ? nullptr : &*it;
}

// A geometry that is not the one shown was set by a part: in base coordinates.
void PanelZoom::follow(QWidget* widget, Record& record) {
    const QRect now = widget->geometry();
    if (!record.placed || now == record.shown)
        return;
    if (now.topLeft() != record.shown.topLeft())
        record.base.moveTopLeft(now.topLeft());
    if (now.size() != record.shown.size())
        record.base.setSize(now.size());
    showGeometry(widget, record);
}

void PanelZoom::showGeometry(QWidget* widget, Record& record) {
    if (!record.placed)
        return;
    const bool wasApplying = std::exchange(applying_, true);
    widget->setMinimumSize(scaledLimit(record.baseMinimum, scale_));
    widget->setMaximumSize(scaledLimit(record.baseMaximum, scale_));
    const QMargins m = record.baseMargins;
    widget->setContentsMargins(scaledLength(m.left(), scale_), scaledLength(m.top(), scale_),
                               scaledLength(m.right(), scale_), scaledLength(m.bottom(), scale_));
    if (record.baseIconSize)
        static_cast<QAbstractButton*>(widget)->setIconSize(
            scaledLimit(*record.baseIconSize, scale_));
    widget->setGeometry(scaled(record.base));
    record.shown = widget->geometry();
    applying_ = wasApplying;
}

void PanelZoom::showLook(QWidget* widget, Record& record) {
    const bool wasApplying = std::exchange(applying_, true);
    if (record.baseFont)
        widget->setFont(scaledFont(*record.baseFont, scale_));
    record.shownFont = widget->font();
    if (!record.baseSheet.isEmpty()) {
        const QString sheet = scaledSheet(record.baseSheet, scale_);
        if (widget->styleSheet() != sheet)
            widget->setStyleSheet(sheet);
    }
    record.shownSheet = widget->styleSheet();
    applying_ = wasApplying;
}

// A font or style sheet that is not the one shown was set by a part.
void PanelZoom::takeLookChanges(QWidget* widget) {
    Record* record = recordOf(widget);
    if (!record)
        return;
    bool changed = false;
    if (widget->font() != record->shownFont && widget->testAttribute(Qt::WA_SetFont)) {
        record->baseFont = widget->font();
        changed = true;
    }
    if (widget->styleSheet() != record->shownSheet) {
        record->baseSheet = widget->styleSheet();
        changed = true;
    }
    if (changed)
        showLook(widget, *record);
}

// A picture is drawn from its source at the size it is shown, so it stays
// sharp; one composed at the panel's scale is drawn pixel for pixel.
bool PanelZoom::paintPicture(QLabel* label) {
    const QPixmap picture = label->pixmap();
    if (picture.isNull())
        return false;
    const Record* record = recordOf(label);
    if (!record)
        return false;
    const QRect contents = QRect(QPoint(), record->base.size()).marginsRemoved(record->baseMargins);
    QRectF target = contents;
    if (!label->hasScaledContents()) {
        const Qt::Alignment alignment =
            QStyle::visualAlignment(label->layoutDirection(), label->alignment());
        target = QStyle::alignedRect(label->layoutDirection(), alignment,
                                     picture.deviceIndependentSize().toSize(), contents);
    }
    const QRectF shown(QPointF(std::round(target.x() * scale_), std::round(target.y() * scale_)),
                       target.size() * scale_);
    QPixmap sharp = artwork::sharpAt(picture, scale_);
    if (sharp.isNull())
        sharp = picture;
    {
        QPainter painter(label);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawPixmap(shown, sharp, QRectF(sharp.rect()));
    }
    // The label's own paint event is skipped here: its focus ring comes over the picture.
    if (auto* button = qobject_cast<RingedLabel*>(label))
        button->drawFocusRing();
    return true;
}

bool PanelZoom::eventFilter(QObject* watched, QEvent* event) {
    if (watched == host_) {
        if (event->type() == QEvent::Resize)
            layOut();
        return false;
    }
    switch (event->type()) {
    case QEvent::Move:
    case QEvent::Resize:
        if (!applying_) {
            if (Record* record = recordOf(static_cast<QWidget*>(watched)))
                follow(static_cast<QWidget*>(watched), *record);
        }
        break;
    case QEvent::FontChange:
    case QEvent::StyleChange:
        // Taken once the part has finished setting it.
        if (!applying_ && records_.contains(watched)) {
            QPointer<QWidget> widget(static_cast<QWidget*>(watched));
            QMetaObject::invokeMethod(
                this,
                [this, widget] {
                    if (widget)
                        takeLookChanges(widget);
                },
                Qt::QueuedConnection);
        }
        break;
    case QEvent::ChildPolished:
        if (!applying_ && !records_.isEmpty() &&
            !placesOwnInsides(static_cast<QWidget*>(watched))) {
            auto* child = qobject_cast<QWidget*>(static_cast<QChildEvent*>(event)->child());
            if (child && !child->isWindow() && !records_.contains(child)) {
                adopt(child);
                Record& record = records_[child];
                showGeometry(child, record);
                showLook(child, record);
            }
        }
        break;
    case QEvent::Paint:
        if (std::abs(scale_ - 1) > 1e-6) {
            if (auto* label = qobject_cast<QLabel*>(watched))
                return paintPicture(label);
        }
        break;
    default:
        break;
    }
    return false;
}

PanelZoom* PanelZoom::of(const QWidget* widget) {
    for (const QWidget* w = widget; w; w = w->parentWidget()) {
        const QVariant zoom = w->property(kZoomProperty);
        if (zoom.isValid())
            return qobject_cast<PanelZoom*>(zoom.value<QObject*>());
    }
    return nullptr;
}

qreal PanelZoom::scaleOf(const QWidget* widget) {
    const PanelZoom* zoom = of(widget);
    return zoom ? zoom->scale_ : 1;
}

// A control not adopted yet was placed by its part and never scaled.
QRect PanelZoom::baseGeometry(const QWidget* widget) {
    PanelZoom* zoom = of(widget);
    Record* record = zoom ? zoom->recordOf(widget) : nullptr;
    if (!record)
        return widget->geometry();
    zoom->follow(const_cast<QWidget*>(widget), *record);
    return record->base;
}

QPoint PanelZoom::toBase(const QWidget* widget, QPoint shown) {
    const qreal scale = scaleOf(widget);
    return QPoint(int(std::lround(shown.x() / scale)), int(std::lround(shown.y() / scale)));
}

void PanelZoom::place(QWidget* widget, QPoint baseTopLeft) {
    PanelZoom* zoom = of(widget);
    if (zoom && !zoom->records_.isEmpty() && !widget->isWindow())
        zoom->adopt(widget);
    Record* record = zoom ? zoom->recordOf(widget) : nullptr;
    if (!record) {
        widget->move(baseTopLeft);
        return;
    }
    zoom->follow(widget, *record);
    record->base.moveTopLeft(baseTopLeft);
    zoom->showGeometry(widget, *record);
}

void PanelZoom::basePainting(QPainter& painter, const QWidget* widget) {
    const qreal scale = scaleOf(widget);
    painter.scale(scale, scale);
}
