// Tag commands from the menu through the real dialogs to the document: one
// of each kind of question (picker, colour, Yes/No, message, loop), and a
// table built from its row and cell commands.

#include "support/dialog_steps.h"
#include "support/main_window.h"

using namespace steps;

class TestCommandsInWindow : public QObject {
    Q_OBJECT

    MainWindow m;

    ScintillaEditArea& edit() { return m.edit(); }

    void run(const QString& item, std::deque<ModalScript::Step> answers, QStringList titles) {
        ModalScript script(std::move(answers));
        m.window->action(item)->trigger();
        QCOMPARE(script.remaining(), std::size_t(0));
        QCOMPARE(script.titles, titles);
        QCOMPARE(QApplication::activeModalWidget(), nullptr);
    }

  private slots:
    void init() { m.open(); }
    void cleanup() { m.close(); }

    void rule_with_picker_colour_numbers_and_yes_no() {
        edit().set_text(QStringLiteral("abc"));
        edit().select(0, 3);
        m.dialogs->colours.push_back(255u);
        QString question;
        run("div_line", {choose(0), type("3px"), type("50%"), press(QMessageBox::No, &question)},
            {"Allineamento della linea", "Immisione parametro", "Immisione parametro",
             "Ombreggiatura"});
        QCOMPARE(m.dialogs->colour_titles, QStringList{"Seleziona il colore della linea"});
        QCOMPARE(question, QStringLiteral("Desideri che la linea sia ombreggiata ?"));
        const QString rule =
            "<hr align=\"center\" color=\"#FF0000\" size=\"3\" width=\"50%\" noshade>";
        QCOMPARE(edit().text(), rule + "abc");
        QCOMPARE(edit().caret(), rule.size() + 3);
        QCOMPARE(m.window->focusWidget(), m.window->editor());
        // The picker's protocol: the items in tmp_lst, the choice in str_ret.
        QCOMPARE(m.window->tmp_lst, (QStringList{"center", "left", "right"}));
        QCOMPARE(m.window->str_ret, QStringLiteral("center"));
    }

    void list_loop_ends_at_the_first_empty_entry_a_closed_picker_answers_nothing() {
        edit().set_text(QString());
        run("numbered_list", {type("3"), cancel(), type("a"), type("b"), type("")},
            {"Immisione parametro", "Seleziona il tipo di numerazione", "Immisione parametro",
             "Immisione parametro", "Immisione parametro"});
        const QString list = "<ol start=\"3\">\r\n\t<li>a</li>\r\n\t<li>b</li>\r\n</ol>\r\n";
        QCOMPARE(edit().text(), list);
        QCOMPARE(edit().caret(), list.size());
    }

    void required_answer_cancelled_inserts_nothing() {
        edit().set_text(QStringLiteral("abc"));
        run("anchor", {cancel()}, {"Immisione parametro"});
        QCOMPARE(edit().text(), QStringLiteral("abc"));
    }

    void button_command_shows_the_chosen_type() {
        edit().set_text(QString());
        QString shown;
        run("tasto",
            {type("invia"), type("1"), choose(0), press(QMessageBox::Ok, &shown), type("Invia")},
            {"Immisione parametro", "Immisione parametro", "Seleziona il tipo del tasto", "Marklet",
             "Immisione parametro"});
        QCOMPARE(shown, QStringLiteral("submit"));
        QCOMPARE(
            edit().text(),
            QStringLiteral("<button name=\"invia\" value=\"1\" type=\"submit\">Invia</button>"));
        QCOMPARE(edit().caret(), edit().text().size() - 9);
    }

    void table_rows_and_cells_build_a_small_table() {
        edit().set_text(QString());
        // Every question of the table left empty (the colour dialog answers none).
        run("tabella", {cancel(), cancel(), cancel(), cancel(), cancel(), cancel()},
            {"Allineamento della tabella", "Immisione parametro", "Immisione parametro",
             "Immisione parametro", "Immisione parametro", "Immisione parametro"});
        QCOMPARE(edit().text(), QStringLiteral("<table>\r\n\t\r\n</table>"));
        QCOMPARE(edit().caret(), 10);
        run("ins_riga", {choose(2), cancel(), cancel(), choose(3)},
            {"Allineamento delle celle della riga", "Immisione parametro", "Immisione parametro",
             "Allineamento verticale delle celle della riga"});
        run("ins_cella",
            {choose(1), cancel(), cancel(), type("2 colonne"), type("30"), cancel(), type("50%"),
             choose(2)},
            {"Allineamento delle cella", "Immisione parametro", "Immisione parametro",
             "Immisione parametro", "Immisione parametro", "Immisione parametro",
             "Immisione parametro", "Allineamento verticale della cella"});
        QTest::keyClicks(m.window->editor(), QStringLiteral("x"));
        QCOMPARE(edit().text(),
                 QStringLiteral("<table>\r\n\t<tr align=\"right\" valign=\"middle\">\r\n\t"
                                "<td align=\"left\" colspan=\"2\" height=\"30\" width=\"50%\" "
                                "valign=\"top\">\r\n\tx\r\n</td>\r\n</tr>\r\n</table>"));
    }
};

QTEST_MAIN(TestCommandsInWindow)
#include "tst_commands_in_window.moc"
