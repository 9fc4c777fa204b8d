// The CSS editor window: its controls, the catalogue's tick boxes, the rule
// that "Inserisci" inserts, the temporary stylesheet, the colour swatches and
// the keyboard.

#include "css_edit_fixture.h"
#include "css_editor/catalogue.h"
#include "css_editor/colour_swatch.h"
#include "dialogs/colour_text.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <Qsci/qsciscintilla.h>

class TestCssEdit : public QObject {
    Q_OBJECT

    CssEditFixture f;

    QCheckBox* tick(const QString& control) {
        return f.child<QCheckBox>(control + QStringLiteral("_c"));
    }
    ColourSwatch* swatch(const QString& name) { return f.child<ColourSwatch>(name); }
    QString base_colour_text() {
        const QColor base = f.window->palette().color(QPalette::Active, QPalette::Base);
        return colour_text(colour_number(base.red(), base.green(), base.blue()));
    }

  private slots:
    void init() {
        f = {};
        QFile::remove(temp_stylesheet_path());
        f.open_window();
    }
    void cleanup() {
        f.window.reset();
        QDir(temp_stylesheet_path()).removeRecursively();
    }

    void window_has_its_caption_size_and_controls() {
        QCOMPARE(f.window->windowTitle(), QStringLiteral("CSS Editor"));
        QCOMPARE(f.window->size(), QSize(886, 431));
        QCOMPARE(f.child<QPushButton>("Command1")->text(), QStringLiteral("Inserisci"));
        QCOMPARE(f.child<QsciScintilla>("RichTextBox1")->geometry(), QRect(568, 48, 313, 377));
        const std::pair<const char*, const char*> pictures[] = {
            {"Command3", "Apri un file"},
            {"Command4", "Salva il file corrente"},
            {"Command2", "Aggiorna l'anteprima con il CSS corrente"}};
        for (const auto& [name, tooltip] : pictures) {
            QCOMPARE(f.child<QToolButton>(name)->toolTip(), QString::fromUtf8(tooltip));
            QVERIFY(!f.child<QToolButton>(name)->icon().isNull());
        }
        const char* frames[] = {"Caratteri", "Testo", "Posizione", "Colore e Sfondo"};
        for (int i = 0; i < 4; ++i)
            QCOMPARE(f.child<QGroupBox>(QStringLiteral("Frame%1").arg(i + 1))->title(),
                     QString::fromUtf8(frames[i]));
        // The last row of "Testo": a tick box and its list inside Frame2.
        auto* vertical = f.child<QComboBox>("tallineamento_verticale");
        QCOMPARE(vertical->parentWidget()->objectName(), QStringLiteral("Frame2"));
        QCOMPARE(vertical->geometry(), QRect(136, 160, 121, 21));
        QCOMPARE(tick("tallineamento_verticale")->text(), QStringLiteral("Allineamento Verticale"));
    }

    void starts_in_the_initial_state() {
        auto* selector = f.child<QComboBox>("Combo13");
        QCOMPARE(selector->count(), 13);
        QCOMPARE(selector->itemText(2), QStringLiteral(" p"));
        QCOMPARE(selector->currentText(), QString());
        for (const CatalogueRow& row : catalogue()) {
            const QString name = row.control.toString();
            QVERIFY2(!tick(name)->isChecked(), qPrintable(name));
            // The whole caption fits in the tick box's place.
            QVERIFY2(tick(name)->sizeHint().width() <= tick(name)->width(), qPrintable(name));
            QWidget* value = f.child<QWidget>(name);
            QVERIFY2(!value->isEnabled(), qPrintable(name));
            if (row.kind == ValueKind::List) {
                auto* list = static_cast<QComboBox*>(value);
                QCOMPARE(list->currentIndex(), row.start_index);
                QVERIFY(!list->isEditable());
            } else if (row.kind == ValueKind::Text) {
                QCOMPARE(static_cast<QLineEdit*>(value)->text(), QString());
            } else {
                QVERIFY(!static_cast<ColourSwatch*>(value)->colour());
            }
        }
        QCOMPARE(f.child<QComboBox>("cspessore")->currentText(), QStringLiteral("bolder"));
        QCOMPARE(f.child<QComboBox>("ctipo")->count(), 8);
        QCOMPARE(f.edit().text(), QString());
        QCOMPARE(f.window->editor()->eolMode(), QsciScintilla::EolWindows);
        QCOMPARE(f.state.css_changed, false);
        QCOMPARE(f.window->rule(), QStringLiteral(" {\r\n}\r\n"));
    }

    void tick_enables_and_untick_disables_keeping_the_value() {
        for (const CatalogueRow& row : catalogue()) {
            const QString name = row.control.toString();
            QWidget* value = f.child<QWidget>(name);
            QTest::mouseClick(tick(name), Qt::LeftButton, {}, QPoint(8, 10));
            QVERIFY2(value->isEnabled(), qPrintable(name));
            if (auto* text = qobject_cast<QLineEdit*>(value))
                text->setText(QStringLiteral("3em"));
            else if (auto* list = qobject_cast<QComboBox*>(value))
                list->setCurrentIndex(0);
            const QString before = f.window->rule();
            QTest::mouseClick(tick(name), Qt::LeftButton, {}, QPoint(8, 10));
            QVERIFY2(!value->isEnabled(), qPrintable(name));
            QTest::mouseClick(tick(name), Qt::LeftButton, {}, QPoint(8, 10));
            QVERIFY2(value->isEnabled(), qPrintable(name));
            QCOMPARE(f.window->rule(), before);
        }
    }

    void inserisci_places_the_rule_writes_and_reloads_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("start");
        QTest::addColumn<int>("length");
        QTest::addColumn<int>("clicks");
        QTest::addColumn<QString>("expected");
        const QString rule = QStringLiteral("H1 {\r\n}\r\n");
        QTest::newRow("empty stylesheet") << QString() << 0 << 0 << 1 << rule;
        QTest::newRow("selection replaced") << "a old b" << 2 << 3 << 1 << "a " + rule + " b";
        QTest::newRow("two clicks, one after the other") << "" << 0 << 0 << 2 << rule + rule;
    }
    void inserisci_places_the_rule_writes_and_reloads() {
        QFETCH(QString, text);
        QFETCH(int, start);
        QFETCH(int, length);
        QFETCH(int, clicks);
        QFETCH(QString, expected);
        f.edit().set_text(text);
        f.edit().select(start, length);
        f.state.css_changed = false;
        f.child<QComboBox>("Combo13")->setCurrentIndex(7); // "H1"
        for (int i = 0; i < clicks; ++i)
            QTest::mouseClick(f.child<QPushButton>("Command1"), Qt::LeftButton);
        QCOMPARE(f.edit().text(), expected);
        const qsizetype rule_end = start + clicks * QStringLiteral("H1 {\r\n}\r\n").size();
        QCOMPARE(f.edit().caret(), rule_end);
        QCOMPARE(f.edit().selection_length(), 0);
        QCOMPARE(temp_stylesheet_bytes(), expected.toUtf8());
        QCOMPARE(f.reloads, clicks);
        QCOMPARE(f.state.css_changed, true);
        for (int i = 0; i < clicks; ++i)
            f.window->editor()->undo(); // one step each
        QCOMPARE(f.edit().text(), text);
    }

    void typed_selector_and_values_go_in_unchanged() {
        auto* selector = f.child<QComboBox>("Combo13");
        selector->setFocus();
        QTest::keyClicks(selector, QStringLiteral("div.menu"));
        tick("cdimensione")->click();
        QTest::keyClicks(f.child<QLineEdit>("cdimensione"), QStringLiteral(" 12px "));
        tick("ctipo")->click();
        f.window->insert_rule();
        QCOMPARE(f.edit().text(),
                 QStringLiteral("div.menu {\r\n\tfont-family: ;\r\n\tfont-size:  12px ;\r\n}\r\n"));
    }

    void swatch_colour_comes_from_the_colour_dialog_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("prompt");
        QTest::addColumn<QString>("property");
        QTest::addColumn<QList<int>>("answers"); // -1: cancel
        QTest::addColumn<int>("expected");       // -1: the initial colour
        const QString sfondo = QStringLiteral("scolore_sfondo");
        const QString testo = QStringLiteral("scolore");
        QTest::newRow("cancel keeps the earlier colour")
            << sfondo << "Seleziona colore sfondo"
            << "background-color: " << QList<int>{65280, -1} << 65280;
        QTest::newRow("cancel keeps the initial colour") << testo << "Seleziona colore testo"
                                                         << "color: " << QList<int>{-1} << -1;
    }
    void swatch_colour_comes_from_the_colour_dialog() {
        QFETCH(QString, name);
        QFETCH(QString, prompt);
        QFETCH(QString, property);
        QFETCH(QList<int>, answers);
        QFETCH(int, expected);
        tick(name)->click();
        for (int answer : answers) {
            f.dialogs->colours.push_back(answer < 0 ? std::nullopt
                                                    : std::optional<unsigned>(unsigned(answer)));
            QTest::mouseClick(swatch(name), Qt::LeftButton);
        }
        QCOMPARE(f.dialogs->colour_titles, QStringList(QList<QString>(answers.size(), prompt)));
        if (expected < 0) {
            QVERIFY(!swatch(name)->colour());
            QCOMPARE(f.window->rule(), " {\r\n\t" + property + base_colour_text() + ";\r\n}\r\n");
        } else {
            QCOMPARE(swatch(name)->colour(), std::optional<unsigned>(unsigned(expected)));
            QCOMPARE(swatch(name)->shown_colour(), unsigned(expected));
            QCOMPARE(f.window->rule(),
                     " {\r\n\t" + property + colour_text(unsigned(expected)) + ";\r\n}\r\n");
        }
    }

    void sel_colore_returns_the_number_or_minus_one() {
        f.dialogs->colours = {658188u, std::nullopt};
        QCOMPARE(f.window->sel_colore(QStringLiteral("t")), 658188);
        QCOMPARE(f.window->sel_colore(QStringLiteral("t")), -1);
    }

    void swatch_of_an_unticked_row_ignores_clicks() {
        f.dialogs->colours.push_back(255u);
        QTest::mouseClick(swatch("scolore"), Qt::LeftButton);
        swatch("scolore")->click();
        QVERIFY(f.dialogs->colour_titles.isEmpty());
        QVERIFY(!swatch("scolore")->colour());
    }

    void swatch_reacts_to_space_and_enter() {
        f.window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(f.window.get()));
        tick("scolore_sfondo")->click();
        ColourSwatch* box = swatch("scolore_sfondo");
        box->setFocus();
        QTRY_VERIFY(box->hasFocus());
        f.dialogs->colours = {255u, 65280u};
        QTest::keyClick(box, Qt::Key_Space);
        QCOMPARE(box->colour(), std::optional<unsigned>(255u));
        QTest::keyClick(box, Qt::Key_Return);
        QCOMPARE(box->colour(), std::optional<unsigned>(65280u));
    }

    void tab_reaches_every_control() {
        f.window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(f.window.get()));
        QStringList expected = {"Combo13", "Command1", "Command3", "Command4", "Command2"};
        for (const CatalogueRow& row : catalogue()) {
            tick(row.control.toString())->click();
            expected << row.check_box.toString() << row.control.toString();
        }
        expected << "RichTextBox1";
        f.child<QComboBox>("Combo13")->setFocus();
        QTRY_VERIFY(QApplication::focusWidget());
        QStringList reached;
        for (int i = 0; i < expected.size(); ++i) {
            QWidget* focus = QApplication::focusWidget();
            QWidget* named = focus;
            while (named && !named->parentWidget()->inherits("QGroupBox") &&
                   named != f.window.get() && named->parentWidget() != f.window.get())
                named = named->parentWidget();
            reached << (named ? named->objectName() : QString());
            QTest::keyClick(focus, Qt::Key_Tab);
        }
        QCOMPARE(reached, expected);
    }

    void controls_keep_their_places_when_the_window_is_resized() {
        const QRect edit = f.window->editor()->geometry();
        const QRect frame = f.child<QGroupBox>("Frame2")->geometry();
        f.window->resize(1200, 700);
        QTRY_COMPARE(f.window->size(), QSize(1200, 700));
        QCOMPARE(f.window->editor()->geometry(), edit);
        QCOMPARE(f.child<QGroupBox>("Frame2")->geometry(), frame);
    }

    void refresh_writes_the_text_and_keeps_the_flag_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("changed");
        QTest::newRow("empty stylesheet, unchanged") << QString() << false;
        QTest::newRow("rules, changed") << "P {\r\n\tcolor: #FF0000;\r\n}\r\n" << true;
    }
    void refresh_writes_the_text_and_keeps_the_flag() {
        QFETCH(QString, text);
        QFETCH(bool, changed);
        f.edit().set_text(text);
        f.state.css_changed = changed;
        QTest::mouseClick(f.child<QToolButton>("Command2"), Qt::LeftButton);
        QCOMPARE(temp_stylesheet_bytes(), text.toUtf8());
        QCOMPARE(f.reloads, 1);
        QCOMPARE(f.state.css_changed, changed);
        QCOMPARE(f.edit().text(), text);
    }

    void failed_temporary_stylesheet_is_shown_not_hidden() {
        // A folder with content where the temporary stylesheet goes cannot be replaced.
        QVERIFY(QDir().mkpath(temp_stylesheet_path() + QStringLiteral("/blocker")));
        auto* status = f.child<QLabel>("status_line");
        f.child<QComboBox>("Combo13")->setEditText(QStringLiteral("P"));
        f.window->insert_rule();
        QCOMPARE(f.edit().text(), QStringLiteral("P {\r\n}\r\n"));
        QVERIFY(!status->text().isEmpty());
        QVERIFY(!status->toolTip().isEmpty());
        QCOMPARE(f.reloads, 1);

        QVERIFY(QDir(temp_stylesheet_path()).removeRecursively());
        f.window->refresh_preview();
        QCOMPARE(status->text(), QString());
        QCOMPARE(temp_stylesheet_bytes(), QByteArray("P {\r\n}\r\n"));
    }
};

QTEST_MAIN(TestCssEdit)
#include "tst_css_edit.moc"
