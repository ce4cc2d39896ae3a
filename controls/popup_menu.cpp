#include "controls/popup_menu.h"

#include <QAction>
#include <QMenu>

namespace {
void AddItems(QMenu& into, TMenuItem& item) {
    if (!item.Visible()) return;
    if (item.Caption() == "-") {
        into.addSeparator();
        return;
    }
    const QString caption = QString::fromStdString(item.Caption());
    if (item.Count() > 0) {
        QMenu* sub = into.addMenu(caption);
        sub->setEnabled(item.Enabled());
        for (int i = 0; i < item.Count(); ++i)
            AddItems(*sub, item.Items(i));
        return;
    }
    QAction* action = into.addAction(caption);
    action->setEnabled(item.Enabled());
    action->setCheckable(item.Checked());
    action->setChecked(item.Checked());
    QObject::connect(action, &QAction::triggered, [&item] { item.Click(); });
}
} // namespace

TPopupMenu::TPopupMenu() : lifetime_(std::make_unique<QObject>()) {}

TPopupMenu::~TPopupMenu() = default;

void TPopupMenu::Add(TMenuItem& item) {
    items_.push_back(&item);
}

void TPopupMenu::Popup(int x, int y) {
    menu_ = std::make_unique<QMenu>();
    for (TMenuItem* item : items_)
        AddItems(*menu_, *item);
    QPoint at(x, y);
    const int width = menu_->sizeHint().width();
    if (alignment_ == paRight) at.rx() -= width;
    if (alignment_ == paCenter) at.rx() -= width / 2;
    menu_->popup(at);
}
