#pragma once

// The main window on fake dialogs, launcher and browser pane, for the Qt tests
// that drive it end to end.

#include "app/form1.h"
#include "app/form1_parts.h"
#include "css_editor/css_edit.h"
#include "editor/scintilla_edit_area.h"
#include "support/fake_services.h"

#include <Qsci/qsciscintilla.h>
#include <QtTest>

struct MainWindow {
    std::unique_ptr<Form1> window;
    Form1Parts parts() const { return Form1Parts(*window); }
    FakeDialogs* dialogs = nullptr;
    FakeLauncher* launcher = nullptr;
    FakeBrowserPane* pane = nullptr; // made when the browser pane is first needed

    // With `real_pane`, the real Qt WebEngine pane (support/pane.h).
    void open(bool real_pane = false) {
        auto fake_dialogs = std::make_unique<FakeDialogs>();
        dialogs = fake_dialogs.get();
        pane = nullptr;
        Form1Services services = fake_services(std::move(fake_dialogs), &pane);
        launcher = static_cast<FakeLauncher*>(services.launcher.get());
        services.css_dialogs = [] { return std::make_unique<FakeDialogs>(); };
        if (real_pane)
            services.browser_factory = nullptr;
        window = std::make_unique<Form1>(std::move(services));
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        window->activateWindow();
    }
    // Closes both windows without their questions about unsaved changes.
    void close() {
        parts().editor()->setModified(false);
        if (parts().css_window())
            parts().css_window()->editor()->setModified(false);
        window.reset();
    }
    ScintillaEditArea& edit() { return parts().edit_area(); }
};
