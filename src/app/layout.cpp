#include "app/layout.h"

#include "platform/twips.h"

#include <QLabel>
#include <algorithm>

std::optional<PaneLayout> resize_rule(double W, double H) {
    if (!(W > 14760 && H > 8355))
        return std::nullopt;
    return PaneLayout{
        .edit_width = W / 2 - 180,
        .edit_height = H - kEditTop - 800,
        .browser_left = W / 2 + 40,
        .browser_width = W / 2 - 260,
        .browser_height = H - kBrowserTop - 800,
    };
}

int fitted_height(int top, int wanted, int room) {
    return std::clamp(wanted, 0, std::max(room - top, 0));
}

ControlPlaces::ControlPlaces(QWidget* edit, QWidget* pane)
    : edit_(edit), pane_(pane), edit_size_(edit->size()), pane_place_(pane->geometry()) {}

void ControlPlaces::apply(QSize outer, int room) {
    if (const auto layout = resize_rule(to_twips(outer.width()), to_twips(outer.height()))) {
        edit_size_ = QSize(twips(layout->edit_width), twips(layout->edit_height));
        pane_place_ = QRect(twips(layout->browser_left), pane_place_.y(),
                            twips(layout->browser_width), twips(layout->browser_height));
    }
    // The rule's margins assume a thin frame: with a taller title, menu or
    // status bar its sizes would reach below the client area, under the status
    // bar. Whatever does not fit is cut from the bottom instead.
    const QPoint edit_at(twips(75), twips(kEditTop));
    edit_->setGeometry(QRect(
        edit_at, QSize(edit_size_.width(), fitted_height(edit_at.y(), edit_size_.height(), room))));
    pane_->setGeometry(QRect(
        pane_place_.topLeft(),
        QSize(pane_place_.width(), fitted_height(pane_place_.y(), pane_place_.height(), room))));
}

void ControlPlaces::place_caption(QLabel* caption, const QWidget* list) {
    caption->setContentsMargins(0, 0, 4, 0);
    const int right = list->geometry().left();
    const int needed = std::max(twips(975), caption->sizeHint().width());
    const int left = std::max(right - needed, twips(1800 + 735) + 4);
    const int height = std::max(twips(255), caption->sizeHint().height());
    caption->setGeometry(left, twips(1320), right - left, height);
}
