#pragma once
// The ten argument slots of a command call, numbered 1 to 10. The engine fills the shared
// slots and hands each command its own copy, so a command that lets the user act while it
// works (delay) keeps its arguments even if another line refills the slots meanwhile.

#include <array>
#include <string>

namespace ombrelune {

struct CommandArgs {
    static constexpr int slotCount = 10;
    // The command name as the script wrote it, for the command's own messages.
    std::string command;
    std::array<std::string, slotCount + 1> argText{};  // [0] unused
    std::array<long double, slotCount + 1> argNumber{}; // [0] unused

    const std::string& text(int k) const { return argText[static_cast<std::size_t>(k)]; }
    long double number(int k) const { return argNumber[static_cast<std::size_t>(k)]; }
    // Texts k .. 10 joined without separator (missing ones are empty).
    std::string joinedTexts(int from) const {
        std::string out;
        for (int k = from; k <= slotCount; ++k) out += text(k);
        return out;
    }
    void clear() {
        command.clear();
        argText.fill({});
        argNumber.fill(0);
    }
};

} // namespace ombrelune
