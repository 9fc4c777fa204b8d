// Snippet insertion on the real edit control (ScintillaEditArea over a
// QsciScintilla): a soak of random insertions that keep the insertion rule, whatever mix of line
// breaks, accents, euro signs and characters outside the basic plane is involved:
//   text = before[0, s) + open + selected + close + before[s + len, end)
//   caret = s + |open| + len, nothing selected, one change notice, one undo step.
// MARKLET_SOAK_ITERATIONS sets the number of insertions (10,000 by default;
// the benchmark run makes it 100,000), MARKLET_SOAK_SEED the seed.

#include "app/snippet_insertion.h"
#include "editor/scintilla_edit_area.h"

#include <QElapsedTimer>
#include <Qsci/qsciscintilla.h>
#include <QtTest>
#include <random>

using namespace Qt::StringLiterals;

namespace {

int setting(const char* name, int fallback) {
    bool ok = false;
    const int value = qEnvironmentVariableIntValue(name, &ok);
    return ok ? value : fallback;
}

// Whole pieces, so no random text splits a surrogate pair.
const QStringList kPieces = {"a", "Z", " ",  "<b>", "\r\n", "\r", "\n", "è",
                             "€", "😀", "\t", "\"",  "ç",    "𝄞",  "&",  "ß"};

} // namespace

class TestSoak : public QObject {
    Q_OBJECT

    std::mt19937 random_;
    int below(int n) { return n <= 0 ? 0 : int(random_() % unsigned(n)); }
    QString text(int max_pieces) {
        QString out;
        for (int i = below(max_pieces + 1); i > 0; --i)
            out += kPieces[below(int(kPieces.size()))];
        return out;
    }

  private slots:
    void random_insertions_keep_the_insertion_rule() {
        const int count = setting("MARKLET_SOAK_ITERATIONS", 10000);
        const int seed = setting("MARKLET_SOAK_SEED", 20240611);
        random_.seed(unsigned(seed));
        QsciScintilla widget;
        ScintillaEditArea edit(&widget);
        int changes = 0;
        connect(&edit, &EditArea::changed, this, [&] { ++changes; });
        QElapsedTimer clock;
        clock.start();
        for (int i = 0; i < count; ++i) {
            if (i % 500 == 0 || widget.length() > 6000)
                edit.set_text(text(60));
            const QString before = edit.text();
            const auto size = int(before.size());
            const int start = below(size + 1);
            edit.select(start, below(size - start + 1));
            // The control never splits a character: read back what it selected.
            const qsizetype s = edit.selection_start(), len = edit.selection_length();
            if (!(start > 0 && before[start - 1].isHighSurrogate()) && s != start)
                QFAIL(qPrintable(u"step %1: asked %2, selection at %3"_s.arg(i).arg(start).arg(s)));
            QCOMPARE(edit.selected_text(), before.mid(s, len));

            const QString open = text(4), close = text(4);
            const int changes_before = changes;
            insert_snippet(edit, open, close);
            if (edit.text() !=
                before.left(s) + open + before.mid(s, len) + close + before.mid(s + len))
                QFAIL(qPrintable(u"step %1 (seed %2): text differs"_s.arg(i).arg(seed)));
            QCOMPARE(edit.caret(), s + open.size() + len);
            QCOMPARE(edit.selection_length(), qsizetype(0));
            QCOMPARE(changes, changes_before + 1);
            if (i % 7 == 0 && !(open + close).isEmpty()) { // one undo step takes it back
                widget.undo();
                QCOMPARE(edit.text(), before);
            }
        }
        qInfo("%d insertions in %lld ms", count, qint64(clock.elapsed()));
    }
};

QTEST_MAIN(TestSoak)
#include "tst_soak.moc"
