#include "preview/webengine/request_guard.h"

#include "preview/webengine/preview_scheme.h"

void RequestGuard::interceptRequest(QWebEngineUrlRequestInfo& info) {
    const QString scheme = info.requestUrl().scheme();
    const bool local = scheme == u"file" || scheme == QLatin1String(preview_scheme::name);
    if (local && info.resourceType() == QWebEngineUrlRequestInfo::ResourceTypeXhr)
        info.block(true);
}
