#include "app/window_operations.h"

#include "app/keys_window.h"
#include "app/preview_controller.h"
#include "app/snippet_insertion.h"
#include "app/zoom_keys.h"
#include "document/document_session.h"
#include "document/temp_files.h"
#include "editor/scintilla_edit_area.h"
#include "platform/asker.h"
#include "platform/dialog_provider.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QHash>
#include <QMainWindow>
#include <Qsci/qsciscintilla.h>

#include <functional>

WindowOperations::WindowOperations(QMainWindow& window, QsciScintilla* editor,
                                   ScintillaEditArea& edit, BrowserHost* pane,
                                   PreviewController& preview, Asker& asker, CssDialogs css_dialogs)
    : QObject(&window), window_(window), editor_(editor), edit_(edit), preview_(preview),
      asker_(asker), css_dialogs_(std::move(css_dialogs)),
      zoom_keys_(new ZoomKeys(&window, editor, pane)) {}

void WindowOperations::insert(const QString& start, const QString& stop) {
    insert_snippet(edit_, start, stop);
}

void WindowOperations::run_command(TagCommand command) {
    if (const auto snippet = command(asker_))
        insert(snippet->open, snippet->close);
}

void WindowOperations::tag_chosen(const QString& name) {
    insert(u'<' + name + u'>', QStringLiteral("</") + name + u'>');
}

void WindowOperations::colore() {
    const QString colour = asker_.colour(QStringLiteral("Seleziona un colore"));
    if (colour.isEmpty())
        return;
    insert(colour, {});
    // The confirmation says the colour is on the clipboard: make it so.
    QGuiApplication::clipboard()->setText(colour);
    asker_.inform(QStringLiteral("Il colore è stato copiato negli appunti"));
    edit_.give_focus();
}

void WindowOperations::tmp_stylesheet() {
    insert(QStringLiteral("<link rel=\"STYLESHEET\" type=\"text/css\" href=\"") +
               temp_stylesheet_path() + QStringLiteral("\">"),
           {});
}

void WindowOperations::css_editor() {
    // One window at a time; closing it discards it, so the next opens afresh.
    if (!css_window_) {
        css_window_ = new css_edit(
            css_state_, [this] { preview_.stylesheet_changed(); },
            css_dialogs_ ? css_dialogs_() : nullptr, &window_);
        css_window_->setAttribute(Qt::WA_DeleteOnClose);
    }
    css_window_->show();
    css_window_->raise();
    css_window_->activateWindow();
}

namespace {

QWidget* zoomed(QMainWindow& window, QsciScintilla* editor) {
    return window.focusWidget() ? window.focusWidget() : editor;
}

} // namespace

void WindowOperations::zoom_in() {
    zoom_keys_->zoom(ZoomKeys::Zoom::In, zoomed(window_, editor_));
}

void WindowOperations::zoom_out() {
    zoom_keys_->zoom(ZoomKeys::Zoom::Out, zoomed(window_, editor_));
}

void WindowOperations::zoom_reset() {
    zoom_keys_->zoom(ZoomKeys::Zoom::Reset, zoomed(window_, editor_));
}

void WindowOperations::keys_window() {
    if (!keys_window_)
        keys_window_ = new KeysWindow(KeyTables{}, &window_);
    keys_window_->show();
    keys_window_->raise();
    keys_window_->activateWindow();
}

namespace {

template <typename Member> struct owner_of;
template <typename Result, typename Owner> struct owner_of<Result (Owner::*)()> {
    using type = Owner;
};

// An operation named by a member function of one of the window's parts,
// called on that part. What it returns is not wanted: a cancelled or failed
// operation has told the user already.
template <auto member> void on_part(const WindowParts& parts) {
    std::invoke(member, std::get<typename owner_of<decltype(member)>::type&>(parts));
}

} // namespace

WindowOperation window_operation(const QString& name) {
    static const QHash<QString, WindowOperation> operations = {
        {QStringLiteral("colore"), on_part<&WindowOperations::colore>},
        {QStringLiteral("tmp_stylesheet"), on_part<&WindowOperations::tmp_stylesheet>},
        {QStringLiteral("css_editor"), on_part<&WindowOperations::css_editor>},
        {QStringLiteral("Command2"), on_part<&PreviewController::toggle>},
        {QStringLiteral("Command3"), on_part<&PreviewController::open_in_default_browser>},
        {QStringLiteral("Command4"), on_part<&PreviewController::open_in_firefox>},
        {QStringLiteral("Command5"), on_part<&DocumentSession::open>},
        {QStringLiteral("Command1"), on_part<&DocumentSession::save_as>},
        {QStringLiteral("new_document"), on_part<&DocumentSession::new_document>},
        {QStringLiteral("quit"), on_part<&QWidget::close>},
        {QStringLiteral("zoom_in"), on_part<&WindowOperations::zoom_in>},
        {QStringLiteral("zoom_out"), on_part<&WindowOperations::zoom_out>},
        {QStringLiteral("zoom_reset"), on_part<&WindowOperations::zoom_reset>},
        {QStringLiteral("keys_window"), on_part<&WindowOperations::keys_window>},
    };
    return operations.value(name);
}
