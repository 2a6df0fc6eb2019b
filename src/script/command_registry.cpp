#include "script/command_registry.hpp"

#include "store/text_encoding.hpp"

#include <stdexcept>

namespace ombrelune {
namespace {

// The row helpers keep the table readable: text("image"), number("X0", "pixel"),
// optional(text("variable")), upTo(text("text"), 10), alias("add1D", "addSpectre1D").
CommandArgument text(std::string_view name) {
    return {name, ArgKind::text, {}, false, 0};
}
CommandArgument number(std::string_view name, std::string_view unit = {}) {
    return {name, ArgKind::number, unit, false, 0};
}
CommandArgument variable(std::string_view name) {
    return {name, ArgKind::variable, {}, false, 0};
}
CommandArgument optional(CommandArgument a) {
    a.optional = true;
    return a;
}
CommandArgument upTo(CommandArgument a, int lastPosition) {
    a.optional = true;
    a.lastPosition = lastPosition;
    return a;
}
CommandEntry alias(std::string_view name, std::string_view of) {
    return {name, {}, {}, of};
}

const char* const pixel = "pixel";
const char* const degrees = "degrees";

std::vector<CommandEntry> rows() {
    const std::vector<CommandArgument> twoOperands = {text("first operand"), text("second operand"),
                                                      text("result")};
    const std::vector<CommandArgument> scalar = {number("constant"), text("operand"),
                                                 text("result")};
    const std::vector<CommandArgument> axis = {text("spectrum"), number("start"), number("step"),
                                               text("axis type")};
    return {
        {"addpt",
         "Stores a point at the next append position of a spectrum.",
         {number("list"), text("name"), number("x"), number("y"), number("z"), number("value"),
          number("mon")}},
        {"addpoint1D",
         "Stores a point (y = z = 0) at the next append position of a curve.",
         {text("name"), number("x"), number("value"), number("mon")}},
        {"addcomment",
         "Writes the texts, joined without separator, as one journal line.",
         {upTo(text("text"), 10)}},
        {"delay", "Waits that long; the windows stay usable meanwhile.", {number("time", "s")}},
        {"clearspectre",
         "Clears every point of a spectrum (mon 1, all else 0).",
         {number("list"), text("name")}},
        {"addspectre",
         "Makes a cleared spectrum of nx x ny x nz points, replacing one of that name.",
         {number("list"), text("name"), number("nx"), number("ny"), number("nz")}},
        {"delSpectre1D", "Deletes a curve.", {text("curve")}},
        alias("del1D", "delSpectre1D"),
        {"delSpectre2D", "Deletes an image.", {text("image")}},
        alias("del2D", "delSpectre2D"),
        {"addSpectre1D", "Adds two curves point by point into the result.", twoOperands},
        alias("add1D", "addSpectre1D"),
        {"subSpectre1D", "Subtracts the second curve from the first, point by point.", twoOperands},
        alias("sub1D", "subSpectre1D"),
        {"multSpectre1D", "Multiplies two curves point by point.", twoOperands},
        alias("mult1D", "multSpectre1D"),
        {"divSpectre1D", "Divides the first curve by the second point by point (0 where it is 0).",
         twoOperands},
        alias("div1D", "divSpectre1D"),
        {"addSpectre2D", "Adds two images point by point into the result.", twoOperands},
        alias("add2D", "addSpectre2D"),
        {"subSpectre2D", "Subtracts the second image from the first, point by point.", twoOperands},
        alias("sub2D", "subSpectre2D"),
        {"multSpectre2D", "Multiplies two images point by point.", twoOperands},
        alias("mult2D", "multSpectre2D"),
        {"divSpectre2D", "Divides the first image by the second point by point (0 where it is 0).",
         twoOperands},
        alias("div2D", "divSpectre2D"),
        {"scalAddSpectre1D", "Adds the constant to every value of a curve.", scalar},
        alias("scalAdd1D", "scalAddSpectre1D"),
        {"scalSubSpectre1D", "Subtracts the constant from every value of a curve.", scalar},
        alias("scalSub1D", "scalSubSpectre1D"),
        {"scalMultSpectre1D", "Multiplies a curve (values, mon and monitor) by the constant.",
         scalar},
        alias("scalMult1D", "scalMultSpectre1D"),
        {"scalDivSpectre1D", "Divides a curve (values, mon and monitor) by the constant.", scalar},
        alias("scalDiv1D", "scalDivSpectre1D"),
        {"scalAddSpectre2D", "Adds the constant to every value of an image.", scalar},
        alias("scalAdd2D", "scalAddSpectre2D"),
        {"scalSubSpectre2D", "Subtracts the constant from every value of an image.", scalar},
        alias("scalSub2D", "scalSubSpectre2D"),
        {"scalMultSpectre2D", "Multiplies an image (values, mon and monitor) by the constant.",
         scalar},
        alias("scalMult2D", "scalMultSpectre2D"),
        {"scalDivSpectre2D", "Divides an image (values, mon and monitor) by the constant.", scalar},
        alias("scalDiv2D", "scalDivSpectre2D"),
        {"sqrt1D", "Square root of every value of a curve.", {text("operand"), text("result")}},
        {"sqrt2D", "Square root of every value of an image.", {text("operand"), text("result")}},
        {"Smooth1D",
         "Boxcar smoothing of a curve over width points.",
         {text("source"), number("width", "points"), text("destination")}},
        {"Smooth2D",
         "Boxcar smoothing of an image over width x width pixels.",
         {text("source"), number("width", pixel), text("destination")}},
        {"NormMoniSpectre2D",
         "Scales an image to a monitor count: values x target / monitor.",
         {number("target monitor"), text("source image"), text("destination image")}},
        {"ProjectionHSpectre2D",
         "Sums an image over a band of the first index into a curve along the second.",
         {text("image"), number("first", pixel), number("last", pixel), text("curve")}},
        {"ProjectionVSpectre2D",
         "Sums an image over a band of the second index into a curve along the first.",
         {text("image"), number("first", pixel), number("last", pixel), text("curve")}},
        {"IntegraleSpectre1D",
         "Integral of a curve between x1 and x2, to a variable or the journal.",
         {text("curve"), number("x1"), number("x2"), optional(text("variable"))}},
        {"IntegraleSpectre2D",
         "Sum of an image over a rectangle (indices on raw axes), to a variable or the journal.",
         {text("image"), number("x1"), number("y1"), number("x2"), number("y2"),
          optional(text("variable"))}},
        {"SommeCirculaireSpectre2D", "Kept for old scripts; does nothing.", {}},
        {"SommeDNPA",
         "Small-angle average of an image into a curve of q (1/unit of the wavelength); pixel "
         "size and distance in one length unit.",
         {text("image"), text("curve"), text("mask"), number("X0", pixel), number("Y0", pixel),
          number("channels"), number("wavelength", "Å"), number("pixel size", "mm"),
          number("distance", "mm")}},
        {"MasqueSecteur",
         "Sets to 0, in place, the pixels of an angular sector around a centre.",
         {text("image"), number("X0", pixel), number("Y0", pixel), number("angle", degrees),
          number("opening", degrees)}},
        {"Barycentre2D",
         "Writes the intensity-weighted centre of an image to the journal.",
         {text("image")}},
        {"SetExpCond",
         "Sets an experimental condition of a spectrum.",
         {number("list"), text("name"), text("condition"), number("value")}},
        {"SetComment",
         "Sets the comment of a spectrum to the texts, joined.",
         {number("list"), text("name"), upTo(text("text"), 10)}},
        {"SetMonitor",
         "Sets the monitor count of a spectrum (finite and above 0).",
         {number("list"), text("name"), number("monitor")}},
        {"Setstring",
         "Sets the text of a script variable (read back as name$) to the texts, joined.",
         {variable("variable"), upTo(text("text"), 10)}},
        {"Settab",
         "Stores numbers into the array of a script variable (read back as name#index).",
         {variable("variable"), number("first index"), upTo(number("value"), 10)}},
        {"readspectre2D",
         "Reads a .spe/.raw spectrum file into an image.",
         {text("file"), text("image")}},
        {"lectureFichierHADAS",
         "Reads the HADAS image <data root>/temp/<prefix><number>.img into the image of that name.",
         {text("file prefix"), number("file number")}},
        {"openspectre",
         "Reads a spectrum file (with conditions and axes) into a table.",
         {number("list"), text("file"), text("name")}},
        {"SaveSpectre",
         "Writes a spectrum to a spectrum file (with conditions and axes).",
         {number("list"), text("file"), text("name")}},
        {"openKESTRA",
         "Reads the KESTRA image <prefix>XY<number as 4 digits>.dat.",
         {text("file prefix"), number("file number"), text("image")}},
        {"concat1D",
         "Stacks the curve files <directory><prefix><n><suffix>, n = first, first + step .. last, "
         "as the rows of an image.",
         {text("directory"), text("file prefix"), number("first number"), number("step"),
          number("last number"), text("suffix"), text("image")}},
        {"concat2D",
         "Joins two images on the first one's grid; the second wins where both lie.",
         {text("first image"), text("second image"), text("destination image")}},
        {"extract2D",
         "Cuts the rectangle x1..x2, y1..y2 (axis coordinates) out of an image.",
         {text("source image"), number("x1"), number("y1"), number("x2"), number("y2"),
          text("destination image")}},
        {"Convert1Dto2Drow",
         "Makes a one-row image of the same name from a curve.",
         {text("curve")}},
        {"Convert1Dto2Dcol",
         "Makes a one-column image of the same name from a curve.",
         {text("curve")}},
        {"appendCol",
         "Appends a curve to an image as a new last column (first index).",
         {text("image"), text("curve")}},
        {"appendRow",
         "Appends a curve to an image as a new last row (second index).",
         {text("image"), text("curve")}},
        {"saveToASCII1D",
         "Writes a curve as an ASCII table whose first line is the texts, joined.",
         {text("curve"), text("file"), upTo(text("header text"), 10)}},
        {"saveToASCII2D",
         "Writes an image as an ASCII table whose first line is the texts, joined.",
         {text("image"), text("file"), upTo(text("header text"), 10)}},
        {"SaveNXcanSAS",
         "Writes a curve of |Q| as an NXcanSAS (HDF5) file for small-angle fitting programs: "
         "Q, I and Idev when the curve has errors, points at Q = 0 left out; title defaults to "
         "the curve's name, Q unit 1/angstrom (or 1/nm, 1/m), I unit arbitrary (or 1/cm, 1/m, "
         "cm2/g, m2/g).",
         {text("curve"), text("file"), optional(text("title")), optional(text("Q unit")),
          optional(text("I unit"))}},
        {"setX1D", "Sets x = start + i x step along a curve, and its axis type.", axis},
        {"setX2D",
         "Sets x = start + i x step along the first index of an image, and its axis type.", axis},
        {"setY2D",
         "Sets y = start + j x step along the second index of an image, and its axis type.", axis},
        {"remap2DtoQxQz",
         "Resamples an image in incidence and exit angles (degrees) onto a grid of the two "
         "components of q (1/unit of the wavelength).",
         {text("source image"), number("wavelength", "Å"), number("q1 min", "1/Å"),
          number("q1 step", "1/Å"), number("q1 max", "1/Å"), number("q2 min", "1/Å"),
          number("q2 step", "1/Å"), number("q2 max", "1/Å"), text("destination image")}},
        {"del3D", "Deletes a stack.", {text("stack")}},
        {"add3D",
         "Adds two stacks point by point.",
         {text("first stack"), text("second stack"), text("destination stack")}},
        {"IntegraleSpectre3D",
         "Sum of all values of a stack, to a variable or the journal.",
         {text("stack"), optional(text("variable"))}},
        {"ReadMoni3D",
         "The monitor of a stack, to a variable or the journal.",
         {text("stack"), optional(text("variable"))}},
        {"Spectre3DTo2D",
         "Takes slice k (from 1) of a stack as an image; monitor mode \"norm/nombre\", "
         "\"norm/inter\" or other.",
         {text("stack"), text("destination image"), number("slice"), text("monitor mode")}},
        {"ReadLAMPD17",
         "Reads a LAMP text file of the D17 reflectometer into a 287 x 500 image.",
         {text("file"), text("image")}},
        {"SavePlot1D",
         "Draws curves as a 1D view shows them into a .png, .svg or .pdf file; an empty curve "
         "name leaves that curve out.",
         {text("file"), number("width", pixel), number("height", pixel), text("\"lin\" or \"log\""),
          text("curve A"), text("curve B"), text("curve C"), text("curve D")}},
        {"SavePlot2D",
         "Draws an image as a 2D view shows it into a .png (the picture alone, zoom x zoom "
         "pixels a point), .svg or .pdf file (with its colour scale); palette Gris, Vert, Rouge, "
         "Rainbow, viridis or magma; zmin = zmax = 0 autoscales.",
         {text("file"), text("image"), text("palette"), text("\"lin\" or \"log\""), number("zmin"),
          number("zmax"), number("zoom", "pixels per point")}},
        {"FitSpectre",
         "Fits a model in A..E and X, Y, Z (no comma in it, so no two-argument function) to "
         "every point of a spectrum, from the script's A..E, moving only those it uses. Method "
         "simplex (tolerance: spread of the vertices), marquardt or bfgs (tolerance: relative "
         "change of every parameter); weighting none or poisson (1/max(value, 1)). A..E get the "
         "fit, R#0..4 the values, R#5..9 their errors, R#10 the sum of squares, R#11 n - p, "
         "R#12 the iterations; a difference \"\" writes none.",
         {number("dimension"), text("spectrum"), text("model"), text("method"),
          number("iterations"), number("tolerance"), text("difference"),
          optional(variable("result")), optional(text("weighting"))}},
    };
}

// Aliases take the meaning and arguments of the command they name.
std::vector<CommandEntry> resolvedRows() {
    std::vector<CommandEntry> table = rows();
    for (CommandEntry& e : table) {
        if (e.aliasOf.empty()) continue;
        for (const CommandEntry& target : table)
            if (target.name == e.aliasOf && target.aliasOf.empty()) {
                e.meaning = target.meaning;
                e.arguments = target.arguments;
            }
        if (e.meaning.empty())
            throw std::logic_error("alias " + std::string(e.name) + " of an unknown command");
    }
    return table;
}

} // namespace

const std::vector<CommandEntry>& commandTable() {
    static const std::vector<CommandEntry> table = resolvedRows();
    return table;
}

const CommandEntry* findCommandEntry(std::string_view name) {
    for (const CommandEntry& e : commandTable())
        if (equalsIgnoreAsciiCase(e.name, name)) return &e;
    return nullptr;
}

CommandRegistry::CommandRegistry() {
    for (const CommandEntry& e : commandTable()) slots_.push_back(Slot{e.name, nullptr});
}

void CommandRegistry::bind(std::string_view name, CommandRoutine routine) {
    for (Slot& s : slots_)
        if (s.name == name) {
            s.routine = std::move(routine);
            return;
        }
    throw std::logic_error("no command named " + std::string(name) + " in the registry");
}

const CommandRoutine* CommandRegistry::find(std::string_view name) const {
    for (const Slot& s : slots_)
        if (equalsIgnoreAsciiCase(s.name, name)) return s.routine ? &s.routine : nullptr;
    return nullptr;
}

} // namespace ombrelune
