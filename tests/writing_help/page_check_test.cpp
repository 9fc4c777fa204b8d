// The page checker's findings: where they are (line and column as the
// status bar counts them, with CR LF, LF, lone CR, tabs, accents and
// characters outside the BMP), how grave and in which words.

#include "writing_help/page_check.h"
#include "writing_help/vocabulary.h"

#include <gtest/gtest.h>

namespace {

struct Page {
    const char* name;
    const char* text;
    const char* findings; // "line:column E|W text", one per line
};

std::string described(const std::vector<Finding>& findings) {
    QStringList lines;
    for (const Finding& f : findings)
        lines << QStringLiteral("%1:%2 %3 %4")
                     .arg(f.line + 1)
                     .arg(f.column + 1)
                     .arg(f.severity == Severity::Error ? QChar(u'E') : QChar(u'W'))
                     .arg(f.text);
    return lines.join(u'\n').toStdString();
}

class Findings : public testing::TestWithParam<Page> {};

TEST_P(Findings, AreWhereTheFaultIsInOurWords) {
    const QByteArray head = "<!DOCTYPE html><html><head><title>t</title></head><body>";
    QByteArray page(GetParam().text);
    page.replace("HEAD", head);
    EXPECT_EQ(described(check_page(page).findings), GetParam().findings);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Pages, Findings, testing::Values(
    Page{"UnclosedCrLf", "HEAD\r\n<p>città <b>x</p>\r\n</body></html>", "2:10 W Elemento <b> non chiuso: manca </b> prima di </p>"},
    Page{"MisnestedLf", "HEAD\n<p><b><i>x</b></i></p>\n</body></html>", "2:7 W Elementi annidati male: </b> non chiude l'elemento aperto qui"},
    Page{"UnknownElementAfterEmoji", "HEAD\r\n<p>😀😀<foo>x</foo></p></body></html>", "2:8 E Elemento sconosciuto: <foo>"},
    Page{"ImgWithoutAltAfterTab", "HEAD\r\n\t<img src=\"a.png\">\r\n</body></html>", "2:2 W Manca l'attributo \"alt\" (testo alternativo) di <img>"},
    Page{"MissingTitle", "<!DOCTYPE html><html><head></head><body><p>x</p></body></html>", "1:22 W Manca l'elemento <title> (il titolo della pagina)"},
    Page{"DuplicateId", "HEAD\r\n<p id=\"a\">1</p>\r\n<p id=\"a\">2</p></body></html>", "3:1 W L'identificatore \"a\" è già usato nella pagina"},
    Page{"BadCharacterReferences", "HEAD\n<p>perché &eacute &bogus;</p></body></html>", "2:11 W Il riferimento a carattere \"&eacute\" non termina con \";\"\n2:19 W Riferimento a carattere sconosciuto: \"&bogus\" (una & da sola si scrive &amp;)"},
    Page{"MixedBreaksAndTab", "HEAD\r<p>x\r\n\n\t<b>y</p>\n</body></html>", "4:2 W Elemento <b> non chiuso: manca </b> prima di </p>"},
    Page{"TableFindingsInOurWords", "HEAD<table><td>a</td><p>x</table></body></html>", "1:64 W Manca il tag di apertura <tr>\n1:74 W <p> non è ammesso dentro <tr>"},
    Page{"AnchorNameNotAnId", "HEAD<p><a name=\"a b\"></a></p></body></html>", "1:60 W Il nome (\"name\") di <a> non può fare anche da identificatore (\"id\"): contiene spazi o caratteri non ammessi"},
    Page{"NoFindings", "HEAD<p>x</p></body></html>", ""}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

// What completion offers, the checker never calls unknown.
TEST(Vocabulary, IsKnownToTheChecker) {
    QByteArray page = "<!DOCTYPE html><html><head><title>t</title></head><body>\n";
    for (const vocabulary::Element& element : vocabulary::elements()) {
        page += '<' + QByteArray(element.name);
        for (const QString& attribute : vocabulary::attribute_names(element.name))
            page += ' ' + attribute.toLatin1() + "=\"x\"";
        page += '>';
        if (!(element.flags & vocabulary::Void))
            page += "</" + QByteArray(element.name) + '>';
        page += '\n';
    }
    for (const Finding& f : check_page(page + "</body></html>").findings)
        EXPECT_FALSE(f.text.contains(QStringLiteral("sconosciut")))
            << f.line + 1 << ": " << qPrintable(f.text);
}

TEST(Cancel, EndsTheCheckWithoutFindings) {
    const std::atomic<bool> cancel(true);
    const CheckResult result = check_page("<p><b>x</p>", &cancel);
    EXPECT_FALSE(result.complete);
    EXPECT_TRUE(result.findings.empty());
}

} // namespace
