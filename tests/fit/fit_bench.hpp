#pragma once
// A script bench with FitSpectre bound, and the small spectra the fit tests fit.

#include "numeric/fit/fit_command.hpp"
#include "numeric/fit/fit_model.hpp"
#include "script/recording_host.hpp"

#include <string>
#include <vector>

namespace ombrelune::testing {

struct FitBench : ScriptBench {
    FitBench() { bindFitCommands(interp.registry()); }

    void setVariable(const std::string& name, double v) { interp.parser().SetVariable(name, v); }
    // The number array of a script variable (empty when there is none of that name).
    std::vector<double> array(const std::string& name) {
        const auto p = interp.scriptVariables().find(name);
        return p ? interp.scriptVariables().descriptor(*p).values : std::vector<double>{};
    }
};

} // namespace ombrelune::testing
