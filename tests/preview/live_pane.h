#pragma once

// The real main window with the real Qt WebEngine pane switched on, for the
// tests of the live preview: scripts run in the page (the page's world) or
// in the program's own world, and a fresh load of the preview file to
// compare the patched page against.

#include "app/form1.h"
#include "app/form1_parts.h"
#include "editor/scintilla_edit_area.h"
#include "preview/browser_host.h"
#include "preview/live_preview.h"
#include "support/fakes.h"

#include <Qsci/qsciscintilla.h>
#include <QtTest>

struct LivePane {
    std::unique_ptr<Form1> window;
    Form1Parts parts() const { return Form1Parts(*window); }

    // Opens the window on `text` and waits until the pane shows it.
    bool open(const QString& text) {
        Form1Services services;
        services.dialogs = std::make_unique<FakeDialogs>();
        services.launcher = std::make_unique<FakeLauncher>();
        window = std::make_unique<Form1>(std::move(services));
        window->show();
        if (!QTest::qWaitForWindowExposed(window.get()))
            return false;
        parts().edit_area().set_text(text);
        window->run_item(QStringLiteral("Command2"));
        return host()->pane() && settle();
    }
    ~LivePane() {
        if (window)
            parts().editor()->setModified(false);
    }

    BrowserHost* host() const { return window->browser(); }
    LivePreview* live() const { return parts().live_preview(); }
    ScintillaEditArea& edit() const { return parts().edit_area(); }

    // Waits until no load is in flight and every script sent has run.
    bool settle() {
        if (!QTest::qWaitFor([&] { return host()->shows_page(); }, 30000))
            return false;
        if (!own(QStringLiteral("1")).isValid())
            return false;
        // Our script checks the new page before patches go to it (on the
        // first page of a new renderer, a loaded machine takes seconds).
        (void)QTest::qWaitFor([&] { return live()->in_step(); }, 6000);
        return true;
    }

    QVariant page(const QString& script) { return run(script, false); }
    QVariant own(const QString& script) { return run(script, true); }

    QVariant run(const QString& script, bool own_world) {
        QVariant result;
        bool done = false;
        auto answer = [&](const QVariant& value) {
            result = value;
            done = true;
        };
        if (own_world)
            host()->pane()->run_own_script(script, answer);
        else
            host()->pane()->run_script(script, answer);
        if (!QTest::qWaitFor([&] { return done; }, 10000))
            return QVariant();
        return result;
    }

    // The page as it stands: its markup and a digest of every element's
    // computed style (the pane's outline left out).
    QString snapshot() {
        // Pictures a patch put in are still coming (or failing) meanwhile.
        (void)QTest::qWaitFor(
            [&] {
                return page(QStringLiteral("Array.from(document.images).every(i => i.complete)"))
                    .toBool();
            },
            5000);
        return page(QStringLiteral(R"(
            (() => {
                const styles = [];
                for (const el of document.querySelectorAll('*')) {
                    const cs = getComputedStyle(el);
                    let h = 0;
                    for (let i = 0; i < cs.length; ++i) {
                        const name = cs[i];
                        if (name.startsWith('outline'))
                            continue;
                        const s = name + ':' + cs.getPropertyValue(name) + ';';
                        for (let k = 0; k < s.length; ++k)
                            h = (h * 31 + s.charCodeAt(k)) | 0;
                    }
                    styles.push(h);
                }
                return document.documentElement.outerHTML + '\n' + styles.join(',');
            })())"))
            .toString();
    }

    // The same after loading the preview file afresh.
    QString fresh_snapshot() {
        const QVariant scroll = page(QStringLiteral("window.scrollY"));
        host()->show_latest();
        if (!settle())
            return QStringLiteral("(the page did not load)");
        (void)scroll;
        return snapshot();
    }
};
