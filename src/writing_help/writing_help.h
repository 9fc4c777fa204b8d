#pragma once

#include "document/document_codec.h"

#include <QList>
#include <QObject>
#include <functional>

class CheckMarks;
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
// (kHighlightLimit) are not checked.
//
// A child of the editor; the label and the actions are the window's.
class WritingHelp : public QObject {
    Q_OBJECT
  public:
    // `file_encoding`: what the document's file is saved in (the page's own
    // declaration of its encoding is checked against it); unset: UTF-8.
    WritingHelp(QsciScintilla* editor, QWidget* window,
                std::function<Encoding()> file_encoding = {});

    QLabel* status_label() const { return label_; }
    QList<QAction*> actions() const { return actions_; }
    PageChecker& checker() const { return *checker_; }
    CheckMarks& marks() const { return *marks_; }
    EditorCompletion& completion() const { return *completion_; }

  private:
    void show_count();

    QsciScintilla* editor_;
    EditorCompletion* completion_;
    PageChecker* checker_;
    CheckMarks* marks_;
    QLabel* label_;
    QList<QAction*> actions_;
};
