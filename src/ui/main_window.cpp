#include "ui/main_window.hpp"

#include "ui/about_box.hpp"
#include "ui/child_windows.hpp"
#include "ui/data_edit_window.hpp"
#include "ui/dialog_service.hpp"
#include "ui/fitting_window.hpp"
#include "ui/graph1d_form.hpp"
#include "ui/help_window.hpp"
#include "ui/interpreter_window.hpp"
#include "ui/journal_window.hpp"
#include "ui/list_windows.hpp"
#include "ui/operation_dialog.hpp"
#include "ui/refilling_combo.hpp"
#include "ui/graph2d_form.hpp"
#include "ui/view_placeholder.hpp"

#include <QCloseEvent>
#include <QMdiArea>
#include <QMdiSubWindow>

namespace ombrelune {

Tprincipalform::Tprincipalform(AppContext& context, ChildMakers makers)
    : context_(context), wb_(context.wb()), dialogs_(context.dialogs()),
      makers_(std::move(makers)), mdi_(new QMdiArea(this)) {
    if (!makers_.view1D)
        makers_.view1D = [](Tprincipalform& w) -> QWidget* { return new Tgraph1dform(w.context()); };
    if (!makers_.view2D)
        makers_.view2D = [](Tprincipalform& w) -> QWidget* { return w.makeImageView(); };
    setObjectName(QStringLiteral("principalform"));
    setWindowTitle(QStringLiteral("Ombrelune"));
    mdi_->setObjectName(QStringLiteral("mdiArea"));
    setCentralWidget(mdi_);
    resize(1280, 900);

    createDefaultSpectra(wb_);
    setWindowState(windowState() | Qt::WindowMaximized);
    createWindows();
    buildMenus();
}

QMdiSubWindow* Tprincipalform::addChild(QWidget* widget, const QRect& geometry,
                                        bool deleteOnClose) {
    auto* frame = new QMdiSubWindow;
    frame->setWidget(widget);
    frame->setAttribute(Qt::WA_DeleteOnClose, deleteOnClose);
    mdi_->addSubWindow(frame);
    frame->setGeometry(geometry);
    return frame;
}

QMdiSubWindow* Tprincipalform::addHiddenChild(QWidget* widget, const QRect& geometry) {
    QMdiSubWindow* frame = addChild(widget, geometry);
    frame->hide();
    return frame;
}

void Tprincipalform::createWindows() {
    auto* minimiseOnClose = new MinimiseOnClose(this);
    auto addLasting = [&](QWidget* widget, const QRect& geometry) {
        QMdiSubWindow* frame = addChild(widget, geometry);
        widget->installEventFilter(minimiseOnClose);
        return frame;
    };

    // The journal comes first: every window after it may write to it.
    journal_ = new Tboitnoir(wb_.journal, dialogs_);
    addLasting(journal_, {0, 0, 468, 387})->showMinimized();
    edit_ = new Tdataeditform(wb_, dialogs_);
    addLasting(edit_, {0, 0, 520, 270})->show();
    operation_ = new Tdialogaddform(wb_, dialogs_, this);
    for (const ChildMaker* maker : {&makers_.view1D, &makers_.view2D})
        if (*maker) {
            QWidget* view = (*maker)(*this);
            addLasting(view, view->geometry())->show();
        }
    interpreter_ = new Tinterpreteurform(context_);
    addLasting(interpreter_, {0, 401, 520, 270})->show();
    createListWindows();
    about_ = new TAboutBox(this);
    QWidget* fitting = makers_.fitting ? makers_.fitting(*this) : makeFittingWindow();
    addLasting(fitting, fitting->geometry())->show();
}

QWidget* Tprincipalform::makeImageView() {
    auto* view = new Tgraph2DForm(context_);
    // Its cut and projection curves may be on show in the 1D views.
    connect(view, &Tgraph2DForm::spectraChanged, this, &Tprincipalform::refreshViews);
    // The first one made answers the scripts' requests to show an image.
    if (!context_.host().onShowImage)
        context_.host().onShowImage = [view = QPointer<Tgraph2DForm>(view)](const std::string& name) {
            if (view) view->showImage(name);
        };
    return view;
}

QWidget* Tprincipalform::makeFittingWindow() {
    fitting_ = new TFittingForm(context_);
    // A difference spectrum may be on show in a view.
    connect(fitting_, &TFittingForm::spectraChanged, this, &Tprincipalform::refreshViews);
    connect(fitting_, &TFittingForm::curveFitted, this, &Tprincipalform::showFittedCurve);
    return fitting_;
}

Tgraph1dform* Tprincipalform::curveView() {
    if (QMdiSubWindow* active = mdi_->activeSubWindow())
        if (auto* view = qobject_cast<Tgraph1dform*>(active->widget())) return view;
    for (QMdiSubWindow* frame : mdi_->subWindowList(QMdiArea::ActivationHistoryOrder))
        if (auto* view = qobject_cast<Tgraph1dform*>(frame->widget())) return view;
    return nullptr;
}

void Tprincipalform::showFittedCurve(const QString& data, const QString& model) {
    Tgraph1dform* view = curveView();
    if (!view) return;
    view->cocourbe[0]->setEditText(data);
    view->cocourbe[1]->setEditText(model);
    windowFrame(view)->show();
}

void Tprincipalform::createListWindows() {
    const TParser& parser = context_.interpreter().parser();
    functions_ = new Tfunctionslisteform(parser);
    addHiddenChild(functions_, {530, 0, 270, 480});
    variables_ = new Tvariableslisteform(parser, wb_.decimalSeparator);
    addHiddenChild(variables_, {810, 0, 192, 480});
    watch_ = new Tsuiviform(parser, wb_.decimalSeparator);
    addHiddenChild(watch_, {530, 401, 158, 132});
    interpreter_->setListWindows(functions_, variables_, watch_);
}

void Tprincipalform::openView(ViewSlots& slots, const ChildMaker& maker, const QString& caption) {
    if (slots.used == viewSlots) return;
    QWidget* view = maker ? maker(*this) : new ViewPlaceholder(caption);
    const QRect geometry = maker ? view->geometry() : QRect(521, 0, 495, 400);
    addChild(view, geometry, true)->show();
    slots.windows[static_cast<std::size_t>(slots.used++)] = view;
}

void Tprincipalform::N1D1Click() {
    openView(slots1D_, makers_.view1D, QStringLiteral("graphique 1d"));
}

void Tprincipalform::N1D2Click() {
    openView(slots2D_, makers_.view2D, QStringLiteral("Spectre2D"));
}

void Tprincipalform::supprimer2Click() {
    QMdiSubWindow* active = mdi_->activeSubWindow();
    if (!active) return;
    for (const ViewSlots* slots : {&slots1D_, &slots2D_})
        for (const QPointer<QWidget>& view : slots->windows)
            if (view && view == active->widget())
                if (auto* child = dynamic_cast<ChildView*>(view.data()))
                    return child->closeRequest();
}

void Tprincipalform::refreshViews() {
    for (QMdiSubWindow* frame : mdi_->subWindowList(QMdiArea::StackingOrder))
        if (auto* view = dynamic_cast<ChildView*>(frame->widget())) view->refreshView();
}

void Tprincipalform::openOperation(const QString& operationText) {
    operation_->openOperation(operationText);
}

void Tprincipalform::Index1Click() {
    if (!help_) help_ = new HelpWindow(context_.interpreter().parser(), this);
    help_->show();
    help_->raise();
    help_->activateWindow();
}

void Tprincipalform::Apropos1Click() {
    about_->show();
    about_->raise();
}

void Tprincipalform::closeEvent(QCloseEvent* event) {
    if (dialogs_.askYesNo(this, QStringLiteral("DO YOU WANT TO QUIT THE PROGRAM ?")))
        event->accept();
    else
        event->ignore();
}

} // namespace ombrelune
