#include "ui/chart_designer.hpp"

#include <QComboBox>
#include <QFormLayout>
#include <QStandardItemModel>
#include <QTabWidget>

namespace ombrelune {
namespace {

QFormLayout* formOn(QWidget* page) {
    auto* form = new QFormLayout(page);
    form->setFieldGrowthPolicy(QFormLayout::ExpandingFieldsGrow);
    return form;
}

} // namespace

GraphDesigner::GraphDesigner(ChartModel& chart, DialogService& dialogs, QWidget* parent)
    : ChartCopyDialog(chart, dialogs, QStringLiteral("Graph Designer"), parent) {
    setObjectName(QStringLiteral("GraphDesigner"));
    auto* pages = new QTabWidget(this);
    pages->setObjectName(QStringLiteral("pages"));
    pages->addTab(generalPage(), QStringLiteral("General"));
    pages->addTab(legendPage(), QStringLiteral("Legend"));
    pages->addTab(allAxesPage(), QStringLiteral("All Axes"));
    pages->addTab(axisPage(AxisId::X), QStringLiteral("X Axis"));
    pages->addTab(axisPage(AxisId::Y), QStringLiteral("Y Axis"));
    pages->addTab(axisPage(AxisId::Y2), QStringLiteral("Second Y Axis"));
    setBody(pages);
}

QWidget* GraphDesigner::generalPage() {
    auto* page = new QWidget(this);
    QFormLayout* f = formOn(page);
    FormBinder& b = binder();
    TAppearance& a = copy().Appearance;
    TDimensions& d = copy().Dimensions;
    b.text(f, QStringLiteral("Title"),
           member<std::string>([&a]() -> std::string& { return a.GraphTitle; }));
    b.check(f, QStringLiteral("Show titles and axis captions"),
            member<bool>([&a]() -> bool& { return a.ShowGraphLabels; }));
    b.font(f, QStringLiteral("Title font"),
           member<FontSpec>([&a]() -> FontSpec& { return a.TitleFont; }));
    b.font(f, QStringLiteral("Caption font"),
           member<FontSpec>([&a]() -> FontSpec& { return a.CaptionFont; }));
    b.font(f, QStringLiteral("Label font"),
           member<FontSpec>([&a]() -> FontSpec& { return a.LabelFont; }));
    const std::pair<const char*, Rgb TAppearance::*> colours[] = {
        {"Axes colour", &TAppearance::AxesColor},
        {"Background colour", &TAppearance::BackgroundColor},
        {"Margin colour", &TAppearance::MarginColor},
        {"Cross colour", &TAppearance::CrossColor}};
    for (const auto& [caption, field] : colours)
        b.colour(f, QString::fromUtf8(caption),
                 member<Rgb>([&a, field = field]() -> Rgb& { return a.*field; }));
    b.check(f, QStringLiteral("Cross at zero"),
            member<bool>([&a]() -> bool& { return a.CrossAtZero; }));
    b.check(f, QStringLiteral("Crosshair under the mouse"),
            member<bool>([&a]() -> bool& { return a.CrossWire; }));
    b.check(f, QStringLiteral("Show marks"), member<bool>([&a]() -> bool& { return a.ShowMarks; }));
    b.check(f, QStringLiteral("Draw outside the plot area"),
            member<bool>([&a]() -> bool& { return a.PlotOffGraph; }));
    const std::pair<const char*, int TDimensions::*> sizes[] = {
        {"Left margin", &TDimensions::LeftMargin},
        {"Right margin", &TDimensions::RightMargin},
        {"Top margin", &TDimensions::TopMargin},
        {"Bottom margin", &TDimensions::BottomMargin},
        {"Print x offset (% of page)", &TDimensions::PrintXOffsetPct},
        {"Print y offset (% of page)", &TDimensions::PrintYOffsetPct},
        {"Print size (% of page)", &TDimensions::PrintScalePct}};
    for (const auto& [caption, field] : sizes)
        b.integer(f, QString::fromUtf8(caption), 0, 1000,
                  member<int>([&d, field = field]() -> int& { return d.*field; }));
    b.check(f, QStringLiteral("Print the background"),
            member<bool>([&a]() -> bool& { return a.PrintBkgndColor; }));
    b.check(f, QStringLiteral("Thin lines (one pixel)"),
            member<bool>([&a]() -> bool& { return a.PrintLineStyle; }));
    return page;
}

QWidget* GraphDesigner::legendPage() {
    auto* page = new QWidget(this);
    QFormLayout* f = formOn(page);
    FormBinder& b = binder();
    TLegend& l = copy().Legend;
    b.check(f, QStringLiteral("Show the legend"),
            member<bool>([&l]() -> bool& { return l.visible; }));
    b.choice(f, QStringLiteral("Layout"), {QStringLiteral("Across"), QStringLiteral("Down")},
             {[&l] { return l.Layout == LegendLayout::lsDown ? 1 : 0; },
              [&l](const int& k) {
                  l.Layout = k == 1 ? LegendLayout::lsDown : LegendLayout::lsAcross;
              }});
    const std::pair<const char*, int TLegend::*> sizes[] = {
        {"Left", &TLegend::left},
        {"Top", &TLegend::top},
        {"Width (0: full)", &TLegend::width},
        {"Height", &TLegend::height},
        {"Symbol space", &TLegend::SymbolSpace},
        {"Horizontal margin", &TLegend::XMargin},
        {"Vertical margin", &TLegend::YMargin}};
    for (const auto& [caption, field] : sizes)
        b.integer(f, QString::fromUtf8(caption), 0, 10000,
                  member<int>([&l, field = field]() -> int& { return l.*field; }));
    b.colour(f, QStringLiteral("Colour"), member<Rgb>([&l]() -> Rgb& { return l.color; }));
    b.check(f, QStringLiteral("Frame"), member<bool>([&l]() -> bool& { return l.borderStyle; }));
    b.font(f, QStringLiteral("Font"), member<FontSpec>([&l]() -> FontSpec& { return l.font; }));
    return page;
}

QWidget* GraphDesigner::allAxesPage() {
    auto* page = new QWidget(this);
    QFormLayout* f = formOn(page);
    FormBinder& b = binder();
    TAppearance& a = copy().Appearance;
    b.colour(f, QStringLiteral("Grid colour"), member<Rgb>([&a]() -> Rgb& { return a.GridColor; }));
    b.choice(f, QStringLiteral("Grid style"), lineStyleNames(),
             member<int>([&a]() -> int& { return a.GridStyle; }));
    b.check(f, QStringLiteral("Show ticks"), member<bool>([&a]() -> bool& { return a.ShowTicks; }));
    b.integer(f, QStringLiteral("Tick length"), 0, 100,
              member<int>([this]() -> int& { return copy().Dimensions.TickLength; }));
    b.integer(f, QStringLiteral("Fewest steps"), 1, 100,
              member<int>([&a]() -> int& { return a.MinSteps; }));
    b.integer(f, QStringLiteral("Most steps"), 1, 1000,
              member<int>([&a]() -> int& { return a.MaxSteps; }));
    b.text(f, QStringLiteral("Error caption"),
           member<std::string>([&a]() -> std::string& { return a.ErrorCaption; }));
    return page;
}

QWidget* GraphDesigner::axisPage(AxisId id) {
    auto* page = new QWidget(this);
    QFormLayout* f = formOn(page);
    FormBinder& b = binder();
    TAxis& x = copy().editAxis(id);
    b.number(f, QStringLiteral("Scale maximum"),
             member<double>([&x]() -> double& { return x.Max; }));
    b.number(f, QStringLiteral("Scale minimum"),
             member<double>([&x]() -> double& { return x.Min; }));
    b.number(f, QStringLiteral("Tick step"),
             member<double>([&x]() -> double& { return x.StepSize; }));
    b.text(f, QStringLiteral("Title"),
           member<std::string>([&x]() -> std::string& { return x.Title; }));
    b.integer(f, QStringLiteral("Label decimals"), 0, 15,
              member<int>([&x]() -> int& { return x.LabelDecimals; }));
    b.check(f, QStringLiteral("Decimals follow the step"),
            member<bool>([&x]() -> bool& { return x.AutoLabelDecimals; }));
    // Date and time axes are not drawn by this program; the entry is shown greyed.
    b.choice(f, QStringLiteral("Axis type"),
             {QStringLiteral("Normal"), QStringLiteral("Log Scale"), QStringLiteral("Date/Time")},
             {[&x] { return x.LogScale ? 1 : 0; }, [&x](const int& k) { x.LogScale = k == 1; }});
    if (auto* combo = page->findChildren<QComboBox*>().constLast())
        if (auto* items = qobject_cast<QStandardItemModel*>(combo->model()))
            items->item(2)->setEnabled(false);
    b.integer(f, QStringLiteral("Decade divisions"), 0, 9,
              member<int>([&x]() -> int& { return x.LogCycleDivisions; }));
    b.check(f, QStringLiteral("Scale Automatically"),
            member<bool>([&x]() -> bool& { return x.AutoSizing; }));
    b.check(f, QStringLiteral("Change tick step automatically"),
            member<bool>([&x]() -> bool& { return x.AutoStepping; }));
    b.check(f, QStringLiteral("Show this axis"),
            member<bool>([&x]() -> bool& { return x.ShowAxis; }));
    b.check(f, QStringLiteral("Show Gridlines"),
            member<bool>([&x]() -> bool& { return x.Gridlines; }));
    return page;
}

} // namespace ombrelune
