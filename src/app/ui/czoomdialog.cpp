// SPDX-License-Identifier: GPL-3.0-or-later
#include "czoomdialog.h"

#include <QDialogButtonBox>
#include <QLineEdit>
#include <QVBoxLayout>

CZoomDialog::CZoomDialog(const QString& text, QWidget* parent)
    : QDialog(parent), m_edit(new QLineEdit(text, this)) {
    setWindowTitle(QStringLiteral("Zoom"));
    auto* layout = new QVBoxLayout(this);
    m_edit->setMinimumWidth(900);
    m_edit->setAccessibleName(QStringLiteral("Zoom"));
    layout->addWidget(m_edit);
    auto* buttons =
        new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, Qt::Horizontal, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

QString CZoomDialog::Text() const {
    return m_edit->text();
}
