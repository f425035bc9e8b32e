// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

class QLineEdit;
class QTextBrowser;

// The help pages shipped with the program, with a contents page, an index of topics and a
// find field that searches the page shown.
class CHelpWindow : public QWidget {
    Q_OBJECT
public:
    explicit CHelpWindow(QWidget* parent = nullptr);

    void ShowPage(const QString& page);
    void FocusFind();
    QTextBrowser* Browser() const { return m_browser; }
    // Finds the text from the cursor on, wrapping once to the top. False when it is absent.
    bool Find(const QString& text);

private:
    QTextBrowser* m_browser;
    QLineEdit* m_find;
};
