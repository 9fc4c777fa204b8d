// No English left where the user looks: every window, menu, context menu,
// tooltip and status text of the program, walked through the real windows.

#include "app/status_presenter.h"
#include "app/translations.h"
#include "support/files.h"
#include "support/main_window.h"
#include "writing_help/check_marks.h"
#include "writing_help/writing_help.h"

#include <QContextMenuEvent>
#include <QLineEdit>
#include <QMenu>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTreeWidget>

namespace {

// Words of English that no Italian text of ours contains. Markup ("<a>"),
// quoted names ("alt") and CSS properties (text-align) are code, not words.
QStringList english_words(QString text) {
    static const QRegularExpression code(
        QStringLiteral("<[^>]*>|\"[^\"]*\"|&\\w+;?|\\b[a-z]+(-[a-z]+)+\\b"));
    static const QRegularExpression words(
        QStringLiteral("\\b(undo|redo|cut|copy|paste|delete|select|open|save|cancel|close|"
                       "edit|view|help|find|replace|next|previous|missing|attribute|element|"
                       "before|after|allowed|unexpected|discarding|inserting|proprietary|"
                       "cannot|should|lacks|invalid|found|the|and|of|is|not|with|for|from|"
                       "this|that|line|column|error|warning|page|zoom|new|quit|back|forward|"
                       "reload|text|search|whole|word|match|yes)\\b"),
        QRegularExpression::CaseInsensitiveOption);
    text.remove(code).remove(u'&');
    QStringList found;
    for (auto it = words.globalMatch(text); it.hasNext();)
        found << it.next().captured();
    return found;
}

// The texts an object shows or tells about itself.
QStringList texts_of(QObject* object) {
    QStringList texts;
    for (const char* name : {"text", "toolTip", "accessibleName", "placeholderText", "title"})
        texts << object->property(name).toString();
    if (auto* widget = qobject_cast<QWidget*>(object); widget && widget->isWindow())
        texts << widget->windowTitle();
    if (auto* tree = qobject_cast<QTreeWidget*>(object))
        for (QTreeWidgetItemIterator it(tree); *it; ++it)
            texts << (*it)->text(0) << (*it)->text(1);
    if (auto* menu = qobject_cast<QMenu*>(object))
        for (QAction* action : menu->actions())
            texts << texts_of(action);
    texts.removeAll(QString());
    return texts;
}

// The context menu a right click on `widget` opens, as its texts; the menu
// is closed again.
QStringList context_menu_of(QWidget* widget) {
    QStringList texts;
    QTimer poll;
    poll.setInterval(5);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
            texts = texts_of(menu);
            menu->close();
        }
    });
    poll.start();
    // What the window system makes of a right click.
    const QPoint at = widget->rect().center();
    QContextMenuEvent click(QContextMenuEvent::Mouse, at, widget->mapToGlobal(at));
    QApplication::sendEvent(widget, &click);
    if (!QTest::qWaitFor([&] { return !texts.isEmpty(); }))
        return {QStringLiteral("(context menu not found)")};
    return texts;
}

} // namespace

class TestItalian : public QObject {
    Q_OBJECT

    MainWindow m;
    QMap<QString, QStringList> english; // where -> words

    void check(const QString& where, const QStringList& texts) {
        for (const QString& text : texts)
            if (const QStringList words = english_words(text); !words.isEmpty())
                english[where + QStringLiteral(": ") + text] = words;
    }

  private slots:
    void initTestCase() { install_italian_translations(); }
    void cleanup() { m.close(); }

    void no_english_where_the_user_looks() {
        m.open();
        Form1* window = m.window.get();
        QsciScintilla* editor = window->editor();
        // Every window open: the pane, the CSS editor, the replace bar, the
        // keys; a page with findings; a status message.
        window->run_item(QStringLiteral("Command2"));
        window->run_item(QStringLiteral("css_editor"));
        window->activateWindow();
        editor->setFocus();
        QTest::keyClick(editor, Qt::Key_H, Qt::ControlModifier);
        QTest::keyClick(editor, Qt::Key_F1);
        QTemporaryDir dir;
        m.dialogs->save_answers.push_back(dir.filePath(QStringLiteral("prova.htm")));
        QVERIFY(window->save_document());
        m.edit().set_text(QString::fromUtf8(read_bytes(QFINDTESTDATA("writing_help/data/p1.htm"))));
        auto* help = window->findChild<WritingHelp*>();
        QTRY_VERIFY(help->marks().errors() + help->marks().warnings() > 5);

        check(QStringLiteral("stato"), {window->status().text()});
        for (const Severity kind : {Severity::Error, Severity::Warning})
            for (const int line : help->marks().marked_lines(kind))
                check(QStringLiteral("segnalazione"), help->marks().messages_on_line(line));
        for (QWidget* top : QApplication::topLevelWidgets()) {
            if (!top->isVisible() && !qobject_cast<QMenu*>(top))
                continue;
            check(top->objectName(), texts_of(top));
            for (QObject* child : top->findChildren<QObject*>())
                check(child->objectName(), texts_of(child));
        }
        check(QStringLiteral("menu del testo"), context_menu_of(editor->viewport()));
        check(QStringLiteral("menu del CSS"),
              context_menu_of(window->css_window()->editor()->viewport()));
        check(QStringLiteral("menu della ricerca"),
              context_menu_of(window->findChild<QLineEdit*>(QStringLiteral("replace_text"))));
        QVERIFY2(english.isEmpty(), qPrintable(QStringList(english.keys()).join(u'\n')));
    }
};

QTEST_MAIN(TestItalian)
#include "tst_italian.moc"
