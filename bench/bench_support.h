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
#include <algorithm>
#include <vector>

namespace bench {

// An HTML document of about `bytes` bytes of UTF-8: short paragraphs with
// accents and the euro sign, CR LF line breaks.
inline QByteArray html_document(qsizetype bytes) {
    QByteArray out;
    out.reserve(bytes + 256);
    out += "<html>\r\n<head><title>Prova</title></head>\r\n<body>\r\n";
    for (int line = 0; out.size() < bytes - 20; ++line) {
        out += "<p class=\"riga\">Riga ";
        out += QByteArray::number(line);
        out +=
            ": perch\xc3\xa9 la citt\xc3\xa0 costa 10 \xe2\x82\xac, <b>gi\xc3\xb9</b> qui.</p>\r\n";
    }
    out += "</body>\r\n</html>\r\n";
    return out;
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
