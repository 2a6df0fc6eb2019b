#include "script/script_variables.hpp"

#include "store/text_encoding.hpp"

namespace ombrelune {

std::optional<std::size_t> ScriptVariables::find(std::string_view name) const {
    for (std::size_t p = 0; p < entries_.size(); ++p)
        if (equalsIgnoreAsciiCase(entries_[p].name, name)) return p;
    return std::nullopt;
}

std::optional<std::size_t> ScriptVariables::add(const std::string& name, ChangeRoutine routine,
                                                 const std::string& help,
                                                 const std::array<std::int32_t, 5>& attributes) {
    if (entries_.size() >= descriptors_.size()) return std::nullopt;
    entries_.push_back(Entry{name, std::move(routine)});
    tvaripar& d = descriptors_[entries_.size() - 1];
    d.attributes = attributes;
    d.text = help;
    return entries_.size() - 1;
}

} // namespace ombrelune
