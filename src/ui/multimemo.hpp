#pragma once
// tmultimemo: a multi-page plain-text editor. One page is shown in the editing area, the
// others are kept in memory; a numeric selector switches pages, a label shows the page's
// file name (with " *" while the page has changes not saved), and a pop-up menu offers the
// file, edit and global commands. Nothing in it knows about scripts beyond the filter,
// extension and directory its owner sets.
//
// No work is lost without a question: opening a file over a page, closing a page, clearing
// all pages and the owner's quitting ask Save / Discard / Cancel for each page whose
// changes are not saved.

#include <QFrame>
#include <QString>
#include <QStringList>

#include <array>
#include <memory>

class QLabel;
class QMenu;
class QPrinter;
class QSpinBox;

namespace ombrelune {

class CodeEditor;
class DialogService;
class FindDialog;

class tmultimemo : public QFrame {
    Q_OBJECT
public:
    static constexpr int pageCount = 19;
    static inline const QString unknownName = QStringLiteral("inconnu");

    explicit tmultimemo(DialogService& dialogs, QWidget* parent = nullptr);
    ~tmultimemo() override;

    // Pages in use, 1 to 19 (values below are raised, values above lowered).
    int maxvalue() const { return maxvalue_; }
    void setMaxvalue(int pages);
    int activepage() const { return activepage_; }
    // Switches to a page between 1 and maxvalue; other values are ignored.
    void setActivepage(int page);
    const QString& directory() const { return directory_; }
    void setDirectory(const QString& directory) { directory_ = directory; }
    const QString& filter() const { return filter_; }
    void setFilter(const QString& filter) { filter_ = filter; }
    void setDefaultSuffix(const QString& suffix) { defaultSuffix_ = suffix; }
    const QString& defaultext() const { return defaultext_; }
    // Given to a saved file name without an extension (".seq" or "seq").
    void setDefaultext(const QString& extension) { defaultext_ = extension; }

    CodeEditor* editor() const { return editor_; }
    QStringList lines() const;
    // The selected text with ordinary line ends.
    QString selectedText() const;

    // A page's name ("inconnu" until it is opened or saved), file path and stored text;
    // the active page's store is brought up to date only when another page is selected.
    const QString& pageName(int page) const { return pages_[index(page)].name; }
    const QString& pagePath(int page) const { return pages_[index(page)].path; }
    const QString& pageStore(int page) const { return pages_[index(page)].text; }
    // True when the page has changes not saved to its file; an empty page that was never
    // named has nothing to lose.
    bool pageModified(int page) const;
    bool needsSaving(int page) const;
    QMenu* popupMenu() const { return menu_; }
    FindDialog* findDialog() const { return findDialog_; }

    // The pop-up menu's commands. save and saveAs are true when the page was written.
    void newPage();
    void openFile();
    void insertFile();
    bool save();
    bool saveAs();
    // Empties the active page and forgets its file, once its changes are settled.
    void closePage();
    void print();
    void printerSetup();
    void showFind();
    // Searches the next occurrence from the remembered position, wrapping to the top once.
    void findNext(const QString& text);
    void clearAll();
    void allPagesToClipboard();

    // Asks Save / Discard / Cancel for every page that needs saving, showing each in turn;
    // false when the user cancelled (or a save failed), leaving the page asked about on
    // show and every page's text as it was.
    bool settleUnsavedPages();

Q_SIGNALS:
    // A file was read into a page or written from one, or could not be: the owner keeps
    // its record of them.
    void fileRead(const QString& path);
    void fileWritten(const QString& path);
    void fileFailed(const QString& message);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    struct Page {
        QString text;
        QString name = unknownName;
        QString path;
        bool modified = false; // of the active page, kept by the editing area's document
    };
    static std::size_t index(int page) { return static_cast<std::size_t>(page - 1); }
    Page& active() { return pages_[index(activepage_)]; }
    void switchTo(int page);
    void buildMenu();
    void writeActivePage(const QString& path);
    void takeFileName(const QString& path);
    void showPageName();
    // Asks about the active page when it needs saving; true when it may be replaced.
    bool settleActivePage();
    bool guarded(const std::function<void()>& action);

    DialogService& dialogs_;
    QLabel* label_;
    QSpinBox* selector_;
    CodeEditor* editor_;
    QMenu* menu_;
    FindDialog* findDialog_;
    std::unique_ptr<QPrinter> printer_;
    std::array<Page, pageCount> pages_{};
    int maxvalue_ = 1;
    int activepage_ = 1;
    QString directory_;
    QString filter_;
    QString defaultSuffix_;
    QString defaultext_;
    // Where the next search starts: just after the last match, 0 from the top.
    int findPosition_ = 0;
};

} // namespace ombrelune
