// The page checker's findings: where they are (line and column as the
// status bar counts them, with CR LF, LF, lone CR, tabs, accents and
// characters outside the BMP), how grave and in which words.

#include "writing_help/charset_finding.h"
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
    Page{"UnknownElementAfterEmoji", "HEAD\r\n<p>😀😀<foo>x</foo></p></body></html>", "2:8 E Elemento sconosciuto: <foo>"},
    Page{"ImgWithoutAltAfterTab", "HEAD\r\n\t<img src=\"a.png\">\r\n</body></html>", "2:2 W Manca l'attributo \"alt\" (testo alternativo) di <img>"},
    Page{"BadCharacterReferences", "HEAD\n<p>perché &eacute &bogus;</p></body></html>", "2:11 W Il riferimento a carattere \"&eacute\" non termina con \";\"\n2:19 W Riferimento a carattere sconosciuto: \"&bogus\" (una & da sola si scrive &amp;)"},
    Page{"MixedBreaksAndTab", "HEAD\r<p>x\r\n\n\t<b>y</p>\n</body></html>", "4:2 W Elemento <b> non chiuso: manca </b> prima di </p>"},
    Page{"TableFindingsInOurWords", "HEAD<table><td>a</td><p>x</table></body></html>", "1:64 W Manca il tag di apertura <tr>\n1:74 W <p> non è ammesso dentro <tr>"},
    Page{"NoFindings", "HEAD<p>x</p></body></html>", ""}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

// What completion offers, the checker never calls unknown.
TEST(Vocabulary, IsKnownToTheChecker) {
    QByteArray page = "<!DOCTYPE html><html><head><title>t</title></head><body>\n";
    for (const html::Element& element : html::elements()) {
        page += '<' + QByteArray(element.name);
        for (const QString& attribute : vocabulary::attribute_names(element.name))
            page += ' ' + attribute.toLatin1() + "=\"x\"";
        page += '>';
        if (!element.is(html::Element::Void))
            page += "</" + QByteArray(element.name) + '>';
        page += '\n';
    }
    for (const Finding& f : check_page(page + "</body></html>").findings)
        EXPECT_FALSE(f.text.contains(QStringLiteral("sconosciut")))
            << f.line + 1 << ": " << qPrintable(f.text);
}

// Pages of every way of nesting, each far deeper than the checker reads:
// refused, never a crash (libtidy takes the stack a level deeper for each
// element, however it came to be open); pages as long but not as deep, and
// a deep one within the budget, are checked.
struct Nesting {
    const char* name;
    const char* before;
    const char* unit; // repeated
    int units;
    bool refused;
};

class DeepPages : public testing::TestWithParam<Nesting> {};

TEST_P(DeepPages, AreRefusedNeverCrash) {
    const Nesting& row = GetParam();
    QByteArray page = "<!DOCTYPE html><html><head><title>t</title></head><body>\n";
    page += row.before;
    page += QByteArray(row.unit).repeated(row.units);
    const CheckResult result = check_page(page + "x</body></html>");
    EXPECT_EQ(result.too_deep, row.refused);
    EXPECT_EQ(result.complete, !row.refused);
    if (row.refused) {
        EXPECT_TRUE(result.findings.empty());
    }
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Nestings, DeepPages, testing::Values(
    Nesting{"UnclosedDivs", "", "<div>\n", 100000, true},
    Nesting{"ClosedDivs", "", "<div>", 20000, true},
    Nesting{"Formatting", "", "<b><i><u>", 10000, true},
    Nesting{"DlImpliesDd", "", "<dl>", 20000, true},
    Nesting{"CellsImplyRows", "", "<table><td>", 10000, true},
    Nesting{"ItemsImplyLists", "", "<li><div>", 10000, true},
    Nesting{"TagsWithoutEnd", "", "<dl", 20000, true},
    Nesting{"SvgGroups", "<svg>", "<g>", 20000, true},
    Nesting{"MathRows", "<math>", "<mrow>", 20000, true},
    Nesting{"SvgEndTagsInValues", "<svg>", "<g a=\"</g>\">", 10000, true},
    Nesting{"CommentsBetween", "", "<!-- </div> --><div>", 20000, true},
    Nesting{"FontsLeftOpenInBlocks", "", "<p><font>x\n", 2000, true},
    Nesting{"ThousandDivs", "", "<div>\n", 1000, false},
    Nesting{"UnclosedParagraphs", "", "<p>x\n", 20000, false},
    Nesting{"UnclosedItems", "<ul>", "<li>x\n", 20000, false},
    Nesting{"UnclosedCells", "<table>", "<tr><td>x<td>y\n", 20000, false},
    Nesting{"Comments", "", "<!-- <div> -->\n", 20000, false},
    Nesting{"SvgSiblings", "<svg>", "<g><path d=\"M0 0\"/><circle r=1></g>\n", 20000, false},
    Nesting{"SvgsInAScript", "<script>", "'<svg><g>'+\n", 20000, false}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

// The page's declaration of its encoding against its file's: an error where
// browsers follow the declaration, a warning where they follow a byte-order
// mark; declarations in comments, in the body or of labels browsers do not
// know count for nothing.
struct Declared {
    const char* name;
    const char* head;
    Encoding file;
    const char* said; // "E|W label file's encoding"; "": nothing
};

class DeclaredEncoding : public testing::TestWithParam<Declared> {};

TEST_P(DeclaredEncoding, IsCheckedAgainstTheFile) {
    const QByteArray page = "<html>\n<head>" + QByteArray(GetParam().head) + "</head><p>città";
    const auto finding = charset_finding(page, GetParam().file);
    const QStringList said = QString::fromUtf8(GetParam().said).split(u' ', Qt::SkipEmptyParts);
    ASSERT_EQ(finding.has_value(), !said.isEmpty());
    if (!finding)
        return;
    EXPECT_EQ(finding->severity, said[0] == u"E" ? Severity::Error : Severity::Warning);
    EXPECT_EQ(finding->text.section(u':', 0, 0),
              QStringLiteral("La pagina dichiara la codifica \"%1\" ma il file è in %2")
                  .arg(said[1], said.mid(2).join(u' ')));
    EXPECT_EQ(finding->line, 1);
    EXPECT_EQ(page.mid(finding->offset, said[1].size()), said[1].toUtf8());
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Pages, DeclaredEncoding, testing::Values(
    Declared{"Utf8FileLatin1", "<meta charset=\"iso-8859-1\">", Encoding::Utf8, "E iso-8859-1 UTF-8"},
    Declared{"Windows1252FileUtf8", "<meta http-equiv=Content-Type content='text/html;charset=UTF-8'>", Encoding::Windows1252, "E UTF-8 Windows-1252"},
    Declared{"Windows1252FileLatin1", "<meta charset=latin1>", Encoding::Windows1252, ""},
    Declared{"MarkedUtf8File", "<META CHARSET=windows-1252>", Encoding::Utf8Bom, "W windows-1252 UTF-8 con BOM"},
    Declared{"Utf16File", "<meta charset='utf-8'>", Encoding::Utf16Le, "W utf-8 UTF-16 LE"},
    Declared{"OnlyInACommentOrTheBody", "<!-- <meta charset=latin1> --></head><body><meta charset=latin1>", Encoding::Utf8, ""},
    Declared{"UnknownLabelPassedOver", "<meta charset=klingon><meta charset=latin1>", Encoding::Utf8, "E latin1 UTF-8"}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

TEST(Cancel, EndsTheCheckWithoutFindings) {
    const std::atomic<bool> cancel(true);
    const CheckResult result = check_page("<p><b>x</p>", &cancel);
    EXPECT_FALSE(result.complete);
    EXPECT_TRUE(result.findings.empty());
}

} // namespace
