#include "store/journal.hpp"

#include "store/errors.hpp"
#include "store/text_file.hpp"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <locale.h>
#include <system_error>

namespace ombrelune {

Journal::Journal(SettingsStore& settings, std::filesystem::path defaultDirectory)
    : settings_(settings), defaultDirectory_(std::move(defaultDirectory)),
      clock_(currentDateTimeText) {}

void Journal::start() {
    std::string name = "toto";
    if (settings_.openKey()) {
        name = settings_.read(settingCurrentFile);
        directory_ = settings_.read(settingExperimentDirectory);
    } else {
        directory_ = defaultDirectory_.string();
    }
    openJournal(name);
}

void Journal::openJournal(const std::string& requestedName) {
    // An empty directory would put the journal at the filesystem root and an empty name
    // would make a file called ".txt": both fall back to the defaults.
    const std::string name = requestedName.empty() ? "journal" : requestedName;
    directory_ = settings_.read(settingExperimentDirectory);
    std::error_code ec;
    if (directory_.empty()) {
        directory_ = defaultDirectory_.string();
        std::filesystem::create_directories(defaultDirectory_, ec);
    } else {
        std::filesystem::create_directory(directory_, ec);
    }
    if (listener_) listener_->journalDirectoryChanged(directory_);
    path_ = std::filesystem::path(directory_) / (name + ".txt");
    fileName_ = name;
    settings_.write(settingCurrentFile, name);

    std::vector<std::string> earlier;
    if (fileExists(path_)) earlier = readTextLines(path_);
    if (listener_) listener_->journalOpened(path_.string(), fileName_, earlier);
    appendLine(clock_());
    appendLine("ouverture de " + path_.string());
}

void Journal::appendLine(const std::string& text) {
    std::FILE* f = std::fopen(path_.c_str(), "ab");
    auto fail = [&](int err) {
        throw EInOutError(path_.string() + ": " + std::strerror(err));
    };
    if (!f) fail(errno);
    const std::string line = text + "\r\n";
    const bool written = std::fwrite(line.data(), 1, line.size(), f) == line.size();
    const int writeErr = errno;
    if (std::fclose(f) != 0) fail(errno);
    if (!written) fail(writeErr);
    if (listener_) listener_->journalLineAppended(text);
}

std::string currentDateTimeText() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char date[128] = {}, time[128] = {};
    locale_t loc = newlocale(LC_TIME_MASK, "", static_cast<locale_t>(nullptr));
    if (loc != static_cast<locale_t>(nullptr)) {
        strftime_l(date, sizeof date, "%x", &local, loc);
        strftime_l(time, sizeof time, "%X", &local, loc);
        freelocale(loc);
    } else {
        std::strftime(date, sizeof date, "%x", &local);
        std::strftime(time, sizeof time, "%X", &local);
    }
    return std::string(date) + "  " + time;
}

} // namespace ombrelune
