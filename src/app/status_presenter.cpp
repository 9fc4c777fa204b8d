#include "app/status_presenter.h"

#include "app/elided_label.h"

#include <QStatusBar>
#include <algorithm>

namespace {

QString one_line(QString text) {
    return text.replace(u'\n', u' ');
}

} // namespace

StatusPresenter::StatusPresenter(QStatusBar* bar) : QObject(bar), label_(new ElidedLabel(bar)) {
    label_->setObjectName(QStringLiteral("status_message"));
    bar->addWidget(label_, 1);
    notice_timer_.setSingleShot(true);
    connect(&notice_timer_, &QTimer::timeout, this, [this] {
        notice_.clear();
        show_text();
    });
}

void StatusPresenter::notice(const QString& text, int timeout_ms) {
    notice_ = one_line(text);
    notice_timer_.start(timeout_ms);
    show_text();
}

void StatusPresenter::failure(const QString& key, const QString& text) {
    const auto same = [&](const Failure& f) { return f.key == key; };
    failures_.erase(std::remove_if(failures_.begin(), failures_.end(), same), failures_.end());
    failures_.push_back({key, one_line(text)});
    // The newest message: a notice shown before it has had its say.
    notice_.clear();
    notice_timer_.stop();
    show_text();
}

void StatusPresenter::mended(const QString& key) {
    const auto same = [&](const Failure& f) { return f.key == key; };
    const auto end = std::remove_if(failures_.begin(), failures_.end(), same);
    if (end == failures_.end())
        return;
    failures_.erase(end, failures_.end());
    show_text();
}

QString StatusPresenter::text() const {
    if (!notice_.isEmpty())
        return notice_;
    return failures_.empty() ? QString() : failures_.back().text;
}

void StatusPresenter::show_text() {
    label_->set_full_text(text());
}
