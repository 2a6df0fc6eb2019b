// The numeric edit box: its fixed-decimals text, short form on click and Enter, reading
// and the arrow keys.

#include "ui_test_main.hpp"

#include "ui/edit_real.hpp"

#include <QSignalSpy>
#include <QTest>

using namespace ombrelune;

class EditRealTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void writtenWithFixedDecimals_data() {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("decimals");
        QTest::newRow("one") << 1.0 << "1.0000000000" << 10;
        QTest::newRow("negative") << -2.5 << "-2.5000000000" << 10;
        QTest::newRow("tiny raises the decimals") << 1e-12 << "0.000000000001" << 12;
        QTest::newRow("zero keeps them") << 0.0 << "0.0000000000" << 10;
    }
    void writtenWithFixedDecimals() {
        QFETCH(double, value);
        QFETCH(QString, text);
        QFETCH(int, decimals);
        TEditReal box;
        box.setValue(value);
        QCOMPARE(box.text(), text);
        QCOMPARE(box.NbrDecimales(), decimals);
    }

    void aLongNumberIsShownFromItsFirstDigit() {
        TEditReal box;
        box.resize(40, box.sizeHint().height());
        box.setValue(12345.678);
        QCOMPARE(box.cursorPosition(), 0);
    }

    void raisedDecimalsStayAndShortTextsArePadded() {
        TEditReal box;
        box.setNbrDecimales(2);
        box.setValue(1e-12);
        box.setValue(0.5);
        QCOMPARE(box.NbrDecimales(), 12);
        QCOMPARE(box.text(), QStringLiteral("0.500000000000"));
        box.setNbrDecimales(1);
        box.setValue(3);
        QCOMPARE(box.text(), QStringLiteral("     3.0"));
    }

    void readsTheText_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("value");
        QTest::newRow("blanks sign exponent") << "  -1.5E2" << -150.0;
        QTest::newRow("plain") << "99.87654" << 99.87654;
        QTest::newRow("comma is not a separator") << "1,5" << 0.0;
        QTest::newRow("not a number") << "abc" << 0.0;
    }
    void readsTheText() {
        QFETCH(QString, text);
        QFETCH(double, value);
        TEditReal box;
        box.setText(text);
        QCOMPARE(box.Value(), value);
    }

    void clickAndEnterShowThreeDigits() {
        TEditReal box;
        box.setValue(1);
        QTest::mouseClick(&box, Qt::LeftButton);
        QCOMPARE(box.text(), QStringLiteral("1"));

        box.setText(QStringLiteral("99.87654"));
        QString seenByOwner;
        connect(&box, &QLineEdit::returnPressed, [&] { seenByOwner = box.text(); });
        QTest::keyClick(&box, Qt::Key_Return);
        QCOMPARE(seenByOwner, QStringLiteral("99.87654"));
        QCOMPARE(box.text(), QStringLiteral("99.9"));
    }

    void arrowKeys() {
        TEditReal box;
        box.setNbrDecimales(1);
        box.setValue(2);
        QTest::keyClick(&box, Qt::Key_Up);
        QCOMPARE(box.Value(), 2.0); // no step by default: only rewritten
        box.setIncrement(0.5);
        QTest::keyClick(&box, Qt::Key_Up);
        QCOMPARE(box.text(), QStringLiteral("     2.5"));
        QTest::keyClick(&box, Qt::Key_Up, Qt::ShiftModifier);
        QCOMPARE(box.Increment(), 5.0);
        QTest::keyClick(&box, Qt::Key_Down);
        QCOMPARE(box.Value(), -2.5);
        QTest::keyClick(&box, Qt::Key_Down, Qt::ShiftModifier);
        QCOMPARE(box.Increment(), 0.5);

        box.setlogIncrement(true);
        box.setValue(3);
        QTest::keyClick(&box, Qt::Key_Up);
        QCOMPARE(box.Value(), 30.0);
        QTest::keyClick(&box, Qt::Key_Down);
        QTest::keyClick(&box, Qt::Key_Down);
        QCOMPARE(box.Value(), 0.3);
    }
};

OMBRELUNE_UI_TEST(EditRealTest, "edit_real_test");
#include "edit_real_test.moc"
