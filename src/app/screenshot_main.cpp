// ombrelune-screenshot: starts the workbench on a throw-away data root at a given size
// (--size=WIDTHxHEIGHT, 1600x1000 by default) in the layout of the start, runs the demo
// script, shows the list windows as a user following the script would, and saves a
// picture of the main window; given a third file, also a picture of the 1D view showing a
// small-angle curve on a logarithmic axis. docs/screenshot.sh runs it under Xvfb.

#include "screenshot_support.hpp"

#include "store/workbench.hpp"
#include "ui/child_windows.hpp"
#include "ui/code_editor.hpp"
#include "ui/curve_chart.hpp"
#include "ui/data_edit_window.hpp"
#include "ui/fitting_window.hpp"
#include "ui/graph1d_form.hpp"
#include "ui/interpreter_window.hpp"
#include "ui/journal_window.hpp"
#include "ui/list_windows.hpp"
#include "ui/main_window.hpp"
#include "ui/multimemo.hpp"
#include "ui/perbox.hpp"
#include "ui/program_identity.hpp"
#include "ui/qt_dialog_service.hpp"
#include "ui/qt_text.hpp"
#include "ui/refilling_combo.hpp"

#include "store/text_file.hpp"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTemporaryDir>

#include <clocale>
#include <cmath>
#include <cstdio>
#include <optional>

using namespace ombrelune;

namespace {

// The small-angle curve of dilute spheres of radius 60 A over a flat background.
void makeSphereCurve(Workbench& wb) {
    spectre& s = *wb.spectres1D.at(wb.spectres1D.create("SPHERE", 300, 1, 1));
    s.typeX = "q (1/A)";
    s.typeY = "single";
    s.comment = "spheres R = 60 A, background 0.02";
    s.setExpCond("R", 60);
    for (int i = 0; i < s.nx; ++i) {
        const double q = 0.002 + 0.001 * i, r = 60 * q;
        const double f = 3 * (std::sin(r) - r * std::cos(r)) / (r * r * r);
        s.setXAt(i, 0, 0, q);
        s.setValueAt(i, 0, 0, 100 * f * f + 0.02);
    }
}

// The 1D view with the sphere curve as curve A at factor 1, on a logarithmic axis, the
// cursors around the first minimum.
bool saveView1D(Tprincipalform& window, const QString& output) {
    auto* view = window.findChild<Tgraph1dform*>();
    makeSphereCurve(window.workbench());
    view->cocourbe[0]->setEditText(QStringLiteral("SPHERE"));
    view->cocourbe[1]->setEditText(QString());
    view->perbox[0]->setValeur(6);
    view->ToggleLinLogClick();
    place(view, {0, 0, 720, 520});
    windowFrame(view)->raise();
    waitUntil([] { return false; }, 500);
    view->curveChart1->Update();
    const ChartModel& chart = view->curveChart1->model();
    const auto click = [&](double x, Qt::MouseButton button) {
        const QPointF p(chart.frame().maps[0].toPixel(x), chart.frame().maps[1].toPixel(1));
        QMouseEvent press(QEvent::MouseButtonPress, p, view->curveChart1->mapToGlobal(p), button,
                          button, Qt::NoModifier);
        QCoreApplication::sendEvent(view->curveChart1, &press);
    };
    click(0.06, Qt::LeftButton);
    click(0.12, Qt::RightButton);
    waitUntil([] { return false; }, 500);
    return windowFrame(view)->grab().save(output);
}

// "--size=1280x800"; nothing when the text is not two positive whole numbers.
std::optional<QSize> sizeFrom(const QString& text) {
    const QStringList parts = text.split(QLatin1Char('x'));
    bool okW = false, okH = false;
    const QSize size =
        parts.size() == 2 ? QSize(parts[0].toInt(&okW), parts[1].toInt(&okH)) : QSize();
    if (!okW || !okH || size.isEmpty()) return {};
    return size;
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    setProgramIdentity();
    std::setlocale(LC_NUMERIC, "C");
    QStringList arguments = QApplication::arguments();
    std::optional<QSize> size = QSize(1600, 1000);
    const QString sizeOption = QStringLiteral("--size=");
    for (qsizetype k = arguments.size() - 1; k > 0; --k)
        if (arguments[k].startsWith(sizeOption))
            size = sizeFrom(arguments.takeAt(k).mid(sizeOption.size()));
    if ((arguments.size() != 3 && arguments.size() != 4) || !size) {
        std::fprintf(stderr, "usage: ombrelune-screenshot [--size=WIDTHxHEIGHT] DEMO.seq "
                             "OUTPUT.png [VIEW1D.png]\n");
        return 2;
    }
    // The script's relative file names land in the throw-away root, ours do not.
    const QString demo = QFileInfo(arguments[1]).absoluteFilePath();
    const QString output = QFileInfo(arguments[2]).absoluteFilePath();
    const QString view1D =
        arguments.size() == 4 ? QFileInfo(arguments[3]).absoluteFilePath() : QString();
    QTemporaryDir home;
    QDir::setCurrent(home.path());
    MemorySettingsStore settings;
    settings.values = {{"currentfile", "manip-demo"},
                       {"RepertoireManip", utf8(home.path() + "/boite")}};
    Workbench wb(settings, DataPaths{fsPath(home.path())}, '.');
    QtDialogService dialogs;
    AppContext context(wb, dialogs);
    Tprincipalform window(context);
    window.setWindowState(Qt::WindowNoState);
    window.resize(*size);
    window.show();
    waitUntil([] { return false; }, 300); // the layout of the start

    Tinterpreteurform* interpreter = window.interpreterWindow();
    QStringList script;
    for (const std::string& line : readTextLines(fsPath(demo))) script << qs(line);
    interpreter->mem1->editor()->setPlainText(script.join('\n'));
    window.journalWindow()->Edit1->setText(QStringLiteral("échantillon B, 20 K"));
    window.journalWindow()->Edit1->returnPressed();

    interpreter->ScriptExecuteButton->click();
    waitUntil([&] { return !context.interpreter().running(); });

    interpreter->suividevariable1Click();
    interpreter->variables1Click();
    QTableWidget* watch = window.watchWindow()->StringGrid1;
    watch->item(0, 0)->setText(QStringLiteral("N"));
    watch->item(1, 0)->setText(QStringLiteral("S"));
    watch->item(2, 0)->setText(QStringLiteral("X"));
    interpreter->Edit1->setText(QStringLiteral("X=S/N;"));
    interpreter->Edit1->returnPressed();
    window.findChild<Tgraph1dform*>()->cocourbe[0]->setEditText(QStringLiteral("PHN"));
    window.editWindow()->radio2D->click();
    window.editWindow()->ComboBox1->setCurrentIndex(
        window.editWindow()->ComboBox1->findText(QStringLiteral("HALF")));
    waitUntil([] { return false; }, 1000); // let the windows settle

    if (!window.grab().save(output)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(output));
        return 1;
    }
    if (!view1D.isEmpty() && !saveView1D(window, view1D)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(view1D));
        return 1;
    }
    return 0;
}
