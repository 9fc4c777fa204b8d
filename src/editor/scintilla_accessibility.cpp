#include "editor/scintilla_accessibility.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QList>
#include <QPointer>
#include <Qsci/qsciscintillabase.h>

namespace scintilla_accessibility {
namespace {

constexpr auto kLeanMask = QsciScintillaBase::SC_MOD_BEFOREINSERT |
                           QsciScintillaBase::SC_MOD_BEFOREDELETE |
                           QsciScintillaBase::SC_MOD_CHANGEFOLD;
constexpr auto kFullMask = QsciScintillaBase::SC_MODEVENTMASKALL;

bool accessibility_on = false;

// Held as plain objects: Qt still asks about a widget while it is being
// destroyed, when it is no longer a QsciScintillaBase. Like the observer
// below, never destroyed: Qt may still call in while the program exits, after
// function statics are gone (an application object destroyed at exit).
QList<QPointer<QObject>>& editors() {
    static auto* list = new QList<QPointer<QObject>>;
    return *list;
}

bool is_managed(QObject* object) {
    for (const auto& editor : editors()) {
        if (editor == object)
            return true;
    }
    return false;
}

// Consulted before QScintilla's own factory (Qt asks the newest first), for
// every object Qt describes: an object that is not one of ours is only
// compared, never called (the pane's items come from a library built without
// type information, and may be half made).
QAccessibleInterface* plain_interface(const QString&, QObject* object) {
    if (accessibility_on || !object || !is_managed(object) || !object->isWidgetType())
        return nullptr;
    return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::EditableText);
}

void apply(QsciScintillaBase* editor) {
    editor->SendScintilla(QsciScintillaBase::SCI_SETMODEVENTMASK,
                          (unsigned long)(accessibility_on ? kFullMask : kLeanMask));
}

// Drops the interface Qt keeps for `editor`, so the next question builds the
// one that fits the new state.
void forget_interface(QsciScintillaBase* editor) {
    if (QAccessibleInterface* cached = QAccessible::queryAccessibleInterface(editor))
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(cached));
}

class Observer : public QAccessible::ActivationObserver {
  public:
    void accessibilityActiveChanged(bool active) override {
        if (active == accessibility_on)
            return;
        accessibility_on = active;
        editors().removeAll(nullptr);
        for (const auto& object : editors()) {
            if (auto* editor = qobject_cast<QsciScintillaBase*>(object.data())) {
                forget_interface(editor);
                apply(editor);
            }
        }
    }
};

void install_once() {
    static bool installed = false;
    if (installed)
        return;
    installed = true;
    accessibility_on = QAccessible::isActive();
    QAccessible::installFactory(plain_interface);
    static auto* observer = new Observer;
    QAccessible::installActivationObserver(observer);
}

} // namespace

void manage(QsciScintillaBase* editor) {
    install_once();
    editors().removeAll(nullptr);
    if (!is_managed(editor)) {
        editors().append(editor);
        // Qt may have made QScintilla's interface already: at the first show,
        // or when the widget was named for accessibility.
        if (!accessibility_on)
            forget_interface(editor);
    }
    apply(editor);
}

bool lean() {
    install_once();
    return !accessibility_on;
}

} // namespace scintilla_accessibility
