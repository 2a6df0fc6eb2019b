#pragma once
// The main window: a multiple-document frame holding every child window, its menus, the
// four 1D and four 2D view slots, and the question before quitting.
//
// Start-up happens in the constructor, in this order: the default spectra in the
// (empty) tables of the workbench, the maximised state, then the journal window (which
// opens the journal), the spectrum edit window, the operation dialog, the 1D and 2D views,
// the interpreter, the function list (with the variable list and the watch window), the
// about box and the fitting window. Every window made later can rely on the tables and an
// open journal. Once the main window shows, its children take the layout saved when the
// program last ended, or the tiled layout of the start (window_layout.hpp).
//
// Quitting asks the question of the program, then settles each script page with unsaved
// changes and names the spectra changed since they were last saved; any Cancel stays.

#include "ui/app_context.hpp"

#include <QMainWindow>
#include <QPointer>

#include <array>
#include <functional>

class QMdiArea;
class QMdiSubWindow;

namespace ombrelune {

class DialogService;
class HelpWindow;
class SettingsStore;
class WindowArranger;
class TAboutBox;
class Tboitnoir;
class Tdataeditform;
class Tdialogaddform;
class TFittingForm;
class Tgraph1dform;
class Tfunctionslisteform;
class Tinterpreteurform;
class Tsuiviform;
class Tvariableslisteform;

class Tprincipalform : public QMainWindow {
    Q_OBJECT
public:
    // Makes a view window (its widget; the main window puts it in a child frame). Without
    // a maker the 1D view is Tgraph1dform, the 2D view Tgraph2DForm and the fitting window
    // TFittingForm.
    using ChildMaker = std::function<QWidget*(Tprincipalform&)>;
    struct ChildMakers {
        ChildMaker view1D;
        ChildMaker view2D;
        ChildMaker fitting;
    };
    static constexpr int viewSlots = 4;

    // The workbench's tables must be empty; the context must outlive the window.
    explicit Tprincipalform(AppContext& context, ChildMakers makers = {});

    AppContext& context() { return context_; }
    Workbench& workbench() { return wb_; }
    DialogService& dialogs() { return dialogs_; }
    QMdiArea* mdiArea() const { return mdi_; }
    Tboitnoir* journalWindow() const { return journal_; }
    Tdataeditform* editWindow() const { return edit_; }
    Tdialogaddform* operationDialog() const { return operation_; }
    Tinterpreteurform* interpreterWindow() const { return interpreter_; }
    Tfunctionslisteform* functionList() const { return functions_; }
    Tvariableslisteform* variableList() const { return variables_; }
    Tsuiviform* watchWindow() const { return watch_; }
    TAboutBox* aboutBox() const { return about_; }
    HelpWindow* helpWindow() const { return help_; }
    // The fitting window when the main window made it (no maker given), else nullptr.
    TFittingForm* fittingWindow() const { return fitting_; }

    // Where the layout of the windows (and the interpreter's pace) is kept between runs;
    // without it every start takes the tiled layout. Set before the window shows.
    void setLayoutSettings(SettingsStore* settings) { layoutSettings_ = settings; }
    WindowArranger& arranger() { return *arranger_; }
    // Saves the layout of the windows now (also done on quitting).
    void saveLayout();

    // Puts a widget in a child frame of the given geometry (not deleted when closed unless
    // asked, so that windows made at start-up can be shown again).
    QMdiSubWindow* addChild(QWidget* widget, const QRect& geometry, bool deleteOnClose = false);
    // Asks every child, from the rearmost to the active one, to redraw what it shows.
    void refreshViews();
    // Shows a fitted curve (A) and its model (B) in the active 1D view, else in the one
    // active last.
    void showFittedCurve(const QString& data, const QString& model);
    // Shows the operation dialog with "+", "-", "*" or "/" preset.
    void openOperation(const QString& operationText);

    void N1D1Click();
    void N1D2Click();
    void supprimer2Click();
    void Index1Click();
    void Apropos1Click();

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    struct ViewSlots {
        // A slot, once used, stays used: at most four views of a kind per run.
        std::array<QPointer<QWidget>, viewSlots> windows{};
        int used = 0;
    };
    void buildMenus();
    void createWindows();
    void arrangeAtStart();
    void createListWindows();
    void openView(ViewSlots& slots, const ChildMaker& maker, const QString& caption);
    QMdiSubWindow* addHiddenChild(QWidget* widget, const QRect& geometry);
    QWidget* makeFittingWindow();
    QWidget* makeImageView();
    // Names the spectra that changed since they were last saved and asks whether to quit
    // anyway; true when there are none or the user said so.
    bool unsavedSpectraMayGo();
    Tgraph1dform* curveView();

    AppContext& context_;
    Workbench& wb_;
    DialogService& dialogs_;
    ChildMakers makers_;
    QMdiArea* mdi_;
    WindowArranger* arranger_;
    SettingsStore* layoutSettings_ = nullptr;
    bool arrangedAtStart_ = false;
    ViewSlots slots1D_;
    ViewSlots slots2D_;
    Tboitnoir* journal_ = nullptr;
    Tdataeditform* edit_ = nullptr;
    Tdialogaddform* operation_ = nullptr;
    Tinterpreteurform* interpreter_ = nullptr;
    Tfunctionslisteform* functions_ = nullptr;
    Tvariableslisteform* variables_ = nullptr;
    Tsuiviform* watch_ = nullptr;
    TAboutBox* about_ = nullptr;
    HelpWindow* help_ = nullptr;
    TFittingForm* fitting_ = nullptr;
};

} // namespace ombrelune
