#include "platform/forms/file_dialog.h"

#include <QFileDialog>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QIdentityProxyModel>
#include <QLocale>
#include <QTreeView>

#include "platform/text/text.h"

namespace {

// The columns of Qt's file system model.
enum Column { NameColumn = 0, SizeColumn = 1, TypeColumn = 2, DateColumn = 3 };

// Qt's model writes sizes and dates in the desktop's locale; this one writes them in Russian.
class RussianDetails : public QIdentityProxyModel {
public:
    using QIdentityProxyModel::QIdentityProxyModel;

    QVariant data(const QModelIndex& index, int role) const override {
        const auto* files = qobject_cast<const QFileSystemModel*>(sourceModel());
        if (!files || role != Qt::DisplayRole ||
            (index.column() != SizeColumn && index.column() != DateColumn))
            return QIdentityProxyModel::data(index, role);
        const QModelIndex file = mapToSource(index);
        if (index.column() == DateColumn)
            return russian_.toString(files->lastModified(file), "dd.MM.yyyy HH:mm");
        if (files->isDir(file)) return QString();
        // Under a kilobyte the noun takes the count's form ("44 байта"), which Qt's translation does
        // not; above, powers of 1024 with the Russian units ("1,50 кБ"; Qt's IEC units are Latin).
        const qint64 size = files->size(file);
        if (size < 1024) return QString::fromStdString(ByteCount(size));
        return russian_.formattedDataSize(size, 2, QLocale::DataSizeTraditionalFormat);
    }

private:
    const QLocale russian_{QLocale::Russian, QLocale::Russia};
};

} // namespace

void SetUpFileDialog(QFileDialog& dialog) {
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    // Each filter carries its patterns in lower and upper case (the names of files from the platform
    // these filters come from ignore case); the description alone says it.
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    dialog.setProxyModel(new RussianDetails(&dialog));
    // Names, sizes and dates as wide as their texts, whatever widths were kept from an earlier show;
    // the kind of file, the least needed, takes the room that is left.
    if (auto* view = dialog.findChild<QTreeView*>()) {
        QHeaderView* header = view->header();
        header->setStretchLastSection(false);
        for (int column : {NameColumn, SizeColumn, DateColumn})
            header->setSectionResizeMode(column, QHeaderView::ResizeToContents);
        header->setSectionResizeMode(TypeColumn, QHeaderView::Stretch);
    }
}
