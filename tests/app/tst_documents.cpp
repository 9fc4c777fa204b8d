// Document files through the real main window: bytes in, same bytes out;
// failures told, nothing lost; unsaved changes never dropped without a question.

#include "document/file_io.h"
#include "document/temp_files.h"
#include "find/find_bar.h"
#include "document/recovery_keeper.h"
#include "support/dialog_steps.h"
#include "support/files.h"
#include "support/main_window.h"

#include <QAction>
#include <QLabel>
#include <QTemporaryDir>
#include <QToolButton>

using steps::press;

namespace {

ModalScript::Step press_named(const QString& name) {
    return [name](QWidget* dialog) {
        auto* button = dialog->findChild<QPushButton*>(name);
        QVERIFY(button);
        button->click();
    };
}

} // namespace

class TestDocuments : public QObject {
    Q_OBJECT

    MainWindow m;
    QTemporaryDir dir;

    ScintillaEditArea& edit() { return m.edit(); }
    QString path(const QString& name) { return dir.filePath(name); }
    // Opens a file of the given bytes without the open dialog.
    void open_file(const QString& name, const QByteArray& bytes) {
        QVERIFY(write_bytes(path(name), bytes));
        QVERIFY(m.window->open_path(path(name)));
    }

  private slots:
    void init() { m.open(); }
    void cleanup() { m.close(); }

    void open_then_save_gives_back_the_same_bytes_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("text");
        QTest::newRow("utf-8 crlf")
            << QByteArray("<p>caff\xc3\xa8 \xe2\x82\xac</p>\r\n") << "<p>caffè €</p>\r\n";
        QTest::newRow("utf-8 bom") << QByteArray("\xef\xbb\xbf<b>\xc3\xa0</b>") << "<b>à</b>";
        QTest::newRow("windows-1252")
            << QByteArray("caf\xe9 \x80 \x93x\x94\r\n") << "café € “x”\r\n";
        QTest::newRow("lf") << QByteArray("a\nb\n") << "a\nb\n";
        QTest::newRow("mixed") << QByteArray("a\r\nb\nc\rd") << "a\r\nb\nc\rd";
        QTest::newRow("empty") << QByteArray() << "";
    }
    void open_then_save_gives_back_the_same_bytes() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, text);
        QVERIFY(write_bytes(path("in.htm"), bytes));
        m.dialogs->open_answers.push_back(path("in.htm"));
        QVERIFY(m.window->open_document());
        QCOMPARE(edit().text(), text);
        QCOMPARE(read_bytes(preview_file_path()),
                 m.window->document_encoding() == Encoding::Windows1252 ? bytes : text.toUtf8());
        QVERIFY(!m.window->is_modified());
        QCOMPARE(m.window->windowTitle(), QStringLiteral("in.htm - Marklet"));
        m.dialogs->save_answers.push_back(path("out.htm"));
        QVERIFY(m.window->save_document());
        QCOMPARE(read_bytes(path("out.htm")), bytes);
        QCOMPARE(m.dialogs->remembered, path("out.htm"));
    }

    void enter_inserts_the_documents_own_line_break_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("expected");
        QTest::newRow("lf file") << QByteArray("a\nb\nc") << "a\nb\nc\n";
        QTest::newRow("crlf file") << QByteArray("a\r\nb") << "a\r\nb\r\n";
        QTest::newRow("no break yet") << QByteArray("a") << "a\r\n";
    }
    void enter_inserts_the_documents_own_line_break() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, expected);
        open_file("eol.htm", bytes);
        edit().set_caret(edit().text().size());
        QTest::keyClick(m.window->editor(), Qt::Key_Return);
        QCOMPARE(edit().text(), expected);
    }

    void new_document_uses_crlf_and_utf8() {
        edit().set_text(QStringLiteral("è"));
        edit().set_caret(1);
        QTest::keyClick(m.window->editor(), Qt::Key_Return);
        m.dialogs->save_answers.push_back(path("new.htm"));
        QVERIFY(m.window->save_document());
        QCOMPARE(read_bytes(path("new.htm")), QByteArray("\xc3\xa8\r\n"));
    }

    void character_outside_windows_1252_is_never_dropped_data() {
        QTest::addColumn<QString>("button"); // empty: Cancel
        QTest::addColumn<QByteArray>("saved");
        QTest::newRow("references")
            << "references_button" << QByteArray("caf\xe9 &#8800; &#128512;");
        QTest::newRow("utf-8") << "utf8_button"
                               << QByteArray("caf\xc3\xa9 \xe2\x89\xa0 \xf0\x9f\x98\x80");
        QTest::newRow("cancel: the file stays") << "" << QByteArray("caf\xe9");
    }
    void character_outside_windows_1252_is_never_dropped() {
        QFETCH(QString, button);
        QFETCH(QByteArray, saved);
        open_file("old.htm", "caf\xe9");
        edit().set_caret(4);
        edit().replace_selection(QStringLiteral(" ≠ 😀"));
        m.dialogs->save_answers.push_back(path("old.htm"));
        ModalScript script({button.isEmpty() ? press(QMessageBox::Cancel) : press_named(button)});
        QCOMPARE(m.window->save_document(), !button.isEmpty());
        QCOMPARE(read_bytes(path("old.htm")), saved);
        QCOMPARE(m.window->is_modified(), button.isEmpty());
    }

    void failed_open_is_told_and_the_document_stays_data() {
        QTest::addColumn<QString>("target");
        QTest::newRow("missing") << "missing.htm";
        QTest::newRow("folder") << "folder";
        QTest::newRow("binary") << "binary.bin";
    }
    void failed_open_is_told_and_the_document_stays() {
        QFETCH(QString, target);
        QDir(dir.path()).mkdir(QStringLiteral("folder"));
        QVERIFY(write_bytes(path("binary.bin"), QByteArray("\x7f"
                                                           "ELF\0\0\0",
                                                           7)));
        edit().set_text(QStringLiteral("mio testo"));
        m.dialogs->open_answers.push_back(path(target));
        QString message;
        ModalScript script({press(QMessageBox::Discard), press(QMessageBox::Ok, &message)});
        QVERIFY(!m.window->open_document());
        QCOMPARE(script.remaining(), std::size_t(0));
        QVERIFY2(message.contains(path(target)), qPrintable(message));
        QCOMPARE(edit().text(), QStringLiteral("mio testo"));
    }

    void failed_save_is_told_and_nothing_is_lost_data() {
        QTest::addColumn<QString>("target");
        QTest::newRow("path is a folder") << "folder";
        QTest::newRow("parent is a file") << "plain.txt/inside.htm";
        QTest::newRow("missing folder") << "nowhere/page.htm";
    }
    void failed_save_is_told_and_nothing_is_lost() {
        QFETCH(QString, target);
        QDir(dir.path()).mkdir(QStringLiteral("folder"));
        QVERIFY(write_bytes(path("plain.txt"), "x"));
        edit().set_text(QStringLiteral("lavoro"));
        m.dialogs->save_answers.push_back(path(target));
        QString message;
        ModalScript script({press(QMessageBox::Ok, &message)});
        QVERIFY(!m.window->save_document());
        QVERIFY2(message.contains(path(target)), qPrintable(message));
        QCOMPARE(edit().text(), QStringLiteral("lavoro"));
        QVERIFY(m.window->is_modified());
        QCOMPARE(read_bytes(path("plain.txt")), QByteArray("x"));
    }

    void unsaved_changes_question_on_open_data() {
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("save_dialog_ok");
        QTest::addColumn<bool>("opened");
        QTest::newRow("save") << int(QMessageBox::Save) << true << true;
        QTest::newRow("save dialog cancelled") << int(QMessageBox::Save) << false << false;
        QTest::newRow("discard") << int(QMessageBox::Discard) << true << true;
        QTest::newRow("cancel") << int(QMessageBox::Cancel) << true << false;
    }
    void unsaved_changes_question_on_open() {
        QFETCH(int, answer);
        QFETCH(bool, save_dialog_ok);
        QFETCH(bool, opened);
        QVERIFY(write_bytes(path("other.htm"), "altro"));
        QFile::remove(path("saved.htm"));
        edit().set_text(QStringLiteral("non salvato"));
        QCOMPARE(m.window->windowTitle(), QStringLiteral("Senza nome * - Marklet"));
        m.dialogs->save_answers.push_back(save_dialog_ok ? std::optional(path("saved.htm"))
                                                         : std::nullopt);
        m.dialogs->open_answers.push_back(path("other.htm"));
        QString question;
        ModalScript script({press(QMessageBox::StandardButton(answer), &question)});
        QCOMPARE(m.window->open_document(), opened);
        QCOMPARE(question, QStringLiteral("Salvare le modifiche?"));
        QCOMPARE(edit().text(), opened ? QStringLiteral("altro") : QStringLiteral("non salvato"));
        const bool saved = answer == QMessageBox::Save && save_dialog_ok;
        QCOMPARE(read_bytes(path("saved.htm")),
                 saved ? QByteArray("non salvato") : QByteArray("<missing>"));
        QCOMPARE(m.dialogs->opens, opened ? 1 : 0);
    }

    void unsaved_changes_question_on_close_data() {
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("save_succeeds");
        QTest::addColumn<bool>("closed");
        QTest::newRow("save") << int(QMessageBox::Save) << true << true;
        QTest::newRow("save fails") << int(QMessageBox::Save) << false << false;
        QTest::newRow("discard") << int(QMessageBox::Discard) << true << true;
        QTest::newRow("cancel") << int(QMessageBox::Cancel) << true << false;
    }
    void unsaved_changes_question_on_close() {
        QFETCH(int, answer);
        QFETCH(bool, save_succeeds);
        QFETCH(bool, closed);
        edit().set_text(QStringLiteral("bozza"));
        // A folder makes the save fail.
        m.dialogs->save_answers.push_back(save_succeeds ? path("closing.htm") : dir.path());
        std::deque<ModalScript::Step> steps{press(QMessageBox::StandardButton(answer))};
        if (!save_succeeds)
            steps.push_back(press(QMessageBox::Ok));
        ModalScript script(std::move(steps));
        QCOMPARE(m.window->close(), closed);
        QCOMPARE(m.window->isVisible(), !closed);
        if (answer == QMessageBox::Save && save_succeeds)
            QCOMPARE(read_bytes(path("closing.htm")), QByteArray("bozza"));
    }

    void unchanged_document_closes_without_a_question() {
        ModalScript script({press(QMessageBox::Cancel)});
        QVERIFY(m.window->close());
        QCOMPARE(script.remaining(), std::size_t(1));
    }

    void saving_offers_the_opened_path_and_keeps_undo_to_savepoint() {
        QVERIFY(write_bytes(path("page.htm"), "<p>x</p>"));
        m.dialogs->open_answers.push_back(path("page.htm"));
        QVERIFY(m.window->open_document());
        QCOMPARE(m.dialogs->remembered, path("page.htm"));
        edit().set_caret(0);
        edit().replace_selection(QStringLiteral("y"));
        QCOMPARE(m.window->windowTitle(), QStringLiteral("page.htm * - Marklet"));
        m.window->editor()->undo();
        QVERIFY(!m.window->is_modified());
        QCOMPARE(m.window->windowTitle(), QStringLiteral("page.htm - Marklet"));
    }

    void recovery_copy_lives_while_changes_are_unsaved() {
        open_file("rec.htm", "<p>a</p>");
        edit().set_caret(0);
        edit().replace_selection(QStringLiteral("x"));
        QVERIFY(m.window->recovery()->is_waiting());
        QCOMPARE(m.window->recovery()->write_now(), QString());
        const QString copy = m.window->recovery()->file_path();
        QVERIFY(read_bytes(copy).endsWith("x<p>a</p>"));
        m.dialogs->save_answers.push_back(path("rec.htm"));
        QVERIFY(m.window->save_document());
        QVERIFY(!QFile::exists(copy));
    }

    void status_bar_shows_position_encoding_and_line_breaks() {
        open_file("st.htm", "ab\ncaf\xe9");
        auto* form = m.window->findChild<QLabel*>(QStringLiteral("status_form"));
        auto* position = m.window->findChild<QLabel*>(QStringLiteral("status_position"));
        QCOMPARE(form->text(), QStringLiteral("Windows-1252 · LF"));
        edit().set_caret(7);
        QTRY_COMPARE(position->text(), QStringLiteral("Riga 2, colonna 5"));
    }

    void control_f_opens_the_find_bar() {
        edit().set_text(QStringLiteral("uno due uno"));
        m.window->editor()->setFocus();
        QTest::keyClick(m.window->editor(), Qt::Key_F, Qt::ControlModifier);
        QTRY_VERIFY(m.window->find_bar()->isVisible());
        m.window->find_bar()->set_search_text(QStringLiteral("due"));
        QVERIFY(m.window->find_bar()->find_next());
        QCOMPARE(edit().selected_text(), QStringLiteral("due"));
    }

    void every_toolbar_button_shares_its_menu_action() {
        for (int i = 1; i <= 27; ++i) {
            const QString name = QStringLiteral("Command%1").arg(i);
            auto* button = m.window->findChild<QToolButton*>(name);
            QVERIFY2(button && button->defaultAction(), qPrintable(name));
            QVERIFY2(!button->accessibleName().isEmpty(), qPrintable(name));
            QVERIFY2(!button->toolTip().isEmpty(), qPrintable(name));
            QVERIFY2(!button->icon().isNull(), qPrintable(name));
        }
        QCOMPARE(m.window->findChild<QToolButton*>("Command5")->toolTip(),
                 QStringLiteral("Apri un file HTML"));
        QCOMPARE(m.window->findChild<QToolButton*>("Command1")->toolTip(),
                 QStringLiteral("Salva il file corrente"));
        QCOMPARE(m.window->findChild<QToolButton*>("Command3")->toolTip(),
                 QStringLiteral("Anteprima nel browser predefinito"));
        auto* bold = m.window->findChild<QToolButton*>("Command7");
        QCOMPARE(bold->defaultAction(), m.window->action("grassetto"));
        QCOMPARE(bold->geometry(), QRect(88, 8, 25, 25));
        edit().set_text(QStringLiteral("abc"));
        edit().select(0, 3);
        bold->click();
        QCOMPARE(edit().text(), QStringLiteral("<b>abc</b>"));
        QCOMPARE(QApplication::focusWidget(), m.window->editor());
    }

    void very_large_document_is_shown_plain_and_small_ones_highlighted() {
        QVERIFY(m.window->editor()->lexer());
        write_bytes(path("big.htm"), QByteArray(9 * 1024 * 1024, 'x'));
        QVERIFY(m.window->open_path(path("big.htm")));
        QVERIFY(!m.window->editor()->lexer());
        write_bytes(path("small.htm"), "<p>x</p>");
        QVERIFY(m.window->open_path(path("small.htm")));
        QVERIFY(m.window->editor()->lexer());
    }
};

QTEST_MAIN(TestDocuments)
#include "tst_documents.moc"
