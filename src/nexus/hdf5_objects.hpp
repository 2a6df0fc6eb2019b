#pragma once
// The few pieces of HDF5's C interface the NXcanSAS writer needs, as owned handles and
// checked calls. A failed call raises EInOutError with HDF5's own reason; HDF5 prints
// nothing to the terminal while a Hdf5Session lives.

#include <hdf5.h>

#include <span>
#include <string>
#include <string_view>

namespace ombrelune::hdf5 {

// Owns one identifier and closes it with the matching H5?close.
class Object {
public:
    using Closer = herr_t (*)(hid_t);
    Object(hid_t id, Closer close, std::string_view what);
    ~Object();
    Object(Object&& other) noexcept : id_(other.id_), close_(other.close_) { other.id_ = -1; }
    Object(const Object&) = delete;
    Object& operator=(const Object&) = delete;
    Object& operator=(Object&&) = delete;
    hid_t id() const { return id_; }

private:
    hid_t id_;
    Closer close_;
};

// Silences HDF5's automatic error printing, and restores it at the end.
class Hdf5Session {
public:
    Hdf5Session();
    ~Hdf5Session();
    Hdf5Session(const Hdf5Session&) = delete;
    Hdf5Session& operator=(const Hdf5Session&) = delete;

private:
    H5E_auto2_t previous_ = nullptr;
    void* previousData_ = nullptr;
};

// Raises EInOutError "HDF5 : <what> : <HDF5's reason>" when status is negative.
void check(herr_t status, std::string_view what);

// A file held in memory, to be copied out whole once complete.
Object createFileInMemory(const std::string& name);
// The bytes of a file held in memory, flushed first.
std::string fileImage(hid_t file);

Object createGroup(hid_t parent, const std::string& name);
// Attributes: a variable-length UTF-8 text, or a 32-bit integer.
void setText(hid_t object, const std::string& name, std::string_view text);
void setInteger(hid_t object, const std::string& name, int value);
// Datasets: a variable-length UTF-8 text, or a vector of doubles with its "units".
void writeText(hid_t group, const std::string& name, std::string_view text);
Object writeNumbers(hid_t group, const std::string& name, std::span<const double> numbers,
                    std::string_view units);

} // namespace ombrelune::hdf5
