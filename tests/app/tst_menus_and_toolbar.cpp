// The menus and the toolbar as the user meets them: every access key in
// order; every menu reachable by its access key and by the arrows, opening
// under its caption on the wrapped bar, and seen whole by assistive
// technology; every toolbar button in its place, with its picture at its own
// size, running the operation of its menu item.
// Text typed into a list's field: in the tag list it inserts nothing (only a
// choice of an entry does), in the CSS editor's selector it is the selector,
// exactly as typed; the CSS editor's lists turn with the wheel only while
// they have the focus. Driven by real key, mouse and wheel events.

#include "support/main_window.h"
#include "support/rows.h"
#include "support/scripted_asker.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QStyleOptionComboBox>
#include <QToolButton>

namespace {

struct Key {
    int menu, letter, presses;
};

// The menu target of keys: the open menu, else the widget with the focus.
void key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QWidget* popup = QApplication::activePopupWidget();
    QTest::keyClick(popup ? popup : QApplication::focusWidget(), Qt::Key(key), modifiers);
}

struct Button {
    int x, y;
    const char* runs; // the action of this name
    int width = 25, picture = 22;
};

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

class TestMenusAndToolbar : public QObject {
    Q_OBJECT

    MainWindow m;
    WrappingMenuBar* bar() { return m.window->menuBar(); }
    int open_index() { return int(bar()->menus().indexOf(bar()->open_menu())); }

  private slots:
    void init() { m.open(); }
    void cleanup() {
        if (QWidget* popup = QApplication::activePopupWidget())
            popup->close();
        m.close();
    }

    // Each menu's caption and the access letters of its items, in order
    // ("-": none): what the keyboard reaches. Plain items, no icon beside.
    void menus_and_their_access_keys_in_order() {
        QStringList shown;
        int items = 0;
        for (QMenu* menu : bar()->menus()) {
            QString keys;
            for (QAction* item : menu->actions()) {
                const qsizetype amp = item->text().indexOf(u'&');
                keys += amp < 0 ? QChar(u'-') : item->text().at(amp + 1);
                QVERIFY2(item->icon().isNull() || !item->isIconVisibleInMenu(),
                         qPrintable(item->text()));
            }
            items += int(keys.size());
            shown << menu->title() + QStringLiteral(": ") + keys;
        }
        QCOMPARE(shown,
                 (QStringList{"&Link: ---", "&Speciali: AcICoEVDTE",
                              "&Formattazione: GoBSTeCCEFAPFCPPEl", "&Posizione Elementi: LiSDC",
                              "&Form: FTIEMA", "&Varie: ICSomnTaI", "&Sezioni Pagina: BITCT",
                              "&Tool: SIInEA"}));
        QCOMPARE(items, 62);
    }

    void every_menu_opens_by_its_access_key_under_its_caption_data() {
        // A shared letter moves on to the next menu with that letter; the
        // captions stand on both rows.
        rows<Key>({{"&Link", {0, Qt::Key_L, 1}},
                   {"&Form", {4, Qt::Key_F, 2}},
                   {"&Sezioni Pagina", {6, Qt::Key_S, 2}},
                   {"&Tool", {7, Qt::Key_T, 1}},
                   {"&Speciali, round again", {1, Qt::Key_S, 3}}});
    }
    void every_menu_opens_by_its_access_key_under_its_caption() {
        QFETCH(Key, row);
        const int menu = row.menu;
        QCOMPARE(bar()->rows(), 2); // the starting width holds the captions on two rows
        const QRect caption = bar()->caption_rect(menu);
        QVERIFY(bar()->rect().contains(caption));
        for (int i = 0; i < row.presses; ++i)
            key(row.letter, Qt::AltModifier);
        QTRY_COMPARE(open_index(), menu);
        QMenu* open = bar()->open_menu();
        QTRY_VERIFY(open->isVisible());
        QCOMPARE(open->geometry().topLeft(),
                 bar()->mapToGlobal(caption.bottomLeft()) + QPoint(0, 1));
        QCOMPARE(open->activeAction(), open->actions().first());
        key(Qt::Key_Escape); // back to the caption
        QTRY_VERIFY(!open->isVisible());
        QCOMPARE(bar()->highlighted(), menu);
        key(Qt::Key_Escape); // back to the document
        QCOMPARE(bar()->highlighted(), -1);
        QTRY_COMPARE(QApplication::focusWidget(), m.parts().editor());
    }

    void arrows_reach_every_menu_in_order_data() {
        QTest::addColumn<int>("start");
        QTest::newRow("Alt alone") << int(Qt::Key_Alt);
        QTest::newRow("F10") << int(Qt::Key_F10);
    }
    void arrows_reach_every_menu_in_order() {
        QFETCH(int, start);
        key(start);
        QList<int> highlighted{bar()->highlighted()};
        for (int i = 0; i < 8; ++i) {
            key(Qt::Key_Right);
            highlighted << bar()->highlighted();
        }
        QCOMPARE(highlighted, (QList<int>{0, 1, 2, 3, 4, 5, 6, 7, 0}));
        key(Qt::Key_Left);
        key(Qt::Key_Down);
        QTRY_COMPARE(open_index(), 7);
        QList<int> opened;
        for (int k : {Qt::Key_Left, Qt::Key_Right, Qt::Key_Right}) {
            key(k);
            QTRY_VERIFY(bar()->open_menu() && bar()->open_menu()->isVisible());
            opened << open_index();
        }
        QCOMPARE(opened, (QList<int>{6, 7, 0}));
        key(Qt::Key_Down); // the second item of "&Link": "Collegamento"
        QCOMPARE(bar()->open_menu()->activeAction()->text(), QStringLiteral("Collegamento"));
        key(Qt::Key_Escape);
        key(Qt::Key_Escape);
        QTRY_COMPARE(QApplication::focusWidget(), m.parts().editor());
    }

    void assistive_technology_sees_every_menu() {
        QAccessibleInterface* menus = QAccessible::queryAccessibleInterface(bar());
        QCOMPARE(menus->role(), QAccessible::MenuBar);
        QCOMPARE(menus->childCount(), 8);
        for (int i = 0; i < menus->childCount(); ++i) {
            // Named as drawn, with the access key that opens it.
            QAccessibleInterface* caption = menus->child(i);
            const QString title = bar()->menus()[i]->title();
            QCOMPARE(caption->text(QAccessible::Name), QString(title).remove(u'&'));
            QCOMPARE(caption->text(QAccessible::Accelerator),
                     QStringLiteral("Alt+") + title.at(title.indexOf(u'&') + 1));
            const QRect drawn = bar()->caption_rect(i);
            QCOMPARE(caption->rect(), QRect(bar()->mapToGlobal(drawn.topLeft()), drawn.size()));
            QCOMPARE(menus->childAt(caption->rect().center().x(), caption->rect().center().y()),
                     caption);
        }
        key(Qt::Key_F10);
        key(Qt::Key_Right);
        QCOMPARE(menus->focusChild()->text(QAccessible::Name), QStringLiteral("Speciali"));
        key(Qt::Key_Escape);
        QAccessibleInterface* tool = menus->child(7);
        tool->actionInterface()->doAction(QAccessibleActionInterface::showMenuAction());
        QTRY_COMPARE(open_index(), 7);
        QVERIFY(tool->state().expanded);
    }

    void toolbar_buttons_data() {
        // Place in pixels, in the toolbar frame or the client area.
        rows<Button>({
            {"Command5", {0, 8, "Command5", 25, 25}},
            {"Command1", {24, 8, "Command1"}},
            {"Command6", {56, 8, "link"}},
            {"Command7", {88, 8, "grassetto"}},
            {"Command8", {112, 8, "corsivo"}},
            {"Command9", {136, 8, "sottolineato"}},
            {"Command10", {168, 8, "apice"}},
            {"Command11", {192, 8, "pedice"}},
            {"Command12", {224, 8, "numbered_list"}},
            {"Command13", {248, 8, "unumberd_list"}},
            {"Command14", {280, 8, "al_sx"}},
            {"Command15", {304, 8, "al_cnt"}},
            {"Command16", {328, 8, "al_dx"}},
            {"Command17", {360, 8, "paragrafo"}},
            {"Command18", {384, 8, "container_div"}},
            {"Command19", {416, 8, "lineacapo"}},
            {"Command27", {448, 8, "colore"}},
            {"Command20", {0, 40, "form_tag"}},
            {"Command21", {24, 40, "menu_t"}},
            {"Command23", {48, 40, "elenco"}},
            {"Command24", {72, 40, "input_t"}},
            {"Command25", {96, 40, "tasto"}},
            {"Command22", {120, 40, "text_area"}},
            {"Command26", {152, 40, "immagine"}},
            {"Command2", {8, 72, "Command2", 49}},
            {"Command3", {64, 72, "Command3", 49, 44}},
            {"Command4", {120, 72, "Command4", 49, 44}},
        });
    }
    void toolbar_buttons() {
        QFETCH(Button, row);
        const QString name = QString::fromLatin1(QTest::currentDataTag());
        const QString runs = QString::fromLatin1(row.runs);
        m.close();
        auto services = fake_services(std::make_unique<FakeDialogs>());
        services.asker = std::make_unique<ScriptedAsker>(); // no dialog waits for an answer
        m.window = std::make_unique<Form1>(std::move(services));
        m.window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m.window.get()));

        auto* button = m.window->findChild<QToolButton*>(name);
        QVERIFY(button);
        QCOMPARE(button->geometry(), QRect(row.x, row.y, row.width, 25));
        QVERIFY(!button->accessibleName().isEmpty() && !button->toolTip().isEmpty());
        // The picture at its own size, rendered for the screen's pixel ratio.
        const QSize picture(row.picture, 22);
        QCOMPARE(button->iconSize(), picture);
        QCOMPARE(button->icon().pixmap(picture, 2.0).size(), picture * 2);

        // A click runs the action of the menu item of that name.
        QAction* action = m.parts().action(runs);
        QVERIFY(action);
        QSignalSpy runs_spy(action, &QAction::triggered);
        QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(runs_spy.size(), 1);
        if (runs == u"grassetto") {
            QCOMPARE(m.edit().text(), QStringLiteral("<b></b>"));
            QCOMPARE(QApplication::focusWidget(), m.parts().editor());
        }
    }

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
            QTest::mouseClick(m.parts().editor()->viewport(), Qt::LeftButton);
        else if (gesture == ClickInOpenList)
            click_entry(tags, QStringLiteral("HR"));
        else
            wheel(tags, 1);
        QCoreApplication::processEvents();
        QCOMPARE(m.edit().text(), text);
        if (text != u"abc") // a choice hands the keyboard back to the document
            QTRY_VERIFY(m.parts().editor()->hasFocus());
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
        m.parts().action(QStringLiteral("css_editor"))->trigger();
        css_edit* css = m.parts().css_window();
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
        m.parts().action(QStringLiteral("css_editor"))->trigger();
        css_edit* css = m.parts().css_window();
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

QTEST_MAIN(TestMenusAndToolbar)
#include "tst_menus_and_toolbar.moc"
