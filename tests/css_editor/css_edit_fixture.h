#pragma once

// A CSS editor window with fake dialogs, scripted message boxes and a counter
// of preview reloads, for the Qt tests of the window.

#include "css_editor/css_edit.h"
#include "document/temp_files.h"
#include "platform/qt/scintilla_edit_area.h"
#include "support/fakes.h"
#include "support/files.h"

#include <QtTest>
#include <deque>

// Answers the window's message boxes from a queue and records them.
struct ScriptedMessages {
    struct Shown {
        QMessageBox::Icon icon;
        QString title, text;
        QMessageBox::StandardButtons buttons;
    };
    QList<Shown> shown;
    std::deque<QMessageBox::StandardButton> answers;

    QStringList titles() const {
        QStringList list;
        for (const Shown& s : shown)
            list << s.title;
        return list;
    }
};

struct CssEditFixture {
    CssEditorState state;
    int reloads = 0;
    FakeDialogs* dialogs = nullptr;
    ScriptedMessages messages;
    std::unique_ptr<css_edit> window;

    // A new window on the same state, as the main window makes one each time
    // the editor is opened.
    void open_window() {
        auto fake = std::make_unique<FakeDialogs>();
        dialogs = fake.get();
        window = std::make_unique<css_edit>(
            state, [this] { ++reloads; }, std::move(fake));
        window->set_message_box([this](QMessageBox::Icon icon, const QString& title,
                                       const QString& text, QMessageBox::StandardButtons buttons) {
            messages.shown.append({icon, title, text, buttons});
            if (messages.answers.empty())
                return QMessageBox::NoButton;
            const auto answer = messages.answers.front();
            messages.answers.pop_front();
            return answer;
        });
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    }

    ScintillaEditArea& edit() { return window->edit_area(); }

    template <typename T> T* child(const QString& name) {
        T* found = window->findChild<T*>(name);
        if (!found)
            qWarning("no control named %s", qPrintable(name));
        return found;
    }
};

inline QByteArray temp_stylesheet_bytes() {
    return read_bytes(temp_stylesheet_path());
}
