// The pane shows where the caret is when it rests, however it got there,
// without scrolling while the user scrolls the pane, and without holding up a
// key's patch; Ctrl+click in the pane puts the caret at the element's start
// tag: nested, implied and void elements.

#include "live_pane.h"

class PaneLiveCaret : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase();
    void resting_caret_outlines_its_element_data();
    void resting_caret_outlines_its_element();
    void no_scroll_while_the_user_scrolls_the_pane();
    void key_during_a_pending_rest_is_patched();
    void ctrl_click_puts_caret_at_start_tag_data();
    void ctrl_click_puts_caret_at_start_tag();

  private:
    LivePane pane;
};

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

} // namespace

void PaneLiveCaret::initTestCase() {
    QVERIFY2(pane.open(page()), "the WebEngine pane did not come up");
}

// What the pane outlines: the element's tag names from <html>, and its text.
QString outlined(LivePane& pane) {
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

void PaneLiveCaret::resting_caret_outlines_its_element_data() {
    QTest::addColumn<QString>("from"); // the caret starts just after this text
    QTest::addColumn<int>("key");      // and moves by this key (0: a click at its place)
    QTest::addColumn<QString>("wanted");
    const int click = 0;
    QTest::newRow("right arrow, nested")
        << "<b>pr" << int(Qt::Key_Right) << "html,body,div,span,b profondo";
    QTest::newRow("right arrow, row without tbody")
        << "<table><t" << int(Qt::Key_Right) << "html,body,table,tbody,tr unodue";
    QTest::newRow("left arrow, cell")
        << "<td>uno" << int(Qt::Key_Left) << "html,body,table,tbody,tr,td uno";
    QTest::newRow("up arrow") << "riga 5</p" << int(Qt::Key_Up) << "html,body,p riga 4";
    QTest::newRow("up arrow to a line's end")
        << "riga 10</p>" << int(Qt::Key_Up) << "html,body,p riga 9";
    QTest::newRow("down arrow") << "riga 1" << int(Qt::Key_Down) << "html,body,p riga 2";
    QTest::newRow("end of the line") << "<h1>" << int(Qt::Key_End) << "html,body,h1 Titolo";
    QTest::newRow("click in the source") << "riga 3" << click << "html,body,p riga 3";
    QTest::newRow("page down") << "<h1>" << int(Qt::Key_PageDown) << "";
    QTest::newRow("far down, brought into view")
        << "riga 149" << int(Qt::Key_Down) << "html,body,p ultimo";
}

void PaneLiveCaret::resting_caret_outlines_its_element() {
    QFETCH(QString, from);
    QFETCH(int, key);
    QFETCH(QString, wanted);
    QsciScintilla* editor = pane.parts().editor();
    const qsizetype at = pane.edit().text().indexOf(from) + from.size();
    pane.edit().set_caret(key ? at : 0);
    editor->ensureCursorVisible();
    if (key) {
        QTest::keyClick(editor, Qt::Key(key));
    } else {
        editor->ensureLineVisible(
            editor->SendScintilla(QsciScintillaBase::SCI_LINEFROMPOSITION, (unsigned long)at));
        const QPoint point(
            int(editor->SendScintilla(QsciScintillaBase::SCI_POINTXFROMPOSITION, 0UL, long(at))),
            int(editor->SendScintilla(QsciScintillaBase::SCI_POINTYFROMPOSITION, 0UL, long(at))) +
                2);
        QTest::mouseClick(editor->viewport(), Qt::LeftButton, Qt::NoModifier, point);
        QCOMPARE(pane.edit().caret(), at);
    }
    if (wanted.isEmpty()) { // the caret's own line, wherever the key took it
        int line = 0, index = 0;
        editor->getCursorPosition(&line, &index);
        wanted = QStringLiteral("html,body,p ") +
                 editor->text(line).remove(QRegularExpression(QStringLiteral("<[^>]*>"))).trimmed();
    }
    QTRY_COMPARE(outlined(pane), wanted);
    // In view: the outlined element's box meets the window.
    QTRY_VERIFY(pane.own(QStringLiteral(R"((() => {
        const box = JSON.parse(marklet.outlined()).path.reduce(
            (el, i) => el.children[i], document.documentElement).getBoundingClientRect();
        return box.bottom > 0 && box.top < innerHeight;
    })())"))
                    .toBool());
}

void PaneLiveCaret::no_scroll_while_the_user_scrolls_the_pane() {
    pane.page(QStringLiteral("window.scrollTo(0, 0)"));
    pane.edit().set_caret(0);
    QWidget* view = pane.host()->pane()->widget();
    QWidget* target = view->focusProxy() ? view->focusProxy() : view;
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
    QTRY_VERIFY(wheel() && outlined(pane) == QLatin1String("html,body,p riga 140"));
    QCOMPARE(pane.page(QStringLiteral("window.scrollY")).toInt(), 0);
}

void PaneLiveCaret::key_during_a_pending_rest_is_patched() {
    const LivePreview::Counts before = pane.live()->counts();
    pane.edit().set_caret(pane.edit().text().indexOf(QLatin1String("riga 7")));
    // A move starts the rest; the key comes while it is pending.
    QTest::keyClick(pane.parts().editor(), Qt::Key_Right);
    QTest::keyClick(pane.parts().editor(), Qt::Key_Z);
    QTRY_COMPARE(
        pane.page(QStringLiteral("document.body.textContent.includes('rziga 7')")).toBool(), true);
    QCOMPARE(pane.live()->counts().reloads, before.reloads);
    QCOMPARE(pane.live()->counts().patches, before.patches + 1);
    QTRY_COMPARE(outlined(pane), QStringLiteral("html,body,p rziga 7"));
}

void PaneLiveCaret::ctrl_click_puts_caret_at_start_tag_data() {
    QTest::addColumn<QString>("selector"); // in the page
    QTest::addColumn<QString>("start");    // the element's start tag in the source
    QTest::newRow("nested") << "b"
                            << "<b>";
    QTest::newRow("cell in an implied tbody") << "td + td"
                                              << "<td>due";
    QTest::newRow("image") << "img"
                           << "<img";
    QTest::newRow("heading") << "h1"
                             << "<h1>";
}

void PaneLiveCaret::ctrl_click_puts_caret_at_start_tag() {
    QFETCH(QString, selector);
    QFETCH(QString, start);
    const QVariantList centre = pane.page(QStringLiteral(R"((() => {
            const el = document.querySelector('%1');
            el.scrollIntoView({block: 'center'});
            const box = el.getBoundingClientRect();
            return [box.left + box.width / 2, box.top + box.height / 2];
        })())")
                                              .arg(selector))
                                    .toList();
    QCOMPARE(centre.size(), 2);
    pane.edit().set_caret(0);
    QWidget* view = pane.host()->pane()->widget();
    QWidget* target = view->focusProxy() ? view->focusProxy() : view;
    const QPoint point(qRound(centre[0].toDouble()), qRound(centre[1].toDouble()));
    QTest::mouseClick(target, Qt::LeftButton, Qt::ControlModifier, point);
    QTRY_COMPARE(pane.edit().caret(), pane.edit().text().indexOf(start));
    QTRY_COMPARE(pane.window->focusWidget(), pane.parts().editor());
}

QTEST_MAIN(PaneLiveCaret)
#include "tst_pane_live_caret.moc"
