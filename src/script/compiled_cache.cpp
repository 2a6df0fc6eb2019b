#include "script/compiled_cache.hpp"

namespace ombrelune {

CompiledCache::Entry& CompiledCache::lookup(const TParser& parser, const std::string& text) {
    const std::size_t variables = parser.variableCount();
    if (variables != variableCount_ || entries_.size() >= maxEntries) {
        entries_.clear();
        variableCount_ = variables;
    }
    auto [it, inserted] = entries_.try_emplace(text);
    if (inserted) {
        try {
            it->second.compiled = parser.compile(text);
        } catch (const EMathParserError&) {
            it->second.error = std::current_exception();
        }
    }
    return it->second;
}

} // namespace ombrelune
