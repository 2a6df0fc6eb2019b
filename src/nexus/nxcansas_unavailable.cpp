#include "nexus/nxcansas.hpp"

#include "errors/errors.hpp"

// The writer of a build without HDF5 (configured with OMBRELUNE_HDF5=OFF): the command stays
// in the table and says why it cannot work.
namespace ombrelune {

bool nxcansasAvailable() {
    return false;
}

void writeNXcanSAS(const NXcanSASCurve&, const std::filesystem::path&) {
    throw ERefused("programme construit sans HDF5 : aucun fichier NXcanSAS possible");
}

} // namespace ombrelune
