#include "script/command_registry.hpp"

#include "store/text_encoding.hpp"

#include <stdexcept>

namespace ombrelune {

const std::vector<CommandEntry>& commandTable() {
    static const std::vector<CommandEntry> table = {
        {"addpt", "list, name, x, y, z, value, mon"},
        {"addpoint1D", "name, x, value, mon"},
        {"addcomment", "texts 1 ... 10"},
        {"delay", "seconds"},
        {"clearspectre", "list, name"},
        {"addspectre", "list, name, nx, ny, nz"},
        {"delSpectre1D", "name"},
        {"del1D", "name"},
        {"delSpectre2D", "name"},
        {"del2D", "name"},
        {"addSpectre1D", "first operand, second operand, result"},
        {"add1D", "first operand, second operand, result"},
        {"subSpectre1D", "first operand, second operand, result"},
        {"sub1D", "first operand, second operand, result"},
        {"multSpectre1D", "first operand, second operand, result"},
        {"mult1D", "first operand, second operand, result"},
        {"divSpectre1D", "first operand, second operand, result"},
        {"div1D", "first operand, second operand, result"},
        {"addSpectre2D", "first operand, second operand, result"},
        {"add2D", "first operand, second operand, result"},
        {"subSpectre2D", "first operand, second operand, result"},
        {"sub2D", "first operand, second operand, result"},
        {"multSpectre2D", "first operand, second operand, result"},
        {"mult2D", "first operand, second operand, result"},
        {"divSpectre2D", "first operand, second operand, result"},
        {"div2D", "first operand, second operand, result"},
        {"scalAddSpectre1D", "constant, operand, result"},
        {"scalAdd1D", "constant, operand, result"},
        {"scalSubSpectre1D", "constant, operand, result"},
        {"scalSub1D", "constant, operand, result"},
        {"scalMultSpectre1D", "constant, operand, result"},
        {"scalMult1D", "constant, operand, result"},
        {"scalDivSpectre1D", "constant, operand, result"},
        {"scalDiv1D", "constant, operand, result"},
        {"scalAddSpectre2D", "constant, operand, result"},
        {"scalAdd2D", "constant, operand, result"},
        {"scalSubSpectre2D", "constant, operand, result"},
        {"scalSub2D", "constant, operand, result"},
        {"scalMultSpectre2D", "constant, operand, result"},
        {"scalMult2D", "constant, operand, result"},
        {"scalDivSpectre2D", "constant, operand, result"},
        {"scalDiv2D", "constant, operand, result"},
        {"sqrt1D", "operand, result"},
        {"sqrt2D", "operand, result"},
        {"Smooth1D", "source, width, destination"},
        {"Smooth2D", "source, width, destination"},
        {"NormMoniSpectre2D", "target monitor, source image, destination image"},
        {"ProjectionHSpectre2D", "image, from, to, curve"},
        {"ProjectionVSpectre2D", "image, from, to, curve"},
        {"IntegraleSpectre1D", "curve, x1, x2, variable"},
        {"IntegraleSpectre2D", "image, x1, y1, x2, y2, variable"},
        {"SommeCirculaireSpectre2D", "none read"},
        {"SommeDNPA", "image, curve, mask, X0, Y0, bins, wavelength, delta, distance"},
        {"MasqueSecteur", "image, X0, Y0, angle, opening"},
        {"Barycentre2D", "image"},
        {"SetExpCond", "list, name, condition name, value"},
        {"SetComment", "list, name, texts 3 ... 10"},
        {"Setstring", "@variable, texts 2 ... 10"},
        {"Settab", "@variable, first index, values 3 ... 10"},
        {"readspectre2D", "file, image"},
        {"lectureFichierHADAS", "file prefix, file number"},
        {"openspectre", "list, file, name"},
        {"SaveSpectre", "list, file, name"},
        {"openKESTRA", "file prefix, file number, image"},
        {"concat1D", "directory, file prefix, first number, step, last number, suffix, image"},
        {"concat2D", "first image, second image, destination image"},
        {"extract2D", "source image, x1, y1, x2, y2, destination image"},
        {"Convert1Dto2Drow", "curve"},
        {"Convert1Dto2Dcol", "curve"},
        {"appendCol", "image, curve"},
        {"appendRow", "image, curve"},
        {"saveToASCII1D", "spectrum, file, header texts 3 ... 10"},
        {"saveToASCII2D", "spectrum, file, header texts 3 ... 10"},
        {"setX1D", "curve, start, step, axis type"},
        {"setX2D", "image, start, step, axis type"},
        {"setY2D", "image, start, step, axis type"},
        {"remap2DtoQxQz", "source image, wavelength, q1 min, q1 step, q1 max, q2 min, q2 step, "
                          "q2 max, destination image"},
        {"del3D", "stack"},
        {"add3D", "first stack, second stack, destination stack"},
        {"IntegraleSpectre3D", "stack, variable"},
        {"ReadMoni3D", "stack, variable"},
        {"Spectre3DTo2D", "stack, destination image, slice number, monitor mode"},
        {"ReadLAMPD17", "file, image"},
    };
    return table;
}

CommandRegistry::CommandRegistry() {
    for (const CommandEntry& e : commandTable()) slots_.push_back(Slot{e, nullptr});
}

void CommandRegistry::bind(std::string_view name, CommandRoutine routine) {
    for (Slot& s : slots_)
        if (s.entry.name == name) {
            s.routine = std::move(routine);
            return;
        }
    throw std::logic_error("no command named " + std::string(name) + " in the registry");
}

const CommandRoutine* CommandRegistry::find(std::string_view name) const {
    for (const Slot& s : slots_)
        if (equalsIgnoreAsciiCase(s.entry.name, name)) return s.routine ? &s.routine : nullptr;
    return nullptr;
}

} // namespace ombrelune
