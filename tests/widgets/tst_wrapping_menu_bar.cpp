// The wrapping menu bar as the user meets it in the main window: every menu
// reachable by its access key and by the arrows, opening under its caption
// at the starting size, and seen whole by assistive technology. Driven by
// real key events.

#include "support/main_window.h"
#include "support/rows.h"

#include <QAccessible>
#include <QMenu>

namespace {

struct Key {
    int menu, letter, presses;
};

// The menu target of keys: the open menu, else the widget with the focus.
QWidget* keys_target() {
    return QApplication::activePopupWidget() ? QApplication::activePopupWidget()
                                             : QApplication::focusWidget();
}

void key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::keyClick(keys_target(), Qt::Key(key), modifiers);
}

} // namespace

class TestWrappingMenuBar : public QObject {
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
        QTRY_COMPARE(QApplication::focusWidget(), m.window->editor());
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
        QTRY_COMPARE(QApplication::focusWidget(), m.window->editor());
    }

    void assistive_technology_sees_every_menu() {
        QAccessibleInterface* menus = QAccessible::queryAccessibleInterface(bar());
        QCOMPARE(menus->role(), QAccessible::MenuBar);
        QStringList seen;
        for (int i = 0; i < menus->childCount(); ++i) {
            QAccessibleInterface* caption = menus->child(i);
            seen << caption->text(QAccessible::Name) + u' ' +
                        caption->text(QAccessible::Accelerator);
            const QRect drawn = bar()->caption_rect(i);
            QCOMPARE(caption->rect(), QRect(bar()->mapToGlobal(drawn.topLeft()), drawn.size()));
            QCOMPARE(menus->childAt(caption->rect().center().x(), caption->rect().center().y()),
                     caption);
        }
        QCOMPARE(seen, (QStringList{"Link Alt+L", "Speciali Alt+S", "Formattazione Alt+F",
                                    "Posizione Elementi Alt+P", "Form Alt+F", "Varie Alt+V",
                                    "Sezioni Pagina Alt+S", "Tool Alt+T"}));
        key(Qt::Key_F10);
        key(Qt::Key_Right);
        QCOMPARE(menus->focusChild()->text(QAccessible::Name), QStringLiteral("Speciali"));
        key(Qt::Key_Escape);
        QAccessibleInterface* tool = menus->child(7);
        tool->actionInterface()->doAction(QAccessibleActionInterface::showMenuAction());
        QTRY_COMPARE(open_index(), 7);
        QVERIFY(tool->state().expanded);
    }
};

QTEST_MAIN(TestWrappingMenuBar)
#include "tst_wrapping_menu_bar.moc"
