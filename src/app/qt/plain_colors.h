// Fixed colours and text size of a control, set on the label itself: a style
// sheet would bring the style sheet engine into every start for it.
#pragma once

#include <QColor>
#include <QWidget>

namespace cadenzo {

// The control shows `background` behind its text, and its text in `text`
// when that is valid.
inline void setPlainColors(QWidget* widget, const QColor& background, const QColor& text = QColor()) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, background);
    if (text.isValid()) palette.setColor(QPalette::WindowText, text);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

// A text box shows `background` behind its text.
inline void setPlainBase(QWidget* widget, const QColor& background) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Base, background);
    widget->setPalette(palette);
}

inline void setPointSize(QWidget* widget, int points) {
    QFont font = widget->font();
    font.setPointSize(points);
    widget->setFont(font);
}

} // namespace cadenzo
