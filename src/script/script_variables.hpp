#pragma once
// Script variables: names registered by the "@name" form of an argument, each with a
// descriptor holding a number, a text and a number array. The descriptors exist from the
// start, 201 of them, and registrations take them in order.

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ombrelune {

struct tvaripar {
    long double number = 0;
    std::array<std::int32_t, 5> attributes{};
    std::string text;
    std::vector<double> values;
};

class ScriptVariables {
public:
    static constexpr int descriptorCount = 201;
    using ChangeRoutine = std::function<void(const std::string&)>;

    // Position of the name (ASCII case folded), or nothing.
    std::optional<std::size_t> find(std::string_view name) const;
    // Appends (name, routine) and sets the descriptor's attributes and text; returns its
    // position, or nothing when every descriptor is taken.
    std::optional<std::size_t> add(const std::string& name, ChangeRoutine routine,
                                   const std::string& help,
                                   const std::array<std::int32_t, 5>& attributes);
    tvaripar& descriptor(std::size_t position) { return descriptors_[position]; }
    const ChangeRoutine& routine(std::size_t position) const { return entries_[position].routine; }
    std::size_t size() const { return entries_.size(); }
    const std::string& name(std::size_t position) const { return entries_[position].name; }

private:
    struct Entry {
        std::string name;
        ChangeRoutine routine;
    };
    std::vector<Entry> entries_;
    std::array<tvaripar, descriptorCount> descriptors_{};
};

} // namespace ombrelune
