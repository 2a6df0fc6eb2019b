#include "script/command_support.hpp"
#include "script/script_commands.hpp"
#include "store/instrument_files.hpp"
#include "store/number_format.hpp"
#include "store/spectrum_files.hpp"
#include "store/store_ops.hpp"
#include "store/text_file.hpp"

namespace ombrelune {
namespace {

void missingFile(Interpreter& in, const std::string& file) {
    in.wb().journal.appendLine("!! echec ouverture : " + file + " n existe pas");
}

// A spectrum as create(name, 1, 1, 1) makes it, to be read into before it is stored.
spectre freshSpectrum(const std::string& name) {
    spectre s;
    s.name = name;
    s.resize(1, 1, 1);
    s.clear();
    return s;
}

// Stores a spectrum read from a file, replacing any of its name; refuses when full.
void storeRead(Interpreter& in, const CommandArgs& a, spectlist& table, spectre&& s) {
    const std::string name = s.name;
    if (table.store(std::move(s)) < 0) refuse(in, a, "impossible de ranger " + name + " (table pleine)");
}

void cmdReadSpectre2D(Interpreter& in, const CommandArgs& a) {
    StepTimerPause pause(in.host());
    spectlist& images = in.wb().spectres2D;
    const std::string& file = a.text(1);
    const std::string& name = a.text(2);
    spectre* s = images.find(name);
    if (!s) {
        const int slot = createOrRefuse(in, a, images, name, 1, 1, 1);
        if (slot < 0) return;
        s = images.at(slot);
    }
    if (!fileExists(file)) return missingFile(in, file);
    readSpeFile(*s, file); // changes the image only once the whole file was read
    in.wb().journal.appendLine("ouverture de : " + file + " dans : " + name);
}

void cmdLectureHadas(Interpreter& in, const CommandArgs& a) {
    const double number = roundHalfEven(static_cast<double>(a.number(2)));
    const auto file = in.wb().paths.temp() / (a.text(1) + formatGeneral(number) + ".img");
    if (readHadasFile(in.wb().spectres2D, file, in.wb().decimalSeparator) < 0)
        refuse(in, a, "impossible de ranger " + file.filename().string() + " (table pleine)");
}

CommandRoutine saveAscii(spectlist Workbench::*table, bool curve) {
    return [table, curve](Interpreter& in, const CommandArgs& a) {
        StepTimerPause pause(in.host());
        const spectre* s = findOrRefuse(in, a, in.wb().*table, a.text(1));
        if (!s) return;
        if (curve)
            writeAscii1D(*s, a.text(2), a.joinedTexts(3), in.wb().decimalSeparator);
        else
            writeAscii2D(*s, a.text(2), a.joinedTexts(3), in.wb().decimalSeparator);
    };
}

spectlist* listTable(Interpreter& in, const CommandArgs& a) {
    return tableOrRefuse(in, a, roundHalfEven(static_cast<double>(a.number(1))));
}

void cmdOpenSpectre(Interpreter& in, const CommandArgs& a) {
    StepTimerPause pause(in.host());
    const std::string& file = a.text(2);
    if (!fileExists(file)) return missingFile(in, file);
    spectlist* table = listTable(in, a);
    if (!table) return;
    spectre s = freshSpectrum(a.text(3));
    readSpectreFile(s, file);
    storeRead(in, a, *table, std::move(s));
}

void cmdSaveSpectre(Interpreter& in, const CommandArgs& a) {
    StepTimerPause pause(in.host());
    if (spectlist* table = listTable(in, a))
        if (const spectre* s = findOrRefuse(in, a, *table, a.text(3)))
            writeSpectreFile(*s, a.text(2), in.wb().journal);
}

void cmdOpenKestra(Interpreter& in, const CommandArgs& a) {
    StepTimerPause pause(in.host());
    const std::string digits = "000" + in.wb().number(static_cast<double>(a.number(2)));
    const std::string file = a.text(1) + "XY" + digits.substr(digits.size() - 4) + ".dat";
    if (!fileExists(file)) return missingFile(in, file);
    spectre s = freshSpectrum(a.text(3));
    s.resize(kestraSide, kestraSide, 1);
    s.clear();
    readKestraFile(s, file);
    storeRead(in, a, in.wb().spectres2D, std::move(s));
}

} // namespace

void bindFileCommands(CommandRegistry& r) {
    r.bind("readspectre2D", cmdReadSpectre2D);
    r.bind("lectureFichierHADAS", cmdLectureHadas);
    r.bind("saveToASCII1D", saveAscii(&Workbench::spectres1D, true));
    r.bind("saveToASCII2D", saveAscii(&Workbench::spectres2D, false));
    r.bind("openspectre", cmdOpenSpectre);
    r.bind("SaveSpectre", cmdSaveSpectre);
    r.bind("openKESTRA", cmdOpenKestra);
}

} // namespace ombrelune
