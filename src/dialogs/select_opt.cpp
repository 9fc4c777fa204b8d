#include "dialogs/select_opt.h"

#include "platform/twips.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

select_opt::select_opt(const QStringList& items, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint) {
    setObjectName(QStringLiteral("select_opt"));
    setWindowTitle(QStringLiteral("Seleziona Opzione"));
    setModal(true);
    setFixedSize(twips(3210), twips(1065));

    Combo1 = new QComboBox(this);
    Combo1->setObjectName(QStringLiteral("Combo1"));
    Combo1->setEditable(true);
    Combo1->setInsertPolicy(QComboBox::NoInsert);
    Combo1->addItems(items);
    Combo1->setCurrentIndex(-1);
    Combo1->setEditText(QString());
    Combo1->setGeometry(twips_rect(120, 120, 3015, 315));
    Combo1->setAccessibleName(QStringLiteral("Opzioni"));

    Command1 = new QPushButton(QStringLiteral("OK"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setGeometry(twips_rect(1178, 600, 855, 375));
    Command1->setDefault(true);
    Command1->setAutoDefault(true);

    setTabOrder(Combo1, Command1);
    Combo1->setFocus();
    connect(Command1, &QPushButton::clicked, this, &select_opt::confirm);
}

void select_opt::confirm() {
    // An entry chosen from the list shows as the edit text; a typed text is
    // taken as it is. Callers treat any text as the answer.
    answer_ = Combo1->currentText();
    accept();
}
