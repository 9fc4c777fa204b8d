// The menu bar and the toolbar as the user meets them: every caption in
// order, every menu reachable by its access key and by the arrows, opening
// under its caption at the starting size; every toolbar button in its place,
// with its picture at its own size, running the operation of its menu item.

#include "support/main_window.h"
#include "support/rows.h"
#include "support/scripted_asker.h"

#include <QAccessible>
#include <QMenu>
#include <QToolButton>

namespace {

struct Key {
    int menu, letter, presses;
};
struct Button {
    int x, y;
    const char* runs; // the action of this name
    int width = 25, picture = 22;
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

    void menu_captions_in_order() {
        const QStringList expected = {
            "&Link|Ancora (Segnalibro della pagina)|Collegamento|Collegamento di posta",
            "&Speciali|&Abbreviazione|A&cronimo|&Indirizzo|&Citazione|C&odice|&Esempio Codice|"
            "&Variabile|&Definizione|&Testo da digitare|&Elenco Definizione",
            "&Formattazione|&Grassetto|C&orsivo|&Barrato|&Sottolineato|&Testo Grande|T&esto "
            "Piccolo|&Contenitore Testo Formattato : div|&Contenitore Testo Formattato : span|"
            "&Enfasi|&Forte enfasi|&Apice|&Pedice|&Forza Testo su una linea|&Carattere a "
            "spaziatura fissa|&Preserva Spaziatura|&Paragrafo|&Elenco numerato|E&lenco non "
            "numerato",
            "&Posizione Elementi|&Linea a Capo|L&inea di divisione|Allineamento a "
            "&Sinistra|Allineamento a &Destra|Allineamento al &Centro",
            "&Form|&Form|&Tasto|&Input|&Elenco Opzioni|&Menu a tendina|&Area di Testo",
            "&Varie|&Immagine|&Contenuto alternativo Frame|&Script|C&ontenuto alternativo "
            "script|Co&mmento|I&ndirizzo Base|&Tag LINK|T&ag META|&Includi File Esterno",
            "&Sezioni Pagina|&Blocco HTML|&Intestazione|&Titolo|&Corpo|&Tag Pagina Completo",
            "&Tool|&Seleziona Colore|&Inserisci Tabella|&Inserisci Riga|I&nserisci Cella|&Editor "
            "CSS|&Applica foglio di stile temporaneo",
        };
        QStringList shown;
        int items = 0;
        for (QMenu* menu : bar()->menus()) {
            QStringList line{menu->title()};
            for (QAction* item : menu->actions()) {
                line << item->text();
                // Plain items: no icon beside a caption.
                QVERIFY2(item->icon().isNull() || !item->isIconVisibleInMenu(),
                         qPrintable(item->text()));
            }
            items += int(line.size()) - 1;
            shown << line.join(u'|');
        }
        QCOMPARE(shown, expected);
        QCOMPARE(items, 62);
    }

    void every_menu_opens_by_its_access_key_under_its_caption_data() {
        // A shared letter moves on to the next menu with that letter.
        rows<Key>({{"&Link", {0, Qt::Key_L, 1}},
                   {"&Speciali", {1, Qt::Key_S, 1}},
                   {"&Formattazione", {2, Qt::Key_F, 1}},
                   {"&Posizione", {3, Qt::Key_P, 1}},
                   {"&Form", {4, Qt::Key_F, 2}},
                   {"&Varie", {5, Qt::Key_V, 1}},
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
        auto asker = std::make_unique<ScriptedAsker>();
        ScriptedAsker* questions = asker.get();
        services.asker = std::move(asker);
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
        QAction* action = m.window->action(runs);
        QVERIFY(action);
        QSignalSpy runs_spy(action, &QAction::triggered);
        QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(runs_spy.size(), 1);
        bool in_menu = false;
        for (QMenu* menu : bar()->menus())
            in_menu = in_menu || menu->actions().contains(action);
        QCOMPARE(in_menu, !runs.startsWith(u"Command"));
        if (runs == u"grassetto") {
            QCOMPARE(m.edit().text(), QStringLiteral("<b></b>"));
            QCOMPARE(QApplication::focusWidget(), m.window->editor());
        }
        if (runs == u"link")
            QVERIFY(questions->questions().first().startsWith(u"input|"));
    }
};

QTEST_MAIN(TestMenusAndToolbar)
#include "tst_menus_and_toolbar.moc"
