// Document files through the real main window: bytes in, same bytes out;
// failures told, nothing lost; unsaved changes never dropped without a question.

#include "app/file_io.h"
#include "app/find_bar.h"
#include "app/form1.h"
#include "app/recovery.h"
#include "platform/qt/scintilla_edit_area.h"
#include "support/fakes.h"
#include "support/modal_script.h"

#include <QAction>
#include <QFile>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QToolButton>
#include <Qsci/qsciscintilla.h>
#include <QtTest>

namespace {

QByteArray read_bytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

void write_bytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

ModalScript::Step press(QMessageBox::StandardButton which, QString* text = nullptr) {
    return [which, text](QWidget* dialog) {
        auto* box = qobject_cast<QMessageBox*>(dialog);
        QVERIFY(box);
        if (text)
            *text = box->text();
        box->button(which)->click();
    };
}

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

    std::unique_ptr<Form1> window;
    FakeDialogs* dialogs = nullptr;
    QTemporaryDir dir;

    ScintillaEditArea& edit() { return window->edit_area(); }
    QString path(const QString& name) { return dir.filePath(name); }

  private slots:
    void init() {
        Form1Services services;
        auto d = std::make_unique<FakeDialogs>();
        dialogs = d.get();
        services.dialogs = std::move(d);
        services.launcher = std::make_unique<FakeLauncher>();
        services.browser_factory = fake_browser_factory(nullptr);
        window = std::make_unique<Form1>(std::move(services));
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    }
    void cleanup() {
        window->editor()->setModified(false);
        window.reset();
    }

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
        write_bytes(path("in.htm"), bytes);
        dialogs->open_answers.push_back(path("in.htm"));
        QVERIFY(window->open_document());
        QCOMPARE(edit().text(), text);
        QCOMPARE(read_bytes(preview_file_path()),
                 window->document_encoding() == Encoding::Windows1252 ? bytes : text.toUtf8());
        QVERIFY(!window->is_modified());
        QCOMPARE(window->windowTitle(), QStringLiteral("in.htm - Marklet"));
        dialogs->save_answers.push_back(path("out.htm"));
        QVERIFY(window->save_document());
        QCOMPARE(read_bytes(path("out.htm")), bytes);
        QCOMPARE(dialogs->remembered, path("out.htm"));
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
        write_bytes(path("eol.htm"), bytes);
        QVERIFY(window->open_path(path("eol.htm")));
        edit().set_caret(edit().text().size());
        QTest::keyClick(window->editor(), Qt::Key_Return);
        QCOMPARE(edit().text(), expected);
    }

    void new_document_uses_crlf_and_utf8() {
        edit().set_text(QStringLiteral("è"));
        edit().set_caret(1);
        QTest::keyClick(window->editor(), Qt::Key_Return);
        dialogs->save_answers.push_back(path("new.htm"));
        QVERIFY(window->save_document());
        QCOMPARE(read_bytes(path("new.htm")), QByteArray("\xc3\xa8\r\n"));
    }

    void character_outside_windows_1252_is_never_dropped_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QByteArray>("saved");
        QTest::newRow("references")
            << "references_button" << QByteArray("caf\xe9 &#8800; &#128512;");
        QTest::newRow("utf-8") << "utf8_button"
                               << QByteArray("caf\xc3\xa9 \xe2\x89\xa0 \xf0\x9f\x98\x80");
    }
    void character_outside_windows_1252_is_never_dropped() {
        QFETCH(QString, button);
        QFETCH(QByteArray, saved);
        write_bytes(path("old.htm"), QByteArray("caf\xe9"));
        QVERIFY(window->open_path(path("old.htm")));
        edit().set_caret(4);
        edit().replace_selection(QStringLiteral(" ≠ 😀"));
        dialogs->save_answers.push_back(path("old.htm"));
        ModalScript script({press_named(button)});
        QVERIFY(window->save_document());
        QCOMPARE(read_bytes(path("old.htm")), saved);
    }

    void cancelled_encoding_question_leaves_the_file_alone() {
        write_bytes(path("keep.htm"), QByteArray("caf\xe9"));
        QVERIFY(window->open_path(path("keep.htm")));
        edit().set_caret(4);
        edit().replace_selection(QStringLiteral("≠"));
        dialogs->save_answers.push_back(path("keep.htm"));
        ModalScript script({press(QMessageBox::Cancel)});
        QVERIFY(!window->save_document());
        QCOMPARE(read_bytes(path("keep.htm")), QByteArray("caf\xe9"));
        QVERIFY(window->is_modified());
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
        write_bytes(path("binary.bin"), QByteArray("\x7f"
                                                   "ELF\0\0\0",
                                                   7));
        edit().set_text(QStringLiteral("mio testo"));
        dialogs->open_answers.push_back(path(target));
        QString message;
        ModalScript script({press(QMessageBox::Discard), press(QMessageBox::Ok, &message)});
        QVERIFY(!window->open_document());
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
        write_bytes(path("plain.txt"), "x");
        edit().set_text(QStringLiteral("lavoro"));
        dialogs->save_answers.push_back(path(target));
        QString message;
        ModalScript script({press(QMessageBox::Ok, &message)});
        QVERIFY(!window->save_document());
        QVERIFY2(message.contains(path(target)), qPrintable(message));
        QCOMPARE(edit().text(), QStringLiteral("lavoro"));
        QVERIFY(window->is_modified());
        QCOMPARE(read_bytes(path("plain.txt")), QByteArray("x"));
    }

    void unsaved_changes_question_on_open_data() {
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("opened");
        QTest::addColumn<bool>("saved");
        QTest::newRow("save") << int(QMessageBox::Save) << true << true;
        QTest::newRow("discard") << int(QMessageBox::Discard) << true << false;
        QTest::newRow("cancel") << int(QMessageBox::Cancel) << false << false;
    }
    void unsaved_changes_question_on_open() {
        QFETCH(int, answer);
        QFETCH(bool, opened);
        QFETCH(bool, saved);
        write_bytes(path("other.htm"), "altro");
        QFile::remove(path("saved.htm"));
        edit().set_text(QStringLiteral("non salvato"));
        QCOMPARE(window->windowTitle(), QStringLiteral("Senza nome * - Marklet"));
        dialogs->save_answers.push_back(path("saved.htm"));
        dialogs->open_answers.push_back(path("other.htm"));
        QString question;
        ModalScript script({press(QMessageBox::StandardButton(answer), &question)});
        QCOMPARE(window->open_document(), opened);
        QCOMPARE(question, QStringLiteral("Salvare le modifiche?"));
        QCOMPARE(edit().text(), opened ? QStringLiteral("altro") : QStringLiteral("non salvato"));
        QCOMPARE(read_bytes(path("saved.htm")),
                 saved ? QByteArray("non salvato") : QByteArray("<missing>"));
        QCOMPARE(dialogs->opens, opened ? 1 : 0);
    }

    void failed_save_cancels_the_open() {
        write_bytes(path("other.htm"), "altro");
        edit().set_text(QStringLiteral("prezioso"));
        dialogs->save_answers.push_back(std::nullopt); // the save dialog is cancelled
        dialogs->open_answers.push_back(path("other.htm"));
        ModalScript script({press(QMessageBox::Save)});
        QVERIFY(!window->open_document());
        QCOMPARE(edit().text(), QStringLiteral("prezioso"));
        QCOMPARE(dialogs->opens, 0);
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
        if (save_succeeds)
            dialogs->save_answers.push_back(path("closing.htm"));
        else
            dialogs->save_answers.push_back(dir.path()); // a folder: the save fails
        std::deque<ModalScript::Step> steps{press(QMessageBox::StandardButton(answer))};
        if (!save_succeeds)
            steps.push_back(press(QMessageBox::Ok));
        ModalScript script(std::move(steps));
        QCOMPARE(window->close(), closed);
        QCOMPARE(window->isVisible(), !closed);
        if (answer == QMessageBox::Save && save_succeeds)
            QCOMPARE(read_bytes(path("closing.htm")), QByteArray("bozza"));
    }

    void unchanged_document_closes_without_a_question() {
        ModalScript script({press(QMessageBox::Cancel)});
        QVERIFY(window->close());
        QCOMPARE(script.remaining(), std::size_t(1));
    }

    void saving_offers_the_opened_path_and_keeps_undo_to_savepoint() {
        write_bytes(path("page.htm"), "<p>x</p>");
        dialogs->open_answers.push_back(path("page.htm"));
        QVERIFY(window->open_document());
        QCOMPARE(dialogs->remembered, path("page.htm"));
        edit().set_caret(0);
        edit().replace_selection(QStringLiteral("y"));
        QCOMPARE(window->windowTitle(), QStringLiteral("page.htm * - Marklet"));
        window->editor()->undo();
        QVERIFY(!window->is_modified());
        QCOMPARE(window->windowTitle(), QStringLiteral("page.htm - Marklet"));
    }

    void recovery_copy_lives_while_changes_are_unsaved() {
        write_bytes(path("rec.htm"), "<p>a</p>");
        QVERIFY(window->open_path(path("rec.htm")));
        edit().set_caret(0);
        edit().replace_selection(QStringLiteral("x"));
        QVERIFY(window->recovery()->is_waiting());
        QCOMPARE(window->recovery()->write_now(), QString());
        const QString copy = window->recovery()->file_path();
        QVERIFY(read_bytes(copy).endsWith("x<p>a</p>"));
        dialogs->save_answers.push_back(path("rec.htm"));
        QVERIFY(window->save_document());
        QVERIFY(!QFile::exists(copy));
    }

    void status_bar_shows_position_encoding_and_line_breaks() {
        write_bytes(path("st.htm"), QByteArray("ab\ncaf\xe9"));
        QVERIFY(window->open_path(path("st.htm")));
        auto* form = window->findChild<QLabel*>(QStringLiteral("status_form"));
        auto* position = window->findChild<QLabel*>(QStringLiteral("status_position"));
        QCOMPARE(form->text(), QStringLiteral("Windows-1252 · LF"));
        edit().set_caret(7);
        QTRY_COMPARE(position->text(), QStringLiteral("Riga 2, colonna 5"));
    }

    void control_f_opens_the_find_bar() {
        edit().set_text(QStringLiteral("uno due uno"));
        window->activateWindow();
        window->editor()->setFocus();
        QTest::keyClick(window->editor(), Qt::Key_F, Qt::ControlModifier);
        QTRY_VERIFY(window->find_bar()->isVisible());
        window->find_bar()->set_search_text(QStringLiteral("due"));
        QVERIFY(window->find_bar()->find_next());
        QCOMPARE(edit().selected_text(), QStringLiteral("due"));
    }

    void toolbar_button_and_menu_item_give_identical_documents() {
        edit().set_text(QStringLiteral("abc"));
        edit().select(0, 3);
        window->findChild<QToolButton*>(QStringLiteral("Command7"))->click();
        const QString by_button = edit().text();
        const qsizetype caret_button = edit().caret();
        QCOMPARE(QApplication::focusWidget(), window->editor());
        edit().set_text(QStringLiteral("abc"));
        edit().select(0, 3);
        window->action(QStringLiteral("grassetto"))->trigger();
        QCOMPARE(edit().text(), by_button);
        QCOMPARE(edit().caret(), caret_button);
        QCOMPARE(by_button, QStringLiteral("<b>abc</b>"));
    }

    void every_toolbar_button_shares_its_menu_action() {
        const QStringList shared = {"Command6",  "Command7",  "Command8",  "Command9",  "Command10",
                                    "Command11", "Command12", "Command13", "Command14", "Command15",
                                    "Command16", "Command17", "Command18", "Command19", "Command27",
                                    "Command20", "Command21", "Command23", "Command24", "Command25",
                                    "Command22", "Command26"};
        for (const QString& name : shared) {
            auto* button = window->findChild<QToolButton*>(name);
            QVERIFY2(button, qPrintable(name));
            QVERIFY2(button->defaultAction(), qPrintable(name));
            QVERIFY2(!button->accessibleName().isEmpty(), qPrintable(name));
            QVERIFY2(!button->toolTip().isEmpty(), qPrintable(name));
            QVERIFY2(!button->icon().isNull(), qPrintable(name));
        }
        QCOMPARE(window->findChild<QToolButton*>("Command5")->toolTip(),
                 QStringLiteral("Apri un file HTML"));
        QCOMPARE(window->findChild<QToolButton*>("Command1")->toolTip(),
                 QStringLiteral("Salva il file corrente"));
        QCOMPARE(window->findChild<QToolButton*>("Command3")->toolTip(),
                 QStringLiteral("Anteprima nel browser predefinito"));
        QCOMPARE(window->findChild<QToolButton*>("Command7")->defaultAction(),
                 window->action("grassetto"));
        QCOMPARE(window->findChild<QToolButton*>("Command7")->geometry(), QRect(88, 8, 25, 25));
    }
};

QTEST_MAIN(TestDocuments)
#include "tst_documents.moc"
