// SPDX-License-Identifier: GPL-3.0-or-later
#include "cjumptopathdialog.h"

#include "app/session/folderpaths.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QVBoxLayout>

CJumpToPathDialog::CJumpToPathDialog(const QString& startPath, QWidget* parent)
    : QDialog(parent), m_edit(new QLineEdit(startPath, this)), m_startPath(startPath) {
    setWindowTitle(QStringLiteral("Jump Directly to Path"));
    auto* layout = new QVBoxLayout(this);
    auto* label = new QLabel(QStringLiteral("Path:"), this);
    label->setBuddy(m_edit);
    m_edit->setAccessibleName(QStringLiteral("Path"));
    m_edit->setMinimumWidth(420);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &CJumpToPathDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CJumpToPathDialog::reject);
    layout->addWidget(label);
    layout->addWidget(m_edit);
    layout->addWidget(buttons);
}

void CJumpToPathDialog::accept() {
    const JUMPPATHCHECK check = CheckJumpPath(m_edit->text(), m_startPath);
    if (!check.accepted) {
        QMessageBox::warning(this, QStringLiteral("Quorvin"), check.refusal);
        return;
    }
    m_path = check.path;
    QDialog::accept();
}
