#include "script/command_support.hpp"
#include "script/script_commands.hpp"
#include "store/instrument_files.hpp"
#include "store/number_format.hpp"
#include "store/spectrum_files.hpp"
#include "store/store_ops.hpp"
#include "store/text_file.hpp"

namespace ombrelune {
namespace {

// A directory or device at that name is not "missing": it is refused with its name.
void missingFile(Interpreter& in, const std::string& file) {
    refuseIfNotRegular(file);
    in.wb().journal.appendLine("!! echec ouverture : " + file + " n existe pas");
}

// A spectrum as create(name, nx, ny, nz) makes it, to be read into before it is stored, so
// that a bad file leaves the spectrum of that name as it was.
spectre freshSpectrum(const std::string& name, int nx = 1, int ny = 1) {
    spectre s;
    s.name = name;
    s.resize(nx, ny, 1);
    s.clear();
    return s;
}

void storeRead(spectlist& table, spectre&& s) {
    const std::string name = s.name;
    if (table.store(std::move(s)) < 0) throw ERefused("impossible de ranger " + name + " (table pleine)");
}

void cmdReadSpectre2D(Interpreter& in, const CommandArgs& a) {
    StepTimerPause pause(in.host());
    spectlist& images = in.wb().spectres2D;
    const std::string& file = a.text(1);
    const std::string& name = a.text(2);
    spectre* s = images.find(name);
    if (!s) s = images.at(requireCreated(images, name, 1, 1, 1));
    if (!fileExists(file)) return missingFile(in, file);
    readSpeFile(*s, file); // changes the image only once the whole file was read
    journalRead(in.wb().journal, file, name);
}

void cmdLectureHadas(Interpreter& in, const CommandArgs& a) {
    const double number = roundHalfEven(numberArg(a, 2));
    const auto file = in.wb().paths.temp() / (a.text(1) + formatGeneral(number) + ".img");
    if (readHadasFile(in.wb().spectres2D, file, in.wb().decimalSeparator, in.wb().journal) < 0)
        throw ERefused("impossible de ranger " + file.filename().string() + " (table pleine)");
    journalRead(in.wb().journal, file.string(), file.filename().string());
}

CommandWork saveAscii(spectlist Workbench::*table,
                      void (*write)(const spectre&, const std::filesystem::path&,
                                    const std::string&, char)) {
    return [table, write](Interpreter& in, const CommandArgs& a) {
        StepTimerPause pause(in.host());
        const spectre& s = requireSpectrum(in, in.wb().*table, a.text(1));
        write(s, a.text(2), a.joinedTexts(3), in.wb().decimalSeparator);
        journalWritten(in.wb().journal, s.name, a.text(2));
    };
}

spectlist& listTable(Interpreter& in, const CommandArgs& a) {
    return requireTable(in, roundHalfEven(numberArg(a, 1)));
}

void cmdOpenSpectre(Interpreter& in, const CommandArgs& a) {
    StepTimerPause pause(in.host());
    const std::string& file = a.text(2);
    if (!fileExists(file)) return missingFile(in, file);
    spectlist& table = listTable(in, a);
    spectre s = freshSpectrum(a.text(3));
    readSpectreFile(s, file);
    storeRead(table, std::move(s));
    journalRead(in.wb().journal, file, a.text(3));
}

void cmdSaveSpectre(Interpreter& in, const CommandArgs& a) {
    StepTimerPause pause(in.host());
    const spectre& s = requireSpectrum(in, listTable(in, a), a.text(3));
    writeSpectreFile(s, a.text(2), in.wb().journal);
    journalWritten(in.wb().journal, s.name, a.text(2));
}

void cmdOpenKestra(Interpreter& in, const CommandArgs& a) {
    StepTimerPause pause(in.host());
    const std::string digits = "000" + in.wb().number(numberArg(a, 2));
    const std::string file = a.text(1) + "XY" + digits.substr(digits.size() - 4) + ".dat";
    if (!fileExists(file)) return missingFile(in, file);
    spectre s = freshSpectrum(a.text(3), kestraSide, kestraSide);
    readKestraFile(s, file);
    storeRead(in.wb().spectres2D, std::move(s));
    journalRead(in.wb().journal, file, a.text(3));
}

} // namespace

void bindFileCommands(CommandRegistry& r) {
    bindGuarded(r, "readspectre2D", cmdReadSpectre2D);
    bindGuarded(r, "lectureFichierHADAS", cmdLectureHadas);
    bindGuarded(r, "saveToASCII1D", saveAscii(&Workbench::spectres1D, writeAscii1D));
    bindGuarded(r, "saveToASCII2D", saveAscii(&Workbench::spectres2D, writeAscii2D));
    bindGuarded(r, "openspectre", cmdOpenSpectre);
    bindGuarded(r, "SaveSpectre", cmdSaveSpectre);
    bindGuarded(r, "openKESTRA", cmdOpenKestra);
}

} // namespace ombrelune
