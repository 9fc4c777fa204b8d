#include "editor/editor_style.h"

#include <QFont>
#include <Qsci/qscilexercss.h>
#include <Qsci/qscilexerhtml.h>
#include <Qsci/qsciscintilla.h>

namespace {

enum Margin { line_numbers = 0, folds = 2 };

QFont editor_font() {
    QFont font(QStringLiteral("DejaVu Sans Mono"), 10);
    font.setStyleHint(QFont::Monospace);
    font.setFixedPitch(true);
    return font;
}

// The monospace font for every style of the lexer, keeping each style's
// weight and slant.
void use_font(QsciLexer* lexer, const QFont& font) {
    lexer->setDefaultFont(font);
    for (int style = 0; style <= QsciScintillaBase::STYLE_MAX; ++style) {
        if (lexer->description(style).isEmpty())
            continue;
        QFont styled = font;
        styled.setBold(lexer->font(style).bold());
        styled.setItalic(lexer->font(style).italic());
        lexer->setFont(styled, style);
    }
}

int digits(int number) {
    int count = 1;
    for (; number >= 10; number /= 10)
        ++count;
    return count;
}

void size_line_margin(QsciScintilla* editor) {
    // Room for the longest number and one more digit, at least three.
    const int width = std::max(digits(editor->lines()), 2) + 1;
    editor->setMarginWidth(line_numbers, QString(width, u'9'));
}

// The margins, font and brace matching shared by both kinds of editor.
void style_margins(QsciScintilla* editor, const QFont& font) {
    editor->setFont(font);
    editor->setMarginsFont(font);
    editor->setMarginType(line_numbers, QsciScintilla::NumberMargin);
    editor->setMarginLineNumbers(line_numbers, true);
    size_line_margin(editor);
    // Follow the line count; connected once however often the editor is styled.
    const QString sizer_name = QStringLiteral("line_margin_sizer");
    if (!editor->findChild<QObject*>(sizer_name, Qt::FindDirectChildrenOnly)) {
        auto* sizer = new QObject(editor);
        sizer->setObjectName(sizer_name);
        // Editors told of every change say when the line count changes; lean
        // ones (see scintilla_accessibility.h) are caught when they update
        // their view after a change. The margin is set again only when the
        // number of digits changes.
        auto follow = [editor, sizer] {
            const int lines = digits(editor->lines());
            if (sizer->property("digits").toInt() != lines) {
                sizer->setProperty("digits", lines);
                size_line_margin(editor);
            }
        };
        QObject::connect(editor, &QsciScintilla::linesChanged, sizer, follow);
        QObject::connect(editor, &QsciScintillaBase::SCN_UPDATEUI, sizer, follow);
        // The numbers grow and shrink with the zoom; so does their margin.
        QObject::connect(editor, &QsciScintillaBase::SCN_ZOOM, sizer,
                         [editor] { size_line_margin(editor); });
    }
    editor->setFolding(QsciScintilla::BoxedTreeFoldStyle, folds);
    editor->setBraceMatching(QsciScintilla::SloppyBraceMatch);
}

// Puts a new lexer of type L on the editor, unless it has one of ours already.
template <typename L> void use_lexer(QsciScintilla* editor, const QString& name) {
    QsciLexer* old = editor->lexer();
    if (old && old->objectName() == name)
        return;
    auto* lexer = new L(editor);
    lexer->setObjectName(name);
    use_font(lexer, editor_font());
    if constexpr (std::is_same_v<L, QsciLexerHTML>)
        lexer->setFoldCompact(false);
    editor->setLexer(lexer);
    // A lexer this code put there before is ours to drop.
    if (old && old->parent() == editor && old->objectName().startsWith(u"marklet_"))
        old->deleteLater();
}

} // namespace

void style_html_editor(QsciScintilla* editor) {
    use_lexer<QsciLexerHTML>(editor, QStringLiteral("marklet_html_lexer"));
    style_margins(editor, editor_font());
}

void style_plain_editor(QsciScintilla* editor) {
    editor->setLexer(nullptr);
    editor->setFolding(QsciScintilla::NoFoldStyle);
    editor->setFont(editor_font());
    editor->setMarginsFont(editor_font());
}

void style_css_editor(QsciScintilla* editor) {
    use_lexer<QsciLexerCSS>(editor, QStringLiteral("marklet_css_lexer"));
    style_margins(editor, editor_font());
}

void scroll_with_longest_line(QsciScintilla* editor) {
    editor->SendScintilla(QsciScintillaBase::SCI_SETSCROLLWIDTH, 1UL);
    editor->SendScintilla(QsciScintillaBase::SCI_SETSCROLLWIDTHTRACKING, 1UL);
    // Scintilla widens the scroll range to the longest line it has drawn, and
    // each widening redraws the whole edit area 50 ms later. Typing at the
    // end of the longest line widened it at every key. The range now grows
    // in steps, so a line that grows by a character redraws only its own.
    // (Read once the paint is over: Scintilla widens after telling it.)
    QObject::connect(editor, &QsciScintillaBase::SCN_PAINTED, editor, [editor] {
        QMetaObject::invokeMethod(
            editor,
            [editor] {
                constexpr unsigned long step = 256;
                const auto width = static_cast<unsigned long>(
                    editor->SendScintilla(QsciScintillaBase::SCI_GETSCROLLWIDTH));
                if (width % step != 0)
                    editor->SendScintilla(QsciScintillaBase::SCI_SETSCROLLWIDTH,
                                          (width / step + 1) * step);
            },
            Qt::QueuedConnection);
    });
}
