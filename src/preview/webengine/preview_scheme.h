#pragma once

#include <QString>
#include <QUrl>
#include <QWebEngineUrlSchemeHandler>

// The pane shows the preview under a scheme of its own, at the address of the
// document's own file: marklet-preview://page/home/anna/sito/index.htm. The
// page's relative addresses ("pic.png", "img/logo.png", "#part") then resolve
// as they would for the saved page, while the text served for that one
// address is the preview file's.
//
// What the page may load besides the network (PageFiles): the files under
// the document's own folder (its pictures, stylesheets, scripts, fonts,
// frames) and the temporary stylesheet; nothing else, whatever the form of
// the address (a file: address, "..", "%2e%2e", encoded slashes, an absolute
// path, another host). A path is taken as the file it names once every link
// in it is followed: a link in the folder that points out of it names a file
// outside. For a document never saved, the folder is the program's own
// folder of the preview file.
//
// Those files reach the page so that its scripts can show them but not read
// them (RequestGuard sends each request on its way):
// - pictures, stylesheets, media go to marklet-preview://files/<path>, which
//   answers a plain request with the file's own file: address (a file: load
//   is one a page may show but not read: a picture drawn into a canvas closes
//   the canvas, a stylesheet's rules stay closed) and refuses a request that
//   asks to read the data (CORS: crossorigin, modules);
// - a file shown in a frame comes from marklet-preview://d<number>/<path>,
//   an origin of its own worked out from its path: a page of the folder in a
//   frame runs its scripts there and reads nothing, nor is it read;
// - scripts and fonts, which a page may use but has no way to read, come
//   from the page's own origin (fonts and module scripts load only from
//   there).
// (Qt WebEngine treats every response of a scheme of its own as the page's
// own when a canvas or a stylesheet asks: only file: loads are closed.)
namespace preview_scheme {

inline constexpr char name[] = "marklet-preview";

// Registers the scheme; once, before the first web engine profile is made.
void register_scheme();

// The address of the page at `page_path`; `load` (a number) tells one load
// of it from the next.
QUrl page_url(const QString& page_path, int load);

} // namespace preview_scheme

// The files the page shown may load, as above.
class PageFiles {
  public:
    PageFiles();
    // The page's path (the document's own file, or the preview file for a
    // document never saved) and the temporary stylesheet.
    void set_page(const QString& page_path, const QString& stylesheet);
    // The path of the page's own address, as a request carries it.
    const QString& page_path() const { return page_path_; }
    // The file that `path` names when the page may load it (with every link
    // followed), else an empty string. The temporary stylesheet as earlier
    // versions named it, in a folder of each run
    // (<cache>/marklet/run-<...>/tmp.css, gone when that run ended), names
    // the one stylesheet there is now.
    QString allowed(const QString& path) const;
    // The type a file is served as (by its name).
    static QString type_of(const QString& file);
    // Scripts and fonts: what the page gets from its own origin.
    static bool is_script_or_font(const QString& type);

    // The addresses a file the page may load is served under (see above).
    static QUrl own_origin_url(const QString& file);
    static QUrl files_url(const QString& file);
    static QUrl frame_url(const QString& file);
    // The file's file: address with a mark that only this process can make:
    // the request guard lets it through (it came from the files' host).
    QUrl marked_file_url(const QString& file) const;
    bool is_marked(const QUrl& file_url) const;
    // The host of a frame's own origin for the file.
    static QString frame_host(const QString& file);

  private:
    bool names_stylesheet(const QString& path) const;
    QString mark(const QString& file) const;

    QByteArray key_; // of the marks, new in each process
    QString page_path_;
    QString folder_; // the page's folder, every link in it followed, ending in '/'
    QString stylesheet_;
};

// Serves the page's own address (the preview file, read in the character
// set its bytes declare; one that declares none, in the document's), at other paths of
// the page's host the scripts and fonts the page may load, files shown in
// frames from their own origins, and on the files' host the way to a file's
// file: address. Nothing else.
class PreviewSchemeHandler : public QWebEngineUrlSchemeHandler {
  public:
    PreviewSchemeHandler(const PageFiles& files, QObject* parent)
        : QWebEngineUrlSchemeHandler(parent), files_(files) {}
    // The file the page's address serves, and the character set of the
    // document it is written from.
    void set_preview_file(const QString& preview_file, const QByteArray& charset) {
        preview_file_ = preview_file;
        charset_ = charset;
    }
    void requestStarted(QWebEngineUrlRequestJob* job) override;

    // The type the page is served as. A page that names no character set
    // gets the document's: left to guess, the browser reads a page of plain
    // ASCII as Windows-1252, and then a UTF-8 letter typed into it as two
    // Windows-1252 ones. A page that may name one ("charset" or "encoding"
    // anywhere in it) is left to its own words.
    static QByteArray page_type(QByteArrayView page, const QByteArray& charset);

  private:
    const PageFiles& files_;
    QString preview_file_;
    QByteArray charset_;
};
