// The factor box: clamping, the factor texts and the notifications its owner receives.

#include "ui_test_main.hpp"

#include "ui/perbox.hpp"

#include <QCheckBox>
#include <QLabel>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>

using namespace ombrelune;

namespace {

QList<QPair<int, int>> notifications(const QSignalSpy& spy) {
    QList<QPair<int, int>> out;
    for (const QList<QVariant>& call : spy) out.append({call[0].toInt(), call[1].toInt()});
    return out;
}

} // namespace

class PerboxTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void valeurIsClampedAndShown_data() {
        QTest::addColumn<int>("set");
        QTest::addColumn<int>("kept");
        QTest::addColumn<QString>("shown");
        QTest::newRow("above the top") << 40 << 31 << " 32M";
        QTest::newRow("below the bottom") << 0 << 1 << "1/32";
        QTest::newRow("factor one") << 6 << 6 << "   1";
        QTest::newRow("kilo") << 16 << 16 << "  1k";
        QTest::newRow("half") << 5 << 5 << " 1/2";
    }
    void valeurIsClampedAndShown() {
        QFETCH(int, set);
        QFETCH(int, kept);
        QFETCH(QString, shown);
        Tperbox box;
        box.setSpectre(2);
        QSignalSpy spy(&box, &Tperbox::notify);
        box.setValeur(set);
        QCOMPARE(box.valeur(), kept);
        QCOMPARE(box.factorLabel()->text(), shown);
        QCOMPARE(box.scrollBar()->value(), kept);
        QCOMPARE(notifications(spy), (QList<QPair<int, int>>{{12, kept}}));
    }

    void limitsStayWithinOneToThirtyOne() {
        Tperbox box;
        box.setMin(-3);
        box.setMax(40);
        QCOMPARE(box.min(), 1);
        QCOMPARE(box.max(), 31);
        box.setMax(10);
        box.setValeur(20);
        QCOMPARE(box.valeur(), 10);
        QCOMPARE(box.scrollBar()->maximum(), 10);
    }

    void checkBoxReportsTheStateBeforeTheClick() {
        Tperbox box;
        QVERIFY(box.checked());
        QSignalSpy spy(&box, &Tperbox::notify);
        box.checkBox()->click();
        box.checkBox()->click();
        QCOMPARE(notifications(spy), (QList<QPair<int, int>>{{1, 3}, {1, 2}}));
        QVERIFY(box.checked());
    }

    void pressesOnTheLetter() {
        Tperbox box;
        box.setSpectre(3);
        box.setValeur(8);
        QSignalSpy spy(&box, &Tperbox::notify);
        QTest::mousePress(&box, Qt::LeftButton, {}, QPoint(4, 7));
        QTest::mousePress(&box, Qt::RightButton, {}, QPoint(4, 7));
        QCOMPARE(notifications(spy), (QList<QPair<int, int>>{{3, 1}, {13, 8}, {3, -1}}));
    }

    void scrollBarSetsTheValueWhenTheMoveEnds() {
        Tperbox box;
        QSignalSpy spy(&box, &Tperbox::notify);
        QScrollBar* bar = box.scrollBar();
        bar->setSliderDown(true);
        bar->setValue(12);
        QCOMPARE(box.factorLabel()->text(), QStringLiteral("  64"));
        QCOMPARE(box.valeur(), 1);
        QVERIFY(spy.isEmpty());
        bar->setSliderDown(false);
        QCOMPARE(box.valeur(), 12);
        QCOMPARE(notifications(spy), (QList<QPair<int, int>>{{11, 12}}));

        // An arrow click is a whole scroll action of its own.
        bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        QCOMPARE(box.valeur(), 13);
        QCOMPARE(box.factorLabel()->text(), QStringLiteral(" 128"));
    }
};

OMBRELUNE_UI_TEST(PerboxTest, "perbox_test");
#include "perbox_test.moc"
