// The operation dialog: an image computed from two others, and a refused operation.

#include "ui_fixture.hpp"
#include "ui_test_main.hpp"

#include "ui/operation_dialog.hpp"
#include "ui/refilling_combo.hpp"

#include <QPushButton>
#include <QTest>

using namespace ombrelune;
using namespace ombrelune::testing;

class OperationDialogTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void subtractsAnImageFromItself() {
        Session s;
        s.startLikeMainWindow();
        Tdialogaddform dialog(s.wb, s.dialogs);
        dialog.openOperation(QStringLiteral("-"));
        QVERIFY(dialog.isVisible());
        QCOMPARE(dialog.windowTitle(), QStringLiteral("opération :"));
        dialog.spectre1->showPopup();
        dialog.spectre1->hidePopup();
        QCOMPARE(dialog.spectre3->count(), 3);
        QCOMPARE(dialog.spectre3->itemText(0), QStringLiteral("ACUP"));
        dialog.spectre1->setEditText(QStringLiteral("ACUP"));
        dialog.spectre2->setEditText(QStringLiteral("ACUP"));
        dialog.spectre3->setEditText(QStringLiteral("Z"));
        dialog.calculer->click();
        QVERIFY(!dialog.isVisible());
        const spectre* z = s.wb.spectres2D.find("Z");
        QVERIFY(z);
        QCOMPARE(z->nx, 128);
        for (std::size_t p = 0; p < z->pointCount(); ++p) QCOMPARE(z->value(p), 0.0);
    }

    void aRefusedOperationIsJournalled() {
        Session s;
        s.startLikeMainWindow();
        Tdialogaddform dialog(s.wb, s.dialogs);
        dialog.openOperation(QStringLiteral("+"));
        dialog.spectre1->setEditText(QStringLiteral("ACUP"));
        dialog.spectre2->setEditText(QStringLiteral("PROJ"));
        dialog.spectre3->setEditText(QStringLiteral("Z"));
        dialog.calculer->click();
        QVERIFY(!s.wb.spectres2D.find("Z"));
        QCOMPARE(s.journalFileLines().back(), std::string("!! opération ACUP + PROJ -> Z refusée"));

        dialog.openOperation(QStringLiteral("%"));
        dialog.calculer->click(); // not an operation: nothing computed, nothing written
        QCOMPARE(s.journalFileLines().size(), 3u);
        dialog.annuler->click();
        QVERIFY(!dialog.isVisible());
    }
};

OMBRELUNE_UI_TEST(OperationDialogTest, "operation_dialog_test");
#include "operation_dialog_test.moc"
