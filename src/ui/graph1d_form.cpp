// The 1D view: its controls, their layout and connections, and what a new view does.

#include "ui/graph1d_form.hpp"

#include "ui/app_context.hpp"
#include "ui/curve_chart.hpp"
#include "ui/dialog_service.hpp"
#include "ui/edit_real.hpp"
#include "ui/perbox.hpp"
#include "ui/qt_text.hpp"
#include "ui/refilling_combo.hpp"
#include "ui/spin_button.hpp"

#include "render/chart_style.hpp"

#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMouseEvent>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

namespace ombrelune {
namespace {

QToolButton* toolButton(QWidget* parent, const char* name, const char* caption, const char* hint) {
    auto* b = new QToolButton(parent);
    b->setObjectName(QString::fromUtf8(name));
    b->setText(QString::fromUtf8(caption));
    b->setToolTip(QString::fromUtf8(hint));
    b->setAutoRaise(true);
    return b;
}

TEditReal* numberBox(QWidget* parent, const char* name, int decimals) {
    auto* box = new TEditReal(parent);
    box->setObjectName(QString::fromUtf8(name));
    box->setNbrDecimales(decimals);
    return box;
}

QLineEdit* readOnlyBox(QWidget* parent, const char* name, const char* text, Qt::GlobalColor c) {
    auto* box = new QLineEdit(QString::fromUtf8(text), parent);
    box->setObjectName(QString::fromUtf8(name));
    box->setReadOnly(true);
    box->setStyleSheet(QStringLiteral("color: %1").arg(QColor(c).name()));
    return box;
}

QFrame* panel(QWidget* parent) {
    auto* frame = new QFrame(parent);
    frame->setFrameShape(QFrame::StyledPanel);
    return frame;
}

const std::array<Qt::GlobalColor, curveCount> labelColours = {Qt::black, Qt::red, Qt::blue,
                                                              Qt::darkGreen};

} // namespace

Tgraph1dform::Tgraph1dform(AppContext& context, QWidget* parent)
    : QWidget(parent), wb_(context.wb()), dialogs_(context.dialogs()),
      views_(context.curveViews()) {
    setObjectName(QStringLiteral("graph1dform"));
    setWindowTitle(QStringLiteral("graphique 1d"));
    setAcceptDrops(true);
    buildControls();
    buildLayout();
    FormCreate();
}

void Tgraph1dform::buildControls() {
    // Short captions: the window is narrow and the hints say the rest.
    SpeedButton3 = toolButton(this, "SpeedButton3", "Ax", "Axes");
    SpeedButton4 = toolButton(this, "SpeedButton4", "Sé", "courbes");
    SpeedButton6 = toolButton(this, "SpeedButton6", "Z+", "Zoom in");
    SpeedButton5 = toolButton(this, "SpeedButton5", "Z−", "Zoom out");
    SpeedButton8 = toolButton(this, "SpeedButton8", "Xauto", "Y auto");
    SpeedButton7 = toolButton(this, "SpeedButton7", "Yauto", "Y auto");
    ToggleLinLog = toolButton(this, "ToggleLinLog", "Lin", "Toggle between Lin and Log scale");
    SpeedButton2 = toolButton(this, "SpeedButton2", "", "redessiner");
    SpeedButton2->setIcon(style()->standardIcon(QStyle::SP_BrowserReload));
    SpeedButton1 = toolButton(this, "SpeedButton1", "Impr.", "impression");
    Edit5 = new QLineEdit(QStringLiteral("Edit5"), this);
    Edit5->setObjectName(QStringLiteral("Edit5"));
    Edit5->setMinimumWidth(60);
    Edit5->setToolTip(QStringLiteral("formule sur les courbes, par exemple C=A*2"));
    curveChart1 = new TCurveChart(dialogs_, this);
    curveChart1->setObjectName(QStringLiteral("curveChart1"));
    for (int c = 1; c <= curveCount; ++c) {
        const auto k = static_cast<std::size_t>(c - 1);
        auto* list = new RefillingComboBox(this);
        list->setObjectName(QStringLiteral("cocourbe%1").arg(c));
        list->setEditable(true);
        list->setInsertPolicy(QComboBox::NoInsert);
        cocourbe[k] = list;
        auto* box = new Tperbox(this);
        box->setObjectName(QStringLiteral("perbox%1").arg(c));
        box->setSpectre(c);
        box->setCouleur(labelColours[k]);
        perbox[k] = box;
    }
    XminBox = numberBox(this, "XminBox", 10);
    XmaxBox = numberBox(this, "XmaxBox", 10);
    YminBox = numberBox(this, "YminBox", 10);
    YmaxBox = numberBox(this, "YmaxBox", 10);
    Xpos = numberBox(this, "Xpos", 5);
    Ypos = numberBox(this, "Ypos", 5);
    PosCurseurRouge = readOnlyBox(this, "PosCurseurRouge", "0", Qt::red);
    Edit2 = readOnlyBox(this, "Edit2", "00000000", Qt::red);
    PosCurseurBleu = readOnlyBox(this, "PosCurseurBleu", "0", Qt::blue);
    Edit4 = readOnlyBox(this, "Edit4", "00000000", Qt::blue);
    SpinButton1 = new SpinButton(this);
    SpinButton1->setObjectName(QStringLiteral("SpinButton1"));
    SpinButton2 = new SpinButton(this);
    SpinButton2->setObjectName(QStringLiteral("SpinButton2"));
    CourbeAintegrerBox = new QComboBox(this);
    CourbeAintegrerBox->setObjectName(QStringLiteral("CourbeAintegrerBox"));
    CourbeAintegrerBox->addItems(
        {QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C"), QStringLiteral("D")});
    IntegralBox = numberBox(this, "IntegralBox", 10);
    IntegralBox->setText(QStringLiteral("0"));
    IntegralBox->setReadOnly(true);
}

void Tgraph1dform::buildLayout() {
    auto* tools = new QHBoxLayout;
    tools->setSpacing(1);
    for (QToolButton* b : {SpeedButton3, SpeedButton4, SpeedButton6, SpeedButton5, SpeedButton8,
                           SpeedButton7, ToggleLinLog, SpeedButton2, SpeedButton1})
        tools->addWidget(b);
    tools->addWidget(Edit5, 1);

    auto* side = new QVBoxLayout;
    side->setSpacing(2);
    for (std::size_t k = 0; k < curveCount; ++k) {
        QFrame* curve = panel(this);
        auto* rows = new QVBoxLayout(curve);
        rows->setContentsMargins(2, 2, 2, 2);
        rows->setSpacing(1);
        rows->addWidget(cocourbe[k]);
        rows->addWidget(perbox[k]);
        side->addWidget(curve);
    }
    QFrame* bounds = panel(this);
    auto* grid = new QGridLayout(bounds);
    grid->setContentsMargins(2, 2, 2, 2);
    grid->addWidget(new QLabel(QStringLiteral("min"), bounds), 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("max"), bounds), 0, 2);
    grid->addWidget(new QLabel(QStringLiteral("X"), bounds), 1, 0);
    grid->addWidget(XminBox, 1, 1);
    grid->addWidget(XmaxBox, 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("Y"), bounds), 2, 0);
    grid->addWidget(YminBox, 2, 1);
    grid->addWidget(YmaxBox, 2, 2);
    side->addWidget(bounds);
    QFrame* mouse = panel(this);
    auto* mouseRow = new QHBoxLayout(mouse);
    mouseRow->setContentsMargins(2, 2, 2, 2);
    mouseRow->addWidget(Xpos);
    mouseRow->addWidget(Ypos);
    side->addWidget(mouse);
    QFrame* cursors = panel(this);
    auto* cursorGrid = new QGridLayout(cursors);
    cursorGrid->setContentsMargins(2, 2, 2, 2);
    cursorGrid->setSpacing(1);
    cursorGrid->addWidget(PosCurseurRouge, 0, 0);
    cursorGrid->addWidget(Edit2, 1, 0);
    cursorGrid->addWidget(SpinButton1, 0, 1, 2, 1);
    cursorGrid->addWidget(PosCurseurBleu, 2, 0);
    cursorGrid->addWidget(Edit4, 3, 0);
    cursorGrid->addWidget(SpinButton2, 2, 1, 2, 1);
    side->addWidget(cursors);
    QFrame* integral = panel(this);
    auto* integralRow = new QHBoxLayout(integral);
    integralRow->setContentsMargins(2, 2, 2, 2);
    integralRow->addWidget(CourbeAintegrerBox);
    integralRow->addWidget(IntegralBox, 1);
    side->addWidget(integral);
    side->addStretch(1);

    auto* sideWidget = new QWidget(this);
    sideWidget->setLayout(side);
    sideWidget->setFixedWidth(150);
    auto* leftSide = new QVBoxLayout;
    leftSide->addLayout(tools);
    leftSide->addWidget(curveChart1, 1);
    auto* columns = new QHBoxLayout(this);
    columns->setContentsMargins(2, 2, 2, 2);
    columns->setSpacing(2);
    columns->addLayout(leftSide, 1);
    columns->addWidget(sideWidget);
    menuBar = buildMenu();
    columns->setMenuBar(menuBar);

    for (QWidget* w : {static_cast<QWidget*>(XminBox), static_cast<QWidget*>(XmaxBox),
                       static_cast<QWidget*>(YminBox), static_cast<QWidget*>(YmaxBox),
                       static_cast<QWidget*>(Xpos), static_cast<QWidget*>(Ypos),
                       static_cast<QWidget*>(IntegralBox), static_cast<QWidget*>(PosCurseurRouge),
                       static_cast<QWidget*>(Edit2), static_cast<QWidget*>(PosCurseurBleu),
                       static_cast<QWidget*>(Edit4)})
        w->setMinimumWidth(40);
}

void Tgraph1dform::FormCreate() {
    ChartModel& chart = curveChart1->model();
    chart.decimalSeparator = wb_.decimalSeparator;
    configureGraph1DChart(chart);
    views_.exponents.fill(1);
    addGraph1DCursors(chart);

    connect(curveChart1, &TCurveChart::OnMouseDown, this, &Tgraph1dform::chartMouseDown);
    connect(curveChart1, &TCurveChart::OnMouseMove, this, &Tgraph1dform::chartMouseMove);
    connect(curveChart1, &TCurveChart::scaleError, this,
            [this](const QString& message) { dialogs_.showError(this, message); });
    const std::pair<QToolButton*, void (Tgraph1dform::*)()> buttons[] = {
        {SpeedButton6, &Tgraph1dform::SpeedButton6Click},
        {SpeedButton5, &Tgraph1dform::SpeedButton5Click},
        {SpeedButton8, &Tgraph1dform::SpeedButton8Click},
        {SpeedButton7, &Tgraph1dform::SpeedButton7Click},
        {ToggleLinLog, &Tgraph1dform::ToggleLinLogClick},
        {SpeedButton2, &Tgraph1dform::Redraw}};
    for (const auto& [button, handler] : buttons)
        connect(button, &QToolButton::clicked, this, handler);
    connect(SpeedButton1, &QToolButton::clicked, curveChart1, &TCurveChart::Print);
    connect(SpeedButton3, &QToolButton::clicked, curveChart1, &TCurveChart::ShowGraphDesigner);
    connect(SpeedButton4, &QToolButton::clicked, curveChart1, &TCurveChart::ShowSeriesWizard);
    connect(Edit5, &QLineEdit::returnPressed, this, &Tgraph1dform::Edit5Return);
    for (TEditReal* box : {XminBox, XmaxBox, YminBox, YmaxBox})
        connect(box, &QLineEdit::returnPressed, this, [this, box] { setAxisBound(box); });
    connect(SpinButton1, &SpinButton::up, this, [this] { stepCursor(redCursor, 1); });
    connect(SpinButton1, &SpinButton::down, this, [this] { stepCursor(redCursor, -1); });
    connect(SpinButton2, &SpinButton::up, this, [this] { stepCursor(blueCursor, 1); });
    connect(SpinButton2, &SpinButton::down, this, [this] { stepCursor(blueCursor, -1); });

    // The first four slots of the curve table are shown from the start.
    for (int c = 1; c <= curveCount; ++c) {
        RefillingComboBox* list = cocourbe[static_cast<std::size_t>(c - 1)];
        list->beforePopup = [this] { fillCurveLists(); };
        if (const spectre* s = wb_.spectres1D.at(c)) {
            list->addItem(qs(s->name));
            list->setEditText(qs(s->name));
            PlotCurve(c);
        } else {
            list->setEditText(QStringLiteral("ComboBox1"));
        }
        connect(list, &QComboBox::currentTextChanged, this, [this, c] { PlotCurve(c); });
    }
    // The window resource gives the factor index 6; the new view then sets 1 (1/32) on
    // every curve, once its boxes report to it.
    for (Tperbox* box : perbox) box->setValeur(6);
    for (Tperbox* box : perbox) {
        connect(box, &Tperbox::notify, this, &Tgraph1dform::perboxNotify);
        box->setValeur(1);
    }
    setGeometry(0, 0, 520, 400);
}

} // namespace ombrelune
