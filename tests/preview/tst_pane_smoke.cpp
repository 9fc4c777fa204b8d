// The real Qt WebEngine pane in the real main window: switched on, it shows
// the preview file, and an edit reaches the page.

#include "app/form1.h"
#include "platform/qt/scintilla_edit_area.h"
#include "preview/browser_host.h"
#include "support/fakes.h"

#include <Qsci/qsciscintilla.h>
#include <QtTest>

class PaneSmoke : public QObject {
    Q_OBJECT
  private slots:
    void edit_reaches_page();
};

namespace {

QVariant evaluate(BrowserPane* pane, const QString& script) {
    QVariant result;
    bool done = false;
    pane->run_script(script, [&](const QVariant& value) {
        result = value;
        done = true;
    });
    if (!QTest::qWaitFor([&] { return done; }, 10000))
        return QStringLiteral("(no answer)");
    return result;
}

} // namespace

void PaneSmoke::edit_reaches_page() {
    Form1Services services;
    services.dialogs = std::make_unique<FakeDialogs>();
    services.launcher = std::make_unique<FakeLauncher>();
    Form1 window(std::move(services));
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    window.edit_area().set_text(QStringLiteral("<p id=\"x\">uno</p>"));
    window.run_item(QStringLiteral("Command2"));
    BrowserHost* host = window.browser();
    QVERIFY2(host->pane(), "the WebEngine plugin did not load");
    QTRY_VERIFY_WITH_TIMEOUT(!host->load_in_flight(), 20000);
    QTRY_COMPARE_WITH_TIMEOUT(
        evaluate(host->pane(), QStringLiteral("document.getElementById('x').textContent")),
        QVariant(QStringLiteral("uno")), 10000);
    window.edit_area().set_text(QStringLiteral("<p id=\"x\">due</p>"));
    QTRY_COMPARE_WITH_TIMEOUT(
        evaluate(host->pane(), QStringLiteral("document.getElementById('x').textContent")),
        QVariant(QStringLiteral("due")), 10000);
    window.editor()->setModified(false);
}

QTEST_MAIN(PaneSmoke)
#include "tst_pane_smoke.moc"
