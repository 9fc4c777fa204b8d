// The CSS editor window: its controls and the catalogue's tick boxes, the
// rule "Inserisci" inserts, the temporary stylesheet, the colour swatches,
// the keyboard; stylesheet files: the unsaved-changes flag, the question
// before opening or closing, a name asked at every save, byte-exact reading
// and writing, failures told.

#include "css_editor/catalogue.h"
#include "css_editor/colour_swatch.h"
#include "css_editor/css_edit.h"
#include "document/temp_files.h"
#include "editor/editor_document.h"
#include "editor/scintilla_edit_area.h"
#include "support/fakes.h"
#include "support/files.h"
#include "support/rows.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QToolButton>
#include <Qsci/qscilexercss.h>
#include <Qsci/qsciscintilla.h>
#include <QtTest>
#include <deque>

using namespace Qt::StringLiterals;

// Answers the window's message boxes from a queue and records them.
struct ScriptedMessages {
    struct Shown {
        QMessageBox::Icon icon;
        QString title, text;
        QMessageBox::StandardButtons buttons;
    };
    QList<Shown> shown;
    std::deque<QMessageBox::StandardButton> answers;
};

struct CssEditFixture {
    CssEditorState state;
    int reloads = 0;
    FakeDialogs* dialogs = nullptr;
    ScriptedMessages messages;
    std::unique_ptr<css_edit> window;

    // A new window on the same state, as the main window makes one each time
    // the editor is opened.
    void open_window() {
        auto fake = std::make_unique<FakeDialogs>();
        dialogs = fake.get();
        window = std::make_unique<css_edit>(
            state, [this] { ++reloads; }, std::move(fake));
        window->set_message_box([this](QMessageBox::Icon icon, const QString& title,
                                       const QString& text, QMessageBox::StandardButtons buttons) {
            messages.shown.append({icon, title, text, buttons});
            if (messages.answers.empty())
                return QMessageBox::NoButton;
            const auto answer = messages.answers.front();
            messages.answers.pop_front();
            return answer;
        });
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    }

    ScintillaEditArea& edit() { return window->edit_area(); }

    template <typename T> T* child(const QString& name) {
        T* found = window->findChild<T*>(name);
        if (!found)
            qWarning("no control named %s", qPrintable(name));
        return found;
    }
};

namespace {

const QString kQuestion = u"File non salvato"_s;
const QString kSaveFailed = u"Salvataggio non riuscito"_s;
const QString kOpenFailed = u"Apertura non riuscita"_s;

struct Insert {
    QString text;
    int start, length, clicks;
    QString expected;
};
struct Opening {
    bool changed;
    QMessageBox::StandardButton answer;
    const char* save_to; // empty: the save dialog is cancelled
    const char* open;    // empty: the open dialog is cancelled; "close": the window is closed
    const char* text;    // afterwards
    bool changed_after;
    QStringList told;
    bool reopened = false; // the window closed and opened again first: the flag outlives it
};
struct Stylesheet {
    QByteArray bytes; // the file opened
    Encoding encoding;
    QsciScintilla::EolMode eol;
    const char* added = "";                                     // at the end, before saving
    QMessageBox::StandardButton answer = QMessageBox::NoButton; // to the question about characters
    QByteArray written = {};                                    // null: the bytes opened
};

} // namespace

class TestCssEdit : public QObject {
    Q_OBJECT

    CssEditFixture f;
    std::optional<QTemporaryDir> dir;

    QString path(const char* name) { return dir->filePath(QString::fromLatin1(name)); }
    QString stylesheet(const char* name, const QByteArray& bytes) {
        write_bytes(path(name), bytes);
        return path(name);
    }
    QCheckBox* tick(const QString& control) { return f.child<QCheckBox>(control + u"_c"_s); }
    ColourSwatch* swatch(const QString& name) { return f.child<ColourSwatch>(name); }
    void click(const char* name) { QTest::mouseClick(f.child<QToolButton>(name), Qt::LeftButton); }
    void focus_window() {
        f.window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(f.window.get()));
    }
  private slots:
    void init() {
        dir.emplace();
        f = {};
        QFile::remove(temp_stylesheet_path());
        f.open_window();
    }
    void cleanup() {
        f.window.reset();
        QDir(temp_stylesheet_path()).removeRecursively();
    }

    // Each row starts unticked and off; its tick turns it on and off keeping
    // the value, and its whole caption fits. With every row on, Tab reaches
    // every control in order.
    void ticks_turn_rows_on_and_off_and_tab_reaches_every_control() {
        QCOMPARE(f.window->rule(), u" {\r\n}\r\n"_s);
        QStringList expected = {"Combo13", "Command1", "Command3", "Command4", "Command2"};
        for (const CatalogueRow& row : catalogue()) {
            const QString name = row.control.toString();
            QWidget* value = f.child<QWidget>(name);
            QVERIFY2(!tick(name)->isChecked() && !value->isEnabled(), qPrintable(name));
            QVERIFY2(tick(name)->sizeHint().width() <= tick(name)->width(), qPrintable(name));
            QTest::mouseClick(tick(name), Qt::LeftButton, {}, QPoint(8, 10));
            QVERIFY2(value->isEnabled(), qPrintable(name));
            if (auto* text = qobject_cast<QLineEdit*>(value))
                text->setText(u"3em"_s);
            else if (auto* list = qobject_cast<QComboBox*>(value))
                list->setCurrentIndex(0);
            const QString before = f.window->rule();
            QTest::mouseClick(tick(name), Qt::LeftButton, {}, QPoint(8, 10));
            QVERIFY2(!value->isEnabled(), qPrintable(name));
            QTest::mouseClick(tick(name), Qt::LeftButton, {}, QPoint(8, 10));
            QCOMPARE(f.window->rule(), before);
            expected << row.check_box.toString() << name;
        }
        expected << "RichTextBox1";
        focus_window();
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

    void inserisci_places_the_rule_writes_and_reloads_data() {
        const QString rule = u"H1 {\r\n}\r\n"_s;
        rows<Insert>({
            {"empty stylesheet", {QString(), 0, 0, 1, rule}},
            {"selection replaced", {u"a old b"_s, 2, 3, 1, "a " + rule + " b"}},
            {"two clicks, one after the other", {QString(), 0, 0, 2, rule + rule}},
        });
    }
    void inserisci_places_the_rule_writes_and_reloads() {
        QFETCH(Insert, row);
        f.edit().set_text(row.text);
        f.edit().select(row.start, row.length);
        f.window->document().set_save_point();
        QVERIFY(!f.state.css_changed);
        f.child<QComboBox>("Combo13")->setCurrentIndex(7); // "H1"
        for (int i = 0; i < row.clicks; ++i)
            QTest::mouseClick(f.child<QPushButton>("Command1"), Qt::LeftButton);
        QCOMPARE(f.edit().text(), row.expected);
        QCOMPARE(f.edit().caret(), row.start + row.clicks * 9); // after the rules inserted
        QCOMPARE(f.edit().selection_length(), 0);
        QCOMPARE(read_bytes(temp_stylesheet_path()), row.expected.toUtf8());
        QCOMPARE(f.reloads, row.clicks);
        QVERIFY(f.state.css_changed);
        for (int i = 0; i < row.clicks; ++i)
            f.window->editor()->undo(); // one step each
        QCOMPARE(f.edit().text(), row.text);
        QVERIFY(!f.state.css_changed); // back at the saved text
    }

    // A swatch asks the colour dialog by mouse, Space and Enter once ticked;
    // a cancelled dialog keeps the colour shown, which the rule writes.
    void swatch_colour_comes_from_the_colour_dialog() {
        f.dialogs->colours = {255u, 65280u};
        QTest::mouseClick(swatch("scolore"), Qt::LeftButton); // unticked: ignored
        QVERIFY(f.dialogs->colour_titles.isEmpty());
        tick("scolore")->click();
        QTest::mouseClick(swatch("scolore"), Qt::LeftButton);
        QTest::mouseClick(swatch("scolore"), Qt::LeftButton);
        QCOMPARE(swatch("scolore")->colour(), std::optional(65280u));
        QCOMPARE(f.window->rule(), u" {\r\n\tcolor: #00FF00;\r\n}\r\n"_s);
        QCOMPARE(f.dialogs->colour_titles, QStringList(2, u"Seleziona colore testo"_s));

        focus_window();
        tick("scolore_sfondo")->click();
        ColourSwatch* box = swatch("scolore_sfondo");
        box->setFocus();
        QTRY_VERIFY(box->hasFocus());
        f.dialogs->colours = {std::nullopt, 255u};
        QTest::keyClick(box, Qt::Key_Space);
        QVERIFY(!box->colour());
        QTest::keyClick(box, Qt::Key_Return);
        QCOMPARE(box->colour(), std::optional(255u));
        QCOMPARE(f.dialogs->colour_titles.last(), u"Seleziona colore sfondo"_s);
    }

    // Refreshing writes the text and reloads, the unsaved flag as it was; a
    // temporary stylesheet that cannot be written is shown, not hidden.
    void refresh_writes_the_text_or_shows_the_failure() {
        auto* status = f.child<QLabel>("status_line");
        f.edit().set_text(u"P {\r\n}\r\n"_s);
        QVERIFY(QDir().mkpath(temp_stylesheet_path() + u"/blocker"_s)); // cannot be replaced
        click("Command2");
        QVERIFY(!status->text().isEmpty() && !status->toolTip().isEmpty());
        QCOMPARE(f.reloads, 1);
        QVERIFY(QDir(temp_stylesheet_path()).removeRecursively());
        click("Command2");
        QCOMPARE(status->text(), QString());
        QCOMPARE(read_bytes(temp_stylesheet_path()), QByteArray("P {\r\n}\r\n"));
        QCOMPARE(f.reloads, 2);
        QVERIFY(f.state.css_changed);
    }

    // Opening or closing with the flag set asks first; Yes saves, and a save
    // cancelled or failed stops the open or close.
    void unsaved_changes_are_asked_about_data() {
        const QStringList q{kQuestion};
        const auto none = QMessageBox::NoButton, no = QMessageBox::No, yes = QMessageBox::Yes;
        rows<Opening>({
            {"unchanged: no question", {false, none, "s.css", "b.css", "I { }", true, {}}},
            {"No", {true, no, "s.css", "b.css", "I { }", true, q}},
            {"No, in a new window", {true, no, "s.css", "b.css", "I { }", true, q, true}},
            {"Yes saves first", {true, yes, "s.css", "b.css", "I { }", true, q}},
            {"Yes, save cancelled: not opened", {true, yes, "", "b.css", "typed", true, q}},
            {"Yes, save failed: told, not opened",
             {true, yes, "no/dir/s.css", "b.css", "typed", true, q + QStringList{kSaveFailed}}},
            {"Yes, saved, open cancelled", {true, yes, "s.css", "", "typed", false, q}},
            {"missing file: told",
             {false, none, "s.css", "missing.css", "typed", false, {kOpenFailed}}},
            {"close, nothing changed", {false, none, "", "close", "typed", false, {}}},
            {"close, No discards", {true, no, "", "close", "typed", false, q}},
            {"close, Yes saves", {true, yes, "s.css", "close", "typed", false, q}},
            {"close, Yes, save cancelled", {true, yes, "", "close", "typed", true, q}},
            {"close, Yes, save failed",
             {true, yes, "no/dir/s.css", "close", "typed", true, q + QStringList{kSaveFailed}}},
        });
    }
    void unsaved_changes_are_asked_about() {
        QFETCH(Opening, row);
        stylesheet("b.css", "I { }");
        f.edit().set_text(u"typed"_s);
        if (!row.changed)
            f.window->document().set_save_point();
        if (row.reopened) {
            f.window.reset();
            f.open_window();
            QCOMPARE(f.edit().text(), QString());
        }
        f.messages.answers.push_back(row.answer);
        f.dialogs->save_answers.push_back(*row.save_to ? std::optional(path(row.save_to))
                                                       : std::nullopt);
        const bool closing = QByteArray(row.open) == "close";
        f.dialogs->open_answers.push_back(*row.open ? std::optional(path(row.open)) : std::nullopt);
        if (closing)
            QCOMPARE(f.window->close(), !row.changed_after);
        else
            click("Command3");
        QCOMPARE(f.edit().text(), QString::fromLatin1(row.text));
        QCOMPARE(f.state.css_changed, row.changed_after);
        QStringList titles;
        for (const ScriptedMessages::Shown& shown : f.messages.shown) { // failures name the file
            titles << shown.title;
            QVERIFY(shown.title == kQuestion
                        ? shown.text == u"Il file corrente non è stato salvato. Salvare?"_s &&
                              shown.buttons == (QMessageBox::Yes | QMessageBox::No)
                        : shown.icon == QMessageBox::Warning && shown.text.contains(dir->path()));
        }
        QCOMPARE(titles, row.told);
        const bool saved = row.answer == QMessageBox::Yes && QByteArray(row.save_to) == "s.css";
        QCOMPARE(read_bytes(path("s.css")), saved ? QByteArray("typed") : "<missing>");
    }

    // A stylesheet comes back as it was read, saved under a name asked even
    // for the file it came from; characters its Windows-1252 lacks are
    // written in UTF-8 with its mark, to its file only if the user agrees (the
    // one way offered: CSS has no character references), else the window
    // stays open with its text.
    void files_come_back_byte_for_byte_data() {
        const QByteArray utf8 = "\xEF\xBB\xBF/* \xC3\xA8 */ /* \xE2\x89\xA0 */";
        rows<Stylesheet>({
            {"UTF-8, CR LF",
             {"P {\r\n\tcolor: red;\r\n}\r\n/* \xC3\xA8 */", Encoding::Utf8,
              QsciScintilla::EolWindows}},
            {"UTF-8 with mark, LF",
             {"\xEF\xBB\xBFP {\n}\n", Encoding::Utf8Bom, QsciScintilla::EolUnix}},
            {"Windows-1252",
             {"P:after { content: \"\xE8\x80\"; }\r\n", Encoding::Windows1252,
              QsciScintilla::EolWindows}},
            {"a character Windows-1252 lacks, saved as UTF-8",
             {"/* \xE8 */", Encoding::Windows1252, QsciScintilla::EolWindows, " /* ≠ */",
              QMessageBox::Yes, utf8}},
            {"a character Windows-1252 lacks, cancelled",
             {"/* \xE8 */", Encoding::Windows1252, QsciScintilla::EolWindows, " /* ≠ */",
              QMessageBox::Cancel, utf8}},
        });
    }
    void files_come_back_byte_for_byte() {
        QFETCH(Stylesheet, row);
        const QByteArray written = row.written.isNull() ? row.bytes : row.written;
        f.dialogs->open_answers.push_back(stylesheet("in.css", row.bytes));
        click("Command3");
        QCOMPARE(f.window->encoding(), row.encoding);
        QCOMPARE(f.window->editor()->eolMode(), row.eol);
        f.edit().set_caret(f.edit().text().size());
        f.edit().replace_selection(QString::fromUtf8(row.added));
        f.window->refresh_preview();
        QCOMPARE(read_bytes(temp_stylesheet_path()), written);
        f.messages.answers = {QMessageBox::Yes, row.answer}; // a file read counts as a change
        f.dialogs->save_answers.push_back(path("in.css"));
        const bool cancelled = row.answer == QMessageBox::Cancel;
        QCOMPARE(f.window->close(), !cancelled);
        QCOMPARE(f.dialogs->saves, 1);
        QCOMPARE(read_bytes(path("in.css")), cancelled ? row.bytes : written);
        QCOMPARE(f.state.css_changed, cancelled);
        QVERIFY(f.edit().text().endsWith(QString::fromUtf8(row.added)));
        QCOMPARE(f.window->encoding(),
                 row.answer == QMessageBox::Yes ? Encoding::Utf8Bom : row.encoding);
        QCOMPARE(f.messages.shown.size(), row.answer == QMessageBox::NoButton ? 1 : 2);
        for (const ScriptedMessages::Shown& shown : f.messages.shown.sliced(1))
            QVERIFY(shown.buttons == (QMessageBox::Yes | QMessageBox::Cancel) &&
                    shown.text.contains(u"≠"_s));
    }

    // Another existing file is written over only when the user says so.
    void saving_over_another_file_asks_first_data() {
        QTest::addColumn<int>("answer");
        QTest::newRow("yes: replaced") << int(QMessageBox::Yes);
        QTest::newRow("no: kept, still unsaved") << int(QMessageBox::No);
    }
    void saving_over_another_file_asks_first() {
        QFETCH(int, answer);
        const bool yes = answer == QMessageBox::Yes;
        const QString other = stylesheet("other.css", "OTHER { }");
        f.edit().set_text(u"P { }"_s);
        f.messages.answers.push_back(QMessageBox::StandardButton(answer));
        f.dialogs->save_answers.push_back(other);
        click("Command4");
        QCOMPARE(read_bytes(other), yes ? QByteArray("P { }") : QByteArray("OTHER { }"));
        QCOMPARE(f.state.css_changed, !yes);
        QCOMPARE(f.messages.shown.size(), 1);
        QVERIFY(f.messages.shown[0].text.contains(u"esiste già"_s));
    }

    // A stylesheet too long-lined to colour is shown plain; the next one is
    // coloured as CSS again, not as a page.
    void stylesheet_is_coloured_as_css_after_a_plain_one() {
        f.dialogs->open_answers = {stylesheet("long.css", QByteArray(70 * 1024, 'a')),
                                   stylesheet("b.css", "B { }")};
        click("Command3");
        QVERIFY(!f.window->editor()->lexer());
        f.messages.answers.push_back(QMessageBox::No); // a file read counts as a change
        click("Command3");
        QCOMPARE(f.edit().text(), u"B { }"_s);
        QVERIFY(qobject_cast<QsciLexerCSS*>(f.window->editor()->lexer()));
    }
};

QTEST_MAIN(TestCssEdit)
#include "tst_css_edit.moc"
