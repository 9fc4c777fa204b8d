// Qt's standard buttons speak Italian once the translations are installed.

#include "app/translations.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QtTest>

class TestTranslations : public QObject {
    Q_OBJECT
  private slots:
    void standard_buttons_speak_italian() {
        QVERIFY(install_italian_translations());
        QDialogButtonBox box(QDialogButtonBox::Cancel | QDialogButtonBox::Yes |
                             QDialogButtonBox::Open);
        QCOMPARE(box.button(QDialogButtonBox::Cancel)->text(), QStringLiteral("Annulla"));
        QCOMPARE(box.button(QDialogButtonBox::Yes)->text().remove(u'&'), QStringLiteral("Sì"));
        QCOMPARE(box.button(QDialogButtonBox::Open)->text().remove(u'&'), QStringLiteral("Apri"));
    }
};

QTEST_MAIN(TestTranslations)
#include "tst_translations.moc"
