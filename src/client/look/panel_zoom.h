#pragma once

#include <QFont>
#include <QHash>
#include <QMargins>
#include <QObject>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>
#include <optional>

class QLabel;
class QPainter;
class QWidget;

// Shows the board panel, laid out in its base coordinates, at any scale:
// the one place that scales every control under it (geometry, fonts and the
// pixel sizes of style sheets, from their base values) and draws the label
// pictures at the size they are shown. The parts keep placing their controls
// in base coordinates: a move or resize made by them is read as a new base
// value and shown scaled. Parts that paint for themselves draw in base
// coordinates through basePainting().
class PanelZoom : public QObject {
    Q_OBJECT
public:
    // area: the base size the panel needs in host, panel and its margin
    // included; the panel stands at panelAt in that area.
    PanelZoom(QWidget* host, QWidget* panel, QSize area, QPoint panelAt);

    // A scale, or kFit: the largest scale at which the area fits the host.
    static constexpr qreal kFit = 0;
    void setChoice(qreal choice);
    qreal choice() const { return choice_; }
    // The scale the panel is shown at now.
    qreal scale() const { return scale_; }
    QSize area() const { return area_; }

    // The zoom that shows widget, found up its parents; null when none does.
    static PanelZoom* of(const QWidget* widget);
    static qreal scaleOf(const QWidget* widget);
    // Where a part placed widget, in base coordinates.
    static QRect baseGeometry(const QWidget* widget);
    // A point in widget's parent as shown, in base coordinates.
    static QPoint toBase(const QWidget* widget, QPoint shown);
    // Moves widget to a base position; for moves that come often (the
    // balls), where a move that happens to land on the position shown now
    // would go unseen.
    static void place(QWidget* widget, QPoint baseTopLeft);
    // Scales painter, made on widget, so that it draws in base coordinates.
    static void basePainting(QPainter& painter, const QWidget* widget);

signals:
    // After the panel was laid out at a new scale: parts that compose
    // pictures of their own draw them again.
    void scaleChanged(qreal scale);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Record {
        QRect base;
        QRect shown;
        bool placed = true; // false: a layout places it
        QSize baseMinimum, baseMaximum;
        QMargins baseMargins;
        std::optional<QSize> baseIconSize; // buttons only: their pictures grow with them
        std::optional<QFont> baseFont;     // set only for a font of its own
        QFont shownFont;
        QString baseSheet, shownSheet;
    };

    void layOut();
    qreal fittingScale() const;
    void adoptChildren(QWidget* parent);
    void adopt(QWidget* widget);
    void follow(QWidget* widget, Record& record);
    void showGeometry(QWidget* widget, Record& record);
    void showLook(QWidget* widget, Record& record);
    void takeLookChanges(QWidget* widget);
    bool paintPicture(QLabel* label);
    QRect scaled(const QRect& base) const;
    Record* recordOf(const QWidget* widget);

    QWidget* host_;
    QWidget* panel_;
    QSize area_;
    QPoint panelAt_;
    QSize panelSize_;
    qreal choice_ = 1;
    qreal scale_ = 1;
    bool applying_ = false;
    std::optional<QFont> panelFont_;
    QHash<const QObject*, Record> records_;
};
