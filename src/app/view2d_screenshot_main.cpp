// ombrelune-view2d-screenshot: starts the workbench on a throw-away data root, shows the
// start-up image in the 2D view with the viridis palette, places both cursors and shows the
// profile between them, beside the 1D view showing the cuts they wrote; saves the picture.
// docs/screenshot.sh runs it under Xvfb for docs/view2d.png.

#include "screenshot_support.hpp"

#include "ui/child_windows.hpp"
#include "ui/data_edit_window.hpp"
#include "ui/fitting_window.hpp"
#include "ui/interpreter_window.hpp"
#include "ui/graph1d_form.hpp"
#include "ui/graph2d_form.hpp"
#include "ui/main_window.hpp"
#include "ui/program_identity.hpp"
#include "ui/qt_dialog_service.hpp"
#include "ui/qt_text.hpp"
#include "ui/refilling_combo.hpp"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <clocale>
#include <cstdio>

using namespace ombrelune;

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    setProgramIdentity();
    std::setlocale(LC_NUMERIC, "C");
    if (QApplication::arguments().size() != 2) {
        std::fprintf(stderr, "usage: ombrelune-view2d-screenshot OUTPUT.png\n");
        return 2;
    }
    const QString output = QFileInfo(QApplication::arguments()[1]).absoluteFilePath();
    QTemporaryDir home;
    QDir::setCurrent(home.path());
    MemorySettingsStore settings;
    settings.values = {{"currentfile", "manip-2d"},
                       {"RepertoireManip", utf8(home.path() + "/boite")}};
    Workbench wb(settings, DataPaths{fsPath(home.path())}, '.');
    QtDialogService dialogs;
    AppContext context(wb, dialogs);
    Tprincipalform window(context);
    window.resize(1280, 860);
    window.show();

    for (QWidget* other : {static_cast<QWidget*>(window.editWindow()),
                           static_cast<QWidget*>(window.interpreterWindow()),
                           static_cast<QWidget*>(window.fittingWindow())})
        windowFrame(other)->hide();
    Tgraph2DForm& view = *window.findChild<Tgraph2DForm*>();
    Tgraph1dform& curves = *window.findChild<Tgraph1dform*>();
    place(&view, {0, 0, 640, 820});
    place(&curves, {645, 0, 620, 520});

    view.palettecombo->setCurrentIndex(4); // viridis
    view.AutoScaleCheckBox->setChecked(true);
    view.setZoom(2.5);
    view.TypeGraphCombo->setCurrentIndex(4); // the profile along the segment
    view.imagePressed(Qt::LeftButton, {64.5, 60.5});
    view.imagePressed(Qt::RightButton, {100.5, 80.5});
    curves.cocourbe[0]->setEditText(QStringLiteral("C1H"));
    curves.cocourbe[1]->setEditText(QStringLiteral("C1V"));
    curves.cocourbe[2]->setEditText(QStringLiteral("PV"));
    curves.Redraw();
    waitUntil([] { return false; }, 1000); // let the windows settle

    if (!window.grab().save(output)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(output));
        return 1;
    }
    return 0;
}
