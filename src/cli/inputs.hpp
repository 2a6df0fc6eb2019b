#pragma once
// The inputs of a batch: patterns expanded, files checked, natural order, and what the
// script and the per-input journal files call each input.

#include <string>
#include <vector>

namespace ombrelune {

// True when a sorts before b in natural order: runs of digits compare as numbers, so
// file2 comes before file10; equal numbers compare by their text.
bool naturalLess(const std::string& a, const std::string& b);

// Expands each argument (a pattern with * ? [ is expanded here, since the shell saw it
// quoted), keeps regular files, sorts them in natural order and drops repeats. Throws
// std::runtime_error naming an argument that is no file or a pattern that matches none.
std::vector<std::string> expandInputs(const std::vector<std::string>& arguments);

// The file name without directory and extension: "data/run3.spe" gives "run3".
std::string inputStem(const std::string& path);

// The name of each input's own journal: its stem, with "-<number>" (from 1) added when
// two inputs share that stem.
std::vector<std::string> journalSuffixes(const std::vector<std::string>& inputs);

} // namespace ombrelune
