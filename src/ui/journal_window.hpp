#pragma once
// The journal window ("Boite noire"): the current journal file's lines as they are
// appended, the boxes that choose the journal file and directory, and a comment box.

#include "store/journal.hpp"

#include <QWidget>

class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace ombrelune {

class DialogService;

class Tboitnoir : public QWidget, public JournalListener {
    Q_OBJECT
public:
    // Follows the journal from now on and starts it (the stored file in the stored
    // directory). A journal that cannot be written is reported and the window stays, so
    // the user can choose another directory or file.
    Tboitnoir(Journal& journal, DialogService& dialogs, QWidget* parent = nullptr);
    ~Tboitnoir() override;

    void journalOpened(const std::string& path, const std::string& name,
                       const std::vector<std::string>& earlierLines) override;
    void journalLineAppended(const std::string& text) override;
    // Years of journal would make the window slow to fill and to scroll; the recent end
    // is what a user reads there, the whole file stays on disk.
    std::size_t earlierLinesWanted() const override { return 20000; }
    void journalDirectoryChanged(const std::string& directory) override;

    QLineEdit* Edit1;           // comment
    QLineEdit* Edit2;           // journal file name
    QLineEdit* repertoiremanip; // experiment directory
    QPushButton* OpenFileBoiteNoire;
    QPlainTextEdit* RichEdit1;

private:
    void Edit1Return();
    void Edit2Return();
    void repertoiremanipReturn();
    void OpenFileBoiteNoireClick();
    void guarded(const std::function<void()>& action);

    Journal& journal_;
    DialogService& dialogs_;
};

} // namespace ombrelune
