// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/changesettings.h"

#include <QDialog>

class IPrompts;
class QButtonGroup;
class QCheckBox;
class QDateTimeEdit;
class QSpinBox;

// "New File/Folder Timestamps": per time a mode, a fixed local date and time and a delta
// in days, hours, minutes and seconds that may be subtracted.
class CTimestampsDialog : public QDialog {
    Q_OBJECT
public:
    static constexpr int kCreated = 0;
    static constexpr int kModified = 1;
    static constexpr int kAccessed = 2;

    CTimestampsDialog(const CHANGESETTINGS& settings, IPrompts& prompts, QWidget* parent = nullptr);

    // The twelve timestamp fields as the dialog shows them; attributes are left alone.
    void Store(CHANGESETTINGS& settings) const;

    // For the window's tests and screenshots: the controls of one frame.
    QButtonGroup* Modes(int frame) const { return m_frames[frame].modes; }
    QDateTimeEdit* Picker(int frame) const { return m_frames[frame].picker; }
    QSpinBox* DeltaBox(int frame, int part) const { return m_frames[frame].delta[part]; }
    QCheckBox* Negative(int frame) const { return m_frames[frame].negative; }

signals:
    void HelpRequested(const QString& page);

public slots:
    void accept() override;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    struct FRAME {
        QButtonGroup* modes = nullptr;
        QDateTimeEdit* picker = nullptr;
        QSpinBox* delta[4] = {};
        QCheckBox* negative = nullptr;
    };
    QWidget* BuildFrame(int frame, TimestampMode mode, TimeValue fixed, qint64 delta,
                        bool negative);

    IPrompts& m_prompts;
    FRAME m_frames[3];
};
