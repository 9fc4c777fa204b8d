#include "app/zoom_keys.h"

#include "preview/browser_host.h"
#include "widgets/widget_of.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWheelEvent>
#include <Qsci/qsciscintilla.h>

namespace {

// One notch of a mouse wheel.
constexpr int kNotch = 120;

template <typename T> T* enclosing(QWidget* widget) {
    for (; widget; widget = widget->parentWidget())
        if (auto* found = qobject_cast<T*>(widget))
            return found;
    return nullptr;
}

} // namespace

ZoomKeys::ZoomKeys(QWidget* window, QsciScintilla* editor, BrowserHost* pane)
    : QObject(window), window_(window), editor_(editor), pane_(pane) {
    qApp->installEventFilter(this);
}

ZoomKeys::~ZoomKeys() {
    qApp->removeEventFilter(this);
}

ZoomKeys::Zoom ZoomKeys::zoom_of(const QKeyEvent& key) {
    const Qt::KeyboardModifiers mods = key.modifiers();
    if (!(mods & Qt::ControlModifier) || (mods & (Qt::AltModifier | Qt::MetaModifier)))
        return Zoom::None;
    switch (key.key()) {
    case Qt::Key_Plus:
    case Qt::Key_Equal:
        return Zoom::In;
    case Qt::Key_Minus:
    case Qt::Key_Underscore:
        return Zoom::Out;
    case Qt::Key_0:
        return Zoom::Reset;
    default:
        break;
    }
    // Layouts that give these characters keys of other names.
    const QString text = key.text();
    if (text == u"+" || text == u"=")
        return Zoom::In;
    if (text == u"-")
        return Zoom::Out;
    if (text == u"0")
        return Zoom::Reset;
    return Zoom::None;
}

bool ZoomKeys::zoom(Zoom zoom, QWidget* where) {
    if (zoom == Zoom::None || !where)
        return false;
    if (BrowserHost* pane = enclosing<BrowserHost>(where); pane && pane == pane_) {
        pane->zoom(zoom == Zoom::In ? 1 : zoom == Zoom::Out ? -1 : 0);
        return true;
    }
    QsciScintilla* editor = enclosing<QsciScintilla>(where);
    if (!editor && where->window() == window_)
        editor = editor_;
    if (!editor)
        return false;
    if (zoom == Zoom::In)
        editor->zoomIn();
    else if (zoom == Zoom::Out)
        editor->zoomOut();
    else
        editor->zoomTo(0);
    return true;
}

bool ZoomKeys::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::ShortcutOverride:
    case QEvent::KeyPress: {
        const Zoom wanted = zoom_of(*static_cast<QKeyEvent*>(event));
        QWidget* widget = wanted == Zoom::None ? nullptr : widget_of(watched);
        if (!widget)
            return false;
        if (event->type() == QEvent::ShortcutOverride) {
            // Taken as a key of the widget, so no shortcut sees it; the
            // key press that follows zooms.
            const bool ours = (pane_ && enclosing<BrowserHost>(widget) == pane_) ||
                              enclosing<QsciScintilla>(widget) || widget->window() == window_;
            if (ours)
                event->accept();
            return ours;
        }
        return zoom(wanted, widget);
    }
    case QEvent::Wheel: {
        auto* wheel = static_cast<QWheelEvent*>(event);
        QWidget* widget = (wheel->modifiers() & Qt::ControlModifier) ? widget_of(watched) : nullptr;
        if (!widget)
            return false;
        if (!enclosing<QsciScintilla>(widget) && !(pane_ && enclosing<BrowserHost>(widget)))
            return false;
        wheel_ += wheel->angleDelta().y();
        for (; wheel_ >= kNotch; wheel_ -= kNotch)
            zoom(Zoom::In, widget);
        for (; wheel_ <= -kNotch; wheel_ += kNotch)
            zoom(Zoom::Out, widget);
        return true;
    }
    default:
        return false;
    }
}
