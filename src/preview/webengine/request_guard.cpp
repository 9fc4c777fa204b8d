#include "preview/webengine/request_guard.h"

#include "preview/webengine/preview_scheme.h"

namespace {

// Requests whose response goes to a script rather than to the page's display.
bool read_by_script(QWebEngineUrlRequestInfo::ResourceType type) {
    switch (type) {
    case QWebEngineUrlRequestInfo::ResourceTypeXhr:
    case QWebEngineUrlRequestInfo::ResourceTypeWorker:
    case QWebEngineUrlRequestInfo::ResourceTypeSharedWorker:
    case QWebEngineUrlRequestInfo::ResourceTypeServiceWorker:
    case QWebEngineUrlRequestInfo::ResourceTypePing:
    case QWebEngineUrlRequestInfo::ResourceTypeCspReport:
    case QWebEngineUrlRequestInfo::ResourceTypePluginResource:
    case QWebEngineUrlRequestInfo::ResourceTypeNavigationPreloadMainFrame:
    case QWebEngineUrlRequestInfo::ResourceTypeNavigationPreloadSubFrame:
    case QWebEngineUrlRequestInfo::ResourceTypeUnknown:
        return true;
    default:
        return false;
    }
}

} // namespace

void RequestGuard::interceptRequest(QWebEngineUrlRequestInfo& info) {
    const QUrl url = info.requestUrl();
    const bool own = url.scheme() == QLatin1String(preview_scheme::name);
    if (!own && url.scheme() != u"file")
        return; // the network, and what the page makes itself (data:, blob:)
    const QString path = url.path(QUrl::FullyDecoded);
    if (own && url.host() == u"page" && path == files_.page_path())
        return; // the page itself
    if (!own && files_.is_marked(url))
        return; // sent here by the files' host
    // A file: address names no other machine.
    const QString file = own || url.host().isEmpty() ? files_.allowed(path) : QString();
    if (file.isEmpty() || read_by_script(info.resourceType())) {
        info.block(true);
        return;
    }
    QUrl target;
    switch (info.resourceType()) {
    case QWebEngineUrlRequestInfo::ResourceTypeScript:
    case QWebEngineUrlRequestInfo::ResourceTypeFontResource:
        target = PageFiles::own_origin_url(file);
        break;
    case QWebEngineUrlRequestInfo::ResourceTypeMainFrame:
    case QWebEngineUrlRequestInfo::ResourceTypeSubFrame:
    case QWebEngineUrlRequestInfo::ResourceTypeObject:
        target = PageFiles::frame_url(file);
        break;
    default:
        target = PageFiles::files_url(file);
        break;
    }
    if (target != url.adjusted(QUrl::RemoveQuery | QUrl::RemoveFragment))
        info.redirect(target);
}
