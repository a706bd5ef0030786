#pragma once

#include <QProxyStyle>

// The desktop's own style, except that the menu bar's overflow arrow is
// read from its picture files only when first drawn: every menu bar asks
// for it as it is made, reading it was a noticeable part of the window's
// start-up, and a bar as wide as ours never shows it.
class DeferredIconStyle : public QProxyStyle {
    Q_OBJECT
public:
    DeferredIconStyle();

    QIcon standardIcon(StandardPixmap icon, const QStyleOption* option = nullptr,
                       const QWidget* widget = nullptr) const override;
};
