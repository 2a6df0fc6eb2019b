#include "store/journal.hpp"

#include "errors/errors.hpp"
#include "store/text_file.hpp"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <locale.h>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace ombrelune {

// The journal window shows at most this much of a journal's end when it opens it.
constexpr std::size_t journalTailBytes = std::size_t{8} << 20;

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
    const std::size_t wanted = listener_ ? listener_->earlierLinesWanted() : 0;
    if (wanted > 0 && fileExists(path_))
        earlier = readLastLines(path_, wanted, journalTailBytes);
    if (listener_) listener_->journalOpened(path_.string(), fileName_, earlier);
    appendLine(clock_());
    appendLine("ouverture de " + path_.string());
}

namespace {

// Appends whole lines to a journal file through a descriptor of its own per line.
class JournalAppend {
public:
    explicit JournalAppend(const std::filesystem::path& path) : path_(path) {
        // O_NONBLOCK: a FIFO put in the journal's place is refused, not waited on.
        fd_ = ::open(path.c_str(), O_RDWR | O_APPEND | O_CREAT | O_NONBLOCK | O_CLOEXEC, 0666);
        if (fd_ < 0) fail(errno);
        struct stat st {};
        if (::fstat(fd_, &st) != 0) fail(errno);
        if (!S_ISREG(st.st_mode)) fail("not a regular file");
        size_ = st.st_size;
    }
    ~JournalAppend() {
        if (fd_ >= 0) ::close(fd_);
    }
    JournalAppend(const JournalAppend&) = delete;
    JournalAppend& operator=(const JournalAppend&) = delete;

    // Another program (or a disk that filled up before this check existed) may have left
    // half a line: finish it so the new line starts on a line of its own.
    bool endsInsideALine() const {
        char last = '\n';
        return size_ > 0 && ::pread(fd_, &last, 1, size_ - 1) == 1 && last != '\n';
    }

    void append(const std::string& bytes) {
        std::size_t done = 0;
        while (done < bytes.size()) {
            const ssize_t n = ::write(fd_, bytes.data() + done, bytes.size() - done);
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) {
                const int err = n < 0 ? errno : ENOSPC;
                // Cut back what part of the line reached the file, so the journal never
                // holds half a line that the next run would glue its first line onto.
                const bool cutBack = done == 0 || ::ftruncate(fd_, size_) == 0;
                fail(std::string(std::strerror(err)) +
                     (cutBack ? "" : " (part of the line stays in the file)"));
            }
            done += static_cast<std::size_t>(n);
        }
        if (::close(fd_) != 0) {
            fd_ = -1;
            fail(errno);
        }
        fd_ = -1;
    }

private:
    [[noreturn]] void fail(int err) { fail(std::strerror(err)); }
    [[noreturn]] void fail(const std::string& reason) {
        throw EInOutError(path_.string() + ": " + reason);
    }

    const std::filesystem::path& path_;
    int fd_ = -1;
    off_t size_ = 0;
};

} // namespace

void Journal::appendLine(const std::string& text) {
    JournalAppend file(path_);
    file.append((file.endsInsideALine() ? "\r\n" : "") + text + "\r\n");
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
