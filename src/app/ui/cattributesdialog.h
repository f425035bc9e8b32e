// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class QButtonGroup;

// "Change Attributes": one row of No Change / Clear / Set per attribute. Only read-only can
// be changed on this system; the other rows are shown disabled and keep their bits, so a
// favourite written elsewhere loses nothing.
class CAttributesDialog : public QDialog {
    Q_OBJECT
public:
    explicit CAttributesDialog(quint32 flags, QWidget* parent = nullptr);

    [[nodiscard]] quint32 Flags() const;
    // The choice a row shows: 0 No Change, 1 Clear, 2 Set.
    [[nodiscard]] int RowChoice(int row) const;
    void SetRowChoice(int row, int choice);

signals:
    void HelpRequested(const QString& page);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    quint32 m_flags;
    QList<QButtonGroup*> m_rows;
};
