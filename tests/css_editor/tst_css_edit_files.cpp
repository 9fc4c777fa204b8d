// Stylesheet files of the CSS editor: the unsaved-changes flag, the question
// before opening or closing, byte-exact reading and writing, and the reports
// of what could not be done.

#include "css_edit_fixture.h"
#include "support/modal_script.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QTemporaryDir>
#include <QToolButton>
#include <Qsci/qsciscintilla.h>

namespace {

const QString kQuestion = QStringLiteral("Il file corrente non è stato salvato. Salvare?");
const QString kQuestionTitle = QStringLiteral("File non salvato");

} // namespace

class TestCssEditFiles : public QObject {
    Q_OBJECT

    CssEditFixture f;
    std::unique_ptr<QTemporaryDir> dir;

    QString path(const QString& name) { return dir->filePath(name); }
    QString stylesheet(const QString& name, const QByteArray& bytes) {
        write_bytes(path(name), bytes);
        return path(name);
    }
    void click(const char* name) { QTest::mouseClick(f.child<QToolButton>(name), Qt::LeftButton); }
    // Typing into the edit area, reported when control returns to the event loop.
    void type(const QString& text) {
        f.window->editor()->setFocus();
        QTest::keyClicks(f.window->editor(), text);
        QTRY_VERIFY(f.state.css_changed);
    }
    int questions() const { return int(f.messages.titles().count(kQuestionTitle)); }

  private slots:
    void init() {
        dir = std::make_unique<QTemporaryDir>();
        QVERIFY(dir->isValid());
        f = {};
        f.open_window();
    }
    void cleanup() {
        f.window.reset();
        dir.reset();
    }

    void typing_sets_the_flag_and_saving_clears_it() {
        type(QStringLiteral("p{}"));
        QCOMPARE(f.edit().text(), QStringLiteral("p{}"));
        f.dialogs->save_answers.push_back(path("a.css"));
        click("Command4");
        QCOMPARE(f.state.css_changed, false);
        QCOMPARE(file_bytes(path("a.css")), QByteArray("p{}"));
        f.window->insert_rule();
        QCOMPARE(f.state.css_changed, true);
    }

    void flag_outlives_the_window() {
        f.edit().set_text(QStringLiteral("x"));
        f.window.reset();
        QCOMPARE(f.state.css_changed, true);
        f.open_window();
        QCOMPARE(f.state.css_changed, true);
        QCOMPARE(f.edit().text(), QString());
    }

    void open_without_changes_asks_nothing() {
        f.dialogs->open_answers.push_back(stylesheet("a.css", "B { }\r\n"));
        click("Command3");
        QCOMPARE(f.messages.shown.size(), 0);
        QCOMPARE(f.edit().text(), QStringLiteral("B { }\r\n"));
        QCOMPARE(f.state.css_changed, true);
    }

    void open_after_changes_asks_data() {
        QTest::addColumn<int>("answer");
        QTest::addColumn<int>("saves");
        QTest::newRow("No saves nothing") << int(QMessageBox::No) << 0;
        QTest::newRow("Yes saves first") << int(QMessageBox::Yes) << 1;
    }
    void open_after_changes_asks() {
        QFETCH(int, answer);
        QFETCH(int, saves);
        type(QStringLiteral("typed"));
        f.messages.answers.push_back(QMessageBox::StandardButton(answer));
        f.dialogs->save_answers.push_back(path("saved.css"));
        f.dialogs->open_answers.push_back(stylesheet("b.css", "I { }"));
        click("Command3");
        QCOMPARE(f.messages.shown.size(), 1);
        QCOMPARE(f.messages.shown[0].title, kQuestionTitle);
        QCOMPARE(f.messages.shown[0].text, kQuestion);
        QCOMPARE(f.messages.shown[0].icon, QMessageBox::NoIcon);
        QCOMPARE(f.messages.shown[0].buttons, QMessageBox::Yes | QMessageBox::No);
        QCOMPARE(f.dialogs->saves, saves);
        QCOMPARE(QFile::exists(path("saved.css")), saves == 1);
        if (saves)
            QCOMPARE(file_bytes(path("saved.css")), QByteArray("typed"));
        QCOMPARE(f.edit().text(), QStringLiteral("I { }"));
        QCOMPARE(f.state.css_changed, true);
    }

    void saving_before_opening_means_no_question() {
        type(QStringLiteral("x"));
        f.dialogs->save_answers.push_back(path("x.css"));
        f.window->save_stylesheet();
        f.dialogs->open_answers.push_back(stylesheet("a.css", "A"));
        f.window->open_stylesheet();
        QCOMPARE(questions(), 0);
        QCOMPARE(f.edit().text(), QStringLiteral("A"));
    }

    void opening_a_second_file_asks_because_the_first_changed_the_text() {
        f.dialogs->open_answers = {stylesheet("a.css", "A"), stylesheet("b.css", "B")};
        f.messages.answers.push_back(QMessageBox::No);
        f.window->open_stylesheet();
        f.window->open_stylesheet();
        QCOMPARE(questions(), 1);
        QCOMPARE(f.edit().text(), QStringLiteral("B"));
    }

    void unsaved_text_survives_a_save_that_does_not_happen_data() {
        QTest::addColumn<bool>("cancel");
        QTest::newRow("save dialog cancelled") << true;
        QTest::newRow("save failed") << false;
    }
    void unsaved_text_survives_a_save_that_does_not_happen() {
        QFETCH(bool, cancel);
        f.edit().set_text(QStringLiteral("precious"));
        f.messages.answers.push_back(QMessageBox::Yes);
        f.dialogs->save_answers.push_back(
            cancel ? std::nullopt : std::optional<QString>(path("missing/dir/a.css")));
        f.dialogs->open_answers.push_back(stylesheet("other.css", "other"));
        f.window->open_stylesheet();
        QCOMPARE(f.dialogs->opens, 0);
        QCOMPARE(f.edit().text(), QStringLiteral("precious"));
        QCOMPARE(f.state.css_changed, true);
        QCOMPARE(f.messages.shown.size(), cancel ? 1 : 2);
        if (!cancel) {
            QCOMPARE(f.messages.shown[1].icon, QMessageBox::Warning);
            QCOMPARE(f.messages.shown[1].title, QStringLiteral("Salvataggio non riuscito"));
            QVERIFY(f.messages.shown[1].text.contains(path("missing/dir/a.css")));
        }
    }

    void cancelled_open_keeps_text_and_flag_data() {
        QTest::addColumn<bool>("changed");
        QTest::addColumn<int>("answer");
        QTest::newRow("unchanged") << false << int(QMessageBox::NoButton);
        QTest::newRow("changed, not saved") << true << int(QMessageBox::No);
        QTest::newRow("changed, saved") << true << int(QMessageBox::Yes);
    }
    void cancelled_open_keeps_text_and_flag() {
        QFETCH(bool, changed);
        QFETCH(int, answer);
        f.edit().set_text(QStringLiteral("kept"));
        f.state.css_changed = changed;
        f.messages.answers.push_back(QMessageBox::StandardButton(answer));
        f.dialogs->save_answers.push_back(path("s.css"));
        f.dialogs->open_answers.push_back(std::nullopt);
        f.window->open_stylesheet();
        QCOMPARE(f.dialogs->opens, 1);
        QCOMPARE(f.edit().text(), QStringLiteral("kept"));
        const bool saved = answer == QMessageBox::Yes;
        QCOMPARE(f.state.css_changed, changed && !saved);
    }

    void unreadable_file_is_reported_and_the_text_stays_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("bytes"); // null: no file
        QTest::newRow("missing") << "missing.css" << QByteArray();
        QTest::newRow("binary") << "image.css" << QByteArray("GIF89a\0\0\1", 9);
        QTest::newRow("folder") << "." << QByteArray();
    }
    void unreadable_file_is_reported_and_the_text_stays() {
        QFETCH(QString, name);
        QFETCH(QByteArray, bytes);
        if (!bytes.isNull())
            stylesheet(name, bytes);
        f.edit().set_text(QStringLiteral("kept"));
        f.state.css_changed = false;
        f.dialogs->open_answers.push_back(path(name));
        f.window->open_stylesheet();
        QCOMPARE(f.edit().text(), QStringLiteral("kept"));
        QCOMPARE(f.state.css_changed, false);
        QCOMPARE(f.messages.shown.size(), 1);
        QCOMPARE(f.messages.shown[0].icon, QMessageBox::Warning);
        QCOMPARE(f.messages.shown[0].title, QStringLiteral("Apertura non riuscita"));
        QVERIFY(f.messages.shown[0].text.contains(path(name)));
    }

    void cancelled_save_writes_nothing_and_keeps_the_flag() {
        f.edit().set_text(QStringLiteral("x"));
        f.dialogs->save_answers.push_back(std::nullopt);
        QVERIFY(!f.window->save_stylesheet());
        QCOMPARE(f.state.css_changed, true);
        QCOMPARE(f.messages.shown.size(), 0);
    }

    void failed_save_is_reported_and_keeps_the_flag() {
        f.edit().set_text(QStringLiteral("x"));
        f.dialogs->save_answers.push_back(dir->path()); // a folder
        QVERIFY(!f.window->save_stylesheet());
        QCOMPARE(f.state.css_changed, true);
        QCOMPARE(f.messages.titles(), QStringList{QStringLiteral("Salvataggio non riuscito")});
        QVERIFY(f.messages.shown[0].text.contains(dir->path()));
    }

    void files_come_back_byte_for_byte_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("encoding");
        QTest::addColumn<int>("eol");
        QTest::newRow("UTF-8, CR LF") << QByteArray("P {\r\n\tcolor: red;\r\n}\r\n/* è */")
                                      << int(Encoding::Utf8) << int(QsciScintilla::EolWindows);
        QTest::newRow("UTF-8 with mark, LF")
            << QByteArray("\xEF\xBB\xBFP {\n}\n") << int(Encoding::Utf8Bom)
            << int(QsciScintilla::EolUnix);
        QTest::newRow("Windows-1252")
            << QByteArray("P:after { content: \"\xE8\x80\"; }\r\n") << int(Encoding::Windows1252)
            << int(QsciScintilla::EolWindows);
        QTest::newRow("empty") << QByteArray("") << int(Encoding::Utf8)
                               << int(QsciScintilla::EolWindows);
    }
    void files_come_back_byte_for_byte() {
        QFETCH(QByteArray, bytes);
        QFETCH(int, encoding);
        QFETCH(int, eol);
        f.dialogs->open_answers.push_back(stylesheet("in.css", bytes));
        f.window->open_stylesheet();
        QCOMPARE(int(f.window->encoding()), encoding);
        QCOMPARE(int(f.window->editor()->eolMode()), eol);
        f.dialogs->save_answers.push_back(path("out.css"));
        QVERIFY(f.window->save_stylesheet());
        QCOMPARE(file_bytes(path("out.css")), bytes);
        f.window->refresh_preview();
        QCOMPARE(temp_stylesheet_bytes(), bytes);
        QCOMPARE(f.messages.shown.size(), 0);
    }

    void characters_windows_1252_cannot_hold_data() {
        QTest::addColumn<int>("answer");
        QTest::newRow("saved as UTF-8") << int(QMessageBox::Yes);
        QTest::newRow("cancelled") << int(QMessageBox::Cancel);
    }
    void characters_windows_1252_cannot_hold() {
        QFETCH(int, answer);
        f.dialogs->open_answers.push_back(stylesheet("old.css", "/* \xE8 */"));
        f.window->open_stylesheet();
        f.edit().set_caret(f.edit().text().size());
        f.edit().replace_selection(QStringLiteral(" /* ≠ */"));
        f.window->refresh_preview();
        QCOMPARE(temp_stylesheet_bytes(), QByteArray("\xEF\xBB\xBF/* è */ /* ≠ */"));

        f.messages.answers.push_back(QMessageBox::StandardButton(answer));
        f.dialogs->save_answers.push_back(path("old.css"));
        const bool saved = f.window->save_stylesheet();
        QCOMPARE(saved, answer == QMessageBox::Yes);
        QCOMPARE(f.messages.shown.size(), 1);
        QCOMPARE(f.messages.shown[0].buttons, QMessageBox::Yes | QMessageBox::Cancel);
        QVERIFY(f.messages.shown[0].text.contains(QStringLiteral("≠")));
        QCOMPARE(file_bytes(path("old.css")),
                 saved ? QByteArray("\xEF\xBB\xBF/* è */ /* ≠ */") : QByteArray("/* \xE8 */"));
        QCOMPARE(f.state.css_changed, !saved);
        QCOMPARE(f.window->encoding(), saved ? Encoding::Utf8Bom : Encoding::Windows1252);
    }

    void closing_with_unsaved_changes_asks_data() {
        QTest::addColumn<bool>("changed");
        QTest::addColumn<int>("answer");
        QTest::addColumn<QString>("save_to"); // empty: cancel the save dialog
        QTest::addColumn<bool>("closes");
        QTest::addColumn<bool>("changed_after");
        QTest::newRow("nothing changed") << false << 0 << "" << true << false;
        QTest::newRow("No discards") << true << int(QMessageBox::No) << "" << true << false;
        QTest::newRow("Yes saves") << true << int(QMessageBox::Yes) << "a.css" << true << false;
        QTest::newRow("Yes, save cancelled")
            << true << int(QMessageBox::Yes) << "" << false << true;
        QTest::newRow("Yes, save failed")
            << true << int(QMessageBox::Yes) << "no/such/dir.css" << false << true;
    }
    void closing_with_unsaved_changes_asks() {
        QFETCH(bool, changed);
        QFETCH(int, answer);
        QFETCH(QString, save_to);
        QFETCH(bool, closes);
        QFETCH(bool, changed_after);
        if (changed)
            type(QStringLiteral("body"));
        f.messages.answers.push_back(QMessageBox::StandardButton(answer));
        f.dialogs->save_answers.push_back(
            save_to.isEmpty() ? std::nullopt : std::optional<QString>(path(save_to)));
        QCOMPARE(f.window->close(), closes);
        QCOMPARE(f.window->isVisible(), !closes);
        QCOMPARE(questions(), changed ? 1 : 0);
        QCOMPARE(f.state.css_changed, changed_after);
        QCOMPARE(f.edit().text(), changed ? QStringLiteral("body") : QString());
        if (answer == QMessageBox::Yes && closes)
            QCOMPARE(file_bytes(path(save_to)), QByteArray("body"));
    }

    void the_question_is_a_real_yes_no_box_without_icon() {
        f.window.reset();
        f.open_window(false);
        f.edit().set_text(QStringLiteral("x"));
        QString text;
        QMessageBox::Icon icon = QMessageBox::Information;
        int buttons = 0;
        ModalScript script({[&](QWidget* dialog) {
            auto* box = qobject_cast<QMessageBox*>(dialog);
            QVERIFY(box);
            text = box->text();
            icon = box->icon();
            for (QAbstractButton* b : box->buttons())
                buttons |= int(box->standardButton(b));
            box->button(QMessageBox::No)->click();
        }});
        f.dialogs->open_answers.push_back(std::nullopt);
        f.window->open_stylesheet();
        QCOMPARE(script.remaining(), std::size_t(0));
        QCOMPARE(script.titles, QStringList{kQuestionTitle});
        QCOMPARE(text, kQuestion);
        QCOMPARE(icon, QMessageBox::NoIcon);
        QCOMPARE(buttons, int(QMessageBox::Yes | QMessageBox::No));
        QCOMPARE(f.dialogs->opens, 1);
    }
};

QTEST_MAIN(TestCssEditFiles)
#include "tst_css_edit_files.moc"
