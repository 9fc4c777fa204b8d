#pragma once

#include <QObject>

class DocumentSession;
class QLabel;
class QStatusBar;
class ScintillaEditArea;

// The permanent labels at the right of the main window's status bar: the
// caret's line and column ("status_position") and the document's encoding
// and line break ("status_form"), kept up to date.
//
// Ownership: a Qt child of the status bar, as are its labels; the edit area
// and the session outlive it.
// Keeps `label` at least as wide as `widest` would show, so that the window,
// made as small as it goes, cuts none of its usual texts.
void keep_whole(QLabel* label, const QString& widest);

class StatusLabels : public QObject {
  public:
    StatusLabels(QStatusBar* bar, ScintillaEditArea& edit, const DocumentSession& session);

  private:
    void show_position();
    void show_form();

    ScintillaEditArea& edit_;
    const DocumentSession& session_;
    QLabel* position_;
    QLabel* form_;
};
