#pragma once

#include "platform/browser_pane.h"
#include "platform/dialog_provider.h"
#include "platform/launcher.h"
#include "preview/browser_host.h"

#include <QLabel>
#include <QStringList>
#include <deque>

// File and colour dialogs that answer from queues and count what was shown.
class FakeDialogs : public DialogProvider {
  public:
    std::optional<QString> open_file() override { return take(open_answers, ++opens); }
    std::optional<QString> save_file() override { return take(save_answers, ++saves); }
    std::optional<unsigned int> colour(const QString& title) override {
        colour_titles << title;
        if (colours.empty())
            return std::nullopt;
        const auto c = colours.front();
        colours.pop_front();
        return c;
    }
    QString remembered_path() const override { return remembered; }
    void set_remembered_path(const QString& path) override { remembered = path; }

    std::deque<std::optional<QString>> open_answers;
    std::deque<std::optional<QString>> save_answers;
    std::deque<std::optional<unsigned int>> colours;
    QStringList colour_titles;
    QString remembered;
    int opens = 0;
    int saves = 0;

  private:
    std::optional<QString> take(std::deque<std::optional<QString>>& answers, int) {
        if (answers.empty())
            return std::nullopt;
        auto a = answers.front();
        answers.pop_front();
        if (a)
            remembered = *a;
        return a;
    }
};

// Records the programs and URLs it was asked to start.
class FakeLauncher : public Launcher {
  public:
    bool start(const QString& program, const QStringList& arguments) override {
        started << program + u' ' + arguments.join(u' ');
        return succeed;
    }
    bool open_url(const QUrl& url) override {
        opened << url;
        return succeed;
    }
    bool open_in_browser(const QUrl& url) override {
        browsed << url;
        return succeed;
    }
    QStringList started;
    QList<QUrl> opened;
    QList<QUrl> browsed; // open_in_browser
    bool succeed = true;
};

// A browser pane that counts navigations and reloads. With `finish_at_once`
// every load ends immediately; otherwise the test ends them with finish().
class FakeBrowserPane : public BrowserPane {
  public:
    explicit FakeBrowserPane(QWidget* parent) : BrowserPane(parent), label_(new QLabel(parent)) {}
    QWidget* widget() override { return label_; }
    void navigate(const QUrl& url) override {
        navigations << url;
        done();
    }
    void reload() override {
        ++reloads;
        done();
    }
    void finish() { emit load_finished(); }
    void set_zoom(double factor) override { zoom = factor; }

    QList<QUrl> navigations;
    double zoom = 1.0;
    int reloads = 0;
    bool finish_at_once = true;

  private:
    void done() {
        if (finish_at_once)
            emit load_finished();
    }
    QLabel* label_;
};

// A factory that makes a FakeBrowserPane and tells the test where it is.
inline BrowserHost::Factory fake_browser_factory(FakeBrowserPane** made) {
    return [made](QWidget* parent, QString*) -> BrowserPane* {
        auto* pane = new FakeBrowserPane(parent);
        if (made)
            *made = pane;
        return pane;
    };
}
