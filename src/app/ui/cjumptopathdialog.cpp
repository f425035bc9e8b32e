// SPDX-License-Identifier: GPL-3.0-or-later
#include "cjumptopathdialog.h"

#include "app/session/folderbrowsing.h"

#include <QDialogButtonBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QVBoxLayout>

CJumpToPathDialog::CJumpToPathDialog(const QString& startPath, QWidget* parent)
    : QDialog(parent), m_edit(new QLineEdit(startPath, this)) {
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
    QString path = m_edit->text();
    if (path.size() <= 2) {
        QMessageBox::warning(this, QStringLiteral("Quorvin"),
                             QStringLiteral("The entered path must belonger than 2 characters.\n\n"
                                            "Specify a path root as <drive>:\\, not just as "
                                            "<drive>:"));
        return;
    }
    path.remove(QLatin1Char('"'));
    if (!IsExistingFolder(QFile::encodeName(path))) {
        QMessageBox::warning(this, QStringLiteral("Quorvin"),
                             QStringLiteral("Path does not exist."));
        return;
    }
    m_path = path;
    QDialog::accept();
}
