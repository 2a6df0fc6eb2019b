#pragma once
// The help index: every script command with what its arguments hold, taken from the
// registry's own table, and the functions the evaluator knows with their meaning, with a
// filter box.

#include "script/parser.hpp"

#include <QWidget>

class QLineEdit;
class QTreeWidget;

namespace ombrelune {

class HelpWindow : public QWidget {
    Q_OBJECT
public:
    explicit HelpWindow(const TParser& parser, QWidget* parent = nullptr);

    QLineEdit* search;
    QTreeWidget* index;

    // Shows the entries whose name contains the text (any case); all for an empty text.
    void filter(const QString& text);
};

} // namespace ombrelune
