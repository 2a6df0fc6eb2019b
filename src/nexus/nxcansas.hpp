#pragma once
// A small-angle curve as an NXcanSAS file (HDF5): the form the field's fitting and
// reduction programs read without conversion. One entry "sasentry01" holding one data
// group "sasdata01" with the datasets Q, I and, when the curve carries an uncertainty, Idev.

#include "store/spectre.hpp"

#include <array>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace ombrelune {

// What goes into the file, already cut to the points that are written.
struct NXcanSASCurve {
    std::string title;       // the entry's title
    std::string run;         // the entry's run: the spectrum's name
    std::string description; // what made the curve (the spectrum's comment); may be empty
    std::string qUnit;       // one of nxcansasQUnits
    std::string iUnit;       // one of nxcansasIUnits
    std::vector<double> q;
    std::vector<double> i;
    std::vector<double> idev; // empty when the curve has no uncertainty
};

// The units the file may name, the default first.
inline constexpr std::array<std::string_view, 3> nxcansasQUnits = {"1/angstrom", "1/nm", "1/m"};
inline constexpr std::array<std::string_view, 5> nxcansasIUnits = {"arbitrary", "1/cm", "1/m",
                                                                   "cm2/g", "m2/g"};

// The texts of the command or the dialog; empty ones take their defaults (the spectrum's
// name, "1/angstrom", "arbitrary").
struct NXcanSASLabels {
    std::string title;
    std::string qUnit;
    std::string iUnit;
};

// The points of a curve of |Q| that go into the file. A channel that received no pixel
// keeps Q = 0, and so does the channel of the direct beam: neither means anything on the
// logarithmic Q axis of a fit, so every point with Q = 0 is left out. Raises ERefused (with
// the reason, in the journal's words) for an axis that is not |Q| ("raw", a negative or
// non-finite Q), an unknown unit, or a curve left without points.
NXcanSASCurve nxcansasCurve(const spectre& curve, const NXcanSASLabels& labels);

// True when this build can write HDF5 files.
bool nxcansasAvailable();

// Writes the file atomically (a failure leaves no damaged file where a good one was).
// Raises EInOutError naming the file when it cannot be made, ERefused when the program
// was built without HDF5.
void writeNXcanSAS(const NXcanSASCurve& curve, const std::filesystem::path& file);

} // namespace ombrelune
