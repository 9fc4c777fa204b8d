// Stylesheet files of the CSS editor: the unsaved-changes flag, the question
// before opening or closing, byte-exact reading and writing, and the reports
// of what could not be done.

#include "css_edit_fixture.h"

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
        f.dialogs->open_answers.push_back(stylesheet("b.css", "B"));
        click("Command3");
        QCOMPARE(f.messages.shown.size(), 0); // saved: nothing to ask
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

    void opening_data() {
        QTest::addColumn<bool>("changed");
        QTest::addColumn<int>("answer");
        QTest::addColumn<QString>("save_to"); // empty: the save dialog is cancelled
        QTest::addColumn<QString>("open");    // empty: the open dialog is cancelled
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("changed_after");
        QTest::addColumn<QStringList>("told");
        const auto row = [](const char* name, bool changed, int answer, const char* save_to,
                            const char* open, const char* text, bool changed_after,
                            const QStringList& told) {
            QTest::newRow(name) << changed << answer << QString(save_to) << QString(open)
                                << QString(text) << changed_after << told;
        };
        const QString q = kQuestionTitle, save = "Salvataggio non riuscito",
                      open = "Apertura non riuscita";
        const int none = QMessageBox::NoButton, no = QMessageBox::No, yes = QMessageBox::Yes;
        row("unchanged: no question", false, none, "s.css", "b.css", "I { }", true, {});
        row("No", true, no, "s.css", "b.css", "I { }", true, {q});
        row("Yes saves first", true, yes, "s.css", "b.css", "I { }", true, {q});
        row("Yes, save cancelled: not opened", true, yes, "", "b.css", "typed", true, {q});
        row("Yes, save failed: told, not opened", true, yes, "no/dir/s.css", "b.css", "typed", true,
            {q, save});
        row("unchanged, open cancelled", false, none, "s.css", "", "typed", false, {});
        row("No, open cancelled", true, no, "s.css", "", "typed", true, {q});
        row("Yes, saved, open cancelled", true, yes, "s.css", "", "typed", false, {q});
        row("missing file: told", false, none, "s.css", "missing.css", "typed", false, {open});
        row("binary file: told", false, none, "s.css", "image.css", "typed", false, {open});
    }
    void opening() {
        QFETCH(bool, changed);
        QFETCH(int, answer);
        QFETCH(QString, save_to);
        QFETCH(QString, open);
        QFETCH(QString, text);
        QFETCH(bool, changed_after);
        QFETCH(QStringList, told);
        stylesheet("b.css", "I { }");
        stylesheet("image.css", QByteArray("GIF89a\0\0\1", 9));
        f.edit().set_text(QStringLiteral("typed"));
        f.state.css_changed = changed;
        f.messages.answers.push_back(QMessageBox::StandardButton(answer));
        f.dialogs->save_answers.push_back(save_to.isEmpty() ? std::nullopt
                                                            : std::optional(path(save_to)));
        f.dialogs->open_answers.push_back(open.isEmpty() ? std::nullopt
                                                         : std::optional(path(open)));
        click("Command3");
        QCOMPARE(f.edit().text(), text);
        QCOMPARE(f.state.css_changed, changed_after);
        QCOMPARE(f.messages.titles(), told);
        for (const ScriptedMessages::Shown& shown : f.messages.shown) {
            if (shown.title == kQuestionTitle) {
                QCOMPARE(shown.text, kQuestion);
                QCOMPARE(shown.icon, QMessageBox::NoIcon);
                QCOMPARE(shown.buttons, QMessageBox::Yes | QMessageBox::No);
            } else {
                QCOMPARE(shown.icon, QMessageBox::Warning);
                const bool opening = shown.title == QStringLiteral("Apertura non riuscita");
                QVERIFY(shown.text.contains(path(opening ? open : save_to)));
            }
        }
        const bool saved = answer == QMessageBox::Yes && save_to == "s.css";
        QCOMPARE(file_bytes(path("s.css")), saved ? QByteArray("typed") : QByteArray("<missing>"));
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
};

QTEST_MAIN(TestCssEditFiles)
#include "tst_css_edit_files.moc"
