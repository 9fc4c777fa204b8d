#include "editor/brace_matcher.h"

#include <Qsci/qscilexer.h>
#include <Qsci/qsciscintilla.h>

#include <cstring>

namespace {

using Sci = QsciScintillaBase;

constexpr char kBraces[] = "[](){}<>";

char opposite(char brace) {
    switch (brace) {
    case '(':
        return ')';
    case ')':
        return '(';
    case '[':
        return ']';
    case ']':
        return '[';
    case '{':
        return '}';
    case '}':
        return '{';
    case '<':
        return '>';
    case '>':
        return '<';
    default:
        return 0;
    }
}

struct Text {
    std::array<QByteArrayView, 2> parts;
    qsizetype size() const { return parts[0].size() + parts[1].size(); }
    char at(qsizetype i) const {
        return i < parts[0].size() ? parts[0][i] : parts[1][i - parts[0].size()];
    }
};

bool is_brace(char c) {
    return c != 0 && std::strchr(kBraces, c) != nullptr;
}

} // namespace

void light_braces(QsciScintilla* editor, std::array<QByteArrayView, 2> parts) {
    const auto mode = editor->braceMatching();
    if (mode == QsciScintilla::NoBraceMatch)
        return;
    const Text text{parts};
    const auto caret = qsizetype(editor->SendScintilla(Sci::SCI_GETCURRENTPOS));
    qsizetype brace = -1;
    if (caret > 0 && caret <= text.size() && is_brace(text.at(caret - 1)))
        brace = caret - 1;
    else if (mode == QsciScintilla::SloppyBraceMatch && caret < text.size() &&
             is_brace(text.at(caret)))
        brace = caret;
    if (brace < 0) {
        editor->SendScintilla(Sci::SCI_BRACEHIGHLIGHT, -1L, -1L);
        return;
    }
    const char mine = text.at(brace);
    const char partner = opposite(mine);
    const bool styled = editor->lexer() != nullptr;
    const auto style_at = [editor](qsizetype at) {
        return editor->SendScintilla(Sci::SCI_GETSTYLEAT, (unsigned long)at);
    };
    const long style = styled ? style_at(brace) : 0;
    const auto end_styled = qsizetype(editor->SendScintilla(Sci::SCI_GETENDSTYLED));
    const int step = (mine == '(' || mine == '[' || mine == '{' || mine == '<') ? 1 : -1;
    const qsizetype limit = step > 0 ? std::min(text.size(), brace + kBraceReach)
                                     : std::max<qsizetype>(-1, brace - kBraceReach);
    int depth = 1;
    for (qsizetype at = brace + step; at != limit; at += step) {
        const char c = text.at(at);
        if (c != mine && c != partner)
            continue;
        if (styled && at <= end_styled && style_at(at) != style)
            continue;
        depth += c == mine ? 1 : -1;
        if (depth == 0) {
            editor->SendScintilla(Sci::SCI_BRACEHIGHLIGHT, (unsigned long)brace, long(at));
            return;
        }
    }
    const bool searched_all = limit == text.size() || limit == -1;
    if (searched_all)
        editor->SendScintilla(Sci::SCI_BRACEBADLIGHT, (unsigned long)brace);
    else
        editor->SendScintilla(Sci::SCI_BRACEHIGHLIGHT, -1L, -1L);
}
