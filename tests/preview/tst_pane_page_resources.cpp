// A page opened from its own folder shows its own pictures and stylesheets,
// remote stylesheets load, the temporary stylesheet applies, and the page's
// scripts read no local file; the page's bytes are read as a browser reads them.

#include "document/temp_files.h"
#include "support/files.h"
#include "support/pane.h"

#include <QImage>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>

using namespace Qt::StringLiterals;

class PanePageResources : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase() {
        QVERIFY(server_.listen(QHostAddress::LocalHost));
        connect(&server_, &QTcpServer::newConnection, this, [this] {
            QTcpSocket* socket = server_.nextPendingConnection();
            connect(socket, &QTcpSocket::readyRead, socket, [socket] {
                socket->write("HTTP/1.0 200 OK\r\nContent-Type: text/css\r\n\r\n"
                              "#remote { color: rgb(1, 2, 3) }");
                socket->disconnectFromHost();
            });
        });
        QImage picture(10, 10, QImage::Format_RGB32);
        QVERIFY(picture.save(site_.filePath("pic.png")));
        QVERIFY(write_bytes(site_.filePath("style.css"), "#own { color: rgb(0, 128, 0) }"));
        QVERIFY(write_bytes(site_.filePath("secret.txt"), "segreto"));
        QVERIFY(write_temp_stylesheet("#temp { color: rgb(4, 5, 6) }").ok());
        // %1: the local server's port, %2: a temporary stylesheet, %3: secret.txt as file:.
        page_ = QString::fromUtf8(read_bytes(MARKLET_PANE_DATA "resource_page.htm"))
                    .arg(server_.serverPort())
                    // As interim versions linked it, in a folder of a run long gone.
                    .arg(QFileInfo(temp_stylesheet_path()).path() + "/run-1-1-0ld/tmp.css",
                         QUrl::fromLocalFile(site_.filePath("secret.txt")).toString())
                    .toUtf8();
        QVERIFY(write_bytes(site_.filePath("page.htm"), page_));
        QVERIFY(m_.open());
        QVERIFY(m_.parts().session().open_path(site_.filePath("page.htm")));
    }

    void page_shows_data() {
        QTest::addColumn<QString>("script");
        QTest::addColumn<QString>("expected");
        const QString colour = "getComputedStyle(document.getElementById('%1')).color";
        const QString frame = "(d => d ? d.body.innerText : 'nothing')(%1.contentDocument)";
        QTest::newRow("own stylesheet") << colour.arg("own") << "rgb(0, 128, 0)";
        QTest::newRow("remote stylesheet") << colour.arg("remote") << "rgb(1, 2, 3)";
        QTest::newRow("temporary stylesheet") << colour.arg("temp") << "rgb(4, 5, 6)";
        QTest::newRow("own picture") << "String(pic.naturalWidth)"
                                     << "10";
        QTest::newRow("fetch of a file: address") << "window.by_file"
                                                  << "nothing";
        QTest::newRow("fetch of a file beside the page") << "window.by_name"
                                                         << "nothing";
        QTest::newRow("XMLHttpRequest of a file") << "window.by_xhr"
                                                  << "nothing";
        QTest::newRow("frame showing a file") << frame.arg("frame") << "nothing";
        QTest::newRow("frame showing a file: address") << frame.arg("file_frame") << "nothing";
    }

    void page_shows() {
        QFETCH(QString, script);
        QFETCH(QString, expected);
        QTRY_COMPARE_WITH_TIMEOUT(m_.eval(script).toString(), expected, 15000);
    }

    void nothing_changes_on_disk() {
        QCOMPARE(read_bytes(site_.filePath("page.htm")), page_);
        QCOMPARE(read_bytes(preview_file_path()), page_);
        QCOMPARE(QDir(site_.path()).entryList(QDir::Files | QDir::Hidden),
                 (QStringList{"page.htm", "pic.png", "secret.txt", "style.css"}));
    }

    // The pane reads the page's bytes as a browser does: a byte-order mark,
    // then the page's own declaration, then the document's encoding.
    void pane_reads_bytes_as_browser_does_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("shown");
        const QByteArray declared = "<meta charset=\"windows-1252\"><p id=\"c\">";
        QTest::newRow("windows-1252 declared") << declared + "Caff\xe8" << u"Caff\u00e8"_s;
        QTest::newRow("windows-1252 undeclared")
            << QByteArray("<p id=\"c\">Caff\xe8") << u"Caff\u00e8"_s;
        QTest::newRow("UTF-8 with a byte-order mark")
            << "\xef\xbb\xbf" + declared + "Caff\xc3\xa8" << u"Caff\u00e8"_s;
        // What a browser shows, and the checker tells.
        QTest::newRow("UTF-8 declared windows-1252")
            << declared + "Caff\xc3\xa8" << u"Caff\u00c3\u00a8"_s;
    }

    void pane_reads_bytes_as_browser_does() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, shown);
        const QString path = site_.filePath(QString::fromLatin1(QTest::currentDataTag()) + ".htm");
        QVERIFY(write_bytes(path, bytes));
        QVERIFY(m_.parts().session().open_path(path));
        QVERIFY(m_.answers("(p => p ? p.textContent : '')(document.getElementById('c'))", shown));
    }

  private:
    QTemporaryDir site_;
    QTcpServer server_; // answers every request with a stylesheet
    PaneWindow m_;
    QByteArray page_;
};

QTEST_MAIN(PanePageResources)
#include "tst_pane_page_resources.moc"
