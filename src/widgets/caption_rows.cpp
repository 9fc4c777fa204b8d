#include "widgets/caption_rows.h"

#include <QAction>
#include <QKeySequence>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionMenuItem>
#include <QWidget>
#include <algorithm>

CaptionRows arrange_captions(const std::vector<QSize>& sizes, int width,
                             const CaptionMetrics& metrics) {
    int row_height = metrics.row_height;
    for (const QSize& size : sizes)
        row_height = std::max(row_height, size.height());

    CaptionRows result;
    const int left = metrics.frame + metrics.hmargin;
    const int right = width - metrics.frame - metrics.hmargin;
    int x = left;
    int y = metrics.frame + metrics.vmargin;
    result.rows = 1;
    for (const QSize& size : sizes) {
        if (size.isEmpty()) {
            result.captions.emplace_back();
            continue;
        }
        if (x > left && x + size.width() > right) {
            x = left;
            y += row_height;
            ++result.rows;
        }
        result.captions.emplace_back(x, y, size.width(), row_height);
        x += size.width() + metrics.spacing;
    }
    result.height = y + row_height + metrics.vmargin + metrics.frame;
    return result;
}

int one_row_width(const std::vector<QSize>& sizes, const CaptionMetrics& metrics) {
    int width = 2 * (metrics.frame + metrics.hmargin);
    for (const QSize& size : sizes)
        width += size.isEmpty() ? 0 : size.width() + metrics.spacing;
    return width;
}

CaptionMetrics caption_metrics(const QWidget* bar) {
    const QStyle* style = bar->style();
    CaptionMetrics m;
    m.frame = style->pixelMetric(QStyle::PM_MenuBarPanelWidth, nullptr, bar);
    m.hmargin = style->pixelMetric(QStyle::PM_MenuBarHMargin, nullptr, bar);
    m.vmargin = style->pixelMetric(QStyle::PM_MenuBarVMargin, nullptr, bar);
    m.spacing = style->pixelMetric(QStyle::PM_MenuBarItemSpacing, nullptr, bar);
    m.row_height = bar->fontMetrics().height();
    return m;
}

std::vector<QSize> measure_captions(const QWidget* bar, const QList<QAction*>& actions) {
    std::vector<QSize> sizes;
    for (QAction* action : actions) {
        if (!action->isVisible()) {
            sizes.emplace_back();
            continue;
        }
        QStyleOptionMenuItem option;
        option.initFrom(bar);
        option.menuItemType = QStyleOptionMenuItem::Normal;
        option.text = action->text();
        const QSize text = bar->fontMetrics().size(Qt::TextShowMnemonic, action->text());
        sizes.push_back(bar->style()->sizeFromContents(QStyle::CT_MenuBarItem, &option, text, bar));
    }
    return sizes;
}

void paint_captions(QPainter& painter, QWidget* bar, const CaptionRows& rows, int active,
                    int hover) {
    QStyleOptionMenuItem empty;
    empty.palette = bar->palette();
    empty.state = QStyle::State_None;
    empty.menuItemType = QStyleOptionMenuItem::EmptyArea;
    empty.checkType = QStyleOptionMenuItem::NotCheckable;
    empty.rect = bar->rect();
    empty.menuRect = bar->rect();
    bar->style()->drawControl(QStyle::CE_MenuBarEmptyArea, &empty, &painter, bar);

    const QList<QAction*> actions = bar->actions();
    for (int i = 0; i < int(actions.size()) && i < int(rows.captions.size()); ++i) {
        const QRect caption = rows.captions[std::size_t(i)];
        if (caption.isEmpty())
            continue;
        QStyleOptionMenuItem option;
        option.initFrom(bar);
        option.state = QStyle::State_None;
        if (bar->isEnabled() && actions[i]->isEnabled())
            option.state |= QStyle::State_Enabled;
        else
            option.palette.setCurrentColorGroup(QPalette::Disabled);
        if (i == active || i == hover)
            option.state |= QStyle::State_Selected;
        if (i == active)
            option.state |= QStyle::State_Sunken | QStyle::State_HasFocus;
        option.rect = caption;
        option.menuRect = bar->rect();
        option.menuItemType = QStyleOptionMenuItem::Normal;
        option.checkType = QStyleOptionMenuItem::NotCheckable;
        option.text = actions[i]->text();
        bar->style()->drawControl(QStyle::CE_MenuBarItem, &option, &painter, bar);
    }
}

QList<int> captions_with_key(const QList<QAction*>& actions, const QKeySequence& key) {
    QList<int> found;
    for (int i = 0; i < int(actions.size()); ++i) {
        if (actions[i]->isVisible() && actions[i]->isEnabled() &&
            QKeySequence::mnemonic(actions[i]->text()) == key)
            found << i;
    }
    return found;
}

QList<QKeySequence> distinct_access_keys(const QList<QAction*>& actions) {
    QList<QKeySequence> keys;
    for (QAction* action : actions) {
        const QKeySequence key = QKeySequence::mnemonic(action->text());
        if (!key.isEmpty() && !keys.contains(key))
            keys << key;
    }
    return keys;
}
