#pragma once

#include "document/document_session.h"
#include "editor/editor_style.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QObject>
#include <array>

class QsciScintilla;
class ScintillaEditArea;

// The one document the user edits, over the edit control: the text (its
// UTF-8 bytes, in the two runs the control keeps them in, and its
// revision), the file form (path, encoding, line break) as the document
// session sets it, the save point, and the rule for the preview file's
// bytes. It is the session's buffer. Very large documents are shown plain
// (see kHighlightLimit).
//
// One notice per change: changed(), in UTF-8 bytes, given once per change
// after the frame that shows it has been painted (a keystroke, a paste, an
// undo: see ScintillaEditArea) or at the end of a change the program makes
// (a command's insertion, a load, a reload). revision() is always current:
// it moves as each modification is made, before the notice, so a reader
// can tell that what it read is stale.
//
// A child of the edit control, as is the binding it makes.
class EditorDocument : public QObject, public DocumentBuffer {
    Q_OBJECT
  public:
    // `style`: the colouring a loaded text gets back after a plain one (the
    // main window's HTML, the CSS editor's stylesheet).
    explicit EditorDocument(QsciScintilla* widget,
                            void (*style)(QsciScintilla*) = style_html_editor);

    ScintillaEditArea& edit_area() const { return *edit_; }

    // The session's buffer.
    const FileForm& form() const override { return form_; }
    void set_form(const FileForm& form) override;
    void load(QByteArrayView utf8, qsizetype file_size) override;
    void reload(QByteArrayView utf8) override;
    std::array<QByteArrayView, 2> utf8_parts() const override;
    QString text() const override;
    bool is_modified() const override;
    void set_save_point() override;
    void replace(qsizetype from, qsizetype to, QByteArrayView utf8) override;

    quint64 revision() const;
    // The text's length in UTF-8 bytes.
    qsizetype size() const;
    // A change has been made whose notice has not been given yet.
    bool change_pending() const;
    // The caret, as a byte of the text.
    qsizetype caret() const;

    // The preview file: the text in Windows-1252 for a document kept in it
    // (characters it lacks as numeric references), else in UTF-8, whatever
    // the document's own file is in. The charset it is read with, a piece of
    // the text as the file's bytes, and the whole file written at `path`
    // (what failed, if anything).
    QByteArray preview_charset() const;
    bool preview_is_utf8() const;
    QByteArray preview_bytes(QByteArrayView utf8) const;
    FileError write_preview(const QString& path) const;

  signals:
    // From byte `position`, `removed` bytes of the text gave way to `added`
    // bytes; `revision` is revision() after the change.
    void changed(qsizetype position, qsizetype removed, qsizetype added, quint64 revision);

  private:
    ScintillaEditArea* edit_;
    void (*style_)(QsciScintilla*);
    FileForm form_;
};
