#pragma once

#include <QWebEngineUrlRequestInterceptor>

class PageFiles;

// Every request of the page for a local file (a file: address, or one of the
// preview's own scheme, whatever its host) goes where PageFiles allows it, or
// nowhere (see preview_scheme.h):
// - the page's own address is served as it is;
// - the requests by which a script would read a response itself (fetch,
//   XMLHttpRequest, a worker's script, a beacon) get nothing local;
// - a file the page may load goes to the address it is served under: scripts
//   and fonts to the page's own origin, frames to their own, everything else
//   to the files' host (and from there to its marked file: address);
// - anything else is refused.
// The network is left alone.
class RequestGuard : public QWebEngineUrlRequestInterceptor {
  public:
    RequestGuard(const PageFiles& files, QObject* parent)
        : QWebEngineUrlRequestInterceptor(parent), files_(files) {}
    void interceptRequest(QWebEngineUrlRequestInfo& info) override;

  private:
    const PageFiles& files_;
};
