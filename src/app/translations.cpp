#include "app/translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QPointer>
#include <QTranslator>

namespace {

// QScintilla ships no Italian words. Its edit-area menu has the seven items
// of a line edit's, so it takes the toolkit's words for those, or ours when
// the toolkit's are not installed.
class EditAreaWords : public QTranslator {
  public:
    EditAreaWords(const QTranslator* toolkit, QObject* parent)
        : QTranslator(parent), toolkit_(toolkit) {}

    bool isEmpty() const override { return false; }

    QString translate(const char* context, const char* source, const char* disambiguation,
                      int n) const override {
        if (qstrcmp(context, "QsciScintilla") != 0 || !source)
            return {};
        if (toolkit_) {
            const QString words = toolkit_->translate("QLineEdit", source, disambiguation, n);
            if (!words.isEmpty())
                return words;
        }
        static const struct {
            const char* source;
            const char16_t* italian;
        } kOwn[] = {
            {"&Undo", u"Ann&ulla"},
            {"&Redo", u"&Rifai"},
            {"Cu&t", u"&Taglia"},
            {"&Copy", u"&Copia"},
            {"&Paste", u"&Incolla"},
            {"Delete", u"Elimina"},
            {"Select All", u"Seleziona tutto"},
        };
        for (const auto& row : kOwn)
            if (qstrcmp(row.source, source) == 0)
                return QString::fromUtf16(row.italian);
        return {};
    }

  private:
    QPointer<const QTranslator> toolkit_;
};

} // namespace

bool install_italian_translations() {
    // Owned by the application object; they live until the program ends.
    auto* toolkit = new QTranslator(QCoreApplication::instance());
    const bool loaded =
        toolkit->load(QLocale(QLocale::Italian), QStringLiteral("qtbase"), QStringLiteral("_"),
                      QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    if (loaded)
        QCoreApplication::installTranslator(toolkit);
    QCoreApplication::installTranslator(
        new EditAreaWords(loaded ? toolkit : nullptr, QCoreApplication::instance()));
    if (!loaded)
        delete toolkit;
    return loaded;
}
