// Soak: many random insertions on the real edit control (ScintillaEditArea
// over a QsciScintilla) keep the insertion rule, whatever mix of line breaks,
// accents, euro signs and characters outside the basic plane is involved:
//   text = before[0, s) + open + selected + close + before[s + len, end)
//   caret = s + |open| + len, nothing selected.
// MARKLET_SOAK_COUNT sets the number of insertions (sanitizer builds use
// fewer), MARKLET_SOAK_SEED the seed.

#include "app/snippet_insertion.h"
#include "platform/qt/scintilla_edit_area.h"

#include <QElapsedTimer>
#include <Qsci/qsciscintilla.h>
#include <QtTest>
#include <random>

namespace {

int setting(const char* name, int fallback) {
    bool ok = false;
    const int value = qEnvironmentVariableIntValue(name, &ok);
    return ok ? value : fallback;
}

// Pieces that random texts are made of: each is whole, so no piece splits a
// surrogate pair.
const QStringList kPieces = {
    QStringLiteral("a"),    QStringLiteral("Z"),  QStringLiteral(" "),  QStringLiteral("<b>"),
    QStringLiteral("\r\n"), QStringLiteral("\r"), QStringLiteral("\n"), QStringLiteral("è"),
    QStringLiteral("€"),    QStringLiteral("😀"),  QStringLiteral("\t"), QStringLiteral("\""),
    QStringLiteral("ç"),    QStringLiteral("𝄞"),  QStringLiteral("&"),  QStringLiteral("ß"),
};

class Soak {
  public:
    explicit Soak(unsigned seed) : random_(seed) {}

    QString text(int max_pieces) {
        QString out;
        const int n = below(max_pieces + 1);
        for (int i = 0; i < n; ++i)
            out += kPieces[below(int(kPieces.size()))];
        return out;
    }
    int below(int n) { return n <= 0 ? 0 : int(random_() % unsigned(n)); }

  private:
    std::mt19937 random_;
};

} // namespace

class TestSoak : public QObject {
    Q_OBJECT

  private slots:
    void random_insertions_keep_the_insertion_rule() {
        const int count = setting("MARKLET_SOAK_COUNT", 100000);
        const int seed = setting("MARKLET_SOAK_SEED", 20240611);
        QsciScintilla widget;
        ScintillaEditArea edit(&widget);
        Soak soak{unsigned(seed)};
        int changes = 0;
        connect(&edit, &EditArea::changed, this, [&] { ++changes; });
        QElapsedTimer clock;
        clock.start();
        for (int i = 0; i < count; ++i) {
            if (i % 500 == 0 || widget.length() > 6000) {
                edit.set_text(soak.text(60));
                changes = 0;
            }
            const QString before = edit.text();
            const auto size = int(before.size());
            const int start = soak.below(size + 1);
            edit.select(start, soak.below(size - start + 1));
            // The control never splits a character: read back what it selected.
            const qsizetype s = edit.selection_start();
            const qsizetype len = edit.selection_length();
            const bool splits_pair = start > 0 && before[start - 1].isHighSurrogate();
            if (!splits_pair && s != start)
                QFAIL(qPrintable(QStringLiteral("step %1: asked %2, selection starts at %3")
                                     .arg(i)
                                     .arg(start)
                                     .arg(s)));
            QCOMPARE(edit.selected_text(), before.mid(s, len));

            const QString open = soak.text(4), close = soak.text(4);
            const int changes_before = changes;
            insert_snippet(edit, open, close);
            const QString expected =
                before.left(s) + open + before.mid(s, len) + close + before.mid(s + len);
            if (edit.text() != expected) {
                QFAIL(
                    qPrintable(QStringLiteral("step %1 (seed %2): text differs").arg(i).arg(seed)));
            }
            QCOMPARE(edit.caret(), s + open.size() + len);
            QCOMPARE(edit.selection_length(), qsizetype(0));
            QCOMPARE(changes, changes_before + 1);
        }
        qInfo("%d insertions in %lld ms", count, qint64(clock.elapsed()));
    }

    // Positions are counted over Scintilla's buffer in two runs, before and
    // after its gap; wherever the last edit left the gap, the counts agree
    // with QString's. U+FFFE and U+FFFF are one unit each, as in QString.
    void positions_agree_with_qstring_wherever_the_gap_is_data() {
        QTest::addColumn<QString>("piece");
        QTest::addColumn<int>("edit_at");
        QTest::newRow("accents, gap at the start") << "àbc€\r\n" << 0;
        QTest::newRow("emoji, gap in the middle") << "x😀y𝄞" << 498;
        QTest::newRow("noncharacters, gap near the end") << "a\uFFFFb\uFFFEc" << 990;
    }
    void positions_agree_with_qstring_wherever_the_gap_is() {
        QFETCH(QString, piece);
        QFETCH(int, edit_at);
        QsciScintilla widget;
        ScintillaEditArea edit(&widget);
        edit.set_text(piece.repeated(200));
        const qsizetype at = qMin<qsizetype>(edit_at, edit.text().size());
        edit.set_caret(at);
        edit.replace_selection(QStringLiteral("é")); // Scintilla's gap now stands here
        const QString text = edit.text();
        for (qsizetype k = 0; k <= text.size(); k += 7) {
            if (k > 0 && k < text.size() && text[k - 1].isHighSurrogate())
                continue;
            const auto bytes = qsizetype(QStringView(text).left(k).toUtf8().size());
            QCOMPARE(edit.to_bytes(k), bytes);
            QCOMPARE(edit.to_characters(bytes), k);
        }
        QCOMPARE(edit.to_bytes(text.size() + 3), qsizetype(text.toUtf8().size()));
        QCOMPARE(edit.caret(), at + 1);
    }

    // QString::fromUtf8 drops a U+FEFF at the start as a byte-order mark; the
    // edit area keeps it, so a document or a selection starting with one
    // loses nothing.
    void leading_zero_width_no_break_space_is_kept() {
        QsciScintilla widget;
        ScintillaEditArea edit(&widget);
        const QString text = QStringLiteral("\uFEFFabc");
        edit.load_utf8(text.toUtf8());
        QCOMPARE(edit.text(), text);
        edit.select(0, 2);
        QCOMPARE(edit.selected_text(), QStringLiteral("\uFEFFa"));
        insert_snippet(edit, QStringLiteral("<b>"), QStringLiteral("</b>"));
        QCOMPARE(edit.text(), QStringLiteral("<b>\uFEFFa</b>bc"));
    }
};

QTEST_MAIN(TestSoak)
#include "tst_soak.moc"
