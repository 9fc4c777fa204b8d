// A page opened from its own folder shows its own pictures and stylesheets,
// remote stylesheets load, the temporary stylesheet applies, and the page's
// scripts read no local file.

#include "document/temp_files.h"
#include "support/files.h"
#include "support/pane.h"

#include <QImage>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>

class PanePageResources : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase();
    void page_shows_data();
    void page_shows();
    void nothing_changes_on_disk();

  private:
    QTemporaryDir site_;
    QTcpServer server_; // answers every request with a stylesheet
    PaneWindow m_;
    QByteArray page_;
};

void PanePageResources::initTestCase() {
    QVERIFY(server_.listen(QHostAddress::LocalHost));
    connect(&server_, &QTcpServer::newConnection, this, [this] {
        QTcpSocket* socket = server_.nextPendingConnection();
        connect(socket, &QTcpSocket::readyRead, socket, [socket] {
            socket->write("HTTP/1.0 200 OK\r\nContent-Type: text/css\r\n\r\n"
                          "#remote { color: rgb(1, 2, 3) }");
            socket->disconnectFromHost();
        });
    });
    QVERIFY(write_bytes(site_.filePath("style.css"), "#own { color: rgb(0, 128, 0) }"));
    QImage picture(10, 10, QImage::Format_RGB32);
    picture.fill(Qt::red);
    QVERIFY(picture.save(site_.filePath("pic.png")));
    QVERIFY(write_bytes(site_.filePath("secret.txt"), "segreto"));
    QCOMPARE(write_temp_file(temp_stylesheet_path(), "#temp { color: rgb(4, 5, 6) }"), QString());
    const QByteArray read = "(p, k) => p.then(r => r.text()).then(t => window[k] = t, "
                            "() => window[k] = 'nothing')";
    page_ = "<!DOCTYPE html><html><head><link rel=\"stylesheet\" href=\"style.css\">"
            "<link rel=\"stylesheet\" href=\"http://127.0.0.1:" +
            QByteArray::number(server_.serverPort()) +
            "/remote.css\"><link rel=\"stylesheet\" href=\"" + temp_stylesheet_path().toUtf8() +
            "\"></head><body><p id=\"own\">a</p><p id=\"remote\">b</p><p id=\"temp\">c</p>"
            "<img id=\"pic\" src=\"pic.png\"><iframe id=\"frame\" src=\"secret.txt\"></iframe>"
            "<iframe id=\"file_frame\" src=\"" +
            QUrl::fromLocalFile(site_.filePath("secret.txt")).toEncoded() +
            "\"></iframe>"
            "<script>const read = " +
            read + "; read(fetch('" +
            QUrl::fromLocalFile(site_.filePath("secret.txt")).toEncoded() +
            "'), 'by_file'); read(fetch('secret.txt'), 'by_name');"
            "const x = new XMLHttpRequest(); x.onload = () => window.by_xhr = x.responseText;"
            "x.onerror = () => window.by_xhr = 'nothing'; x.open('GET', 'secret.txt'); x.send();"
            "</script></body></html>";
    QVERIFY(write_bytes(site_.filePath("page.htm"), page_));
    QVERIFY(m_.open());
    QVERIFY(m_.window->open_path(site_.filePath("page.htm")));
    QVERIFY(m_.settled());
}

void PanePageResources::page_shows_data() {
    QTest::addColumn<QString>("script");
    QTest::addColumn<QString>("expected");
    const QString colour = QStringLiteral("getComputedStyle(document.getElementById('%1')).color");
    QTest::newRow("own stylesheet") << colour.arg("own") << "rgb(0, 128, 0)";
    QTest::newRow("remote stylesheet") << colour.arg("remote") << "rgb(1, 2, 3)";
    QTest::newRow("temporary stylesheet") << colour.arg("temp") << "rgb(4, 5, 6)";
    QTest::newRow("own picture") << "String(document.getElementById('pic').naturalWidth)"
                                 << "10";
    QTest::newRow("fetch of a file: address") << "window.by_file"
                                              << "nothing";
    QTest::newRow("fetch of a file beside the page") << "window.by_name"
                                                     << "nothing";
    QTest::newRow("XMLHttpRequest of a file") << "window.by_xhr"
                                              << "nothing";
    QTest::newRow("frame showing a file")
        << "(d => d ? d.body.innerText : 'nothing')(frame.contentDocument)"
        << "nothing";
    QTest::newRow("frame showing a file: address")
        << "(d => d ? d.body.innerText : 'nothing')(file_frame.contentDocument)"
        << "nothing";
}

void PanePageResources::page_shows() {
    QFETCH(QString, script);
    QFETCH(QString, expected);
    QTRY_COMPARE_WITH_TIMEOUT(m_.eval(script).toString(), expected, 10000);
}

void PanePageResources::nothing_changes_on_disk() {
    QCOMPARE(read_bytes(site_.filePath("page.htm")), page_);
    QCOMPARE(read_bytes(preview_file_path()), page_);
    QCOMPARE(QDir(site_.path()).entryList(QDir::Files | QDir::Hidden),
             (QStringList{"page.htm", "pic.png", "secret.txt", "style.css"}));
}

QTEST_MAIN(PanePageResources)
#include "tst_pane_page_resources.moc"
