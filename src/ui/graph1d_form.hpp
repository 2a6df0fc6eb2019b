#pragma once
// Tgraph1dform, the 1D view ("graphique 1d"): up to four curves of the curve table in one
// chart, each with its own factor and visibility; the red and blue cursors on curve A with
// the sum between them; zooms between the cursors with their history; lin/log; reading,
// writing (also as NXcanSAS), exporting, copying and deleting the curves; error bars. The view
// keeps only the names of its curves and reads them again at every redraw.

#include "plot/graph1d_model.hpp"
#include "script/parser.hpp"
#include "ui/child_windows.hpp"

#include <QWidget>

#include <array>
#include <filesystem>

class QComboBox;
class QLineEdit;
class QMenuBar;
class QMouseEvent;
class QToolButton;

namespace ombrelune {

class AppContext;
class DialogService;
class RefillingComboBox;
class SpinButton;
class TCurveChart;
class TEditReal;
class Tperbox;
class Workbench;

class Tgraph1dform : public QWidget, public ChildView {
    Q_OBJECT
public:
    explicit Tgraph1dform(AppContext& context, QWidget* parent = nullptr);

    QToolButton* SpeedButton3; // Axes
    QToolButton* SpeedButton4; // courbes
    QToolButton* SpeedButton6; // Zoom in
    QToolButton* SpeedButton5; // Zoom out
    QToolButton* SpeedButton8; // Xauto
    QToolButton* SpeedButton7; // Yauto
    QToolButton* ToggleLinLog;
    QToolButton* SpeedButton2; // redessiner
    QToolButton* SpeedButton1; // impression
    QLineEdit* Edit5;
    TCurveChart* curveChart1;
    std::array<RefillingComboBox*, curveCount> cocourbe{};
    std::array<Tperbox*, curveCount> perbox{};
    TEditReal* XminBox;
    TEditReal* XmaxBox;
    TEditReal* YminBox;
    TEditReal* YmaxBox;
    TEditReal* Xpos;
    TEditReal* Ypos;
    QLineEdit* PosCurseurRouge;
    QLineEdit* Edit2;
    SpinButton* SpinButton1;
    QLineEdit* PosCurseurBleu;
    QLineEdit* Edit4;
    SpinButton* SpinButton2;
    QComboBox* CourbeAintegrerBox;
    TEditReal* IntegralBox;
    QMenuBar* menuBar;

    // Fills series c (1 to 4) from the curve named in list c; sets the list's hint and,
    // for curve A, the X axis title.
    void PlotCurve(int c);
    void Redraw();
    // The plain sum of the chosen curve's plotted values between the cursors, as their
    // boxes show them.
    double CursorSum() const;
    int zoomLevel() const { return zoom_.level(); }
    const ZoomHistory& zoomHistory() const { return zoom_; }
    // The point id a cursor (redCursor or blueCursor) stands on; 0 before it was placed.
    int cursorId(int cursor) const { return cursorIds_[static_cast<std::size_t>(cursor - 1)]; }

    void refreshView() override { Redraw(); }
    void closeRequest() override;

    void chartMouseDown(QMouseEvent* event);
    void chartMouseMove(QMouseEvent* event);
    void perboxNotify(int code, int value);
    void SpeedButton6Click();
    void SpeedButton5Click();
    void SpeedButton8Click();
    void SpeedButton7Click();
    void ToggleLinLogClick();
    void Edit5Return();
    // Moves a cursor to the point of curve A whose id is `step` away.
    void stepCursor(int cursor, int step);

    // The "courbes" menu, for curve c.
    void ReadCurve(int c);
    void SaveCurve(int c);
    void SaveCurveToAscii(int c);
    void DeleteCurve(int c);
    void ReadFromDot00();
    // Writes curve c as an NXcanSAS file, asking for the file, title and units.
    void SaveCurveNXcanSAS(int c);
    // "graphique" menu: the chart as a picture file, and the picture and data to the
    // clipboard.
    void ExportChart();
    void CopyChart();
    // Shows or hides the error bars of the curves that have them.
    void showErrorBars(bool on);
    bool errorBarsShown() const { return errorBars_; }
    // Reads a spectrum file (a spectrum file, or a .spe/.raw file by its extension) into
    // the curve named after it and shows it as curve c.
    void readCurveFile(int c, const std::filesystem::path& file);

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void buildControls();
    void buildLayout();
    QMenuBar* buildMenu();
    void FormCreate();
    void placeCursor(int cursor, const SeriesPoint& point);
    void setAxisBound(TEditReal* box);
    void fillCurveLists();
    bool guarded(const std::function<void()>& action);
    QString curveName(int c) const;
    spectre& curveOf(int c);

    Workbench& wb_;
    DialogService& dialogs_;
    CurveViewSettings& views_;
    TParser Parser1;
    std::array<int, 2> cursorIds_{};
    ZoomHistory zoom_;
    bool errorBars_ = true;
};

} // namespace ombrelune
