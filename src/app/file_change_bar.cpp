#include "app/file_change_bar.h"

#include "editor/editor_strips.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>

FileChangeBar::FileChangeBar(QWidget* editor)
    : QFrame(editor->parentWidget() ? editor->parentWidget() : editor), editor_(editor) {
    setObjectName(QStringLiteral("file_change_bar"));
    setAccessibleName(QStringLiteral("Avviso sul file"));
    setFrameShape(QFrame::StyledPanel);
    setAutoFillBackground(true);
    QPalette tint = palette();
    tint.setColor(QPalette::Window, QColor(255, 243, 205));
    tint.setColor(QPalette::WindowText, QColor(60, 45, 0));
    setPalette(tint);

    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(6, 2, 4, 2);
    text_ = new QLabel(this);
    text_->setObjectName(QStringLiteral("file_change_text"));
    text_->setTextFormat(Qt::PlainText);
    text_->setWordWrap(true);
    row->addWidget(text_, 1);
    reload_ = add_button("reload_button", QStringLiteral("Ricarica"), &FileChangeBar::reload_asked);
    save_ = add_button("save_button", QStringLiteral("Salva"), &FileChangeBar::save_asked);
    ignore_ = add_button("ignore_button", QStringLiteral("Ignora"), &FileChangeBar::ignore_asked);
    setToolTip(QStringLiteral("F6: vai all'avviso; Esc: Ignora"));

    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    escape->setContext(Qt::WidgetWithChildrenShortcut);
    connect(escape, &QShortcut::activated, ignore_, &QPushButton::click);
    hide();
}

QPushButton* FileChangeBar::add_button(const char* name, const QString& text,
                                       void (FileChangeBar::*asked)()) {
    auto* button = new QPushButton(text, this);
    button->setObjectName(QLatin1String(name));
    button->setAutoDefault(true); // Enter presses the button that has the focus
    layout()->addWidget(button);
    connect(button, &QPushButton::clicked, this, [this, asked] {
        // The keyboard goes back to the text before the answer is acted on.
        if (isAncestorOf(QApplication::focusWidget()))
            editor_->setFocus(Qt::OtherFocusReason);
        emit(this->*asked)();
    });
    return button;
}

void FileChangeBar::show_change(DiskChange change) {
    change_ = change;
    if (change == DiskChange::None) {
        if (isAncestorOf(QApplication::focusWidget()))
            editor_->setFocus(Qt::OtherFocusReason);
        hide();
        return;
    }
    const bool removed = change == DiskChange::Removed;
    text_->setText(removed ? QStringLiteral("Il file è stato eliminato o spostato.")
                           : QStringLiteral("Il file è stato modificato da un altro programma."));
    reload_->setVisible(!removed);
    save_->setVisible(removed);
    show();
    if (auto* strips = EditorStrips::of(editor_); strips->is_docked(this))
        strips->update();
}

void FileChangeBar::take_focus() {
    if (isVisible())
        (reload_->isVisible() ? reload_ : save_)->setFocus(Qt::ShortcutFocusReason);
}

void FileChangeBar::showEvent(QShowEvent* event) {
    QFrame::showEvent(event);
    if (parentWidget() != editor_)
        EditorStrips::of(editor_)->dock(this, EditorStrips::Edge::Top, [this](int width) {
            const int height = heightForWidth(width);
            return height > 0 ? height : sizeHint().height();
        });
}

void FileChangeBar::hideEvent(QHideEvent* event) {
    QFrame::hideEvent(event);
    // Only an explicit hide gives the room back, not the window being hidden.
    if (isHidden() && parentWidget() != editor_)
        EditorStrips::of(editor_)->undock(this);
}
