// The pane shows where the caret is when it rests, however it got there,
// without scrolling while the user scrolls the pane, and without holding up a
// key's patch; Ctrl+click in the pane puts the caret at the element's start
// tag: nested, implied and void elements. A full load of the page (a change
// in the head) starts where the page was scrolled. A page that hangs its
// renderer, while it loads or long after, is ended, the pane says so, and
// the next edit shows within a few seconds; typing never waits for it.

#include "support/pane.h"
#include "support/rows.h"

namespace {

// No html, head, body or tbody tags: the parser implies them.
QString page() {
    QString text = QStringLiteral(
        "<h1>Titolo</h1>\r\n<table><tr><td>uno</td><td>due</td></tr></table>\r\n"
        "<p>prima<br>dopo <img src=\"x.png\" alt=\"i\" width=\"40\" height=\"30\"></p>\r\n"
        "<div><span><b>profondo</b></span></div>\r\n");
    for (int i = 0; i < 150; ++i)
        text += QStringLiteral("<p>riga %1</p>\r\n").arg(i);
    return text + QStringLiteral("<p id=\"fine\">ultimo</p>\r\n");
}

struct Rest {
    const char* from; // the caret starts just after this text
    int key;          // and moves by this key (0: a click at its place)
    const char* wanted;
};
struct Hang {
    const char* page;
    bool notice; // the pane tells that the page does not respond
};
struct Start {
    const char* selector; // in the page
    const char* start;    // the element's start tag in the source
};

} // namespace

class PaneLiveCaret : public QObject {
    Q_OBJECT

    PaneWindow pane;
    // What the pane outlines: the element's tag names from <html>, and its text.
    QString outlined() {
        return pane
            .own(QStringLiteral(R"((() => {
                const o = marklet.outlined();
                if (!o)
                    return '';
                let el = document.documentElement;
                for (const i of JSON.parse(o).path)
                    el = el.children[i];
                return JSON.parse(o).tags.join(',') + ' ' + el.textContent;
            })())"))
            .toString();
    }

  private slots:
    void initTestCase() { QVERIFY2(pane.open(page()), "the WebEngine pane did not come up"); }

    void resting_caret_outlines_its_element_data() {
        rows<Rest>({
            {"right arrow, nested", {"<b>pr", Qt::Key_Right, "html,body,div,span,b profondo"}},
            {"right arrow, row without tbody",
             {"<table><t", Qt::Key_Right, "html,body,table,tbody,tr unodue"}},
            {"left arrow, cell", {"<td>uno", Qt::Key_Left, "html,body,table,tbody,tr,td uno"}},
            {"up arrow", {"riga 5</p", Qt::Key_Up, "html,body,p riga 4"}},
            {"up arrow to a line's end", {"riga 10</p>", Qt::Key_Up, "html,body,p riga 9"}},
            {"down arrow", {"riga 1", Qt::Key_Down, "html,body,p riga 2"}},
            {"end of the line", {"<h1>", Qt::Key_End, "html,body,h1 Titolo"}},
            {"click in the source", {"riga 3", 0, "html,body,p riga 3"}},
            {"page down", {"<h1>", Qt::Key_PageDown, ""}},
            {"far down, brought into view", {"riga 149", Qt::Key_Down, "html,body,p ultimo"}},
        });
    }
    void resting_caret_outlines_its_element() {
        QFETCH(Rest, row);
        QString wanted = QString::fromLatin1(row.wanted);
        QsciScintilla* editor = pane.parts().editor();
        const qsizetype at =
            pane.edit().text().indexOf(QLatin1String(row.from)) + qsizetype(strlen(row.from));
        pane.edit().set_caret(row.key ? at : 0);
        editor->ensureCursorVisible();
        if (row.key) {
            QTest::keyClick(editor, Qt::Key(row.key));
        } else {
            editor->ensureLineVisible(
                editor->SendScintilla(QsciScintillaBase::SCI_LINEFROMPOSITION, (unsigned long)at));
            const QPoint point(int(editor->SendScintilla(QsciScintillaBase::SCI_POINTXFROMPOSITION,
                                                         0UL, long(at))),
                               int(editor->SendScintilla(QsciScintillaBase::SCI_POINTYFROMPOSITION,
                                                         0UL, long(at))) +
                                   2);
            QTest::mouseClick(editor->viewport(), Qt::LeftButton, Qt::NoModifier, point);
            QCOMPARE(pane.edit().caret(), at);
        }
        if (wanted.isEmpty()) { // the caret's own line, wherever the key took it
            int line = 0, index = 0;
            editor->getCursorPosition(&line, &index);
            wanted =
                QStringLiteral("html,body,p ") +
                editor->text(line).remove(QRegularExpression(QStringLiteral("<[^>]*>"))).trimmed();
        }
        QTRY_COMPARE(outlined(), wanted);
        // In view: the outlined element's box meets the window.
        QTRY_VERIFY(pane.own(QStringLiteral(R"((() => {
            const box = JSON.parse(marklet.outlined()).path.reduce(
                (el, i) => el.children[i], document.documentElement).getBoundingClientRect();
            return box.bottom > 0 && box.top < innerHeight;
        })())"))
                        .toBool());
    }

    void no_scroll_while_the_user_scrolls_the_pane() {
        pane.eval(QStringLiteral("window.scrollTo(0, 0)"));
        pane.edit().set_caret(0);
        QWidget* target = pane.page_widget();
        const QPoint middle = target->rect().center();
        // The user keeps turning the wheel (up: the page is at its top) while
        // the caret goes to the far end of the text.
        const auto wheel = [&] {
            QWheelEvent event(middle, target->mapToGlobal(middle), QPoint(), QPoint(0, 120),
                              Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
            QApplication::sendEvent(target, &event);
            return true;
        };
        wheel();
        pane.edit().set_caret(pane.edit().text().indexOf(QLatin1String("riga 140")));
        QTest::keyClick(pane.parts().editor(), Qt::Key_Right);
        QTRY_VERIFY(wheel() && outlined() == QLatin1String("html,body,p riga 140"));
        QCOMPARE(pane.eval(QStringLiteral("window.scrollY")).toInt(), 0);
    }

    void key_during_a_pending_rest_is_patched() {
        const LivePreview::Counts before = pane.live()->counts();
        pane.edit().set_caret(pane.edit().text().indexOf(QLatin1String("riga 7")));
        // A move starts the rest; the key comes while it is pending.
        QTest::keyClick(pane.parts().editor(), Qt::Key_Right);
        QTest::keyClick(pane.parts().editor(), Qt::Key_Z);
        QTRY_COMPARE(
            pane.eval(QStringLiteral("document.body.textContent.includes('rziga 7')")).toBool(),
            true);
        QCOMPARE(pane.live()->counts().reloads, before.reloads);
        QCOMPARE(pane.live()->counts().patches, before.patches + 1);
        QTRY_COMPARE(outlined(), QStringLiteral("html,body,p rziga 7"));
    }

    void ctrl_click_puts_caret_at_start_tag_data() {
        rows<Start>({{"nested", {"b", "<b>"}},
                     {"cell in an implied tbody", {"td + td", "<td>due"}},
                     {"image", {"img", "<img"}},
                     {"heading", {"h1", "<h1>"}}});
    }
    void ctrl_click_puts_caret_at_start_tag() {
        QFETCH(Start, row);
        pane.edit().set_caret(0);
        pane.click(QString::fromLatin1(row.selector), Qt::ControlModifier);
        QTRY_COMPARE(pane.edit().caret(), pane.edit().text().indexOf(QLatin1String(row.start)));
        QTRY_COMPARE(pane.window->focusWidget(), pane.parts().editor());
    }

    void load_keeps_the_scroll() {
        QString text = QStringLiteral("<html><head><title>T</title></head><body>\r\n");
        for (int i = 0; i < 300; ++i)
            text += QStringLiteral("<p>riga %1</p>\r\n").arg(i);
        pane.edit().set_text(text + QStringLiteral("</body></html>\r\n"));
        QVERIFY(pane.settle());
        const QString y = QStringLiteral("window.scrollY");
        pane.eval(QStringLiteral("window.scrollTo(0, 3000)"));
        QTRY_COMPARE(pane.eval(y).toInt(), 3000);
        QTRY_COMPARE(pane.live()->scroll().y(), 3000); // told once the scrolling stops

        const int loads = pane.host()->reloads_started();
        pane.edit().set_caret(pane.edit().text().indexOf(QLatin1String("</title>")));
        pane.edit().replace_selection(QStringLiteral("X"));
        QVERIFY(pane.settle());
        QVERIFY(pane.host()->reloads_started() > loads);
        QTRY_COMPARE(pane.eval(y).toInt(), 3000);
        QCOMPARE(pane.eval(QStringLiteral("document.title")).toString(), QStringLiteral("TX"));
    }

    // A page that hangs its renderer, while it loads or long after, is ended,
    // the pane says so, and the next edit shows within a few seconds; typing
    // never waits for it.
    void hung_page_is_ended_and_the_next_edit_shows_data() {
        rows<Hang>({
            {"endless script while loading", {"<script>while (true) {}</script>", true}},
            {"endless script as the load ends",
             {"<script>setTimeout(() => { while (true) {} }, 200)</script>", false}},
            {"endless script long after the load",
             {"<script>setTimeout(() => { while (true) {} }, 3000)</script>", true}},
        });
    }
    void hung_page_is_ended_and_the_next_edit_shows() {
        QFETCH(Hang, row);
        pane.edit().set_text(QString::fromLatin1(row.page));
        if (row.notice)
            QVERIFY(QTest::qWaitFor(
                [&] {
                    return pane.eval("document.body.innerText", 500)
                        .toString()
                        .contains(u"La pagina non risponde.");
                },
                30000));
        QVERIFY(pane.settled(30000));
        pane.edit().set_text(QStringLiteral("<p>di nuovo</p>"));
        QVERIFY(pane.answers("document.body.innerText", QStringLiteral("di nuovo")));
    }
};

QTEST_MAIN(PaneLiveCaret)
#include "tst_pane_live_caret.moc"
