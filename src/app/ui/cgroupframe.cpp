// SPDX-License-Identifier: GPL-3.0-or-later
#include "cgroupframe.h"

#include <QPainter>
#include <QStyleOptionGroupBox>
#include <QStylePainter>

CGroupFrame::CGroupFrame(const QString& caption, QWidget* parent) : QGroupBox(caption, parent) {
    setAccessibleName(caption);
    QFont bold = font();
    bold.setBold(true);
    setFont(bold);
}

void CGroupFrame::SetHighlighted(bool on, const QColor& colour) {
    if (on == m_highlighted && colour == m_colour)
        return;
    m_highlighted = on;
    m_colour = colour;
    update();
}

void CGroupFrame::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    QStyleOptionGroupBox option;
    initStyleOption(&option);
    if (!m_highlighted) {
        painter.drawComplexControl(QStyle::CC_GroupBox, option);
        return;
    }
    // Not every style honours the option's text colour, so the caption is drawn here.
    option.subControls &= ~QStyle::SC_GroupBoxLabel;
    painter.drawComplexControl(QStyle::CC_GroupBox, option);
    const QRect label =
        style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, this);
    painter.setPen(m_colour);
    painter.drawText(label, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextShowMnemonic, title());
    const QRect frame =
        style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxFrame, this);
    painter.setPen(QPen(m_colour, 2));
    painter.setRenderHint(QPainter::Antialiasing);
    painter.drawRoundedRect(QRectF(frame).adjusted(1, 1, -1, -1), 2, 2);
}
