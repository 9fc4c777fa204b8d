#pragma once

#include <QWebEngineUrlRequestInterceptor>

// Keeps the page's scripts from reading local files: fetch() and
// XMLHttpRequest get nothing from file: addresses nor from the preview's own
// scheme, while the page's pictures, stylesheets, scripts and frames, the
// temporary stylesheet among them, load as usual.
class RequestGuard : public QWebEngineUrlRequestInterceptor {
  public:
    using QWebEngineUrlRequestInterceptor::QWebEngineUrlRequestInterceptor;
    void interceptRequest(QWebEngineUrlRequestInfo& info) override;
};
