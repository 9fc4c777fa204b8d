// The reference for start-up and opening: a bare QMainWindow holding a
// QsciScintilla, nothing else. With a file argument it loads the file's bytes
// straight into Scintilla before the window appears.

#include "shown_signal.h"

#include <QApplication>
#include <QFile>
#include <QMainWindow>
#include <Qsci/qsciscintilla.h>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QMainWindow window;
    auto* editor = new QsciScintilla(&window);
    editor->setUtf8(true);
    window.setCentralWidget(editor);
    window.resize(486, 560);
    if (argc > 1) {
        QFile file(QString::fromLocal8Bit(argv[1]));
        if (!file.open(QIODevice::ReadOnly))
            return 1;
        const QByteArray bytes = file.readAll();
        editor->SendScintilla(QsciScintillaBase::SCI_SETTEXT, bytes.constData());
    }
    bench::ExitWhenShown::install(&window);
    window.show();
    return QApplication::exec();
}
