#include "controls/tests/fixture.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWidget>

#include "controls/drawing_utils.h"

QImage GrabWindows(std::initializer_list<QWidget*> windows) {
    QWidget* first = *windows.begin();
    const QPoint origin = first->mapToGlobal(QPoint(0, 0));
    QRect area;
    for (QWidget* window : windows)
        area = area.united(QRect(window->mapToGlobal(QPoint(0, 0)) - origin, window->size()));
    QImage picture(area.size(), QImage::Format_ARGB32);
    picture.fill(Qt::white);
    QPainter painter(&picture);
    for (QWidget* window : windows)
        painter.drawPixmap(window->mapToGlobal(QPoint(0, 0)) - origin - area.topLeft(), window->grab());
    return picture;
}

void SavePicture(const QImage& picture, const std::string& name) {
    picture.save(QString::fromStdString(name + ".png"));
}

void PressAt(QWidget* widget, QPoint at) {
    QMouseEvent press(QEvent::MouseButtonPress, at, widget->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &press);
}

void ReleaseAt(QWidget* widget, QPoint at) {
    QMouseEvent release(QEvent::MouseButtonRelease, at, widget->mapToGlobal(at), Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &release);
}

void ClickAt(QWidget* widget, QPoint at, Qt::KeyboardModifiers) {
    PressAt(widget, at);
    ReleaseAt(widget, at);
}

void PressKey(QWidget* widget, int key, Qt::KeyboardModifiers modifiers, const QString& text) {
    QKeyEvent press(QEvent::KeyPress, key, modifiers, text);
    QCoreApplication::sendEvent(widget, &press);
    QKeyEvent release(QEvent::KeyRelease, key, modifiers, text);
    QCoreApplication::sendEvent(widget, &release);
}

TColor PixelAt(const QImage& picture, int x, int y) {
    return ColorOfPixel(picture.pixel(x, y));
}
