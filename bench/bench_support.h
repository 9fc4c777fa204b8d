#pragma once

// Shared pieces of the benchmark programs: sample documents and small timing
// helpers.

#include <QApplication>
#include <QByteArray>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QKeyEvent>
#include <QString>
#include <QTimer>
#include <QWidget>
#include <algorithm>
#include <vector>

namespace bench {

// An HTML document of about `bytes` bytes of UTF-8: short paragraphs with
// accents and the euro sign, CR LF line breaks.
//
// `section`: the paragraphs go in sections of that many (`<div>`s) rather
// than straight into the body.
inline QByteArray html_document(qsizetype bytes, int section = 0) {
    QByteArray out;
    out.reserve(bytes + 256);
    out += "<html>\r\n<head><title>Prova</title></head>\r\n<body>\r\n";
    for (int line = 0; out.size() < bytes - 40; ++line) {
        if (section > 0 && line % section == 0)
            out += line == 0 ? "<div>\r\n" : "</div>\r\n<div>\r\n";
        out += "<p class=\"riga\">Riga ";
        out += QByteArray::number(line);
        out +=
            ": perch\xc3\xa9 la citt\xc3\xa0 costa 10 \xe2\x82\xac, <b>gi\xc3\xb9</b> qui.</p>\r\n";
    }
    out += section > 0 ? "</div>\r\n</body>\r\n</html>\r\n" : "</body>\r\n</html>\r\n";
    return out;
}

// A minified page of about `bytes` bytes: markup, a stylesheet and a script
// all on one line, no line break anywhere; accents, varied numbers.
inline QByteArray minified_page(qsizetype bytes) {
    QByteArray out;
    out.reserve(bytes + 256);
    out += "<!DOCTYPE html><html><head><meta charset=\"utf-8\"><title>Prova</title>"
           "<style>.c{color:#333;margin:0 auto}.d b{font-weight:700}</style></head><body>";
    for (int item = 0; out.size() < bytes - 120; ++item) {
        out += "<div class=\"c";
        out += QByteArray::number(item % 97);
        out += "\" id=\"n";
        out += QByteArray::number(item);
        out += "\"><p>Voce ";
        out += QByteArray::number(item * 7919 % 100003);
        out += ": perch\xc3\xa9 costa <b>";
        out += QByteArray::number(item % 1000);
        out += " \xe2\x82\xac</b>";
        if (item % 50 == 0)
            out += "<script>if(a<b){f(\"x\",[1,2]);}</script>";
        out += "</p></div>";
    }
    out += "</body></html>";
    return out;
}

// Runs the event loop until `done` or the time is up; true when done. `done`
// is looked at after each event and at least every `poll_ms`. The loop sleeps
// while nothing happens: a waiting benchmark must not spin a processor the
// measured program needs.
template <typename F> bool wait_until(F done, int timeout_ms, int poll_ms = 20) {
    QElapsedTimer clock;
    clock.start();
    QTimer tick; // wakes the loop when no event comes
    tick.start(poll_ms);
    while (!done()) {
        if (clock.elapsed() > timeout_ms)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
    }
    return true;
}

inline bool write_file(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(bytes) == bytes.size();
}

// One key pressed and released on `target`, delivered at once.
inline void key(QWidget* target, int code, const QString& text) {
    QKeyEvent press(QEvent::KeyPress, code, Qt::NoModifier, text);
    QApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, code, Qt::NoModifier, text);
    QApplication::sendEvent(target, &release);
}

// Runs the event loop until nothing is left to do (queued notices, repaints).
inline void settle() {
    for (int i = 0; i < 3; ++i)
        QCoreApplication::processEvents(QEventLoop::AllEvents);
}

inline double median(std::vector<double> values) {
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

inline double percentile(std::vector<double> values, double p) {
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    const auto index = size_t(std::min<double>(values.size() - 1, p * double(values.size())));
    return values[index];
}

inline const char* verdict(double ratio, double limit) {
    return ratio <= limit ? "MET" : "NOT MET";
}

} // namespace bench
