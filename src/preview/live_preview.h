#pragma once

#include "preview/source_map.h"

#include <QObject>
#include <QPoint>
#include <QTimer>

class BrowserHost;
class PreviewSource;

// Keeps the browser pane on the document without loading the page at every
// change: the change is patched into the page in place when the source map
// can prove the result is what a fresh load of the preview file would show,
// and the page loads again otherwise (a change in the head, in a script, or
// in markup the map cannot follow). Also: the element that holds the caret
// is outlined in the pane when the caret rests, Ctrl+click on an element in
// the pane asks for the caret at its start tag, and a change of the temporary
// stylesheet restyles the page in place.
//
// Patches are sent without waiting for the page's answer; the first one the
// page refuses makes it load again, and those after it are refused too.
//
// A child of the window that owns the host; the host outlives it.
class LivePreview : public QObject {
    Q_OBJECT
  public:
    // `source`: the document shown, which outlives this. A page that
    // finishes loading while a change of it is pending is not checked
    // against the text: the change's coming notice loads it again.
    LivePreview(BrowserHost* host, const PreviewSource& source, QObject* parent);

    // The preview file now holds the document's new text.
    void show_change();
    // The page must load again whatever changed (its document or encoding
    // changed, which a patch cannot carry).
    void load_again() {
        scroll_ = QPoint();
        reload();
    }
    // Where the page shown is scrolled, as it last told; a load keeps it.
    QPoint scroll() const { return scroll_; }
    // Off: every change loads the page again, as a benchmark's reference.
    void set_patching(bool on) { patching_ = on; }
    // The temporary stylesheet at `path` was written anew.
    void stylesheet_changed(const QString& path);
    // The caret moved to this byte of the text.
    void caret_moved(qsizetype offset);

    struct Counts {
        int patches = 0;    // changes patched into the page
        int reloads = 0;    // changes that loaded the page again
        int refused = 0;    // patches the page refused (then reloaded)
        int restyles = 0;   // stylesheet changes applied in place
        int mismatched = 0; // loaded pages whose elements were not the map's
    };
    const Counts& counts() const { return counts_; }
    const SourceMap& map() const { return map_; }
    // The page shown is the map's: changes are patched into it.
    bool in_step() const { return in_step_; }
    // The page refused a patch or its check: why (empty when all is well).
    QString trouble() const { return trouble_; }
    // How long the caret rests before the pane shows where it is.
    static constexpr int kRestMs = 150;
    static constexpr int kOutlineMs = 1200;
    static constexpr int kScriptTries = 200;
    static constexpr int kScriptWaitMs = 25;

  signals:
    // Ctrl+click in the pane: the caret belongs at this byte of the text.
    void element_chosen(qsizetype offset);
    // The preview file must be shown afresh in the pane (the full load a
    // patch falls back to).
    void load_wanted();

  private:
    void reload();
    void on_settled();
    void check_loaded(int generation, int tries);
    void on_message(const QString& message);
    void highlight();
    void send_patch(const SourceMap::Patch& patch);
    void refuse(int generation, const QString& why);
    QString piece(const QByteArray& bytes) const;
    QByteArray css_bytes(const QString& path) const;

    BrowserHost* host_;
    const PreviewSource& source_;
    SourceMap map_;
    QTimer rest_;
    qsizetype caret_ = -1;
    QPoint scroll_; // where the page shown is scrolled (as it last told)
    // Each load of the page is a generation: answers about an older one are
    // stale.
    int generation_ = 0;
    // The map describes the page shown (or being patched).
    bool in_step_ = false;
    bool patching_ = true;
    Counts counts_;
    QString trouble_;
};
