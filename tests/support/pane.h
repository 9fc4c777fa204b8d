#pragma once

// The main window with the real Qt WebEngine pane switched on, for the
// tst_pane_* tests (run on a display of their own), and a fake launcher:
// scripts run in the page (the page's world) or in the program's own world,
// and a fresh load of the preview file to compare the patched page against.

#include "preview/browser_host.h"
#include "preview/live_preview.h"
#include "support/main_window.h"

struct PaneWindow : MainWindow {
    // Shows the window on `text` and switches the pane on; false when the
    // pane did not come or did not show the text.
    bool open(const QString& text = {}) {
        MainWindow::open(true);
        if (!window || !QTest::qWaitForWindowExposed(window.get()))
            return false;
        if (!text.isEmpty())
            edit().set_text(text);
        window->run_item(QStringLiteral("Command2"));
        return host()->pane() && (text.isEmpty() ? settled() : settle());
    }
    ~PaneWindow() {
        if (window)
            close();
    }
    BrowserHost* host() const { return window->browser(); }
    LivePreview* live() const { return parts().live_preview(); }
    // The widget that takes the page's input.
    QWidget* page_widget() const { return host()->pane()->widget()->focusProxy(); }
    // No load in flight (nor one to follow).
    bool settled(int ms = 20000) const {
        return QTest::qWaitFor([this] { return !host()->load_in_flight(); }, ms);
    }
    // The page shown and every script sent to it run.
    bool settle() const {
        if (!QTest::qWaitFor([&] { return host()->shows_page(); }, 30000))
            return false;
        if (!own(QStringLiteral("1")).isValid())
            return false;
        // Our script checks the new page before patches go to it (on the
        // first page of a new renderer, a loaded machine takes seconds).
        (void)QTest::qWaitFor([&] { return live()->in_step(); }, 6000);
        return true;
    }
    // The page's answer to a script, or "(no answer)"; the same in the
    // program's own world, or an invalid QVariant.
    QVariant eval(const QString& script, int ms = 10000) const {
        return run(script, false, ms).value_or(QStringLiteral("(no answer)"));
    }
    QVariant own(const QString& script) const {
        return run(script, true, 10000).value_or(QVariant());
    }
    // Waits until the page's answer to `script` is `expected`. Each answer is
    // asked once: a page slow to answer (a new renderer on a busy machine)
    // only makes the wait longer, it never turns a shown answer back.
    bool answers(const QString& script, const QVariant& expected, int ms = 15000) const {
        return QTest::qWaitFor([&] { return eval(script) == expected; }, ms);
    }
    // A real mouse click on the middle of the page's element that `selector`
    // finds, scrolled into view first.
    void click(const QString& selector, Qt::KeyboardModifiers keys = {}) const {
        const QVariantList box = eval(QStringLiteral("(el => { el.scrollIntoView({block: "
                                                     "'center'}); const r = "
                                                     "el.getBoundingClientRect(); return [r.x + "
                                                     "r.width / 2, r.y + r.height / 2] })("
                                                     "document.querySelector(\"%1\"))")
                                          .arg(selector))
                                     .toList();
        QTest::mouseClick(page_widget(), Qt::LeftButton, keys,
                          box.size() == 2
                              ? QPoint(qRound(box[0].toDouble()), qRound(box[1].toDouble()))
                              : QPoint());
    }

    // The page as it stands: its markup and a digest of every element's
    // computed style (the pane's outline left out).
    QString snapshot() const {
        // Pictures a patch put in are still coming (or failing) meanwhile.
        (void)QTest::qWaitFor(
            [&] {
                return eval(QStringLiteral("Array.from(document.images).every(i => i.complete)")) ==
                       true;
            },
            5000);
        return eval(QStringLiteral(R"(
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
    QString fresh_snapshot() const {
        host()->show_latest();
        return settle() ? snapshot() : QStringLiteral("(the page did not load)");
    }

  private:
    // The answer may come after the wait has given up: it must not land on a
    // stack frame that is gone.
    std::optional<QVariant> run(const QString& script, bool own_world, int ms) const {
        auto answer = std::make_shared<std::optional<QVariant>>();
        const auto take = [answer](const QVariant& value) { *answer = value; };
        own_world ? host()->pane()->run_own_script(script, take)
                  : host()->pane()->run_script(script, take);
        (void)QTest::qWaitFor([&] { return answer->has_value(); }, ms);
        return *answer;
    }
};
