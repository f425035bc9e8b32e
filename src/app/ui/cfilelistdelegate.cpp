// SPDX-License-Identifier: GPL-3.0-or-later
#include "cfilelistdelegate.h"

void CFileListDelegate::initStyleOption(QStyleOptionViewItem* option,
                                        const QModelIndex& index) const {
    QStyledItemDelegate::initStyleOption(option, index);
    const QVariant colour = index.data(Qt::ForegroundRole);
    if (colour.isValid())
        option->palette.setBrush(QPalette::HighlightedText, colour.value<QColor>());
}
