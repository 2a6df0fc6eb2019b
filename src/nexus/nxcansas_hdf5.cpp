#include "nexus/hdf5_objects.hpp"
#include "nexus/nxcansas.hpp"

#include "errors/errors.hpp"
#include "store/atomic_file.hpp"

namespace ombrelune {
namespace {

using hdf5::setText;

void writeData(hid_t entry, const NXcanSASCurve& curve) {
    const hdf5::Object data = hdf5::createGroup(entry, "sasdata01");
    setText(data.id(), "NX_class", "NXdata");
    setText(data.id(), "canSAS_class", "SASdata");
    setText(data.id(), "signal", "I");
    setText(data.id(), "I_axes", "Q");
    hdf5::setInteger(data.id(), "Q_indices", 0);
    hdf5::writeNumbers(data.id(), "Q", curve.q, curve.qUnit);
    const hdf5::Object intensity = hdf5::writeNumbers(data.id(), "I", curve.i, curve.iUnit);
    if (!curve.idev.empty()) {
        setText(intensity.id(), "uncertainties", "Idev");
        hdf5::writeNumbers(data.id(), "Idev", curve.idev, curve.iUnit);
    }
}

// Where the curve came from, for whoever opens the file later.
void writeProcess(hid_t entry, const NXcanSASCurve& curve) {
    const hdf5::Object process = hdf5::createGroup(entry, "sasprocess01");
    setText(process.id(), "NX_class", "NXprocess");
    setText(process.id(), "canSAS_class", "SASprocess");
    hdf5::writeText(process.id(), "name", "Ombrelune");
    if (!curve.description.empty()) hdf5::writeText(process.id(), "description", curve.description);
}

std::string fileBytes(const NXcanSASCurve& curve, const std::string& name) {
    const hdf5::Object file = hdf5::createFileInMemory(name);
    const hdf5::Object root(H5Gopen2(file.id(), "/", H5P_DEFAULT), H5Gclose, "/");
    setText(root.id(), "creator", "Ombrelune");
    setText(root.id(), "default", "sasentry01");
    {
        const hdf5::Object entry = hdf5::createGroup(file.id(), "sasentry01");
        setText(entry.id(), "NX_class", "NXentry");
        setText(entry.id(), "canSAS_class", "SASentry");
        setText(entry.id(), "version", "1.1");
        setText(entry.id(), "default", "sasdata01");
        hdf5::writeText(entry.id(), "definition", "NXcanSAS");
        hdf5::writeText(entry.id(), "title", curve.title);
        hdf5::writeText(entry.id(), "run", curve.run);
        writeData(entry.id(), curve);
        writeProcess(entry.id(), curve);
    }
    return hdf5::fileImage(file.id());
}

} // namespace

bool nxcansasAvailable() {
    return true;
}

void writeNXcanSAS(const NXcanSASCurve& curve, const std::filesystem::path& file) {
    const hdf5::Hdf5Session session;
    std::string bytes;
    try {
        bytes = fileBytes(curve, file.string());
    } catch (const EInOutError& e) {
        throw EInOutError(file.string() + ": " + e.what());
    }
    AtomicFile out(file);
    out.write(bytes);
    out.commit();
}

} // namespace ombrelune
