#include "writing_help/page_check.h"

#include "writing_help/vocabulary.h"

#include <QHash>
#include <QSet>
#include <tidy/tidy.h>
#include <tidy/tidybuffio.h>

#include <algorithm>
#include <climits>
#include <cstdint>

namespace {

constexpr int kTabSize = 8;

// libtidy reads the page through this, one byte at a time, so a cancelled
// check can end the input at once, and so can one that has gone too deep:
// libtidy reads each element's content a call deeper than the element, so
// the stack it has taken when it asks for the next byte tells how deep it is.
struct Source {
    const char* begin;
    const char* next;
    const char* end;
    const std::atomic<bool>* cancel;
    std::uintptr_t stack_top; // where the check began
    bool too_deep = false;

    bool cancelled() const { return cancel && cancel->load(std::memory_order_relaxed); }

    [[gnu::noinline]] bool past_budget() {
        const auto here = reinterpret_cast<std::uintptr_t>(__builtin_frame_address(0));
        const std::uintptr_t used = here < stack_top ? stack_top - here : here - stack_top;
        too_deep = too_deep || used > kCheckStackBudget;
        return too_deep;
    }

    static int TIDY_CALL get(void* data) {
        auto* self = static_cast<Source*>(data);
        if (self->next == self->end || self->cancelled() || self->past_budget())
            return int(EndOfStream);
        return static_cast<unsigned char>(*self->next++);
    }
    static void TIDY_CALL unget(void* data, byte) {
        auto* self = static_cast<Source*>(data);
        if (self->next > self->begin)
            --self->next;
    }
    static Bool TIDY_CALL at_end(void* data) {
        auto* self = static_cast<Source*>(data);
        return self->next == self->end || self->cancelled() || self->too_deep ? yes : no;
    }
};

std::optional<Severity> severity(TidyReportLevel level) {
    switch (level) {
    case TidyWarning:
        return Severity::Warning;
    case TidyError:
    case TidyBadDocument:
    case TidyFatal:
        return Severity::Error;
    default: // information, accessibility, configuration, summaries
        return std::nullopt;
    }
}

QStringList arguments_of(TidyMessage message) {
    QStringList arguments;
    for (TidyIterator it = tidyGetMessageArguments(message); it;) {
        TidyMessageArgument argument = tidyGetNextMessageArgument(message, &it);
        switch (tidyGetArgType(message, &argument)) {
        case tidyFormatType_STRING:
            arguments << QString::fromUtf8(tidyGetArgValueString(message, &argument));
            break;
        case tidyFormatType_INT:
            arguments << QString::number(tidyGetArgValueInt(message, &argument));
            break;
        case tidyFormatType_UINT:
            arguments << QString::number(tidyGetArgValueUInt(message, &argument));
            break;
        default:
            arguments << QString();
            break;
        }
    }
    return arguments;
}

QString strip_brackets(QString tag) {
    if (tag.startsWith(u'<') && tag.endsWith(u'>'))
        tag = tag.mid(1, tag.size() - 2);
    return tag;
}

// Whether our vocabulary knows what the checker calls unknown: then it is
// not a fault (libtidy's tables are older than some of HTML, and it calls
// the elements declared to it "not approved").
bool known_to_us(unsigned code, const QStringList& arguments) {
    if (code == PROPRIETARY_ELEMENT && !arguments.isEmpty())
        return vocabulary::find_element(strip_brackets(arguments.at(0)).toLatin1()) != nullptr;
    if (code != PROPRIETARY_ATTRIBUTE || arguments.size() < 2)
        return false;
    return vocabulary::knows_attribute(strip_brackets(arguments.at(0)).toLatin1(),
                                       arguments.at(1).toLatin1());
}

// An element left open is opened again inside each block that follows, and
// inside it the next one left open: the page nests deeper at each block, and
// the checker's work grows with the square of it (a thousand <div>s each
// with a <font> left open take it ten seconds). It stops reading after this
// many openings of its own.
constexpr int kMaxReopened = 50000;

struct Collected {
    std::vector<Finding> findings;
    QSet<QString> unknown; // elements reported unknown, "<foo>"
    // An inline element left open: the finding that says so, by element.
    QHash<QString, size_t> unclosed;
    // Where libtidy opened such an element again itself ("span 9 1"), and
    // the finding of the element left open there.
    QHash<QString, size_t> implicit;
    // How many places each finding's element was opened again at.
    QHash<size_t, int> repeats;
    // Openings of its own libtidy has made so far, and the input it reads.
    int reopened = 0;
    Source* source = nullptr;
};

QString place_key(const QString& element, TidyMessage message) {
    return QStringLiteral("%1 %2 %3")
        .arg(strip_brackets(element))
        .arg(tidyGetMessageLine(message))
        .arg(tidyGetMessageColumn(message));
}

// An inline element left open is opened again by libtidy in each block that
// follows, each time with a notice and again everything it says about the
// element: another "missing end tag", its attributes once more. The first
// finding is the user's; what follows at the places it was opened again at
// are its repeats, counted for it.
bool repeats_open_element(unsigned code, const QStringList& arguments, TidyMessage message,
                          Collected& collected) {
    if (arguments.isEmpty())
        return false;
    const QString key = place_key(arguments.at(0), message);
    if (code == INSERTING_TAG) {
        const auto cause = collected.unclosed.constFind(strip_brackets(arguments.at(0)));
        if (cause != collected.unclosed.cend()) {
            collected.implicit.insert(key, *cause);
            ++collected.repeats[*cause];
        }
        return true;
    }
    return collected.implicit.contains(key);
}

// The finding's words, with the count of the places the element was opened
// again at.
QString with_repeats(const QString& text, int repeats) {
    return repeats == 1 ? text + QStringLiteral(" (si ripete in 1 punto seguente)")
                        : text + QStringLiteral(" (si ripete in %1 punti seguenti)").arg(repeats);
}

// libtidy drops an unknown element's tags and says so twice more; the user
// needs to hear that it is unknown, once.
bool repeats_unknown(unsigned code, const QStringList& arguments, const QSet<QString>& unknown) {
    if (code != DISCARDING_UNEXPECTED || arguments.isEmpty())
        return false;
    QString tag = arguments.at(0);
    tag.remove(u'/');
    return unknown.contains(tag);
}

Bool TIDY_CALL collect(TidyMessage message) {
    auto* collected = static_cast<Collected*>(tidyGetAppData(tidyGetMessageDoc(message)));
    const unsigned code = tidyGetMessageCode(message);
    if (code == INSERTING_TAG && ++collected->reopened > kMaxReopened)
        collected->source->too_deep = true;
    const auto level = severity(tidyGetMessageLevel(message));
    if (!level)
        return no;
    const QStringList arguments = arguments_of(message);
    if (known_to_us(code, arguments) || repeats_unknown(code, arguments, collected->unknown) ||
        repeats_open_element(code, arguments, message, *collected))
        return no;
    if ((code == UNKNOWN_ELEMENT || code == UNKNOWN_ELEMENT_LOOKS_CUSTOM) && !arguments.isEmpty())
        collected->unknown << arguments.at(0);
    if ((code == MISSING_ENDTAG_BEFORE || code == MISSING_ENDTAG_FOR) && !arguments.isEmpty())
        collected->unclosed.insert(strip_brackets(arguments.at(0)), collected->findings.size());
    Finding finding;
    finding.line = std::max(1, tidyGetMessageLine(message));
    finding.column = std::max(1, tidyGetMessageColumn(message));
    finding.severity = *level;
    finding.code = code;
    finding.text = finding_text(code, arguments);
    collected->findings.push_back(std::move(finding));
    return no; // nothing goes to libtidy's own output
}

// The elements of our vocabulary, declared to libtidy by kind: those it knows
// already keep its own definition; those it does not are no longer unknown.
void declare_vocabulary(TidyDoc doc) {
    QByteArray empty, inline_tags, blocks;
    for (const html::Element& element : html::elements()) {
        QByteArray& list = element.is(html::Element::Void)     ? empty
                           : element.is(html::Element::Phrase) ? inline_tags
                                                               : blocks;
        list += (list.isEmpty() ? "" : ",") + QByteArray(element.name);
    }
    tidyOptSetValue(doc, TidyEmptyTags, empty.constData());
    tidyOptSetValue(doc, TidyInlineTags, inline_tags.constData());
    tidyOptSetValue(doc, TidyBlockTags, blocks.constData());
}

} // namespace

CheckResult check_page(QByteArray utf8, const std::atomic<bool>* cancel) {
    CheckResult result;
    if (foreign_depth(utf8, kMaxForeignDepth) > kMaxForeignDepth) {
        result.complete = false;
        result.too_deep = true;
        return result;
    }
    // libtidy ends a line at a lone CR but loses count of the columns after
    // it; an LF in its place keeps every line and every byte where it was.
    for (qsizetype i = utf8.indexOf('\r'); i >= 0; i = utf8.indexOf('\r', i + 1))
        if (i + 1 == utf8.size() || utf8.at(i + 1) != '\n')
            utf8.data()[i] = '\n';
    Collected collected;
    TidyDoc doc = tidyCreate();
    tidySetAppData(doc, &collected);
    tidySetMessageCallback(doc, collect);
    TidyBuffer errors;
    tidyBufInit(&errors);
    tidySetErrorBuffer(doc, &errors);
    tidyOptSetValue(doc, TidyInCharEncoding, "utf8");
    tidyOptSetInt(doc, TidyShowErrors, INT_MAX);
    tidyOptSetBool(doc, TidyShowWarnings, yes);
    tidyOptSetBool(doc, TidyShowInfo, no);
    tidyOptSetBool(doc, TidyQuiet, yes);
    tidyOptSetBool(doc, TidyWarnPropAttrs, yes);
    // Empty elements are no fault: the tag commands write them to be filled.
    tidyOptSetBool(doc, TidyDropEmptyElems, no);
    tidyOptSetBool(doc, TidyDropEmptyParas, no);
    tidyOptSetInt(doc, TidyTabSize, kTabSize);
    declare_vocabulary(doc);

    Source source{utf8.constData(), utf8.constData(), utf8.constData() + utf8.size(), cancel,
                  reinterpret_cast<std::uintptr_t>(__builtin_frame_address(0))};
    collected.source = &source;
    TidyInputSource input;
    tidyInitSource(&input, &source, &Source::get, &Source::unget, &Source::at_end);
    tidyParseSource(doc, &input);
    result.too_deep = source.too_deep;
    result.complete = !source.cancelled() && !result.too_deep;
    // Unknown attributes and elements dropped from HTML 5 are found while
    // the document is cleaned and diagnosed. A check cancelled during one
    // of libtidy's passes ends before the next.
    if (result.complete)
        tidyCleanAndRepair(doc);
    result.complete = result.complete && !source.cancelled();
    if (result.complete)
        tidyRunDiagnostics(doc);
    result.complete = result.complete && !source.cancelled();
    tidyBufFree(&errors);
    tidyRelease(doc);
    if (result.complete) {
        for (auto it = collected.repeats.cbegin(); it != collected.repeats.cend(); ++it)
            collected.findings[it.key()].text =
                with_repeats(collected.findings[it.key()].text, it.value());
        result.findings = std::move(collected.findings);
        place_findings(utf8, result.findings, kTabSize);
    }
    return result;
}

void place_findings(QByteArrayView text, std::vector<Finding>& findings, int tab_size) {
    std::stable_sort(findings.begin(), findings.end(), [](const Finding& a, const Finding& b) {
        return a.line != b.line ? a.line < b.line : a.column < b.column;
    });
    // One pass over the text. The checker ends a line at CR LF, LF or CR, as
    // the edit control does, and counts a character of any length as one.
    const qsizetype n = text.size();
    qsizetype at = 0, line_start = 0;
    int line = 1, column = 1, units = 0;
    const auto line_end = [&](qsizetype i) { return text[i] == '\r' || text[i] == '\n'; };
    for (Finding& finding : findings) {
        while (line < finding.line && at < n) {
            while (at < n && !line_end(at))
                ++at;
            if (at == n)
                break;
            at += text[at] == '\r' && at + 1 < n && text[at + 1] == '\n' ? 2 : 1;
            ++line;
            column = 1;
            units = 0;
            line_start = at;
        }
        if (line < finding.line) {
            // Beyond the last line: at the end of the text.
            units = 0;
            for (qsizetype i = line_start; i < at; ++i) {
                const auto c = static_cast<unsigned char>(text[i]);
                units += (c & 0xC0) == 0x80 ? 0 : c >= 0xF0 ? 2 : 1;
            }
        }
        while (line == finding.line && column < finding.column && at < n && !line_end(at)) {
            const auto c = static_cast<unsigned char>(text[at]);
            const int length = c < 0x80 ? 1 : c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 1;
            column += c == '\t' ? tab_size - (column - 1) % tab_size : 1;
            units += length == 4 ? 2 : 1;
            at = std::min(n, at + length);
        }
        finding.line = line - 1;
        finding.column = units;
        finding.offset = at;
    }
}
