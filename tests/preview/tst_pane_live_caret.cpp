// The pane shows where the caret is, and Ctrl+click in the pane puts the
// caret at the element's start tag: nested, implied and void elements.

#include "live_pane.h"

class PaneLiveCaret : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase();
    void resting_caret_outlines_its_element_data();
    void resting_caret_outlines_its_element();
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

void PaneLiveCaret::resting_caret_outlines_its_element_data() {
    QTest::addColumn<QString>("at");   // the caret goes just after this text
    QTest::addColumn<QString>("tags"); // the element outlined, from <html>
    QTest::newRow("nested") << "<b>prof"
                            << "html,body,div,span,b";
    QTest::newRow("row without tbody") << "<tr"
                                       << "html,body,table,tbody,tr";
    QTest::newRow("cell") << "<td>u"
                          << "html,body,table,tbody,tr,td";
    QTest::newRow("line break") << "prima<b"
                                << "html,body,p,br";
    QTest::newRow("image") << "<img s"
                           << "html,body,p,img";
    QTest::newRow("far down") << "ultim"
                              << "html,body,p";
}

void PaneLiveCaret::resting_caret_outlines_its_element() {
    QFETCH(QString, at);
    QFETCH(QString, tags);
    pane.edit().set_caret(pane.edit().text().indexOf(at) + at.size() - 1);
    QTest::keyClick(pane.window->editor(), Qt::Key_Right);
    const QString wanted =
        QStringLiteral("\"tags\":[\"%1\"]").arg(tags.replace(u',', QLatin1String("\",\"")));
    QTRY_VERIFY(pane.own(QStringLiteral("marklet.outlined()")).toString().contains(wanted));
    // In view: the outlined element's box lies within the window.
    QVERIFY(pane.page(QStringLiteral(R"((() => {
        const el = document.querySelector('#fine');
        const box = el.getBoundingClientRect();
        return %1 || (box.top >= 0 && box.bottom <= innerHeight);
    })())")
                          .arg(at == QLatin1String("ultim") ? "false" : "true"))
                .toBool());
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
    QTRY_COMPARE(pane.window->focusWidget(), pane.window->editor());
}

QTEST_MAIN(PaneLiveCaret)
#include "tst_pane_live_caret.moc"
