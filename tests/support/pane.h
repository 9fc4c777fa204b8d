#pragma once

// The main window with the real Qt WebEngine pane switched on, for the
// tst_pane_* tests (run on a display of their own), and a fake launcher.

#include "app/form1.h"
#include "app/form1_parts.h"
#include "editor/scintilla_edit_area.h"
#include "preview/browser_host.h"
#include "support/fake_services.h"

#include <Qsci/qsciscintilla.h>
#include <QtTest>

struct PaneWindow {
    std::unique_ptr<Form1> window;
    Form1Parts parts() const { return Form1Parts(*window); }
    FakeLauncher* launcher = nullptr;

    // Shows the window and switches the pane on; false when the pane did not come.
    bool open() {
        Form1Services services = fake_services(std::make_unique<FakeDialogs>());
        services.browser_factory = nullptr; // the real pane
        launcher = static_cast<FakeLauncher*>(services.launcher.get());
        window = std::make_unique<Form1>(std::move(services));
        window->show();
        if (!QTest::qWaitForWindowExposed(window.get()))
            return false;
        window->run_item(QStringLiteral("Command2"));
        return host()->pane() && settled();
    }
    ~PaneWindow() {
        if (window)
            parts().editor()->setModified(false);
    }
    BrowserHost* host() const { return window->browser(); }
    ScintillaEditArea& edit() const { return parts().edit_area(); }
    // The widget that takes the page's input.
    QWidget* page_widget() const { return host()->pane()->widget()->focusProxy(); }
    // No load in flight (nor one to follow).
    bool settled(int ms = 20000) const {
        return QTest::qWaitFor([this] { return !host()->load_in_flight(); }, ms);
    }
    // The page's answer to a script, or "(no answer)".
    QVariant eval(const QString& script, int ms = 5000) const {
        // The answer may come after the wait has given up: it must not land on a
        // stack frame that is gone.
        auto answer = std::make_shared<std::optional<QVariant>>();
        host()->pane()->run_script(script, [answer](const QVariant& value) { *answer = value; });
        if (!QTest::qWaitFor([&] { return answer->has_value(); }, ms))
            return QStringLiteral("(no answer)");
        return **answer;
    }
    // Waits until the page's answer to `script` is `expected`. Each answer is
    // asked once: a page slow to answer (a new renderer on a busy machine)
    // only makes the wait longer, it never turns a shown answer back.
    bool answers(const QString& script, const QVariant& expected, int ms = 15000) const {
        return QTest::qWaitFor([&] { return eval(script) == expected; }, ms);
    }
    // A real mouse click on the middle of the page's element with that id.
    void click(const QString& id, Qt::KeyboardModifiers keys = {}) const {
        const QVariantList box =
            eval(QStringLiteral("(r => [r.x + r.width / 2, r.y + r.height / 2])("
                                "document.getElementById('%1').getBoundingClientRect())")
                     .arg(id))
                .toList();
        QTest::mouseClick(page_widget(), Qt::LeftButton, keys,
                          box.size() == 2 ? QPoint(box[0].toInt(), box[1].toInt()) : QPoint());
    }
};
