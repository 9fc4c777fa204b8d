#include "preview/webengine/preview_scheme.h"

#include <QBuffer>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMessageAuthenticationCode>
#include <QMimeDatabase>
#include <QRandomGenerator>
#include <QWebEngineUrlRequestJob>
#include <QWebEngineUrlScheme>

namespace preview_scheme {

void register_scheme() {
    static const bool registered = [] {
        QWebEngineUrlScheme scheme(name);
        scheme.setSyntax(QWebEngineUrlScheme::Syntax::Host);
        // Not a local scheme: the page gets remote resources as any web page
        // does. Local access: the page's files come as file: addresses. No
        // CORS: nothing of ours is ever read by another origin.
        scheme.setFlags(QWebEngineUrlScheme::LocalAccessAllowed);
        QWebEngineUrlScheme::registerScheme(scheme);
        return true;
    }();
    (void)registered;
}

QUrl page_url(const QString& page_path, int load) {
    QUrl url = QUrl::fromLocalFile(page_path);
    url.setScheme(QLatin1String(name));
    url.setHost(QStringLiteral("page"));
    url.setQuery(QString::number(load));
    return url;
}

namespace {

QUrl address(const QString& host, const QString& path) {
    QUrl url;
    url.setScheme(QLatin1String(name));
    url.setHost(host);
    url.setPath(path, QUrl::DecodedMode);
    return url;
}

} // namespace

} // namespace preview_scheme

using preview_scheme::address;

PageFiles::PageFiles() {
    key_.resize(32);
    QRandomGenerator::system()->fillRange(reinterpret_cast<quint32*>(key_.data()), 8);
}

void PageFiles::set_page(const QString& page_path, const QString& stylesheet) {
    // As a request will carry it: through QUrl's encoding and back.
    page_path_ = preview_scheme::page_url(page_path, 0).path(QUrl::FullyDecoded);
    folder_ = QFileInfo(QFileInfo(page_path).absolutePath()).canonicalFilePath();
    if (!folder_.isEmpty() && !folder_.endsWith(u'/'))
        folder_ += u'/';
    stylesheet_ = QDir::cleanPath(stylesheet);
}

bool PageFiles::names_stylesheet(const QString& path) const {
    if (stylesheet_.isEmpty())
        return false;
    if (path == stylesheet_)
        return true;
    const QFileInfo asked(path);
    return asked.fileName() == u"tmp.css" && asked.dir().dirName().startsWith(u"run-") &&
           QFileInfo(asked.path()).path() == QFileInfo(stylesheet_).path();
}

QString PageFiles::allowed(const QString& path) const {
    if (path.contains(QChar(0)) || !path.startsWith(u'/'))
        return QString();
    if (names_stylesheet(QDir::cleanPath(path)))
        return QFileInfo(stylesheet_).isFile() ? stylesheet_ : QString();
    // Every link followed, "." and ".." gone: the file itself.
    const QString file = QFileInfo(path).canonicalFilePath();
    if (file.isEmpty() || !QFileInfo(file).isFile())
        return QString();
    if (file == QFileInfo(stylesheet_).canonicalFilePath())
        return file;
    if (folder_.isEmpty() || !file.startsWith(folder_))
        return QString();
    return file;
}

QString PageFiles::type_of(const QString& file) {
    static const QMimeDatabase types;
    return types.mimeTypeForFile(file, QMimeDatabase::MatchExtension).name();
}

QUrl PageFiles::own_origin_url(const QString& file) {
    return address(QStringLiteral("page"), file);
}

QUrl PageFiles::files_url(const QString& file) {
    return address(QStringLiteral("files"), file);
}

QString PageFiles::frame_host(const QString& file) {
    const QByteArray hash = QCryptographicHash::hash(file.toUtf8(), QCryptographicHash::Sha256);
    return u'd' + QString::fromLatin1(hash.toHex().left(24));
}

QUrl PageFiles::frame_url(const QString& file) {
    return address(frame_host(file), file);
}

QString PageFiles::mark(const QString& file) const {
    return QString::fromLatin1(
        QMessageAuthenticationCode::hash(file.toUtf8(), key_, QCryptographicHash::Sha256).toHex());
}

QUrl PageFiles::marked_file_url(const QString& file) const {
    QUrl url = QUrl::fromLocalFile(file);
    url.setQuery(QStringLiteral("marklet=") + mark(file));
    return url;
}

bool PageFiles::is_marked(const QUrl& file_url) const {
    return file_url.query() == QStringLiteral("marklet=") + mark(file_url.path(QUrl::FullyDecoded));
}

bool PageFiles::is_script_or_font(const QString& type) {
    return type == u"application/javascript" || type == u"text/javascript" ||
           type == u"application/x-javascript" || type.startsWith(u"font/") ||
           type.startsWith(u"application/font-") || type.startsWith(u"application/x-font-") ||
           type == u"application/vnd.ms-fontobject";
}

QByteArray PreviewSchemeHandler::page_type(QByteArrayView page, const QByteArray& charset) {
    const QLatin1StringView text(page.data(), page.size());
    if (charset.isEmpty() || text.contains(QLatin1StringView("charset"), Qt::CaseInsensitive) ||
        text.contains(QLatin1StringView("encoding"), Qt::CaseInsensitive))
        return QByteArrayLiteral("text/html");
    return QByteArrayLiteral("text/html; charset=") + charset;
}

void PreviewSchemeHandler::requestStarted(QWebEngineUrlRequestJob* job) {
    const QUrl url = job->requestUrl();
    const QString host = url.host();
    const QString path = url.path(QUrl::FullyDecoded);
    if (job->requestMethod() != "GET") {
        job->fail(QWebEngineUrlRequestJob::RequestDenied);
        return;
    }
    if (host == u"page" && path == files_.page_path()) {
        // A preview not written yet (nothing typed) is an empty page.
        auto* page = new QBuffer(job);
        if (QFile file(preview_file_); file.open(QIODevice::ReadOnly))
            page->setData(file.readAll());
        page->open(QIODevice::ReadOnly);
        job->reply(page_type(page->data(), charset_), page);
        return;
    }
    const QString allowed = files_.allowed(path);
    if (allowed.isEmpty()) {
        job->fail(QWebEngineUrlRequestJob::UrlNotFound);
        return;
    }
    if (host == u"files") {
        // A request that would read the data (it names the origin asking)
        // gets nothing; a plain one, the file as a file.
        if (job->requestHeaders().contains("Origin"))
            job->fail(QWebEngineUrlRequestJob::RequestDenied);
        else
            job->redirect(files_.marked_file_url(allowed));
        return;
    }
    const QString type = PageFiles::type_of(allowed);
    const bool served = host == u"page" ? PageFiles::is_script_or_font(type)
                                        : host == PageFiles::frame_host(allowed);
    auto* file = new QFile(allowed, job);
    if (!served || !file->open(QIODevice::ReadOnly)) {
        job->fail(QWebEngineUrlRequestJob::RequestDenied);
        return;
    }
    job->reply(type.toUtf8(), file);
}
