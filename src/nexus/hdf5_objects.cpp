#include "nexus/hdf5_objects.hpp"

#include "errors/errors.hpp"

#include <vector>

namespace ombrelune::hdf5 {
namespace {

// The innermost description on HDF5's error stack: the reason rather than the call chain.
herr_t keepFirstDescription(unsigned n, const H5E_error2_t* error, void* data) {
    auto* reason = static_cast<std::string*>(data);
    if (n == 0 && error && error->desc) *reason = error->desc;
    return 0;
}

std::string currentReason() {
    std::string reason;
    H5Ewalk2(H5E_DEFAULT, H5E_WALK_UPWARD, keepFirstDescription, &reason);
    H5Eclear2(H5E_DEFAULT);
    return reason.empty() ? "erreur inconnue" : reason;
}

hid_t checked(hid_t id, std::string_view what) {
    if (id < 0) check(-1, what);
    return id;
}

// Objects made without modification times, so the same curve always gives the same bytes.
Object untimedCreation(hid_t propertyClass) {
    Object list(H5Pcreate(propertyClass), H5Pclose, "liste de propriétés");
    check(H5Pset_obj_track_times(list.id(), false), "liste de propriétés");
    return list;
}

Object utf8TextType() {
    Object type(H5Tcopy(H5T_C_S1), H5Tclose, "type texte");
    check(H5Tset_size(type.id(), H5T_VARIABLE), "type texte");
    check(H5Tset_cset(type.id(), H5T_CSET_UTF8), "type texte");
    return type;
}

Object scalarSpace() {
    return Object(H5Screate(H5S_SCALAR), H5Sclose, "espace scalaire");
}

} // namespace

Object::Object(hid_t id, Closer close, std::string_view what)
    : id_(checked(id, what)), close_(close) {}

Object::~Object() {
    if (id_ >= 0) close_(id_);
}

Hdf5Session::Hdf5Session() {
    H5Eget_auto2(H5E_DEFAULT, &previous_, &previousData_);
    H5Eset_auto2(H5E_DEFAULT, nullptr, nullptr);
}

Hdf5Session::~Hdf5Session() {
    H5Eset_auto2(H5E_DEFAULT, previous_, previousData_);
}

void check(herr_t status, std::string_view what) {
    if (status < 0) throw EInOutError("HDF5 : " + std::string(what) + " : " + currentReason());
}

Object createFileInMemory(const std::string& name) {
    Object access(H5Pcreate(H5P_FILE_ACCESS), H5Pclose, "accès au fichier");
    check(H5Pset_fapl_core(access.id(), 64 * 1024, false), "fichier en mémoire");
    return Object(H5Fcreate(name.c_str(), H5F_ACC_TRUNC, H5P_DEFAULT, access.id()), H5Fclose,
                  "création du fichier");
}

std::string fileImage(hid_t file) {
    check(H5Fflush(file, H5F_SCOPE_GLOBAL), "fichier en mémoire");
    const ssize_t size = H5Fget_file_image(file, nullptr, 0);
    if (size < 0) check(-1, "taille du fichier");
    std::string bytes(static_cast<std::size_t>(size), '\0');
    if (H5Fget_file_image(file, bytes.data(), bytes.size()) != size) check(-1, "copie du fichier");
    return bytes;
}

Object createGroup(hid_t parent, const std::string& name) {
    const Object creation = untimedCreation(H5P_GROUP_CREATE);
    return Object(H5Gcreate2(parent, name.c_str(), H5P_DEFAULT, creation.id(), H5P_DEFAULT),
                  H5Gclose, name);
}

void setText(hid_t object, const std::string& name, std::string_view text) {
    const Object type = utf8TextType();
    const Object space = scalarSpace();
    const Object attribute(
        H5Acreate2(object, name.c_str(), type.id(), space.id(), H5P_DEFAULT, H5P_DEFAULT), H5Aclose,
        name);
    const std::string owned(text);
    const char* data = owned.c_str();
    check(H5Awrite(attribute.id(), type.id(), &data), name);
}

void setInteger(hid_t object, const std::string& name, int value) {
    const Object space = scalarSpace();
    const Object attribute(
        H5Acreate2(object, name.c_str(), H5T_STD_I32LE, space.id(), H5P_DEFAULT, H5P_DEFAULT),
        H5Aclose, name);
    check(H5Awrite(attribute.id(), H5T_NATIVE_INT, &value), name);
}

void writeText(hid_t group, const std::string& name, std::string_view text) {
    const Object type = utf8TextType();
    const Object space = scalarSpace();
    const Object creation = untimedCreation(H5P_DATASET_CREATE);
    const Object dataset(H5Dcreate2(group, name.c_str(), type.id(), space.id(), H5P_DEFAULT,
                                    creation.id(), H5P_DEFAULT),
                         H5Dclose, name);
    const std::string owned(text);
    const char* data = owned.c_str();
    check(H5Dwrite(dataset.id(), type.id(), H5S_ALL, H5S_ALL, H5P_DEFAULT, &data), name);
}

Object writeNumbers(hid_t group, const std::string& name, std::span<const double> numbers,
                    std::string_view units) {
    const hsize_t length = numbers.size();
    const Object space(H5Screate_simple(1, &length, nullptr), H5Sclose, name);
    const Object creation = untimedCreation(H5P_DATASET_CREATE);
    Object dataset(H5Dcreate2(group, name.c_str(), H5T_IEEE_F64LE, space.id(), H5P_DEFAULT,
                              creation.id(), H5P_DEFAULT),
                   H5Dclose, name);
    check(H5Dwrite(dataset.id(), H5T_NATIVE_DOUBLE, H5S_ALL, H5S_ALL, H5P_DEFAULT, numbers.data()),
          name);
    setText(dataset.id(), "units", units);
    return dataset;
}

} // namespace ombrelune::hdf5
