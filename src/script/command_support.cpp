#include "script/command_support.hpp"

#include "store/store_ops.hpp"

#include <cmath>
#include <limits>

namespace ombrelune {

void refuse(Interpreter& in, const CommandArgs& args, const std::string& why) {
    in.wb().journal.appendLine("!! " + args.command + " : " + why);
}

spectre* findOrRefuse(Interpreter& in, const CommandArgs& args, spectlist& table,
                      const std::string& name) {
    spectre* s = table.find(name);
    if (!s) refuse(in, args, name + " non trouvé");
    return s;
}

spectlist* tableOrRefuse(Interpreter& in, const CommandArgs& args, long double list) {
    spectlist* table = in.wb().table(static_cast<double>(list));
    if (!table) refuse(in, args, "liste " + in.wb().number(double(list)) + " inconnue (1, 2 ou 3)");
    return table;
}

std::int64_t roundedCount(long double v) {
    const double r = roundHalfEven(static_cast<double>(v));
    if (!std::isfinite(r) || std::fabs(r) > std::numeric_limits<std::int32_t>::max()) return -1;
    return static_cast<std::int64_t>(r);
}

int createOrRefuse(Interpreter& in, const CommandArgs& args, spectlist& table,
                   const std::string& name, std::int64_t nx, std::int64_t ny, std::int64_t nz) {
    const int slot = table.create(name, nx, ny, nz);
    if (slot < 0)
        refuse(in, args,
               "impossible de créer " + name + " de " + std::to_string(nx) + " x " +
                   std::to_string(ny) + " x " + std::to_string(nz) +
                   " points (tailles refusées ou table pleine)");
    return slot;
}

} // namespace ombrelune
