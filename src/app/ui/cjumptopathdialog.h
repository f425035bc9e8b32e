// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class QLineEdit;

// "Jump Directly to Path": edits a path and refuses a short or missing one while staying open.
class CJumpToPathDialog : public QDialog {
    Q_OBJECT
public:
    CJumpToPathDialog(const QString& startPath, QWidget* parent);

    // The accepted path, double quotes removed.
    QString Path() const { return m_path; }
    void accept() override;

private:
    QLineEdit* m_edit;
    QString m_startPath;
    QString m_path;
};
