// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QGroupBox>

// A criteria group's frame: a bold caption, and while highlighted the caption and the
// frame line drawn in the highlight colour.
class CGroupFrame : public QGroupBox {
    Q_OBJECT
public:
    CGroupFrame(const QString& caption, QWidget* parent = nullptr);

    void SetHighlighted(bool on, const QColor& colour);
    [[nodiscard]] bool IsHighlighted() const { return m_highlighted; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    bool m_highlighted = false;
    QColor m_colour;
};
