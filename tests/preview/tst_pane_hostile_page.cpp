// A hostile page in the pane reads no file, from the page's own origin nor
// from its document loaded again in a frame under the files' address or as
// a file: address: every form of address
// (the page's folder, "..", "%2e%2e", encoded slashes, an absolute path,
// the files' host, another host, file:, a link out of the folder) and every
// kind of request (frame, picture into a canvas with and without CORS,
// stylesheet rules, script, fetch, worker). A local HTTP logger stands for
// the attacker's server: nothing leaves.

#include "support/files.h"
#include "support/pane.h"

#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>

#include <unistd.h>

namespace {

const QStringList kinds = {"frame",  "image", "cors-image", "stylesheet",
                           "script", "fetch", "worker"};

// Form -> what the page puts before "secret.<ext>" ({R}: the fixture's root).
const QList<QPair<QString, QString>> forms = {
    {"folder", ""},
    {"parent", "../outside/"},
    {"dots", "%2e%2e/outside/"},
    {"slashes", "..%2foutside%2f"},
    {"absolute", "{R}/outside/"},
    {"files-host", "marklet-preview://files{R}/outside/"},
    {"other-host", "marklet-preview://other{R}/outside/"},
    {"file", "file://{R}/outside/"},
    {"link", "link/"},
};

} // namespace

class PaneHostilePage : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase() {
        QVERIFY(sink_.listen(QHostAddress::LocalHost));
        connect(&sink_, &QTcpServer::newConnection, this, [this] {
            QTcpSocket* socket = sink_.nextPendingConnection();
            connect(socket, &QTcpSocket::readyRead, socket, [this, socket] {
                heard_ << QString::fromUtf8(socket->readLine().split(' ').value(1));
                socket->write("HTTP/1.0 204 No Content\r\n\r\n");
                socket->disconnectFromHost();
            });
        });
        const QString root = QFileInfo(root_.path()).canonicalFilePath();
        QImage picture(4, 4, QImage::Format_RGB32);
        picture.fill(qRgb(17, 34, 51));
        for (const QString& folder : {root + "/site", root + "/outside"}) {
            QVERIFY(QDir().mkpath(folder));
            QVERIFY(picture.save(folder + "/secret.png"));
            QVERIFY(write_bytes(folder + "/secret.txt", "SEGRETO testo"));
            QVERIFY(write_bytes(folder + "/secret.css", "#segreto { color: red }"));
            QVERIFY(write_bytes(folder + "/secret.js", "self.secret = 'SEGRETO script';"
                                                       "if (!self.document) postMessage(secret);"));
        }
        QCOMPARE(::symlink(native(root + "/outside").constData(),
                           native(root + "/site/link").constData()),
                 0);
        QJsonArray prefixes;
        for (const auto& [form, prefix] : forms)
            prefixes.append(QJsonArray{form, QString(prefix).replace("{R}", root)});
        const auto json = [](const QJsonArray& a) {
            return QString::fromUtf8(QJsonDocument(a).toJson(QJsonDocument::Compact));
        };
        QVERIFY(write_bytes(root + "/site/page.htm",
                            QString::fromUtf8(read_bytes(MARKLET_PANE_DATA "hostile_page.htm"))
                                .arg(QString::number(sink_.serverPort()), json(prefixes),
                                     json(QJsonArray::fromStringList(kinds)))
                                .toUtf8()));
        QVERIFY(m_.open());
        // A machine starved long enough for the pane to take the page for
        // hung ends it, and with it every probe still running: the page is
        // shown again (its probes run afresh), twice at most.
        int ended = 0;
        const auto watch = connect(m_.host(), &BrowserHost::page_ended, this, [this, &ended] {
            qWarning("the pane ended the page as hung (%d probes done)", int(done()));
            if (++ended <= 2)
                m_.host()->show_latest();
        });
        QVERIFY(m_.parts().session().open_path(root + "/site/page.htm"));
        // Each probe says it is done: wait for all of them (each row tells
        // which did not).
        (void)QTest::qWaitFor([this] { return done() >= 3 * (kinds.size() * forms.size() - 1); },
                              240000);
        disconnect(watch);
        for (const char* origin : {"/hello/page", "/hello/files", "/hello/file"})
            QVERIFY2(heard_.contains(origin), origin);
    }

    void nothing_leaves_data() {
        QTest::addColumn<QString>("id");
        for (const QString origin : {"page", "files", "file"})
            for (const auto& form : forms)
                for (const QString& kind : kinds)
                    if (form.first != u"folder" || kind != u"script")
                        QTest::newRow(qPrintable(origin + "/" + form.first + "/" + kind))
                            << origin + "/" + form.first + "/" + kind;
    }

    void nothing_leaves() {
        QFETCH(QString, id);
        QVERIFY(heard_.contains("/done/" + id));
        const QStringList leaks = heard_.filter(QRegularExpression("^/leak/" + id + "\\?"));
        QVERIFY2(leaks.isEmpty(), qPrintable(leaks.join(' ')));
    }

  private:
    qsizetype done() const {
        QStringList ids = heard_.filter(QRegularExpression("^/done/"));
        ids.removeDuplicates();
        return ids.size();
    }

    QTemporaryDir root_;
    QTcpServer sink_; // the attacker's server: notes every request
    QStringList heard_;
    PaneWindow m_;
};

QTEST_MAIN(PaneHostilePage)
#include "tst_pane_hostile_page.moc"
