#pragma once

#include <QString>
#include <QUrl>
#include <QWebEngineUrlSchemeHandler>

// The pane shows the preview under a scheme of its own, at the address of the
// document's own file: marklet-preview://page/home/anna/sito/index.htm. The
// page's relative addresses ("pic.png", "../css/site.css", "/img/logo.png",
// "#part") then resolve as they would for the saved page, while the text
// served for that one address is the preview file's.
//
// Every other address of the page's origin is sent on to the same path under
// marklet-preview://files/, which serves the file at that path: the files the
// page shows come from another origin than the page's, so its scripts cannot
// read them (a frame showing a text file is closed to them), while pictures,
// stylesheets, scripts, fonts and frames load as from any server that allows
// it. The page keeps an origin of its own (its storage works). Files
// addressed with file: still load as pictures, styles or scripts.
namespace preview_scheme {

inline constexpr char name[] = "marklet-preview";

// Registers the scheme; once, before the first web engine profile is made.
void register_scheme();

// The address of the page at `page_path`; `load` (a number) tells one load
// of it from the next.
QUrl page_url(const QString& page_path, int load);

} // namespace preview_scheme

// Serves the scheme's addresses: the page's own address gives the preview
// file, with its character set; the files' addresses give the file at their
// path (regular files only), with the type its name tells. The temporary
// stylesheet of any Marklet gives this Marklet's.
class PreviewSchemeHandler : public QWebEngineUrlSchemeHandler {
  public:
    using QWebEngineUrlSchemeHandler::QWebEngineUrlSchemeHandler;
    void set_page(const QString& page_path, const QString& preview_file, const QByteArray& charset);
    void requestStarted(QWebEngineUrlRequestJob* job) override;

  private:
    QString own_stylesheet(const QString& path) const;

    QString page_path_;
    QString preview_file_;
    QByteArray charset_;
};
