// Text typed into a list's field: in the tag list it inserts nothing (only a
// choice of an entry does), in the CSS editor's selector it is the selector,
// exactly as typed. Driven by real key, mouse and wheel events.

#include "support/main_window.h"
#include "support/rows.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QStyleOptionComboBox>

namespace {

enum Gesture {
    TypeThenEnter,
    TypeThenLeave,
    WheelWithoutFocus,
    WheelWithFocus,
    WheelAtLastEntry,
    ArrowOnClosedList,
    ClickInOpenList,
};
struct Gestured {
    const char* typed;
    Gesture gesture;
    const char* text;
};
struct Typed {
    const char* typed;
    int arrows;
    const char* rule;
};

// A wheel notch over the middle of `widget`, delivered as the window system
// delivers it: to the widget under the pointer, giving focus by its policy.
void wheel(QWidget* widget, int notches) {
    const QPoint middle(widget->width() / 2, widget->height() / 2);
    QWidget* under = widget->childAt(middle) ? widget->childAt(middle) : widget;
    const QPointF at = under->mapFrom(widget, middle);
    QWheelEvent event(at, under->mapToGlobal(at), QPoint(), QPoint(0, -120 * notches), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QSpontaneKeyEvent::setSpontaneous(&event);
    QApplication::instance()->notify(under, &event);
}

void click_entry(QComboBox* list, const QString& entry) {
    QStyleOptionComboBox option;
    option.initFrom(list);
    option.editable = true;
    option.subControls = QStyle::SC_All;
    const QRect arrow =
        list->style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxArrow, list);
    QTest::mouseClick(list, Qt::LeftButton, {}, arrow.center());
    QAbstractItemView* view = list->view();
    QTRY_VERIFY(view->isVisible());
    const QModelIndex index = list->model()->index(list->findText(entry), 0);
    view->scrollTo(index);
    const QPoint at = view->visualRect(index).center();
    QTest::mouseMove(view->viewport(), at - QPoint(0, 12));
    QTest::mouseMove(view->viewport(), at);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, at);
}

} // namespace

class TestTypedTextInLists : public QObject {
    Q_OBJECT

    MainWindow m;

  private slots:
    void init() { m.open(); }
    void cleanup() { m.close(); }

    void tag_list_inserts_only_on_a_choice_data() {
        rows<Gestured>({{"typed, Enter", {"HR", TypeThenEnter, "abc"}},
                        {"lower case, Enter", {"b", TypeThenEnter, "abc"}},
                        {"typed, focus out", {"B", TypeThenLeave, "abc"}},
                        {"wheel, no focus", {"", WheelWithoutFocus, "abc"}},
                        {"wheel, focus", {"", WheelWithFocus, "<A>abc</A>"}},
                        {"wheel at the end", {"", WheelAtLastEntry, "abc"}},
                        {"arrow key", {"", ArrowOnClosedList, "<A>abc</A>"}},
                        {"click in list", {"", ClickInOpenList, "<HR>abc</HR>"}}});
    }
    void tag_list_inserts_only_on_a_choice() {
        QFETCH(Gestured, row);
        const Gesture gesture = row.gesture;
        const QString typed = QString::fromLatin1(row.typed), text = QString::fromLatin1(row.text);
        m.edit().set_text(QStringLiteral("abc"));
        m.edit().select(0, 3);
        auto* tags = m.window->findChild<QComboBox*>(QStringLiteral("lang_list"));
        if (gesture == WheelAtLastEntry)
            tags->setCurrentIndex(tags->count() - 1);
        if (gesture != WheelWithoutFocus) {
            QTest::mouseClick(tags->lineEdit(), Qt::LeftButton);
            QTRY_VERIFY(tags->hasFocus());
        }
        QTest::keyClicks(QApplication::focusWidget(), typed);
        if (gesture == TypeThenEnter || gesture == ArrowOnClosedList)
            QTest::keyClick(tags, gesture == TypeThenEnter ? Qt::Key_Return : Qt::Key_Down);
        else if (gesture == TypeThenLeave)
            QTest::mouseClick(m.window->editor()->viewport(), Qt::LeftButton);
        else if (gesture == ClickInOpenList)
            click_entry(tags, QStringLiteral("HR"));
        else
            wheel(tags, 1);
        QCoreApplication::processEvents();
        QCOMPARE(m.edit().text(), text);
        if (text != u"abc") // a choice hands the keyboard back to the document
            QTRY_VERIFY(m.window->editor()->hasFocus());
    }

    // Down keys on the closed list after typing pick an item.
    void css_selector_is_taken_as_typed_data() {
        rows<Typed>({{"a", {"a", 0, "a {\r\n}\r\n"}},
                     {"body", {"body", 0, "body {\r\n}\r\n"}},
                     {"h1 then Enter", {"h1\n", 0, "h1 {\r\n}\r\n"}},
                     {"first item picked", {"", 1, " B {\r\n}\r\n"}}});
    }
    void css_selector_is_taken_as_typed() {
        QFETCH(Typed, row);
        const QString typed = QString::fromLatin1(row.typed);
        m.window->action(QStringLiteral("css_editor"))->trigger();
        css_edit* css = m.window->css_window();
        QVERIFY(QTest::qWaitForWindowExposed(css));
        css->activateWindow();
        auto* selector = css->findChild<QComboBox*>(QStringLiteral("Combo13"));
        QTest::mouseClick(selector->lineEdit(), Qt::LeftButton);
        QTRY_VERIFY(selector->hasFocus());
        QTest::keyClicks(selector, QString(typed).remove(u'\n'));
        if (typed.endsWith(u'\n'))
            QTest::keyClick(selector, Qt::Key_Return);
        for (int i = 0; i < row.arrows; ++i)
            QTest::keyClick(selector, Qt::Key_Down);
        QTest::mouseClick(css->findChild<QPushButton*>(QStringLiteral("Command1")), Qt::LeftButton);
        QCOMPARE(css->edit_area().text(), QString::fromLatin1(row.rule));
    }

    void css_lists_turn_only_with_the_focus_data() {
        QTest::addColumn<QString>("list");
        QTest::newRow("selector") << "Combo13";
        QTest::newRow("a value") << "cstile";
    }
    void css_lists_turn_only_with_the_focus() {
        QFETCH(QString, list);
        m.window->action(QStringLiteral("css_editor"))->trigger();
        css_edit* css = m.window->css_window();
        QVERIFY(QTest::qWaitForWindowExposed(css));
        auto* box = css->findChild<QComboBox*>(list);
        box->setEnabled(true); // a value list is enabled by its tick box
        auto* sheet = css->findChild<QAbstractScrollArea*>(QStringLiteral("RichTextBox1"));
        QTest::mouseClick(sheet->viewport(), Qt::LeftButton); // the focus away from the lists
        QTRY_VERIFY(sheet->hasFocus());
        const QString before = box->currentText();
        wheel(box, 1);
        QCOMPARE(box->currentText(), before);
        QVERIFY(!box->hasFocus());
        QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(4, box->height() / 2));
        if (QWidget* popup = QApplication::activePopupWidget())
            popup->close();
        QTRY_VERIFY(box->hasFocus());
        wheel(box, 1);
        QVERIFY(box->currentText() != before);
    }
};

QTEST_MAIN(TestTypedTextInLists)
#include "tst_typed_text_in_lists.moc"
