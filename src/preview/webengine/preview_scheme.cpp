#include "preview/webengine/preview_scheme.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMimeDatabase>
#include <QWebEngineUrlRequestJob>
#include <QWebEngineUrlScheme>

namespace preview_scheme {

void register_scheme() {
    static const bool registered = [] {
        QWebEngineUrlScheme scheme(name);
        scheme.setSyntax(QWebEngineUrlScheme::Syntax::Host);
        // Not a local scheme: the page gets remote resources as any web page
        // does, and no leave to read local ones; but files named by file:
        // addresses still show. CORS: fonts and module scripts load from the
        // files' origin.
        scheme.setFlags(QWebEngineUrlScheme::LocalAccessAllowed | QWebEngineUrlScheme::CorsEnabled);
        QWebEngineUrlScheme::registerScheme(scheme);
        return true;
    }();
    (void)registered;
}

namespace {
const QString page_host = QStringLiteral("page");
const QString files_host = QStringLiteral("files");
} // namespace

QUrl page_url(const QString& page_path, int load) {
    QUrl url = QUrl::fromLocalFile(page_path);
    url.setScheme(QLatin1String(name));
    url.setHost(page_host);
    url.setQuery(QString::number(load));
    return url;
}

} // namespace preview_scheme

void PreviewSchemeHandler::set_page(const QString& page_path, const QString& preview_file,
                                    const QByteArray& charset) {
    // As the request will carry it: through QUrl's encoding and back.
    page_path_ = preview_scheme::page_url(page_path, 0).path(QUrl::FullyDecoded);
    preview_file_ = preview_file;
    charset_ = charset;
}

QString PreviewSchemeHandler::own_stylesheet(const QString& path) const {
    // The temporary stylesheet sits beside the preview file, in a folder of
    // this Marklet's own. A link to it saved in a document by an earlier
    // Marklet names that one's folder, gone since: it gets this one's.
    const QFileInfo asked(path);
    const QFileInfo preview(preview_file_);
    if (asked.fileName() != u"tmp.css" || !asked.dir().dirName().startsWith(u"run-") ||
        QFileInfo(asked.path()).path() != QFileInfo(preview.path()).path())
        return path;
    return preview.dir().filePath(QStringLiteral("tmp.css"));
}

void PreviewSchemeHandler::requestStarted(QWebEngineUrlRequestJob* job) {
    if (job->requestMethod() != "GET") {
        job->fail(QWebEngineUrlRequestJob::RequestDenied);
        return;
    }
    QUrl url = job->requestUrl();
    const QString path = url.path(QUrl::FullyDecoded);
    const bool page = url.host() == preview_scheme::page_host && path == page_path_;
    if (!page && url.host() != preview_scheme::files_host) {
        url.setHost(preview_scheme::files_host);
        job->redirect(url);
        return;
    }
    auto* file = new QFile(page ? preview_file_ : own_stylesheet(path), job);
    if (!QFileInfo(file->fileName()).isFile() || !file->open(QIODevice::ReadOnly)) {
        if (!page) {
            job->fail(QWebEngineUrlRequestJob::UrlNotFound);
            return;
        }
        // A preview not written yet (nothing typed) is an empty page.
        auto* nothing = new QBuffer(job);
        nothing->open(QIODevice::ReadOnly);
        job->reply("text/html", nothing);
        return;
    }
    if (page) {
        job->reply("text/html;charset=" + (charset_.isEmpty() ? "utf-8" : charset_), file);
        return;
    }
    static const QMimeDatabase types;
    job->reply(types.mimeTypeForFile(path, QMimeDatabase::MatchExtension).name().toUtf8(), file);
}
