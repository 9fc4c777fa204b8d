#pragma once

#include "widgets/caption_rows.h"

#include <QHash>
#include <QKeySequence>
#include <QPointer>
#include <QWidget>
#include <vector>

class AltTap;
class QMenu;

// The main window's menu bar. Unlike QMenuBar, which hides the captions that
// do not fit behind an extension button, this bar wraps them onto further
// rows, so every menu stays in sight and opens under its own caption; the
// window's layout gives it the height its rows need (heightForWidth).
//
// Keyboard, as on the desktop the program comes from:
// - Alt+letter opens the menu with that access key; pressing it again while
//   that menu is open (or highlighted) moves on to the next menu sharing the
//   key, round again after the last.
// - Alt alone or F10 highlights the first caption; Left and Right move along
//   the captions in order (across rows, round at the ends); Down, Up, Enter or
//   Space open the highlighted menu; a letter opens the menu of that key;
//   Escape, Alt or F10 give the focus back to where it was.
// - In an open menu, Left and Right open the neighbouring menu, Escape closes
//   it and leaves its caption highlighted.
//
// The bar's actions() are the menus' menuAction()s, in order, so captions
// read and change as on a QMenuBar.
//
// Ownership: the menus are Qt children of the bar.
class WrappingMenuBar : public QWidget {
    Q_OBJECT
  public:
    explicit WrappingMenuBar(QWidget* parent = nullptr);
    ~WrappingMenuBar() override;

    // A new menu at the end of the bar, its caption `title` ("&" marks the
    // access key).
    QMenu* addMenu(const QString& title);
    QList<QMenu*> menus() const;
    // Where the caption of menu `index` is drawn, in the bar's coordinates.
    QRect caption_rect(int index) const;
    // The menu shown now, or nullptr.
    QMenu* open_menu() const;
    // The caption highlighted for the keyboard, or -1.
    int highlighted() const { return keyboard_ ? current_ : -1; }
    // The number of rows the captions take at the bar's width.
    int rows() const;
    // Opens the menu of caption `index` under it (assistive technology's
    // "show menu").
    void open(int index) { popup(index, false); }

    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

  protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void actionEvent(QActionEvent* event) override;
    void changeEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

  private:
    CaptionRows arrange(int width) const;
    const std::vector<QSize>& caption_sizes() const;
    void relayout();
    int index_at(QPoint pos) const;
    int count() const { return int(actions().size()); }

    void popup(int index, bool by_keyboard);
    void close_popup();
    void on_menu_hidden(QMenu* menu);
    void enter_keyboard_mode(int index);
    // Tells assistive technology which caption the keyboard highlights.
    void tell_highlight();
    void leave_keyboard_mode();
    // Opens the next menu with the access key `key` (Alt+letter); false when
    // no menu has it.
    bool access_key(const QKeySequence& key);
    void grab_access_keys();
    void toggle_keyboard_mode();
    bool belongs_here(QObject* object) const;
    bool menu_event(QMenu* menu, QEvent* event);

    mutable std::vector<QSize> sizes_; // of each caption; empty: to measure
    CaptionRows arranged_;             // at the bar's width
    int current_ = -1;                 // highlighted or open caption
    int hover_ = -1;
    int open_ = -1;
    bool keyboard_ = false;
    bool switching_ = false;   // one menu closes because another opens
    bool back_to_bar_ = false; // the open menu closes by Escape
    AltTap* alt_tap_;
    QPointer<QWidget> focus_before_;
    QHash<int, QKeySequence> access_keys_; // shortcut id -> Alt+letter
    int f10_ = 0;
};
