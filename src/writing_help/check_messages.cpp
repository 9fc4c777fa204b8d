// The checker's common findings in our own words. The arguments are those of
// libtidy's message, in its order (tags written "<b>" or "b" as libtidy
// gives them).

#include "writing_help/page_check.h"

#include <tidy/tidyenum.h>

namespace {

// "<b>" for an argument given as "b".
QString tag(const QString& name) {
    return name.startsWith(u'<') ? name : u'<' + name + u'>';
}

QString argument(const QStringList& arguments, int index) {
    return index < arguments.size() ? arguments.at(index) : QString();
}

} // namespace

QString finding_text(unsigned code, const QStringList& arguments, const QString& fallback) {
    const QString a = argument(arguments, 0);
    const QString b = argument(arguments, 1);
    switch (code) {
    case MISSING_ENDTAG_FOR:
        return QStringLiteral("Elemento %1 non chiuso: manca </%2>").arg(tag(a), a);
    case MISSING_ENDTAG_BEFORE:
        return QStringLiteral("Elemento %1 non chiuso: manca </%2> prima di %3").arg(tag(a), a, b);
    case NON_MATCHING_ENDTAG:
        return QStringLiteral("Elementi annidati male: </%1> non chiude l'elemento aperto qui")
            .arg(b);
    case NESTED_EMPHASIS:
        return QStringLiteral("Elementi annidati male: %1 dentro un altro %1").arg(tag(a));
    case DISCARDING_UNEXPECTED:
        if (a.startsWith(QStringLiteral("</")))
            return QStringLiteral("Tag di chiusura %1 senza tag di apertura").arg(a);
        return QStringLiteral("%1 fuori posto: il browser lo ignora").arg(tag(a));
    case UNEXPECTED_ENDTAG:
    case UNEXPECTED_ENDTAG_ERR:
        return QStringLiteral("Tag di chiusura </%1> senza tag di apertura").arg(a);
    case UNEXPECTED_ENDTAG_IN:
        return QStringLiteral("Tag di chiusura </%1> senza tag di apertura dentro %2")
            .arg(a, tag(b));
    case UNKNOWN_ELEMENT:
    case UNKNOWN_ELEMENT_LOOKS_CUSTOM:
    case PROPRIETARY_ELEMENT:
        return QStringLiteral("Elemento sconosciuto: %1").arg(tag(a));
    case PROPRIETARY_ATTRIBUTE:
        return QStringLiteral("Attributo sconosciuto per %1: \"%2\"").arg(tag(a), b);
    case MISSING_ATTRIBUTE:
        if (b == QStringLiteral("alt"))
            return QStringLiteral("Manca l'attributo \"alt\" (testo alternativo) di %1")
                .arg(tag(a));
        return QStringLiteral("Manca l'attributo \"%1\" di %2").arg(b, tag(a));
    case MISSING_TITLE_ELEMENT:
        return QStringLiteral("Manca l'elemento <title> (il titolo della pagina)");
    case ANCHOR_NOT_UNIQUE:
        return QStringLiteral("L'identificatore \"%1\" è già usato nella pagina").arg(b);
    case UNKNOWN_ENTITY:
        return QStringLiteral("Riferimento a carattere sconosciuto: \"%1\" (una & da sola si "
                              "scrive &amp;)")
            .arg(a);
    case MISSING_SEMICOLON:
    case MISSING_SEMICOLON_NCR:
        return QStringLiteral("Il riferimento a carattere \"%1\" non termina con \";\"").arg(a);
    case INVALID_NCR:
        return QStringLiteral("Riferimento numerico a carattere non valido: %1").arg(b);
    case UNESCAPED_AMPERSAND:
        return QStringLiteral("Una & da sola si scrive &amp;");
    case MISSING_DOCTYPE:
        return QStringLiteral("Manca la dichiarazione <!DOCTYPE>");
    case REMOVED_HTML5:
        return QStringLiteral("L'elemento %1 non fa più parte di HTML5").arg(tag(a));
    case BAD_ATTRIBUTE_VALUE:
        return QStringLiteral("Valore \"%1\" non valido per l'attributo \"%2\" di %3")
            .arg(argument(arguments, 2), b, tag(a));
    default:
        return fallback;
    }
}
