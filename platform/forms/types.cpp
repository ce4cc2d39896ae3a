#include <QApplication>
#include <QColor>
#include <QPalette>

#include "platform/forms/types.h"

namespace {
QColor SystemColor(int index) {
    const QPalette palette = QApplication::palette();
    switch (index) {
    case 2:
        return palette.color(QPalette::Highlight);
    case 5:
        return palette.color(QPalette::Base);
    case 6:
        return palette.color(QPalette::Shadow);
    case 8:
        return palette.color(QPalette::Text);
    case 13:
        return palette.color(QPalette::Highlight);
    case 14:
        return palette.color(QPalette::HighlightedText);
    case 15:
        return palette.color(QPalette::Button);
    case 16:
        return palette.color(QPalette::Dark);
    case 17:
        return palette.color(QPalette::Disabled, QPalette::Text);
    case 18:
        return palette.color(QPalette::ButtonText);
    case 19:
        return palette.color(QPalette::Inactive, QPalette::WindowText);
    case 20:
        return palette.color(QPalette::Light);
    case 24:
        return palette.color(QPalette::ToolTipBase);
    default:
        return palette.color(QPalette::Window);
    }
}
} // namespace

QColor ToQColor(TColor color) {
    if (color & clSystemColor) return SystemColor(color & 0xFF);
    return QColor(color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF);
}
