// The application's style: the platform's, but for the icon of the menu bar's
// overflow button. The menu bar asks for that icon as soon as it is built, and
// the style's own is a picture file whose loading loads every image format
// plug-in the system has; a drawn chevron serves instead.
#pragma once

#include <QPainter>
#include <QPixmap>
#include <QProxyStyle>

namespace cadenzo {

class ReaderStyle : public QProxyStyle {
  public:
    QIcon standardIcon(StandardPixmap icon, const QStyleOption* option, const QWidget* widget) const override {
        if (icon != SP_ToolBarHorizontalExtensionButton && icon != SP_ToolBarVerticalExtensionButton)
            return QProxyStyle::standardIcon(icon, option, widget);
        QPixmap chevron(16, 16);
        chevron.fill(Qt::transparent);
        QPainter painter(&chevron);
        painter.setPen(QPen(Qt::black, 1.5));
        painter.setRenderHint(QPainter::Antialiasing);
        const bool horizontal = icon == SP_ToolBarHorizontalExtensionButton;
        for (const int at : {4, 9}) {
            if (horizontal)
                painter.drawPolyline(QPolygonF({QPointF(at, 4), QPointF(at + 4, 8), QPointF(at, 12)}));
            else
                painter.drawPolyline(QPolygonF({QPointF(4, at), QPointF(8, at + 4), QPointF(12, at)}));
        }
        return QIcon(chevron);
    }
};

} // namespace cadenzo
