// The checker's findings in our own words. The arguments are those of
// libtidy's message, in its order; a tag may come as "<b>" or "b", and is
// written here as "<b>".

#include "writing_help/page_check.h"

#include <tidy/tidyenum.h>

namespace {

QString bare(QString name) {
    if (name.startsWith(u'<') && name.endsWith(u'>'))
        name = name.mid(1, name.size() - 2);
    return name;
}

// "%1".."%3": the message's arguments; "<%1>": a tag named by one. Messages
// with no row here are said in general words.
struct Wording {
    unsigned code;
    const char16_t* text;
};

constexpr Wording kWordings[] = {
    {MISSING_ENDTAG_FOR, u"Elemento <%1> non chiuso: manca </%1>"},
    {MISSING_ENDTAG_BEFORE, u"Elemento <%1> non chiuso: manca </%1> prima di %2"},
    {MISSING_ENDTAG_OPTIONAL, u"Elemento <%1> non chiuso: manca </%1> (facoltativo)"},
    {MISSING_STARTTAG, u"Manca il tag di apertura <%1>"},
    {NON_MATCHING_ENDTAG, u"Elementi annidati male: </%2> non chiude l'elemento aperto qui"},
    {NESTED_EMPHASIS, u"Elementi annidati male: <%1> dentro un altro <%1>"},
    {COERCE_TO_ENDTAG, u"<%1> aperto di nuovo: forse si voleva chiuderlo con </%2>"},
    {UNEXPECTED_ENDTAG, u"Tag di chiusura </%1> senza tag di apertura"},
    {UNEXPECTED_ENDTAG_ERR, u"Tag di chiusura </%1> senza tag di apertura"},
    {UNEXPECTED_ENDTAG_IN, u"Tag di chiusura </%1> senza tag di apertura dentro <%2>"},
    {UNKNOWN_ELEMENT, u"Elemento sconosciuto: <%1>"},
    {UNKNOWN_ELEMENT_LOOKS_CUSTOM, u"Elemento sconosciuto: <%1>"},
    {PROPRIETARY_ELEMENT, u"Elemento sconosciuto: <%1>"},
    {PROPRIETARY_ATTRIBUTE, u"Attributo sconosciuto per <%1>: \"%2\""},
    {PROPRIETARY_ATTR_VALUE, u"Valore non standard per <%1>: \"%2\""},
    {MISMATCHED_ATTRIBUTE_WARN, u"L'attributo \"%2\" di <%1> non è ammesso in %3 (si usano i "
                                u"fogli di stile)"},
    {MISMATCHED_ATTRIBUTE_ERROR, u"L'attributo \"%2\" di <%1> non è ammesso in %3"},
    {BAD_SUMMARY_HTML5, u"L'attributo \"summary\" di <%1> non fa più parte di HTML5"},
    {MISSING_TITLE_ELEMENT, u"Manca l'elemento <title> (il titolo della pagina)"},
    {ANCHOR_NOT_UNIQUE, u"L'identificatore \"%2\" è già usato nella pagina"},
    {INVALID_XML_ID, u"Il nome (\"name\") di <%1> non può fare anche da identificatore (\"id\"): "
                     u"contiene spazi o caratteri non ammessi"},
    {ID_NAME_MISMATCH, u"Gli attributi \"id\" e \"name\" di <%1> hanno valori diversi"},
    {XML_ID_SYNTAX, u"L'identificatore \"%2\" di <%1> usa caratteri ammessi solo in XML"},
    {UNKNOWN_ENTITY, u"Riferimento a carattere sconosciuto: \"%1\" (una & da sola si scrive "
                     u"&amp;)"},
    {MISSING_SEMICOLON, u"Il riferimento a carattere \"%1\" non termina con \";\""},
    {MISSING_SEMICOLON_NCR, u"Il riferimento a carattere \"%1\" non termina con \";\""},
    {INVALID_NCR, u"Riferimento numerico a carattere non valido: %2"},
    {UNESCAPED_AMPERSAND, u"Una & da sola si scrive &amp;"},
    {APOS_UNDEFINED, u"&apos; esiste solo in XML e XHTML: in HTML si scrive &#39;"},
    {INVALID_SGML_CHARS, u"Codice di carattere non valido: %2"},
    {VENDOR_SPECIFIC_CHARS, u"Codice di carattere non valido: %2"},
    {INVALID_UTF8, u"Byte non validi in UTF-8 (codice %2)"},
    {INVALID_UTF16, u"Coppia UTF-16 non valida (codice %2)"},
    {MISSING_DOCTYPE, u"Manca la dichiarazione <!DOCTYPE>"},
    {DOCTYPE_AFTER_TAGS, u"La dichiarazione <!DOCTYPE> va all'inizio della pagina"},
    {MALFORMED_DOCTYPE, u"Dichiarazione <!DOCTYPE> scritta male: il browser la ignora"},
    {XML_DECLARATION_DETECTED, u"Dichiarazione XML (<?xml ...?>) in una pagina HTML"},
    {REMOVED_HTML5, u"L'elemento <%1> non fa più parte di HTML5"},
    {ELEMENT_VERS_MISMATCH_WARN, u"L'elemento <%1> non esiste in %2"},
    {ELEMENT_VERS_MISMATCH_ERROR, u"L'elemento <%1> non esiste in %2"},
    {OBSOLETE_ELEMENT, u"L'elemento <%1> è superato: al suo posto <%2>"},
    {BAD_ATTRIBUTE_VALUE, u"Valore \"%3\" non valido per l'attributo \"%2\" di <%1>"},
    {BAD_ATTRIBUTE_VALUE_REPLACED, u"Valore \"%3\" non valido per l'attributo \"%2\" di <%1>"},
    {ATTRIBUTE_VALUE_REPLACED, u"Valore \"%3\" non valido per l'attributo \"%2\" di <%1>"},
    {ATTR_VALUE_NOT_LCASE, u"Il valore \"%2\" di un attributo di <%1> va scritto in minuscolo"},
    {MISSING_ATTR_VALUE, u"L'attributo \"%2\" di <%1> non ha un valore"},
    {INVALID_ATTRIBUTE, u"Nome di attributo non valido in <%1>: \"%2\""},
    {REPEATED_ATTRIBUTE, u"L'attributo \"%3\" di <%1> è ripetuto: il valore \"%2\" non conta"},
    {JOINING_ATTRIBUTE, u"L'attributo \"%2\" di <%1> è ripetuto"},
    {INSERTING_AUTO_ATTRIBUTE, u"A <%1> manca l'attributo \"%2\" (di solito \"%3\")"},
    {MISSING_QUOTEMARK, u"Un valore di attributo di <%1> apre le virgolette ma non le chiude"},
    {MISSING_QUOTEMARK_OPEN, u"Il valore dell'attributo \"%1\" va tra virgolette"},
    {UNEXPECTED_QUOTEMARK, u"Virgolette fuori posto o doppie in <%1>"},
    {UNEXPECTED_EQUALSIGN, u"\"=\" fuori posto in <%1>: manca il nome dell'attributo"},
    {UNEXPECTED_GT, u"Manca il \">\" che chiude il tag <%1>"},
    {UNEXPECTED_END_OF_FILE, u"La pagina finisce prima della fine di <%1>"},
    {UNEXPECTED_END_OF_FILE_ATTR, u"La pagina finisce tra gli attributi di <%1>"},
    {BACKSLASH_IN_URI, u"L'indirizzo in <%1> contiene \"\\\": negli indirizzi si scrive \"/\""},
    {FIXED_BACKSLASH, u"L'indirizzo in <%1> contiene \"\\\": negli indirizzi si scrive \"/\""},
    {WHITE_IN_URI, u"L'indirizzo in <%1> contiene spazi"},
    {NEWLINE_IN_URI, u"L'indirizzo in <%1> va a capo"},
    {ILLEGAL_URI_REFERENCE, u"L'indirizzo in <%1> contiene caratteri non ammessi"},
    {ESCAPED_ILLEGAL_URI, u"L'indirizzo in <%1> contiene caratteri non ammessi"},
    {ILLEGAL_URI_CODEPOINT, u"L'indirizzo in <%1> contiene caratteri non ammessi"},
    {CONTENT_AFTER_BODY, u"Testo o elementi dopo la fine del corpo della pagina (</body>)"},
    {TAG_NOT_ALLOWED_IN, u"<%1> non è ammesso dentro <%2>"},
    {CANT_BE_NESTED, u"<%1> non può stare dentro un altro <%1>"},
    {ILLEGAL_NESTING, u"<%1> non può stare qui dentro"},
    {NESTED_QUOTATION, u"Elementi <q> uno dentro l'altro: forse un errore di battitura"},
    {TOO_MANY_ELEMENTS, u"Troppi elementi <%1>"},
    {TOO_MANY_ELEMENTS_IN, u"Troppi elementi <%1> dentro <%2>"},
    {REPLACING_ELEMENT, u"<%1> fuori posto: il browser lo legge come <%2>"},
    {REPLACING_UNEX_ELEMENT, u"<%1> fuori posto: il browser lo legge come <%2>"},
    {USING_BR_INPLACE_OF, u"<%1> fuori posto: il browser lo legge come <br>"},
    {NOFRAMES_CONTENT, u"<%1> non sta dentro <noframes>"},
    {FOUND_STYLE_IN_BODY, u"<style> dentro <body>: va messo in <head>"},
    {ELEMENT_NOT_EMPTY, u"<%1> non è vuoto o non è chiuso"},
    {TRIM_EMPTY_ELEMENT, u"Elemento <%1> vuoto"},
    {BAD_CDATA_CONTENT, u"\"</\" seguito da una lettera non è ammesso qui (in uno script si "
                        u"scrive \"<\\/\")"},
    {MALFORMED_COMMENT, u"Commento con trattini \"--\" al suo interno"},
    {MALFORMED_COMMENT_WARN, u"Commento con trattini \"--\" al suo interno"},
    {MALFORMED_COMMENT_DROPPING, u"Commento scritto male: manca un trattino in \"<!--\""},
    {MALFORMED_COMMENT_EOS, u"La pagina finisce dentro un commento: manca \"-->\""},
    {CUSTOM_TAG_DETECTED, u"Elemento personalizzato <%1>, letto come <%2>"},
    {DUPLICATE_FRAMESET, u"Elemento <frameset> ripetuto"},
    {MISSING_IMAGEMAP, u"<%1> dovrebbe usare una mappa dell'immagine lato client"},
    {PREVIOUS_LOCATION, u"<%1> nominato prima"},
};

// The message's arguments in place of "%1".."%3"; tags bare, as the
// wording writes their brackets.
QString fill(const QString& text, const QStringList& arguments) {
    QString filled = text;
    for (int i = 0; i < 3; ++i) {
        const QString mark = QStringLiteral("%") + QString::number(i + 1);
        const QString value = i < arguments.size() ? arguments.at(i) : QString();
        filled.replace(QStringLiteral("<") + mark + u'>', u'<' + bare(value) + u'>');
        filled.replace(QStringLiteral("</") + mark + u'>',
                       QStringLiteral("</") + bare(value) + u'>');
        filled.replace(mark, value);
    }
    return filled;
}

} // namespace

QString finding_text(unsigned code, const QStringList& arguments) {
    const QString first = arguments.value(0);
    switch (code) {
    case DISCARDING_UNEXPECTED:
        if (first.startsWith(QStringLiteral("</")))
            return QStringLiteral("Tag di chiusura %1 senza tag di apertura").arg(first);
        return fill(QStringLiteral("<%1> fuori posto: il browser lo ignora"), arguments);
    case MISSING_ATTRIBUTE:
        if (arguments.value(1) == QStringLiteral("alt"))
            return fill(QStringLiteral("Manca l'attributo \"alt\" (testo alternativo) di <%1>"),
                        arguments);
        return fill(QStringLiteral("Manca l'attributo \"%2\" di <%1>"), arguments);
    default:
        break;
    }
    for (const Wording& wording : kWordings)
        if (wording.code == code)
            return fill(QString::fromUtf16(wording.text), arguments);
    // A message without words of ours: where, and of which element.
    if (!first.isEmpty() && first.startsWith(u'<'))
        return QStringLiteral("Marcatura da rivedere in %1").arg(first);
    return QStringLiteral("Marcatura da rivedere qui");
}
