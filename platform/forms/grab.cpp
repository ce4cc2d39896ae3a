#include "platform/forms/grab.h"

#include <QLayout>
#include <QPixmap>
#include <QWidget>

#include "platform/forms/control.h"
#include "platform/forms/form.h"

bool GrabToPng(TForm& form, const std::string& path) {
    return GrabToPng(*form.Widget(), path);
}

bool GrabToPng(QWidget& widget, const std::string& path) {
    const bool wasVisible = widget.isVisible();
    if (!wasVisible) {
        // Lay the window out as if shown, without putting it on any screen.
        widget.setAttribute(Qt::WA_DontShowOnScreen, true);
        widget.show();
    }
    if (widget.layout()) widget.layout()->activate();
    if (!wasVisible) widget.adjustSize();
    const QPixmap picture = widget.grab();
    if (!wasVisible) {
        widget.hide();
        widget.setAttribute(Qt::WA_DontShowOnScreen, false);
    }
    return !picture.isNull() && picture.save(ToQ(path), "PNG");
}
