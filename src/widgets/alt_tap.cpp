#include "widgets/alt_tap.h"

#include <QCoreApplication>
#include <QKeyEvent>

AltTap::AltTap(std::function<bool(QObject*)> watched, QObject* parent)
    : QObject(parent), watched_(std::move(watched)) {
    QCoreApplication::instance()->installEventFilter(this);
}

AltTap::~AltTap() {
    QCoreApplication::instance()->removeEventFilter(this);
}

bool AltTap::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::ShortcutOverride: {
        // A key that makes a shortcut comes as ShortcutOverride only.
        if (!watched_(watched))
            break;
        const auto* key = static_cast<QKeyEvent*>(event);
        const bool alt_alone = key->key() == Qt::Key_Alt && !(key->modifiers() & ~Qt::AltModifier);
        if (!key->isAutoRepeat() || !alt_alone)
            pressed_ = alt_alone;
        break;
    }
    case QEvent::KeyRelease: {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Alt && pressed_ && watched_(watched)) {
            pressed_ = false;
            emit tapped();
        }
        break;
    }
    case QEvent::MouseButtonPress:
    case QEvent::Wheel:
    case QEvent::WindowDeactivate:
        pressed_ = false;
        break;
    default:
        break;
    }
    return false;
}
