#include "app/qt_texts.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QPointer>
#include <QTranslator>

namespace {

// Qt's Russian translation lacks the kinds of file that its file dialogs name themselves (the type
// column says "Folder"); the other kinds come from the desktop's file types, in Russian already.
class FileKindNames : public QTranslator {
public:
    using QTranslator::QTranslator;
    bool isEmpty() const override { return false; }
    QString translate(const char* context, const char* sourceText, const char*, int) const override {
        struct Name {
            const char* english;
            const char* russian;
        };
        static constexpr Name kNames[] = {
            {"Folder", "Папка"},   {"File Folder", "Папка"}, {"Drive", "Диск"},         {"File", "Файл"},
            {"Shortcut", "Ярлык"}, {"Alias", "Ярлык"},       {"Unknown", "Неизвестно"},
        };
        if (qstrcmp(context, "QAbstractFileIconProvider") != 0) return {};
        for (const Name& name : kNames)
            if (qstrcmp(sourceText, name.english) == 0) return QString::fromUtf8(name.russian);
        return {};
    }
};

} // namespace

bool UseRussianQtTexts() {
    const QLocale russian(QLocale::Russian, QLocale::Russia);
    QLocale::setDefault(russian);
    // Once per application object, which owns the translators.
    static QPointer<QTranslator> installed;
    if (installed) return true;
    auto* translator = new QTranslator(QCoreApplication::instance());
    if (translator->load(russian, "qtbase", "_", QLibraryInfo::path(QLibraryInfo::TranslationsPath)) &&
        QCoreApplication::installTranslator(translator)) {
        QCoreApplication::installTranslator(new FileKindNames(QCoreApplication::instance()));
        installed = translator;
        return true;
    }
    delete translator;
    return false;
}
