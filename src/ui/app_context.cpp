#include "ui/app_context.hpp"

#include "proc2d/all_commands.hpp"
#include "render/save_plot_1d.hpp"

namespace ombrelune {

AppContext::AppContext(Workbench& wb, DialogService& dialogs)
    : wb_(wb), dialogs_(dialogs), host_(dialogs, nullptr), interpreter_(wb, host_) {
    bindAllCommands(interpreter_.registry());
    bindPlotCommands(interpreter_.registry());
}

AppContext::~AppContext() {
    host_.setStepTimer(false);
}

} // namespace ombrelune
