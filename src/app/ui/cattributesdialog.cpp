// SPDX-License-Identifier: GPL-3.0-or-later
#include "cattributesdialog.h"

#include "engine/changesettings.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

struct ATTRIBUTEROW {
    const char* caption;
    quint32 setBit;
    quint32 clearBit;
    bool changeable;
};

const ATTRIBUTEROW kRows[] = {
    {"Read Only", SetReadOnly, ClearReadOnly, true},
    {"Archived", SetArchive, ClearArchive, false},
    {"System", SetSystem, ClearSystem, false},
    {"Hidden", SetHidden, ClearHidden, false},
};

const char* const kChoices[] = {"No Change", "Clear", "Set"};

} // namespace

CAttributesDialog::CAttributesDialog(quint32 flags, QWidget* parent)
    : QDialog(parent), m_flags(flags) {
    setWindowTitle(QStringLiteral("Change Attributes"));
    auto* layout = new QVBoxLayout(this);
    auto* grid = new QGridLayout;
    for (int row = 0; row < 4; ++row) {
        const ATTRIBUTEROW& attribute = kRows[row];
        auto* caption = new QLabel(QString::fromLatin1(attribute.caption), this);
        grid->addWidget(caption, row, 0);
        auto* group = new QButtonGroup(this);
        for (int choice = 0; choice < 3; ++choice) {
            auto* button = new QRadioButton(QString::fromLatin1(kChoices[choice]), this);
            button->setAccessibleName(caption->text() + QStringLiteral(": ") + button->text());
            button->setEnabled(attribute.changeable);
            group->addButton(button, choice);
            grid->addWidget(button, row, choice + 1);
        }
        caption->setEnabled(attribute.changeable);
        m_rows.append(group);
        // Clear wins when both bits are on.
        const int choice = (flags & attribute.clearBit) != 0 ? 1
                           : (flags & attribute.setBit) != 0 ? 2
                                                             : 0;
        SetRowChoice(row, choice);
    }
    layout->addLayout(grid);
    auto* note = new QLabel(
        QStringLiteral("Linux keeps only the read-only attribute; the others are kept for "
                       "favourites shared with other systems."),
        this);
    note->setWordWrap(true);
    layout->addWidget(note);
    auto* buttons =
        new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, Qt::Horizontal, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

int CAttributesDialog::RowChoice(int row) const {
    return m_rows[row]->checkedId();
}

void CAttributesDialog::SetRowChoice(int row, int choice) {
    m_rows[row]->button(choice)->setChecked(true);
}

quint32 CAttributesDialog::Flags() const {
    quint32 flags = 0;
    for (int row = 0; row < 4; ++row) {
        const ATTRIBUTEROW& attribute = kRows[row];
        if (!attribute.changeable) {
            flags |= m_flags & (attribute.setBit | attribute.clearBit);
            continue;
        }
        const int choice = RowChoice(row);
        if (choice == 1)
            flags |= attribute.clearBit;
        else if (choice == 2)
            flags |= attribute.setBit;
    }
    return flags;
}

void CAttributesDialog::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F1) {
        emit HelpRequested(QStringLiteral("changingfileattributes.htm"));
        return;
    }
    QDialog::keyPressEvent(event);
}
