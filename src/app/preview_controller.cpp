#include "app/preview_controller.h"

#include "app/status_presenter.h"
#include "dialogs/file_error_text.h"
#include "document/browser_copy.h"
#include "document/file_io.h"
#include "document/file_name.h"
#include "document/temp_files.h"
#include "editor/scintilla_edit_area.h"
#include "platform/launcher.h"
#include "preview/browser_host.h"
#include "preview/live_preview.h"

#include <QMainWindow>
#include <QScreen>
#include <Qsci/qsciscintilla.h>

PreviewController::PreviewController(QMainWindow& window, bool& enable_browser,
                                     EditorDocument& document, BrowserHost& host,
                                     Launcher& launcher, StatusPresenter& status)
    : QObject(&window), window_(window), enabled_(enable_browser), document_(document), host_(host),
      launcher_(launcher), status_(status), source_(document),
      live_(new LivePreview(&host, source_, &window)) {
    // The one notice of each change of the text; the pane follows it by
    // patches, and the caret both ways.
    connect(&document_, &EditorDocument::changed, this, &PreviewController::write_preview);
    connect(live_, &LivePreview::load_wanted, this, &PreviewController::show_latest);
    connect(&document_.edit_area(), &ScintillaEditArea::caret_moved, this,
            &PreviewController::caret_moved);
    connect(live_, &LivePreview::element_chosen, this, &PreviewController::show_element);
    copy_timer_.setSingleShot(true);
    copy_timer_.setInterval(300);
    connect(&copy_timer_, &QTimer::timeout, this, [this] { write_browser_copy(); });
    connect(&host_, &BrowserHost::unavailable, this, [this](const QString& reason) {
        status_.failure(QStringLiteral("pane"),
                        QStringLiteral("Anteprima interna non disponibile: %1").arg(reason));
    });
    // A link clicked in the pane: web pages in the web browser (never in
    // Marklet), mail to the mail program.
    connect(&host_, &BrowserHost::link_requested, this, [this](const QUrl& url) {
        const bool mail = url.scheme() == u"mailto";
        tell(QStringLiteral("link"),
             mail ? launcher_.open_url(url) : launcher_.open_in_browser(url),
             QStringLiteral("Impossibile aprire %1").arg(url.toDisplayString()));
    });
    // What the page says while the pane is off is nobody's business.
    connect(&host_, &BrowserHost::script_message, this, [this](const QString& text) {
        if (enabled_)
            status_.notice(text, 10000);
    });
}

// Each failure stands in the status bar until the same thing succeeds.
void PreviewController::tell(const QString& key, bool ok, const QString& failure) {
    if (ok)
        status_.mended(key);
    else
        status_.failure(key, failure);
}

void PreviewController::stylesheet_changed() {
    live_->stylesheet_changed(temp_stylesheet_path());
}

void PreviewController::caret_moved() {
    if (enabled_)
        live_->caret_moved(document_.caret());
}

void PreviewController::show_element(qsizetype offset) {
    ScintillaEditArea& edit = document_.edit_area();
    edit.set_caret(edit.to_characters(offset));
    edit.widget()->ensureCursorVisible();
    edit.give_focus();
}

void PreviewController::write_preview() {
    // A page of another document (or read in another encoding) resolves its
    // addresses elsewhere: only a load of the new file shows it right.
    const bool same_page =
        document_.form().path == shown_path_ && document_.preview_charset() == shown_charset_;
    // The page first: its patch is on the way while the file is written. A
    // load the change needs reads the file later, after this has returned.
    const bool shown_first = same_page && !failed_;
    if (shown_first)
        live_->show_change();
    const FileError error = document_.write_preview(preview_file_path());
    if (error.failed()) {
        // Typing goes on; the user learns once why the preview file (what a
        // load and the external browsers read) stands still.
        if (!failed_)
            tell(QStringLiteral("preview"), false,
                 QStringLiteral("Anteprima non aggiornata: %1").arg(describe(error)));
        failed_ = true;
        return;
    }
    if (failed_)
        status_.mended(QStringLiteral("preview"));
    failed_ = false;
    written_charset_ = document_.preview_charset();
    ++writes_;
    if (copy_wanted_)
        copy_timer_.start();
    if (shown_first)
        return;
    if (same_page)
        live_->show_change();
    else
        live_->load_again();
}

void PreviewController::encoding_may_have_changed() {
    if (writes_ > 0 && document_.preview_charset() != written_charset_)
        write_preview();
}

void PreviewController::show_latest() {
    shown_path_ = document_.form().path;
    shown_charset_ = document_.preview_charset();
    host_.set_document(shown_path_, shown_charset_, temp_stylesheet_path());
    host_.show_latest();
}

void PreviewController::toggle() {
    // A maximised or full-screen window keeps its size: the pane takes the
    // right part of it (widening it would put the pane beyond the screen).
    // Only a window widened for the pane is narrowed again: the first showing
    // of the pane makes a new native window, which may forget that it was
    // maximised.
    const bool sized_by_screen =
        window_.windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen);
    if (!enabled_) {
        widened_ = !sized_by_screen;
        if (widened_)
            widen();
        host_.show();
        enabled_ = true;
        shown_path_ = document_.form().path;
        shown_charset_ = document_.preview_charset();
        host_.set_document(shown_path_, shown_charset_, temp_stylesheet_path());
        host_.navigate(QUrl::fromLocalFile(preview_file_path()));
    } else {
        if (widened_ && !sized_by_screen)
            narrow();
        host_.hide();
        enabled_ = false;
    }
}

void PreviewController::widen() {
    const QRect frame = window_.frameGeometry();
    const int margins = frame.width() - window_.width();
    before_ = QRect(window_.pos(), window_.size());
    // Twice as wide, but no wider than the screen's room for windows (nor
    // narrower than it is), and moved left as far as it must to stay on it.
    int outer = 2 * frame.width();
    QPoint at = window_.pos();
    if (QScreen* screen = window_.screen()) {
        const QRect room = screen->availableGeometry();
        outer = std::max(frame.width(), std::min(outer, room.width()));
        at.setX(std::max(room.left(), std::min(at.x(), room.right() + 1 - outer)));
    }
    window_.resize(outer - margins, window_.height());
    if (at != window_.pos())
        window_.move(at);
    widened_to_ = QRect(at, QSize(outer - margins, window_.height()));
}

void PreviewController::narrow() {
    if (window_.width() != widened_to_.width()) {
        // Resized since: half the width the user gave it.
        const int outer = window_.frameGeometry().width();
        window_.resize(window_.width() - (outer - outer / 2), window_.height());
        return;
    }
    // As the user had it, and where, unless moved since.
    window_.resize(before_.width(), window_.height());
    if (window_.pos() == widened_to_.topLeft() && before_.topLeft() != window_.pos())
        window_.move(before_.topLeft());
}

QString PreviewController::write_browser_copy() {
    const QString document = document_.form().path;
    if (document.isEmpty())
        return QString();
    // The copy is made from the preview file itself: the same bytes, in the
    // same encoding, as the pane shows.
    const ReadResult preview = read_whole_file(preview_file_path());
    if (!preview.ok())
        return describe(preview.error);
    return describe(
        write_temp_file(browser_copy_path(), browser_copy(preview.bytes, file_url(document),
                                                          QUrl::fromLocalFile(browser_copy_path()),
                                                          temp_stylesheet_path())));
}

QString PreviewController::page_for_browsers() {
    if (document_.form().path.isEmpty())
        return preview_file_path(); // no folder of its own: as the pane shows it
    copy_wanted_ = true;
    copy_timer_.stop();
    const QString error = write_browser_copy();
    tell(QStringLiteral("browser copy"), error.isEmpty(),
         QStringLiteral("Anteprima per il browser non scritta: %1").arg(error));
    if (!error.isEmpty())
        return QString();
    return browser_copy_path();
}

void PreviewController::open_in_default_browser() {
    const QString page = page_for_browsers();
    if (page.isEmpty())
        return;
    tell(QStringLiteral("browser"), launcher_.open_in_browser(QUrl::fromLocalFile(page)),
         QStringLiteral("Nessun browser web predefinito trovato: anteprima non aperta"));
}

void PreviewController::open_in_firefox() {
    const QString page = page_for_browsers();
    if (page.isEmpty())
        return;
    tell(QStringLiteral("firefox"), launcher_.start(QStringLiteral("firefox"), {page}),
         QStringLiteral("Impossibile avviare Mozilla Firefox"));
}
