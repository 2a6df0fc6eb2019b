#include "ui/graph2d_form.hpp"

#include "ui/app_context.hpp"
#include "ui/curve_chart.hpp"
#include "ui/edit_real.hpp"
#include "ui/guarded.hpp"
#include "ui/image_view.hpp"
#include "ui/qt_text.hpp"
#include "ui/refilling_combo.hpp"

#include "plot/graph2d_rules.hpp"
#include "store/number_format.hpp"
#include "store/store_ops.hpp"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>
#include <QSplitter>
#include <QTabWidget>
#include <QVBoxLayout>

#include <cmath>

namespace ombrelune {
namespace {

TEditReal* numberBox(QWidget* parent, const char* name, double value, int decimals = 10) {
    auto* box = new TEditReal(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setNbrDecimales(decimals);
    box->setValue(value);
    return box;
}

QStringList itemsOf(const auto& texts) {
    QStringList items;
    for (std::string_view t : texts) items << QString::fromUtf8(t.data(), qsizetype(t.size()));
    return items;
}

QComboBox* choiceBox(QWidget* parent, const char* name, const QStringList& items) {
    auto* box = new QComboBox(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->addItems(items);
    return box;
}

} // namespace

Tgraph2DForm::Tgraph2DForm(AppContext& context, QWidget* parent)
    : QWidget(parent), XYcoupe(new TCurveChart(context.dialogs(), this)), wb_(context.wb()),
      dialogs_(context.dialogs()), state_(context.wb(), XYcoupe->model()) {
    setObjectName(QStringLiteral("graph2DForm"));
    setWindowTitle(QStringLiteral("Spectre2D"));
    XYcoupe->setObjectName(QStringLiteral("XYcoupe"));
    XYcoupe->model().decimalSeparator = wb_.decimalSeparator;
    buildControls();
    buildPages();
    buildLayout();
    connectEvents();
    picture_.levels = &levels_;
    picture_.decimalSeparator = wb_.decimalSeparator;
    ImgView->setPicture(&picture_);
    ColorScale->setPicture(&picture_);
    refillImageList();
    choixspectre->setEditText(qs(state_.shownImage));
    palettecombo->setCurrentIndex(paletteRouge);
    setZoom(1);
    drawImage();
    setGeometry(521, 0, 495, 670);
}

Tgraph2DForm::~Tgraph2DForm() = default;

void Tgraph2DForm::buildControls() {
    choixspectre = new RefillingComboBox(this);
    choixspectre->setObjectName(QStringLiteral("choixspectre"));
    choixspectre->setEditable(true);
    choixspectre->beforePopup = [this] { refillImageList(); };
    ImgView = new ImageView(this);
    ColorScale = new ColourScaleStrip(this);
    Xpos1 = numberBox(this, "Xpos1", 0);
    Ypos1 = numberBox(this, "Ypos1", 0);
    Xpos2 = numberBox(this, "Xpos2", 0);
    Ypos2 = numberBox(this, "Ypos2", 0);
    Zval1 = numberBox(this, "Zval1", 0);
    Zval2 = numberBox(this, "Zval2", 0);
    PositionLabel = new QLabel(this);
    PositionLabel->setObjectName(QStringLiteral("PositionLabel"));
    for (auto* box : {Xpos1, Ypos1, Xpos2, Ypos2}) {
        box->setIncrement(1);
        connect(box, &QLineEdit::returnPressed, this, [this, box] {
            const bool first = box == Xpos1 || box == Ypos1;
            const CursorPosition p{(first ? Xpos1 : Xpos2)->Value(), (first ? Ypos1 : Ypos2)->Value()};
            if (first ? state_.placeCursor1(p) : state_.placeCursor2(p)) afterCursorSteps();
        });
    }
    menuBar = buildMenu();
}

void Tgraph2DForm::buildPages() {
    pages = new QTabWidget(this);
    pages->setObjectName(QStringLiteral("pages"));

    auto* scale = new QWidget;
    auto* scaleForm = new QFormLayout(scale);
    StretchButton = new QPushButton(QStringLiteral("Stretch"), scale);
    StretchButton->setObjectName(QStringLiteral("StretchButton"));
    AspectRatio = new QLineEdit(QStringLiteral("1"), scale);
    AspectRatio->setObjectName(QStringLiteral("AspectRatio"));
    ScaleCombo = choiceBox(scale, "ScaleCombo", itemsOf(zoomItems));
    ScaleCombo->setEditable(true);
    ScaleBar = new QSlider(Qt::Horizontal, scale);
    ScaleBar->setObjectName(QStringLiteral("ScaleBar"));
    ScaleBar->setRange(-100, 100);
    ZminBox = numberBox(scale, "ZminBox", state_.scale.zmin);
    ZmaxBox = numberBox(scale, "ZmaxBox", state_.scale.zmax);
    ZlogCheckBox = new QCheckBox(QStringLiteral("Z Log "), scale);
    ZlogCheckBox->setObjectName(QStringLiteral("ZlogCheckBox"));
    AutoScaleCheckBox = new QCheckBox(QStringLiteral("AutoScale"), scale);
    AutoScaleCheckBox->setObjectName(QStringLiteral("AutoScaleCheckBox"));
    scaleForm->addRow(StretchButton, ScaleCombo);
    scaleForm->addRow(QStringLiteral("Zoom"), ScaleBar);
    scaleForm->addRow(QStringLiteral("Aspect ratio"), AspectRatio);
    scaleForm->addRow(QStringLiteral("Z min"), ZminBox);
    scaleForm->addRow(QStringLiteral("Z max"), ZmaxBox);
    scaleForm->addRow(ZlogCheckBox, AutoScaleCheckBox);
    pages->addTab(scale, QStringLiteral("Scale"));

    auto* colour = new QWidget;
    auto* colourForm = new QFormLayout(colour);
    palettecombo = choiceBox(colour, "palettecombo", itemsOf(paletteItems));
    ImageInterpolate = new QCheckBox(QStringLiteral("Interpolated"), colour);
    ImageInterpolate->setObjectName(QStringLiteral("ImageInterpolate"));
    colourForm->addRow(QStringLiteral("Palette"), palettecombo);
    colourForm->addRow(ImageInterpolate);
    pages->addTab(colour, QStringLiteral("Color"));

    auto* cuts = new QWidget;
    auto* cutsForm = new QFormLayout(cuts);
    TypeGraphCombo = choiceBox(cuts, "TypeGraphCombo", itemsOf(cutChartItems));
    Z1DMinBox = numberBox(cuts, "Z1DMinBox", state_.cutAxis.z1DMin, 5);
    Z1DMaxBox = numberBox(cuts, "Z1DMaxBox", state_.cutAxis.z1DMax);
    CutsLogScale = new QCheckBox(QStringLiteral("LogScale"), cuts);
    CutsLogScale->setObjectName(QStringLiteral("CutsLogScale"));
    cutsForm->addRow(QStringLiteral("Coupes"), TypeGraphCombo);
    cutsForm->addRow(QStringLiteral("Z min"), Z1DMinBox);
    cutsForm->addRow(QStringLiteral("Z max"), Z1DMaxBox);
    cutsForm->addRow(CutsLogScale);
    pages->addTab(cuts, QStringLiteral("1D cuts"));

    auto* proj = new QWidget;
    auto* projForm = new QFormLayout(proj);
    Xprojection = choiceBox(proj, "Xprojection", itemsOf(stackAxisItems));
    Yprojection = choiceBox(proj, "Yprojection", itemsOf(stackAxisItems));
    Yprojection->setCurrentIndex(1);
    const ProjectionRanges& r = state_.ranges;
    XminProj = numberBox(proj, "XminProj", r.xMin);
    XmaxProj = numberBox(proj, "XmaxProj", r.xMax);
    YminProj = numberBox(proj, "YminProj", r.yMin);
    YmaxProj = numberBox(proj, "YmaxProj", r.yMax);
    ltMinProj = numberBox(proj, "ltMinProj", r.ltMin);
    ltMaxProj = numberBox(proj, "ltMaxProj", r.ltMax);
    ReplotButton = new QPushButton(QStringLiteral("Replot"), proj);
    ReplotButton->setObjectName(QStringLiteral("ReplotButton"));
    SliceNumber = new QSpinBox(proj);
    SliceNumber->setObjectName(QStringLiteral("SliceNumber"));
    SliceNumber->setRange(1, 1);
    SliceNumber->setToolTip(QStringLiteral("Scanning trough the 3rd coordinate"));
    ChoixSpectre3D = new RefillingComboBox(proj);
    ChoixSpectre3D->setObjectName(QStringLiteral("ChoixSpectre3D"));
    ChoixSpectre3D->setEditable(true);
    ChoixSpectre3D->beforePopup = [this] {
        ChoixSpectre3D->setItemsKeepingText(spectrumNames(wb_.spectres3D));
    };
    ChoixSpectre3D->setEditText(qs(state_.shownStack));
    projForm->addRow(QStringLiteral("Stack"), ChoixSpectre3D);
    projForm->addRow(QStringLiteral("abscisse"), Xprojection);
    projForm->addRow(QStringLiteral("ordonnée"), Yprojection);
    for (auto [label, lo, hi] : {std::tuple{"X", XminProj, XmaxProj}, std::tuple{"Y", YminProj, YmaxProj},
                                 std::tuple{"lt", ltMinProj, ltMaxProj}}) {
        auto* row = new QHBoxLayout;
        row->addWidget(lo);
        row->addWidget(hi);
        projForm->addRow(QString::fromLatin1(label), row);
    }
    projForm->addRow(ReplotButton, SliceNumber);
    pages->addTab(proj, QStringLiteral("Proj3D"));

    auto* sums = new QWidget;
    auto* sumsForm = new QFormLayout(sums);
    moniteur = numberBox(sums, "moniteur", 0);
    sommetotal = numberBox(sums, "sommetotal", 0);
    somme = numberBox(sums, "somme", 0);
    for (auto* box : {moniteur, sommetotal, somme}) box->setReadOnly(true);
    sumsForm->addRow(QStringLiteral("moniteur :"), moniteur);
    sumsForm->addRow(QStringLiteral("somme Tot:"), sommetotal);
    sumsForm->addRow(QStringLiteral("somme Box:"), somme);
    pages->addTab(sums, QStringLiteral("Sums"));

    auto* masks = new QWidget;
    auto* masksForm = new QFormLayout(masks);
    Xcen = numberBox(masks, "Xcen", state_.Xcen);
    Ycen = numberBox(masks, "Ycen", state_.Ycen);
    NomMaskEdit = new QLineEdit(QStringLiteral("Masque1"), masks);
    NomMaskEdit->setObjectName(QStringLiteral("NomMaskEdit"));
    TypeMaskCombo = choiceBox(masks, "TypeMaskCombo", itemsOf(maskTypeItems));
    MaskButton = new QPushButton(QStringLiteral("Set Mask"), masks);
    MaskButton->setObjectName(QStringLiteral("MaskButton"));
    ExpliLabel = new QLabel(masks);
    ExpliLabel->setObjectName(QStringLiteral("ExpliLabel"));
    ExpliLabel->setWordWrap(true);
    ExpliLabel->setText(QString::fromUtf8(maskExplanation(0).data()));
    auto* centre = new QHBoxLayout;
    centre->addWidget(Xcen);
    centre->addWidget(Ycen);
    masksForm->addRow(QStringLiteral("Centre (shift)"), centre);
    masksForm->addRow(QStringLiteral("Masque"), NomMaskEdit);
    masksForm->addRow(TypeMaskCombo, MaskButton);
    masksForm->addRow(ExpliLabel);
    pages->addTab(masks, QStringLiteral("Masks"));
}

void Tgraph2DForm::buildLayout() {
    auto* cursorRow = new QHBoxLayout;
    for (auto [label, box] : {std::pair{"X1", Xpos1}, std::pair{"Y1", Ypos1}, std::pair{"Z1", Zval1},
                              std::pair{"X2", Xpos2}, std::pair{"Y2", Ypos2}, std::pair{"Z2", Zval2}}) {
        cursorRow->addWidget(new QLabel(QString::fromLatin1(label), this));
        cursorRow->addWidget(box);
    }
    auto* picture = new QWidget(this);
    auto* pictureRow = new QHBoxLayout(picture);
    pictureRow->setContentsMargins(0, 0, 0, 0);
    pictureRow->addWidget(ColorScale);
    pictureRow->addWidget(ImgView, 1);
    auto* split = new QSplitter(Qt::Vertical, this);
    split->addWidget(picture);
    split->addWidget(XYcoupe);
    split->addWidget(pages);
    split->setStretchFactor(0, 3);
    split->setStretchFactor(1, 1);
    split->setSizes({400, 220, 200});
    auto* layout = new QVBoxLayout(this);
    layout->setMenuBar(menuBar);
    layout->addWidget(choixspectre);
    layout->addWidget(split, 1);
    layout->addLayout(cursorRow);
    layout->addWidget(PositionLabel);
}

void Tgraph2DForm::connectEvents() {
    connect(choixspectre, &QComboBox::currentTextChanged, this, [this](const QString& name) {
        if (!wb_.spectres2D.find(utf8(name))) return;
        state_.shownImage = utf8(name);
        autoscaleAndDraw();
    });
    connect(ImgView, &ImageView::pressed, this, &Tgraph2DForm::imagePressed);
    connect(ImgView, &ImageView::keyPressed, this, &Tgraph2DForm::imageKey);
    connect(ImgView, &ImageView::hovered, this, [this](QPointF p) {
        const spectre* im = state_.image();
        const Pixel px = cursorPixel({p.x(), p.y()});
        if (!im || !pixelInside(*im, px)) return PositionLabel->clear();
        const char sep = wb_.decimalSeparator;
        PositionLabel->setText(QStringLiteral("(%1, %2) : %3")
                                   .arg(px.i)
                                   .arg(px.j)
                                   .arg(qs(formatGeneral(im->valueAt(px.i, px.j), sep))));
    });
    for (TEditReal* box : {ZminBox, ZmaxBox})
        connect(box, &QLineEdit::editingFinished, this, [this] {
            state_.scale.zmin = ZminBox->Value();
            state_.scale.zmax = ZmaxBox->Value();
            drawImage();
        });
    connect(ZlogCheckBox, &QCheckBox::toggled, this, [this](bool on) {
        state_.setLogarithmic(on);
        showScaleBoxes();
        drawImage();
    });
    connect(AutoScaleCheckBox, &QCheckBox::toggled, this, [this](bool on) {
        state_.autoScale = on;
        autoscaleAndDraw();
    });
    connect(ScaleCombo->lineEdit(), &QLineEdit::returnPressed, this, [this] {
        if (const auto choice = zoomFromText(utf8(ScaleCombo->currentText()), state_.zoom))
            setZoom(choice->zoom);
    });
    connect(ScaleCombo, &QComboBox::textActivated, this, [this](const QString& text) {
        if (const auto choice = zoomFromText(utf8(text), state_.zoom)) setZoom(choice->zoom);
    });
    connect(ScaleBar, &QSlider::valueChanged, this,
            [this](int position) { setZoom(zoomFromSlider(position)); });
    connect(StretchButton, &QPushButton::clicked, this, [this] {
        const spectre* im = state_.image();
        if (!im) return;
        const QSize visible = ImgView->viewport()->size();
        if (const auto zoom =
                stretchZoom(visible.width() / state_.aspect, visible.height(), im->nx, im->ny))
            setZoom(*zoom);
    });
    connect(AspectRatio, &QLineEdit::editingFinished, this, [this] {
        if (const auto r = aspectRatioFromText(utf8(AspectRatio->text()), wb_.decimalSeparator))
            state_.aspect = *r;
        AspectRatio->setText(qs(formatGeneral(state_.aspect, wb_.decimalSeparator)));
        setZoom(state_.zoom);
    });
    connect(palettecombo, &QComboBox::currentIndexChanged, this, [this](int index) {
        state_.palette = index;
        colour();
    });
    connect(ImageInterpolate, &QCheckBox::toggled, this, [this](bool on) {
        picture_.smooth = state_.interpolate = on;
        colour();
    });
    connect(TypeGraphCombo, &QComboBox::currentIndexChanged, this,
            [this](int item) { state_.setCutChartItem(item); });
    connect(CutsLogScale, &QCheckBox::toggled, this, [this](bool on) {
        state_.cutAxis = {Z1DMinBox->Value(), Z1DMaxBox->Value()};
        guarded([&] { state_.setCutsLogScale(on); });
        Z1DMinBox->setValue(state_.cutAxis.z1DMin);
    });
    connect(ReplotButton, &QPushButton::clicked, this, &Tgraph2DForm::ReplotButtonClick);
    connect(SliceNumber, &QSpinBox::valueChanged, this, &Tgraph2DForm::SliceNumberChange);
    connect(ChoixSpectre3D, &QComboBox::currentTextChanged, this,
            &Tgraph2DForm::ChoixSpectre3DChange);
    connect(TypeMaskCombo, &QComboBox::currentIndexChanged, this, [this](int item) {
        ExpliLabel->setText(QString::fromUtf8(maskExplanation(item).data()));
    });
    connect(MaskButton, &QPushButton::clicked, this, [this] {
        state_.cursors = {CursorPosition{Xpos1->Value(), Ypos1->Value()},
                          CursorPosition{Xpos2->Value(), Ypos2->Value()}};
        guarded([&] { state_.setMask(TypeMaskCombo->currentIndex(), utf8(NomMaskEdit->text())); });
    });
    for (TEditReal* box : {Xcen, Ycen})
        connect(box, &QLineEdit::editingFinished, this, [this] {
            state_.Xcen = Xcen->Value();
            state_.Ycen = Ycen->Value();
            if (state_.averageAroundCentre()) Q_EMIT spectraChanged();
        });
}

bool Tgraph2DForm::guarded(const std::function<void()>& action) {
    return runGuarded(dialogs_, this, action);
}

void Tgraph2DForm::refillImageList() {
    choixspectre->setItemsKeepingText(spectrumNames(wb_.spectres2D));
}

void Tgraph2DForm::showImage(const std::string& name) {
    refillImageList();
    choixspectre->setEditText(qs(name));
    // The same name again still redraws: the image itself is new.
    if (utf8(choixspectre->currentText()) == state_.shownImage) autoscaleAndDraw();
}

void Tgraph2DForm::autoscaleAndDraw() {
    state_.autoscale();
    showScaleBoxes();
    drawImage();
}

void Tgraph2DForm::showScaleBoxes() {
    ZminBox->setValue(state_.scale.zmin);
    ZmaxBox->setValue(state_.scale.zmax);
}

void Tgraph2DForm::drawImage() {
    const spectre* im = state_.image();
    if (!im) return;
    choixspectre->setToolTip(qs(state_.hint()));
    state_.scale.logarithmic = ZlogCheckBox->isChecked();
    computeLevels(*im, state_.scale, levels_);
    moniteur->setValue(im->monitor);
    sommetotal->setValue(total(*im));
    somme->setValue(state_.somme);
    picture_.overlays = state_.overlays();
    colour();
    ImgView->setZoom(state_.zoom, state_.aspect);
}

void Tgraph2DForm::colour() {
    picture_.colours = colourTable(palettecombo->currentIndex());
    picture_.scale = state_.scale;
    ImgView->pictureChanged();
    ColorScale->update();
}

void Tgraph2DForm::setZoom(double zoom) {
    state_.zoom = zoom;
    const QString text = QString::number(std::lround(zoom * 100)) + QStringLiteral("%");
    ScaleCombo->setEditText(text);
    ScaleCombo->lineEdit()->setCursorPosition(static_cast<int>(text.size()) - 1);
    ImgView->setZoom(zoom, state_.aspect);
}

void Tgraph2DForm::imagePressed(Qt::MouseButton button, QPointF position) {
    const CursorPosition p{position.x(), position.y()};
    if (button == Qt::LeftButton && state_.placeCursor1(p)) afterCursorSteps();
    if (button == Qt::RightButton && state_.placeCursor2(p)) afterCursorSteps();
}

void Tgraph2DForm::imageKey(int key, const QString& text) {
    if (!state_.image()) return;
    if (key == Qt::Key_Up || text == QStringLiteral("a"))
        state_.moveCursor1ByKey();
    else if (key == Qt::Key_Down || text == QStringLiteral("z"))
        state_.moveCursor2ByKey();
    afterCursorSteps();
}

void Tgraph2DForm::afterCursorSteps() {
    state_.commonSteps();
    showCursorBoxes();
    somme->setValue(state_.somme);
    picture_.overlays = state_.overlays();
    ImgView->pictureChanged();
    XYcoupe->Update();
    Q_EMIT spectraChanged();
}

void Tgraph2DForm::showCursorBoxes() {
    Xpos1->setValue(state_.cursors[0].x);
    Ypos1->setValue(state_.cursors[0].y);
    Xpos2->setValue(state_.cursors[1].x);
    Ypos2->setValue(state_.cursors[1].y);
    Zval1->setValue(state_.Zval1);
    Zval2->setValue(state_.Zval2);
}

void Tgraph2DForm::readRangeBoxes() {
    state_.xProjection = static_cast<StackAxis>(Xprojection->currentIndex());
    state_.yProjection = static_cast<StackAxis>(Yprojection->currentIndex());
    state_.ranges = {XminProj->Value(), XmaxProj->Value(), YminProj->Value(),
                     YmaxProj->Value(), ltMinProj->Value(), ltMaxProj->Value()};
}

void Tgraph2DForm::ReplotButtonClick() {
    readRangeBoxes();
    if (guarded([&] { state_.projectStack(); })) {
        showScaleBoxes();
        drawImage();
    }
}

void Tgraph2DForm::SliceNumberChange(int slice) {
    readRangeBoxes();
    bool done = false;
    guarded([&] { done = state_.selectSlice(slice); });
    ltMinProj->setValue(state_.ranges.ltMin);
    ltMaxProj->setValue(state_.ranges.ltMax);
    if (!done) return;
    showScaleBoxes();
    drawImage();
}

void Tgraph2DForm::ChoixSpectre3DChange(const QString& name) {
    const spectre* stack = wb_.spectres3D.find(utf8(name));
    if (!stack) return;
    state_.shownStack = utf8(name);
    {
        const QSignalBlocker quiet(SliceNumber);
        SliceNumber->setMaximum(std::max(1, stack->nz));
    }
    state_.autoscaleOn(stack);
    ReplotButtonClick();
}

void Tgraph2DForm::closeRequest() {
    if (QWidget* frame = windowFrame(this)) frame->close();
}

} // namespace ombrelune
