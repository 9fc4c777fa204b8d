#include "app/keys_window.h"

#include "app/toolbar_pictures.h"

#include <QHeaderView>
#include <QKeySequence>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

QString plain(const char16_t* caption) {
    // "&Grassetto" -> "Grassetto", "&&" -> "&".
    QString text = QString::fromUtf16(caption);
    for (qsizetype i = text.indexOf(u'&'); i >= 0 && i < text.size(); i = text.indexOf(u'&', i + 1))
        text.remove(i, 1);
    return text;
}

QString keys_text(const KeyDef& row) {
    const QString keys = QString::fromUtf16(row.keys);
    if (row.kind == KeyDef::Note)
        return keys;
    QStringList shown;
    for (const QKeySequence& key : QKeySequence::listFromString(keys))
        shown << key.toString(QKeySequence::NativeText);
    return shown.join(QStringLiteral(", "));
}

// The keys the table gives an action, "" when none.
QString keys_of(std::span<const KeyDef> keys, const char* action) {
    for (const KeyDef& row : keys)
        if (row.kind == KeyDef::Window && qstrcmp(row.name, action) == 0)
            return keys_text(row);
    return {};
}

QTreeWidgetItem* section(QTreeWidget* tree, const QString& title) {
    auto* item = new QTreeWidgetItem(tree, {title});
    QFont font = item->font(0);
    font.setBold(true);
    item->setFont(0, font);
    item->setFirstColumnSpanned(true);
    return item;
}

} // namespace

KeysWindow::KeysWindow(const KeyTables& tables, QWidget* parent)
    : QDialog(parent), tree_(new QTreeWidget(this)) {
    setObjectName(QStringLiteral("keys_window"));
    setWindowTitle(QStringLiteral("Tasti e comandi - Marklet"));
    setModal(false);
    tree_->setObjectName(QStringLiteral("keys_list"));
    tree_->setAccessibleName(QStringLiteral("Tasti e comandi"));
    tree_->setColumnCount(2);
    tree_->setHeaderLabels({QStringLiteral("Comando"), QStringLiteral("Tasti")});
    tree_->setRootIsDecorated(false);
    tree_->setIconSize(QSize(44, kPictureHeight));

    QTreeWidgetItem* keys = section(tree_, QStringLiteral("Tasti"));
    for (const KeyDef& row : tables.keys)
        new QTreeWidgetItem(keys, {QString::fromUtf16(row.caption), keys_text(row)});

    QTreeWidgetItem* menus =
        section(tree_, QStringLiteral("Menu (Alt con la lettera sottolineata)"));
    for (const MenuDef& menu : tables.menus) {
        const QKeySequence access = QKeySequence::mnemonic(QString::fromUtf16(menu.caption));
        auto* item = new QTreeWidgetItem(menus, {QStringLiteral("Menu %1").arg(plain(menu.caption)),
                                                 access.toString(QKeySequence::NativeText)});
        QFont font = item->font(0);
        font.setItalic(true);
        item->setFont(0, font);
        for (const MenuItemDef& entry : menu.items) {
            // Inside an open menu the letter alone chooses the item.
            const QKeySequence letter = QKeySequence::mnemonic(QString::fromUtf16(entry.caption));
            QStringList key;
            if (!letter.isEmpty())
                key << QKeySequence(letter[0].key()).toString(QKeySequence::NativeText);
            if (const QString own = keys_of(tables.keys, entry.name); !own.isEmpty())
                key << own;
            new QTreeWidgetItem(item, {QStringLiteral("    ") + plain(entry.caption),
                                       key.join(QStringLiteral(", "))});
        }
    }

    QTreeWidgetItem* buttons = section(tree_, QStringLiteral("Barra degli strumenti"));
    for (const ToolButtonDef& button : tables.buttons) {
        auto* item = new QTreeWidgetItem(
            buttons, {QString::fromUtf16(button.tooltip), keys_of(tables.keys, button.action)});
        item->setIcon(0, toolbar_picture(QString::fromLatin1(button.icon),
                                         QSize(button.picture_width, kPictureHeight)));
    }

    tree_->expandAll();
    tree_->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tree_);
    resize(620, 560);
}

QStringList KeysWindow::lines() const {
    QStringList lines;
    for (QTreeWidgetItemIterator it(tree_); *it; ++it) {
        const QString keys = (*it)->text(1);
        lines << ((*it)->text(0).trimmed() + (keys.isEmpty() ? QString() : u'\t' + keys));
    }
    return lines;
}
