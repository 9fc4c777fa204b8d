// Nothing the user needs is hidden: the edit area, the pane and the find bar
// stay above the status bar at every size, "Elenco TAG" and the status bar's
// labels read whole, the input box shows its prompt as typed.
// Runs on a large screen with a window frame, as under a window manager.

#include "app/elided_label.h"
#include "app/status_presenter.h"
#include "find/find_bar.h"
#include "support/main_window.h"
#include "support/modal_script.h"

#include <QAccessible>
#include <QLineEdit>
#include <QStatusBar>
#include <QTemporaryDir>

namespace {

// The bottom of `widget` in the coordinates of its window.
int bottom_in_window(QWidget* widget) {
    return widget->mapTo(widget->window(), QPoint(0, widget->height())).y();
}

} // namespace

class TestNothingHidden : public QObject {
    Q_OBJECT

    MainWindow m;
    QFont default_font;

  private slots:
    void initTestCase() { default_font = QApplication::font(); }
    void cleanup() {
        m.close();
        QApplication::setFont(default_font);
    }

    void controls_stay_above_the_status_bar_data() {
        QTest::addColumn<int>("point_size"); // 0: the default font
        QTest::newRow("default font") << 0;
        QTest::newRow("large font") << 16;
    }
    void controls_stay_above_the_status_bar() {
        QFETCH(int, point_size);
        if (point_size) {
            QFont font;
            font.setPointSize(point_size);
            QApplication::setFont(font);
        }
        m.open();
        Form1* window = m.window.get();
        // "Elenco TAG" whole, ending where the list begins.
        auto* label = window->findChild<ElidedLabel*>(QStringLiteral("Label1"));
        auto* list = window->findChild<QWidget*>(QStringLiteral("lang_list"));
        QVERIFY(!label->elided());
        QCOMPARE(label->geometry().right() + 1, list->x());
        QVERIFY(label->height() >= label->sizeHint().height());
        // The status bar's labels whole in a window made as narrow as it goes.
        m.edit().set_text(QStringLiteral("<foo>"));
        QTRY_VERIFY(!window->findChild<QLabel*>(QStringLiteral("status_check"))->text().isEmpty());
        window->resize(100, window->height());
        for (const char* name : {"status_position", "status_form", "status_check"}) {
            auto* part = window->findChild<QLabel*>(QLatin1String(name));
            QTRY_VERIFY2(part->width() >= part->sizeHint().width(), name);
        }

        m.parts().action(QStringLiteral("Command2"))->trigger(); // the pane shown
        window->showMaximized();
        QTRY_VERIFY(window->isMaximized());
        QTRY_VERIFY(window->width() > 1500);
        const int status_top = window->statusBar()->y();
        QVERIFY(bottom_in_window(m.parts().editor()) <= status_top);
        QVERIFY(bottom_in_window(window->browser()) <= status_top);
        QVERIFY(m.parts().editor()->width() > 900); // the resize rule gave it the left half

        QTest::keyClick(m.parts().editor(), Qt::Key_F, Qt::ControlModifier);
        QTRY_VERIFY(m.parts().find_bar()->isVisible());
        QVERIFY(bottom_in_window(m.parts().find_bar()) <= status_top);
        QVERIFY(bottom_in_window(m.parts().editor()) <=
                m.parts().find_bar()->mapTo(window, QPoint()).y());
    }

    // The prompt as written: no access key made of a "&", no markup read.
    void input_box_shows_prompt_and_default() {
        m.open();
        const QString prompt = QStringLiteral("Definizione di R&D <b>x</b>");
        QString shown, field;
        ModalScript script({[&](QWidget* dialog) {
            shown = QAccessible::queryAccessibleInterface(dialog->findChild<QLabel*>())
                        ->text(QAccessible::Name);
            field = dialog->findChild<QLineEdit*>()->text();
            QTest::keyClick(dialog->findChild<QLineEdit*>(), Qt::Key_Return);
        }});
        const QString answer = m.parts().asker().input(prompt, kInputTitle, QStringLiteral("50%"));
        QCOMPARE(shown, prompt);
        QCOMPARE(field, QStringLiteral("50%"));
        QCOMPARE(answer, QStringLiteral("50%"));
    }
};

int main(int argc, char* argv[]) {
    // A screen past the resize rule's thresholds when maximised, and windows
    // with a frame.
    QTemporaryDir dir;
    const QString config = dir.filePath(QStringLiteral("screen.json"));
    QFile file(config);
    if (!file.open(QIODevice::WriteOnly))
        return 1;
    file.write(R"({"screens": [{"name": "large", "x": 0, "y": 0, "width": 1920, "height": 1080,
                   "logicalDpi": 96, "dpr": 1}], "windowFrameMargins": true})");
    file.close();
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + config.toLocal8Bit());
    QApplication app(argc, argv);
    TestNothingHidden test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_nothing_hidden.moc"
