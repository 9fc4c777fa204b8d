#pragma once

#include "document/document_codec.h"

#include <QList>
#include <QObject>
#include <QtGlobal>
#include <functional>

class CheckMarks;
class EditorDocument;
class EditorCompletion;
class PageChecker;
class QAction;
class QLabel;
class QsciScintilla;
class QWidget;

// Help while writing the page in an HTML edit area: completion of names and
// values, end tags written on "</", and the page checker with its marks, its
// count for the status bar and F8 / Shift+F8 from finding to finding.
//
// The window puts status_label() in its status bar and adds actions() to
// itself. Pages over the size at which the editor stops colouring
// (kHighlightLimit) are not checked. A page over kCheckOnArrivalLimit that
// arrives whole (opened) is checked at its first edit, or at once on F8 or
// Shift+F8, which then go on to the finding asked for: a check that large
// keeps a processor busy for seconds, which nobody asked for yet.
//
// A child of the editor; the label and the actions are the window's.
class WritingHelp : public QObject {
    Q_OBJECT
  public:
    // Past this size a check takes a processor for half a second and more
    // (about 0.4 ms a kilobyte).
    static constexpr qsizetype kCheckOnArrivalLimit = 1024 * 1024;

    // Over the document's edit control; the page's own declaration of its
    // encoding is checked against the encoding of the document's file.
    WritingHelp(EditorDocument& document, QWidget* window);

    // The document's file, its encoding or whether it is saved changed: a
    // declaration of the page's encoding is checked against the file's again.
    void file_changed();

    QLabel* status_label() const { return label_; }
    QList<QAction*> actions() const { return actions_; }
    PageChecker& checker() const { return *checker_; }
    CheckMarks& marks() const { return *marks_; }
    EditorCompletion& completion() const { return *completion_; }

  private:
    // The document's change notice: from `position`, `removed` bytes gave
    // way to `added`.
    void text_changed(qsizetype position, qsizetype removed, qsizetype added);
    // F8 (+1) or Shift+F8 (-1).
    void go(int direction);
    void show_count();

    EditorDocument& document_;
    QsciScintilla* editor_;
    EditorCompletion* completion_;
    PageChecker* checker_;
    CheckMarks* marks_;
    QLabel* label_;
    QList<QAction*> actions_;
    bool waiting_ = false; // a page arrived and is not checked yet
    int asked_ = 0;        // F8 (+1) or Shift+F8 (-1) waits for the check
};
