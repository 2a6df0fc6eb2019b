#pragma once
// The chart's settings besides its axes and series: dimensions, appearance, legend and the
// annotation marks.

#include "plot/chart_types.hpp"

#include <string>

namespace ombrelune {

// Distances in chart pixels; the print settings in percent of the page.
struct TDimensions {
    int LeftMargin = 40;
    int RightMargin = 15;
    int TopMargin = 30;
    int BottomMargin = 40;
    int TickLength = 4;
    int XAxisTitleOffset = 4;
    int XAxisLabelOffset = 2;
    int YAxisTitleOffset = 4;
    int YAxisLabelOffset = 2;
    int GraphTitleOffset = 7;
    int PrintXOffsetPct = 5;
    int PrintYOffsetPct = 20;
    int PrintScalePct = 90;
    friend bool operator==(const TDimensions&, const TDimensions&) = default;
};

struct TAppearance {
    Rgb AxesColor{0, 0, 0};
    Rgb BackgroundColor = controlFaceColour;
    Rgb MarginColor = controlFaceColour;
    bool PrintBkgndColor = false;
    Rgb GridColor{192, 192, 192};
    int GridStyle = lsDot;
    std::string ErrorCaption = "MAX/MIN VALUES INCONSISTENT";
    std::string GraphTitle = "Curve chart";
    bool ShowGraphLabels = true;
    bool ShowMarks = false;
    bool ShowTicks = true;
    bool PlotOffGraph = false;
    int MinSteps = 5;
    int MaxSteps = 50;
    FontSpec TitleFont{"Arial", 13, true};
    FontSpec CaptionFont{"Arial", 11};
    FontSpec LabelFont{"Arial", 11};
    bool CrossAtZero = true;
    Rgb CrossColor{255, 0, 0};
    int Crosslength = 4;
    bool CrossWire = false;
    bool AllowDuplicates = false;
    double MinPointClearance = 0;
    bool PrintLineStyle = true;
    bool PreventFlicker = true;
    friend bool operator==(const TAppearance&, const TAppearance&) = default;
};

enum class LegendLayout { lsAcross, lsDown };

struct TLegend {
    bool visible = false;
    Rgb color{255, 255, 255};
    bool borderStyle = true; // a frame around the legend
    LegendLayout Layout = LegendLayout::lsAcross;
    int top = 10;
    int left = 10;
    int width = 0; // 0: the control's width less 20
    int height = 20;
    FontSpec font{"Arial", 11};
    int SymbolSpace = 20;
    int XMargin = 10;
    int YMargin = 5;
    friend bool operator==(const TLegend&, const TLegend&) = default;
};

// An annotation over the plot, in data units. Kinds: 0 a vertical line at x1 with its
// caption along it, 1 a horizontal line at y1 with the caption at one end (placement 0 to
// 3), 2 a square around (x1, y1), 3 a line from (x1, y1) to (x2, y2). Layers 0 to 3 say
// when it is drawn (see the chart's drawing order).
struct TMark {
    int number = 0;
    Rgb colour;
    double x1 = 0;
    double y1 = 0;
    double x2 = 0;
    double y2 = 0;
    std::string caption;
    int kind = 0;
    int captionPlacement = 0;
    int layer = 3;
    friend bool operator==(const TMark&, const TMark&) = default;
};

} // namespace ombrelune
