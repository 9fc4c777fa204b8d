// The everyday keys through the real window, as a US and an Italian keyboard
// send them: zoom of the edit area, never a character typed; the keys window.
// And no English left where the user looks: every window, menu, context
// menu, tooltip and status text.

#include "app/keys_window.h"
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
#include <QToolButton>
#include <QTreeWidget>
#include <Qsci/qscicommandset.h>

namespace {

// A key as a keyboard layout sends it (its name, text and modifiers), or,
// when `wheel` is not 0, a notch of the wheel turned with Ctrl.
struct Input {
    Qt::Key key;
    QString text;
    Qt::KeyboardModifiers modifiers;
    int wheel = 0;
};

void send(QWidget* widget, const Input& in) {
    if (in.wheel) {
        const QPoint at = widget->rect().center();
        QWheelEvent wheel(at, widget->mapToGlobal(at), {}, {0, in.wheel}, Qt::NoButton,
                          Qt::ControlModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(widget, &wheel);
        return;
    }
    QTest::sendKeyEvent(QTest::Click, widget, in.key, in.text, in.modifiers);
}

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

using Sci = QsciScintillaBase;
const auto kCtrl = Qt::ControlModifier;
const auto kCtrlShift = Qt::ControlModifier | Qt::ShiftModifier;

} // namespace

Q_DECLARE_METATYPE(Input)

class TestKeys : public QObject {
    Q_OBJECT

    MainWindow m;
    QsciScintilla* editor() { return m.parts().editor(); }
    QMap<QString, QStringList> english; // where -> words

    void check(const QString& where, const QStringList& texts) {
        for (const QString& text : texts)
            if (const QStringList words = english_words(text); !words.isEmpty())
                english[where + QStringLiteral(": ") + text] = words;
    }

  private slots:
    void initTestCase() {
        QApplication::setQuitOnLastWindowClosed(false);
        install_italian_translations();
    }
    void init() { m.open(); }
    void cleanup() { m.close(); }

    // The edit area starts two steps in. (The pane's zoom keys: tst_pane_page.)
    void zoom_keys_zoom_and_type_nothing_data() {
        QTest::addColumn<Input>("input");
        QTest::addColumn<double>("steps");
        // "+" is Shift+= on a US layout, a key of its own on an Italian one,
        // where "=" is Shift+0.
        QTest::newRow("US Ctrl++") << Input{Qt::Key_Plus, "+", kCtrlShift} << 3.0;
        QTest::newRow("IT Ctrl++") << Input{Qt::Key_Plus, "+", kCtrl} << 3.0;
        QTest::newRow("US Ctrl+=") << Input{Qt::Key_Equal, "=", kCtrl} << 3.0;
        QTest::newRow("Ctrl+-") << Input{Qt::Key_Minus, "-", kCtrl} << 1.0;
        QTest::newRow("Ctrl+0") << Input{Qt::Key_0, "0", kCtrl} << 0.0;
        QTest::newRow("Ctrl+1 types nothing") << Input{Qt::Key_1, "1", kCtrl} << 2.0;
        QTest::newRow("Ctrl+wheel") << Input{{}, {}, {}, -120} << 1.0;
    }
    void zoom_keys_zoom_and_type_nothing() {
        QFETCH(Input, input);
        QFETCH(double, steps);
        QTest::keyClicks(editor(), QStringLiteral("abc"));
        editor()->setModified(false);
        editor()->zoomTo(2);
        editor()->viewport()->setFocus();
        QTRY_VERIFY(editor()->viewport()->hasFocus());
        const auto margin = [this] {
            return editor()->SendScintilla(Sci::SCI_GETMARGINWIDTHN, 0UL);
        };
        const long numbers = margin();
        send(input.wheel ? editor()->viewport() : QApplication::focusWidget(), input);
        QCOMPARE(double(editor()->SendScintilla(Sci::SCI_GETZOOM)), steps);
        // The line numbers' margin grows and shrinks with them.
        QCOMPARE(std::make_pair(margin() > numbers, margin() < numbers),
                 std::make_pair(steps > 2, steps < 2));
        QCOMPARE(m.edit().text(), QStringLiteral("abc"));
        QVERIFY(!editor()->isModified());
    }

    // F1 lists every key, menu item and button of the window.
    void keys_window_lists_every_action() {
        QTest::keyClick(editor(), Qt::Key_F1);
        auto* keys = m.window->findChild<KeysWindow*>();
        QVERIFY(keys && keys->isVisible() && !keys->isModal());
        const QString shown = keys->lines().join(u'\n');
        QStringList missing;
        for (QAction* action : m.window->actions())
            for (const QKeySequence& key : action->shortcuts())
                if (!shown.contains(key.toString(QKeySequence::NativeText)))
                    missing << action->objectName();
        for (QMenu* menu : m.window->menuBar()->findChildren<QMenu*>())
            for (QAction* item : menu->actions())
                if (!shown.contains(QString(item->text()).remove(u'&')))
                    missing << item->text();
        for (QToolButton* button : m.window->findChildren<QToolButton*>())
            if (button->defaultAction() && !shown.contains(button->toolTip()))
                missing << button->objectName();
        for (const KeyDef& row : key_table())
            for (const QKeySequence& key :
                 QKeySequence::listFromString(QString::fromUtf16(row.keys)))
                if (row.kind == KeyDef::EditArea &&
                    !editor()->standardCommands()->boundTo(key[0].toCombined()))
                    missing << row.name; // the edit area's own keys are its
        QVERIFY2(missing.isEmpty(), qPrintable(missing.join(u' ')));
        QTest::keyClick(keys, Qt::Key_Escape);
        QVERIFY(!keys->isVisible());
    }
    void no_english_where_the_user_looks() {
        Form1* window = m.window.get();
        QsciScintilla* editor = m.parts().editor();
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
        QVERIFY(m.parts().session().save_as());
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
              context_menu_of(m.parts().css_window()->editor()->viewport()));
        check(QStringLiteral("menu della ricerca"),
              context_menu_of(window->findChild<QLineEdit*>(QStringLiteral("replace_text"))));
        QVERIFY2(english.isEmpty(), qPrintable(QStringList(english.keys()).join(u'\n')));
    }
};

QTEST_MAIN(TestKeys)
#include "tst_keys.moc"
