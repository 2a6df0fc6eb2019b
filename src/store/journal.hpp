#pragma once
// The journal: the program's single log. Every line is appended to a text file in the
// experiment directory (opened, written and closed per line, so the file is complete
// even if the program stops abruptly) and shown by whoever listens.

#include "store/settings_store.hpp"

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace ombrelune {

// What a journal window needs to follow the journal.
class JournalListener {
public:
    virtual ~JournalListener() = default;
    // A new journal file was opened: the list empties and shows its earlier lines.
    virtual void journalOpened(const std::string& path, const std::string& name,
                               const std::vector<std::string>& earlierLines) = 0;
    virtual void journalLineAppended(const std::string& text) = 0;
    // How many of the file's last lines journalOpened should receive. Only that tail is
    // read, so a journal grown over years never slows the start; the default is none.
    virtual std::size_t earlierLinesWanted() const { return 0; }
    // The directory box text changed (read from the settings).
    virtual void journalDirectoryChanged(const std::string&) {}
};

class Journal {
public:
    // defaultDirectory is used whenever the stored directory is empty.
    Journal(SettingsStore& settings, std::filesystem::path defaultDirectory);

    // Start-up: opens the settings key; takes the file name from "currentfile" (or "toto"
    // when the key cannot be opened) and opens that journal.
    void start();
    // Makes directory + "/" + name + ".txt" the current journal, with the directory read
    // from the stored "RepertoireManip"; writes the date/time and "ouverture de " lines.
    // An empty name becomes "journal".
    void openJournal(const std::string& name);
    // Appends text + CR LF to the current file and tells the listener; raises EInOutError
    // (the line is then not shown) when the file cannot be written. The file only ever
    // gains whole lines: a short write is cut back, and a file that does not end with a
    // line end (left so by another program) gets one first.
    void appendLine(const std::string& text);

    // The "Rep manip:" box text.
    const std::string& directory() const { return directory_; }
    // The current file name, without directory and extension.
    const std::string& fileName() const { return fileName_; }
    const std::filesystem::path& path() const { return path_; }

    SettingsStore& settings() { return settings_; }
    void setListener(JournalListener* listener) { listener_ = listener; }
    // The text of the date/time line; by default the user's short date and long time.
    void setClock(std::function<std::string()> clock) { clock_ = std::move(clock); }

private:
    SettingsStore& settings_;
    std::filesystem::path defaultDirectory_;
    std::string directory_;
    std::string fileName_;
    std::filesystem::path path_;
    JournalListener* listener_ = nullptr;
    std::function<std::string()> clock_;
};

// The user's short date and long time, two blanks apart.
std::string currentDateTimeText();

} // namespace ombrelune
