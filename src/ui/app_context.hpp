#pragma once
// What the windows of the workbench share besides the spectrum tables: the one script
// engine with its host, the dialog service, and the view settings that hold for every
// view of a kind (the 1D views' curve colours and factor exponents). Made by main() before
// any window and handed to each; it outlives them all.

#include "plot/graph1d_model.hpp"
#include "script/interpreter.hpp"
#include "ui/gui_script_host.hpp"

namespace ombrelune {

class DialogService;

class AppContext {
public:
    // Binds every command, the plot commands included.
    AppContext(Workbench& wb, DialogService& dialogs);
    ~AppContext();
    AppContext(const AppContext&) = delete;
    AppContext& operator=(const AppContext&) = delete;

    Workbench& wb() { return wb_; }
    DialogService& dialogs() { return dialogs_; }
    Interpreter& interpreter() { return interpreter_; }
    GuiScriptHost& host() { return host_; }
    CurveViewSettings& curveViews() { return curveViews_; }

private:
    Workbench& wb_;
    DialogService& dialogs_;
    GuiScriptHost host_;
    Interpreter interpreter_;
    CurveViewSettings curveViews_;
};

} // namespace ombrelune
